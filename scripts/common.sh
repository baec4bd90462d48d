# Shared by run.sh and test.sh: install what is missing, then configure and build.
# shellcheck shell=bash

SW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SW_BUILD=${SW_BUILD:-$SW_ROOT/build}

SW_PACKAGES=(
    g++ cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite
    qt6-qpa-plugins
    qt6-translations-l10n
    libjpeg62-turbo-dev libjpeg-turbo-progs
    libpng-dev libtiff-dev netpbm
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-arphic-uming fonts-noto-cjk fonts-liberation2 fonts-dejavu-core
    xvfb xauth x11-apps x11-utils imagemagick xdotool
    cups cups-client cups-bsd printer-driver-cups-pdf
    ghostscript poppler-utils
    libqt6sql6-psql postgresql libpq-dev
    dpkg-dev help2man librsvg2-bin desktop-file-utils appstream shared-mime-info
    xdg-utils libfile-mimeinfo-perl
    clang libclang-rt-dev
    libzint-dev libzxing-dev libxlsxwriter-dev python3-openpyxl
    lintian
)

sw_install_missing() {
    local missing=()
    for p in "${SW_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Builds in Release, the configuration bench/ measures, which the package ships.
sw_build() {
    if [ ! -f "$SW_BUILD/build.ninja" ] ||
        ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$SW_BUILD/CMakeCache.txt"; then
        cmake -S "$SW_ROOT" -B "$SW_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release
    fi
    cmake --build "$SW_BUILD" -j "$(nproc)"
}
