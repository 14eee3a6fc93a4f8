#!/usr/bin/env bash
# Installs the Debian packages Songloom needs to build, test and run, when
# they are missing. Uses sudo when not root.
#   scripts/install-deps.sh          what building, testing and running need
#   scripts/install-deps.sh fuzz     also clang with libFuzzer and the sanitizers
#   scripts/install-deps.sh wm       also an X server and window manager for the window tests
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libhunspell-dev hunspell-en-us
  fonts-dejavu-core
)
case "${1:-}" in
  fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
  wm) packages+=(xvfb openbox xdotool x11-utils) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
