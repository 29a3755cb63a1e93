#!/bin/sh
# Sourceable helper: an Xorg server with the dummy video driver, whose gamma ramps (unlike
# Xvfb's) Wine can read and write.
#
#   . tests/e2e/xorg-dummy.sh
#   xorg_dummy_start 1|2   # one 1920x1080 monitor, or a primary 1920x1080 one with a
#                          # 1280x1024 one on its left (Windows sees (-1280,0)-(0,1024))
#   ... DISPLAY=$XORG_DUMMY_DISPLAY wine ...
#   xorg_dummy_stop
#
# xorg_dummy_start returns non-zero (with the reason in $XORG_DUMMY_ERROR) when the server
# cannot start, e.g. when not run as root. Xorg picks a free display number itself.

XORG_DUMMY_DISPLAY=
XORG_DUMMY_PID=
XORG_DUMMY_DIR=
XORG_DUMMY_ERROR=

xorg_dummy_config() {
  cat <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
  Option "AllowMouseOpenFail" "true"
  Option "AIGLX" "false"
EndSection
CONF
    cat <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1920x1080" 148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1920x1080"
  EndSubSection
EndSection
CONF
}

# The dummy driver leaves its second output disconnected whatever the config says; RandR
# can still give it a mode and a place.
xorg_dummy_add_left_monitor() {
  DISPLAY=$XORG_DUMMY_DISPLAY xrandr --addmode DUMMY1 1280x1024 &&
    DISPLAY=$XORG_DUMMY_DISPLAY xrandr --output DUMMY1 --mode 1280x1024 --left-of DUMMY0 \
      --output DUMMY0 --primary || return 1
  # Measured: a Wine process started straight after the change still sees one monitor,
  # unless a client has asked for the monitor list in between.
  DISPLAY=$XORG_DUMMY_DISPLAY xrandr --listmonitors
}

xorg_dummy_start() {
  monitors=${1:-1}
  if [ "$(id -u)" != 0 ]; then
    XORG_DUMMY_ERROR="Xorg with the dummy driver must run as root"
    return 1
  fi
  if ! command -v Xorg >/dev/null 2>&1; then
    XORG_DUMMY_ERROR="Xorg is not installed (xserver-xorg-core)"
    return 1
  fi
  if [ ! -f /usr/lib/xorg/modules/drivers/dummy_drv.so ]; then
    XORG_DUMMY_ERROR="the dummy video driver is not installed (xserver-xorg-video-dummy)"
    return 1
  fi
  XORG_DUMMY_DIR=$(mktemp -d "${TMPDIR:-/tmp}/xorg-dummy.XXXXXX")
  xorg_dummy_config >"$XORG_DUMMY_DIR/xorg.conf"
  mkfifo "$XORG_DUMMY_DIR/displayfd"
  # Xorg looks for a relative -config below its own config folders; an absolute one works
  # only as root, which this is.
  Xorg -displayfd 3 -config "$XORG_DUMMY_DIR/xorg.conf" -noreset -nolisten tcp -novtswitch \
    -sharevts vt7 -logfile "$XORG_DUMMY_DIR/Xorg.log" \
    3>"$XORG_DUMMY_DIR/displayfd" >/dev/null 2>&1 </dev/null &
  XORG_DUMMY_PID=$!
  # The number arrives once the server accepts connections; an empty read means it died.
  number=
  read -r number <"$XORG_DUMMY_DIR/displayfd" || true
  if [ -z "$number" ] || ! kill -0 "$XORG_DUMMY_PID" 2>/dev/null; then
    XORG_DUMMY_ERROR="Xorg did not start; its log: $(tail -n 5 "$XORG_DUMMY_DIR/Xorg.log" 2>/dev/null)"
    xorg_dummy_stop
    return 1
  fi
  XORG_DUMMY_DISPLAY=":$number"
  if [ "$monitors" = 2 ] && ! xorg_dummy_add_left_monitor >/dev/null 2>&1; then
    XORG_DUMMY_ERROR="xrandr could not add the second monitor"
    xorg_dummy_stop
    return 1
  fi
  return 0
}

xorg_dummy_stop() {
  if [ -n "$XORG_DUMMY_PID" ]; then
    kill "$XORG_DUMMY_PID" 2>/dev/null
    wait "$XORG_DUMMY_PID" 2>/dev/null
  fi
  [ -n "$XORG_DUMMY_DIR" ] && rm -rf "$XORG_DUMMY_DIR"
  XORG_DUMMY_PID=
  XORG_DUMMY_DIR=
  XORG_DUMMY_DISPLAY=
}

# For the end-to-end tests that need the server. xorg_test_begin NAME MONITORS starts it, or
# ends the test (SKIP without root or Xorg, a failure with CI=true, where it must start); then
# points Wine at the tests' own prefix for this server and at the server, makes the scratch
# folder $work under $build, and at exit runs the script's own xorg_test_cleanup (if it has
# one) before stopping Wine and the server.
# Ends the test as failed, saying why.
fail() {
  echo "FAIL: $1"
  exit 1
}

xorg_test_give_up() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $1"
    exit 1
  fi
  echo "SKIP: $XORG_TEST_NAME needs an Xorg dummy server: $1"
  exit 0
}

xorg_test_begin() {
  XORG_TEST_NAME=$1
  xorg_dummy_start "$2" || xorg_test_give_up "$XORG_DUMMY_ERROR"
  work=$(mktemp -d "$build/e2e-$1.XXXXXX")
  # A prefix of its own: the other tests' prefix has its desktop process on the Xvfb server.
  export WINEPREFIX="$build/wineprefix-xorg" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
  export DISPLAY="$XORG_DUMMY_DISPLAY"
  trap xorg_test_end EXIT
}

xorg_test_end() {
  if command -v xorg_test_cleanup >/dev/null 2>&1; then
    xorg_test_cleanup
  fi
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  xorg_dummy_stop
  [ -n "${work:-}" ] && rm -rf "$work"
}

# Builds the two native helpers of the ramp checks into folder $1: xgamma-ramp (reads and sets
# the server's gamma ramp through XF86VidMode) and expected-ramp (the ramp a ramp file should
# give, computed by the program's own synthesis). Returns non-zero when either fails to build.
xorg_build_ramp_tools() {
  e2e=$(cd "$(dirname "$0")" && pwd)
  src=$(cd "$e2e/../.." && pwd)
  cc -O2 -o "$1/xgamma-ramp" "$e2e/xgamma-ramp.c" -lXxf86vm -lX11 -lm &&
    c++ -std=c++20 -O1 -I"$src" -o "$1/expected-ramp" "$e2e/expected-ramp.cpp" \
      "$src/ramp/Correction.cpp" "$src/ramp/RampFile.cpp" "$src/ramp/RampFileMatch.cpp" \
      "$src/ramp/Displays.cpp" \
      "$src"/base/*.cpp
}

# Run directly (CTest does, given the build folder), it checks both layouts. Without root or
# Xorg it skips, except in CI (CI=true), where the server must start.
if [ "$(basename -- "$0")" = xorg-dummy.sh ]; then
  for layout in 1 2; do
    if ! xorg_dummy_start $layout; then
      [ "${CI:-}" = true ] && { echo "FAIL: $XORG_DUMMY_ERROR"; exit 1; }
      echo "SKIP: no Xorg dummy server: $XORG_DUMMY_ERROR"
      exit 0
    fi
    monitors=$(DISPLAY=$XORG_DUMMY_DISPLAY xrandr --listmonitors 2>/dev/null | sed -n 's/^ *[0-9]*: *//p')
    screen=$(DISPLAY=$XORG_DUMMY_DISPLAY xrandr --query 2>/dev/null | sed -n 's/.*current \([0-9]* x [0-9]*\),.*/\1/p')
    xorg_dummy_stop
    case $layout in
      1) expected_screen="1920 x 1080" expected_monitors="+*DUMMY0 1920/508x1080/286+0+0  DUMMY0" ;;
      2) expected_screen="3200 x 1080"
         expected_monitors="+*DUMMY0 1920/508x1080/286+1280+0  DUMMY0
+DUMMY1 1280/339x1024/271+0+0  DUMMY1" ;;
    esac
    if [ "$screen" != "$expected_screen" ] || [ "$monitors" != "$expected_monitors" ]; then
      echo "FAIL: layout $layout: screen '$screen', monitors:"
      echo "$monitors"
      exit 1
    fi
    echo "ok: layout $layout ($screen)"
  done
  exit 0
fi
