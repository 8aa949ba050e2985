// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasuredTexts.h"

#include "CellRules.h"
#include "EntryReader.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace merivane::present {

double DefaultBandHalfMHz(const TSnapshot& s)
{
    const double range = std::max(std::fabs(s.tube.magnetron.ShiftMinMHz), std::fabs(s.tube.magnetron.ShiftMaxMHz));
    return s.c.tube.magnetron.pullingMHz > 0 && range > 0 ? range : 50.0;
}

double BandHalfMHz(const TSnapshot& s)
{
    return s.c.measured && s.c.measured->bandHalfMHz > 0 ? s.c.measured->bandHalfMHz : DefaultBandHalfMHz(s);
}

TPulledRange PulledRangeMHz(const TSnapshot& s)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!(s.c.tube.magnetron.pullingMHz > 0)) return {nan, nan};
    const double f0 = s.c.line.FreqMHz;
    return {f0 + s.tube.magnetron.ShiftMinMHz, f0 + s.tube.magnetron.ShiftMaxMHz};
}

std::string BandRowCaption(const TBandPoint& p) { return FormatReal(p.frequencyMHz, 3) + " MHz"; }

std::string BandCell(const TBandPoint& p, int column, PowerUnit unit)
{
    switch (column) {
    case 0: return FormatReal(p.gammaMag, 4);
    case 1: return PowerCell(p.incidentW, unit).WithUnit();
    case 2: return PowerCell(p.reflectedW, unit).WithUnit();
    case 3: return PowerCell(p.absorbedW, unit).WithUnit();
    default: return {};
    }
}

std::string BandSummary(const TBandResult& b, PowerUnit unit)
{
    if (b.points.empty()) return "No measured point within \u00b1" + LimitText(b.halfMHz) + " MHz of the case's frequency.";
    return "Worst reflected " + PowerCell(b.reflectedMaxW, unit).WithUnit() + " at " + LimitText(b.worstFrequencyMHz) +
           " MHz; absorbed " + PowerCell(b.absorbedMinW, unit).WithUnit() + " .. " +
           PowerCell(b.absorbedMaxW, unit).WithUnit() + " over " + std::to_string(b.points.size()) + " points";
}

std::vector<TSection> MeasuredSections(const TSnapshot& s)
{
    if (!s.c.measured || !s.measured.present) return {};
    const TMeasuredLoad& load = *s.c.measured;
    const TMeasuredResult& m = s.measured;
    TSection head{"Measured Load", {}, {}};
    const auto row = [&head](std::string caption, std::string text) {
        head.rows.push_back(TCaseRow{std::move(caption), {TValue{std::move(text), {}}}});
    };
    row("File", load.file + ", port " + std::to_string(load.port) + ", " + std::to_string(load.freqHz.size()) +
                    " points");
    row("Measured band", LimitText(m.fMinMHz) + "\u2013" + LimitText(m.fMaxMHz) + " MHz");
    row("Plane shift", LimitText(load.planeShiftMm) + " mm");
    const double deg = m.gamma == std::complex<double>{} ? 0.0 : std::arg(m.gamma) * 180 / std::numbers::pi;
    row("Load taken", "|\u0393| " + FormatReal(std::abs(m.gamma), 4) + " \u2220 " + FormatReal(deg, 2) + "\u00b0 at " +
                          LimitText(m.frequencyMHz) + " MHz");
    row("Note", MeasuredNote(load, m));

    const TBandResult& b = s.band;
    TSection band{"Band \u00b1" + LimitText(b.halfMHz) + " MHz",
                  {"|\u0393l|", "Incident", "Reflected", "Absorbed"}, {}};
    const PowerUnit unit = s.c.display.power;
    for (const TBandPoint& p : b.points) {
        TCaseRow r{BandRowCaption(p), {}};
        for (int i = 0; i < kBandColumns; ++i) r.values.push_back(TValue{BandCell(p, i, unit), {}});
        band.rows.push_back(std::move(r));
    }
    if (!b.points.empty())
        band.rows.push_back(TCaseRow{"Worst reflected",
                                     {TValue{"at " + LimitText(b.worstFrequencyMHz) + " MHz", {}},
                                      TValue{}, TValue{PowerCell(b.reflectedMaxW, unit).WithUnit(), {}}, TValue{}}});
    return {head, band};
}

}  // namespace merivane::present
