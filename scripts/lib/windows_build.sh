# The steps of scripts/windows after Qt for Windows exists: GoogleTest for
# Windows, the cross build, the suite under Wine, the portable zip and its
# proof. Source it after setup.sh and windows_qt.sh; do not run it.

WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 qt6-base-dev qt6-base-dev-tools
    dpkg-dev ninja-build cmake libgtest-dev libcli11-dev nlohmann-json3-dev xvfb xdotool x11-utils imagemagick
    python3 unzip fonts-liberation2)
WINDOWS_BUILD_DIR=$(build_folder windows)
MINGW_OBJDUMP=x86_64-w64-mingw32-objdump
MINGW_STRIP=x86_64-w64-mingw32-strip

# GoogleTest from Debian's source package of it (/usr/src/googletest), once.
build_gtest_windows() {
    [ -f "$GTEST_WINDOWS_DIR/lib/cmake/GTest/GTestConfig.cmake" ] && return 0
    echo "Building GoogleTest for Windows once into $GTEST_WINDOWS_DIR"
    local build=$GTEST_WINDOWS_DIR.work
    cmake -S /usr/src/googletest -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$REPO_ROOT/cmake/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$GTEST_WINDOWS_DIR" \
        -Dgtest_disable_pthreads=OFF >/dev/null
    cmake --build "$build" -j"$JOBS" >/dev/null
    cmake --install "$build" >/dev/null
    rm -rf "$build"
}

# The header-only libraries of kdxcfg, alone in a folder of their own: the
# Windows build must never see the host's /usr/include.
stage_header_libraries() {
    local headers=$VEVADUDORI_CACHE/headers-mingw
    mkdir -p "$headers"
    ln -sfn /usr/include/CLI "$headers/CLI"
    ln -sfn /usr/include/nlohmann "$headers/nlohmann"
    export HEADER_LIBRARIES_DIR=$headers
}

# The preset "windows" finds Qt for Windows, GoogleTest and the headers through
# QT_WINDOWS_DIR, GTEST_WINDOWS_DIR and HEADER_LIBRARIES_DIR.
configure_windows_build() {
    export QT_WINDOWS_DIR GTEST_WINDOWS_DIR
    configure_and_build windows
}

# A private X server for the windows of the suite; its display number in DISPLAY.
start_private_xvfb() {
    local display
    read -r display XVFB_PID < <("$REPO_ROOT/scripts/lib/start-xvfb" 1280x1024)
    export DISPLAY=$display
}

stop_private_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Wine's first start in a new prefix sets it up (about half a minute); one
# wineserver serves the whole run instead of one per test.
start_wine() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Setting up the Wine prefix $WINEPREFIX once"
        "$WINE" wineboot -i >/dev/null 2>&1
        # The set-up's server lingers; a persistent one can start only after it.
        "$WINESERVER" -w
    fi
    "$WINESERVER" -p
    # With no window manager on the test display, Wine must take the keyboard
    # focus that xdotool gives a window as its activation, as Windows does when
    # a user clicks a window; otherwise a dialog never becomes active and its
    # keys are lost.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /t REG_SZ /d N /f >/dev/null 2>&1
    # The first program of a session also starts Wine's own services; let that
    # happen before any test's time runs.
    "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

stop_wine() {
    "$WINESERVER" -k 2>/dev/null || true
}

# Rarely, a program under Wine ends at once with no output (once in about ten
# suite runs, not again in 116 repeated test runs): a failed test runs once
# more, and the log keeps both attempts.
run_windows_suite() {
    (cd "$REPO_ROOT" && ctest --preset windows -j"$JOBS")
}

# The DLLs a Windows binary imports that come from Qt or MinGW, and theirs in
# turn, copied into a folder, as windeployqt finds them.
deploy_imports() {
    local binary=$1 folder=$2
    local name source candidate
    for name in $("$MINGW_OBJDUMP" -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$folder/$name" ] && continue
        source=
        for candidate in "$QT_WINDOWS_DIR/bin" "${MINGW_RUNTIME_DIRS[@]}"; do
            [ -f "$candidate/$name" ] && source=$candidate/$name && break
        done
        [ -n "$source" ] || continue # a DLL of Windows itself
        cp "$source" "$folder/$name"
        deploy_imports "$folder/$name" "$folder"
    done
}

# The licences of what the zip ships besides the program, in licenses/ (the
# program's own is there from the install rules): Qt's, under the LGPL 3, and
# the MinGW-w64 and GCC runtime DLLs', from Debian's packages of them, and a
# notice that says which Qt it is and where its source is.
stage_third_party_licences() {
    local folder=$1/licenses
    cp /usr/share/doc/qt6-base-dev/copyright "$folder/Qt.txt"
    cp /usr/share/common-licenses/LGPL-3 "$folder/LGPL-3.txt"
    cp /usr/share/common-licenses/GPL-3 "$folder/GPL-3.txt"
    cp /usr/share/doc/mingw-w64-common/copyright "$folder/MinGW-w64.txt"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/GCC-runtime.txt"
    local qt_source
    qt_source=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
    cat >"$folder/THIRD-PARTY-NOTICES.txt" <<NOTICE
VEVaduDori is under the MIT licence (VEVaduDori.txt). This zip also holds:

Qt $QT_WINDOWS_VERSION (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms\qwindows.dll,
styles\qwindowsvistastyle.dll), The Qt Company Ltd. and other contributors,
used under the GNU Lesser General Public License version 3 (LGPL-3.txt, which
adds to GPL-3.txt); Qt.txt lists the copyright holders and the licences of the
parts Qt contains (zlib, libpng, libjpeg, FreeType, HarfBuzz, PCRE2).
It was built unchanged from Debian's source package qt6-base $qt_source
(apt-get source qt6-base=$qt_source; also at https://download.qt.io/archive/qt/),
configured with: ${QT_WINDOWS_CONFIGURE[*]}
The program loads these DLLs at run time: you may replace them with your own
build of Qt $QT_WINDOWS_VERSION.

The MinGW-w64 runtime (libwinpthread-1.dll), MinGW-w64.txt.
The GCC runtime libraries (libstdc++-6.dll, libgcc_s_seh-1.dll, libssp-0.dll),
under the GNU General Public License version 3 with the GCC Runtime Library
Exception, GCC-runtime.txt.
NOTICE
    sed -i 's/$/\r/' "$folder/THIRD-PARTY-NOTICES.txt"
}

# The portable zip: the program, the command, their DLLs and Qt's platform and
# style plugins, the licences and, in sample/, the sample bot folder; what it
# holds at its top level is nothing that a bot's folder holds.
pack_windows_zip() {
    local version stage
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WINDOWS_BUILD_DIR/CMakeCache.txt")
    WINDOWS_ZIP=$WINDOWS_BUILD_DIR/VEVaduDori-$version-win64.zip
    stage=$WINDOWS_BUILD_DIR/zip-stage
    rm -rf "$stage" "$WINDOWS_ZIP"
    cmake --install "$WINDOWS_BUILD_DIR" --prefix "$stage" >/dev/null
    local plugin
    for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
        [ -f "$QT_WINDOWS_DIR/plugins/$plugin" ] || continue
        mkdir -p "$stage/$(dirname "$plugin")"
        cp "$QT_WINDOWS_DIR/plugins/$plugin" "$stage/$plugin"
        deploy_imports "$stage/$plugin" "$stage"
    done
    local binary
    for binary in "$stage"/*.exe; do deploy_imports "$binary" "$stage"; done
    find "$stage" \( -iname '*.dll' -o -iname '*.exe' \) -print0 | xargs -0 "$MINGW_STRIP" --strip-unneeded
    stage_third_party_licences "$stage"
    (cd "$stage" && cmake -E tar cf "$WINDOWS_ZIP" --format=zip -- *)
    "$REPO_ROOT/scripts/lib/check-release-top-level" "$WINDOWS_ZIP"
    echo "Windows zip: $WINDOWS_ZIP ($(du -k "$WINDOWS_ZIP" | cut -f1) KiB)"
}

# Unpacks the zip alone into an empty folder whose path holds a blank and a
# non-ASCII letter and starts the program there under Wine: on its sample
# folder, and, with Wine's ANSI code page 1251 (LANG=ru_RU.UTF-8), on a
# Windows-1251 KDX.cfg whose waypoint folder is "путь". Screenshots of both
# windows go into the given folder.
prove_windows_zip() {
    local screenshots=$1
    local folder
    folder=$(mktemp -d "$WINDOWS_BUILD_DIR/zip-proof.XXXXXX")/"Bot Ordner Ä"
    mkdir -p "$folder/cyrillic"
    (cd "$folder" && cmake -E tar xf "$WINDOWS_ZIP")
    cp "$REPO_ROOT/tests/cli/windows-1251.cfg" "$folder/cyrillic/KDX.cfg"
    show_under_wine "$folder" sample "$screenshots/main-window-wine.png"
    LANG=ru_RU.UTF-8 show_under_wine "$folder" cyrillic "$screenshots/main-window-wine-1251.png"
}

# Starts the unpacked program in FOLDER on ARGUMENT and waits for its window;
# a screenshot of it goes to SCREENSHOT.
show_under_wine() {
    local folder=$1 argument=$2 screenshot=$3
    # Nothing of the build may help: no WINEPATH, so only the zip's own DLLs load.
    (cd "$folder" && exec env -u WINEPATH QT_PLUGIN_PATH= "$WINE" ./VEVaduDori.exe "$argument" >/dev/null 2>&1) &
    local program=$! window= tries=0
    while [ -z "$window" ] && [ $tries -lt 120 ]; do
        sleep 0.5
        tries=$((tries + 1))
        window=$(xdotool search --onlyvisible --name '^KDXConfig 1\.0' 2>/dev/null | head -n1) || true
    done
    if [ -z "$window" ]; then
        kill "$program" 2>/dev/null
        echo "The unpacked zip did not show its window on $argument within a minute." >&2
        return 1
    fi
    sleep 1 # the first paint
    import -window "$window" "$screenshot"
    echo "The unpacked zip started in \"$folder\" on $argument and showed \"$(xdotool getwindowname "$window")\": $screenshot"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    # The next start must not find this window still closing.
    tries=0
    while xdotool search --onlyvisible --name '^KDXConfig 1\.0' >/dev/null 2>&1 && [ $tries -lt 50 ]; do
        sleep 0.2
        tries=$((tries + 1))
    done
}
