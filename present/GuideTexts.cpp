// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideTexts.h"

#include "CellRules.h"
#include "EntryReader.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace merivane::present {

namespace {

constexpr const char* kCaptions[kGuideReadoutCount] = {
    "Peak field",           "Peak field at highest Pinc", "Breakdown margin",           "Highest incident power",
    "Attenuation",          "Power lost in the line",     "Power absorbed by the load", "Note",
};

// With its decimals kept, "23.929": a reading shows its precision.
std::string Fixed(double x, int decimals)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string("n/a");
}

TValue Power(double watts, PowerUnit unit)
{
    const TCell c = PowerCell(watts, unit);
    return TValue{c.text, c.Caption()};
}

// Why the field is not known.
std::string FieldNotKnown(const char* status)
{
    const std::string_view s = status;
    if (s == kGuideNotWaveguide) return "n/a: not a waveguide";
    if (s == kGuideNoWave) return "n/a: below cut-off";
    if (s == kGuideNoHeight) return "n/a: no height";
    return "n/a";
}

TValue AttenuationValue(const TAttenuation& a)
{
    const std::string_view s = a.Status;
    if (s == kLossOk || s == kLossNone) return {Fixed(a.DbPerM, 5), "dB/m"};
    if (s == kLossNeedsWaveguide) return {"n/a: a coaxial line takes an entered dB/m", {}};
    if (s == kLossNoWave) return {"n/a: below cut-off", {}};
    if (s == kLossNoHeight) return {"n/a: no height", {}};
    return {"n/a: not a figure", {}};
}

std::string NoteText(const TGuideResult& g)
{
    if (g.load.Defined && g.load.BreakdownMargin < 1) return "The peak field exceeds the breakdown field";
    if (g.loss.PassFactor < 1) return "The Line Sweep takes the line's loss";
    return {};
}

std::string LossText(const TGuideInputs& in)
{
    switch (in.loss) {
    case LossSource::Entered: return "entered, " + LimitText(in.lossDbPerM) + " dB/m";
    case LossSource::Conductor: return std::string("conductor, ") + ConductorKey(in.metal);
    case LossSource::None: break;
    }
    return "none";
}

}  // namespace

const char* GuideReadoutCaption(GuideReadout id) { return kCaptions[static_cast<int>(id)]; }

TGuideReadouts GuideReadouts(const TGuideResult& g, PowerUnit unit)
{
    TGuideReadouts r;
    const auto set = [&r](GuideReadout id, TValue v) { r.value[static_cast<int>(id)] = std::move(v); };
    const TGuideLoad& f = g.load;
    if (f.Defined) {
        set(GuideReadout::PeakField, {Fixed(f.PeakFieldKvPerM, 3), "kV/m"});
        set(GuideReadout::PeakFieldMax, {Fixed(f.PeakFieldMaxKvPerM, 3), "kV/m"});
        // margin = breakdown / E at the highest incident power over the phase, in dB 20 log10 of it
        const std::string margin = Fixed(f.BreakdownMargin, 2) + " (" + Fixed(f.BreakdownMarginDb, 2) + " dB)";
        set(GuideReadout::Margin, {f.BreakdownMargin >= kInfinity ? std::string("no field") : margin, {}});
        set(GuideReadout::PincMax, Power(g.loss.AtSource.PincMax, unit));
    } else {
        const std::string na = FieldNotKnown(f.Status);
        for (GuideReadout id : {GuideReadout::PeakField, GuideReadout::PeakFieldMax, GuideReadout::Margin,
                                GuideReadout::PincMax})
            set(id, {na, {}});
    }
    set(GuideReadout::Attenuation, AttenuationValue(g.attenuation));
    set(GuideReadout::LineLoss, Power(g.loss.LineLossW, unit));
    set(GuideReadout::Absorbed, Power(g.loss.AbsorbedW, unit));
    set(GuideReadout::Note, {NoteText(g), {}});
    return r;
}

TGuideReadouts GuideReadouts(const TSnapshot& s) { return GuideReadouts(s.guide, s.c.display.power); }

TSection GuideSection(const TGuideResult& g, const TGuideInputs& in, PowerUnit unit)
{
    TSection sec{kGuideTitle, {}, {}};
    const auto row = [&sec](std::string caption, TValue v) {
        if (!v.text.empty()) sec.rows.push_back(TCaseRow{std::move(caption), {std::move(v)}});
    };
    row("Line loss", {LossText(in), {}});
    row("Breakdown field", {LimitText(in.breakdownKvPerM), "kV/m"});
    const TGuideReadouts r = GuideReadouts(g, unit);
    for (int i = 0; i < kGuideReadoutCount; ++i) row(kCaptions[i], r.value[i]);
    // |Gl| e^(-2 alpha L): the load's reflection as the source end sees it through the loss
    row("Reflection seen at the source", {Fixed(g.loss.SourceEndReflMag, 5), {}});
    return sec;
}

TSection GuideSection(const TSnapshot& s) { return GuideSection(s.guide, s.c.guide, s.c.display.power); }

}  // namespace merivane::present
