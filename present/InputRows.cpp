// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputRows.h"

#include <cstring>

namespace merivane::present {

namespace {

constexpr TSpinnerRow kNoSpinner{nullptr, 0, 0, 0, false, 0};

// Changed only by the tests' hooks below.
TInputRow gInputs[] = {
    // id, control, name, caption, unit, lo, hi, default, forms, beyond, decimals, scale, settings key, option, spinner
    {Input::AnodeV, "edAnodeV", "Anode V", "Anode V", " V", 0, 100000, 4000, kWhole | kKiloVolts, Beyond::Clamp, 0, 1,
     "edAnodeV", "va", kNoSpinner},
    {Input::AnodeI, "edAnodeI", "Anode I", "Anode I", " A", 0, 1000, 3, kAmpPrefix, Beyond::Clamp, 3, 1, "edAnodeI", "ia",
     kNoSpinner},
    {Input::Effic, "edEffic", "Efficiency", "Efficiency", " %", 0, 100, 85, 0, Beyond::Clamp, 3, 100, "udEff", "eff",
     {"udEff", 0, 100, 1, true, 85}},
    {Input::SrcMag, "edSrcMag", "Source Magnitude", "Magnitude", "", 0, 1, 0.2, kReflection, Beyond::Keep, 3, 1, "edSrcMag",
     "source", kNoSpinner},
    {Input::SrcPha, "edSrcPha", "Source Phase", "Phase", "°", -180, 180, 0, kWraps, Beyond::Clamp, 3, 1, "udSrcPha", nullptr,
     {"udSrcPha", -180, 180, 5, true, 0}},
    {Input::LoaMag, "edLoaMag", "Load Magnitude", "Magnitude", "", 0, 1, 0.5, kReflection, Beyond::Keep, 3, 1, "edLoaMag",
     "load", kNoSpinner},
    {Input::LoaPha, "edLoaPha", "Load Phase", "Phase", "°", -180, 180, 90, kWraps, Beyond::Clamp, 3, 1, "udLoaPha", nullptr,
     {"udLoaPha", -180, 180, 5, true, 90}},
    {Input::Dire, "edDire", "Directivity", "Directivity", " dB", 0, 160, 20, 0, Beyond::Clamp, 3, 1, "udDire", "directivity",
     {"udDire", 0, 100, 1, false, 20}},
    {Input::SwFreq, "edSwFreq", "Frequency", "Frequency (MHz)", " MHz", 1, 100000, 2450, kMegahertz, Beyond::Clamp, 6, 1, "Frequency",
     "frequency", kNoSpinner},
    {Input::SwWidth, "edSwWidth", "Waveguide Width", "Waveguide Width (mm)", " mm", 1, 10000, 86.36, 0, Beyond::Clamp, 6, 1,
     "WaveguideWidth", nullptr, kNoSpinner},
    {Input::SwVf, "edSwVf", "Velocity Factor", "Velocity Factor", "", 0.1, 1, 1, 0, Beyond::Clamp, 6, 1, "VelocityFactor",
     nullptr, kNoSpinner},
    {Input::SwLength, "edSwLength", "Line Length", "Line Length (m)", " m", 0, 10000, 0, 0, Beyond::Clamp, 6, 1, "LineLength",
     "length", kNoSpinner},
    {Input::SwSpan, "edSwSpan", "Frequency Span", "Frequency Span (\u00b1 MHz)", " MHz", 0, 10000, 0, kMegahertz, Beyond::Clamp, 6, 1,
     "FrequencySpan", "span", kNoSpinner},
};

TReflForm gReflForms[] = {
    {"Mag", "mag:", 0, 1, 3, ""},
    {"dB", "db:", -160, 0, 2, " dB"},
    {"SWR", "swr:", 1, 100000, 3, ""},
};

}  // namespace

std::span<const TInputRow> InputRows() { return gInputs; }

const TInputRow& InputRow(Input id) { return gInputs[static_cast<int>(id)]; }

const TInputRow* InputRowByObject(const char* objectName)
{
    for (const TInputRow& s : gInputs)
        if (std::strcmp(s.objectName, objectName) == 0) return &s;
    return nullptr;
}

std::span<const TReflForm> ReflForms() { return gReflForms; }

const TReflForm& ReflForm(int representation)
{
    return gReflForms[representation == 1 || representation == 2 ? representation : 0];
}

TInputRow& InputRowForTest(Input id) { return gInputs[static_cast<int>(id)]; }

TReflForm& ReflFormForTest(int representation) { return gReflForms[representation == 1 || representation == 2 ? representation : 0]; }

}  // namespace merivane::present
