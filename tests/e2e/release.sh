#!/bin/sh
# The Windows release under Wine, as an administrator would use it.
#  - Tonecast-3.1.0-setup.exe /S installs the built files into Program Files, the Start-menu
#    shortcut and the "Apps & features" entry, and makes the all-users data folder; the
#    installed program keeps its ramp files there and its settings in the user's own AppData;
#    the loader starts at log-on from the machine's Run key, and OK writes no shortcut; an
#    upgrade keeps the data and the date of the installation and removes the installing
#    user's Startup shortcut of earlier versions.
#  - Uninstall.exe /S opens no page, closes this installation's resident loader but no other
#    (a stand-in), removes the files, the shortcuts, the Run value and the entry, and keeps
#    the data folder.
#    Its page runs "Tonecast.exe /uninstall" (the age of Uninstall.exe in the address), and
#    with "Also remove my saved corrections" ticked deletes the program's files in the data
#    folder by name: links that a user placed there (to a folder, or named like a ramp file)
#    are not followed, and what they point at survives.
#  - GdiIcmGammaRange is set only with the option (/GAMMARANGE) and restored exactly: an old
#    value comes back, an absent one goes again, one changed since stays.
#  - Tonecast-3.1.0-portable.zip, unpacked anywhere (a folder named in letters outside the ANSI
#    code page too), runs in portable mode.
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib/window.sh"
release="$build/release"
setup="$release/Tonecast-3.1.0-setup.exe"
[ -f "$setup" ] || { echo "FAIL: no $setup (is makensis installed?)"; exit 1; }
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winebrowser.exe=d"

c="$WINEPREFIX/drive_c"
installed="$c/Program Files/Velmor/Tonecast"
data="$c/ProgramData/Velmor/Tonecast"
user_data="$c/users/$(id -un)/AppData/Roaming/Velmor/Tonecast"
menu_link="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tonecast.lnk"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmor Tonecast'
icm='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ICM'
handler='HKLM\Software\Classes\https\shell\open\command'
work=$(mktemp -d /tmp/tonecast-release.XXXXXX)
other=
old_appdata=

reg_value() {  # key name: the value's data, or nothing when it is absent
  wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
old_handler=$(wine reg query "$handler" /ve </dev/null 2>/dev/null | tr -d '\r' |
  sed -n 's/^ *(Default) *REG_SZ *//p')
old_range=$(reg_value "$icm" GdiIcmGammaRange)
had_data=$([ -e "$c/ProgramData/Velmor" ] && echo 1)
had_user_data=$([ -e "$user_data" ] && echo 1)
cleanup() {
  [ -n "$other" ] && kill "$other" 2>/dev/null
  [ -n "$old_appdata" ] && wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ \
    /d "$old_appdata" /f </dev/null >/dev/null 2>&1
  [ -n "$old_handler" ] && wine reg add "$handler" /ve /d "$old_handler" /f </dev/null >/dev/null 2>&1
  if [ -n "$old_range" ]; then
    wine reg add "$icm" /v GdiIcmGammaRange /t REG_DWORD /d "$old_range" /f </dev/null >/dev/null 2>&1
  else
    wine reg delete "$icm" /v GdiIcmGammaRange /f </dev/null >/dev/null 2>&1
  fi
  wine reg delete "$entry" /f </dev/null >/dev/null 2>&1
  # Wine starts what the Run key names when it boots a prefix.
  wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Tonestart /f \
    </dev/null >/dev/null 2>&1
  rm -rf "$work" "$installed" "$menu_link"
  [ -z "$had_data" ] && rm -rf "$c/ProgramData/Velmor"
  [ -z "$had_user_data" ] && rm -rf "$user_data"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
set_range() {
  if [ -n "$1" ]; then
    wine reg add "$icm" /v GdiIcmGammaRange /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  else
    wine reg delete "$icm" /v GdiIcmGammaRange /f </dev/null >/dev/null 2>&1
  fi
}
check_range() {
  got=$(reg_value "$icm" GdiIcmGammaRange)
  [ "$got" = "$1" ] || fail "$2: GdiIcmGammaRange is '$got', expected '$1'"
}
install() {
  wine "$setup" /S "$@" </dev/null >/dev/null 2>&1 || fail "setup $* exited with $?"
  [ -f "$installed/Uninstall.exe" ] || fail "setup $* installed no Uninstall.exe"
}
# The silent uninstaller returns at once; a copy of it finishes in the background.
uninstall() {
  wine "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1
  for _ in $(seq 150); do
    [ -e "$installed" ] || [ -n "$(reg_value "$entry" DisplayName)" ] || return 0
    sleep 0.2
  done
  fail "the uninstaller left $(ls "$installed" 2>/dev/null | tr '\n' ' ')"
}
# Starts a program folder's Tonecast.exe, waits for the window and clicks a bar button (the
# given distance from the window's right edge: 129 for OK, 44 for Cancel).
run_and_click() {
  tonecast_start "$1" || fail "no calibration window from $1"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # A click the busy window did not take yet is given again until the program ends.
  for _ in $(seq 5); do
    xdotool mousemove $((X + WIDTH - $2)) $((Y + HEIGHT - 14)) click 1
    for _ in $(seq 60); do
      kill -0 "$program" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  kill -0 "$program" 2>/dev/null && fail "Tonecast.exe in $1 did not end on its button"
  wait "$program" || fail "Tonecast.exe in $1 exited with $?"
}
# A checksum of the 12 x 12 pixels of the screen around ($1, $2), and how many colours they hold.
square() { import -window root -crop "12x12+$(($1 - 6))+$(($2 - 6))" -depth 8 rgb:- | md5sum; }
square_colours() { import -window root -crop "12x12+$(($1 - 6))+$(($2 - 6))" png:- | identify -format %k -; }

rm -rf "$installed"
wine reg delete "$entry" /f </dev/null >/dev/null 2>&1
url_file="$work/url.txt"
wine reg add "$handler" /ve /d "C:\\windows\\system32\\cmd.exe /c echo \"%1\">$(winpath "$url_file")" \
  /f </dev/null >/dev/null 2>&1 || fail "cannot set the test's URL handler"
startup=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v Startup </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^ *Startup *REG_SZ *//p')
startup_link="$(wine winepath -u "$startup" 2>/dev/null </dev/null)/Tonestart.lnk"

# Install over a gamma-range value of 100, without the option.
set_range 100
install
check_range 0x64 "installed without the option"
expected="Deutsch.lng English.lng Español.lng Français.lng Italiano.lng Polski.lng Tonecast.exe TonecastRef.sRGB.jpg Tonestart.exe Uninstall.exe Русский.lng 日本語.lng 简体中文.lng "
[ "$(ls "$installed" | tr '\n' ' ')" = "$expected" ] || fail "installed: $(ls "$installed" | tr '\n' ' ')"
for file in "$build/exe/Tonecast.exe" "$build/exe/Tonestart.exe" "$here/../../data"/*; do
  cmp -s "$file" "$installed/$(basename "$file")" || fail "installed $(basename "$file") differs"
done
[ "$(head -c 4 "$menu_link" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 4c000000 ] ||
  fail "no Start-menu shortcut"
for pair in "DisplayName=Velmor Tonecast 3.1.0" "DisplayVersion=3.1.0" "Publisher=Velmor" \
  "InstallLocation=C:\\Program Files\\Velmor\\Tonecast" \
  "DisplayIcon=C:\\Program Files\\Velmor\\Tonecast\\Tonecast.exe,0" \
  "UninstallString=\"C:\\Program Files\\Velmor\\Tonecast\\Uninstall.exe\"" \
  "QuietUninstallString=\"C:\\Program Files\\Velmor\\Tonecast\\Uninstall.exe\" /S"; do
  got=$(reg_value "$entry" "${pair%%=*}")
  [ "$got" = "${pair#*=}" ] || fail "${pair%%=*} is '$got'"
done
size=$(reg_value "$entry" EstimatedSize)
[ $((size)) -ge 1500 ] && [ $((size)) -le 4000 ] || fail "EstimatedSize $size KB"
[ -d "$data" ] || fail "the installer made no data folder"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
[ "$(reg_value "$run_key" Tonestart)" = "\"C:\\Program Files\\Velmor\\Tonecast\\Tonestart.exe\"" ] ||
  fail "Run value Tonestart is '$(reg_value "$run_key" Tonestart)'"

# The installed program: OK writes one ramp file into the all-users data folder and the
# settings into the user's own AppData, nothing beside itself and no log-on shortcut.
rm -f "$startup_link" "$user_data/Tonecast.settings"
run_and_click "$installed" 129
[ "$(ls "$data" | tr '\n' ' ')" = "Tonecast1.icm Tonecast1.lut " ] || fail "data folder: $(ls "$data")"
[ -f "$user_data/Tonecast.settings" ] || fail "no settings in the user's AppData"
[ "$(ls "$installed" | tr '\n' ' ')" = "$expected" ] || fail "the program wrote beside itself"
[ -e "$startup_link" ] && fail "OK in the installed program wrote Tonestart.lnk"
cp "$user_data/Tonecast.settings" "$data/Tonecast1.lut" "$work/"

# A second user (another AppData folder) has settings of their own: they start once from the
# shared file of an earlier version, and neither file nor the first user's changes.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
old_appdata=$(reg_value "$shell_folders" AppData)
mkdir -p "$work/bob/AppData"
wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /d "$(winpath "$work/bob/AppData")" /f \
  </dev/null >/dev/null 2>&1
printf '[Settings]\r\nGamma=1.8\r\n' >"$data/Tonecast.settings"
run_and_click "$installed" 44
wine reg add "$shell_folders" /v AppData /t REG_EXPAND_SZ /d "$old_appdata" /f </dev/null >/dev/null 2>&1
old_appdata=
bob="$work/bob/AppData/Velmor/Tonecast/Tonecast.settings"
iconv -f UTF-16 -t UTF-8 "$bob" 2>/dev/null | grep -q '^Gamma=1\.8' ||
  fail "the second user's settings: $(iconv -f UTF-16 -t UTF-8 "$bob" 2>&1)"
[ "$(cat "$data/Tonecast.settings")" = "$(printf '[Settings]\r\nGamma=1.8\r')" ] ||
  fail "the second user changed the shared settings file"
cmp -s "$work/Tonecast.settings" "$user_data/Tonecast.settings" ||
  fail "the second user changed the first user's settings"
rm "$data/Tonecast.settings"
# The Startup shortcut an earlier version's OK wrote, which the upgrade removes.
printf 'L\0\0\0' >"$startup_link"

# An upgrade with the option keeps the data and the installation's date (twelve days and two
# hours ago, against a daylight-saving change), and lifts the limit.
touch -d "@$(( $(date +%s) - 12 * 86400 - 7200 ))" "$installed/Uninstall.exe"
dated=$(stat -c %Y "$installed/Uninstall.exe")
install /GAMMARANGE
[ "$(stat -c %Y "$installed/Uninstall.exe")" = "$dated" ] || fail "the upgrade re-dated Uninstall.exe"
check_range 0x100 "upgraded with the option"
[ -e "$startup_link" ] && fail "the upgrade left the Startup shortcut of an earlier version"
cmp -s "$work/Tonecast1.lut" "$data/Tonecast1.lut" && cmp -s "$work/Tonecast.settings" \
  "$user_data/Tonecast.settings" || fail "the upgrade changed the data folder or the settings"

# The installation's resident loader (it stays: there is a ramp file to keep), and one of
# another copy (a stand-in: a second real loader would end at once, one per session).
wine "$installed/Tonestart.exe" </dev/null >/dev/null 2>&1 &
ours=$!
for _ in $(seq 100); do
  wine "$build/tests/loader_control.exe" running </dev/null >/dev/null 2>&1 && break
  sleep 0.1
done
wine "$build/tests/loader_control.exe" running </dev/null >/dev/null 2>&1 ||
  fail "the installed loader did not start"
x86_64-w64-mingw32-gcc -O2 -mwindows "$here/loader-standin.c" -o "$work/standin.exe" ||
  fail "cannot build the loader stand-in"
mkdir "$work/other"
cp "$work/standin.exe" "$work/other/Tonestart.exe"
wine "$work/other/Tonestart.exe" "$(winpath "$work/other.ready")" </dev/null >/dev/null 2>&1 &
other=$!
for _ in $(seq 100); do
  [ -e "$work/other.ready" ] && break
  sleep 0.1
done
[ -e "$work/other.ready" ] || fail "the loader stand-in did not start"

uninstall
kill -0 $ours 2>/dev/null && fail "the installation's loader still runs"
kill -0 $other 2>/dev/null || fail "the loader of another copy was closed"
# The address would reach the handler through a process of its own: give it time to come.
sleep 2
[ -s "$url_file" ] && fail "the silent uninstaller opened $(cat "$url_file")"
[ -e "$c/Program Files/Velmor" ] && fail "Program Files\\Velmor is still there"
[ -e "$menu_link" ] && fail "the Start-menu shortcut is still there"
[ -e "$startup_link" ] && fail "Tonestart.lnk is still in the Startup folder"
[ -n "$(reg_value "$run_key" Tonestart)" ] && fail "the Run value is still there"
cmp -s "$work/Tonecast1.lut" "$data/Tonecast1.lut" || fail "the uninstaller changed the data folder"
check_range 0x64 "uninstalled"

# From no value: the option sets it, the uninstaller removes it again. This time through the
# uninstaller's page, with "Also remove my saved corrections" ticked (the first item of the
# list; Uninstall at the bottom right). A user has placed links in the data folder, one to a
# folder and one named like a ramp file, and left the settings file of an earlier version.
set_range ""
install /GAMMARANGE
check_range 0x100 "installed with the option"
touch -d "@$(( $(date +%s) - 12 * 86400 - 7200 ))" "$installed/Uninstall.exe"
mkdir "$work/outside" "$work/outside2"
echo canary >"$work/outside/canary"
echo canary >"$work/outside2/canary"
ln -s "$work/outside" "$data/link"
ln -s "$work/outside2" "$data/Tonecast2.lut"
cp "$work/Tonecast.settings" "$data/"
wine "$installed/Uninstall.exe" </dev/null >/dev/null 2>&1
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0 Uninstall' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "no uninstaller window"
eval "$(xdotool getwindowgeometry --shell "$window")"
box_x=$((X + 217)) box_y=$((Y + 169)) button_x=$((X + 410)) button_y=$((Y + 360))
# Polls for the option's check box to be drawn, then clicks it until its pixels change.
xdotool mousemove $box_x $box_y
for _ in $(seq 100); do
  [ "$(square_colours $box_x $box_y)" -gt 1 ] && break
  sleep 0.1
done
unticked=$(square $box_x $box_y)
for _ in $(seq 5); do
  xdotool click 1
  for _ in $(seq 20); do
    [ "$(square $box_x $box_y)" != "$unticked" ] && break 2
    sleep 0.1
  done
done
[ "$(square $box_x $box_y)" != "$unticked" ] || fail "the uninstaller's option did not tick"
# Uninstall, given again every 3 s while the program is still there (once the work has begun
# the button is disabled until it becomes Close).
xdotool mousemove $button_x $button_y
for i in $(seq 150); do
  [ -e "$installed" ] || break
  [ $((i % 15)) = 1 ] && xdotool click 1
  sleep 0.2
done
[ -e "$installed" ] && fail "the uninstaller's page removed nothing"
for i in $(seq 150); do  # Close on the last page
  xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0 Uninstall' >/dev/null 2>&1 || break
  [ $((i % 15)) = 1 ] && xdotool click 1
  sleep 0.2
done
for _ in $(seq 150); do  # the data is removed after the program
  [ -e "$data/Tonecast.settings" ] || break
  sleep 0.2
done
[ -f "$work/outside/canary" ] && [ -f "$work/outside2/canary" ] ||
  fail "the uninstaller deleted through a link"
[ "$(ls "$data" | tr '\n' ' ')" = "Tonecast2.lut link " ] ||
  fail "the ticked uninstaller left $(ls "$data" | tr '\n' ' ')"
for _ in $(seq 50); do
  [ -s "$url_file" ] && break
  sleep 0.1
done
got=$(tr -d '\r\n"' <"$url_file" 2>/dev/null)
[ "$got" = "https://www.velmor.example/tonecast/uninstall?prd=tnc&v=3.1.0&d=12" ] ||
  fail "the uninstaller opened '$got'"
check_range "" "uninstalled after setting an absent value"

# A value changed since the installation set it is not the uninstaller's to restore.
install /GAMMARANGE
set_range 200
uninstall
check_range 0xc8 "uninstalled after the value was changed"

# The portable zip, unpacked outside Program Files into a folder whose name the ANSI code page
# cannot spell: OK saves its settings and ramp file beside the program.
unpacked="$work/Dvořák 测试"
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$release/Tonecast-3.1.0-portable.zip") || fail "cannot unpack the zip"
portable="$unpacked/Tonecast-3.1.0-portable"
[ "$(ls "$portable" | tr '\n' ' ')" = "$(echo "$expected" | sed 's/Uninstall\.exe //')" ] ||
  fail "zip: $(ls "$portable" | tr '\n' ' ')"
run_and_click "$portable" 129
[ -f "$portable/Tonecast.settings" ] && [ -f "$portable/Tonecast1.lut" ] ||
  fail "the unpacked program saved no settings and ramp file beside itself: $(ls "$portable")"
rm -f "$startup_link"
[ -e "$data/Tonecast.settings" ] && fail "the unpacked program wrote into the all-users data folder"
echo "release: all cases passed"
