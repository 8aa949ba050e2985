// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fields.h"

#include <charconv>
#include <cmath>

namespace merivane::present {

namespace {

// The name is the field's own expression, so that the two cannot differ.
#define MERIVANE_FIELD(expr, kind) {#expr, FieldKind::kind, [](const TModel& m) { return static_cast<double>(m.expr); }}
#define MERIVANE_REFL(rec) \
    MERIVANE_FIELD(rec.Mag, Real), MERIVANE_FIELD(rec.Pha, Real), MERIVANE_FIELD(rec.Rloss, Real), \
        MERIVANE_FIELD(rec.Swr, Real), MERIVANE_FIELD(rec.Mism, Real)

const TFieldSpec kFields[] = {
    MERIVANE_FIELD(Va, Integer),
    MERIVANE_FIELD(Ia, Real),
    MERIVANE_FIELD(Eff, Real),
    MERIVANE_REFL(SrcRfl),
    MERIVANE_REFL(LoaRfl),
    MERIVANE_REFL(MeaMin),
    MERIVANE_REFL(MeaMax),
    MERIVANE_FIELD(Interf, Real),
    MERIVANE_FIELD(InterfMin, Real),
    MERIVANE_FIELD(InterfMax, Real),
    MERIVANE_FIELD(TrGain, Real),
    MERIVANE_FIELD(TrGainMin, Real),
    MERIVANE_FIELD(TrGainMax, Real),
    MERIVANE_FIELD(Pav, Real),
    MERIVANE_FIELD(Pmatch, Real),
    MERIVANE_FIELD(Pinc, Real),
    MERIVANE_FIELD(PincMin, Real),
    MERIVANE_FIELD(PincMax, Real),
    MERIVANE_FIELD(Prefl, Real),
    MERIVANE_FIELD(PreflMin, Real),
    MERIVANE_FIELD(PreflMax, Real),
    MERIVANE_FIELD(Pload, Real),
    MERIVANE_FIELD(PloadMin, Real),
    MERIVANE_FIELD(PloadMax, Real),
    MERIVANE_FIELD(SelUnit, Integer),
    MERIVANE_FIELD(SelErrUnit, Integer),
    MERIVANE_FIELD(CplIdeal, Boolean),
    MERIVANE_FIELD(CplDirDb, Real),
    MERIVANE_FIELD(ErrInciMinus, Real),
    MERIVANE_FIELD(ErrInciPlus, Real),
    MERIVANE_FIELD(PincMinV, Real),
    MERIVANE_FIELD(PincMaxV, Real),
    MERIVANE_FIELD(ErrReflMinus, Real),
    MERIVANE_FIELD(ErrReflPlus, Real),
    MERIVANE_FIELD(PreflMinV, Real),
    MERIVANE_FIELD(PreflMaxV, Real),
    MERIVANE_FIELD(PloadMinV, Real),
    MERIVANE_FIELD(PloadMaxV, Real),
    MERIVANE_FIELD(PloadMinRelat, Real),
    MERIVANE_FIELD(PloadMaxRelat, Real),
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
    if (f.kind == FieldKind::Real)
        AppendShortest(out, v);
    else
        AppendInteger(out, static_cast<long long>(v));
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
