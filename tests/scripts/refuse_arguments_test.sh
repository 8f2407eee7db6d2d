#!/usr/bin/env bash
# Every script of scripts/ answers an argument it does not know at once with
# its usage and exit status 2, before it installs or builds anything: the tools
# it would start to install, build or change the machine are stand-ins here
# that fail the test when called.
set -euo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
stand_ins=$(mktemp -d)
trap 'rm -rf "$stand_ins"' EXIT
for tool in apt-get apt-cache dpkg-query dpkg-source sudo cmake ctest cpack python3 Xvfb debootstrap mount chroot \
    tee cp ln mkdir rm locale-gen; do
    printf '#!/bin/sh\necho "%s was started" >>"%s/called"\n' "$tool" "$stand_ins" >"$stand_ins/$tool"
    chmod +x "$stand_ins/$tool"
done

failures=0
checked=0
for script in "$scripts"/*; do
    [ -f "$script" ] && [ -x "$script" ] || continue
    name=${script#"$scripts"/}
    start=$(date +%s%N)
    status=0
    PATH=$stand_ins:$PATH timeout 10 "$script" --no-such-option </dev/null >/dev/null 2>"$stand_ins/stderr" || status=$?
    milliseconds=$((($(date +%s%N) - start) / 1000000))
    checked=$((checked + 1))
    problem=
    if [ $status -ne 2 ]; then
        problem="exit status $status, not 2"
    elif ! grep -q "^usage: scripts/$name" "$stand_ins/stderr"; then
        problem="no usage line: $(head -c 200 "$stand_ins/stderr")"
    elif [ -e "$stand_ins/called" ]; then
        problem=$(xargs <"$stand_ins/called")
    elif [ $milliseconds -gt 1000 ]; then
        problem="took $milliseconds ms"
    fi
    rm -f "$stand_ins/called"
    if [ -n "$problem" ]; then
        echo "FAIL: scripts/$name --no-such-option: $problem" >&2
        failures=$((failures + 1))
    fi
done
[ $checked -gt 0 ] || { echo "FAIL: no script found in $scripts" >&2; exit 1; }
[ $failures -eq 0 ] || exit 1
echo "PASS: $checked scripts refuse --no-such-option"
