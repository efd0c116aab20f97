#pragma once
// Numbers as the channels carry them: "." is the decimal separator whatever the locale.
#include <cstdint>
#include <optional>
#include <string>

// Optional leading blanks, optional sign, digits, optional "." and digits, optional
// exponent introduced by "E" or "e"; nothing may follow.
std::optional<double> ParseNumber(const std::wstring& text);
// A decimal 32-bit integer: optional leading blanks, optional sign, digits, nothing after.
std::optional<std::int32_t> ParseInteger(const std::wstring& text);

// Fixed-point with `decimals` decimals, rounded half away from zero, at most `precision`
// significant digits; a number with more than `precision` digits before the point comes
// out in exponent notation.
std::wstring FormatFixed(double value, int precision, int decimals);
// Lots: two decimals, five significant digits ("0.10", "1.50").
std::wstring FormatLot(double value);
// Distances in points: no decimals, five significant digits.
std::wstring FormatDistance(double value);
// Prices: `digits` decimals, ten significant digits.
std::wstring FormatPrice(double value, int digits);
