#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds a release build and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DPELMAR_TESTS=OFF -DPELMAR_BENCHMARKS=OFF
cmake --build build/release --target pelmar -j"$(nproc)"
exec build/release/pelmar
