@echo off
rem Makes a chat language file of the folder chat the bot's active one, chat.txt.
rem Usage: KDXchat.bat LANGUAGE-FILE
call "%~dp0kdx_set_language.bat" chat chat.txt %1
