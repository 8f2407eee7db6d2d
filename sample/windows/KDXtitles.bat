@echo off
rem Makes a console and menu language file of the folder Titles the bot's
rem active one, titles.txt.
rem Usage: KDXtitles.bat LANGUAGE-FILE
call "%~dp0kdx_set_language.bat" Titles titles.txt %1
