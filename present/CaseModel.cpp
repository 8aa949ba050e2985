// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseModel.h"

#include "MeasuredTexts.h"

#include "InputRows.h"
#include "InputValues.h"
#include "Transmission.h"

#include <atomic>

namespace merivane::present {

namespace {
std::atomic<std::uint64_t> computations{0};
}  // namespace

std::uint64_t CaseComputations() { return computations.load(std::memory_order_relaxed); }

TCase DefaultCase()
{
    TCase c;
    for (int i = 0; i < kMainInputCount; ++i) {
        const auto id = static_cast<Input>(i);
        SetFieldValue(c.inputs, id, InputRow(id).def);
    }
    c.tube = DefaultTubeCase();
    return c;
}

bool SettleMeasuredLoad(const TCase& before, TCase& after)
{
    if (!after.measured) return false;
    const TRefl& was = before.inputs.LoaRfl;
    const TRefl& now = after.inputs.LoaRfl;
    if (before.measured == after.measured && (was.Mag != now.Mag || was.Pha != now.Pha)) {
        after.measured.reset();  // the user typed a load
        return false;
    }
    const TMeasuredResult m = ComputeMeasured(*after.measured, after.line, after.guide);
    if (!m.present) return false;
    const TRefl taken = MeasuredRefl(m);
    if (taken.Mag == now.Mag && taken.Pha == now.Pha) return false;
    after.inputs.LoaRfl = taken;
    return true;
}

TSnapshot ComputeCase(const TCase& c, int sweepSteps) { return ComputeCase(c, TCaseParts{}, sweepSteps); }

TSnapshot ComputeCase(const TCase& c, const TCaseParts& parts, int sweepSteps)
{
    computations.fetch_add(1, std::memory_order_relaxed);
    TSnapshot s;
    s.c = c;
    if (c.measured) {
        // the load follows the measurement at the line's frequency
        s.measured = ComputeMeasured(*c.measured, c.line, c.guide);
        if (s.measured.present) s.c.inputs.LoaRfl = MeasuredRefl(s.measured);
    }
    // only the inputs go in: the results are computed afresh
    TModel& m = s.m;
    static_cast<TInputs&>(m) = s.c.inputs;
    m.SelUnit = c.factorUnit;
    m.SelErrUnit = c.measUnit;
    // The case's line stands between the magnetron and the load: its
    // attenuation first, then the one model with its pass factor
    // e^(-2 alpha L), from which every other part is computed.
    const double pass = CaseLinePass(c.line, c.guide);
    CalcTransmission(m, c.ideal, pass);
    if (parts.guide) s.guide = ComputeGuide(m, c.line, c.guide);
    s.sweepCase = TSweepCase{m, c.line, pass};
    if (parts.sweep) s.sweep = CalcLineSweep(s.sweepCase, sweepSteps);
    if (parts.tuner) s.tuner = ComputeTuner(c.tuner, m, c.line);
    if (parts.tube) s.tube = ComputeTube(m, c.line, c.tube, pass);
    // the band with the case's magnetron and source at every measured point
    // within the line's frequency +- the band's half-width
    if (parts.band && s.measured.present)
        s.band = ComputeBand(*c.measured, c.inputs, c.ideal, c.line, c.guide, BandHalfMHz(s));
    if (parts.process) s.process = ComputeProcess(s);
    // every feed at its own frequency, a feed without one at the line's
    if (parts.applicator && c.applicator) s.applicator = ComputeApplicatorCase(*c.applicator, c.line.FreqMHz);
    return s;
}

}  // namespace merivane::present
