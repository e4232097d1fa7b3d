#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Zelmaro need.
# Usage: scripts/install-deps.sh [run|test|bench]   (run: build and run; test: and test; bench: and measure)
set -euo pipefail
what=${1:-test}
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

build_pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev
            qt6-qpa-plugins fonts-dejavu-core)
test_pkgs=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool trayer x11-utils
           dbus dbus-x11 python3 python3-dbus python3-gi python3-xlib imagemagick util-linux procps)
# Real tray hosts for the end-to-end tests: XFCE's and LXQt's panels under openbox, GNOME Shell
# headless with the AppIndicator extension (gsettings and gdbus drive it; the program meets it
# over Wayland).
desktop_pkgs=(openbox xfce4-panel lxqt-panel gnome-shell gnome-shell-extension-appindicator
              libglib2.0-bin dconf-gsettings-backend dconf-service qt6-wayland)

pkgs=("${build_pkgs[@]}")
[ "$what" = run ] || pkgs+=("${test_pkgs[@]}" "${desktop_pkgs[@]}")
[ "$what" = bench ] && pkgs+=(conky-std)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The native Wayland tests run the compositor as this unprivileged user (sway refuses root).
if [ "$what" = test ] && ! id zelmarotest >/dev/null 2>&1; then
  $SUDO useradd --system --create-home --home-dir /var/lib/zelmarotest --shell /usr/sbin/nologin zelmarotest
fi
