// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseModel.h"

#include "InputRows.h"
#include "InputValues.h"
#include "Transmission.h"

#include <cstring>

namespace merivane::present {

void CopyInputs(const TModel& from, TModel& to)
{
    to.Va = from.Va;
    to.Ia = from.Ia;
    to.Eff = from.Eff;
    to.SrcRfl = from.SrcRfl;
    to.LoaRfl = from.LoaRfl;
    to.CplDirDb = from.CplDirDb;
}

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

namespace {

bool SameRefl(const TRefl& a, const TRefl& b)
{
    return a.Mag == b.Mag && a.Pha == b.Pha && a.Rloss == b.Rloss && a.Swr == b.Swr;
}

}  // namespace

bool SameCase(const TCase& a, const TCase& b)
{
    const TModel &x = a.inputs, &y = b.inputs;
    const TSweepInputs &l = a.line, &k = b.line;
    const TDisplay &d = a.display, &e = b.display;
    return a.name == b.name && x.Va == y.Va && x.Ia == y.Ia && x.Eff == y.Eff && SameRefl(x.SrcRfl, y.SrcRfl) &&
           SameRefl(x.LoaRfl, y.LoaRfl) && x.CplDirDb == y.CplDirDb && a.ideal == b.ideal && l.FreqMHz == k.FreqMHz &&
           l.Line == k.Line && l.WidthMm == k.WidthMm && l.Vf == k.Vf && l.LengthM == k.LengthM && l.SpanMHz == k.SpanMHz &&
           l.LineKnown == k.LineKnown && d.power == e.power && d.srcMism == e.srcMism && d.loaMism == e.loaMism &&
           d.meaRfl == e.meaRfl && d.srcRfl == e.srcRfl && d.loaRfl == e.loaRfl && a.factorUnit == b.factorUnit &&
           a.measUnit == b.measUnit && a.tuner == b.tuner && SameGuideInputs(a.guide, b.guide) &&
           SameTubeCase(a.tube, b.tube);
}

TSnapshot ComputeCase(const TCase& c, int sweepSteps)
{
    TSnapshot s;
    s.c = c;
    // only the inputs go in: the results are computed afresh
    TModel& m = s.m;
    CopyInputs(c.inputs, m);
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
