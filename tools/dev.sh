#!/usr/bin/env bash
# Builds Varnel on Debian 12 and runs it or its tests, installing what is missing.
#   tools/dev.sh run        build and start the application
#   tools/dev.sh test       build and run every test
#   tools/dev.sh sanitize   build with AddressSanitizer and UBSan, run every test
#   tools/dev.sh package    build the Debian package, install it and try the installed copy
#   tools/dev.sh fuzz       build the libFuzzer harnesses and run each for FUZZ_SECONDS (60)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

build_packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
                qt6-l10n-tools qt6-translations-l10n libgl-dev)
test_packages=(xvfb xauth clang pkg-config)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

jobs="$(nproc)"

configure_and_build() {
    local dir="$1"; shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
run)
    install_missing "${build_packages[@]}"
    configure_and_build build -DVARNEL_BUILD_TESTS=OFF
    example="$here/examples/shapes.vnls"
    if [[ -f "$example" ]]; then exec ./build/varnel "$example"; else exec ./build/varnel; fi
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    configure_and_build build-tests -DVARNEL_BUILD_TESTS=ON
    ctest --test-dir build-tests --output-on-failure -j "$jobs"
    ;;
sanitize)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    configure_and_build build-asan -DVARNEL_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
        -DVARNEL_SANITIZE=address,undefined
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
    ;;
package)
    install_missing "${build_packages[@]}" dpkg-dev file desktop-file-utils libxml2-utils \
        shared-mime-info libglib2.0-bin
    configure_and_build build-package -DVARNEL_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX=/usr
    rm -f build-package/varnel_*.deb
    (cd build-package && cpack -G DEB)
    deb="$(ls build-package/varnel_*.deb)"
    apt-get install -y -qq "./$deb"
    out="$(mktemp -d)"
    trap 'rm -rf "$out"' EXIT
    (cd / && varnel --version)
    (cd / && varnel --generate "$here/examples/shapes.vnls" --output "$out")
    test -s "$out/shape.h" && test -s "$out/circle.cpp"
    test -f /usr/share/applications/varnel.desktop
    test -f /usr/share/mime/packages/varnel.xml
    test -f /usr/share/icons/hicolor/48x48/apps/varnel.png
    test -f /usr/share/varnel/cfgs.xml
    test -f /usr/share/varnel/translations/Varnel_en.qm
    # The launcher and the file type pass the desktop's tools without a remark (the MIME
    # database may hold other packages' remarks), and a diagram renamed or sent without
    # its extension is known by its content, while other XML keeps its own type.
    for check in "desktop-file-validate /usr/share/applications/varnel.desktop" \
                 "xmllint --noout /usr/share/mime/packages/varnel.xml" \
                 "update-mime-database /usr/share/mime"; do
        said="$($check 2>&1)"
        if [[ "$check" == update* ]]; then said="$(grep -i varnel <<<"$said" || true)"; fi
        if [[ -n "$said" ]]; then echo "$check: $said" >&2; exit 1; fi
    done
    type_of() {
        printf '<?xml version="1.0"?>\n%s\n' "$1" >"$out/renamed"
        gio info -a standard::content-type "$out/renamed" | sed -n 's/^ *standard::content-type: //p'
    }
    test "$(type_of '<main name="S" ></main>')" = application/x-varnel-diagram
    test "$(type_of '<svg xmlns="http://www.w3.org/2000/svg"/>')" = image/svg+xml
    echo "package: $deb installs and generates code"
    ;;
fuzz)
    # libFuzzer's runtime is only a recommendation of clang's.
    install_missing "${build_packages[@]}" clang libclang-rt-14-dev
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DVARNEL_BUILD_FUZZERS=ON -DVARNEL_BUILD_TESTS=OFF
    # Only the harnesses: the library is built for them, which the program cannot link.
    cmake --build build-fuzz -j "$jobs" --target fuzz_diagramreader fuzz_cfgreader \
        fuzz_readfromfile fuzz_xmlscanner
    # Inputs up to a megabyte reach the paths where a few bytes expand into many.
    for name in diagramreader:diagram cfgreader:cfg readfromfile:file xmlscanner:diagram; do
        work="$(mktemp -d)"
        "build-fuzz/tests/fuzz/fuzz_${name%%:*}" -max_len=1048576 -timeout=20 -rss_limit_mb=2048 \
            -max_total_time="${FUZZ_SECONDS:-60}" -dict=tests/fuzz/xml.dict \
            -artifact_prefix="build-fuzz/" "$work" "tests/fuzz/corpus/${name##*:}"
        rm -rf "$work"
    done
    ;;
*)
    echo "usage: $0 run|test|sanitize|package|fuzz" >&2
    exit 2
    ;;
esac
