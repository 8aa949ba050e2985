// What the presentation rules take besides the model, and what they give: the
// display choices of the window, and the texts of one result cell.
#pragma once

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

// "W", "kW", "dBm", "dBW", "dBkW", "%", "dB"; empty for None.
inline const char* UnitCaption(Unit u)
{
    switch (u) {
    case Unit::W: return "W";
    case Unit::kW: return "kW";
    case Unit::dBm: return "dBm";
    case Unit::dBW: return "dBW";
    case Unit::dBkW: return "dBkW";
    case Unit::Percent: return "%";
    case Unit::dB: return "dB";
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
