#!/usr/bin/env bash
# Installs the Debian packages that are missing for what is asked:
#   deps.sh build        to build and play
#   deps.sh build test   to build and run every test as well
set -euo pipefail

packages=(g++ make cmake qt6-base-dev qt6-multimedia-dev)
for need in "$@"; do
    case "$need" in
    build) ;;
    test) packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool x11-utils xauth
                     python3 fonts-dejavu-core clang libclang-rt-14-dev util-linux
                     dpkg-dev desktop-file-utils appstream passwd) ;;
    *) echo "deps.sh: unknown set '$need'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
