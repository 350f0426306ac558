#!/usr/bin/env bash
# Installs what is missing, builds, and starts ポムランLite on the database the build made.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Only the program and its database: the tests and benchmarks are built by scripts/test.sh.
BUILD_TARGETS=pomuran scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run)."
  exec xvfb-run -a build/bin/pomuran
fi
exec build/bin/pomuran
