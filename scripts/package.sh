#!/usr/bin/env bash
# Builds the Debian package dist/merivane_<version>_amd64.deb: the programs
# built in build-pkg/ with Debian's flags (hardening, no build paths), without
# the tests and benchmarks, and packed by CPack's DEB generator with its
# dependencies from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
bash scripts/build.sh build-pkg -DCMAKE_BUILD_TYPE=None -DMERIVANE_TESTS=OFF -DMERIVANE_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags"
rm -rf dist/_CPack_Packages
cpack -G DEB -B dist --config build-pkg/CPackConfig.cmake
rm -rf dist/_CPack_Packages
ls -l dist/merivane_*_amd64.deb
