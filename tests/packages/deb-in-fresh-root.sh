#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the built package into a brand-new minimal Debian 12 root with apt, its Depends
# only, and starts the game there under Xvfb from an empty folder: the title must show.
# As root:  tests/packages/deb-in-fresh-root.sh build/tolva_*.deb [debian12-root.tar]
set -eu
deb=$(realpath "$1"); base=${2:-${TMPDIR:-/tmp}/debian12-root.tar}; root=$(mktemp -d)
cleanup() {
    umount -R "$root/proc" "$root/dev" 2>/dev/null || true
    grep -q " $root/" /proc/mounts || rm -rf "$root"
}
trap cleanup EXIT
if [ ! -s "$base" ]; then
    mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/*.sources 2>/dev/null)
    debootstrap --variant=minbase bookworm "$root" ${mirror:+"$mirror"} >/dev/null
    tar -C "$root" -cf "$base" .
else
    tar -C "$root" -xf "$base"
fi
cp /etc/resolv.conf "$root/etc/"; cp "$deb" "$root/root/"
mount -t proc proc "$root/proc"; mount --rbind /dev "$root/dev"
# /usr/games is on a player's PATH, not on root's.
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root bash -euc '
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >/dev/null
    apt-get install -y -q --no-install-recommends /root/*.deb xvfb xauth x11-apps imagemagick >/dev/null
    mkdir -p /tmp/empty && cd /tmp/empty
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
        "tolva >/tmp/out.txt 2>/dev/null & sleep 20; xwd -root -silent >/tmp/shot.xwd; kill \$!"
    convert /tmp/shot.xwd /tmp/title.png'
cp "$root/tmp/title.png" deb-title.png
# The title is bright lettering on a dark picture: a black or missing window is not.
grep -q "SUCCESS: glfw intialisiert" "$root/tmp/out.txt" && ! grep -q ERROR "$root/tmp/out.txt"
[ "$(convert deb-title.png -format '%[fx:mean > 0.1 && maxima > 0.9]' info:)" = 1 ]
echo "the installed package shows the title (deb-title.png)"
