#!/usr/bin/env bash
# kdxcfg and its core build on a machine without Qt, and their tests configure: a tree of
# their own under WORK_DIR, configured as if Qt were not installed.
#   without_qt_test.sh SOURCE_DIR WORK_DIR C++-COMPILER [COMPILER-LAUNCHER]
set -euo pipefail
source_dir=$1
tree=$2/without-qt
launcher=()
[ -n "${4:-}" ] && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$4")
cmake -S "$source_dir" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$3" "${launcher[@]}" \
    -DVEVADUDORI_BUILD_GUI=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE >"$tree.log" 2>&1 ||
    { cat "$tree.log"; echo "FAIL: configuring without Qt failed" >&2; exit 1; }
cmake --build "$tree" -j2 --target kdxcfg >>"$tree.log" 2>&1 ||
    { tail -n 40 "$tree.log"; echo "FAIL: kdxcfg did not build without Qt" >&2; exit 1; }
"$tree/kdxcfg" --version
echo "PASS: kdxcfg builds without Qt"
