#!/usr/bin/env bash
# Installs the Debian packages a target needs, only those that are missing.
# usage: scripts/install-deps.sh demo|test
set -euo pipefail

case "${1:-}" in
  demo) packages=(cmake ninja-build g++) ;;
  test) packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
                  qt6-base-dev libx11-dev xvfb xdotool valgrind) ;;
  *) echo "usage: $0 demo|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
