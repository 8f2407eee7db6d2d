# Builds Qt 6 base for Windows x86-64 once, from Debian's own source, into a
# cache outside the repository. Source it after setup.sh; do not run it.

source "$(dirname "${BASH_SOURCE[0]}")/windows_env.sh"
QT_WINDOWS_WORK=${QT_WINDOWS_DIR}.work
# How Qt for Windows is configured; the zip's third-party notice repeats it.
QT_WINDOWS_CONFIGURE=(-release -xplatform win32-g++ -nomake tests -nomake examples -no-opengl -no-feature-vulkan
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-dbus -no-feature-concurrent
    -no-feature-tabletevent -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-icu)

qt_windows_ready() {
    [ -f "$QT_WINDOWS_DIR/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake" ] &&
        [ -f "$QT_WINDOWS_DIR/lib/cmake/Qt6Test/Qt6TestConfig.cmake" ] &&
        [ -f "$QT_WINDOWS_DIR/plugins/platforms/qwindows.dll" ] &&
        [ -f "$QT_WINDOWS_DIR/plugins/platforms/qoffscreen.dll" ]
}

# apt-get source needs a deb-src entry; add one for the Debian archives and
# suites that the machine's own deb entries use (same options and keys), in a
# file of its own.
ensure_deb_src() {
    apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$' && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    local list=/etc/apt/sources.list.d/vevadudori-deb-src
    shopt -s nullglob
    # One-line entries: "deb [options] URI suite components".
    local one_line=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
    [ -e "${one_line[0]}" ] || one_line=("${one_line[@]:1}")
    cat /dev/null "${one_line[@]}" |
        sed -n 's/^[[:space:]]*deb\([[:space:]].*debian.*\)$/deb-src\1/p' | "${sudo[@]}" tee "$list.list" >/dev/null
    # deb822 stanzas: the same stanza with "Types: deb-src".
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && /(^|\n)URIs:[^\n]*debian/ {
                 sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$file"
    done | "${sudo[@]}" tee "$list.sources" >/dev/null
    [ -s "$list.list" ] || "${sudo[@]}" rm -f "$list.list"
    [ -s "$list.sources" ] || "${sudo[@]}" rm -f "$list.sources"
    [ -e "$list.list" ] || [ -e "$list.sources" ] ||
        { echo "No Debian deb entry found to derive a deb-src entry from." >&2; return 1; }
    "${sudo[@]}" apt-get update -qq
}

build_qt_windows() {
    qt_windows_ready && return 0
    echo "Building Qt $QT_WINDOWS_VERSION for Windows once into $QT_WINDOWS_DIR (over an hour on 2 cores)"
    ensure_deb_src
    mkdir -p "$QT_WINDOWS_WORK"
    # Only Debian's source of exactly this version: the cache folder bears its
    # number, and the program is tested against it.
    local source
    source=$(find "$QT_WINDOWS_WORK" -maxdepth 1 -type d -name "qt6-base-$QT_WINDOWS_VERSION*" | head -n1)
    if [ -z "$source" ]; then
        # apt-get source takes an exact version only; pick Debian's revision of ours.
        local debian_version
        debian_version=$(apt-cache showsrc qt6-base 2>/dev/null | sed -n 's/^Version: //p' |
            grep -m1 -E "^${QT_WINDOWS_VERSION//./\\.}([+-]|$)" || true)
        (cd "$QT_WINDOWS_WORK" && apt-get source --download-only "qt6-base=${debian_version:-$QT_WINDOWS_VERSION}" &&
            dpkg-source -x ./qt6-base_"$QT_WINDOWS_VERSION"*.dsc) >"$QT_WINDOWS_WORK/source.log" 2>&1 || {
            tail -n 20 "$QT_WINDOWS_WORK/source.log" >&2
            echo "Debian's source of qt6-base $QT_WINDOWS_VERSION could not be fetched (above; the whole log:" \
                "$QT_WINDOWS_WORK/source.log). The Windows build needs exactly that version: when Debian has" \
                "moved on, change QT_WINDOWS_VERSION in scripts/lib/windows_env.sh." >&2
            return 1
        }
        source=$(find "$QT_WINDOWS_WORK" -maxdepth 1 -type d -name "qt6-base-$QT_WINDOWS_VERSION*" | head -n1)
        [ -n "$source" ] || { echo "No qt6-base-$QT_WINDOWS_VERSION folder in $QT_WINDOWS_WORK after unpacking its source" >&2; return 1; }
    fi
    local build=$QT_WINDOWS_WORK/build
    mkdir -p "$build"
    (cd "$build" && "$source/configure" -prefix "$QT_WINDOWS_DIR" -qt-host-path /usr "${QT_WINDOWS_CONFIGURE[@]}" -- \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_TOOLCHAIN_FILE="$REPO_ROOT/cmake/mingw-w64-x86_64.cmake" >"$build/configure.log" 2>&1) ||
        { tail -n 40 "$build/configure.log" >&2; return 1; }
    cmake --build "$build" --parallel "$JOBS" >"$build/build.log" 2>&1 || { tail -n 40 "$build/build.log" >&2; return 1; }
    cmake --install "$build" >/dev/null
    qt_windows_ready && rm -rf "$QT_WINDOWS_WORK"
}
