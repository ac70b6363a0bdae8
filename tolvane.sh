#!/usr/bin/env bash
# Sets up, builds and runs Tolvane on a Debian 12 machine.
#
#   ./tolvane.sh demo     install what is missing, build, export the built-in demo document into
#                         out/demo/ through "Export and Run" and list what it wrote
#   ./tolvane.sh test     install what is missing, build, run the whole test suite
#   ./tolvane.sh build    install what is missing and build only
#   ./tolvane.sh fuzz TARGET SECONDS   build the fuzz targets with clang and run one of them
#
# BUILD_DIR (default: build) and JOBS (default: 2) may be set in the environment.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=${BUILD_DIR:-$top/build}
jobs=${JOBS:-2}

packages=(build-essential cmake pkg-config libtinyxml-dev libgtest-dev libgmock-dev
          libbenchmark-dev libtiff-dev libpng-dev libcli11-dev)
fuzz_packages=(clang libclang-rt-14-dev)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

build() {
    install_missing "${packages[@]}"
    cmake -S "$top" -B "$build_dir" -DTOLVANE_WERROR=ON >/dev/null
    cmake --build "$build_dir" -j "$jobs"
}

case "${1:-}" in
demo)
    build
    shift
    # Further arguments go to the export, e.g. --frames 0:2 or --run --renderer DIR.
    exec "$build_dir/bin/tolvane-host" export --demo "$top/out/demo/demo.zvs" "$@"
    ;;
test)
    build
    cd "$build_dir"
    exec ctest --output-on-failure -j "$jobs"
    ;;
build)
    build
    ;;
fuzz)
    target=${2:?usage: ./tolvane.sh fuzz TARGET SECONDS}
    seconds=${3:-60}
    install_missing "${packages[@]}" "${fuzz_packages[@]}"
    fuzz_dir=${FUZZ_BUILD_DIR:-$top/build-fuzz}
    cmake -S "$top" -B "$fuzz_dir" -DCMAKE_CXX_COMPILER=clang++ -DTOLVANE_FUZZ=ON \
        -DTOLVANE_TESTS=OFF -DTOLVANE_BENCH=OFF >/dev/null
    cmake --build "$fuzz_dir" -j "$jobs" --target "fuzz_$target"
    corpus="$fuzz_dir/corpus/$target"
    mkdir -p "$corpus"
    exec "$fuzz_dir/bin/fuzz_$target" -max_total_time="$seconds" "$corpus" "$top/fuzz/seeds/$target"
    ;;
*)
    sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
