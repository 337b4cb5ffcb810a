#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Wavix needs.
# Run as root it installs what is missing; otherwise it prints the command to run.
# `install-deps.sh fuzz` adds what the fuzz targets need (clang and its
# libFuzzer runtime), `install-deps.sh deb` what building and checking the
# Debian package needs (make deb), `install-deps.sh bench` the window manager
# the animation benchmark runs under; nothing else asks for those.
set -euo pipefail

PACKAGES=(
  g++ make cmake
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6
  qt6-translations-l10n qt6-qpa-plugins
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  xdg-utils
  libsodium-dev
  libxcb1-dev
)

FUZZ_PACKAGES=(
  clang-14 libclang-rt-14-dev
)

DEB_PACKAGES=(
  debhelper dpkg-dev fakeroot lintian appstream
)

BENCH_PACKAGES=(
  openbox
)

case "${1:-}" in
  fuzz) PACKAGES+=("${FUZZ_PACKAGES[@]}") ;;
  deb) PACKAGES+=("${DEB_PACKAGES[@]}") ;;
  bench) PACKAGES+=("${BENCH_PACKAGES[@]}") ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Paquets manquants : ${missing[*]}"
  echo "Installez-les avec :"
  echo "  sudo sh -c 'apt-get update && apt-get install -y ${missing[*]}'"
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
