#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every header and library a build used (its compiler dependency files and link lines)
# must come from a package that ./dev installs, or that one of those pulls in through
# Depends or Pre-Depends. Recommends do not count: a minimal Debian installs none.
#   tests/packages/check-packages.sh <build folder>
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:?a build folder}")
repo=$(pwd)
eval "$(sed -n '/^[a-z_]*packages=(/,/)/p' dev)"
listed=("${game_packages[@]}" "${test_packages[@]}")

# What the build read: absolute paths outside the repository and the build.
used=$(
    { find "$build" -name '*.d' -exec cat {} + | tr ' \\' '\n\n' | sed 's/:$//'
      find "$build" -name link.txt -exec cat {} + | tr ' ' '\n' | sort -u | while read -r word; do
          case $word in
          -l*) gcc -print-file-name="lib${word#-l}.so" ;;
          /*.so* | /*.a) echo "$word" ;;
          esac
      done; } | grep '^/' | grep -v -e "^$repo/" -e "^$build/" | sort -u)
[ -n "$used" ] || { echo "no dependency files or link lines in $build"; exit 1; }

# The owner of each, asking dpkg for all at once: the path as written, without "..", without
# /usr, and with its links followed.
declare -A owner
lookup() { # paths on stdin, each a candidate for the original path before the tab
    local pairs; pairs=$(cat)
    cut -f2 <<<"$pairs" | xargs -r dpkg -S 2>/dev/null | grep -v '^diversion' |
        while IFS= read -r line; do
            printf '%s\t%s\n' "${line%%: /*}" "/${line#*: /}"
        done | sed 's/:[a-z0-9]*\t/\t/; s/, .*\t/\t/'
}
declare -A candidate
while read -r path; do
    plain=$(realpath -ms "$path")
    for c in "$path" "$plain" "${plain#/usr}" "$(realpath -m "$path")"; do
        candidate[$c]+="$path "
    done
done <<<"$used"
while IFS=$'\t' read -r package file; do
    for path in ${candidate[$file]:-}; do
        [ -n "${owner[$path]:-}" ] || owner[$path]=$package
    done
done < <(for c in "${!candidate[@]}"; do printf '%s\t%s\n' x "$c"; done | lookup)
for path in $used; do
    [ -n "${owner[$path]:-}" ] || { echo "no package owns $path"; exit 1; }
done

# Everything the listed packages pull in; a virtual package counts through its providers.
declare -A provides depends
while IFS=';' read -r status name provided needed; do
    [ "$status" = installed ] || continue
    depends[$name]=$(tr ',|' '\n\n' <<<"$needed" | sed 's/(.*)//; s/:any//' | awk 'NF { print $1 }')
    for p in $(tr ',' '\n' <<<"$provided" | sed 's/(.*)//; s/:.*//'); do provides[$p]+=" $name"; done
done < <(dpkg-query -W -f='${db:Status-Status};${Package};${Provides};${Depends},${Pre-Depends}\n')
declare -A pulled
queue=("${listed[@]}")
while [ ${#queue[@]} -gt 0 ]; do
    name=${queue[0]}
    queue=("${queue[@]:1}")
    [ -n "${pulled[$name]:-}" ] && continue
    pulled[$name]=1
    if [ -n "${depends[$name]+set}" ]; then
        queue+=(${depends[$name]})
    else
        queue+=(${provides[$name]:-})
    fi
done

missing=0
for path in $used; do
    package=${owner[$path]}
    if [ -z "${pulled[$package]:-}" ]; then
        echo "missing package: $package (it holds $path); add it to ./dev's list"
        missing=1
    fi
done | sort -u -t'(' -k1,1 | tee /dev/stderr | grep -q . && exit 1
echo "$(wc -l <<<"$used") files from $(printf '%s\n' "${owner[@]}" | sort -u | wc -l) packages, all installed by ./dev"
