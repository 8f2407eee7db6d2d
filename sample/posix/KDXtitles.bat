#!/bin/sh
# Makes a console and menu language file of the folder Titles the bot's active
# one, titles.txt.
# Usage: KDXtitles.bat LANGUAGE-FILE
# This stands in for the bot's own KDXtitles.bat, which replaces it on a Windows server.
exec /bin/sh "$(dirname -- "$0")/kdx_set_language.sh" Titles titles.txt "$@"
