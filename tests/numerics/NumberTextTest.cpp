#include "NumberText.h"
#include "RowNames.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace merivane {
namespace {

// ---------------------------------------------------------------- FormatReal

struct FormatCase {
    double x;
    int decimals;
    const char* text;
};

class FormatRealTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatRealTable, GivesText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatReal(c.x, c.decimals), c.text) << "x=" << c.x << " decimals=" << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    DocumentedTable, FormatRealTable,
    ::testing::Values(FormatCase{0.0, 3, "0"}, FormatCase{-0.0, 3, "0"}, FormatCase{85, 3, "85"},
                      FormatCase{85.5, 3, "85.5"}, FormatCase{0.855, 3, "0.855"}, FormatCase{0.1, 3, "0.1"},
                      FormatCase{1.0 / 3.0, 3, "0.333"}, FormatCase{2.0 / 3.0, 2, "0.67"},
                      FormatCase{-47.25, 3, "-47.25"}, FormatCase{-13.9794, 2, "-13.98"},
                      FormatCase{123.456, 2, "123.46"}, FormatCase{0.125, 2, "0.13"}, FormatCase{2.675, 2, "2.67"},
                      FormatCase{9999.999, 3, "9999.999"}, FormatCase{9999.996, 2, "10000"},
                      FormatCase{9999.9994, 3, "1E+4"}, FormatCase{0.0996, 3, "9.96E-2"},
                      FormatCase{0.0997, 3, "0.1"}, FormatCase{12345.6, 3, "1.235E+4"},
                      FormatCase{12345.6, 2, "1.23E+4"}, FormatCase{-12345.678, 2, "-1.23E+4"},
                      FormatCase{50000, 3, "5E+4"}, FormatCase{100000, 3, "1E+5"}, FormatCase{0.05, 3, "5E-2"},
                      FormatCase{0.0123456, 2, "1.23E-2"}, FormatCase{0.0099996, 3, "1E-2"},
                      FormatCase{-0.001, 3, "-1E-3"}, FormatCase{1e-9, 3, "1E-9"}, FormatCase{1e16, 2, "1E+16"},
                      FormatCase{1.7976931348623157e308, 3, "1.798E+308"}),
    ROW_NAMES(rows::Num(r.x) + "_" + std::to_string(r.decimals) + "dec"));

// The two bounds of fixed notation and their neighbours one ulp away.
const double kLowBound = 0.0996;
const double kHighBound = 9999.9994;

INSTANTIATE_TEST_SUITE_P(
    BoundsTiesCarries, FormatRealTable,
    ::testing::Values(
        FormatCase{std::nextafter(kLowBound, 1.0), 3, "0.1"},
        FormatCase{std::nextafter(kLowBound, 0.0), 3, "9.96E-2"},
        FormatCase{std::nextafter(kHighBound, 0.0), 3, "9999.999"},
        FormatCase{std::nextafter(kHighBound, 0.0), 2, "10000"},
        FormatCase{std::nextafter(kHighBound, 1e9), 3, "1E+4"},
        FormatCase{-kLowBound, 3, "-9.96E-2"},
        // ties go away from zero on the decimal value of the double
        FormatCase{1.0625, 3, "1.063"}, FormatCase{-0.125, 2, "-0.13"}, FormatCase{0.375, 2, "0.38"},
        FormatCase{1.005, 2, "1"},  // the double lies just below 1.005
        FormatCase{2.5, 1, "2.5"}, FormatCase{0.25, 1, "0.3"},
        // carries that add a leading digit
        FormatCase{99.9996, 3, "100"}, FormatCase{999.9996, 3, "1000"}, FormatCase{0.0999996, 3, "0.1"},
        FormatCase{9.99996e-5, 3, "1E-4"}, FormatCase{-9.99996e7, 3, "-1E+8"},
        FormatCase{0.099999, 1, "0.1"},
        // more than six decimals: n is capped at 9 - log10|x|
        FormatCase{5000.123456789, 9, "5000.123457"}, FormatCase{0.123456789, 9, "0.123456789"},
        // extremes
        FormatCase{-1.7976931348623157e308, 2, "-1.8E+308"}, FormatCase{5e-324, 3, "4.941E-324"},
        FormatCase{2.2250738585072014e-308, 2, "2.23E-308"}, FormatCase{1e100, 3, "1E+100"},
        FormatCase{1234.5678, 3, "1234.568"}, FormatCase{1000, 2, "1000"}, FormatCase{-1.5, 2, "-1.5"}),
    ROW_NAMES(rows::Num(r.x) + "_" + std::to_string(r.decimals) + "dec"));

TEST(FormatReal, NonFiniteValuesHaveNames)
{
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::quiet_NaN(), 2), "NaN");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity(), 2), "+oo");
    EXPECT_EQ(FormatReal(-std::numeric_limits<double>::infinity(), 2), "-oo");
}

TEST(FormatReal, ThreeDecimalShorthand)
{
    EXPECT_EQ(FormatReal3(1.0 / 3.0), "0.333");
    EXPECT_EQ(FormatReal3(12345.6), "1.235E+4");
}

// ---------------------------------------------------------------- ParseReal

constexpr double kFallback = 77.0;

struct ParseRealCase {
    const char* text;
    double clamped;
    double unclamped;
};

class ParseRealTable : public ::testing::TestWithParam<ParseRealCase> {};

TEST_P(ParseRealTable, BothClampModes)
{
    const ParseRealCase& c = GetParam();
    EXPECT_EQ(ParseReal(c.text, kFallback, 0, 1000, true), c.clamped) << '"' << c.text << '"';
    EXPECT_EQ(ParseReal(c.text, kFallback, 0, 1000, false), c.unclamped) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    DocumentedTable, ParseRealTable,
    ::testing::Values(ParseRealCase{"1,5", 1.5, 1.5}, ParseRealCase{" 12.5 A", 12.5, 12.5},
                      ParseRealCase{"x=3", 3, 3}, ParseRealCase{"2e3", 1000, kFallback},
                      ParseRealCase{"-3", 0, kFallback}, ParseRealCase{".", 0, 0}, ParseRealCase{"abc", kFallback, kFallback},
                      ParseRealCase{"", kFallback, kFallback}, ParseRealCase{"-", kFallback, kFallback},
                      ParseRealCase{"1e", kFallback, kFallback}, ParseRealCase{"1.2.3", kFallback, kFallback},
                      ParseRealCase{"1,234.5", kFallback, kFallback}, ParseRealCase{"45 deg", kFallback, kFallback},
                      ParseRealCase{"45deg", kFallback, kFallback}, ParseRealCase{"45\xC2\xB0", 45, 45},
                      ParseRealCase{"1E-400", 0, 0}),
    ROW_NAMES(std::string(r.text)));

INSTANTIATE_TEST_SUITE_P(
    GrammarAndLimits, ParseRealTable,
    ::testing::Values(ParseRealCase{"E5", 0, 0}, ParseRealCase{"-.", 0, 0}, ParseRealCase{"+7", 7, 7},
                      ParseRealCase{"1000", 1000, 1000}, ParseRealCase{"0", 0, 0},  // limits include their ends
                      ParseRealCase{"1000.0000001", 1000, kFallback}, ParseRealCase{"5.", 5, 5},
                      ParseRealCase{".5", 0.5, 0.5}, ParseRealCase{"2.5e+2", 250, 250}, ParseRealCase{"2.5E-1", 0.25, 0.25},
                      ParseRealCase{"1 2", kFallback, kFallback}, ParseRealCase{"--1", kFallback, kFallback},
                      ParseRealCase{"1e+", kFallback, kFallback}, ParseRealCase{"e", kFallback, kFallback},
                      ParseRealCase{"0x10", kFallback, kFallback}, ParseRealCase{"\t 3 \n", 3, 3},
                      ParseRealCase{"-1E-400", 0, 0}, ParseRealCase{"0e999999999999", 0, 0},
                      ParseRealCase{"0.000e500", 0, 0}, ParseRealCase{"1e-99999999999999999999", 0, 0}),
    ROW_NAMES(std::string(r.text)));

TEST(ParseReal, FallbackIsNotBroughtIntoRange)
{
    EXPECT_EQ(ParseReal("abc", 5000.0, 0, 1000, true), 5000.0);
    EXPECT_EQ(ParseReal("2e3", 5000.0, 0, 1000, false), 5000.0);
}

TEST(ParseReal, NoNegativeZero)
{
    EXPECT_FALSE(std::signbit(ParseReal("-0", 1, -5, 5, true)));
    EXPECT_FALSE(std::signbit(ParseReal("-1e-400", 1, -5, 5, true)));
}

TEST(ParseReal, ResultIsTheNearestDouble)
{
    EXPECT_EQ(ParseReal("0.1", 0, 0, 1, true), 0.1);
    EXPECT_EQ(ParseReal("9999.999", 0, 0, 1e5, true), 9999.999);
    EXPECT_EQ(ParseReal("1e-310", 0, 0, 1, true), 1e-310);  // subnormal, not zero
    EXPECT_EQ(ParseReal("1.7976931348623157e308", 0, 0, DBL_MAX, true), DBL_MAX);
}

TEST(ParseReal, BeyondTheDoubleRangeIsAnOverflowError)
{
    for (const char* text : {"1E400", "-1E400", "1e309", "100000000000000000000e300", "x=2e308 V"}) {
        try {
            ParseReal(text, 0, 0, 1000, true);
            ADD_FAILURE() << "no overflow for " << text;
        } catch (const EOverflow& e) {
            EXPECT_STREQ(e.what(), "Floating point overflow");
        }
    }
    // just inside the range and tiny values do not raise it
    EXPECT_NO_THROW(ParseReal("0.00001e-300", 0, 0, 1, true));
    EXPECT_EQ(ParseReal("0.0001e309", 0, 0, 1e306, true), 1e305);
}

// ---------------------------------------------------------------- ParseInt

struct ParseIntCase {
    const char* text;
    int fallback;
    int expected;
};

class ParseIntTable : public ::testing::TestWithParam<ParseIntCase> {};

TEST_P(ParseIntTable, ClampingZeroTo100000)
{
    const ParseIntCase& c = GetParam();
    EXPECT_EQ(ParseInt(c.text, c.fallback, 0, 100000, true), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    DocumentedList, ParseIntTable,
    ::testing::Values(ParseIntCase{"1500", 7, 1500}, ParseIntCase{" 1500", 7, 1500}, ParseIntCase{"+1500", 7, 1500},
                      ParseIntCase{"$5DC", 7, 1500}, ParseIntCase{"0x5DC", 7, 1500}, ParseIntCase{"-10", 7, 0},
                      ParseIntCase{"250000", 7, 100000}, ParseIntCase{"1500 ", 7, 7}, ParseIntCase{"1500.5", 7, 7},
                      ParseIntCase{"1,500", 7, 7}, ParseIntCase{"15e2", 7, 7}, ParseIntCase{"99999999999", 7, 7},
                      ParseIntCase{"", 7, 7}, ParseIntCase{"abc", 200000, 100000}, ParseIntCase{"abc", -5, 0},
                      ParseIntCase{"x5dc", 7, 1500}, ParseIntCase{"X5DC", 7, 1500}, ParseIntCase{"0X5dc", 7, 1500},
                      ParseIntCase{"$", 7, 7}, ParseIntCase{"0x", 7, 7}, ParseIntCase{"+", 7, 7},
                      ParseIntCase{"-", 7, 7}, ParseIntCase{"\t1500", 7, 7}, ParseIntCase{"0", 7, 0},
                      ParseIntCase{"007", 1, 7}),
    ROW_NAMES(std::string(r.text)));

// A unit prefix in a current scales it before the limits 0..1000 clamp it.
struct CurrentCase {
    const char* text;
    double expected;
};

class ParseCurrentTable : public ::testing::TestWithParam<CurrentCase> {};

TEST_P(ParseCurrentTable, ScalesThenClamps)
{
    const CurrentCase& c = GetParam();
    EXPECT_EQ(ParseCurrent(c.text, 7, 0, 1000), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, ParseCurrentTable,
    ::testing::Values(CurrentCase{"300 mA", 0.3}, CurrentCase{"300mA", 0.3}, CurrentCase{"0.5kA", 500},
                      CurrentCase{"0.5 kA", 500}, CurrentCase{"2 kA", 1000}, CurrentCase{"3 A", 3}, CurrentCase{"3", 3},
                      CurrentCase{"3 mA ", 0.003}, CurrentCase{"1,5 mA", 0.0015}, CurrentCase{"-2 mA", 0},
                      CurrentCase{"2000000 mA", 1000}, CurrentCase{"mA", 7}, CurrentCase{"x mA", 7}, CurrentCase{"3 MA", 3},
                      CurrentCase{"3 ma", 3}, CurrentCase{"2000", 1000}, CurrentCase{"abc", 7}),
    ROW_NAMES(std::string(r.text)));

TEST(ParseCurrent, PrefixIsTakenOnlyAtTheEnd)
{
    std::string t = "5 mA";
    EXPECT_EQ(TakeCurrentPrefix(t), -3);
    EXPECT_EQ(t, "5 ");
    t = "5 kA\t";
    EXPECT_EQ(TakeCurrentPrefix(t), 3);
    EXPECT_EQ(t, "5 ");
    t = "mA5";
    EXPECT_EQ(TakeCurrentPrefix(t), 0);
    EXPECT_EQ(t, "mA5");
    EXPECT_THROW(ParseCurrent("1e400 mA", 7, 0, 1000), EOverflow);
}

TEST(ParseInt, ThirtyTwoBitEdges)
{
    const int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    struct {
        const char* text;
        int expected;
    } cases[] = {{"2147483647", hi},     {"2147483648", 42},  {"-2147483648", lo}, {"-2147483649", 42},
                 {"$FFFFFFFF", -1},      {"$100000000", 42},  {"$7FFFFFFF", hi},   {"$80000000", lo},
                 {"0x00000000FF", 255},  {"-$10", -16},       {"$-10", 42},        {"$G", 42},
                 {"4294967296", 42},     {"  -0x10", -16}};
    for (const auto& c : cases) EXPECT_EQ(ParseInt(c.text, 42, lo, hi, true), c.expected) << c.text;
}

TEST(ParseInt, OutOfRangeWithoutClampingGivesFallback)
{
    EXPECT_EQ(ParseInt("-10", 7, 0, 100, false), 7);
    EXPECT_EQ(ParseInt("101", 7, 0, 100, false), 7);
    EXPECT_EQ(ParseInt("100", 7, 0, 100, false), 100);
}

// ---------------------------------------------------------------- helpers

TEST(Clamp, IntAndRealWithUnorderedValues)
{
    EXPECT_EQ(ClampInt(0, -1, 10), 0);
    EXPECT_EQ(ClampInt(0, 11, 10), 10);
    EXPECT_EQ(ClampInt(0, 5, 10), 5);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ClampReal(-1, nan, 1), -1);
    EXPECT_TRUE(std::isnan(ClampReal(nan, 0.5, 1)));
    EXPECT_TRUE(std::isnan(ClampReal(0, 0.5, nan)));
    EXPECT_EQ(ClampReal(0, 2, 1), 1);
    EXPECT_EQ(TruncClamp(-2.7, 10), -2);
    EXPECT_EQ(TruncClamp(2.7, 10), 2);
    EXPECT_EQ(TruncClamp(1e9, 32000), 32000);
    EXPECT_EQ(TruncClamp(-1e300, 32000), -32000);
    EXPECT_EQ(TruncClamp(nan, 32000), -32000);
}

TEST(IntToText, PlainDigits)
{
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-45), "-45");
    EXPECT_EQ(IntToText(100000), "100000");
    EXPECT_EQ(IntToText(std::numeric_limits<int>::min()), "-2147483648");
}

struct SplitCase {
    const char* text;
    char sep;
    const char* head;
    const char* rest;
};

class SplitTokenTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTokenTable, HeadAndRest)
{
    const SplitCase& c = GetParam();
    std::string text = c.text, head = "junk";
    SplitToken(text, c.sep, head);
    EXPECT_EQ(head, c.head);
    EXPECT_EQ(text, c.rest);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitTokenTable,
                         ::testing::Values(SplitCase{"  12.50  ", '.', "12", "50"}, SplitCase{"", '.', "", ""},
                                           SplitCase{" \t\r\n ", '.', "", ""}, SplitCase{"abc", '.', "abc", ""},
                                           SplitCase{"a b", '\t', "a", "b"}, SplitCase{"a\tb", ' ', "a", "b"},
                                           SplitCase{"a\t  b  c ", ' ', "a", "b  c"}, SplitCase{"1.2.3", '.', "1", "2.3"},
                                           SplitCase{".5", '.', "", "5"}, SplitCase{"5.", '.', "5", ""},
                                           SplitCase{"1.2E+0004", 'E', "1.2", "+0004"}),
    ROW_NAMES(std::string(r.text) + "_at_" + (r.sep == '\t' ? std::string("tab") : r.sep == ' ' ? std::string("space") : std::string(1, r.sep))));

}  // namespace
}  // namespace merivane
