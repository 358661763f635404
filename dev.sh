#!/usr/bin/env bash
# Quillon's two set-up commands for a Debian machine:
#   ./dev.sh run    installs what is missing, builds, and starts the program
#   ./dev.sh test   installs what is missing, builds, and runs every test: the plain build, the
#                   Debian package check, the core and file-format tests under ASan/UBSan, the
#                   lookup tests under TSan and, when clang is there, a minute of fuzzing of the
#                   file readers
# Both reuse an existing build and download nothing that is already installed.
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ pkgconf qt6-base-dev libsqlite3-dev libcurl4-openssl-dev
    libidn2-dev libicu-dev libc-ares-dev librsvg2-bin)
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev clang libclang-rt-dev man-db bash-completion
    python3 python3-dnslib file dpkg-dev lintian desktop-file-utils appstream openssl curl)
JOBS=$(nproc)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
}

# configure <folder> [cmake options...]
configure() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
}

# compile <folder> [targets...]
compile() {
    local folder=$1
    shift
    local targets=()
    for target in "$@"; do targets+=(--target "$target"); done
    cmake --build "$folder" -j "$JOBS" "${targets[@]}"
}

# The Debian package made from the plain build: validated, installed, tried and removed again.
check_package() {
    for tool in cpack dpkg-shlibdeps lintian desktop-file-validate appstreamcli python3; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool is not installed: package check skipped."
            return 0
        fi
    done
    packaging/check-package.sh build
}

run_fuzzer() {
    if ! command -v clang++ >/dev/null; then
        echo "clang is not installed: fuzzing skipped."
        return 0
    fi
    CC=clang CXX=clang++ configure build-fuzz -DQUILLON_FUZZ=ON -DQUILLON_BUILD_TESTS=OFF \
        -DQUILLON_BUILD_BENCH=OFF
    compile build-fuzz archive_fuzz
    mkdir -p build-fuzz/corpus
    cp -n tests/fuzz/corpus/* build-fuzz/corpus/
    build-fuzz/tests/fuzz/archive_fuzz -max_total_time=60 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 build-fuzz/corpus
}

case "${1:-}" in
run)
    install_missing "${BUILD_PACKAGES[@]}"
    configure build -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF
    compile build
    exec build/src/shell/quillon "${@:2}"
    ;;
test)
    install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure build -DQUILLON_BUILD_TESTS=ON -DQUILLON_BUILD_BENCH=ON
    compile build
    ctest --test-dir build --output-on-failure -j "$JOBS"
    check_package
    # The file formats (documents, the TLD table, answers, exports) under ASan and UBSan.
    configure build-asan -DQUILLON_SANITIZE=ON -DQUILLON_BUILD_BENCH=OFF
    compile build-asan tests-fileformat
    ctest --test-dir build-asan -L fileformat --output-on-failure -j "$JOBS"
    # The lookup engine's threads under ThreadSanitizer.
    configure build-tsan -DQUILLON_TSAN=ON -DQUILLON_BUILD_BENCH=OFF
    compile build-tsan tests-lookup
    # Qt's own host-lookup threads synchronise through Qt's uninstrumented atomics, which the
    # sanitizer now and then reports as a race inside Qt alone; a test that fails is run once more.
    ctest --test-dir build-tsan -L lookup --output-on-failure -j "$JOBS" --repeat until-pass:2
    run_fuzzer
    ;;
*)
    echo "Usage: $0 run|test" >&2
    exit 2
    ;;
esac
