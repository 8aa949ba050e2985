#include "Transmission.h"

#include "Conversions.h"
#include "CouplerMeas.h"
#include "Division.h"

namespace merivane {

namespace {
using ext = long double;
using detail::DivideOrInfinity;
}  // namespace

long double IncidentScale(const TModel& m)
{
    // Pav failed only for 1 - |Gs|^2 = 0: the limit of Pav (1 - |Gs|^2) is Pmatch.
    if (m.Pav >= kInfinity) return m.Pmatch;
    return static_cast<ext>(m.Pav) * m.SrcRfl.Mism;
}

double IncidentPower(long double scale, double interf)
{
    if (interf >= kInfinity) return scale > 0 ? kInfinity : 0.0;
    return static_cast<double>(scale * interf);
}

void CalcTransmission(TModel& m, bool ideal)
{
    const ext l2 = static_cast<ext>(m.LoaRfl.Mag) * m.LoaRfl.Mag;
    m.SrcRfl.Mism = static_cast<double>(1.0L - static_cast<ext>(m.SrcRfl.Mag) * m.SrcRfl.Mag);
    m.LoaRfl.Mism = static_cast<double>(1.0L - l2);

    const TComplex gs = PolarDegToRect(MakeComplex(m.SrcRfl.Mag, m.SrcRfl.Pha));
    const TComplex gl = PolarDegToRect(MakeComplex(m.LoaRfl.Mag, m.LoaRfl.Pha));
    const TComplex p = ComplexMul(gs, gl);
    const TComplex w = MakeComplex(static_cast<double>(1.0L - p.Re), -p.Im);

    // |1 - Gs Gl|^2 is zero only for two full reflections whose product is 1.
    m.Interf = DivideOrInfinity(1.0, ComplexAbs2(w));
    const ext mm = static_cast<ext>(m.SrcRfl.Mag) * m.LoaRfl.Mag;
    m.InterfMin = static_cast<double>(1.0L / ((1.0L + mm) * (1.0L + mm)));
    m.InterfMax = DivideOrInfinity(1.0L, (1.0L - mm) * (1.0L - mm));

    m.Pmatch = static_cast<double>(static_cast<ext>(m.Va) * m.Ia * m.Eff);
    m.Pav = DivideOrInfinity(m.Pmatch, m.SrcRfl.Mism);

    const ext gain = static_cast<ext>(m.SrcRfl.Mism) * m.LoaRfl.Mism;
    m.TrGain = static_cast<double>(gain * m.Interf);
    m.TrGainMin = static_cast<double>(gain * m.InterfMin);
    m.TrGainMax = static_cast<double>(gain * m.InterfMax);

    // Pinc = Pav (1 - |Gs|^2) Interf, through the stored Pav; for a fully
    // reflecting source (Pav infinite) Pmatch Interf, its limit as |Gs| -> 1.
    const ext q = IncidentScale(m);
    m.Pinc = IncidentPower(q, m.Interf);
    m.PincMin = IncidentPower(q, m.InterfMin);
    m.PincMax = IncidentPower(q, m.InterfMax);

    // Prefl = Pinc |Gl|^2, Pload = Pinc - Prefl = Pinc (1 - |Gl|^2); an
    // infinite Pinc only arises with |Gl| = 1, whose absorbed power is 0.
    m.Prefl = static_cast<double>(m.Pinc * l2);
    m.PreflMin = static_cast<double>(m.PincMin * l2);
    m.PreflMax = static_cast<double>(m.PincMax * l2);

    m.Pload = static_cast<double>(static_cast<ext>(m.Pinc) - m.Prefl);
    m.PloadMin = static_cast<double>(static_cast<ext>(m.PincMin) - m.PreflMin);
    m.PloadMax = static_cast<double>(static_cast<ext>(m.PincMax) - m.PreflMax);

    CalcCouplerMeas(m, ideal);
}

}  // namespace merivane
