// What the presentation rules take besides the model, and what they give: the
// display choices of the window, and the texts of one result cell.
#pragma once

#include <cstddef>
#include <string>

namespace merivane::present {

// The power unit, from the "Power Unit" radio group. None when no button is
// selected: powers then read as in Watts, but the Power Meas error cells take
// the dB form, as for every unit other than Watts.
enum class PowerUnit { None, Watts, Dbm, DbW, DbkW };

// The display choices that live in the window's controls. The factor and the
// measurement unit live in the model (SelUnit, SelErrUnit).
struct TDisplay {
    PowerUnit power = PowerUnit::Watts;
    int srcMism = 0;  // source mismatch: 0 Mag, 1 dB, 2 %; -1 none selected
    int loaMism = 0;  // load mismatch, the same
    int meaRfl = 0;   // measured reflection: 0 Mag, 1 dB, 2 SWR; -1 none selected
    // The forms the two reflections are entered in (cbSrcRfl, cbLoaRfl): 0
    // Mag, 1 dB, 2 SWR; -1 none selected, read as Mag.
    int srcRfl = 0;
    int loaRfl = 0;
    bool operator==(const TDisplay&) const = default;
};

// The unit captions a result cell can show.
enum class Unit { None, W, kW, dBm, dBW, dBkW, Percent, dB };

// The names of the display choices, each written once: a choice's index (its
// list item or button), its caption in the window and its name in the case
// file. Every list, button caption, cell unit and case file reads these.
struct TChoiceNames {
    int index;
    const char* caption;  // "dBm", "Mag"
    const char* key;      // in the case file: "dBm", "mag"
};
// The power units in the window's order: Watts, dBm, dBW, dBkW.
inline constexpr TChoiceNames kPowerUnitNames[] = {{static_cast<int>(PowerUnit::Watts), "W", "W"},
                                                   {static_cast<int>(PowerUnit::Dbm), "dBm", "dBm"},
                                                   {static_cast<int>(PowerUnit::DbW), "dBW", "dBW"},
                                                   {static_cast<int>(PowerUnit::DbkW), "dBkW", "dBkW"}};
// The factors of the Transmission page, and the Power Meas page's unit.
inline constexpr TChoiceNames kFactorUnitNames[] = {{0, "Mag", "mag"}, {1, "%", "%"}, {2, "dB", "dB"}};
inline constexpr TChoiceNames kMeasUnitNames[] = {{0, "Power", "power"}, {1, "%", "%"}, {2, "dB", "dB"}};
// The representations of a reflection magnitude (entered, and the Load Meas
// list), and of a mismatch.
inline constexpr TChoiceNames kReflFormNames[] = {{0, "Mag", "mag"}, {1, "dB", "dB"}, {2, "SWR", "SWR"}};
inline constexpr TChoiceNames kMismatchFormNames[] = {{0, "Mag", "mag"}, {1, "dB", "dB"}, {2, "%", "%"}};
// What the case file writes when no item or button is selected.
inline constexpr const char* kNoChoiceKey = "none";

// The caption of a choice's index; the first one's for an index of none.
template <std::size_t N>
constexpr const char* ChoiceCaption(const TChoiceNames (&names)[N], int index)
{
    for (const TChoiceNames& n : names)
        if (n.index == index) return n.caption;
    return names[0].caption;
}

// "W", "kW", "dBm", "dBW", "dBkW", "%", "dB"; empty for None.
inline const char* UnitCaption(Unit u)
{
    switch (u) {
    case Unit::W: return ChoiceCaption(kPowerUnitNames, static_cast<int>(PowerUnit::Watts));
    case Unit::kW: return "kW";
    case Unit::dBm: return ChoiceCaption(kPowerUnitNames, static_cast<int>(PowerUnit::Dbm));
    case Unit::dBW: return ChoiceCaption(kPowerUnitNames, static_cast<int>(PowerUnit::DbW));
    case Unit::dBkW: return ChoiceCaption(kPowerUnitNames, static_cast<int>(PowerUnit::DbkW));
    case Unit::Percent: return ChoiceCaption(kFactorUnitNames, 1);
    case Unit::dB: return ChoiceCaption(kFactorUnitNames, 2);
    case Unit::None: break;
    }
    return "";
}

enum class CellColour {
    Unchanged,
    White,       // a cell that shows a value
    ButtonFace,  // a Load Meas error cell outside Mag: grey and empty
};

// One result cell as the window shows it.
struct TCell {
    std::string text;          // the value label
    Unit unit = Unit::None;    // the unit caption, when writesUnit
    bool writesUnit = false;   // false: the unit label keeps its caption
    int unitLeft = -1;         // the unit label's new left edge; -1 leaves it where it is
    CellColour colour = CellColour::Unchanged;

    std::string Caption() const { return writesUnit ? UnitCaption(unit) : ""; }
    // "10.1 kW": the value with its unit, as one text.
    std::string WithUnit() const
    {
        return unit == Unit::None || !writesUnit ? text : text + " " + UnitCaption(unit);
    }
};

}  // namespace merivane::present
