// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepFields.h"

#include "NumberText.h"

#include <iterator>

using merivane::TSweepInputs;

namespace {

namespace present = merivane::present;

struct TSource {
    SweepField field;
    present::Input input;
    double TSweepInputs::*value;
};

constexpr TSource kSources[] = {
    {SweepField::Frequency, present::Input::SwFreq, &TSweepInputs::FreqMHz},
    {SweepField::Width, present::Input::SwWidth, &TSweepInputs::WidthMm},
    {SweepField::Vf, present::Input::SwVf, &TSweepInputs::Vf},
    {SweepField::Length, present::Input::SwLength, &TSweepInputs::LengthM},
    {SweepField::Span, present::Input::SwSpan, &TSweepInputs::SpanMHz},
};

TSweepFieldSpec gFields[std::size(kSources)];

}  // namespace

// The rows as the input table has them now.
std::span<const TSweepFieldSpec> SweepFields()
{
    for (std::size_t i = 0; i < std::size(kSources); ++i) {
        const present::TInputRow& s = present::InputRow(kSources[i].input);
        const char* unit = s.unit;
        while (*unit == ' ') ++unit;
        gFields[i] = TSweepFieldSpec{kSources[i].field, s.objectName, s.name, s.caption, unit, s.settingsKey,
                                     s.lo, s.hi, kSources[i].value, &s};
    }
    return gFields;
}

const TSweepFieldSpec& SweepFieldSpec(SweepField f) { return SweepFields()[static_cast<std::size_t>(f)]; }

merivane::present::TReading ReadSweepField(TSweepInputs& in, SweepField f, const std::string& text)
{
    const TSweepFieldSpec& s = SweepFieldSpec(f);
    double& v = in.*s.value;
    const present::TReading r = present::ReadEntry(*s.inputRow, text, v);
    v = r.value;
    return r;
}

std::string SweepFieldText(const TSweepInputs& in, SweepField f)
{
    const TSweepFieldSpec& s = SweepFieldSpec(f);
    return present::EntryText(*s.inputRow, in.*s.value);
}

std::string WidthFieldText(const TSweepInputs& in)
{
    return present::EntryText(*SweepFieldSpec(SweepField::Width).inputRow, merivane::BroadWallMm(in));
}
