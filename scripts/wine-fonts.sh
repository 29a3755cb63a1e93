#!/bin/sh
# Gives the Wine prefix in $WINEPREFIX glyphs for Japanese and Chinese in the window's font.
# The window asks for Tahoma; without Windows' fonts Wine takes fontconfig's stand-in for it
# (DejaVu Sans on Debian), which has no such glyphs. Windows links its UI fonts to the fonts of
# East Asian scripts; this links the stand-in, regular and bold, to WenQuanYi Micro Hei
# (Debian's fonts-wqy-microhei, installed by scripts/setup.sh) the same way, and lets that font
# stand in for SimSun, which Wine's text layout (the multi-line edit) falls back to for these
# scripts. Latin and Cyrillic text stays in the stand-in. Safe to run again.
family=$(fc-match -f '%{family[0]}' Tahoma 2>/dev/null)
[ -n "$family" ] && fc-list | grep -q 'wqy-microhei' || exit 0
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in "$family" "$family Bold"; do
  wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' \
    /f >/dev/null 2>&1 </dev/null
done
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ \
  /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1 </dev/null
exit 0
