#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang clang-format
  qt6-base-dev libqt6opengl6-dev libgl-dev libegl-dev libgl1-mesa-dri
  libsdl2-dev libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic xvfb xauth
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
