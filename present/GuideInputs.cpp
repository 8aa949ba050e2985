// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideInputs.h"

#include "Transmission.h"

#include <charconv>

namespace merivane::present {

namespace {

constexpr TLossModeName kLossModes[] = {
    {LossSource::None, "none", "No loss"},
    {LossSource::Entered, "entered", "Entered dB/m"},
    {LossSource::Conductor, "conductor", "Conductor metal"},
};

}  // namespace

std::span<const TGuideRow> GuideRows() { return InputRows().subspan(static_cast<std::size_t>(kFirstGuideInput), 3); }

const TGuideRow& GuideRow(GuideInput id) { return GuideRows()[static_cast<std::size_t>(id)]; }

std::span<const TLossModeName> LossModeNames() { return kLossModes; }

const char* LossModeKey(LossSource mode)
{
    for (const TLossModeName& n : kLossModes)
        if (n.mode == mode) return n.key;
    return kLossModes[0].key;
}

const char* ConductorKey(Conductor metal) { return ConductorOf(metal).name; }

TAttenuation GuideAttenuation(const TSweepInputs& line, const TGuideInputs& g)
{
    TLineLossInputs in;
    in.Source = g.loss;
    in.Metal = g.metal;
    in.EnteredDbPerM = g.lossDbPerM;
    in.HeightMm = g.heightMm;
    return LineAttenuation(line, in);
}

double CaseLinePass(const TSweepInputs& line, const TGuideInputs& g)
{
    return LinePassFactor(GuideAttenuation(line, g).DbPerM, line.LengthM);
}

void CalcCaseModel(TModel& m, bool ideal, const TSweepInputs& line, const TGuideInputs& g)
{
    CalcTransmission(m, ideal, CaseLinePass(line, g));
}

std::string LineLossNote(const TLineLoss& loss)
{
    if (!(loss.PassFactor < 1.0)) return {};
    // the loss one way: alpha L in dB, 10 log10 of 1 / e^(-2 alpha L)
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, loss.AttenuationDbPerM * loss.LengthM, std::chars_format::fixed, 1);
    return "includes " + std::string(text, r.ptr) + " dB of line loss each way";
}

TGuideResult ComputeGuide(const TModel& m, const TSweepInputs& line, const TGuideInputs& g)
{
    TGuideResult r;
    r.attenuation = GuideAttenuation(line, g);
    // alpha L = 0 (no loss, a figure of 0, a line of no length) leaves the model as it is
    r.loss = CalcLineLoss(m, r.attenuation.DbPerM, line.LengthM);
    // E = sqrt(4 Z_TE P+ / (a b)) (1 + |Gl|): P+ (and its highest over the
    // phase) at the source end, |Gl| at the load
    TModel field = r.loss.AtSource;
    field.LoaRfl = m.LoaRfl;
    TGuideLoadInputs gi;
    gi.HeightMm = g.heightMm;
    gi.BreakdownKvPerM = g.breakdownKvPerM;
    r.load = CalcGuideLoad(field, line, gi);
    return r;
}

}  // namespace merivane::present
