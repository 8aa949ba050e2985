// SPDX-License-Identifier: GPL-3.0-or-later
#include "MagnetronCase.h"

#include "Conversions.h"
#include "CouplerMeas.h"
#include "MagnetronRows.h"

namespace merivane::present {

TTubeCase DefaultTubeCase()
{
    TTubeCase t;
    TMagnetronSetup& g = t.magnetron;
    g.pullingMHz = TubeRow(TubeInput::Pulling).def;
    g.qext = TubeRow(TubeInput::Qext).def;
    g.isolationDb = TubeRow(TubeInput::Isolation).def;
    g.dummyRatingW = TubeRow(TubeInput::DummyRating).def;
    TMeasurementSetup& s = t.measurement;
    s.phaseModel = LeakPhaseModel::Fixed;
    s.couplingPct = TubeRow(TubeInput::Coupling).def;
    s.sensorPct = TubeRow(TubeInput::Sensor).def;
    s.tripPct = TubeRow(TubeInput::Trip).def;
    s.waterFlowLpm = TubeRow(TubeInput::WaterFlow).def;
    s.waterRiseK = TubeRow(TubeInput::WaterRise).def;
    return t;
}

TTubeResult ComputeTube(const TModel& m, const TSweepInputs& line, const TTubeCase& t, double pass)
{
    TTubeResult r;
    const TMagnetronSetup& g = t.magnetron;
    const TMeasurementSetup& s = t.measurement;
    r.isolator = CalcIsolator(m, TIsolatorInputs{g.isolationDb, g.dummyRatingW}, pass);
    // through the line and an isolator the tube sees |G| = 10^(-I/20) |G_l| e^(-2 alpha L)
    r.seen = m.LoaRfl;
    r.seen.Mag = r.isolator.MagnetronMagMax;
    r.seen.Swr = r.isolator.MagnetronSwrMax;
    r.seen.Rloss = MagToDb(r.seen.Mag);
    r.magnetron = CalcMagnetron(r.seen, line, TMagnetronInputs{g.pullingMHz, g.qext});
    r.uncertainty = CalcUncertainty(m, TUncertaintyInputs{s.phaseModel, s.couplingPct, s.sensorPct});
    // the leak amplitude d = 10^(-D/20) of both couplers; none when they are ideal
    r.trip = CalcTripLevels(s.tripPct, m.CplIdeal ? 0.0 : DirectivityFactor(m.CplDirDb));
    r.calorimetry = CalcCalorimetry(s.waterFlowLpm, s.waterRiseK, m.Pload);
    return r;
}

double PulledFrequencyAtPhaseMHz(const TRefl& seen, double f0MHz, double qext, double phaseDeg)
{
    // the longer line turns the reflection by the round-trip phase: G e^(-j phi)
    return f0MHz + PullingShiftMHz(f0MHz, qext, seen.Mag, seen.Pha - phaseDeg);
}

std::vector<double> PulledFrequencyCurve(const TTubeResult& r, const TSweepInputs& line, const TSweepResult& sweep)
{
    std::vector<double> f;
    if (!r.magnetron.Defined || sweep.X.empty()) return f;
    // over the added length: phi = 720 x / lambda_g degrees (a round trip through x)
    const double toDeg = sweep.OverLength && sweep.Guide.wavelengthMm > 0 ? 720.0 / sweep.Guide.wavelengthMm : 1.0;
    f.reserve(sweep.X.size());
    for (double x : sweep.X)
        f.push_back(PulledFrequencyAtPhaseMHz(r.seen, line.FreqMHz, r.magnetron.Qext, x * toDeg));
    return f;
}

}  // namespace merivane::present
