#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test, the system tests (package,
# web edition, fuzzing, offline run, release tarball) too; ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMAR_SANITIZE=ON -DPELMAR_SYSTEM_TESTS=ON
cmake --build build/test -j"$(nproc)"
# The web edition is built with the rest, on every core; its test plays it.
PELMAR_JOBS=$(nproc) tests/web/web_test.sh --prepare . build/test/tests/web || [ $? -eq 77 ]
# So are the fuzz targets, where clang is there.
! command -v clang++ >/dev/null || tests/fuzz/run_fuzz.sh --build . build/test/tests/fuzz
cd build/test
ctest --output-on-failure -j"$(nproc)"
