#!/usr/bin/env bash
# Installs LibreOffice Writer without a desktop, for the interop tests that
# check our RTF against a real peer. Uses sudo when not root.
set -euo pipefail

if command -v soffice >/dev/null 2>&1; then
  exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends libreoffice-writer-nogui
