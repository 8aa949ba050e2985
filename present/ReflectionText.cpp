// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReflectionText.h"

#include "EntryReader.h"

#include <cctype>
#include <limits>

namespace merivane::present {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// At most 40 characters of what was typed, then "…", as merivane-calc quotes.
std::string Quoted(std::string_view text) { return "\"" + ShortText(text, 40) + "\""; }

std::string Range(double lo, double hi) { return LimitText(lo) + " .. " + LimitText(hi); }

TInputReading Failure(std::string_view text, const std::string& what)
{
    TInputReading r;
    r.ok = false;
    r.error = Quoted(text) + ": " + what;
    return r;
}

// The reader's rules with the message quoting whole, the text the user wrote.
TInputReading ReadNumber(Input id, std::string_view text, std::string_view whole, std::string_view what, double& value)
{
    const TInputRow& inputRow = InputRow(id);
    const TReading reading = ReadEntry(inputRow, text, kNaN);
    if (reading.outcome == Outcome::NotANumber)
        return Failure(whole, std::string(what) + (inputRow.forms & kWhole ? "not a whole number" : "not a number"));
    TInputReading r;
    if ((reading.outcome == Outcome::Below || reading.outcome == Outcome::Above) && !reading.kept) {
        r.warning = Quoted(whole) + ": " + std::string(what) + "outside " + Range(inputRow.lo, inputRow.hi) + ", clamped to " +
                    LimitText(reading.value);
    }
    if (reading.kept) {
        r.ok = false;
        r.error = Quoted(whole) + ": " + std::string(what) + "outside " + Range(inputRow.lo, inputRow.hi);
        return r;
    }
    value = reading.value;
    return r;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}

}  // namespace

TInputReading ReadInputNumber(Input id, std::string_view text, double& value, std::string_view what,
                              std::string_view whole)
{
    return ReadNumber(id, text, whole.empty() ? text : whole, what, value);
}

TInputReading ReadReflectionInput(std::string_view text, Input magnitudeId, Input phaseId, TRefl& refl, int& form)
{
    std::string_view magnitude = text;
    std::string_view phase;
    bool hasPhase = false;
    if (const auto at = text.rfind('@'); at != std::string_view::npos) {
        magnitude = text.substr(0, at);
        phase = text.substr(at + 1);
        hasPhase = true;
    }
    int f = 0;
    for (int i = 0; i < static_cast<int>(ReflForms().size()); ++i) {
        const std::string_view prefix = ReflForm(i).prefix;
        if (StartsWithNoCase(magnitude, prefix)) {
            f = i;
            magnitude.remove_prefix(prefix.size());
            break;
        }
    }
    const TReading m = ReadEntry(InputRow(magnitudeId), magnitude, kNaN, f);
    if (m.outcome == Outcome::NotANumber) return Failure(text, "the magnitude " + Quoted(magnitude) + " is not a number");
    if (m.kept) {
        const TReflForm& rf = ReflForm(f);
        const char* what = f == 1 ? "return loss" : f == 2 ? "SWR" : "magnitude";
        return Failure(text, std::string(what) + " outside " + Range(rf.lo, rf.hi) + rf.unit);
    }
    TRefl r = refl;
    SetReflMagnitude(r, f, m.value);
    TInputReading result;
    if (hasPhase) {
        double p = 0;
        result = ReadNumber(phaseId, phase, text, "phase ", p);
        if (!result.ok) {
            result.error = Quoted(text) + ": the phase " + Quoted(phase) + " is not a number";
            return result;
        }
        r.Pha = p;
    }
    refl = r;
    form = f;
    return result;
}

std::string ReflectionInputText(const TRefl& refl, int form, Input magnitudeId, Input phaseId)
{
    // The list's form first; but a reflection typed in another form and only
    // shown in this one is written in the form it was typed in, the one
    // whose text reads back to the same magnitude, return loss and SWR.
    const int listForm = form == 1 || form == 2 ? form : 0;
    std::string first;
    for (const int f : {listForm, 0, 1, 2}) {
        std::string s = f == 0 ? std::string() : std::string(ReflForm(f).prefix);
        s += EntryText(InputRow(magnitudeId), ReflValue(refl, f), f);
        s += '@';
        s += EntryText(InputRow(phaseId), refl.Pha);
        if (first.empty()) first = s;
        TRefl back = refl;
        int readForm = 0;
        if (ReadReflectionInput(s, magnitudeId, phaseId, back, readForm).ok && back.Mag == refl.Mag &&
            back.Rloss == refl.Rloss && back.Swr == refl.Swr && back.Pha == refl.Pha)
            return s;
    }
    return first;
}

}  // namespace merivane::present
