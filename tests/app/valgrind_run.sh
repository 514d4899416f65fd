#!/usr/bin/env bash
# One headless run under valgrind memcheck: any memory error or leak fails the test. Blocks
# still reachable at exit are listed but are not leaks: the C++ runtime linked into the runner
# keeps its exception-handling pool until the process ends.
# usage: valgrind_run.sh VALGRIND FASTLIC FASTLIC_SAMPLE
set -euo pipefail
valgrind=$1 fastlic=$2 sample=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$sample" "$dir" vortex > /dev/null
cd "$dir"
"$valgrind" --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=all \
  --errors-for-leak-kinds=definite,indirect,possible "$fastlic" > picture.ppm
head -c 15 picture.ppm | cmp - <(printf 'P3\t256\t256\t255\n')
echo "valgrind memcheck: no errors, no leaks"
