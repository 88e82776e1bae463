#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing for what is asked:
#   deps.sh build        to build and play
#   deps.sh build test   to build and run every test as well
#   deps.sh web          to build the web edition (./web.sh)
#   deps.sh bench        what the benchmarks need beyond the tests (Valgrind)
set -euo pipefail

desktop=(g++ make cmake qt6-base-dev qt6-multimedia-dev qt6-tools-dev qt6-l10n-tools libxcb1-dev)
web=(emscripten binaryen node-acorn terser cmake make python3)
# The desktop's packages always, unless only the web edition is asked for.
packages=()
[ "$*" = web ] || packages+=("${desktop[@]}")
for need in "$@"; do
    case "$need" in
    build) ;;
    web) packages+=("${web[@]}") ;;
    bench) packages+=(valgrind) ;;
    test) packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-utils xauth
                     python3 fonts-dejavu-core clang libclang-rt-14-dev util-linux
                     dpkg-dev debhelper git xz-utils desktop-file-utils appstream passwd lintian binutils locales imagemagick x11-xserver-utils openbox
                     pulseaudio pulseaudio-utils
                     "${web[@]}" chromium nodejs npm) ;;
    *) echo "deps.sh: unknown set '$need'" >&2; exit 2 ;;
    esac
done

# The tests play the game under a Portuguese desktop's locale, and an
# English one.
missing_locales() {
    local want
    for want in "$@"; do
        [ "$want" = test ] || continue
        for name in pt_BR en_US; do
            locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8\$" || echo "$name"
        done
    done
}

# Node and npm may come from elsewhere than Debian (NodeSource's nodejs
# carries its own npm and conflicts with Debian's): a command on the PATH will do.
command_for() {
    case "$1" in
    nodejs) echo node ;;
    npm) echo npm ;;
    esac
}
missing=()
for p in $(printf '%s\n' "${packages[@]}" | awk '!seen[$0]++'); do
    if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        continue
    fi
    command=$(command_for "$p")
    if [ -n "$command" ] && command -v "$command" >/dev/null; then
        continue
    fi
    missing+=("$p")
done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
for name in $(missing_locales "$@"); do
    echo "Generating the $name.UTF-8 locale"
    "${sudo[@]}" localedef -i "$name" -c -f UTF-8 -A /usr/share/locale/locale.alias "$name.UTF-8"
done
