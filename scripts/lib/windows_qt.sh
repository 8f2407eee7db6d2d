# Builds Qt 6 base for Windows x86-64 once, from Debian's own source, into a
# cache outside the repository. Source it after setup.sh; do not run it.

source "$(dirname "${BASH_SOURCE[0]}")/windows_env.sh"
QT_WINDOWS_WORK=${QT_WINDOWS_DIR}.work
# How Qt for Windows is configured; the zip's third-party notice repeats it.
QT_WINDOWS_CONFIGURE=(-release -xplatform win32-g++ -nomake tests -nomake examples -no-opengl -no-feature-vulkan
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-dbus -no-feature-concurrent
    -no-feature-tabletevent -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-icu)

# A complete prefix of Qt for Windows, as the cross build and the suite use
# it: these files, and the version in the first of them.
QT_WINDOWS_PREFIX_FILES=(include/QtCore/qconfig.h lib/cmake/Qt6/qt.toolchain.cmake
    lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake lib/cmake/Qt6Test/Qt6TestConfig.cmake
    bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll
    plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll)
# The folder that an archive of the prefix holds: the cache's own name for it.
QT_WINDOWS_ARCHIVE_FOLDER=qt-$QT_WINDOWS_VERSION-mingw

# The version of Qt that a prefix's qconfig.h, on standard input, names.
qt_version_in_qconfig() {
    sed -n 's/^#define QT_VERSION_STR "\(.*\)"$/\1/p'
}

qt_windows_ready() {
    local file
    for file in "${QT_WINDOWS_PREFIX_FILES[@]}"; do
        [ -f "$QT_WINDOWS_DIR/$file" ] || return 1
    done
    [ "$(qt_version_in_qconfig <"$QT_WINDOWS_DIR/${QT_WINDOWS_PREFIX_FILES[0]}")" = "$QT_WINDOWS_VERSION" ]
}

# import_qt_windows_archive FILE
# Unpacks a prefix of Qt for Windows that --export-qt wrote (or the shared
# build's archive) into the cache, where the cache lacks one. Before anything is
# unpacked, refuses with status 2 and a message an archive whose SHA-256
# differs from the one that a SHA256SUMS beside it names, or that does not hold
# a complete prefix of Qt $QT_WINDOWS_VERSION in its folder $QT_WINDOWS_ARCHIVE_FOLDER/.
import_qt_windows_archive() {
    local archive=$1
    local name sums expected
    name=$(basename "$archive")
    sums=$(dirname "$archive")/SHA256SUMS
    [ -f "$archive" ] || { echo "The Qt archive $archive does not exist." >&2; return 2; }
    if [ -f "$sums" ]; then
        expected=$(awk -v name="$name" '$2 == name || $2 == "*" name { print $1 }' "$sums")
        [ -n "$expected" ] || { echo "$sums names no checksum of $name; the archive is not used." >&2; return 2; }
        [ "$(sha256sum <"$archive" | cut -d' ' -f1)" = "$expected" ] ||
            { echo "The Qt archive $archive does not match its SHA-256 in $sums; it is not used." >&2; return 2; }
    fi
    local listing missing=() file version
    listing=$(tar -tJf "$archive" 2>/dev/null) || { echo "The Qt archive $archive is not a tar.xz archive." >&2; return 2; }
    for file in "${QT_WINDOWS_PREFIX_FILES[@]}"; do
        grep -qxF "$QT_WINDOWS_ARCHIVE_FOLDER/$file" <<<"$listing" || missing+=("$file")
    done
    if [ ${#missing[@]} -ne 0 ]; then
        echo "The Qt archive $archive holds no complete prefix of Qt $QT_WINDOWS_VERSION in" \
            "$QT_WINDOWS_ARCHIVE_FOLDER/ (missing: ${missing[*]}); it is not used." >&2
        return 2
    fi
    version=$(tar -xJOf "$archive" "$QT_WINDOWS_ARCHIVE_FOLDER/${QT_WINDOWS_PREFIX_FILES[0]}" | qt_version_in_qconfig)
    if [ "$version" != "$QT_WINDOWS_VERSION" ]; then
        echo "The Qt archive $archive holds Qt ${version:-of no version}; the scripts expect Qt $QT_WINDOWS_VERSION." \
            "It is not used." >&2
        return 2
    fi
    if qt_windows_ready; then
        echo "Qt $QT_WINDOWS_VERSION for Windows is already in $QT_WINDOWS_DIR; the archive $archive is not unpacked."
        return 0
    fi
    echo "Unpacking Qt $QT_WINDOWS_VERSION for Windows from $archive into $QT_WINDOWS_DIR"
    # Unpacked beside the cache's folder and moved into place whole, so that an
    # interrupted import leaves no half prefix that looks complete.
    local parent unpacked
    parent=$(dirname "$QT_WINDOWS_DIR")
    mkdir -p "$parent"
    unpacked=$(mktemp -d "$QT_WINDOWS_DIR.import.XXXXXX")
    tar -xJf "$archive" -C "$unpacked" "$QT_WINDOWS_ARCHIVE_FOLDER" || { rm -rf "$unpacked"; return 1; }
    rm -rf "$QT_WINDOWS_DIR"
    mv "$unpacked/$QT_WINDOWS_ARCHIVE_FOLDER" "$QT_WINDOWS_DIR"
    rm -rf "$unpacked"
}

# export_qt_windows_archive FILE
# Writes the cache's prefix as an archive that import_qt_windows_archive takes:
# a tar.xz of the folder $QT_WINDOWS_ARCHIVE_FOLDER/, and its SHA-256 in a
# SHA256SUMS beside it (a line of another file there is kept).
export_qt_windows_archive() {
    local archive=$1
    qt_windows_ready || { echo "Qt for Windows is not built in $QT_WINDOWS_DIR; run ./scripts/windows first." >&2; return 2; }
    local name sums folder
    name=$(basename "$archive")
    sums=$(dirname "$archive")/SHA256SUMS
    folder=$(basename "$QT_WINDOWS_DIR")
    echo "Packing $QT_WINDOWS_DIR into $archive"
    mkdir -p "$(dirname "$archive")"
    tar -cJf "$archive.partial" -C "$(dirname "$QT_WINDOWS_DIR")" --sort=name --owner=0 --group=0 --numeric-owner \
        --transform="s,^$folder\(/\|\$\),$QT_WINDOWS_ARCHIVE_FOLDER\1," "$folder"
    mv "$archive.partial" "$archive"
    local others=
    [ -f "$sums" ] && others=$(awk -v name="$name" '$2 != name && $2 != "*" name' "$sums")
    { [ -n "$others" ] && echo "$others"; echo "$(sha256sum <"$archive" | cut -d' ' -f1)  $name"; } >"$sums"
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
