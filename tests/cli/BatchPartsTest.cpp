// SPDX-License-Identifier: GPL-3.0-or-later
// The batch computes each row with only the parts it writes: those parts are
// the window's snapshot's, bit for bit, whatever else is left out.
#include "CaseModel.h"
#include "Export.h"
#include "Fields.h"
#include "GuideOptions.h"
#include "MagnetronExport.h"
#include "Match.h"
#include "RowNames.h"
#include "SweepNumbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace present = merivane::present;

struct TPartsCase {
    const char* name;
    present::TCaseParts parts;
};

// A case with every part in use: a lossy line, a tuner, an isolator and a
// pulling figure.
present::TCase Busy()
{
    present::TCase c = present::DefaultCase();
    c.inputs.LoaRfl.Mag = 0.4;
    c.inputs.LoaRfl.Pha = 120;
    c.ideal = false;
    c.line.LengthM = 3;
    c.line.SpanMHz = 5;
    c.guide.loss = merivane::LossSource::Entered;
    c.guide.lossDbPerM = 0.2;
    c.tuner.method = merivane::MatchMethod::ThreeStub;
    c.tube.magnetron.pullingMHz = 10;
    c.tube.magnetron.isolationDb = 20;
    c.tube.measurement.tripPct = 10;
    return c;
}

// Each part as the batch writes it: the model fields, the sweep's numbers,
// the match's, the guide's and the tube's columns.
std::string Model(const present::TSnapshot& s)
{
    std::string out;
    present::AppendFieldsCsv(out, s.m);
    return out;
}
std::string Sweep(const present::TSnapshot& s)
{
    std::string out;
    present::AppendSweepNumbersCsv(out, present::SweepNumbers(s.sweep));
    return out;
}
std::string Tuner(const present::TSnapshot& s)
{
    std::string out;
    merivane::AppendMatchCsv(out, s.tuner);
    return out;
}
std::string Guide(const present::TSnapshot& s)
{
    std::string out;
    merivane::AppendGuideCsv(out, s.guide);
    return out;
}
std::string Tube(const present::TSnapshot& s)
{
    std::string out;
    present::AppendTubeCsv(out, s.tube);
    return out;
}

class CaseParts : public ::testing::TestWithParam<TPartsCase> {};

TEST_P(CaseParts, AreTheWholeSnapshotsParts)
{
    const present::TCaseParts& p = GetParam().parts;
    const present::TCase c = Busy();
    const present::TSnapshot whole = present::ComputeCase(c, 0), some = present::ComputeCase(c, p, 0);
    const present::TSnapshot none;  // what a part left out holds
    EXPECT_EQ(Model(some), Model(whole));
    EXPECT_EQ(Sweep(some), Sweep(p.sweep ? whole : none));
    EXPECT_EQ(Tuner(some), Tuner(p.tuner ? whole : none));
    EXPECT_EQ(Guide(some), Guide(p.guide ? whole : none));
    EXPECT_EQ(Tube(some), Tube(p.tube ? whole : none));
    // the line's loss is in the model whatever the parts: the sweep's case is the same
    EXPECT_EQ(some.sweepCase.PassFactor, whole.sweepCase.PassFactor);
}

INSTANTIATE_TEST_SUITE_P(
    Batch, CaseParts,
    ::testing::Values(TPartsCase{"model only", {.guide = false, .sweep = false, .tuner = false, .tube = false}},
                      TPartsCase{"sweep", {.guide = false, .sweep = true, .tuner = false, .tube = false}},
                      TPartsCase{"match", {.guide = false, .sweep = false, .tuner = true, .tube = false}},
                      TPartsCase{"guide", {.guide = true, .sweep = false, .tuner = false, .tube = false}},
                      TPartsCase{"tube", {.guide = false, .sweep = false, .tuner = false, .tube = true}},
                      TPartsCase{"everything", {}}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
