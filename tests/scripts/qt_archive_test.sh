#!/usr/bin/env bash
# Qt for Windows carried between machines as an archive: scripts/windows
# --export-qt writes it, and the import takes it into an empty cache only when
# its checksum matches and it holds a complete prefix of the expected version.
# Small fake prefixes stand in for Qt.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$repo/scripts/lib/windows_qt.sh"
expected_folder=$QT_WINDOWS_ARCHIVE_FOLDER

# fake_prefix FOLDER VERSION [FILE LEFT OUT]: a prefix with every file of a complete one.
fake_prefix() {
    local folder=$1 version=$2 left_out=${3:-} file
    for file in "${QT_WINDOWS_PREFIX_FILES[@]}"; do
        [ "$file" = "$left_out" ] && continue
        mkdir -p "$folder/$(dirname "$file")"
        echo "$file" >"$folder/$file"
    done
    printf '#define QT_VERSION_MAJOR 6\n#define QT_VERSION_STR "%s"\n' "$version" >"$folder/include/QtCore/qconfig.h"
}

# archive_of FOLDER ARCHIVE: the folder packed as tar.xz, without SHA256SUMS.
archive_of() {
    mkdir -p "$(dirname "$2")"
    tar -cJf "$2" -C "$(dirname "$1")" "$(basename "$1")"
}

# A prefix in a folder of another name, exported by the script: the archive
# holds it under the cache's own name, with its checksum beside it.
fake_prefix "$work/built/my-qt" "$QT_WINDOWS_VERSION"
VEVADUDORI_QT_WINDOWS=$work/built/my-qt "$repo/scripts/windows" --export-qt "$work/good/qt.tar.xz" >/dev/null
cp -r "$work/good" "$work/tampered"
echo "tampered" >>"$work/tampered/qt.tar.xz"
fake_prefix "$work/v650/$expected_folder" 6.5.0
archive_of "$work/v650/$expected_folder" "$work/wrong-version/qt.tar.xz"
fake_prefix "$work/partial/$expected_folder" "$QT_WINDOWS_VERSION" plugins/platforms/qwindows.dll
archive_of "$work/partial/$expected_folder" "$work/partial-archive/qt.tar.xz"

failures=0
# archive | exit status | what standard error says
while IFS='|' read -r archive status says; do
    cache=$work/cache-$archive
    actual=0
    (QT_WINDOWS_DIR=$cache/$expected_folder && import_qt_windows_archive "$work/$archive/qt.tar.xz") \
        >/dev/null 2>"$work/stderr" || actual=$?
    problem=
    if [ "$actual" -ne "$status" ]; then
        problem="exit status $actual, not $status"
    elif [ -n "$says" ] && ! grep -qF -- "$says" "$work/stderr"; then
        problem="standard error lacks \"$says\": $(head -c 300 "$work/stderr")"
    elif [ "$status" -eq 0 ] && ! diff -r "$work/built/my-qt" "$cache/$expected_folder" >/dev/null; then
        problem="the cache does not hold the exported prefix"
    elif [ "$status" -ne 0 ] && [ -e "$cache" ]; then
        problem="refused, but unpacked: $(find "$cache" | head -n3 | xargs)"
    fi
    if [ -n "$problem" ]; then
        echo "FAIL: $archive: $problem" >&2
        failures=$((failures + 1))
    fi
done <<CASES
good|0|
tampered|2|does not match its SHA-256
wrong-version|2|holds Qt 6.5.0; the scripts expect Qt $QT_WINDOWS_VERSION
partial-archive|2|(missing: plugins/platforms/qwindows.dll)
CASES
[ $failures -eq 0 ] || exit 1
echo "PASS: the exported prefix comes back whole; every wrong archive is refused"
