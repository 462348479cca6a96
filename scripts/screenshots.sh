#!/usr/bin/env bash
# Draws ORB's windows offscreen (no display needed) and saves them as PNG files in docs/.
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"

"$root/scripts/setup.sh" "$build" >/dev/null
cmake --build "$build" --target orb_screenshots
mkdir -p "$root/docs"
QT_QPA_PLATFORM=offscreen "$build/tools/orb_screenshots" "$root/docs"
