// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineLoss.h"

#include "Conversions.h"
#include "Transmission.h"

#include <cmath>

namespace merivane {

TAttenuation LineAttenuation(const TSweepInputs& line, const TLineLossInputs& in)
{
    TAttenuation t;
    double db = 0.0;
    switch (in.Source) {
    case LossSource::None: return t;
    case LossSource::Entered:
        if (!(in.EnteredDbPerM >= 0) || !std::isfinite(in.EnteredDbPerM)) {
            t.Status = kLossBadFigure;
            return t;
        }
        db = in.EnteredDbPerM;
        break;
    case LossSource::Conductor: {
        if (!line.LineKnown || !IsWaveguide(line.Line)) {
            t.Status = kLossNeedsWaveguide;
            return t;
        }
        const double a = BroadWallMm(line), b = GuideHeightMm(line, in.HeightMm);
        if (!GuideAt(line, line.FreqMHz).propagates) {
            t.Status = kLossNoWave;
            return t;
        }
        if (!(b > 0)) {
            t.Status = kLossNoHeight;
            return t;
        }
        db = NpToDb(ConductorAttenuationNpPerM(ConductorOf(in.Metal).conductivitySPerM, a, b, line.FreqMHz));
        break;
    }
    }
    t.Status = kLossOk;
    t.DbPerM = db;
    t.NpPerM = DbToNp(db);
    return t;
}

double LinePassFactor(double attenuationDbPerM, double lengthM)
{
    const double al = DbToNp(attenuationDbPerM) * lengthM;
    return al > 0 ? std::exp(-2.0 * al) : 1.0;
}

TLineLoss CalcLineLoss(const TModel& m, double attenuationDbPerM, double lengthM)
{
    TLineLoss r;
    r.AttenuationDbPerM = attenuationDbPerM;
    r.LengthM = lengthM;
    r.AtSource = m;
    const double al = DbToNp(attenuationDbPerM) * lengthM;
    const long double g = m.LoaRfl.Mag, l2 = g * g;
    if (!(al > 0)) {
        // no loss: the lossless model, to the last bit
        CalcTransmission(r.AtSource, m.CplIdeal);
        r.SourceEndReflMag = m.LoaRfl.Mag;
        r.ForwardAtSourceW = r.ForwardAtLoadW = r.AtSource.Pinc;
        r.NetInW = r.AbsorbedW = r.AtSource.Pload;
        return r;
    }
    r.PassFactor = LinePassFactor(attenuationDbPerM, lengthM);
    // The model at the load, with the line's pass factor, whatever m was computed with.
    TModel atLoad = m;
    CalcTransmission(atLoad, m.CplIdeal, r.PassFactor);
    r.ForwardAtLoadW = atLoad.Pinc;
    r.AbsorbedW = atLoad.Pload;
    // The reflected wave comes back attenuated twice: Gl e^(-2 alpha L).
    TRefl& seen = r.AtSource.LoaRfl;
    seen.Mag = m.LoaRfl.Mag * r.PassFactor;
    seen.Rloss = MagToDb(seen.Mag);
    seen.Swr = MagToSwr(seen.Mag);
    CalcTransmission(r.AtSource, m.CplIdeal);
    r.SourceEndReflMag = seen.Mag;
    r.ForwardAtSourceW = r.AtSource.Pinc;
    r.NetInW = r.AtSource.Pload;
    // Forward: P+ (1 - e^(-2 alpha L)); reflected, on its way back:
    // P+ e^(-2 alpha L) |Gl|^2 (1 - e^(-2 alpha L)). Together
    //   P+ (1 - e^(-2 alpha L)) (1 + |Gl|^2 e^(-2 alpha L)),
    // which is the net power in, P+ (1 - |Gl|^2 e^(-4 alpha L)), less what
    // the load takes. -expm1 keeps short low-loss lines exact.
    r.LineLossW = r.ForwardAtSourceW >= kInfinity
                      ? kInfinity
                      : StoredResult(r.ForwardAtSourceW * -std::expm1(-2.0L * al) * (1.0L + l2 * r.PassFactor));
    return r;
}

}  // namespace merivane
