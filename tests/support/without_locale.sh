#!/usr/bin/env bash
# Runs a command as in a fresh container: an empty environment but for the
# home, a plain PATH and where the Wine prefix and the caches are; no locale.
set -euo pipefail
kept=(HOME="$HOME" PATH=/usr/sbin:/usr/bin:/sbin:/bin)
for name in WINEPREFIX VEVADUDORI_CACHE VEVADUDORI_QT_WINDOWS XDG_CACHE_HOME; do
    if [ -n "${!name:-}" ]; then kept+=("$name=${!name}"); fi
done
exec env -i "${kept[@]}" "$@"
