#!/bin/sh
# Shared by KDXchat.bat and KDXtitles.bat:
#     kdx_set_language.sh FOLDER ACTIVE-FILE LANGUAGE-FILE
# copies FOLDER/LANGUAGE-FILE over ACTIVE-FILE, both beside this script, and
# says what it did. LANGUAGE-FILE must be a bare file name: with a slash it
# could reach outside FOLDER.
set -eu

if [ "$#" -ne 3 ]; then
    printf 'usage: %s FOLDER ACTIVE-FILE LANGUAGE-FILE\n' "$(basename -- "$0")" >&2
    exit 2
fi
folder=$1
active=$2
name=$3

case $name in
    '' | . | .. | */*)
        printf 'Refusing the language file name "%s": it must be a bare file name.\n' "$name" >&2
        exit 2
        ;;
esac

cd -- "$(dirname -- "$0")"
source=$folder/$name
if [ ! -f "$source" ]; then
    printf 'There is no language file "%s".\n' "$source" >&2
    exit 1
fi

# Copy under a temporary name, then rename: the bot never reads a half-written file.
cp -- "$source" "$active.new"
mv -f -- "$active.new" "$active"
printf 'Copied "%s" to "%s".\n' "$source" "$active"
