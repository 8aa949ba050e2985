// SPDX-License-Identifier: GPL-3.0-or-later
// Engineering values in plain digits: significant digits, unit prefixes for
// volts, watts and hertz, no exponent, the minus sign, zero below the scale;
// and the format of an axis's labels.
#include "EngineeringText.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using merivane::present::AxisLabelFormat;
using merivane::present::EngineeringText;

// Each worked by hand from the value, the digits and the unit.
TEST(EngineeringText, WritesEachCaseInPlainDigits)
{
    const struct {
        double x;
        int digits;
        const char* unit;
        double scale;
        const char* expected;
    } cases[] = {
        {1.849002849, 4, "", 1, "1.849"},
        {96000, 3, "V", 1, "96 kV"},
        {-0.03183, 3, "dB", 1, "\u22120.0318 dB"},
        {0.005171, 3, "mm", 1, "0.00517 mm"},
        {2e-16, 4, "", 1, "0"},
        {0.5, 3, "W", 1, "500 mW"},
        {2.45e9, 4, "Hz", 1, "2.45 GHz"},
        {999.96, 4, "V", 1, "1 kV"},          // rounds up into the next prefix
        {123456.7, 4, "mm", 1, "123457 mm"},  // whole digits are kept, no exponent
        {3.3e-7, 2, "", 1, "0.00000033"},
        {1e-9, 3, "", 1e6, "0"},              // below 1e-12 of a scale of a million
        {-12.5, 2, "", 1, "\u221213"},        // half up
        {-2e-13, 3, "", 1, "0"},              // no sign on a zero
        {1.5e-13, 3, "W", 1e-3, "0.15 pW"},   // below pico the digits grow
        {std::numeric_limits<double>::quiet_NaN(), 3, "W", 1, "n/a"},
        {-std::numeric_limits<double>::infinity(), 3, "", 1, "\u2212\u221e"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(EngineeringText(c.x, c.digits, c.unit, c.scale), c.expected);
    }
}

// Each format checked by hand against what printf writes with it.
TEST(EngineeringText, AxisLabelsInPlainDigits)
{
    const struct {
        double lo, hi, step;
        const char* format;
    } axes[] = {
        {2450, 2455, 0.5, "%.5g"},       // "2452", "2452.5"
        {-80, 72, 2, "%.2g"},            // "-80", "72"
        {0, 100000, 20000, "%.6g"},      // "100000", not 1e+05
        {0, 0.002, 0.0005, "%.5g"},      // "0.0005", "0.0015"
        {0, 0.0003, 0.00005, "%.5f"},    // below 1e-4 %g would write an exponent
    };
    for (const auto& a : axes) {
        SCOPED_TRACE(a.format);
        EXPECT_EQ(AxisLabelFormat(a.lo, a.hi, a.step), a.format);
    }
}

}  // namespace
