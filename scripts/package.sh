#!/usr/bin/env bash
# Builds ORB for release and makes its Debian package with CPack; prints the path of the .deb.
#   scripts/package.sh [BUILD_DIR]      (default: build-package/)
# Install it with:  sudo apt-get install ./orb_VERSION_ARCH.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-package}"

# dpkg-dev reads the libraries the program needs (dpkg-shlibdeps) and gives the distribution's
# hardening flags; the rest are the checkers the package test runs and what the package's
# files are made for.
export ORB_SETUP_PACKAGES="dpkg-dev fakeroot file gzip lintian appstream desktop-file-utils
    shared-mime-info libglib2.0-bin bash-completion man-db xdg-utils"

# The distribution's own compiler and linker flags: fortified functions, a read-only
# relocation table, bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
"$root/scripts/setup.sh" --install-only >&2
flags() { dpkg-buildflags --get "$1"; }
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DORB_BUILD_TESTS=OFF \
    -DORB_BUILD_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)" >&2

out="$build/deb"
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >&2)
deb=("$out"/orb_*.deb)
if [ ! -f "${deb[0]}" ]; then
    echo "No package was made." >&2
    exit 1
fi
echo "${deb[0]}"
