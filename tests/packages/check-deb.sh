#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of a finished build, as a distribution checks one: no lintian error or
# warning, no AppStream or manual-page warning, and the packaged game answering --help and,
# with the package's version, --version. Compiles nothing.
#   tests/packages/check-deb.sh <build folder>
set -euo pipefail
build=$(realpath "${1:?a build folder}")
out=$build/package-check
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(echo "$out"/tolva_*.deb)
ddeb=$(echo "$out"/tolva-dbgsym_*.ddeb)

# One lintian run for both. A debug package carries no overrides of its own, so the game's
# maintainer address (overridden in the game's package) is let pass there by name. Lintian's
# warning about running as root (CI does) is no finding.
report=$(lintian --fail-on none "$deb" "$ddeb" 2> >(grep -v "running with root" >&2))
grep -E '^(E|W): ' <<<"$report" | grep -v '^E: tolva-dbgsym: bogus-mail-host ' && exit 1

root=$out/root
dpkg-deb -x "$deb" "$root"
metainfo=$root/usr/share/metainfo/tolva.metainfo.xml
appstreamcli validate --no-net "$metainfo"
manual=$(zcat "$root/usr/share/man/man6/tolva.6.gz")
mandoc -T lint -W warning <<<"$manual"

version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/games/tolva" --version)" = "tolva $version" ]
[[ $("$root/usr/games/tolva" --help) == "Usage: tolva [width height [fullscreen]]"$'\n'* ]]
grep -q "<release version=\"$version\"" "$metainfo"
[[ $(zcat "$root/usr/share/doc/tolva/changelog.gz") == "tolva ($version) "* ]]
grep -q "^\.TH TOLVA 6 .* \"Tolva $version\"" <<<"$manual"
