#include "CellRules.h"

#include "Texts.h"

#include <cmath>

namespace merivane::present {

namespace {

using ext = long double;

TCell WithCaption(std::string text, Unit caption)
{
    TCell c;
    c.text = std::move(text);
    c.unitLeft = UnitLeft(caption);
    c.unit = caption;
    c.writesUnit = true;
    return c;
}

TCell TextOnly(std::string text)
{
    TCell c;
    c.text = std::move(text);
    return c;
}

}  // namespace

int UnitLeft(Unit unit)
{
    switch (unit) {
    case Unit::W: return 66;
    case Unit::kW: return 60;
    case Unit::dBm: return 56;
    case Unit::dBW: return 54;
    case Unit::dBkW: return 50;
    case Unit::Percent: return 68;
    case Unit::dB: return 65;
    case Unit::None: break;
    }
    return -1;
}

TCell PowerCell(double watts, PowerUnit unit)
{
    if (std::isnan(watts)) {
        // a power without a value (the difference of two infinite readings)
        const Unit caption = unit == PowerUnit::DbW   ? Unit::dBW
                             : unit == PowerUnit::Dbm  ? Unit::dBm
                             : unit == PowerUnit::DbkW ? Unit::dBkW
                                                       : Unit::W;
        return WithCaption("Undefined", caption);
    }
    switch (unit) {
    case PowerUnit::DbW: return WithCaption(DbStr(watts), Unit::dBW);
    case PowerUnit::Dbm: return WithCaption(DbStr(static_cast<double>(static_cast<ext>(watts) * 1000)), Unit::dBm);
    case PowerUnit::DbkW:
        // the infinity sentinel stays infinite: it is not scaled into range
        return WithCaption(std::fabs(watts) >= kInfinity ? DbStr(watts)
                                                          : DbStr(static_cast<double>(static_cast<ext>(watts) / 1000)),
                           Unit::dBkW);
    case PowerUnit::Watts:
    case PowerUnit::None: break;
    }
    if (!(std::fabs(watts) >= 1000)) return WithCaption(Fixed(watts, 2), Unit::W);
    return WithCaption(std::fabs(watts) >= kInfinity ? std::string("oo")
                                                      : Fixed(static_cast<double>(static_cast<ext>(watts) / 1000), 2),
                       Unit::kW);
}

Unit FactorCaption(int selUnit)
{
    switch (selUnit) {
    case 1: return Unit::Percent;
    case 2: return Unit::dB;
    default: return Unit::None;
    }
}

TCell FactorCell(double f, int selUnit)
{
    TCell c;
    if (!(std::fabs(f) < kInfinity)) {
        c.text = "+oo";
    } else {
        switch (selUnit) {
        case 0: c.text = Fixed(f, 3); break;
        case 1: c.text = Fixed(static_cast<double>(static_cast<ext>(f) * 100), 2); break;
        case 2: c.text = DbStr(f); break;
        default: c.text = "Bad unit"; break;
        }
    }
    c.unit = FactorCaption(selUnit);
    c.writesUnit = true;
    c.unitLeft = selUnit == 1 ? 68 : selUnit == 2 ? 65 : -1;
    return c;
}

TCell MismCell(const TRefl& r, int index)
{
    switch (index) {
    case 1: return TextOnly(DbStr(r.Mism));
    case 2: return TextOnly(Fixed(static_cast<double>(static_cast<ext>(r.Mism) * 100), 2));
    default: return TextOnly(Fixed(r.Mism, 3));
    }
}

TCell MeaRflCell(const TRefl& r, int index)
{
    switch (index) {
    case 1: return TextOnly(RlossStr(r.Rloss));
    case 2: return TextOnly(SwrStr(r.Swr));
    default: return TextOnly(std::fabs(r.Mag) >= kInfinity ? std::string("+oo") : Fixed(r.Mag, 3));
    }
}

TCell MeaRflErrCell(const TRefl& measured, const TRefl& truth, int index)
{
    TCell c;
    if (index == 0) {
        c.colour = CellColour::White;
        c.text = std::fabs(measured.Mag) >= kInfinity
                     ? std::string("+oo")
                     : Fixed(static_cast<double>((static_cast<ext>(measured.Mag) - truth.Mag) * 100), 2);
    } else {
        c.colour = CellColour::ButtonFace;
    }
    return c;
}

TCell RelatDbCell(double ratio, bool undefined)
{
    return WithCaption(undefined ? std::string("Undefined") : DbStr(ratio), Unit::dB);
}

TCell MeaPowerCell(bool isError, double ratio, double watts, int selErrUnit, PowerUnit unit)
{
    const bool undefined = !(std::fabs(ratio) < kInfinity);
    switch (selErrUnit) {
    case 0:
        if (!isError || unit == PowerUnit::Watts) return PowerCell(watts, unit);
        return RelatDbCell(ratio, undefined);
    case 1:
        if (undefined) return WithCaption("Undefined", Unit::Percent);
        return WithCaption(Fixed(static_cast<double>((isError ? static_cast<ext>(ratio) - 1 : static_cast<ext>(ratio)) * 100), 2),
                           Unit::Percent);
    case 2: return RelatDbCell(ratio, undefined);
    default: return TextOnly("Bad unit");
    }
}

}  // namespace merivane::present
