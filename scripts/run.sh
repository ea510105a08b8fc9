#!/usr/bin/env bash
# Starts Tachlet in the examples folder so a newcomer sees run files at once.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top/examples"
exec "$top/$build/app/tachlet"
