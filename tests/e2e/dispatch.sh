#!/bin/sh
# Tonecast.exe's first-argument dispatch under Wine: "/load", "/uninstall" and "/removeprofiles"
# end the run without writing settings or creating the data folder, quotes are removed before
# comparing, the comparison is exact, later arguments are ignored, and a plain run saves the
# settings.
# The web-address handler of the private prefix is pointed at a recorder for the test.
build="$1"
. "$(dirname "$0")/lib/window.sh"
exe="$build/exe/Tonecast.exe"
[ -f "$exe" ] || { echo "no Tonecast.exe in $build/exe" >&2; exit 1; }
# Never start a real browser, whatever path the shell takes.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winebrowser.exe=d"

work=$(mktemp -d /tmp/tonecast-dispatch.XXXXXX)
handler='HKLM\Software\Classes\https\shell\open\command'
old_handler=$(wine reg query "$handler" /ve </dev/null 2>/dev/null | tr -d '\r' |
  sed -n 's/^ *(Default) *REG_SZ *//p')
installed="$WINEPREFIX/drive_c/Program Files/Tonecast dispatch $$"
data="$WINEPREFIX/drive_c/ProgramData/Velmor"
cleanup() {
  if [ -n "$old_handler" ]; then
    wine reg add "$handler" /ve /d "$old_handler" /f </dev/null >/dev/null 2>&1
  fi
  rm -rf "$work" "$installed"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
url_file="$work/url.txt"
wine reg add "$handler" /ve /d "C:\\windows\\system32\\cmd.exe /c echo \"%1\">$(winpath "$url_file")" \
  /f </dev/null >/dev/null 2>&1 || fail "cannot set the test's URL handler"

# Runs the program with a command line written exactly as given (a batch file passes quotes
# through unchanged) and checks the exit code: $load_code when the first argument is "/load",
# else 0.
run() {
  folder="$1"; shift
  printf '@"%s" %s\r\nexit /b %%errorlevel%%\r\n' "$(winpath "$folder/Tonecast.exe")" "$*" \
    >"$work/run.bat"
  wine cmd /c "$(winpath "$work/run.bat")" </dev/null >/dev/null 2>&1
  rc=$?
  case $(printf '%s' "$*" | tr -d '"') in /load*) want=$load_code ;; *) want=0 ;; esac
  [ $rc = "$want" ] || fail "Tonecast.exe $* exited with $rc, not $want"
}

# Without ramp files "/load" fades every display to the identity. Where the X server has a
# gamma ramp (the Xorg dummy) every display takes it: exit code 0; where it has none (Xvfb)
# Wine sets nothing and the display refuses: exit code 2. A native probe tells which.
cc -O2 -o "$work/xgamma-ramp" "$(dirname "$0")/xgamma-ramp.c" -lXxf86vm -lX11 -lm ||
  fail "cannot build the gamma probe"
if "$work/xgamma-ramp" get >/dev/null 2>&1; then load_code=0; else load_code=2; fi

# The interactive run shows the calibration window: waits for it and closes it with Cancel
# (bottom-right corner of the bar), so that the run ends as a user would end it.
cancel_window() {
  tonecast_wait_window || return 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH - 44)) $((Y + HEIGHT - 14)) click 1
}

# Like run, for a command line that starts the interactive run.
run_interactive() {
  folder="$1"; shift
  printf '@"%s" %s\r\nexit /b %%errorlevel%%\r\n' "$(winpath "$folder/Tonecast.exe")" "$*" \
    >"$work/run.bat"
  wine cmd /c "$(winpath "$work/run.bat")" </dev/null >/dev/null 2>&1 &
  pid=$!
  cancel_window || { kill $pid; fail "'$*' showed no calibration window"; }
  wait $pid
  rc=$?
  [ $rc = 0 ] || fail "Tonecast.exe $* exited with $rc"
}

# The recorded address, waiting for the handler (the shell starts it without waiting).
recorded_url() {
  for i in $(seq 50); do
    [ -s "$url_file" ] && break
    sleep 0.1
  done
  tr -d '\r\n"' <"$url_file" 2>/dev/null
  rm -f "$url_file"
}

portable="$work/portable"
mkdir -p "$portable"
cp "$exe" "$portable/"
settings="$portable/Tonecast.settings"

# Switch runs write nothing.
for args in '/load' '"/load"' '"/lo"ad' '/load /uninstall' '"/load" x' '/removeprofiles'; do
  run "$portable" "$args"
  [ -e "$settings" ] && fail "$args wrote the settings file"
done
[ -e "$url_file" ] && fail "/load or /removeprofiles opened an address"

run "$portable" '/uninstall'
[ -e "$settings" ] && fail "/uninstall wrote the settings file"
got=$(recorded_url)
[ "$got" = "https://www.velmor.example/tonecast/uninstall?prd=tnc&v=3.1.0&d=0" ] ||
  fail "/uninstall opened '$got'"

# The log-on loader: "/once" does the "/load" job, with its exit code; without a ramp file
# the resident run ends at once with 0. Neither writes settings or opens an address.
cp "$build/exe/Tonestart.exe" "$portable/" || fail "no Tonestart.exe in $build/exe"
wine "$portable/Tonecast.exe" /load </dev/null >/dev/null 2>&1
load_rc=$?
for args in '/once' ''; do
  wine "$portable/Tonestart.exe" $args </dev/null >/dev/null 2>&1
  rc=$?
  [ $rc = "$([ -n "$args" ] && echo $load_rc || echo 0)" ] || fail "Tonestart.exe $args exited with $rc"
  [ -e "$settings" ] && fail "Tonestart.exe $args wrote the settings file"
  [ -e "$url_file" ] && fail "Tonestart.exe $args opened an address"
done

# Anything else is the interactive run, which saves the settings at its end.
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
  echo "no X display or xdotool: the interactive cases are skipped"
  echo "dispatch: switch cases passed"
  exit 0
fi
for args in '' '/LOAD' '/Load' 'x /load' '"" /load' '/uninstallx'; do
  rm -f "$settings"
  run_interactive "$portable" "$args"
  [ -e "$settings" ] || fail "'$args' did not reach the interactive run"
done
[ -e "$url_file" ] && fail "an interactive run opened an address"
# In UTF-16 after its byte-order mark, so that any path or language name survives.
{ printf '\377\376'; printf '[Settings]\r\nLanguage=English\r\nReferenceImage=\r\nGamma=2.2\r\n' |
  iconv -f UTF-8 -t UTF-16LE; } >"$work/expected.settings"
cmp -s "$settings" "$work/expected.settings" || fail "settings file holds: $(od -c "$settings")"

# Settings that cannot be written end the interactive run with the "Application Error" box
# and exit code 1.
rm -f "$settings"
mkdir "$settings"
wine "$portable/Tonecast.exe" </dev/null >/dev/null 2>&1 &
pid=$!
cancel_window || { kill $pid; fail "no calibration window"; }
box=
for i in $(seq 100); do
  box=$(xdotool search --name '^Application Error$' 2>/dev/null | head -1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || { kill $pid; fail "no Application Error box for an unwritable settings file"; }
eval "$(xdotool getwindowgeometry --shell "$box")"
# No window manager: the box has the keyboard while the pointer is over it.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool key Return
wait $pid
rc=$?
[ $rc = 1 ] || fail "an unwritable settings file gave exit code $rc"
rmdir "$settings"

# Installed under Program Files: the data folder is not created by a switch run.
mkdir -p "$installed"
cp "$exe" "$installed/"
if [ ! -e "$data" ]; then
  run "$installed" '/load'
  run "$installed" '/uninstall'
  [ -e "$data" ] && fail "a switch run created the data folder"
fi
recorded_url >/dev/null
# An installation twelve days old (and two hours, against a daylight-saving change).
touch -d "@$(( $(date +%s) - 12 * 86400 - 7200 ))" "$installed/Uninstall.exe"
run "$installed" '/uninstall'
got=$(recorded_url)
[ "$got" = "https://www.velmor.example/tonecast/uninstall?prd=tnc&v=3.1.0&d=12" ] ||
  fail "/uninstall with a 12-day-old Uninstall.exe opened '$got'"
echo "dispatch: all cases passed"
