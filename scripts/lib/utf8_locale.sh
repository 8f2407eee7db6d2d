# Gives the scripts, the tests they start and every program under Wine a UTF-8
# locale where the caller set none (LANG empty, as in a fresh container): Wine
# converts file names and arguments through the locale's character set, and
# ASCII cannot name "Käse €.cfg". C.UTF-8 is always there on Debian. A UTF-8
# locale of the caller's own (ru_RU.UTF-8, for the ANSI code page 1251) is kept.
# Source it; do not run it.

if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
    unset LC_ALL LC_CTYPE
    export LANG=C.UTF-8
fi
