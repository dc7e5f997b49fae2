#!/usr/bin/env bash
# Installs what building, running and testing need on Debian or Ubuntu, only
# when something is missing. Safe to run again.
set -euo pipefail

# The screen reader test reads the window over AT-SPI: dbus, at-spi2-core and
# the Python bindings.
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
          fonts-dejavu-core locales xvfb xauth desktop-file-utils appstream lintian
          dbus at-spi2-core gir1.2-atspi-2.0 python3-gi
          # The Windows build, tested under Wine: Wine's own Tahoma and MS Sans
          # Serif for the window's fonts, xdotool to drive the window under Xvfb.
          g++-mingw-w64-x86-64-posix googletest wine wine64 fonts-wine xdotool)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Tests check number handling under a German locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
