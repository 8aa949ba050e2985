// SPDX-License-Identifier: GPL-3.0-or-later
// Every numeric input of the program, each written once: the eight fields of
// the main window, the fields of the Line Sweep page, the guide's, the
// magnetron's and the measurement's numbers, the tuner's and a measured
// load's. A row holds the field's name and caption, its unit, its limits,
// its default, the forms its text may take, what happens beyond the limits,
// its settings key, its section and key in the case file and its option of
// merivane-calc. The window, merivane-calc, the case file, the settings
// loader, the notes on entries and the tooltips all read this table.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace merivane::present {

enum class Input {
    AnodeV, AnodeI, Effic, SrcMag, SrcPha, LoaMag, LoaPha, Dire,  // the main window, in the order a cycle reads them
    SwFreq, SwWidth, SwVf, SwLength, SwSpan,                      // the Line Sweep page
    LossDbPerM, BreakdownKvPerM, HeightMm,                        // the guide, as GuideInput
    Pulling, Qext, Isolation, DummyRating,                        // the magnetron, as TubeInput
    Coupling, Sensor, Trip, WaterFlow, WaterRise,                 // the measurement
    TunerSpacing, TunerSolution, ScrewDepthMm, ScrewSusceptance,  // the tuner
    PlaneShiftMm, BandHalfMHz,                                    // a measured load
    FeedPowerW, FeedFrequencyMHz, FeedIsolationDb, FeedDummyRatingW,  // an applicator's feed, a column of its list
};
inline constexpr int kMainInputCount = 8;
inline constexpr int kWindowInputCount = 13;  // the main window's and the Line Sweep page's fields
inline constexpr Input kFirstGuideInput = Input::LossDbPerM;
inline constexpr Input kFirstTubeInput = Input::Pulling;

// The forms a field's text may take, besides a plain decimal number.
enum InputForm : unsigned {
    kWhole = 1u << 0,       // whole numbers only: decimal, or hexadecimal after "$" or "0x"
    kKiloVolts = 1u << 1,   // "4 kV", "4.5kV": thousands of volts
    kAmpPrefix = 1u << 2,   // "300 mA", "0.5 kA"
    kWraps = 1u << 3,       // periodic: reduced by whole turns into lo .. hi
    kReflection = 1u << 4,  // a magnitude in one of the representations of ReflForms()
    kMegahertz = 1u << 5,   // "2.45 GHz", "915 MHz", "500 kHz": a frequency in MHz
    kWattPrefix = 1u << 6,  // "3 kW", "1.2 MW", "500 mW": a power in W
};

// What a number beyond the limits does.
enum class Beyond {
    Clamp,  // the nearer limit is taken
    Keep,   // the value in force stays (a reflection magnitude)
};

// The spinner bound to a field; objectName is null for a field without one.
struct TSpinnerRow {
    const char* objectName;  // "udEff"
    int min, max, step;
    bool wrap;
    int position;  // the layout's position, also the settings default
};

struct TInputRow {
    Input id;
    const char* objectName;  // "edAnodeV"
    const char* name;        // the accessible name: "Anode V"
    const char* caption;     // what the window writes beside it, UTF-8
    const char* unit;        // as it follows a number in a note: " V", "°", ""
    double lo, hi;           // limits, ends included; for a reflection see ReflForms()
    double def;              // default, in the field's unit
    unsigned forms;          // InputForm flags
    Beyond beyond;
    int decimals;            // FormatReal's decimals for the written-back text; 0 writes a whole number
    double scale;            // the field shows the stored value times this (percent for the efficiency)
    const char* settingsKey; // "edAnodeV", "udEff" or "Frequency"; null when no key holds it
    const char* option;      // merivane-calc's option: "va"; null for none
    TSpinnerRow spinner;
    const char* section;     // the case file's section: "inputs", "line", "guide", ...
    const char* key;         // the key in that section: "va"; null when the row has none of its own
    double step;             // a spinner's step, where a view shows one
    const char* help;        // a line of help where there is one; null otherwise
};

// A representation of a reflection magnitude, by the index of its list item.
struct TReflForm {
    const char* item;    // "Mag", "dB", "SWR"
    const char* prefix;  // how merivane-calc names it: "mag:", "db:", "swr:"
    double lo, hi;
    int decimals;        // for the written-back text
    const char* unit;    // as it follows a number: "", " dB", ""
};

std::span<const TInputRow> InputRows();
const TInputRow& InputRow(Input id);
// The row of a field by its control's name; null for none.
const TInputRow* InputRowByObject(const char* objectName);
// The row of a case file's key in its section; null for none.
const TInputRow* InputRowByKey(std::string_view section, std::string_view key);
// The rows of a section, in the table's order.
std::vector<const TInputRow*> SectionRows(std::string_view section);
// 0 Mag, 1 dB, 2 SWR; any other index reads as Mag.
std::span<const TReflForm> ReflForms();
const TReflForm& ReflForm(int representation);

// The custom waveguide's height by default: WR340's, beside the custom width's default 86.36.
inline constexpr double kDefaultCustomHeightMm = 43.18;

// A return loss typed as a positive number is read as its negative up to this.
inline constexpr double kReturnLossMax = 160.0;

// For tests that change a limit and see the change everywhere. The program
// itself never changes the table.
TInputRow& InputRowForTest(Input id);
TReflForm& ReflFormForTest(int representation);

}  // namespace merivane::present
