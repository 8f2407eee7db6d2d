#!/bin/sh
# Makes a chat language file of the folder chat the bot's active one, chat.txt.
# Usage: KDXchat.bat LANGUAGE-FILE
# This stands in for the bot's own KDXchat.bat, which replaces it on a Windows server.
exec /bin/sh "$(dirname -- "$0")/kdx_set_language.sh" chat chat.txt "$@"
