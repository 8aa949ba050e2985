// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseModel.h"

#include "InputRows.h"
#include "InputValues.h"
#include "Transmission.h"


namespace merivane::present {

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

TSnapshot ComputeCase(const TCase& c, int sweepSteps)
{
    TSnapshot s;
    s.c = c;
    // only the inputs go in: the results are computed afresh
    TModel& m = s.m;
    static_cast<TInputs&>(m) = c.inputs;
    m.SelUnit = c.factorUnit;
    m.SelErrUnit = c.measUnit;
    CalcTransmission(m, c.ideal);
    s.guide = ComputeGuide(m, c.line, c.guide);
    s.sweep = CalcLineSweep(TSweepCase{m, c.line, s.guide.loss.PassFactor}, sweepSteps);
    s.tuner = ComputeTuner(c.tuner, m, c.line);
    s.tube = ComputeTube(m, c.line, c.tube);
    return s;
}

}  // namespace merivane::present
