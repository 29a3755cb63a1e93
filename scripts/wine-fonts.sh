#!/bin/sh
# Gives the Wine prefix in $WINEPREFIX glyphs for Japanese and Chinese in the window's font.
# The window asks for Tahoma; without Windows' fonts Wine takes fontconfig's stand-in for it
# (DejaVu Sans on Debian), which has no such glyphs. Windows links its UI fonts to the fonts of
# East Asian scripts; this links the stand-in, regular and bold, to WenQuanYi Micro Hei
# (Debian's fonts-wqy-microhei, installed by scripts/setup.sh) the same way, for the labels,
# buttons and tabs. The multi-line edit lays its text out with Wine's Uniscribe, which takes no
# font links but a fallback font per script: the same font for the Han and the kana scripts
# (the values are the scripts' OpenType tags 'hani' and 'kana' as hexadecimal numbers).
# Nothing else changes: Latin and Cyrillic text stays in the stand-in, and dialogs in Wine's
# own fonts (the installer's) keep their layout, which a stand-in for SimSun would not.
# Safe to run again.
family=$(fc-match -f '%{family[0]}' Tahoma 2>/dev/null)
[ -n "$family" ] && fc-list | grep -q 'wqy-microhei' || exit 0
font='WenQuanYi Micro Hei'
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in "$family" "$family Bold"; do
  wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,$font" \
    /f >/dev/null 2>&1 </dev/null
done
for script in 696e6168 616e616b; do
  wine reg add 'HKCU\Software\Wine\Uniscribe\Fallback' /v "$script" /t REG_SZ /d "$font" \
    /f >/dev/null 2>&1 </dev/null
done
exit 0
