#!/usr/bin/env bash
# The release as an admin gets it, in a fresh folder inside WORK_DIR.
#   packaging_test.sh archive BUILD_DIR WORK_DIR   packs the archive, unpacks it into
#                                                  an empty folder and starts the program there
#   packaging_test.sh install BUILD_DIR WORK_DIR   installs into a bot folder that has files
#                                                  of its own and checks they are kept
set -euo pipefail

mode=$1
build=$2
work=$(mktemp -d "$3/$mode-XXXXXX")
xvfb=
program=
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

files_in() {
    (cd "$1" && find . -mindepth 1 | sort)
}

expected_files='./KDX.cfg
./KDXchat.bat
./KDXtitles.bat
./Titles
./Titles/Deutsch.txt
./Titles/English.txt
./VEVaduDori
./chat
./chat/Deutsch.txt
./chat/English.txt
./chat/Francais.txt
./desktop
./desktop/vevadudori.desktop
./desktop/vevadudori.svg
./kdx_set_language.sh
./kdxcfg'

# Starts a private X server on a free display.
start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb
}

# Starts the program of that folder from elsewhere and prints the title of the
# first window it shows; it is then ended.
first_window_title() {
    (cd / && exec "$1/VEVaduDori") &
    program=$!
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$program" | head -n1) ||
        fail "no window of $1/VEVaduDori appeared"
    sleep 0.5 # a box raised while the window loads would be visible by now
    [ "$(xdotool search --onlyvisible --pid "$program" | wc -l)" -eq 1 ] || fail "more than one window is open"
    xdotool getwindowname "$window"
    kill "$program"
    wait "$program" 2>/dev/null || true
    program=
}

case $mode in
archive)
    cpack --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/cpack.log" ||
        { cat "$work/cpack.log"; fail "cpack failed"; }
    archives=("$work"/pack/VEVaduDori-*.tar.gz)
    [ -f "${archives[0]}" ] || fail "no archive was packed"
    mkdir "$work/bot"
    tar -xzf "${archives[0]}" -C "$work/bot"
    [ "$(files_in "$work/bot")" = "$expected_files" ] || fail "the archive holds: $(files_in "$work/bot")"
    cmp "$work/bot/KDX.cfg" "$(dirname "$0")/../../sample/KDX.cfg" || fail "KDX.cfg is not the sample"

    start_display
    title=$(first_window_title "$work/bot")
    case $title in
    KDXConfig*) ;;
    *) fail "the first window is \"$title\", not the main window" ;;
    esac

    # Without its KDX.cfg the program says so before the main window: the check
    # above would have seen such a box.
    rm "$work/bot/KDX.cfg"
    title=$(first_window_title "$work/bot")
    case $title in
    KDXConfig*) fail "a missing KDX.cfg went unreported" ;;
    esac
    ;;
install)
    mkdir -p "$work/bot/chat"
    printf 'pause 9\r\n' >"$work/bot/KDX.cfg"
    printf 'own chat\r\n' >"$work/bot/chat/English.txt"
    printf '@echo own\r\n' >"$work/bot/KDXchat.bat"
    cmake --install "$build" --prefix "$work/bot" >"$work/install.log" ||
        { cat "$work/install.log"; fail "install failed"; }
    [ "$(files_in "$work/bot")" = "$expected_files" ] || fail "the bot folder holds: $(files_in "$work/bot")"
    [ "$(cat "$work/bot/KDX.cfg")" = $'pause 9\r' ] || fail "the admin's KDX.cfg was replaced"
    [ "$(cat "$work/bot/chat/English.txt")" = $'own chat\r' ] || fail "the admin's language file was replaced"
    [ "$(cat "$work/bot/KDXchat.bat")" = $'@echo own\r' ] || fail "the admin's batch file was replaced"
    [ -x "$work/bot/VEVaduDori" ] && [ -x "$work/bot/KDXtitles.bat" ] || fail "the programs lost their execute bit"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "PASS: $mode"
