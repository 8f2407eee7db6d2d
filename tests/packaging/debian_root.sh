# A throw-away Debian 12 system for the tests that install or build in one: an
# overlay over the cached root that `scripts/package --verify` makes, which
# stays untouched. Source it; do not run it.
#   debian_root_up WORK_DIR NAME   makes a folder WORK_DIR/NAME.XXXXXX (ROOT_WORK), mounts
#                                  the system at ROOT_WORK/root (ROOT); both go on exit
#   in_root COMMAND...    runs a command there as root, with a clean environment
# Exit status 77 (skipped) without the cached root or without root rights.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/setup.sh"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The mounts inside the system, unmounted before it is thrown away.
ROOT_MOUNTS=()

debian_root_up() {
    [ -d "$DEBIAN_ROOT" ] || skip "no Debian 12 root at $DEBIAN_ROOT; ./scripts/package --verify makes it"
    [ "$(id -u)" -eq 0 ] || skip "mounting and chroot need root"
    ROOT_WORK=$(mktemp -d "$1/$2.XXXXXX")
    ROOT=$ROOT_WORK/root
    trap debian_root_down EXIT
    mkdir -p "$ROOT_WORK/upper" "$ROOT_WORK/overlay-work" "$ROOT" "$DEBIAN_ROOT.apt-archives"
    mount -t overlay overlay -o "lowerdir=$DEBIAN_ROOT,upperdir=$ROOT_WORK/upper,workdir=$ROOT_WORK/overlay-work" "$ROOT"
    mount -t proc proc "$ROOT/proc"
    # Shared memory is a RAM folder on a running Debian system, as the suite
    # expects; in a bare root it would be a folder on the disk.
    mkdir -p "$ROOT/dev/shm"
    mount -t tmpfs tmpfs "$ROOT/dev/shm"
    ROOT_MOUNTS+=("$ROOT/dev/shm")
    # Downloaded packages are kept between runs, in a folder that systems of
    # other runs at the same time read too: each writes into an overlay of its
    # own (apt would refuse a second user of the folder's lock), and what it
    # downloaded goes into the folder when it ends. The system itself starts fresh.
    mkdir -p "$ROOT_WORK/apt-upper" "$ROOT_WORK/apt-work"
    mount -t overlay overlay \
        -o "lowerdir=$DEBIAN_ROOT.apt-archives,upperdir=$ROOT_WORK/apt-upper,workdir=$ROOT_WORK/apt-work" \
        "$ROOT/var/cache/apt/archives"
    ROOT_MOUNTS+=("$ROOT/var/cache/apt/archives")
    cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
}

# bind_into_root HOST-FOLDER ROOT-FOLDER
bind_into_root() {
    mkdir -p "$ROOT$2"
    mount --bind "$1" "$ROOT$2"
    ROOT_MOUNTS+=("$ROOT$2")
}

# pack_from_build WHAT CPACK-ARGUMENTS...: cpack's packages in $ROOT_WORK/pack,
# or its output and a failure naming WHAT.
pack_from_build() {
    local what=$1
    shift
    cpack "$@" -B "$ROOT_WORK/pack" >"$ROOT_WORK/cpack.log" ||
        { cat "$ROOT_WORK/cpack.log"; fail "$what failed"; }
}

in_root() {
    chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

debian_root_down() {
    # A program started in the root may still run; the test ends it first
    # (ROOT_PROGRAM), then the mounts go, innermost first.
    [ -n "${ROOT_PROGRAM:-}" ] && kill "$ROOT_PROGRAM" 2>/dev/null
    local deb
    for deb in "$ROOT_WORK"/apt-upper/*.deb; do
        [ -f "$deb" ] && [ ! -e "$DEBIAN_ROOT.apt-archives/${deb##*/}" ] || continue
        # Renamed into place whole: another run may be reading the folder.
        local part=$DEBIAN_ROOT.apt-archives/.${deb##*/}.part
        cp "$deb" "$part" && mv "$part" "$DEBIAN_ROOT.apt-archives/${deb##*/}" || rm -f "$part"
    done
    local mount kept=
    for mount in "${ROOT_MOUNTS[@]}" "$ROOT/proc" "$ROOT"; do
        if mountpoint -q "$mount" && ! umount -l "$mount"; then
            kept=$mount
        fi
    done
    # Never delete through a mount: it would reach the cached downloads.
    if [ -n "$kept" ]; then
        echo "left $ROOT_WORK in place: $kept is still mounted" >&2
    else
        rm -rf "$ROOT_WORK"
    fi
}
