#!/usr/bin/env bash
# Builds the headless runner, renders a sample flow and prints where the picture is.
# usage: scripts/demo.sh [vortex|saddle|mix]
set -euo pipefail
cd "$(dirname "$0")/.."
flow=${1:-mix}

scripts/install-deps.sh demo
cmake --preset demo
cmake --build --preset demo
build/demo/src/fastlic-sample build/demo-run "$flow"
(cd build/demo-run && ../demo/src/fastlic > picture.ppm)
echo "picture: $(pwd)/build/demo-run/picture.ppm"
