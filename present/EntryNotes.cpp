#include "EntryNotes.h"

#include "NumberText.h"

#include <cmath>
#include <optional>

namespace merivane::present {

namespace {

struct TRule {
    double lo, hi;
    const char* unit;  // appended to a number: " V", "°"
    bool spinner;
    int spinnerMin, spinnerMax;
};

TRule RuleOf(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Volts: return {0, 100000, " V", false, 0, 0};
    case EntryKind::Amperes: return {0, 1000, " A", false, 0, 0};
    case EntryKind::Percent: return {0, 100, " %", true, 0, 100};
    case EntryKind::Degrees: return {-180, 180, "°", true, -180, 180};
    case EntryKind::Decibels: return {0, 160, " dB", true, 0, 100};
    }
    return {0, 0, "", false, 0, 0};
}

// The typed text as the note quotes it: control characters as blanks, and a
// long text cut.
std::string Quoted(const std::string& typed)
{
    std::string t;
    for (char c : typed) t += static_cast<unsigned char>(c) < 32 ? ' ' : c;
    if (t.size() > 24) {
        t.resize(24);
        while (!t.empty() && (static_cast<unsigned char>(t.back()) & 0xC0) == 0x80) t.pop_back();  // no split character
        if (!t.empty() && static_cast<unsigned char>(t.back()) >= 0xC0) t.pop_back();
        t += "…";
    }
    return "“" + t + "”";
}

std::string Number(EntryKind kind, double v)
{
    return kind == EntryKind::Volts ? IntToText(static_cast<int>(v)) : FormatReal3(v);
}

// What the text holds as a number in the field's unit, before any limit.
// Throws EOverflow for a number beyond the double range.
std::optional<double> Reading(EntryKind kind, const std::string& typed, bool& scaled)
{
    scaled = false;
    if (kind == EntryKind::Volts) {
        const std::optional<int> v = IntFromText(typed);
        return v ? std::optional<double>(*v) : std::nullopt;
    }
    if (kind == EntryKind::Amperes) {
        std::string number = typed;
        const int exponent = TakeCurrentPrefix(number);
        const std::optional<double> v = RealFromText(number);
        if (!v) return std::nullopt;
        scaled = exponent != 0;
        return ScaleByPrefix(*v, exponent);
    }
    return RealFromText(typed);
}

}  // namespace

std::string EntryNote(EntryKind kind, const std::string& typed, double inForce, const std::string& shown)
{
    const TRule rule = RuleOf(kind);
    bool scaled = false;
    std::optional<double> read;
    try {
        read = Reading(kind, typed, scaled);
    } catch (const EOverflow&) {
        return std::string();  // the cycle stopped with its own message; nothing was read
    }
    std::string note;
    if (!read) {
        note = Quoted(typed) + (kind == EntryKind::Volts ? " is not a whole number of volts: " : " is not a number: ") +
               Number(kind, inForce) + rule.unit + " kept.";
    } else if (*read < rule.lo) {
        note = Quoted(typed) + " is below " + Number(kind, rule.lo) + rule.unit + ": " + Number(kind, rule.lo) + rule.unit +
               " in force.";
    } else if (*read > rule.hi) {
        note = Quoted(typed) + " is above " + Number(kind, rule.hi) + rule.unit + ": " + Number(kind, rule.hi) + rule.unit +
               " in force.";
    } else if (scaled) {
        note = Quoted(typed) + " was read as " + Number(kind, inForce) + rule.unit + ".";
    }

    // The spinner writes its position over the value when synchronising moved it.
    const std::string value = Number(kind, inForce);
    if (rule.spinner && shown != value) {
        const bool beyond = inForce > rule.spinnerMax || inForce < rule.spinnerMin;
        const std::string spinner = beyond ? "the spinner stops at " + shown + ", the value the next cycle takes."
                                           : "the spinner shows its step, " + shown + ", for the next cycle.";
        if (note.empty())
            note = value + " was computed; " + spinner;
        else
            note = note.substr(0, note.size() - 1) + "; " + spinner;
    }
    return note;
}

std::string ReflectionNote(int representation, const std::string& typed, const TRefl& inForce)
{
    struct {
        double lo, hi;
        std::string loText, hiText, kept;
    } r;
    switch (representation) {
    case 1: r = {-160, 0, "-160 dB", "0 dB", FormatReal(inForce.Rloss, 2) + " dB"}; break;
    case 2: r = {1, 100000, "1", "100000", "SWR " + FormatReal3(inForce.Swr)}; break;
    default: r = {0, 1, "0", "1", "magnitude " + FormatReal3(inForce.Mag)}; break;
    }
    std::optional<double> read;
    try {
        read = RealFromText(typed);
    } catch (const EOverflow&) {
        return std::string();  // the cycle has reported it
    }
    if (!read) return Quoted(typed) + " is not a number: " + r.kept + " kept.";
    const double v = *read;
    if (v >= r.lo && v <= r.hi) return std::string();
    std::string note = Quoted(typed) + (v < r.lo ? " is below " + r.loText : " is above " + r.hiText) + ": " + r.kept + " kept.";
    // a number that would be right in another representation
    if (representation != 1 && v >= -160 && v <= 0)
        note += " For dB, choose dB in the list first.";
    else if (representation != 2 && v > 1 && v <= 100000)
        note += " For an SWR, choose SWR in the list first.";
    else if (representation != 0 && representation != -1 && v >= 0 && v <= 1)
        note += " For a magnitude, choose Mag in the list first.";
    return note;
}

std::string RangeNote(const std::string& typed, double inForce, double lo, double hi, const std::string& unit)
{
    // whole limits in full ("100000", where the field writes 1E+5)
    const auto number = [&unit](double v) {
        const bool whole = v == std::nearbyint(v) && std::fabs(v) < 1e9;
        return (whole ? IntToText(static_cast<int>(v)) : FormatReal(v, 6)) + unit;
    };
    std::optional<double> read;
    try {
        read = RealFromText(typed);
    } catch (const EOverflow&) {
        return std::string();  // reported with its own message
    }
    if (!read) return Quoted(typed) + " is not a number: " + number(inForce) + " kept.";
    if (*read < lo) return Quoted(typed) + " is below " + number(lo) + ": " + number(lo) + " in force.";
    if (*read > hi) return Quoted(typed) + " is above " + number(hi) + ": " + number(hi) + " in force.";
    return std::string();
}

}  // namespace merivane::present
