#pragma once
// How an up-down's position follows the text of its buddy edit. The program's own rule rather
// than comctl32's, which reads an empty text as 0 and drops thousands separators, and differs
// between Windows versions.

#include <optional>
#include <string>

// The value of `text` when it is a whole decimal number -- an optional '+' or '-' followed by
// one or more digits 0-9, nothing else, no blanks -- within min..max; nullopt otherwise.
std::optional<int> UpDownValue(const std::string& text, int min, int max);

// The position an up-down at `lastPosition` takes when its buddy's text becomes `text`.
int PositionFollowingText(const std::string& text, int min, int max, int lastPosition);
