#!/usr/bin/env bash
# Installs the Debian packages Songloom needs to build, test and run, when
# they are missing. Uses sudo when not root.
#   scripts/install-deps.sh          what building, testing, running and the
#                                    benchmarks need (hunspell is the spell
#                                    benchmark's yardstick)
#   scripts/install-deps.sh fuzz     also clang with libFuzzer and the sanitizers
#   scripts/install-deps.sh wm       also an X server and window manager for the window tests
#   scripts/install-deps.sh package  also what `make deb` and scripts/ci-package.sh need:
#                                    dpkg-shlibdeps, help2man for the man pages, the desktop
#                                    entry and AppStream validators, and an X server to
#                                    start the installed program in
#   scripts/install-deps.sh icons    also rsvg-convert and ImageMagick, which render
#                                    the icon's PNGs (scripts/render-icons.sh)
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-qpa-plugins libgl-dev
  libhunspell-dev hunspell-en-us
  hunspell
  fonts-dejavu-core
)
case "${1:-}" in
  fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
  wm) packages+=(xvfb openbox xdotool x11-utils) ;;
  package)
    packages+=(dpkg-dev file help2man desktop-file-utils appstream
               xvfb openbox xdotool x11-utils imagemagick) ;;
  icons) packages+=(librsvg2-bin imagemagick) ;;
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
