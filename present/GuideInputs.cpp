// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideInputs.h"

namespace merivane::present {

namespace {

constexpr TGuideRow kGuideRows[] = {
    // id, key, option, name, unit, lo, hi, default, decimals
    {GuideInput::LossDbPerM, "loss_db_per_m", "loss", "Line loss", " dB/m", 0, 100, 0, 6},
    // a breakdown field of 1 kV/m .. 1 GV/m; dry air at sea level is about 3 MV/m
    {GuideInput::BreakdownKvPerM, "breakdown_kv_per_m", "breakdown", "Breakdown field", " kV/m", 1, 1e6,
     kDefaultBreakdownKvPerM, 3},
    {GuideInput::HeightMm, "height_mm", "guide-height", "Waveguide height", " mm", 1, 10000, kDefaultCustomHeightMm, 6},
};

constexpr TLossModeName kLossModes[] = {
    {LossSource::None, "none", "No loss"},
    {LossSource::Entered, "entered", "Entered dB/m"},
    {LossSource::Conductor, "conductor", "Conductor metal"},
};

}  // namespace

std::span<const TGuideRow> GuideRows() { return kGuideRows; }

const TGuideRow& GuideRow(GuideInput id) { return kGuideRows[static_cast<int>(id)]; }

TInputRow AsInputRow(const TGuideRow& row)
{
    // a plain decimal number, clamped into the limits, shown as stored
    // (the id is unused by the reader and the writer; the line's length stands in)
    return TInputRow{Input::SwLength, row.key,    row.name,   row.name, row.unit,
                     row.lo,          row.hi,     row.def,    0,        Beyond::Clamp,
                     row.decimals,    1.0,        nullptr,    row.option, TSpinnerRow{nullptr, 0, 0, 0, false, 0}};
}

std::span<const TLossModeName> LossModeNames() { return kLossModes; }

const char* LossModeKey(LossSource mode)
{
    for (const TLossModeName& n : kLossModes)
        if (n.mode == mode) return n.key;
    return kLossModes[0].key;
}

const char* ConductorKey(Conductor metal) { return ConductorOf(metal).name; }

TGuideResult ComputeGuide(const TModel& m, const TSweepInputs& line, const TGuideInputs& g)
{
    TGuideResult r;
    TLineLossInputs in;
    in.Source = g.loss;
    in.Metal = g.metal;
    in.EnteredDbPerM = g.lossDbPerM;
    in.HeightMm = g.heightMm;
    r.attenuation = LineAttenuation(line, in);
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
