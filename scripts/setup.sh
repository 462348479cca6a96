#!/usr/bin/env bash
# Installs what is missing (Debian packages only), then configures and builds ORB.
#   scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
#   scripts/setup.sh --install-only     only installs what is missing
# ORB_SETUP_PACKAGES="a b" installs those Debian packages too (scripts/package.sh names what
# packaging and its checks need).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libsqlite3-dev
          sqlite3 libgtest-dev libgmock-dev desktop-file-utils
          clang-14 libclang-rt-14-dev  # clang and its libFuzzer for scripts/fuzz.sh
          xvfb openbox x11-utils)  # a framed display for the window-place test
# shellcheck disable=SC2206
packages+=(${ORB_SETUP_PACKAGES:-})
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

if [ "$build" = "--install-only" ]; then
    exit 0
fi

cmake -S "$root" -B "$build" -G Ninja "$@"
# ORB_SETUP_TARGETS="a b" builds only those targets.
if [ -n "${ORB_SETUP_TARGETS:-}" ]; then
    # shellcheck disable=SC2086
    cmake --build "$build" --target ${ORB_SETUP_TARGETS}
else
    cmake --build "$build"
fi
