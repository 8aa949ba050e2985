// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace merivane::present {

namespace {

// The public names of the export, the JSON's "results" and the batch
// columns: users' scripts read them, so each is written out here once and
// never follows a rename of the member it reads.
#define MERIVANE_FIELD(name, expr, kind) {name, FieldKind::kind, [](const TModel& m) { return static_cast<double>(m.expr); }}
#define MERIVANE_REFL(name, rec) \
    MERIVANE_FIELD(name ".Mag", rec.Mag, Real), MERIVANE_FIELD(name ".Pha", rec.Pha, Real), \
        MERIVANE_FIELD(name ".Rloss", rec.Rloss, Real), MERIVANE_FIELD(name ".Swr", rec.Swr, Real), \
        MERIVANE_FIELD(name ".Mism", rec.Mism, Real)
// A measured reflection's bound: the least or greatest magnitude over every
// phase of the couplers' leakage, which has no phase of its own. Its phase is
// written as null in the JSON and an empty cell in a CSV.
#define MERIVANE_NO_PHASE(name) {name, FieldKind::Real, [](const TModel&) { return std::numeric_limits<double>::quiet_NaN(); }}
#define MERIVANE_BOUND(name, rec) \
    MERIVANE_FIELD(name ".Mag", rec.Mag, Real), MERIVANE_NO_PHASE(name ".Pha"), \
        MERIVANE_FIELD(name ".Rloss", rec.Rloss, Real), MERIVANE_FIELD(name ".Swr", rec.Swr, Real), \
        MERIVANE_FIELD(name ".Mism", rec.Mism, Real)

const TFieldSpec kFields[] = {
    MERIVANE_FIELD("Va", Va, Integer),
    MERIVANE_FIELD("Ia", Ia, Real),
    MERIVANE_FIELD("Eff", Eff, Real),
    MERIVANE_REFL("SrcRfl", SrcRfl),
    MERIVANE_REFL("LoaRfl", LoaRfl),
    MERIVANE_BOUND("MeaMin", MeaMin),
    MERIVANE_BOUND("MeaMax", MeaMax),
    MERIVANE_FIELD("Interf", Interf, Real),
    MERIVANE_FIELD("InterfMin", InterfMin, Real),
    MERIVANE_FIELD("InterfMax", InterfMax, Real),
    MERIVANE_FIELD("TrGain", TrGain, Real),
    MERIVANE_FIELD("TrGainMin", TrGainMin, Real),
    MERIVANE_FIELD("TrGainMax", TrGainMax, Real),
    MERIVANE_FIELD("Pav", Pav, Real),
    MERIVANE_FIELD("Pmatch", Pmatch, Real),
    MERIVANE_FIELD("Pinc", Pinc, Real),
    MERIVANE_FIELD("PincMin", PincMin, Real),
    MERIVANE_FIELD("PincMax", PincMax, Real),
    MERIVANE_FIELD("Prefl", Prefl, Real),
    MERIVANE_FIELD("PreflMin", PreflMin, Real),
    MERIVANE_FIELD("PreflMax", PreflMax, Real),
    MERIVANE_FIELD("Pload", Pload, Real),
    MERIVANE_FIELD("PloadMin", PloadMin, Real),
    MERIVANE_FIELD("PloadMax", PloadMax, Real),
    MERIVANE_FIELD("SelUnit", SelUnit, Integer),
    MERIVANE_FIELD("SelErrUnit", SelErrUnit, Integer),
    MERIVANE_FIELD("CplIdeal", CplIdeal, Boolean),
    MERIVANE_FIELD("CplDirDb", CplDirDb, Real),
    MERIVANE_FIELD("ErrInciMinus", ErrInciMinus, Real),
    MERIVANE_FIELD("ErrInciPlus", ErrInciPlus, Real),
    MERIVANE_FIELD("PincMinV", PincMinV, Real),
    MERIVANE_FIELD("PincMaxV", PincMaxV, Real),
    MERIVANE_FIELD("ErrReflMinus", ErrReflMinus, Real),
    MERIVANE_FIELD("ErrReflPlus", ErrReflPlus, Real),
    MERIVANE_FIELD("PreflMinV", PreflMinV, Real),
    MERIVANE_FIELD("PreflMaxV", PreflMaxV, Real),
    MERIVANE_FIELD("PloadMinV", PloadMinV, Real),
    MERIVANE_FIELD("PloadMaxV", PloadMaxV, Real),
    MERIVANE_FIELD("PloadMinRelat", PloadMinRelat, Real),
    MERIVANE_FIELD("PloadMaxRelat", PloadMaxRelat, Real),
};

#undef MERIVANE_REFL
#undef MERIVANE_FIELD

}  // namespace

std::span<const TFieldSpec> ModelFields() { return kFields; }

void AppendShortest(std::string& out, double x)
{
    // The shortest digits that read back as x, written out plainly over the
    // range of the program's values ("100000", not "1e+05"), with an exponent
    // outside it ("1e+16", the infinity sentinel).
    char buf[400];
    const double a = std::fabs(x);
    const auto form = a == 0 || (a >= 1e-6 && a < 1e16) ? std::chars_format::fixed : std::chars_format::scientific;
    const auto res = std::to_chars(buf, buf + sizeof buf, x, form);
    out.append(buf, res.ptr);
}

std::string Shortest(double x)
{
    std::string s;
    AppendShortest(s, x);
    return s;
}

void AppendInteger(std::string& out, long long n)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, n);
    out.append(buf, res.ptr);
}

void AppendFieldCsv(std::string& out, const TFieldSpec& f, const TModel& m)
{
    const double v = f.value(m);
    if (f.kind == FieldKind::Real) {
        if (std::isfinite(v)) AppendShortest(out, v);  // an empty cell where there is no value
    } else {
        AppendInteger(out, static_cast<long long>(v));
    }
}

void AppendFieldJson(std::string& out, const TFieldSpec& f, const TModel& m)
{
    const double v = f.value(m);
    switch (f.kind) {
    case FieldKind::Boolean: out += v != 0 ? "true" : "false"; break;
    case FieldKind::Integer: AppendInteger(out, static_cast<long long>(v)); break;
    case FieldKind::Real:
        if (std::isfinite(v))
            AppendShortest(out, v);
        else
            out += "null";
        break;
    }
}

}  // namespace merivane::present
