#include "panel/core/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::size_t SkipBlanks(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    return i;
}

// A number's decimal digits and the position of the point: the value is
// 0.d0d1d2... × 10^pointPosition, i.e. pointPosition digits stand before the point.
struct DecimalDigits {
    std::string digits;
    int pointPosition = 0;
};

// We round in decimal, on fifteen significant digits, as a person reading the number would:
// 0.015 is stored as 0.01499999..., yet it is "0.015" to everyone and must round up.
constexpr int kSignificantDigits = 15;

DecimalDigits ToDecimal(double magnitude) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                                      kSignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    // "d.dddddddddddddde±XX"
    DecimalDigits decimal;
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') decimal.digits.push_back(text[i]);
    decimal.pointPosition = std::stoi(text.substr(e + 1)) + 1;
    return decimal;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit that follows.
// `keep` may be 0 or negative: then the number rounds to one unit of that position or to 0.
void RoundTo(DecimalDigits& decimal, int keep) {
    if (keep < 0) {
        decimal.digits.clear();
        return;
    }
    const auto size = static_cast<int>(decimal.digits.size());
    if (keep >= size) return;
    const bool up = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
    decimal.digits.resize(static_cast<std::size_t>(keep));
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && decimal.digits[static_cast<std::size_t>(i)] == '9') {
        decimal.digits[static_cast<std::size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++decimal.digits[static_cast<std::size_t>(i)];
    } else {
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.pointPosition;
    }
}

bool AllZero(const std::string& digits) {
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

char DigitAt(const DecimalDigits& decimal, int index) {
    if (index < 0 || index >= static_cast<int>(decimal.digits.size())) return '0';
    return decimal.digits[static_cast<std::size_t>(index)];
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::optional<double> ParseNumber(const std::wstring& text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    // Only the validated characters reach the converter, which never looks at the locale.
    std::string plain;
    int mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        plain.push_back(static_cast<char>(text[i++]));
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == L'.') {
        plain.push_back('.');
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            plain.push_back(static_cast<char>(text[i++]));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == L'E' || text[i] == L'e')) {
        plain.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) plain.push_back(static_cast<char>(text[i++]));
        int exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            plain.push_back(static_cast<char>(text[i++]));
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ptr != plain.data() + plain.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to tell from zero is zero; too large for a double is no number we can use.
        const std::size_t e = plain.find('e');
        if (e == std::string::npos || plain[e + 1] != '-') return std::nullopt;
        value = 0;
    } else if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> ParseInteger(const std::wstring& text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    // The magnitude of the most negative 32-bit integer is one more than the largest.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - L'0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::wstring FormatFixed(double value, int precision, int decimals) {
    if (std::isnan(value)) return L"NAN";
    if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";
    precision = std::clamp(precision, 1, kSignificantDigits);
    decimals = std::clamp(decimals, 0, 18);

    DecimalDigits decimal;
    if (value != 0) {
        decimal = ToDecimal(std::fabs(value));
        RoundTo(decimal, std::min(precision, decimal.pointPosition + decimals));
    }
    // A value that rounds to nothing has no sign: -0.001 is "0.00", as is -0.
    const bool negative = value < 0 && !AllZero(decimal.digits);
    if (AllZero(decimal.digits)) decimal = DecimalDigits{};

    std::string text = negative ? "-" : "";
    if (decimal.pointPosition > precision) {
        // More digits before the point than we may show: d.dddd E+xx.
        text.push_back(decimal.digits[0]);
        if (precision > 1) {
            text.push_back('.');
            for (int i = 1; i < precision; ++i) text.push_back(DigitAt(decimal, i));
        }
        std::string exponent = std::to_string(decimal.pointPosition - 1);
        const auto exponentDigits = static_cast<std::size_t>(std::max(decimals, 1));
        if (exponent.size() < exponentDigits) exponent.insert(0, exponentDigits - exponent.size(), '0');
        text += "E+" + exponent;
        return Widen(text);
    }

    if (decimal.pointPosition <= 0) {
        text.push_back('0');
    } else {
        for (int i = 0; i < decimal.pointPosition; ++i) text.push_back(DigitAt(decimal, i));
    }
    if (decimals > 0) {
        text.push_back('.');
        for (int i = 0; i < decimals; ++i) text.push_back(DigitAt(decimal, decimal.pointPosition + i));
    }
    return Widen(text);
}

std::wstring FormatLot(double value) { return FormatFixed(value, 5, 2); }

std::wstring FormatDistance(double value) { return FormatFixed(value, 5, 0); }

std::wstring FormatPrice(double value, int digits) { return FormatFixed(value, 10, digits); }
