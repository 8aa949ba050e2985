// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's texts: the readout of a point, the circles' labels and
// the reader of the SWR circles' list.
#include "SmithTexts.h"

#include "LineSweep.h"
#include "ModelCases.h"
#include "Transmission.h"

#include <gtest/gtest.h>

namespace merivane::present {
namespace {

struct TFixture {
    TModel m;
    smith::TLocus locus;
    TFixture()
    {
        m = testcases::Defaults();
        CalcTransmission(m, true);
        locus = smith::CalcLocus(m.LoaRfl, CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0));
    }
};

bool Has(const std::vector<std::string>& lines, const std::string& text)
{
    for (const std::string& l : lines)
        if (l == text) return true;
    return false;
}

TEST(SmithReadout, NamesTheReflectionAndItsImpedance)
{
    const TFixture f;
    // 0.5 at 90 deg: z = (1 + j0.5) / (1 - j0.5) = 0.6 + j0.8, y = 0.6 - j0.8
    const auto lines = SmithReadoutLines(smith::ReadPoint({0, 0.5}, f.m, f.locus), f.locus, PowerUnit::Watts);
    EXPECT_TRUE(Has(lines, "\u0393 0.5 \u2220 90\u00b0"));
    EXPECT_TRUE(Has(lines, "Return loss 6.02 dB, SWR 3"));
    EXPECT_TRUE(Has(lines, "z = 0.6 + j0.8"));
    EXPECT_TRUE(Has(lines, "y = 0.6 \u2212 j0.8"));
    // the load itself lies on its path: nothing to add
    EXPECT_TRUE(Has(lines, "Add 0 mm"));
}

TEST(SmithReadout, OffThePathNoLength)
{
    const TFixture f;
    const auto lines = SmithReadoutLines(smith::ReadPoint(0.0, f.m, f.locus), f.locus, PowerUnit::Watts);
    for (const std::string& l : lines) EXPECT_EQ(l.rfind("Add", 0), std::string::npos) << l;
    EXPECT_TRUE(Has(lines, "z = 1 + j0"));
}

TEST(SmithReadout, AccessibleTextJoinsTheLines)
{
    const TFixture f;
    const smith::TPointReading r = smith::ReadPoint({0.1, 0.1}, f.m, f.locus);
    const auto lines = SmithReadoutLines(r, f.locus, PowerUnit::Dbm);
    const std::string text = SmithReadoutText(r, f.locus, PowerUnit::Dbm);
    for (const std::string& l : lines) EXPECT_NE(text.find(l), std::string::npos) << l;
    EXPECT_NE(text.find("dBm"), std::string::npos);
}

TEST(SmithLabels, PowerCircleInTheUnit)
{
    // 90 % of 10 kW is 9 kW, 69.54 dBm
    EXPECT_EQ(PowerCircleLabel(0.9, 10000, PowerUnit::Watts), "90 % 9 kW");
    EXPECT_EQ(PowerCircleLabel(0.9, 10000, PowerUnit::Dbm), "90 % 69.54 dBm");
    EXPECT_EQ(SwrCircleLabel(1.5), "SWR 1.5");
}

TEST(SwrCircles, ReadsAList)
{
    struct TRow {
        const char* text;
        std::vector<double> values;
    };
    const TRow rows[] = {{"1.5, 2, 3", {1.5, 2, 3}}, {"1.2;4", {1.2, 4}}, {" 2  ", {2}}, {"", {}}};
    for (const TRow& r : rows) {
        std::vector<double> out{9};
        std::string error;
        ASSERT_TRUE(ReadSwrCircles(r.text, out, error)) << r.text << ": " << error;
        EXPECT_EQ(out, r.values) << r.text;
    }
}

TEST(SwrCircles, RefusesWhatIsNoCircle)
{
    for (const char* text : {"1.5, x", "0.5", "1", "1e400", "200", "1,2,3,4,5,6,7,8,9,10,11,12,13"}) {
        std::vector<double> out{9};
        std::string error;
        EXPECT_FALSE(ReadSwrCircles(text, out, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(out, std::vector<double>{9}) << text;
    }
}

TEST(SwrCircles, WrittenListReadsBack)
{
    const std::vector<double> swr{1.25, 2, 3.5};
    std::vector<double> out;
    std::string error;
    ASSERT_TRUE(ReadSwrCircles(SwrCirclesText(swr), out, error));
    EXPECT_EQ(out, swr);
}

}  // namespace
}  // namespace merivane::present
