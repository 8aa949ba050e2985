// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepFields.h"

#include "NumberText.h"

using merivane::TSweepInputs;

namespace {

constexpr int kDecimals = 6;

const TSweepFieldSpec kFields[] = {
    {SweepField::Frequency, "edSwFreq", "Frequency", "Frequency (MHz)", "MHz", "Frequency", 1, 100000, &TSweepInputs::FreqMHz},
    {SweepField::Width, "edSwWidth", "Waveguide Width", "Waveguide Width (mm)", "mm", "WaveguideWidth", 1, 10000,
     &TSweepInputs::WidthMm},
    {SweepField::Vf, "edSwVf", "Velocity Factor", "Velocity Factor", "", "VelocityFactor", 0.1, 1, &TSweepInputs::Vf},
    {SweepField::Length, "edSwLength", "Line Length", "Line Length (m)", "m", "LineLength", 0, 10000, &TSweepInputs::LengthM},
    {SweepField::Span, "edSwSpan", "Frequency Span", "Frequency Span (\u00b1 MHz)", "MHz", "FrequencySpan", 0, 10000,
     &TSweepInputs::SpanMHz},
};

}  // namespace

std::span<const TSweepFieldSpec> SweepFields() { return kFields; }

const TSweepFieldSpec& SweepFieldSpec(SweepField f) { return kFields[static_cast<int>(f)]; }

void ReadSweepField(TSweepInputs& in, SweepField f, const std::string& text)
{
    const TSweepFieldSpec& s = SweepFieldSpec(f);
    double& v = in.*s.value;
    v = merivane::ParseReal(text, v, s.lo, s.hi, true);
}

std::string SweepFieldText(const TSweepInputs& in, SweepField f)
{
    return merivane::FormatReal(in.*SweepFieldSpec(f).value, kDecimals);
}

std::string WidthFieldText(const TSweepInputs& in) { return merivane::FormatReal(merivane::BroadWallMm(in), kDecimals); }
