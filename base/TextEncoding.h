#pragma once
// Recognising and converting the 8-bit encodings of the text files the program reads. Text
// inside the program is UTF-8.

#include <string>
#include <string_view>

// True when the bytes are well-formed UTF-8 throughout: no stray continuation bytes, no
// truncated, overlong or surrogate sequences, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 text as UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same number, as Windows converts them.
std::string Windows1252ToUtf8(std::string_view bytes);
