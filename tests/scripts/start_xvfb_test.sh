#!/usr/bin/env bash
# scripts/lib/start-xvfb, the one starter of private X servers: it returns a
# display that answers, and reports an X server that ends at once in one line
# instead of waiting for it.
set -euo pipefail
start_xvfb=$(cd "$(dirname "$0")/../../scripts/lib" && pwd)/start-xvfb
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

read -r display pid < <("$start_xvfb" 640x480) || fail "start-xvfb failed with Xvfb installed"
size=$(DISPLAY=$display xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\) .*/\1/p')
kill "$pid"
[ "$size" = 640x480 ] || fail "the display $display answered with the size \"$size\""

broken=$(mktemp -d)
trap 'rm -rf "$broken"' EXIT
printf '#!/bin/sh\nexit 1\n' >"$broken/Xvfb"
chmod +x "$broken/Xvfb"
start=$(date +%s)
status=0
PATH=$broken:$PATH "$start_xvfb" >"$broken/out" 2>"$broken/err" || status=$?
[ $status -eq 1 ] || fail "an X server that ended at once gave exit status $status"
[ "$(wc -l <"$broken/err")" -eq 1 ] && [ ! -s "$broken/out" ] || fail "not one line on standard error: $(cat "$broken/err")"
[ $(($(date +%s) - start)) -le 2 ] || fail "start-xvfb waited for an X server that had ended"
echo "PASS"
