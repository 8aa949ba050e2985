// SPDX-License-Identifier: GPL-3.0-or-later
// The magnetron and the measurement in the case: the worked examples come
// out of ComputeCase as they come out of the model, the isolator weakens
// what the tube sees, the pulled frequency follows the line, and the two
// case file sections read back bit for bit or are refused with a reason.
#include "CaseFile.h"
#include "CaseFileMagnetron.h"
#include "InputValues.h"
#include "MagnetronRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using namespace merivane;
using namespace merivane::present;

TCase WithLoad(double mag, double pha)
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::LoaMag, mag);
    c.inputs.LoaRfl.Pha = pha;
    return c;
}

TEST(TubeCase, DefaultsAreNotSetAndComputeNothingOfTheTube)
{
    const TSnapshot s = ComputeCase(DefaultCase());
    EXPECT_TRUE(s.c.tube == TTubeCase{});
    EXPECT_FALSE(s.tube.magnetron.Defined);
    EXPECT_FALSE(s.tube.isolator.RatingSet);
    EXPECT_FALSE(s.tube.calorimetry.DifferenceDefined);
}

TEST(TubeCase, PullingWorkedExampleThroughTheCase)
{
    // f0 2450, PF 10: Qext = 0.41667 * 2450 / 10 = 102.083; 0.5 at 90 is y = 0.6 - j0.8:
    // +2450 * 0.8 / (2 * 102.083) = +9.60 MHz, range +- 12 * (9 - 1) / 6 = +- 16.00 at SWR 3
    TCase c = WithLoad(0.5, 90);
    c.tube.magnetron.pullingMHz = 10;
    const TSnapshot s = ComputeCase(c);
    EXPECT_NEAR(s.tube.magnetron.Qext, 102.083, 5e-4);
    EXPECT_NEAR(s.tube.magnetron.ShiftMHz, 9.60, 5e-4);
    EXPECT_NEAR(s.tube.magnetron.ShiftMaxMHz, 16.00, 5e-4);
    EXPECT_NEAR(s.tube.magnetron.ShiftMinMHz, -16.00, 5e-4);
    ASSERT_EQ(s.tube.magnetron.LongLine.FrequenciesMHz.size(), 1u);  // no line: one frequency
    EXPECT_NEAR(s.tube.magnetron.LongLine.FrequenciesMHz[0], 2459.60, 5e-4);
}

TEST(TubeCase, CriticalLengthWorkedExampleThroughTheCase)
{
    // WR340 at 2450, PF 10, SWR 2 (|G| = 1/3): L_crit = 0.935 m
    TCase c = WithLoad(1.0 / 3.0, 0);
    c.tube.magnetron.pullingMHz = 10;
    const TSnapshot s = ComputeCase(c);
    ASSERT_TRUE(s.tube.magnetron.CriticalDefined);
    EXPECT_NEAR(s.tube.magnetron.CriticalLengthM, 0.935, 5e-4);
}

TEST(TubeCase, AnIsolatorWeakensWhatTheTubeSeesAndSoItsPulling)
{
    // 20 dB on 0.5: the tube sees 0.05 at 90 (SWR 1.105), pulled by
    // 2450 * 0.05 / (102.0833 * (1 + 0.05^2)) = 1.19703 MHz
    TCase c = WithLoad(0.5, 90);
    c.tube.magnetron.pullingMHz = 10;
    c.tube.magnetron.isolationDb = 20;
    const TSnapshot s = ComputeCase(c);
    EXPECT_NEAR(s.tube.isolator.MagnetronSwrMax, 1.105, 5e-4);
    EXPECT_NEAR(s.tube.seen.Mag, 0.05, 1e-12);
    EXPECT_NEAR(s.tube.magnetron.ShiftMHz, 1.19703, 5e-5);
    // the dummy load takes the reflected power: the model's, and at the worst phase
    EXPECT_EQ(s.tube.isolator.DummyLoadW, s.m.Prefl);
    EXPECT_EQ(s.tube.isolator.DummyLoadMaxW, s.m.PreflMax);
}

TEST(TubeCase, TheDummyLoadsRatingIsChecked)
{
    TCase c = WithLoad(0.5, 90);
    const double prefl = ComputeCase(c).m.Prefl, worst = ComputeCase(c).m.PreflMax;
    ASSERT_LT(prefl, worst);
    c.tube.magnetron.dummyRatingW = (prefl + worst) / 2;  // enough now, not at the worst phase
    const TSnapshot s = ComputeCase(c);
    EXPECT_TRUE(s.tube.isolator.RatingSet);
    EXPECT_TRUE(s.tube.isolator.WithinRating);
    EXPECT_FALSE(s.tube.isolator.MaxWithinRating);
}

TEST(TubeCase, UncertaintyWorkedExampleThroughTheCase)
{
    // |G_l| 0.2, D 30 dB, fixed, u_k 1 %, u_s 0.5 %: 1.318, 1.042, 0.521; 1.759, U 3.518
    TCase c = WithLoad(0.2, 0);
    c.ideal = false;
    c.inputs.CplDirDb = 30;
    c.tube.measurement = {LeakPhaseModel::Fixed, 1.0, 0.5, 0, 0, 0};
    const TUncertainty u = ComputeCase(c).tube.uncertainty;
    EXPECT_NEAR(u.DirectivityPct, 1.318, 5e-4);
    EXPECT_NEAR(u.CouplingPct, 1.042, 5e-4);
    EXPECT_NEAR(u.SensorPct, 0.521, 5e-4);
    EXPECT_NEAR(u.CombinedPct, 1.759, 5e-4);
    EXPECT_NEAR(u.ExpandedPct, 3.518, 5e-4);
    // beside the worst-case bounds of the same snapshot, which bracket the load's power
    EXPECT_LT(u.WorstLowPct, 0);
    EXPECT_GT(u.WorstHighPct, 0);
}

TEST(TubeCase, IdealCouplersHaveNoDirectivityComponent)
{
    TCase c = WithLoad(0.2, 0);
    c.tube.measurement.couplingPct = 1;
    const TUncertainty u = ComputeCase(c).tube.uncertainty;
    EXPECT_EQ(u.DirectivityPct, 0);
    EXPECT_NEAR(u.CouplingPct, 1.042, 5e-4);
}

TEST(TubeCase, TripWorkedExampleThroughTheCase)
{
    // T 10 %, D 25 dB: surely above 0.3792 (SWR 2.222), never below 0.2555 (SWR 1.686)
    TCase c = DefaultCase();
    c.ideal = false;
    c.inputs.CplDirDb = 25;
    c.tube.measurement.tripPct = 10;
    const TTripLevels t = ComputeCase(c).tube.trip;
    EXPECT_NEAR(t.SureAboveMag, 0.3792, 5e-5);
    EXPECT_NEAR(t.SureAboveSwr, 2.222, 5e-4);
    EXPECT_NEAR(t.NeverBelowMag, 0.2555, 5e-5);
    EXPECT_NEAR(t.NeverBelowSwr, 1.686, 5e-4);
}

TEST(TubeCase, WaterLoadWorkedExampleBesideTheModel)
{
    // 0.998 * 4182 * 10 / 60 * 20 = 13912.1 W. A matched source puts
    // P (1 - |G_l|^2) = 4000 * 3 * 0.85 * 0.75 = 7650 W into the load:
    // 10 log10(13912.1 / 7650) = 2.5973 dB
    TCase c = WithLoad(0.5, 90);
    SetFieldValue(c.inputs, Input::SrcMag, 0);
    c.tube.measurement.waterFlowLpm = 10;
    c.tube.measurement.waterRiseK = 20;
    const TCalorimetry w = ComputeCase(c).tube.calorimetry;
    EXPECT_NEAR(w.PowerW, 13912.1, 0.05);
    ASSERT_TRUE(w.DifferenceDefined);
    EXPECT_NEAR(w.DifferenceDb, 2.5973, 5e-4);
}

TEST(PulledFrequency, OverTheAddedLengthItTurnsWithTheLoad)
{
    // 0.5 at 90 on WR340: a quarter guide wavelength more is a round trip of
    // 180 deg, the load then 0.5 at -90 and the tube pulled down by 9.60 MHz
    TCase c = WithLoad(0.5, 90);
    c.tube.magnetron.pullingMHz = 10;
    const TSnapshot s = ComputeCase(c);
    const std::vector<double> f = PulledFrequencyCurve(s.tube, s.c.line, s.sweep);
    ASSERT_EQ(f.size(), s.sweep.X.size());
    ASSERT_TRUE(s.sweep.OverLength);
    EXPECT_NEAR(f.front(), 2459.60, 5e-4);
    const double quarter = s.sweep.Guide.wavelengthMm / 4;
    const auto nearer = [&](double a, double b) { return std::abs(a - quarter) < std::abs(b - quarter); };
    const auto at = std::min_element(s.sweep.X.begin(), s.sweep.X.end(), nearer);
    EXPECT_NEAR(f[static_cast<std::size_t>(at - s.sweep.X.begin())], 2440.40, 0.01);
    // over a whole period every phase is passed: the range at SWR 3, +- 16.00 MHz
    const auto [lo, hi] = std::minmax_element(f.begin(), f.end());
    EXPECT_NEAR(*hi, 2466.00, 0.01);
    EXPECT_NEAR(*lo, 2434.00, 0.01);
}

TEST(PulledFrequency, WithoutAPullingFigureThereIsNoCurve)
{
    const TSnapshot s = ComputeCase(WithLoad(0.5, 90));
    EXPECT_TRUE(PulledFrequencyCurve(s.tube, s.c.line, s.sweep).empty());
    EXPECT_EQ(PulledFrequencyAtPhaseMHz(s.tube.seen, 2450, 0, 33), 2450);
}

// --- the case file's sections ---

TTubeCase EveryValueSet()
{
    TTubeCase t;
    t.magnetron = {10.5, 0.1 + 0.2, 23.7, 3000};
    t.measurement = {LeakPhaseModel::Rayleigh, 1.25, 0.5, 10, 9.87654321, 19.5};
    return t;
}

TEST(TubeCaseFile, ADefaultCaseWritesNeitherSection)
{
    const std::string text = CaseFileText(DefaultCase());
    EXPECT_EQ(text.find("\"magnetron\""), std::string::npos);
    EXPECT_EQ(text.find("\"measurement\""), std::string::npos);
}

TEST(TubeCaseFile, EveryValueReadsBackBitForBit)
{
    TCase c = DefaultCase();
    c.tube = EveryValueSet();
    const std::string text = CaseFileText(c);
    const TCaseReadResult r = ReadCaseFile(text);
    ASSERT_TRUE(r.ok) << r.error << "\n" << text;
    EXPECT_EQ(r.warning, "") << text;
    EXPECT_TRUE(r.c == c) << text;
    EXPECT_EQ(CaseFileText(r.c), text);
}

TEST(TubeCaseFile, OnlyTheSectionThatDiffersIsWritten)
{
    TCase c = DefaultCase();
    c.tube.measurement.phaseModel = LeakPhaseModel::Disk;
    const std::string text = CaseFileText(c);
    EXPECT_EQ(text.find("\"magnetron\""), std::string::npos);
    EXPECT_NE(text.find("\"phase_model\": \"disk\""), std::string::npos);
    EXPECT_EQ(ReadCaseFile(text).c.tube.measurement.phaseModel, LeakPhaseModel::Disk);
}

std::string File(const std::string& body) { return "{\"format\": \"merivane-case\", \"version\": 1, " + body + "}"; }

struct TRefusedRow {
    const char* name;
    std::string body;
    const char* says;
};

const TRefusedRow kRefused[] = {
    {"SectionNotAnObject", "\"magnetron\": 3", "magnetron: an object is expected"},
    {"TextNotANumber", "\"magnetron\": {\"pulling\": \"ten\"}", "magnetron.pulling: \"ten\": not a number"},
    {"WrongType", "\"measurement\": {\"trip\": true}", "measurement.trip: a number is expected"},
    {"UnknownPhaseModel", "\"measurement\": {\"phase_model\": \"gauss\"}", "is not one of fixed, disk, rayleigh"},
    {"PhaseModelNotAName", "\"measurement\": {\"phase_model\": 2}", "measurement.phase_model: a name is expected"},
};

class TubeRefused : public testing::TestWithParam<TRefusedRow> {};

TEST_P(TubeRefused, WithItsReason)
{
    const TCaseReadResult r = ReadCaseFile(File(GetParam().body));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().says), std::string::npos) << r.error;
}

INSTANTIATE_TEST_SUITE_P(Files, TubeRefused, testing::ValuesIn(kRefused),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(TubeCaseFile, BeyondTheLimitsIsClampedWithAWarningAndUnknownKeysAreNamed)
{
    const TCaseReadResult r =
        ReadCaseFile(File("\"magnetron\": {\"isolation\": 500, \"colour\": 1}, \"measurement\": {\"trip\": \"-3\"}"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.c.tube.magnetron.isolationDb, TubeRow(TubeInput::Isolation).hi);
    EXPECT_EQ(r.c.tube.measurement.tripPct, 0);
    EXPECT_NE(r.warning.find("magnetron.colour"), std::string::npos) << r.warning;
    EXPECT_NE(r.warning.find("magnetron.isolation"), std::string::npos) << r.warning;
    EXPECT_NE(r.warning.find("measurement.trip"), std::string::npos) << r.warning;
}

TEST(TubeCaseFile, MissingKeysTakeTheDefaultsAndNamesAnyCase)
{
    const TCaseReadResult r =
        ReadCaseFile(File("\"measurement\": {\"phase_model\": \"RAYLEIGH\", \"water_flow\": \"12,5\"}"));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.c.tube.measurement.phaseModel, LeakPhaseModel::Rayleigh);
    EXPECT_EQ(r.c.tube.measurement.waterFlowLpm, 12.5);  // a decimal comma, as every field takes it
    EXPECT_EQ(r.c.tube.measurement.couplingPct, 0);
    EXPECT_EQ(r.c.tube.magnetron.pullingMHz, 0);
}

TEST(TubeRows, EveryDefaultLiesWithinItsLimits)
{
    for (std::size_t i = 0; i < TubeRows().size(); ++i) {
        const TTubeRow& row = TubeRows()[i];
        EXPECT_LE(row.lo, row.def) << row.key;
        EXPECT_LE(row.def, row.hi) << row.key;
        // the view is the input table's own row
        EXPECT_EQ(&TubeRow(static_cast<TubeInput>(i)), &InputRow(row.id)) << row.key;
    }
}

}  // namespace
