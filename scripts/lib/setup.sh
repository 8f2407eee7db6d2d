# Shared by the scripts: installs the Debian packages that are missing and
# configures the build tree. Source it; do not run it.

REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$REPO_ROOT/scripts/lib/utf8_locale.sh"
JOBS=$(nproc 2>/dev/null || echo 2)

# fonts-liberation2: the Arial-metric face that stands in for MS Sans Serif on Linux.
BUILD_PACKAGES=(build-essential cmake qt6-base-dev libgl-dev fonts-liberation2 libcli11-dev nlohmann-json3-dev ccache)
TEST_PACKAGES=(libgtest-dev libgmock-dev locales fonts-dejavu-core xvfb xdotool x11-utils imagemagick python3 desktop-file-utils appstream ansible-core ansible-lint python3-voluptuous pylint python3-pycodestyle python3-venv yamllint)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
LINT_PACKAGES=(clang-tidy clang-format)
BENCH_PACKAGES=(libbenchmark-dev hyperfine time xvfb xdotool valgrind python3)
# The Debian packages: man pages, library dependencies, their checks, and the
# Debian 12 root that the install test puts them into.
PACKAGE_PACKAGES=(help2man dpkg-dev lintian appstream debootstrap)

# A fresh Debian 12 system made by debootstrap, kept between runs; the install
# test changes only an overlay over it.
DEBIAN_ROOT=${VEVADUDORI_DEBIAN_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/vevadudori/debian12-root}
DEBIAN_MIRROR=${VEVADUDORI_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# Installs every package of the arguments that dpkg does not know as installed.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
}

# The number tests run under a comma-decimal locale as well; under Wine,
# ru_RU.UTF-8 gives the Windows programs the ANSI code page 1251.
ensure_locale() {
    local wanted missing=()
    for wanted in de_DE ru_RU; do
        locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8\$" || missing+=("$wanted.UTF-8")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    for wanted in "${missing[@]}"; do
        "${sudo[@]}" sed -i "s/^# *\($wanted UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$wanted UTF-8" /etc/locale.gen || echo "$wanted UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    done
    "${sudo[@]}" locale-gen >/dev/null
}

# usage_error: the script's usage line (USAGE) on standard error and exit
# status 2. Every script calls it for an argument it does not know, before it
# installs or builds anything.
usage_error() {
    echo "usage: $USAGE" >&2
    exit 2
}

# Each build tree is described once, by its preset in CMakePresets.json, and
# lives in its own folder: build/ for the preset "run", build-<preset> for the others.
build_folder() {
    if [ "$1" = run ]; then echo "$REPO_ROOT/build"; else echo "$REPO_ROOT/build-$1"; fi
}

# configure_and_build PRESET [options of cmake --build...]
# Compiled objects are kept in ccache's folder outside the repository (the
# presets' launcher, with paths relative to the checkout), so that a fresh
# checkout anywhere compiles only what changed.
configure_and_build() {
    local preset=$1
    shift
    (cd "$REPO_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j"$JOBS" "$@")
}
