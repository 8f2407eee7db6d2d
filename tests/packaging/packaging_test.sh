#!/usr/bin/env bash
# The release as an admin gets it, in a fresh folder inside WORK_DIR.
#   packaging_test.sh archive BUILD_DIR WORK_DIR   packs the archive, checks that it holds
#                                                  nothing of a bot's folder at its top level,
#                                                  unpacks it into an empty folder and starts
#                                                  the program there on its sample folder
#   packaging_test.sh install BUILD_DIR WORK_DIR   installs into a bot folder that has files
#                                                  of its own and checks they are kept
set -euo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)

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

expected_files='./VEVaduDori
./desktop
./desktop/vevadudori.desktop
./desktop/vevadudori.svg
./kdxcfg
./licenses
./licenses/VEVaduDori.txt
./sample
./sample/KDX.cfg
./sample/KDXchat.bat
./sample/KDXtitles.bat
./sample/Titles
./sample/Titles/Deutsch.txt
./sample/Titles/English.txt
./sample/chat
./sample/chat/Deutsch.txt
./sample/chat/English.txt
./sample/chat/Francais.txt
./sample/kdx_set_language.sh'

start_display() {
    local display
    read -r display xvfb < <("$scripts/lib/start-xvfb" 1024x768) || fail "Xvfb did not start"
    export DISPLAY=$display QT_QPA_PLATFORM=xcb
}

# Starts the program of that folder from elsewhere on its sample folder, as
# `VEVaduDori sample` there, and prints the title of the first window it shows;
# it is then ended.
first_window_title() {
    (cd "$1" && exec ./VEVaduDori sample) &
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
    "$scripts/lib/check-release-top-level" "${archives[0]}" || fail "unpacking the archive into a bot's folder replaces its files"
    mkdir "$work/bot"
    tar -xzf "${archives[0]}" -C "$work/bot"
    [ "$(files_in "$work/bot")" = "$expected_files" ] || fail "the archive holds: $(files_in "$work/bot")"
    cmp "$work/bot/sample/KDX.cfg" "$scripts/../sample/KDX.cfg" || fail "sample/KDX.cfg is not the sample"

    start_display
    title=$(first_window_title "$work/bot")
    case $title in
    KDXConfig*) ;;
    *) fail "the first window is \"$title\", not the main window" ;;
    esac

    # Without its KDX.cfg the program says so before the main window: the check
    # above would have seen such a box.
    rm "$work/bot/sample/KDX.cfg"
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
    bot_files=$'./KDX.cfg\n./KDXchat.bat\n./chat\n./chat/English.txt'
    [ "$(files_in "$work/bot")" = "$(sort <<<"$bot_files"$'\n'"$expected_files")" ] ||
        fail "the bot folder holds: $(files_in "$work/bot")"
    [ "$(cat "$work/bot/KDX.cfg")" = $'pause 9\r' ] || fail "the admin's KDX.cfg was replaced"
    [ "$(cat "$work/bot/chat/English.txt")" = $'own chat\r' ] || fail "the admin's language file was replaced"
    [ "$(cat "$work/bot/KDXchat.bat")" = $'@echo own\r' ] || fail "the admin's batch file was replaced"
    [ -x "$work/bot/VEVaduDori" ] && [ -x "$work/bot/sample/KDXtitles.bat" ] || fail "the programs lost their execute bit"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "PASS: $mode"
