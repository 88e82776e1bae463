#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The default tests as a distribution's build runs them: no network (a
# network namespace of their own), an unprivileged user (nobody, or
# $PELMAR_OFFLINE_USER), and apt, dpkg, sudo, npm, pip and useradd replaced
# by stand-ins that note the call and fail. The build folder is seen through
# an overlay that user may write into, so the real one stays as it was.
# The tests whose outcome hangs on who runs them run here (as root they pass
# any permission): where the table goes, what cannot be read or written, the
# command line, and one real window. The rest ran as root already.
#   offline_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: a network namespace and another user need root"
    exit 77
fi
uid=$(id -u "${PELMAR_OFFLINE_USER:-nobody}")
gid=$(id -g "${PELMAR_OFFLINE_USER:-nobody}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/fakes"
for tool in apt apt-get aptitude dpkg sudo su npm npx pip pip3 useradd adduser; do
    printf '#!/bin/sh\necho "%s $*" >>%s/called\nexit 1\n' "$tool" "$scratch" >"$scratch/fakes/$tool"
    chmod 755 "$scratch/fakes/$tool"
done
touch "$scratch/called"
chmod 666 "$scratch/called"
mkdir "$scratch/mnt"
chmod 755 "$scratch"

status=0
unshare --mount --net sh -eu -c '
    build=$1 scratch=$2 uid=$3 gid=$4
    mount -t tmpfs tmpfs "$scratch/mnt"
    mkdir "$scratch/mnt/upper" "$scratch/mnt/work" "$scratch/mnt/home" "$scratch/mnt/tmp"
    mount -t overlay overlay -o "lowerdir=$build,upperdir=$scratch/mnt/upper,workdir=$scratch/mnt/work" "$build"
    find "$build" -type d -exec chown "$uid:$gid" {} +
    chown "$uid:$gid" "$scratch/mnt/home" "$scratch/mnt/tmp"
    cd "$build"
    run() {
        setpriv --reuid="$uid" --regid="$gid" --clear-groups \
            env -i PATH="$scratch/fakes:/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin" \
            HOME="$scratch/mnt/home" TMPDIR="$scratch/mnt/tmp" LANG=C.UTF-8 "$@"
    }
    run ctest --output-on-failure -j2 \
        -R "^(ScoreStore\.|Storage\.|HighScores|CommandLine|RealWindowRestartsOnF2AndQuits\$)"
' sh "$build" "$scratch" "$uid" "$gid" || status=$?
if [ -s "$scratch/called" ]; then
    echo "FAIL: the tests called a package manager or sudo:"
    cat "$scratch/called"
    exit 1
fi
[ "$status" -eq 0 ] || { echo "FAIL: the tests failed offline as an unprivileged user"; exit 1; }
echo "the default tests pass offline as uid $uid, and none called a package manager"
