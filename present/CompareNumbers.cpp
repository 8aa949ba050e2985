// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareNumbers.h"

#include "Conversions.h"

#include <cstring>

namespace merivane::present {

namespace {

using ext = long double;
using M = const TModel&;
using D = const TDisplay&;

double Scaled(double x, ext by) { return static_cast<double>(static_cast<ext>(x) * by); }

// A ratio shown in dB (DbStr): 10 log10 x, the change of x itself.
TNumber Decibel(double ratio) { return {RatioToDb(ratio), ratio, 2}; }

// A factor in the factor unit (FactorCell): Mag with 3 decimals, % with 2, dB.
TNumber Factor(double f, int selUnit)
{
    switch (selUnit) {
    case 0: return {f, f, 3};
    case 1: return {Scaled(f, 100), f, 2};
    case 2: return Decibel(f);
    default: return {};
    }
}

// A mismatch factor by its list (MismCell): 1 dB, 2 %, any other Mag.
TNumber Mism(const TRefl& r, int index)
{
    switch (index) {
    case 1: return Decibel(r.Mism);
    case 2: return {Scaled(r.Mism, 100), r.Mism, 2};
    default: return {r.Mism, r.Mism, 3};
    }
}

// A reflection magnitude as return loss (a quantity in dB: no change in %),
// as SWR, or as the magnitude.
TNumber Magnitude(const TRefl& r, int form)
{
    switch (form) {
    case 1: return {r.Rloss, kNoNumber, 2};
    case 2: return {r.Swr, r.Swr, 3};
    default: return {r.Mag, r.Mag, 3};
    }
}

// The magnitude error in points of % (MeaRflErrCell), shown in Mag only.
TNumber MagError(const TRefl& measured, const TRefl& truth, int index)
{
    if (index != 0) return {};
    const double e = static_cast<double>((static_cast<ext>(measured.Mag) - truth.Mag) * 100);
    return {e, e, 2};
}

// A Power Meas cell (MeaPowerCell): the power, the ratio b of measured to true
// power in % (an error cell b - 1) or in dB.
TNumber MeasPower(bool isError, double ratio, double watts, M m, D d)
{
    switch (m.SelErrUnit) {
    case 0:
        if (!isError || d.power == PowerUnit::Watts) return PowerNumber(watts, d.power);
        return Decibel(ratio);
    case 1: {
        const double b = isError ? static_cast<double>(static_cast<ext>(ratio) - 1) : ratio;
        return {Scaled(b, 100), b, 2};
    }
    case 2: return Decibel(ratio);
    default: return {};
    }
}

double Diff(double a, double b) { return static_cast<double>(static_cast<ext>(a) - b); }

struct TRule {
    const char* valueLabel;
    TNumber (*number)(M, D);
};

TNumber P(double w, D d) { return PowerNumber(w, d.power); }

// One rule per cell of ResultCells(), the same values its render reads.
const TRule kRules[] = {
    {"lbPmatch2", [](M m, D d) { return P(m.Pmatch, d); }},
    {"lbPav", [](M m, D d) { return P(m.Pav, d); }},
    {"lbSrcMism2", [](M m, D d) { return Mism(m.SrcRfl, d.srcMism); }},
    {"lbLoaMism2", [](M m, D d) { return Mism(m.LoaRfl, d.loaMism); }},
    {"lbInterf2", [](M m, D) { return Factor(m.Interf, m.SelUnit); }},
    {"lbIntMin2", [](M m, D) { return Factor(m.InterfMin, m.SelUnit); }},
    {"lbIntMax2", [](M m, D) { return Factor(m.InterfMax, m.SelUnit); }},
    {"lbTrGain2", [](M m, D) { return Factor(m.TrGain, m.SelUnit); }},
    {"lbTrGmin", [](M m, D) { return Factor(m.TrGainMin, m.SelUnit); }},
    {"lbTrGmax", [](M m, D) { return Factor(m.TrGainMax, m.SelUnit); }},
    {"lbPinc2", [](M m, D d) { return P(m.Pinc, d); }},
    {"lbPincMin2", [](M m, D d) { return P(m.PincMin, d); }},
    {"lbPincMax2", [](M m, D d) { return P(m.PincMax, d); }},
    {"lbPrefl2", [](M m, D d) { return P(m.Prefl, d); }},
    {"lbPrefMin2", [](M m, D d) { return P(m.PreflMin, d); }},
    {"lbPrefMax2", [](M m, D d) { return P(m.PreflMax, d); }},
    {"lbPload2", [](M m, D d) { return P(m.Pload, d); }},
    {"lbPloadMin", [](M m, D d) { return P(m.PloadMin, d); }},
    {"lbPloadMax", [](M m, D d) { return P(m.PloadMax, d); }},
    {"lbPincV", [](M m, D d) { return P(m.Pinc, d); }},
    {"lbPincMinV", [](M m, D d) { return MeasPower(false, m.ErrInciMinus, m.PincMinV, m, d); }},
    {"lbPlincMaxV", [](M m, D d) { return MeasPower(false, m.ErrInciPlus, m.PincMaxV, m, d); }},
    {"lbPincMinE", [](M m, D d) { return MeasPower(true, m.ErrInciMinus, Diff(m.PincMinV, m.Pinc), m, d); }},
    {"lbPlincMaxE", [](M m, D d) { return MeasPower(true, m.ErrInciPlus, Diff(m.PincMaxV, m.Pinc), m, d); }},
    {"lbPreflV", [](M m, D d) { return P(m.Prefl, d); }},
    {"lbPrefMinV", [](M m, D d) { return MeasPower(false, m.ErrReflMinus, m.PreflMinV, m, d); }},
    {"lbPlreflMaxV", [](M m, D d) { return MeasPower(false, m.ErrReflPlus, m.PreflMaxV, m, d); }},
    {"lbPrefMinE", [](M m, D d) { return MeasPower(true, m.ErrReflMinus, Diff(m.PreflMinV, m.Prefl), m, d); }},
    {"lbPlreflMaxE", [](M m, D d) { return MeasPower(true, m.ErrReflPlus, Diff(m.PreflMaxV, m.Prefl), m, d); }},
    {"lbPloadV", [](M m, D d) { return P(m.Pload, d); }},
    {"lbPloadMinV", [](M m, D d) { return MeasPower(false, m.PloadMinRelat, m.PloadMinV, m, d); }},
    {"lbPloadMaxV", [](M m, D d) { return MeasPower(false, m.PloadMaxRelat, m.PloadMaxV, m, d); }},
    {"lbPloadMinE", [](M m, D d) { return MeasPower(true, m.PloadMinRelat, Diff(m.PloadMinV, m.Pload), m, d); }},
    {"lbPloadMaxE", [](M m, D d) { return MeasPower(true, m.PloadMaxRelat, Diff(m.PloadMaxV, m.Pload), m, d); }},
    {"lbMag", [](M m, D d) { return Magnitude(m.LoaRfl, d.meaRfl); }},
    {"lbMagMin", [](M m, D d) { return Magnitude(m.MeaMin, d.meaRfl); }},
    {"lbMagMax", [](M m, D d) { return Magnitude(m.MeaMax, d.meaRfl); }},
    {"lbMagMinE", [](M m, D d) { return MagError(m.MeaMin, m.LoaRfl, d.meaRfl); }},
    {"lbMagMaxE", [](M m, D d) { return MagError(m.MeaMax, m.LoaRfl, d.meaRfl); }},
};

}  // namespace

TNumber PowerNumber(double watts, PowerUnit unit)
{
    // dBm = 10 log10(P / 1 mW), dBW = 10 log10(P / 1 W), dBkW = 10 log10(P / 1 kW)
    switch (unit) {
    case PowerUnit::Dbm: return {RatioToDb(Scaled(watts, 1000)), watts, 2};
    case PowerUnit::DbW: return {RatioToDb(watts), watts, 2};
    case PowerUnit::DbkW: return {RatioToDb(static_cast<double>(static_cast<ext>(watts) / 1000)), watts, 2};
    case PowerUnit::Watts:
    case PowerUnit::None: break;
    }
    return {watts, watts, 2};
}

TNumber CellNumber(const TResultCell& cell, const TModel& m, const TDisplay& d)
{
    for (const TRule& r : kRules)
        if (std::strcmp(r.valueLabel, cell.valueLabel) == 0) return r.number(m, d);
    return {};
}

TNumber InputNumber(int row, const TModel& m, const TDisplay& d)
{
    switch (row) {
    case 0: return {static_cast<double>(m.Va), static_cast<double>(m.Va), 0};
    case 1: return {m.Ia, m.Ia, 3};
    case 2: return {Scaled(m.Eff, 100), m.Eff, 3};
    case 3: return Magnitude(m.SrcRfl, d.srcRfl);
    case 4: return {m.SrcRfl.Pha, kNoNumber, 3};  // a phase has no zero to be relative to
    case 5: return Magnitude(m.LoaRfl, d.loaRfl);
    case 6: return {m.LoaRfl.Pha, kNoNumber, 3};
    case 7:
        // the directivity, a quantity in dB: differenced in dB, without a change in %
        if (m.CplIdeal) return {};
        return {m.CplDirDb, kNoNumber, 3};
    default: return {};
    }
}

}  // namespace merivane::present
