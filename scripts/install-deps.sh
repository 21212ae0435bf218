#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(cmake ninja-build g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          fonts-dejavu-core clang libclang-rt-14-dev libspng-dev libgif-dev libcli11-dev
          xa65 cc65 acme 64tass dasm pasmo z80asm sdcc
          # the desktop checks: validators, the package tools, a virtual X display and its driver
          desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev
          xvfb xdotool x11-apps python3)

# Only the benchmarks compare with these: `scripts/install-deps.sh --bench` adds them.
bench_packages=(imagemagick python3-pil)
[ "${1:-}" = "--bench" ] && packages+=("${bench_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
