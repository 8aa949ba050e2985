// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputRows.h"

#include "Display.h"
#include "GuideLoad.h"

#include <cstring>

namespace merivane::present {

namespace {

constexpr TSpinnerRow kNoSpinner{nullptr, 0, 0, 0, false, 0};

constexpr const char* kInputs = "inputs";
constexpr const char* kLine = "line";
constexpr const char* kGuide = "guide";
constexpr const char* kMagnetron = "magnetron";
constexpr const char* kMeasurement = "measurement";
constexpr const char* kTuner = "tuner";
constexpr const char* kMeasured = "measured";
constexpr const char* kApplicator = "applicator";

// Limits two rows share: a feed of an applicator takes the line's frequency
// and the magnetron's isolator by the same rules as the case's own.
constexpr double kFrequencyLoMHz = 1, kFrequencyHiMHz = 100000, kDefaultFrequencyMHz = 2450;
constexpr double kIsolationHiDb = 100, kDummyRatingHiW = 1e9;
constexpr double kFeedPowerHiW = 1e9;

// A plain number of the case, clamped into its limits, with no control of the
// main window: its control, where a view has one, is named by its key.
constexpr TInputRow CaseNumber(Input id, const char* section, const char* key, const char* option, const char* name,
                               const char* unit, double lo, double hi, double def, int decimals, double step,
                               unsigned forms = 0, const char* help = nullptr)
{
    return TInputRow{id,     key,      name,    name,    unit,       lo,      hi,      def,
                     forms,  Beyond::Clamp,     decimals, 1.0,       nullptr, option,  kNoSpinner,
                     section, key,     step,    help};
}

// Changed only by the tests' hooks below.
TInputRow gInputs[] = {
    // id, control, name, caption, unit, lo, hi, default, forms, beyond, decimals, scale, settings key, option, spinner,
    // case file section, key, step, help
    {Input::AnodeV, "edAnodeV", "Anode V", "Anode V", " V", 0, 100000, 4000, kWhole | kKiloVolts, Beyond::Clamp, 0, 1,
     "edAnodeV", "va", kNoSpinner, kInputs, "va", 0, nullptr},
    {Input::AnodeI, "edAnodeI", "Anode I", "Anode I", " A", 0, 1000, 3, kAmpPrefix, Beyond::Clamp, 3, 1, "edAnodeI", "ia",
     kNoSpinner, kInputs, "ia", 0, nullptr},
    {Input::Effic, "edEffic", "Efficiency", "Efficiency", " %", 0, 100, 85, 0, Beyond::Clamp, 3, 100, "udEff", "eff",
     {"udEff", 0, 100, 1, true, 85}, kInputs, "eff", 1, nullptr},
    {Input::SrcMag, "edSrcMag", "Source Magnitude", "Magnitude", "", 0, 1, 0.2, kReflection, Beyond::Keep, 3, 1, "edSrcMag",
     "source", kNoSpinner, kInputs, "source", 0, nullptr},
    // a phase has no key of its own: it follows its magnitude in the reflection's text
    {Input::SrcPha, "edSrcPha", "Source Phase", "Phase", "°", -180, 180, 0, kWraps, Beyond::Clamp, 3, 1, "udSrcPha", nullptr,
     {"udSrcPha", -180, 180, 5, true, 0}, kInputs, nullptr, 5, nullptr},
    {Input::LoaMag, "edLoaMag", "Load Magnitude", "Magnitude", "", 0, 1, 0.5, kReflection, Beyond::Keep, 3, 1, "edLoaMag",
     "load", kNoSpinner, kInputs, "load", 0, nullptr},
    {Input::LoaPha, "edLoaPha", "Load Phase", "Phase", "°", -180, 180, 90, kWraps, Beyond::Clamp, 3, 1, "udLoaPha", nullptr,
     {"udLoaPha", -180, 180, 5, true, 90}, kInputs, nullptr, 5, nullptr},
    {Input::Dire, "edDire", "Directivity", "Directivity", " dB", 0, 160, 20, 0, Beyond::Clamp, 3, 1, "udDire", "directivity",
     {"udDire", 0, 100, 1, false, 20}, kInputs, "directivity", 1, nullptr},
    {Input::SwFreq, "edSwFreq", "Frequency", "Frequency (MHz)", " MHz", kFrequencyLoMHz, kFrequencyHiMHz,
     kDefaultFrequencyMHz, kMegahertz, Beyond::Clamp, 6, 1,
     "Frequency", "frequency", kNoSpinner, kLine, "frequency", 0, nullptr},
    {Input::SwWidth, "edSwWidth", "Waveguide Width", "Waveguide Width (mm)", " mm", 1, 10000, 86.36, 0, Beyond::Clamp, 6, 1,
     "WaveguideWidth", nullptr, kNoSpinner, kLine, "width", 0, nullptr},
    {Input::SwVf, "edSwVf", "Velocity Factor", "Velocity Factor", "", 0.1, 1, 1, 0, Beyond::Clamp, 6, 1, "VelocityFactor",
     nullptr, kNoSpinner, kLine, "vf", 0, nullptr},
    {Input::SwLength, "edSwLength", "Line Length", "Line Length (m)", " m", 0, 10000, 0, 0, Beyond::Clamp, 6, 1, "LineLength",
     "length", kNoSpinner, kLine, "length", 0, nullptr},
    {Input::SwSpan, "edSwSpan", "Frequency Span", "Frequency Span (\u00b1 MHz)", " MHz", 0, 10000, 0, kMegahertz,
     Beyond::Clamp, 6, 1, "FrequencySpan", "span", kNoSpinner, kLine, "span", 0, nullptr},

    // id, section, key, option, name, unit, lo, hi, default, decimals, step
    CaseNumber(Input::LossDbPerM, kGuide, "loss_db_per_m", "loss", "Line loss", " dB/m", 0, 100, 0, 6, 0),
    // a breakdown field of 1 kV/m .. 1 GV/m; dry air at sea level is about 3 MV/m
    CaseNumber(Input::BreakdownKvPerM, kGuide, "breakdown_kv_per_m", "breakdown", "Breakdown field", " kV/m", 1, 1e6,
               kDefaultBreakdownKvPerM, 3, 0),
    CaseNumber(Input::HeightMm, kGuide, "height_mm", "guide-height", "Waveguide height", " mm", 1, 10000,
               kDefaultCustomHeightMm, 6, 0),

    // Every default of the tube and the measurement is 0, "not set": nothing
    // of them is assumed until the user gives it.
    CaseNumber(Input::Pulling, kMagnetron, "pulling", "pulling", "Pulling Figure", " MHz", 0, 1000, 0, 3, 0.5, 0,
               "The tube's pulling figure from its data sheet: the peak-to-peak change of its frequency\n"
               "while a load of SWR 1.5 goes through all phases. It gives the external Q."),
    CaseNumber(Input::Qext, kMagnetron, "qext", "qext", "External Q", "", 0, 1e6, 0, 3, 1, 0,
               "The tube's external Q. When set, used instead of the pulling figure."),
    CaseNumber(Input::Isolation, kMagnetron, "isolation", "isolator", "Isolation", " dB", 0, kIsolationHiDb, 0, 2, 1, 0,
               "The isolation of the isolator between the tube and the line: the reflected wave reaches\n"
               "the tube weakened by it, the rest goes into the isolator's dummy load."),
    CaseNumber(Input::DummyRating, kMagnetron, "dummy_rating", "dummy-rating", "Dummy Load Rating", " W", 0, kDummyRatingHiW,
               0, 1, 100, kWattPrefix,
               "The power rating of the isolator's dummy load, checked against what it takes now\n"
               "and at the worst phase of the line."),
    CaseNumber(Input::Coupling, kMeasurement, "coupling_uncertainty", "coupling-uncertainty", "Coupling Uncertainty", " %",
               0, 100, 0, 3, 0.1, 0, "The standard uncertainty (k = 1) of each coupler's coupling factor."),
    CaseNumber(Input::Sensor, kMeasurement, "sensor_uncertainty", "sensor-uncertainty", "Sensor Uncertainty", " %", 0, 100,
               0, 3, 0.1, 0, "The standard uncertainty (k = 1) of each power sensor."),
    CaseNumber(Input::Trip, kMeasurement, "trip", "trip", "Trip Ratio", " %", 0, 100, 0, 3, 1, 0,
               "The trip fires when the reverse reading reaches this share of the forward one."),
    CaseNumber(Input::WaterFlow, kMeasurement, "water_flow", "water-flow", "Water Flow", " L/min", 0, 10000, 0, 3, 0.5, 0,
               "The flow of the water load's cooling water. With its rise it gives the power the water\n"
               "takes: density × specific heat × flow × rise."),
    CaseNumber(Input::WaterRise, kMeasurement, "water_rise", "water-rise", "Water Temperature Rise", " K", 0, 100, 0, 3, 0.5,
               0, "The rise of the cooling water's temperature from the water load's inlet to its outlet."),

    // 0 mm is the method's own spacing; the solution counts from 1 as the
    // file and the view show it (a method gives at most two)
    CaseNumber(Input::TunerSpacing, kTuner, "spacing_mm", nullptr, "Stub Spacing", " mm", 0, 10000, 0, 2, 0.5),
    CaseNumber(Input::TunerSolution, kTuner, "solution", nullptr, "Solution", "", 1, 2, 1, 0, 1, kWhole),
    // the rows of a screw's calibration, in "screws" as [depth, susceptance]
    {Input::ScrewDepthMm, "screw_depth", "Screw Depth", "Depth (mm)", " mm", 0, 1000, 0, 0, Beyond::Keep, 6, 1, nullptr,
     nullptr, kNoSpinner, kTuner, nullptr, 0, nullptr},
    {Input::ScrewSusceptance, "screw_susceptance", "Screw Susceptance", "Susceptance b", "", -1e6, 1e6, 0, 0, Beyond::Keep,
     6, 1, nullptr, nullptr, kNoSpinner, kTuner, nullptr, 0, nullptr},

    // a measured load: the length from the analyser's plane to the model's
    // load plane, and the band the Band view shows about the case's frequency
    CaseNumber(Input::PlaneShiftMm, kMeasured, "plane_shift_mm", "plane-shift", "Plane Shift", " mm", -1e6, 1e6, 0, 3, 1,
               0, "The length \u2113 of the case's line from the analyser's reference plane to the model's load\n"
                  "plane, positive toward the magnetron. The file's \u0393 becomes \u0393\u00b7e^(\u2212j4\u03c0\u2113/\u03bbg)\n"
                  "at each frequency, with the line's loss where the case has one."),
    CaseNumber(Input::BandHalfMHz, kMeasured, "band_half_mhz", "band", "Band Half-Width", " MHz", 0, 1e5, 0, 3, 5,
               kMegahertz, "The band shown is the case's frequency \u00b1 this. 0: the magnetron's pulling range\n"
                           "where the case has one, else \u00b150 MHz."),

    // An applicator's feeds: one magnetron on each port. The case file keeps
    // them as the list "feeds" of the section "applicator", a row per column
    // of it (their keys are the section's own); merivane-calc takes each
    // column as one list of numbers apart by commas.
    {Input::FeedPowerW, "feed_power_w", "Feed Power", "Power (W)", " W", 0, kFeedPowerHiW, 0, kWattPrefix, Beyond::Clamp, 3, 1,
     nullptr, "feed-powers", kNoSpinner, kApplicator, nullptr, 100,
     "The power this feed's magnetron sends into its port of the applicator."},
    {Input::FeedFrequencyMHz, "feed_frequency_mhz", "Feed Frequency", "Frequency (MHz)", " MHz", kFrequencyLoMHz,
     kFrequencyHiMHz, kDefaultFrequencyMHz, kMegahertz, Beyond::Clamp, 6, 1, nullptr, "feed-frequencies", kNoSpinner,
     kApplicator, nullptr, 0, "The frequency this feed's magnetron runs at; left empty, the case's frequency."},
    {Input::FeedIsolationDb, "feed_isolation_db", "Feed Isolation", "Isolation (dB)", " dB", 0, kIsolationHiDb, 0, 0,
     Beyond::Clamp, 2, 1, nullptr, "feed-isolations", kNoSpinner, kApplicator, nullptr, 1,
     "The isolation of this feed's isolator: what comes back reaches its tube weakened by it,\n"
     "the rest goes into the isolator's dummy load. 0: no isolator."},
    {Input::FeedDummyRatingW, "feed_dummy_rating_w", "Feed Dummy Load Rating", "Dummy Load Rating (W)", " W", 0,
     kDummyRatingHiW, 0, kWattPrefix, Beyond::Clamp, 1, 1, nullptr, "feed-dummy-ratings", kNoSpinner, kApplicator, nullptr, 100,
     "The power rating of this feed's dummy load. 0: not set."},
};

TReflForm gReflForms[] = {
    {kReflFormNames[0].caption, "mag:", 0, 1, 3, ""},
    {kReflFormNames[1].caption, "db:", -160, 0, 2, " dB"},
    {kReflFormNames[2].caption, "swr:", 1, 100000, 3, ""},
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

const TInputRow* InputRowByKey(std::string_view section, std::string_view key)
{
    for (const TInputRow& s : gInputs)
        if (s.key && s.section == section && s.key == key) return &s;
    return nullptr;
}

std::vector<const TInputRow*> SectionRows(std::string_view section)
{
    std::vector<const TInputRow*> rows;
    for (const TInputRow& s : gInputs)
        if (s.section == section) rows.push_back(&s);
    return rows;
}

std::span<const TReflForm> ReflForms() { return gReflForms; }

const TReflForm& ReflForm(int representation)
{
    return gReflForms[representation == 1 || representation == 2 ? representation : 0];
}

TInputRow& InputRowForTest(Input id) { return gInputs[static_cast<int>(id)]; }

TReflForm& ReflFormForTest(int representation) { return gReflForms[representation == 1 || representation == 2 ? representation : 0]; }

}  // namespace merivane::present
