# Where the Windows build finds its tools and runtime, for scripts/windows and
# for wine-run. Source it; do not run it.

source "$(dirname "${BASH_SOURCE[0]}")/utf8_locale.sh"

QT_WINDOWS_VERSION=6.4.2
VEVADUDORI_CACHE=${VEVADUDORI_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vevadudori}
QT_WINDOWS_DIR=${VEVADUDORI_QT_WINDOWS:-$VEVADUDORI_CACHE/qt-$QT_WINDOWS_VERSION-mingw}
GTEST_WINDOWS_DIR=$VEVADUDORI_CACHE/googletest-mingw
MINGW_RUNTIME_DIRS=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX=${WINEPREFIX:-$VEVADUDORI_CACHE/wine-prefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine reads Windows paths; its drive Z: is the root of this machine.
WINEPATH=$(printf 'Z:%s;' "$QT_WINDOWS_DIR/bin" "${MINGW_RUNTIME_DIRS[@]}" | tr / '\\')
export WINEPATH=${WINEPATH%;}
