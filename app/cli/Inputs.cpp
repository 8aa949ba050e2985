// SPDX-License-Identifier: GPL-3.0-or-later
#include "Inputs.h"

#include "Conversions.h"
#include "Fields.h"
#include "NumberText.h"
#include "Transmission.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace merivane {

namespace {

using ext = long double;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kBig = std::numeric_limits<double>::max();

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Range(double lo, double hi) { return present::Shortest(lo) + " .. " + present::Shortest(hi); }

// A number with no limits: NaN when the text is not one. Throws EOverflow.
double Number(const std::string& text) { return ParseReal(text, kNaN, -kBig, kBig, true); }

// Clamps v into lo .. hi and says so in the warning.
double Clamp(double v, double lo, double hi, std::string_view text, const char* what, TReadResult& r)
{
    const double c = ClampReal(lo, v, hi);
    if (c != v)
        r.warning = Quoted(text) + ": " + what + "outside " + Range(lo, hi) + ", clamped to " + present::Shortest(c);
    return c;
}

TReadResult Failure(std::string_view text, const std::string& what)
{
    TReadResult r;
    r.ok = false;
    r.error = Quoted(text) + ": " + what;
    return r;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}

// MAG, db:RLOSS or swr:SWR, then optionally @PHASE. The conversions are the
// window's: a return loss at or below -160 dB is no reflection, an SWR from
// 9999.999 on a full one.
TReadResult ReadReflection(std::string_view text, TRefl& refl, int& form)
{
    std::string_view magnitude = text;
    std::string_view phase;
    bool hasPhase = false;
    if (const auto at = text.rfind('@'); at != std::string_view::npos) {
        magnitude = text.substr(0, at);
        phase = text.substr(at + 1);
        hasPhase = true;
    }
    int f = 0;
    if (StartsWithNoCase(magnitude, "db:")) {
        f = 1;
        magnitude.remove_prefix(3);
    } else if (StartsWithNoCase(magnitude, "swr:")) {
        f = 2;
        magnitude.remove_prefix(4);
    } else if (StartsWithNoCase(magnitude, "mag:")) {
        magnitude.remove_prefix(4);
    }
    const double v = Number(std::string(magnitude));
    if (std::isnan(v)) return Failure(text, "the magnitude " + Quoted(magnitude) + " is not a number");

    TRefl r = refl;
    switch (f) {
    case 1:
        if (v < -160 || v > 0) return Failure(text, "return loss outside -160 .. 0 dB");
        r.Rloss = v;
        r.Mag = r.Rloss <= -160 ? 0.0 : DbToMag(r.Rloss);
        r.Swr = MagToSwr(r.Mag);
        break;
    case 2:
        if (v < 1 || v > 100000) return Failure(text, "SWR outside 1 .. 100000");
        r.Swr = v;
        r.Mag = r.Swr >= 9999.999 ? 1.0 : SwrToMag(r.Swr);
        r.Rloss = MagToDb(r.Mag);
        break;
    default:
        if (v < 0 || v > 1) return Failure(text, "magnitude outside 0 .. 1");
        r.Mag = v;
        r.Rloss = MagToDb(r.Mag);
        r.Swr = MagToSwr(r.Mag);
        break;
    }
    TReadResult result;
    if (hasPhase) {
        const double p = Number(std::string(phase));
        if (std::isnan(p)) return Failure(text, "the phase " + Quoted(phase) + " is not a number");
        r.Pha = Clamp(p, -180, 180, text, "phase ", result);
    }
    refl = r;
    form = f;
    return result;
}

TReadResult Read(InputId id, std::string_view text, TCaseInput& c)
{
    const std::string s(text);
    TReadResult r;
    switch (id) {
    case InputId::Va: {
        // two fallbacks tell a number from a text that is not one
        const int a = ParseInt(s, 0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), true);
        const int b = ParseInt(s, 1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), true);
        if (a != b) return Failure(text, "not a whole number");
        c.m.Va = static_cast<std::int32_t>(Clamp(a, 0, 100000, text, "", r));
        return r;
    }
    case InputId::Ia: {
        const double v = ParseCurrent(s, kNaN, -kBig, kBig);
        if (std::isnan(v)) return Failure(text, "not a number");
        c.m.Ia = Clamp(v, 0, 1000, text, "", r);
        return r;
    }
    case InputId::Eff: {
        const double v = Number(s);
        if (std::isnan(v)) return Failure(text, "not a number");
        c.m.Eff = static_cast<double>(static_cast<ext>(Clamp(v, 0, 100, text, "", r)) / 100);
        return r;
    }
    case InputId::Source: return ReadReflection(text, c.m.SrcRfl, c.srcForm);
    case InputId::Load: return ReadReflection(text, c.m.LoaRfl, c.loaForm);
    case InputId::Directivity: {
        if (text.empty()) {
            c.ideal = true;
            return r;
        }
        const double v = Number(s);
        if (std::isnan(v)) return Failure(text, "not a number");
        c.m.CplDirDb = Clamp(v, 0, 160, text, "", r);
        c.ideal = false;
        return r;
    }
    }
    return r;
}

}  // namespace

TCaseInput DefaultCase()
{
    TCaseInput c;
    c.m.Va = 4000;
    c.m.Ia = 3;
    c.m.Eff = 0.85;
    c.m.SrcRfl.Mag = 0.2;
    c.m.LoaRfl.Mag = 0.5;
    c.m.LoaRfl.Pha = 90;
    for (TRefl* r : {&c.m.SrcRfl, &c.m.LoaRfl}) {
        r->Rloss = MagToDb(r->Mag);
        r->Swr = MagToSwr(r->Mag);
    }
    c.m.CplDirDb = 20;
    return c;
}

TReadResult ReadInput(InputId id, std::string_view text, TCaseInput& c)
{
    try {
        return Read(id, text, c);
    } catch (const EOverflow&) {
        return Failure(text, "beyond the range of numbers");
    }
}

void Compute(TCaseInput& c) { CalcTransmission(c.m, c.ideal); }

}  // namespace merivane
