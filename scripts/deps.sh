#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing and packaging
# Merivane need, but only those that are missing: with everything present it
# runs no apt-get and makes no network call.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6svg6 qt6-svg-dev
  libsimpleini-dev
  fonts-wine fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick
  poppler-utils
  clang libclang-rt-dev
  # the German locale that the Touchstone reader's tests read numbers under
  locales
  # the package: man pages from --help, PNG icons from the SVG, the checks
  help2man librsvg2-bin dpkg-dev fakeroot file lintian desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
  # "installed" whether held or not; anything else (absent, removed with its
  # configuration left, half installed) is missing
  status=$(dpkg-query -W -f='${db:Status-Status}\n' "$p" 2>/dev/null || true)
  grep -qx installed <<<"$status" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Touchstone reader's tests read numbers under a locale whose decimal
# point is a comma; made here only when the machine lacks it.
locales_made=$(locale -a 2>/dev/null || true)
if ! grep -qiE '^de_DE\.utf-?8$' <<<"$locales_made"; then
  echo "Making the locale de_DE.UTF-8"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "de_DE.UTF-8 could not be made: the locale test will be skipped" >&2
fi
