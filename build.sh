#!/usr/bin/env bash
# Sets up a Debian machine for Orvane, builds it, and starts it or runs the tests.
#   ./build.sh run    install what is missing, build, start the application
#   ./build.sh test   install what is missing, build, run every test, then each fuzz target 15 s
#   ./build.sh deb    install what is missing, build, make the Debian package in the build folder
#   ./build.sh fuzz [SECONDS]   build the fuzz targets (clang) and run each SECONDS (default 60)
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libjpeg62-turbo-dev libgtest-dev adwaita-icon-theme fonts-noto-cjk poppler-utils
          qt6-image-formats-plugins libpoppler-qt6-dev qt6-svg-dev
          desktop-file-utils shared-mime-info dpkg-dev file clang libclang-rt-14-dev llvm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ "${1:-run}" = fuzz ]; then
  exec fuzz/run.sh "${2:-60}"
fi

build_dir=${ORVANE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

case "${1:-run}" in
  run)  exec "$build_dir/orvane" "${@:2}" ;;
  test) QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
        fuzz/run.sh 15 ;;
  deb)  (cd "$build_dir" && cpack -G DEB) ;;
  *)    echo "usage: $0 run|test|deb|fuzz [SECONDS]" >&2; exit 2 ;;
esac
