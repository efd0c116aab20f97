#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <optional>
#include <string>

#include "panel/core/Numbers.h"

namespace {

struct ParseCase {
    const wchar_t* text;
    std::optional<double> expected;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsOnlyWholeDotSeparatedNumbers) {
    const ParseCase& c = GetParam();
    const std::optional<double> got = ParseNumber(c.text);
    ASSERT_EQ(got.has_value(), c.expected.has_value())
        << "text " << ::testing::PrintToString(std::wstring(c.text)) << ": expected "
        << (c.expected ? "a number" : "no number") << ", got " << (got ? std::to_string(*got) : "no number");
    if (got) {
        EXPECT_DOUBLE_EQ(*got, *c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseNumberTest,
    ::testing::Values(ParseCase{L"1.5", 1.5}, ParseCase{L"0", 0.0}, ParseCase{L"  -2.25", -2.25},
                      ParseCase{L"+3", 3.0}, ParseCase{L"1e3", 1000.0}, ParseCase{L"1.5E-2", 0.015},
                      ParseCase{L"2E+2", 200.0}, ParseCase{L".5", 0.5}, ParseCase{L"5.", 5.0},
                      ParseCase{L"0.00001", 0.00001}, ParseCase{L"1e-999", 0.0},
                      ParseCase{L"", std::nullopt}, ParseCase{L"   ", std::nullopt},
                      ParseCase{L"1,5", std::nullopt}, ParseCase{L"1.5 ", std::nullopt},
                      ParseCase{L"1.5x", std::nullopt}, ParseCase{L".", std::nullopt},
                      ParseCase{L"-", std::nullopt}, ParseCase{L"e5", std::nullopt},
                      ParseCase{L"1e", std::nullopt}, ParseCase{L"1e+", std::nullopt},
                      ParseCase{L"--1", std::nullopt}, ParseCase{L"1.2.3", std::nullopt},
                      ParseCase{L"inf", std::nullopt}, ParseCase{L"nan", std::nullopt},
                      ParseCase{L"0x10", std::nullopt}, ParseCase{L"1e999", std::nullopt},
                      ParseCase{L"\x0661", std::nullopt}));

TEST(ParseNumber, KeepsTheSignOfNegativeZero) {
    const std::optional<double> got = ParseNumber(L"-0");
    ASSERT_TRUE(got);
    EXPECT_TRUE(std::signbit(*got));
}

struct IntegerCase {
    const wchar_t* text;
    std::optional<std::int32_t> expected;
};

class ParseIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(ParseIntegerTest, ReadsOnly32BitDecimalIntegers) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(ParseInteger(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseIntegerTest,
    ::testing::Values(IntegerCase{L"42", 42}, IntegerCase{L"-7", -7}, IntegerCase{L"+7", 7},
                      IntegerCase{L"  12", 12}, IntegerCase{L"007", 7},
                      IntegerCase{L"2147483647", 2147483647},
                      IntegerCase{L"-2147483648", std::numeric_limits<std::int32_t>::min()},
                      IntegerCase{L"2147483648", std::nullopt}, IntegerCase{L"-2147483649", std::nullopt},
                      IntegerCase{L"99999999999999999999", std::nullopt}, IntegerCase{L"1.0", std::nullopt},
                      IntegerCase{L"1e3", std::nullopt}, IntegerCase{L"12 ", std::nullopt},
                      IntegerCase{L"", std::nullopt}, IntegerCase{L"-", std::nullopt},
                      IntegerCase{L" ", std::nullopt}, IntegerCase{L"abc", std::nullopt}));

struct FormatCase {
    double value;
    int precision;
    int decimals;
    const wchar_t* expected;
};

class FormatFixedTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixedTest, RoundsHalfAwayFromZeroInDecimal) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals), c.expected)
        << "value " << c.value << ", precision " << c.precision << ", decimals " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    Lots, FormatFixedTest,
    ::testing::Values(FormatCase{0.1, 5, 2, L"0.10"}, FormatCase{1.5, 5, 2, L"1.50"}, FormatCase{1, 5, 2, L"1.00"},
                      // Binary 0.01499999... and 2.67499999... still round up: we round what
                      // the number reads as, not how it is stored.
                      FormatCase{0.015, 5, 2, L"0.02"}, FormatCase{0.125, 5, 2, L"0.13"},
                      FormatCase{2.675, 5, 2, L"2.68"}, FormatCase{1.005, 5, 2, L"1.01"},
                      FormatCase{0.005, 5, 2, L"0.01"}, FormatCase{0.0049, 5, 2, L"0.00"},
                      FormatCase{0.011, 5, 2, L"0.01"}, FormatCase{-1.005, 5, 2, L"-1.01"},
                      FormatCase{0, 5, 2, L"0.00"}, FormatCase{-0.0, 5, 2, L"0.00"},
                      FormatCase{-0.001, 5, 2, L"0.00"}, FormatCase{1e-20, 5, 2, L"0.00"},
                      // Digits past the fifth significant one are zeros.
                      FormatCase{1234.567, 5, 2, L"1234.60"}, FormatCase{12345.678, 5, 2, L"12346.00"},
                      FormatCase{99999.4, 5, 2, L"99999.00"},
                      // More digits before the point than may be shown.
                      FormatCase{123456, 5, 2, L"1.2346E+05"}, FormatCase{99999.6, 5, 2, L"1.0000E+05"},
                      FormatCase{-123456, 5, 2, L"-1.2346E+05"}, FormatCase{1e20, 5, 2, L"1.0000E+20"}));

INSTANTIATE_TEST_SUITE_P(
    DistancesAndPrices, FormatFixedTest,
    ::testing::Values(FormatCase{150.4, 5, 0, L"150"}, FormatCase{0.5, 5, 0, L"1"}, FormatCase{-2.5, 5, 0, L"-3"},
                      FormatCase{1234.5, 5, 0, L"1235"}, FormatCase{-0.4, 5, 0, L"0"},
                      FormatCase{123456, 5, 0, L"1.2346E+5"}, FormatCase{1.2345, 10, 4, L"1.2345"},
                      FormatCase{1.23456789, 10, 3, L"1.235"}, FormatCase{1.2, 10, 5, L"1.20000"},
                      FormatCase{1.2, 10, 0, L"1"}, FormatCase{110.125, 10, 2, L"110.13"},
                      FormatCase{1.123456789012, 10, 12, L"1.123456789000"}));

TEST(FormatNumbers, NamedFormatsUseTheirPrecisionAndDecimals) {
    EXPECT_EQ(FormatLot(0.015), L"0.02");
    EXPECT_EQ(FormatLot(123456), L"1.2346E+05");
    EXPECT_EQ(FormatDistance(149.5), L"150");
    EXPECT_EQ(FormatPrice(1.234565, 5), L"1.23457");
    EXPECT_EQ(FormatPrice(0.5, 0), L"1");
}

TEST(FormatNumbers, NotANumberAndInfinityAreNamed) {
    EXPECT_EQ(FormatLot(std::nan("")), L"NAN");
    EXPECT_EQ(FormatLot(HUGE_VAL), L"INF");
    EXPECT_EQ(FormatLot(-HUGE_VAL), L"-INF");
}

// A Russian system writes "1,5"; the channels never do, whatever locale the process runs in.
TEST(Numbers, IgnoreTheLocalesDecimalSeparator) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8")) GTEST_SKIP() << "ru_RU.UTF-8 is not installed";
    const std::locale previousGlobal = std::locale::global(std::locale("ru_RU.UTF-8"));
    const std::optional<double> parsed = ParseNumber(L"1.5");
    const std::optional<double> comma = ParseNumber(L"1,5");
    const std::wstring lot = FormatLot(1.5);
    const std::wstring price = FormatPrice(1.23456, 5);
    std::locale::global(previousGlobal);
    std::setlocale(LC_ALL, previous.c_str());

    ASSERT_TRUE(parsed);
    EXPECT_DOUBLE_EQ(*parsed, 1.5);
    EXPECT_FALSE(comma);
    EXPECT_EQ(lot, L"1.50");
    EXPECT_EQ(price, L"1.23456");
}

}  // namespace
