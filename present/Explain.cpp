#include "Explain.h"

#include "EntryReader.h"
#include "InputRows.h"

#include <algorithm>
#include <string>
#include <vector>

namespace merivane::present {

namespace {

// The texts are UTF-8. A tooltip line break is "\n".
const TControlTip kTips[] = {
    // Magnetron DC Input
    {"edAnodeV", "Anode voltage of the magnetron.\nWhole volts, {range} (hexadecimal after $ or 0x); “4 kV” or “4.5kV” in kilovolts."},
    {"edAnodeI", "Anode current of the magnetron in amperes, {range}.\n“300 mA” or “0.5 kA” is converted to amperes."},
    {"edEffic", "Efficiency of the magnetron in percent, {range}: the share of the DC input Va·Ia\n"
                "it delivers into a matched load. The spinner steps by 1 and wraps."},
    // reflections
    {"edSrcMag", "Source (magnetron side) reflection coefficient |Γs|, in the form chosen beside it.\n"
                 "{refl}"},
    {"edSrcPha", "Phase of the source reflection coefficient in degrees, {range}; other angles wrap by\nwhole turns (270 is −90). "
                 "Only the sum of the two phases matters. The spinner steps by 5 and wraps."},
    {"edLoaMag", "Load reflection coefficient |Γl|, in the form chosen beside it.\n"
                 "{refl}"},
    {"edLoaPha", "Phase of the load reflection coefficient in degrees, {range}; other angles wrap by\nwhole turns (270 is −90). "
                 "Only the sum of the two phases matters. The spinner steps by 5 and wraps."},
    {"cbSrcRfl", "How the source magnitude is entered and shown: Mag (|Γ|), dB (20·log10 |Γ|, 0 or negative)\n"
                 "or SWR ((1 + |Γ|)/(1 − |Γ|)). Changing it rewrites the field and converts nothing."},
    {"cbLoaRfl", "How the load magnitude is entered and shown: Mag (|Γ|), dB (20·log10 |Γ|, 0 or negative)\n"
                 "or SWR ((1 + |Γ|)/(1 − |Γ|)). Changing it rewrites the field and converts nothing."},
    {"cbSrcMism", "How the source mismatch factor is shown: Mag, dB (10·log10) or %."},
    {"cbLoaMism", "How the load mismatch factor is shown: Mag, dB (10·log10) or %."},
    {"lbSrcMism1", "Source mismatch factor 1 − |Γs|²: the share of a wave that the magnetron does not reflect."},
    {"lbLoaMism1", "Load mismatch factor 1 − |Γl|²: the share of the incident power that the load absorbs."},
    // couplers
    {"chIdeal", "Ideal couplers: no leakage between the forward and the reflected wave (infinite directivity).\n"
                "Untick it to give the couplers a directivity."},
    {"edDire", "Directivity of the two directional couplers in dB, {range}: 20 dB lets 0.1 of the\n"
               "opposite wave's amplitude leak into a reading. The spinner stops at 0 and 100."},
    // output
    {"lbPmatch1", "Power to match Pmatch = Va·Ia·η: the power the magnetron delivers into a matched load."},
    {"lbAvailPow1", "Available power Pav = Pmatch/(1 − |Γs|²): the most the magnetron can deliver,\n"
                    "into a load matched to its own reflection."},
    // power unit
    {"gbPunit", "Unit of every power: Watts (kW from 1000 W), dBm, dBW or dBkW\n"
                "(decibels relative to 1 mW, 1 W and 1 kW). Choosing one recomputes."},
    {"rbWatt", "Powers in watts, switching to kilowatts from 1000 W."},
    {"rbDbm", "Powers in dBm: 10·log10 of the power relative to 1 mW."},
    {"rbDbW", "Powers in dBW: 10·log10 of the power relative to 1 W."},
    {"rbDbkW", "Powers in dBkW: 10·log10 of the power relative to 1 kW."},
    // Transmission page
    {"gbTransUnit", "Unit of the interference factor and the transducer gain: Mag (a ratio), % or dB (10·log10)."},
    {"rbMagTr", "Interference factor and transducer gain as plain ratios."},
    {"rbPercTr", "Interference factor and transducer gain in percent."},
    {"rbDbTr", "Interference factor and transducer gain in dB (10·log10)."},
    {"lbInterf1", "Interference factor 1/|1 − Γs·Γl|²: how multiple reflections between magnetron and load\n"
                  "raise or lower the incident power. Min and Max are over all line phases."},
    {"lbTrGain1", "Transducer gain (1 − |Γs|²)(1 − |Γl|²)/|1 − Γs·Γl|²: the share of the available power\n"
                  "that the load absorbs. Min and Max are over all line phases."},
    {"lbPinc1", "Incident power Pinc = Pmatch/|1 − Γs·Γl|²: the power travelling towards the load.\n"
                "Min and Max are over all line phases."},
    {"lbPrefl1", "Reflected power Prefl = Pinc·|Γl|²: the power the load sends back towards the magnetron."},
    {"lbPload1", "Absorbed power Pload = Pinc − Prefl = Pav·transducer gain: the power that heats the load."},
    {"Label38", "At the phases entered."},
    {"Label27", "The lowest over all line phases, reached when the two phases add up to 180°."},
    {"Label28", "The highest over all line phases, reached when the two phases add up to 0°."},
    // Power Meas page
    {"gbErrUnit", "Unit of this page: Power shows readings in the power unit, errors as reading − true value;\n"
                  "% shows readings relative to the true value (errors from 100 %); dB shows that ratio in dB."},
    {"rbPower", "Readings and errors as powers, in the power unit."},
    {"rbPerc", "Readings relative to the true value in percent; errors as the difference from 100 %."},
    {"rbDb", "Readings relative to the true value in dB (10·log10 of reading/true value)."},
    {"lbPinc3", "Incident power as the forward coupler reads it: Pinc·(1 ∓ D·|Γl|)² at the extremes,\n"
                "with the leak amplitude D = 10^(−directivity/20)."},
    {"lbPrefl3", "Reflected power as the reverse coupler reads it: Pinc·(|Γl| ∓ D)² at the extremes."},
    {"lbPload3", "Absorbed power derived from the two readings: lowest incident − highest reflected,\n"
                 "and highest incident − lowest reflected."},
    {"Label22", "The true value, as the Transmission page gives it at the phases entered."},
    {"Label23", "The lowest reading the coupler can give, whatever the phase of its leak."},
    {"Label24", "The highest reading the coupler can give, whatever the phase of its leak."},
    {"Label25", "The error of the lowest reading: reading − true value, in the page's unit."},
    {"Label26", "The error of the highest reading: reading − true value, in the page's unit."},
    // Load Meas page
    {"Label32", "Load reflection magnitude |Γl| as the two couplers would report it:\n"
                "from | |Γl| − D | / (1 + D·|Γl|) to (|Γl| + D) / (1 − D·|Γl|), D the leak amplitude."},
    {"cbMeaRfl", "How the measured load reflection is shown: Mag (|Γ|), dB (20·log10 |Γ|) or SWR.\n"
                 "The error columns are filled in Mag only."},
    {"Label6", "The true load reflection, as entered."},
    {"Label11", "The lowest magnitude the couplers can report."},
    {"Label29", "The highest magnitude the couplers can report; above 1 when the leak is large."},
    {"Label30", "Lowest reported − true magnitude, in percentage points of |Γl| (Mag only)."},
    {"Label31", "Highest reported − true magnitude, in percentage points of |Γl| (Mag only)."},
    // Line Sweep page: inputs
    {"edSwFreq", "Operating frequency of the magnetron in MHz, {range} (915 or 2450 for heating);\n"
                 "“2.45 GHz” is read as 2450 MHz. It sets the wavelength in the line."},
    {"cbSwLine", "The line between magnetron and load: a TE10 rectangular waveguide (WR284, WR340, WR430,\n"
                 "WR975 or one of a custom width) or a coaxial (TEM) line with its velocity factor."},
    {"edSwWidth", "Broad-wall width a of the custom waveguide in mm, {range}; its TE10 cut-off is c/(2a).\n"
                  "For a preset it shows the preset's width."},
    {"edSwVf", "Velocity factor vf of the coaxial line, {range}: its wavelength is vf·λ0."},
    {"edSwLength", "Length L of the line between the two reference planes in metres, {range}.\n"
                   "With the frequency span it gives the phase spread of frequency pulling."},
    {"edSwSpan", "How far the magnetron pulls its frequency, ± MHz, {range} (tens of MHz are usual)."},
    // Line Sweep page: readouts
    {"paSwGuide", "Guide wavelength λg = λ0/√(1 − (λ0/2a)²) of the TE10 wave; vf·λ0 on a coaxial line."},
    {"paSwPeriod", "The added length over which the interference repeats: λg/2."},
    {"paSwAddMax", "The shortest added length that turns the phase of Γs·Γl to 0°: the most absorbed power."},
    {"paSwAddMin", "The shortest added length that turns the phase of Γs·Γl to 180°: the least absorbed power."},
    {"paSwSpread", "Spread 720°·L·|1/λg(f + Δf) − 1/λg(f − Δf)| of the round-trip phase over the span;\n"
                   "from 360° on the phase is effectively random."},
    {"paSwMean", "Mean absorbed power for a round-trip phase that is uniformly random:\n"
                 "Pav·(1 − |Γs|²)(1 − |Γl|²)/(1 − |Γs|²·|Γl|²)."},
    {"paSwDeviation", "Standard deviation of the absorbed power for a uniformly random round-trip phase (exact)."},
    {"paSwInterval", "The 2.5 % and 97.5 % points of the absorbed power for a uniformly random round-trip phase."},
};

// Each result cell shares the tooltip of its row's caption.
struct TRowCaption {
    Region region;
    int row;
    const char* label;
};

const TRowCaption kRowCaptions[] = {
    {Region::MagnetronOutput, 0, "lbPmatch1"}, {Region::MagnetronOutput, 1, "lbAvailPow1"},
    {Region::SourceReflection, 0, "lbSrcMism1"}, {Region::LoadReflection, 0, "lbLoaMism1"},
    {Region::Transmission, 0, "lbInterf1"},   {Region::Transmission, 1, "lbTrGain1"},
    {Region::Transmission, 2, "lbPinc1"},     {Region::Transmission, 3, "lbPrefl1"},
    {Region::Transmission, 4, "lbPload1"},    {Region::PowerMeas, 0, "lbPinc3"},
    {Region::PowerMeas, 1, "lbPrefl3"},       {Region::PowerMeas, 2, "lbPload3"},
    {Region::LoadMeas, 0, "Label32"},
};

// The groups and pages of the window, and their sections in the help document.
struct TTopic {
    const char* container;
    const char* anchor;
};

const TTopic kTopics[] = {
    {"gbMgInput", "magnetron-input"},  {"gbSrcRho", "source-reflection"}, {"GroupBox4", "load-reflection"},
    {"gbMgOutput", "magnetron-output"}, {"gbCpl", "couplers"},             {"gbPunit", "power-unit"},
    {"tsTransm", "transmission"},      {"tsMeas", "power-meas"},          {"TabSheet1", "load-meas"},
    {"tsSweep", "line-sweep"},         {"SweepWindow", "line-sweep"},
};

}  // namespace

namespace {

// A limit in running text, with a minus sign.
std::string Limit(double v)
{
    const std::string t = LimitText(v);
    return !t.empty() && t[0] == '-' ? "\u2212" + t.substr(1) : t;
}

// The limits come from the input table: "{range}" is the control's own,
// "{refl}" those of a reflection in its three representations.
std::string Expand(std::string text, std::string_view control)
{
    const std::string name(control);
    if (const auto at = text.find("{range}"); at != std::string::npos) {
        const TInputRow* inputRow = InputRowByObject(name.c_str());
        text.replace(at, 7, inputRow ? Limit(inputRow->lo) + " to " + Limit(inputRow->hi) : std::string());
    }
    if (const auto at = text.find("{refl}"); at != std::string::npos) {
        const TReflForm &mag = ReflForm(0), &db = ReflForm(1), &swr = ReflForm(2);
        text.replace(at, 6,
                     "Magnitude " + Limit(mag.lo) + " to " + Limit(mag.hi) + "; in dB " + Limit(db.lo) + " to " + Limit(db.hi) +
                         ", a positive number read as a return loss (20 is −20 dB, 0.1);\nin SWR " + Limit(swr.lo) + " to " +
                         Limit(swr.hi) + ".");
    }
    return text;
}

}  // namespace

std::span<const TControlTip> ControlTips()
{
    // expanded again whenever a limit in the table changed (in tests), so
    // that the texts always show the table's limits
    static std::vector<std::string> texts;
    static std::vector<TControlTip> tips;
    static std::vector<double> limits;
    std::vector<double> now;
    for (const TInputRow& inputRow : InputRows()) now.insert(now.end(), {inputRow.lo, inputRow.hi});
    for (const TReflForm& f : ReflForms()) now.insert(now.end(), {f.lo, f.hi});
    if (now == limits && !tips.empty()) return tips;
    limits = now;
    texts.clear();
    tips.clear();
    for (const TControlTip& t : kTips) texts.push_back(Expand(t.tooltip, t.control));
    for (std::size_t i = 0; i < std::size(kTips); ++i) tips.push_back({kTips[i].control, texts[i].c_str()});
    return tips;
}

const char* TooltipFor(std::string_view control)
{
    for (const TControlTip& t : ControlTips())
        if (control == t.control) return t.tooltip;
    return nullptr;
}

const char* RowCaptionOf(Region region, int row)
{
    for (const TRowCaption& r : kRowCaptions)
        if (r.region == region && r.row == row) return r.label;
    return nullptr;
}

const char* HelpTopicOf(std::string_view container)
{
    for (const TTopic& t : kTopics)
        if (container == t.container) return t.anchor;
    return nullptr;
}

}  // namespace merivane::present
