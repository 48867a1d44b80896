#!/usr/bin/env bash
# Installs every Debian package that building, testing and running need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev      # native build, sanitizers, libFuzzer
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools  # Windows cross builds
  googletest                                          # GoogleTest sources for every build
  wine64 wine                                         # runs the Windows build and its tests
  xvfb xauth x11-apps imagemagick                     # windows on a virtual display, screenshots
  fonts-ipafont-gothic locales                        # a Japanese font; the ja_JP locale gives code page 932
  gawk time                                           # benchmark reference and peak-memory figures
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 must exist for code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  if [ -f /etc/locale.gen ] && grep -q '^# *ja_JP.UTF-8' /etc/locale.gen; then
    $sudo sed -i 's/^# *\(ja_JP.UTF-8\)/\1/' /etc/locale.gen
  else
    echo "ja_JP.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
