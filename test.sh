#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMAR_SANITIZE=ON
cmake --build build/test -j"$(nproc)"
cd build/test
ctest --output-on-failure -j"$(nproc)"
