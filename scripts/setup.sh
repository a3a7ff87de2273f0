# Shared by scripts/play, scripts/test and scripts/soak: installs the Debian packages the
# build needs (only the missing ones) and builds a configuration.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev
  libegl-mesa0 libgl1-mesa-dri
  libcairo2-dev fonts-dejavu-core libmp3lame-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  appstream desktop-file-utils  # the install test validates the desktop files with these
  valgrind  # the memcheck run of scripts/soak
)
# Only scripts/fuzz needs these: clang with its fuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

install_missing_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then return 0; fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The test configuration (build-test) of scripts/test and scripts/soak: both
# sanitizers, at -O1 with line tables only: the sanitizers' reports keep file
# and line, and the build takes about a third less time than at -O2 with full
# debug information.
TEST_CONFIG=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARVO_SANITIZE=ON
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DZARVO_BENCH=OFF)

# build_config DIR [cmake options...]: configures and builds everything,
# the game data included.
build_config() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
