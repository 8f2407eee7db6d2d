#!/usr/bin/env bash
# The source archive on a fresh machine: packed from the build
# (VEVaduDori-<version>-Source.tar.gz), unpacked in a fresh Debian 12 system
# (tests/packaging/debian_root.sh) that has no git, and ./scripts/test run there
# as the README says; it must install what it needs, build, and pass its whole
# suite. The system shares this machine's ccache folder, so objects built here
# before need not be compiled again. Prints the suite's summary lines.
#   source_archive_test.sh BUILD_DIR WORK_DIR
source "$(dirname "$0")/debian_root.sh"

build=$1
debian_root_up "$2" source-archive

pack_from_build "cpack --config CPackSourceConfig.cmake" --config "$build/CPackSourceConfig.cmake"
archives=("$ROOT_WORK"/pack/VEVaduDori-*-Source.tar.gz)
[ -f "${archives[0]}" ] || fail "no source archive was packed"
if tar -tzf "${archives[0]}" | grep -E '^[^/]+/(\.git|build[^/]*)(/|$)'; then
    fail "the source archive holds git's data or a build folder (above)"
fi

source_folder=/root/VEVaduDori
mkdir -p "$ROOT$source_folder"
tar -xzf "${archives[0]}" -C "$ROOT$source_folder" --strip-components=1
in_root sh -c 'command -v git' && fail "the Debian 12 root has git"
compiler_cache=$(ccache -k cache_dir 2>/dev/null) && mkdir -p "$compiler_cache" &&
    bind_into_root "$compiler_cache" /root/.cache/ccache

echo "./scripts/test in $source_folder of a Debian 12 system without git; its output: $ROOT_WORK/test.log"
# The Windows suite is left to the run this test is part of: in the root it
# would only install Wine and MinGW again to show the same.
if ! in_root sh -c "cd '$source_folder' && VEVADUDORI_WINDOWS_SUITE=skip ./scripts/test" >"$ROOT_WORK/test.log" 2>&1; then
    tail -n 60 "$ROOT_WORK/test.log"
    cp "$ROOT_WORK/test.log" "$2/source-archive-failed.log"
    fail "./scripts/test failed in the unpacked source archive; its whole output: $2/source-archive-failed.log"
fi
grep -E '^[0-9]+% tests passed' "$ROOT_WORK/test.log" || fail "./scripts/test ended without ctest's summary line"
echo "PASS: ./scripts/test passed in the unpacked source archive, without git"
