// SPDX-License-Identifier: GPL-3.0-or-later
// The screw's calibration table: the CSV reader, row by row, and the depth
// for a susceptance by the monotone cubic of Fritsch and Carlson.
#include "ScrewTable.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace merivane::present {
namespace {

struct TGoodTable {
    const char* name;
    const char* text;
    std::vector<TScrewPoint> points;
};

class GoodScrewTables : public ::testing::TestWithParam<TGoodTable> {};

TEST_P(GoodScrewTables, AreRead)
{
    const TGoodTable& c = GetParam();
    const TScrewTableRead r = ReadScrewTable(c.text);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.points, c.points);
}

const TGoodTable kGood[] = {
    {"no_header", "0,0\n5,0.2\n10,0.6\n", {{0, 0}, {5, 0.2}, {10, 0.6}}},
    {"header", "depth_mm,b\n0,0\n5,0.2\n", {{0, 0}, {5, 0.2}}},
    {"semicolons_crlf_bom", "\xEF\xBB\xBF" "depth;b\r\n1;0.1\r\n2;0.3\r\n", {{1, 0.1}, {2, 0.3}}},
    {"tabs_blank_lines_comments", "# screw 2\n\n1\t-0.1\n 2 \t -0.3 \n", {{1, -0.1}, {2, -0.3}}},
    {"exponent_plus_trailing_comma", "+1e0,1e-1,\n2.5,.4\n", {{1, 0.1}, {2.5, 0.4}}},
    {"no_final_line_end", "0,0\n3,1", {{0, 0}, {3, 1}}},
};

INSTANTIATE_TEST_SUITE_P(Tuner, GoodScrewTables, ::testing::ValuesIn(kGood), ROW_NAMES(std::string(r.name)));

struct TBadTable {
    const char* name;
    const char* text;
    const char* error;  // a part of the message
};

class BadScrewTables : public ::testing::TestWithParam<TBadTable> {};

TEST_P(BadScrewTables, AreRefusedWithTheReason)
{
    const TBadTable& c = GetParam();
    const TScrewTableRead r = ReadScrewTable(c.text);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.points.empty());
    EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
}

const TBadTable kBad[] = {
    {"empty", "", "not 0"},
    {"header_only", "depth,b\n", "not 0"},
    {"one_row", "0,0\n", "not 1"},
    {"text_in_a_row", "0,0\n5,abc\n", "line 2: a depth and a susceptance"},
    {"one_cell", "0,0\n5\n", "line 2: two cells"},
    {"three_cells", "0,0\n5,1,2\n", "line 2: two cells"},
    {"depth_repeated", "0,0\n5,0.2\n5,0.4\n", "line 3: the depths must rise strictly"},
    {"depth_falling", "5,0\n1,0.2\n", "line 2: the depths must rise strictly"},
    {"b_flat", "0,0\n5,0.2\n10,0.2\n", "line 3: the susceptance must rise strictly"},
    {"b_turning", "# x\n0,0\n5,0.2\n10,0.1\n", "line 4: the susceptance must rise"},
    {"b_turning_up", "0,0\n5,-0.2\n10,0.1\n", "line 3: the susceptance must fall"},
    {"negative_depth", "-1,0\n5,0.2\n", "line 1: the depth -1 mm is outside"},
    {"deep", "0,0\n1001,0.2\n", "line 2: the depth 1001 mm is outside"},
    {"huge_b", "0,0\n1,2e6\n", "line 2: the susceptance 2000000 is outside"},
    {"infinite", "0,0\n1,inf\n", "line 2: a depth and a susceptance"},
    {"nan", "0,0\nnan,1\n", "line 2: a depth and a susceptance"},
    {"depths_too_close", "0,0\n1e-7,1\n", "line 2: too close to the row before"},
    {"b_too_close", "0,0\n1,1e-10\n", "line 2: too close to the row before"},
};

INSTANTIATE_TEST_SUITE_P(Tuner, BadScrewTables, ::testing::ValuesIn(kBad), ROW_NAMES(std::string(r.name)));

TEST(ScrewTable, TooManyRows)
{
    std::string text;
    for (int i = 0; i <= TunerLimits().screwRowsMax; ++i) text += std::to_string(i * 0.5) + "," + std::to_string(i) + "\n";
    const TScrewTableRead r = ReadScrewTable(text);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("more than 1000 rows"), std::string::npos) << r.error;
}

TEST(ScrewDepth, ThroughEveryPointAndNoneBeyond)
{
    const std::vector<TScrewPoint> t = {{0, 0}, {2, 0.05}, {5, 0.3}, {8, 1.2}, {10, 3.0}};
    for (const TScrewPoint& p : t) EXPECT_NEAR(*DepthForSusceptance(t, p.susceptance), p.depthMm, 1e-12);
    EXPECT_FALSE(DepthForSusceptance(t, -0.01).has_value());
    EXPECT_FALSE(DepthForSusceptance(t, 3.01).has_value());
    EXPECT_FALSE(DepthForSusceptance(t, std::nan("")).has_value());
}

TEST(ScrewDepth, AStraightTableGivesTheStraightLine)
{
    // equal secants: every tangent is the secant, and the cubic is the line
    const std::vector<TScrewPoint> t = {{0, 0}, {4, 1}, {8, 2}, {12, 3}};
    for (double b : {0.1, 0.5, 1.25, 2.9}) EXPECT_NEAR(*DepthForSusceptance(t, b), 4 * b, 1e-12) << b;
}

TEST(ScrewDepth, ATableOfFallingSusceptanceReadsTheSameWay)
{
    const std::vector<TScrewPoint> t = {{0, 0}, {4, -1}, {8, -2}};
    EXPECT_NEAR(*DepthForSusceptance(t, -1.5), 6.0, 1e-12);
}

TEST(ScrewDepth, HandWorkedInterval)
{
    // Points (b, depth) (0, 0), (1, 1), (2, 5). Secants 1 and 4; tangents
    // m0 = 1, m1 = 2.5, m2 = 4. Interval 0: a = 1, c = 2.5, a^2 + c^2 =
    // 7.25 <= 9, no scaling. At u = 0.5: h00 = h01 = 0.5, h10 = 0.125,
    // h11 = -0.125: 0.5 + 0.125 - 0.3125 = 0.3125.
    // Interval 1: a = 2.5 / 4, c = 1: no scaling; at u = 0.5:
    // 0.5 + 0.125 * 2.5 + 2.5 - 0.125 * 4 = 2.8125.
    const std::vector<TScrewPoint> t = {{0, 0}, {1, 1}, {5, 2}};
    EXPECT_NEAR(*DepthForSusceptance(t, 0.5), 0.3125, 1e-12);
    EXPECT_NEAR(*DepthForSusceptance(t, 1.5), 2.8125, 1e-12);
}

TEST(ScrewDepth, ScaledTangentsKeepItMonotone)
{
    // Points (b, depth) (0, 0), (1, 0.1), (2, 10), (3, 10.1): the middle
    // tangents (5) are 50 times the outer secants (0.1), and the scaling
    // brings them in; an unscaled cubic would overshoot below 0.
    const std::vector<TScrewPoint> t = {{0, 0}, {0.1, 1}, {10, 2}, {10.1, 3}};
    double last = -1;
    for (int i = 0; i <= 300; ++i) {
        const double d = *DepthForSusceptance(t, i * 0.01);
        EXPECT_GE(d, last) << i;
        EXPECT_GE(d, 0.0);
        EXPECT_LE(d, 10.1);
        last = d;
    }
}

}  // namespace
}  // namespace merivane::present
