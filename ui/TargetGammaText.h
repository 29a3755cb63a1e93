#pragma once
// The target gamma as the welcome page shows and reads it.

#include <optional>
#include <string>

// "#.###": at most three decimals rounded half away from zero on the value's shortest
// 15-digit decimal form, no trailing zeros, no zero before the decimal point, nothing at all
// for a value that rounds to 0 (and for one that is not finite).
std::string FormatTargetGamma(double value, char decimalSeparator);

// A number: optional sign, digits with at most one decimal separator (at least one digit in
// all), optional exponent ("e" or "E", optional sign, digits). A gamma has no thousands, so
// "." and "," both read as the decimal separator, as does the locale's `decimalSeparator`:
// "2,2" from a help text works on any system. No blanks.
std::optional<double> ParseTargetGamma(const std::string& text, char decimalSeparator);

// What the target-gamma edit accepts: above 0 and not above 5.01.
bool IsValidTargetGamma(double value);
