@echo off
rem Shared by KDXchat.bat and KDXtitles.bat:
rem     kdx_set_language.bat FOLDER ACTIVE-FILE LANGUAGE-FILE
rem copies FOLDER\LANGUAGE-FILE over ACTIVE-FILE, both beside this file, and
rem says what it did. LANGUAGE-FILE must be a bare file name: with a separator
rem it could reach outside FOLDER.
setlocal DisableDelayedExpansion
if "%~3"=="" (
    echo usage: %~nx0 FOLDER ACTIVE-FILE LANGUAGE-FILE 1>&2
    exit /b 2
)
set "folder=%~1"
set "active=%~2"
set "name=%~3"
if not "%name:\=%"=="%name%" goto refuse
if not "%name:/=%"=="%name%" goto refuse
if "%name%"=="." goto refuse
if "%name%"==".." goto refuse

cd /d "%~dp0"
if not exist "%folder%\%name%" (
    echo There is no language file "%folder%\%name%". 1>&2
    exit /b 1
)
rem Copy under a temporary name, then rename: the bot never reads a half-written file.
copy /y "%folder%\%name%" "%active%.new" >nul
if errorlevel 1 exit /b 1
move /y "%active%.new" "%active%" >nul
if errorlevel 1 exit /b 1
echo Copied "%folder%\%name%" to "%active%".
exit /b 0

:refuse
echo Refusing the language file name "%name%": it must be a bare file name. 1>&2
exit /b 2
