#pragma once
// Numbers read from text by the program's own strict rules rather than the C library's, which
// skip blanks, accept trailing garbage and follow the C locale.

#include <cstdint>
#include <optional>
#include <string>

// An optional '+' or '-' followed by one or more digits 0-9, nothing else, no blanks, within
// 32 bits; nullopt otherwise.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text);

// An optional sign, digits with at most one `separator` (at least one digit in all), an optional
// exponent ("e" or "E", optional sign, digits); no blanks or thousands separators. Nullopt for
// anything else, a point under a comma separator included, and for a value beyond a double's
// range.
std::optional<double> ParseDecimal(const std::string& text, char separator);
