#!/usr/bin/env bash
# The Debian packages as an admin installs them: packed from the build, checked
# by lintian, installed with dpkg -i (apt resolving the
# dependencies) into a fresh Debian 12 system (tests/packaging/debian_root.sh),
# and run there.
#   debian_install_test.sh BUILD_DIR WORK_DIR
source "$(dirname "$0")/debian_root.sh"

build=$1
debian_root_up "$2" debian-install

pack_from_build "cpack -G DEB" --config "$build/CPackConfig.cmake" -G DEB
debs=("$ROOT_WORK"/pack/*.deb)
names=$(for deb in "${debs[@]}"; do dpkg-deb -f "$deb" Package; done | sort | xargs)
expected=vevadudori
[ -x "$build/kdxcfg" ] && expected="kdxcfg vevadudori"
[ "$names" = "$expected" ] || fail "packed: $names, expected: $expected"

# The desktop entry and metainfo go in as they are in packaging/, where
# packaging_desktop_entry_* and packaging_metainfo_valid check them.
lintian --pedantic --fail-on error,warning,pedantic "${debs[@]}" || fail "lintian found errors, warnings or pedantic tags"

cp "${debs[@]}" "$ROOT/tmp/"
# What apt and dpkg say goes to a log, shown when they fail. The root is thrown
# away afterwards: dpkg need not wait for each file to reach the disk.
apt_in_root() {
    in_root apt-get -q -y -o Dpkg::Options::=--force-unsafe-io "$@" >>"$ROOT_WORK/apt.log" 2>&1 ||
        { cat "$ROOT_WORK/apt.log"; fail "apt-get $* failed in the root"; }
}
apt_in_root update
# dpkg -i stops at the missing libraries; apt-get -f install brings them and
# finishes the configuration.
in_root sh -c 'dpkg --force-unsafe-io -i /tmp/*.deb' >>"$ROOT_WORK/apt.log" 2>&1 || true
apt_in_root --no-install-recommends -f install
for name in $names; do
    [ "$(in_root dpkg-query -W -f='${Status}' "$name")" = "install ok installed" ] || fail "$name is not installed"
done

# The window: --version without a display, then started offscreen on a bot
# folder whose KDX.cfg is a pipe. Writing into the pipe finishes only once the
# program opens it, so it shows that the program found that folder's KDX.cfg.
[ "$(in_root VEVaduDori --version)" = "VEVaduDori 1.0" ] || fail "VEVaduDori --version"
bot="/root/Bot Ördner"
mkdir "$ROOT$bot"
mkfifo "$ROOT$bot/KDX.cfg"
install -d -m 700 "$ROOT/tmp/runtime"
chroot "$ROOT" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR=/tmp/runtime VEVaduDori "$bot" &
ROOT_PROGRAM=$!
timeout 60 sh -c 'printf "pause 5\r\nmax_bots 4\r\n" >"$1"' sh "$ROOT$bot/KDX.cfg" ||
    fail "VEVaduDori did not read the KDX.cfg of the folder it was given"
sleep 2
kill -0 "$ROOT_PROGRAM" 2>/dev/null || fail "VEVaduDori ended after loading"
kill "$ROOT_PROGRAM"
wait "$ROOT_PROGRAM" 2>/dev/null || true
ROOT_PROGRAM=

if [[ " $names " == *" kdxcfg "* ]]; then
    [ -n "$(in_root kdxcfg --version)" ] || fail "kdxcfg --version printed nothing"
    printf 'pause 5\r\nmax_bots 4\r\n' >"$ROOT/root/KDX.cfg"
    collection=/usr/share/ansible/collections/ansible_collections/vevadudori/kdx
    for module in kdxcfg kdxcfg_info; do
        [ -f "$ROOT$collection/plugins/modules/$module.py" ] || fail "the Ansible module $module is not where Ansible looks"
    done
    in_root sh -c 'cd /root && kdxcfg set max_bots=10' || fail "kdxcfg set failed"
    [ "$(cat "$ROOT/root/KDX.cfg")" = $'pause 5\r\nmax_bots 10\r' ] || fail "kdxcfg set wrote: $(cat -A "$ROOT/root/KDX.cfg")"
    if dpkg-deb -f "$ROOT_WORK"/pack/kdxcfg_*.deb Depends | grep -qi qt; then
        fail "kdxcfg depends on Qt"
    fi
fi
echo "PASS: $names installed and ran in a fresh Debian 12 root"
