#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

PACKAGES=(cmake make g++ clang libclang-rt-14-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64
          fonts-wine fonts-urw-base35 xvfb xauth x11-utils fonts-ipafont-gothic locales libgtest-dev
          googletest libbenchmark-dev imagemagick lhasa file xdotool openbox python3)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  # With the recommended packages: Wine's X11 libraries and clang's sanitizer
  # runtimes come that way.
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
