#!/bin/sh
# CTest fixture for the Windows tests: brings up (start) or shuts down (stop) the private
# Wine prefix in $WINEPREFIX. A persistent wineserver keeps each test exe's start cheap;
# priming it once here stops Wine's helpers from holding CTest's output pipe open.
case "$1" in
  start)
    mkdir -p "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    # No window manager in tests: without this Wine waits ~2 s for every destroyed window.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
    sh "$(dirname "$0")/../scripts/wine-fonts.sh"
    exit 0 ;;
  stop)
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    exit 0 ;;
esac
echo "usage: $0 start|stop" >&2
exit 2
