// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner in the case: its inputs compared and saved in the case file's
// section "tuner" and read back; bad values refused with the reason; the
// snapshot's match of the worked example, its screw depths and the power
// after the match.
#include "CaseFile.h"
#include "InputValues.h"
#include "TunerInput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace merivane::present {
namespace {

TCase ExampleCase()
{
    // Gl = 0.4 at 120 deg in WR340 at 2450 MHz (the line's defaults)
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::LoaMag, 0.4);
    SetFieldValue(c.inputs, Input::LoaPha, 120);
    return c;
}

TEST(TunerCase, DefaultsAreTheThreeStubTunerWithItsDefaultSpacing)
{
    const TCase c = DefaultCase();
    EXPECT_EQ(c.tuner.method, MatchMethod::ThreeStub);
    EXPECT_EQ(c.tuner.spacingMm, 0.0);
    EXPECT_EQ(c.tuner.solution, 0);
    EXPECT_TRUE(c.tuner.screws.empty());
}

TEST(TunerCase, EveryInputCountsInSameCase)
{
    const TCase a = DefaultCase();
    TCase b = a;
    b.tuner.method = MatchMethod::EH;
    EXPECT_FALSE(a == b);
    b = a;
    b.tuner.spacingMm = 40;
    EXPECT_FALSE(a == b);
    b = a;
    b.tuner.solution = 1;
    EXPECT_FALSE(a == b);
    b = a;
    b.tuner.screws = {{0, 0}, {1, 0.1}};
    EXPECT_FALSE(a == b);
}

TEST(TunerCase, RoundTripThroughTheCaseFile)
{
    TCase c = ExampleCase();
    c.tuner.method = MatchMethod::DoubleStub;
    c.tuner.spacingMm = 0.1 + 21.7;  // a double without a short decimal of its own
    c.tuner.solution = 1;
    c.tuner.screws = {{0, 0}, {2.5, 0.1 / 3}, {7, 0.9}, {12, 2.75}};
    const std::string text = CaseFileText(c);
    EXPECT_NE(text.find("\"tuner\": {"), std::string::npos);
    EXPECT_NE(text.find("\"method\": \"double-stub\""), std::string::npos);
    EXPECT_NE(text.find("\"solution\": 2"), std::string::npos);
    const TCaseReadResult r = ReadCaseFile(text);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty()) << r.warning;
    EXPECT_TRUE(r.c == c);
    EXPECT_EQ(CaseFileText(r.c), text);
}

std::string WithTuner(const std::string& section)
{
    return "{\"format\": \"merivane-case\", \"version\": 1, \"tuner\": " + section + "}";
}

TEST(TunerCase, AMissingSectionOrKeyKeepsTheDefault)
{
    for (const char* section : {"null", "{}", "{\"method\": null}"}) {
        const TCaseReadResult r = ReadCaseFile(WithTuner(section));
        ASSERT_TRUE(r.ok) << section << ": " << r.error;
        EXPECT_EQ(r.c.tuner, TTunerInputs{}) << section;
    }
    const TCaseReadResult r = ReadCaseFile("{\"format\": \"merivane-case\", \"version\": 1}");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.c.tuner, TTunerInputs{});
}

TEST(TunerCase, AnUnknownKeyIsNamedInTheWarning)
{
    const TCaseReadResult r = ReadCaseFile(WithTuner("{\"method\": \"EH\", \"stubs\": 4}"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.c.tuner.method, MatchMethod::EH);  // names read in any case
    EXPECT_NE(r.warning.find("tuner.stubs"), std::string::npos) << r.warning;
}

struct TBadSection {
    const char* section;
    const char* error;
};

class BadTunerSections : public ::testing::TestWithParam<TBadSection> {};

TEST_P(BadTunerSections, AreRefusedWithTheReason)
{
    const TCaseReadResult r = ReadCaseFile(WithTuner(GetParam().section));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().error), std::string::npos) << r.error;
}

const TBadSection kBadSections[] = {
    {"[1]", "tuner: an object is expected, not a list"},
    {"{\"method\": \"four-stub\"}", "tuner.method: \"four-stub\" is not one of single-stub, three-stub, eh, double-stub"},
    {"{\"method\": 3}", "tuner.method: a method name is expected, not a number"},
    {"{\"spacing_mm\": -1}", "tuner.spacing_mm: a spacing of 0 .. 10000 mm"},
    {"{\"spacing_mm\": \"40\"}", "tuner.spacing_mm:"},
    {"{\"solution\": 3}", "tuner.solution: 1 or 2 is expected, not 3"},
    {"{\"solution\": 1.5}", "tuner.solution: 1 or 2 is expected, not 1.5"},
    {"{\"screws\": [[0, 0], [1]]}", "tuner.screws: row 2 is not [depth, susceptance]"},
    {"{\"screws\": [[0, 0.2], [1, 0.1], [2, 0.3]]}", "tuner.screws: row 3: the susceptance must fall strictly"},
    {"{\"screws\": [[0, 0]]}", "tuner.screws: a calibration table has 2 to 1000 rows, not 1"},
    {"{\"screws\": 5}", "tuner.screws: a list of [depth, susceptance] is expected"},
};

INSTANTIATE_TEST_SUITE_P(Tuner, BadTunerSections, ::testing::ValuesIn(kBadSections));

TEST(TunerSnapshot, TheThreeStubExampleWithItsPowerAfterTheMatch)
{
    const TSnapshot s = ComputeCase(ExampleCase(), 0);
    const TTunerResult& t = s.tuner;
    ASSERT_TRUE(t.match.Matchable);
    const double* b = t.match.Solutions[0].Susceptances;
    EXPECT_NEAR(b[0], 0.0, 5e-5);
    EXPECT_NEAR(b[1], 0.0544, 5e-5);
    EXPECT_NEAR(b[2], 0.9258, 5e-5);
    EXPECT_LT(std::abs(t.residual), 1e-9);
    EXPECT_LT(t.after.SeenReflMag, 1e-9);
    // the load matched takes more than the load as it is
    EXPECT_EQ(t.after.AbsorbedW, s.m.Pload);
    EXPECT_GT(t.after.MatchedAbsorbedW, t.after.AbsorbedW);
    EXPECT_NEAR(t.after.GainDb, 10 * std::log10(t.after.MatchedAbsorbedW / t.after.AbsorbedW), 1e-12);
    // no table: no depths
    EXPECT_EQ(t.screws[0][1].kind, ScrewDepth::None);
}

TEST(TunerSnapshot, ScrewDepthsFromTheTable)
{
    TCase c = ExampleCase();
    // a straight calibration, 10 mm per unit of b, up to b = 0.5
    c.tuner.screws = {{0, 0}, {2.5, 0.25}, {5, 0.5}};
    const TTunerResult t = ComputeCase(c, 0).tuner;
    EXPECT_EQ(t.screws[0][0].kind, ScrewDepth::Out);  // b1 = 0
    ASSERT_EQ(t.screws[0][1].kind, ScrewDepth::Depth);
    EXPECT_NEAR(t.screws[0][1].depthMm, 10 * t.match.Solutions[0].Susceptances[1], 1e-12);
    EXPECT_EQ(t.screws[0][2].kind, ScrewDepth::Beyond);  // b3 = 0.9258 > 0.5
}

TEST(TunerSnapshot, TheChosenSolutionOfTheSingleStub)
{
    TCase c = ExampleCase();
    c.tuner.method = MatchMethod::SingleStub;
    c.tuner.solution = 1;
    const TTunerResult t = ComputeCase(c, 0).tuner;
    ASSERT_EQ(t.match.SolutionCount, 2);
    EXPECT_EQ(t.solution, 1);
    EXPECT_NEAR(t.match.Solutions[1].DistanceMm, 56.25, 0.005);
    EXPECT_NEAR(t.match.Solutions[1].StubLengthMm, 23.54, 0.005);
    EXPECT_LT(std::abs(t.residual), 1e-9);
}

TEST(TunerSnapshot, NoMatchLeavesTheLoadAsTheMagnetronSeesIt)
{
    TCase c = ExampleCase();
    SetFieldValue(c.inputs, Input::LoaMag, 1.0);  // a reactive load at 120 deg: full reflection
    const TTunerResult t = ComputeCase(c, 0).tuner;
    EXPECT_FALSE(t.match.Matchable);
    EXPECT_STREQ(t.match.Status, kMatchFullReflection);
    EXPECT_NEAR(t.after.SeenReflMag, 1.0, 1e-12);
}

}  // namespace
}  // namespace merivane::present
