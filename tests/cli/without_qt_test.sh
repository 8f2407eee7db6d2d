#!/usr/bin/env bash
# kdxcfg, its core and their tests need no Qt: a tree of their own under
# WORK_DIR, configured as if Qt were not installed, holds kdxcfg and its tests
# and nothing of the window. (Their sources cannot reach Qt's headers in any
# build, since only the window's libraries link Qt; so configuring is the part
# that can fail.)
#   without_qt_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
tree=$2/without-qt
rm -rf "$tree"
cmake -S "$1" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE >"$tree.log" 2>&1 ||
    { cat "$tree.log"; echo "FAIL: configuring without Qt failed" >&2; exit 1; }
targets=$(cmake --build "$tree" --target help)
for target in kdxcfg kdxcfg_tests config_tests; do
    grep -qx "\.\.\. $target" <<<"$targets" || { echo "FAIL: no target $target without Qt" >&2; exit 1; }
done
! grep -qx '\.\.\. VEVaduDori' <<<"$targets" || { echo "FAIL: the window was configured without Qt" >&2; exit 1; }
grep -q "Qt 6 Widgets not found" "$tree.log" || { echo "FAIL: configure did not say that Qt is missing" >&2; exit 1; }
echo "PASS: kdxcfg and its tests are configured without Qt"
