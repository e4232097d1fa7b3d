#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zelmaro need, on Debian 12
# (bookworm) and 13 (trixie): every name below exists in both (unversioned where the versions
# differ, as clang).
# Usage: scripts/install-deps.sh [run|deb|test|bench|windows|debian13]
#   run: build and run; deb: and build the Debian package; test: and test; bench: and measure;
#   windows: cross-build the Windows program and run its tests under Wine (test includes it);
#   debian13: only what `make test-debian13` needs here to make its Debian 13 chroot
set -euo pipefail
what=${1:-test}
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# qt6-qpa-plugins and qt6-wayland: the toolkit's X11 and Wayland platform plugins, so the
# program runs in either kind of desktop session.
build_pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev libsystemd-dev
            qt6-qpa-plugins qt6-wayland fonts-dejavu-core)
test_pkgs=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool trayer x11-utils
           dbus dbus-x11 python3 python3-dbus python3-gi python3-xlib imagemagick util-linux procps
           clang libclang-rt-dev openbox locales fonts-cantarell fonts-liberation2
           lintian desktop-file-utils appstream man-db lxqt-panel sway swaybg waybar grim passwd)
deb_pkgs=(dpkg-dev file)
# The Windows build: mingw-w64's "-posix" compilers (their C++ library has std::thread and
# std::mutex), Wine to run the tests, GoogleTest's sources to build for Windows, NSIS for the
# installer, zip for the portable archive (unzip to test it); and for the program's own tests, a
# desktop to meet it in (openbox, trayer, a session bus) and the tools that drive and look at it.
windows_pkgs=(cmake ninja-build mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 googletest xvfb xauth
              nsis zip unzip openbox trayer dbus xdotool x11-utils imagemagick python3 python3-xlib util-linux)

if [ "$what" = windows ]; then
  pkgs=("${windows_pkgs[@]}")
else
  pkgs=("${build_pkgs[@]}")
fi
[ "$what" = run ] || [ "$what" = windows ] || pkgs+=("${deb_pkgs[@]}")
# Real tray hosts for the end-to-end tests: XFCE's panel (LXQt's and openbox come with the
# test packages), GNOME Shell headless with the AppIndicator extension (gsettings and gdbus drive
# it; the program meets it over Wayland), KDE Plasma's shell and its XEmbed proxy.
desktop_pkgs=(xfce4-panel gnome-shell gnome-shell-extension-appindicator libglib2.0-bin
              dconf-gsettings-backend dconf-service qt6-wayland plasma-workspace plasma-desktop)
[ "$what" = test ] || [ "$what" = bench ] && pkgs+=("${test_pkgs[@]}" "${desktop_pkgs[@]}")
[ "$what" = test ] && pkgs+=("${windows_pkgs[@]}")
[ "$what" = bench ] && pkgs+=(conky-std)
[ "$what" = debian13 ] && pkgs=(debootstrap debian-archive-keyring)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
[ "$what" = debian13 ] && exit 0
# The Wayland compositors of the tests (sway refuses root, GNOME Shell) run as this unprivileged user.
if [ "$what" = test ] && ! id zelmarotest >/dev/null 2>&1; then
  $SUDO useradd --system --create-home --home-dir /var/lib/zelmarotest --shell /usr/sbin/nologin zelmarotest
fi
# A comma-decimal locale for the end-to-end tests.
if [ "$what" != run ] && [ "$what" != windows ] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
