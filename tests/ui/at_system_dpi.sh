#!/usr/bin/env bash
# at_system_dpi.sh DPI WINE-RUN PROGRAM [ARGUMENT...]
# Runs a Windows program under Wine at the display scaling DPI (96 is 100 %,
# 144 is 150 %): Wine takes it from HKCU\Control Panel\Desktop\LogPixels, as
# Windows' display settings set it. The setting belongs to the whole Wine
# prefix, so it goes back to 96 afterwards, and the tests that use this runner
# hold a lock against every other test that shows a window under Wine.
set -euo pipefail
dpi=$1 wine_run=$2
shift 2
set_dpi() {
    "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi"
KDX_SYSTEM_DPI=$dpi "$wine_run" "$@"
