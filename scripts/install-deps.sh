#!/usr/bin/env bash
# Installs the Debian packages Zorva needs to build, test and run, when they are missing.
set -euo pipefail
packages=(
  cmake g++ make pkg-config libgtest-dev
  libsdl2-dev libsdl2-ttf-dev libx11-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libsdl2-image-dev libpango1.0-dev libcairo2-dev libsndfile1-dev libsoxr-dev libsoundtouch-dev fonts-vlgothic
  libespeak-ng-dev espeak-ng libimagequant-dev libtomlplusplus-dev libpng-dev
  libcpp-httplib-dev nlohmann-json3-dev
  libtesseract-dev libleptonica-dev tesseract-ocr-eng tesseract-ocr-deu tesseract-ocr-spa tesseract-ocr-fra libpoppler-cpp-dev libfftw3-dev
  flite festival festvox-kallpc16k festvox-us-slt-hts
  xvfb xauth x11-utils xdotool imagemagick pulseaudio
  chromium chromium-driver python3-selenium
  clang libclang-rt-14-dev
  libarchive-dev
  librsvg2-bin dpkg-dev desktop-file-utils appstream lintian shared-mime-info xdg-utils libfile-mimeinfo-perl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  sudo apt-get update -qq && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
else
  echo "Zorva needs these Debian packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
