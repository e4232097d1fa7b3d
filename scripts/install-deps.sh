#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Zelmaro need.
# Usage: scripts/install-deps.sh [run|deb|test|bench]
#   run: build and run; deb: and build the Debian package; test: and test; bench: and measure
set -euo pipefail
what=${1:-test}
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

build_pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev
            qt6-qpa-plugins fonts-dejavu-core)
test_pkgs=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool trayer x11-utils
           dbus dbus-x11 python3 python3-dbus python3-gi python3-xlib imagemagick util-linux procps
           clang-14 libclang-rt-14-dev openbox locales fonts-cantarell fonts-liberation2
           lintian desktop-file-utils appstream man-db lxqt-panel)
deb_pkgs=(dpkg-dev file)

pkgs=("${build_pkgs[@]}")
[ "$what" = run ] || pkgs+=("${deb_pkgs[@]}")
[ "$what" = run ] || [ "$what" = deb ] || pkgs+=("${test_pkgs[@]}")
[ "$what" = bench ] && pkgs+=(conky-std)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A comma-decimal locale for the end-to-end tests.
if [ "$what" != run ] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
