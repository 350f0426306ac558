#!/usr/bin/env bash
# Configures and builds into build/ (Release); extra arguments go to the configure step.
# BUILD_TARGETS (default: everything) names the targets to build.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
read -r -a targets <<<"${BUILD_TARGETS:-all}"
cmake --build build -j"$(nproc)" --target "${targets[@]}"
