#!/usr/bin/env bash
# Sets up and builds ORB, then starts it on its default database.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" "$root/build"
exec "$root/build/src/orb" "$@"
