#!/bin/sh
# Every file of data/ (language files, reference image) lies beside Tonecast.exe byte for byte,
# the non-ASCII names of the language files included.
set -eu
data="$(cd "$(dirname "$0")/../../data" && pwd)"
exe="$1/exe"
status=0
count=0
for file in "$data"/*; do
  name=$(basename "$file")
  count=$((count + 1))
  if ! cmp -s "$file" "$exe/$name"; then
    echo "not beside Tonecast.exe as in data/: $name"
    status=1
  fi
done
for language in English Deutsch Français Español Italiano Polski Русский 日本語 简体中文; do
  [ -f "$exe/$language.lng" ] || { echo "missing: $language.lng"; status=1; }
done
echo "$count files checked"
exit $status
