// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryReader.h"

#include "Conversions.h"
#include "Fields.h"
#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace merivane::present {

namespace {

using ext = long double;
constexpr double kInf = std::numeric_limits<double>::infinity();

// The sign of a number too large for a double: that of the first character
// the real-number cleanup keeps.
double Overflowed(std::string_view text)
{
    for (char c : text) {
        if (c == '-') return -kInf;
        if (c == '+' || c == '.' || (c >= '0' && c <= '9') || c == 'E' || c == 'e') break;
    }
    return kInf;
}

std::optional<double> Real(std::string_view text)
{
    try {
        return RealFromText(std::string(text));
    } catch (const EOverflow&) {
        return Overflowed(text);
    }
}

// What the text holds in the field's unit, before any limit; nothing when it
// holds no number of the field's forms.
std::optional<double> Number(const TInputRow& inputRow, std::string_view text, int& exponent)
{
    exponent = 0;
    if (inputRow.forms & kWhole) {
        if (const std::optional<int> v = IntFromText(std::string(text))) return *v;
        if (!(inputRow.forms & kKiloVolts)) return std::nullopt;
        std::string s(text);
        exponent = TakeUnitPrefix(s, 'V', false);
        if (exponent == 0) return std::nullopt;
        const std::optional<double> v = Real(s);
        if (!v) return std::nullopt;
        const double scaled = ScaleByPrefix(*v, exponent);
        // "4.0005 kV" is no whole number of volts
        if (std::isfinite(scaled) && scaled != std::trunc(scaled)) return std::nullopt;
        return scaled;
    }
    if (inputRow.forms & kMegahertz) {
        // a frequency in GHz or kHz is no frequency in MHz: "2.45 GHz" is 2450
        std::string s(text);
        std::size_t end = s.size();
        while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
        if (end >= 3 && s.compare(end - 2, 2, "Hz") == 0) {
            const char prefix = s[end - 3];
            const int power = prefix == 'G' ? 3 : prefix == 'k' ? -3 : prefix == 'M' ? 0 : 1;
            if (power != 1) {
                s.erase(end - 3);
                const std::optional<double> v = Real(s);
                if (!v) return std::nullopt;
                exponent = power;
                return power == 3 ? *v * 1000 : power == -3 ? *v / 1000 : *v;
            }
        }
    }
    if (inputRow.forms & kWattPrefix) {
        // "3 kW" is 3000 W: a power's prefix is never a decoration to ignore
        std::string s(text);
        std::size_t end = s.size();
        while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
        if (end >= 2 && s[end - 1] == 'W') {
            const char prefix = s[end - 2];
            const int power = prefix == 'M' ? 6 : prefix == 'k' ? 3 : prefix == 'm' ? -3 : 0;
            if (power != 0) {
                s.erase(end - 2);
                const std::optional<double> v = Real(s);
                if (!v) return std::nullopt;
                exponent = power;
                return power == 6 ? *v * 1e6 : power == 3 ? *v * 1000 : *v / 1000;
            }
        }
    }
    if (inputRow.forms & kAmpPrefix) {
        std::string s(text);
        exponent = TakeUnitPrefix(s, 'A', true);
        if (exponent != 0) {
            const std::optional<double> v = Real(s);
            return v ? std::optional<double>(ScaleByPrefix(*v, exponent)) : std::nullopt;
        }
    }
    return Real(text);
}

// A whole turn is the width of the range: 360 degrees for a phase. The
// remainder by fmod is exact, and so is taking one period off it.
double Wrap(double v, double lo, double hi, double& turns)
{
    const double period = hi - lo;
    double r = std::fmod(v, period);
    if (r > hi) r -= period;
    if (r < lo) r += period;
    turns = std::nearbyint((v - r) / period);
    return r;
}

const char* const kCount[] = {"no", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten"};

std::string Turns(double turns)
{
    const double n = std::fabs(turns);
    std::string count = n <= 10 ? kCount[static_cast<int>(n)] : LimitText(n);
    return count + (n == 1 ? " turn " : " turns ") + (turns > 0 ? "less" : "more");
}

// A minus sign, not a hyphen, in running text.
std::string Signed(const std::string& number)
{
    return !number.empty() && number[0] == '-' ? "\u2212" + number.substr(1) : number;
}

}  // namespace

std::string ShortText(std::string_view text, std::size_t maxChars)
{
    // Counts characters, not bytes: a UTF-8 sequence is one lead byte
    // (not 10xxxxxx) and its continuation bytes (10xxxxxx); the cut falls
    // only before a lead byte, never inside a sequence.
    std::string t;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto u = static_cast<unsigned char>(text[i]);
        if ((u & 0xC0) != 0x80 && chars++ == maxChars) {
            t += "\u2026";
            return t;
        }
        t += u < 32 ? ' ' : text[i];
    }
    return t;
}

std::string QuoteTyped(std::string_view typed, std::size_t max) { return "\u201c" + ShortText(typed, max) + "\u201d"; }

std::string LimitText(double v)
{
    if (v == std::nearbyint(v) && std::fabs(v) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", v);
        return buf;
    }
    return Shortest(v);
}

TReading ReadEntry(const TInputRow& inputRow, std::string_view text, double fallback, int representation)
{
    const bool reflection = inputRow.forms & kReflection;
    const double lo = reflection ? ReflForm(representation).lo : inputRow.lo;
    const double hi = reflection ? ReflForm(representation).hi : inputRow.hi;
    TReading r;
    const std::optional<double> read = Number(inputRow, text, r.exponent);
    if (!read) {
        r.outcome = Outcome::NotANumber;
        r.value = fallback;
        r.kept = true;
        return r;
    }
    double v = *read;
    r.number = v;
    // engineers write a return loss as a positive number: 20 dB is -20 dB
    if (reflection && representation == 1 && v > 0 && v <= kReturnLossMax) {
        v = -v;
        r.outcome = Outcome::ReturnLoss;
    }
    if ((inputRow.forms & kWraps) && std::isfinite(v) && (v < lo || v > hi)) {
        v = Wrap(v, lo, hi, r.turns);
        r.outcome = Outcome::Wrapped;
    }
    if (v < lo || v > hi) {
        r.outcome = v < lo ? Outcome::Below : Outcome::Above;
        if (inputRow.beyond == Beyond::Keep) {
            r.value = fallback;
            r.kept = true;
            return r;
        }
        v = v < lo ? lo : hi;
    }
    r.value = v;
    return r;
}

double ToStored(const TInputRow& inputRow, double fieldValue)
{
    return inputRow.scale == 1 ? fieldValue : static_cast<double>(static_cast<ext>(fieldValue) / inputRow.scale);
}

double ToField(const TInputRow& inputRow, double stored)
{
    return inputRow.scale == 1 ? stored : static_cast<double>(static_cast<ext>(stored) * inputRow.scale);
}

std::string EntryText(const TInputRow& inputRow, double stored, int representation)
{
    const double v = ToField(inputRow, stored);
    if (!std::isfinite(v)) return Shortest(v);
    const auto readsBack = [&](const std::string& t) {
        const TReading r = ReadEntry(inputRow, t, std::numeric_limits<double>::quiet_NaN(), representation);
        return !r.kept && ToStored(inputRow, r.value) == stored;
    };
    const int decimals = inputRow.forms & kReflection ? ReflForm(representation).decimals : inputRow.decimals;
    if (decimals == 0 && v == std::trunc(v) && std::fabs(v) <= 2147483647.0) return IntToText(static_cast<int>(v));
    std::string t = FormatReal(v, decimals > 0 ? decimals : 3);
    if (readsBack(t)) return t;
    // the fewest significant digits that read back
    for (int digits = 1; digits <= 17; ++digits) {
        char buf[64];
        // to_chars: the C locale's point whatever the user's locale
        const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits).ptr;
        t.assign(buf, end);
        if (readsBack(t)) return t;
    }
    return Shortest(v);
}

double RoundedToField(const TInputRow& inputRow, double stored, int representation)
{
    const double v = ToField(inputRow, stored);
    if (!std::isfinite(v) || std::fabs(v) >= 1e15) return stored;
    const int fieldDecimals = inputRow.forms & kReflection ? ReflForm(representation).decimals : inputRow.decimals;
    // a value below 1 keeps four significant digits: 0.0002941 A, not 0
    const int decimals = v == 0 || std::fabs(v) >= 1
                             ? fieldDecimals
                             : std::max(fieldDecimals, 3 - static_cast<int>(std::floor(std::log10(std::fabs(v)))));
    // the decimal digits, correctly rounded, read back as the nearest double
    char buf[400];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    double rounded = v;
    std::from_chars(buf, end, rounded);
    return rounded == 0 ? 0.0 : ToStored(inputRow, rounded);  // no -0
}

TRefl RoundedInForm(const TRefl& r, int representation)
{
    TRefl out = r;
    SetReflMagnitude(out, representation, RoundedToField(InputRow(Input::LoaMag), ReflValue(r, representation), representation));
    return out;
}

void SetReflMagnitude(TRefl& r, int representation, double value)
{
    switch (representation) {
    case 1:
        r.Rloss = value;
        r.Mag = r.Rloss <= -160 ? 0.0 : DbToMag(r.Rloss);
        r.Swr = MagToSwr(r.Mag);
        break;
    case 2:
        r.Swr = value;
        // compared as a double, so that the written-back "9999.999" of a full
        // reflection reads back as a full reflection
        r.Mag = r.Swr >= 9999.999 ? 1.0 : SwrToMag(r.Swr);
        r.Rloss = MagToDb(r.Mag);
        break;
    default:
        r.Mag = value;
        r.Rloss = MagToDb(r.Mag);
        r.Swr = MagToSwr(r.Mag);
        break;
    }
}

double ReflValue(const TRefl& r, int representation)
{
    return representation == 1 ? r.Rloss : representation == 2 ? r.Swr : r.Mag;
}

std::string EntryNote(const TInputRow& inputRow, std::string_view typed, const TReading& reading, int representation)
{
    const bool reflection = inputRow.forms & kReflection;
    const TReflForm& form = ReflForm(representation);
    const std::string unit = reflection ? form.unit : inputRow.unit;
    const std::string quoted = QuoteTyped(typed);
    const std::string inForce = EntryText(inputRow, ToStored(inputRow, reading.value), representation) + unit;
    // what a reflection keeps, named by its representation
    const std::string kept = !reflection              ? inForce
                             : representation == 1    ? inForce
                             : representation == 2    ? "SWR " + inForce
                                                      : "magnitude " + inForce;
    switch (reading.outcome) {
    case Outcome::Taken:
        return reading.exponent != 0 ? quoted + " was read as " + inForce + "." : std::string();
    case Outcome::NotANumber:
        return quoted + (inputRow.forms & kWhole ? " is not a whole number of volts: " : " is not a number: ") + kept + " kept.";
    case Outcome::Wrapped:
        return quoted + " is " + Signed(inForce) + " (" + Turns(reading.turns) + ")";
    case Outcome::ReturnLoss:
        return quoted + " read as a return loss of " + LimitText(reading.number) + " dB";
    case Outcome::Below:
    case Outcome::Above: break;
    }
    const bool below = reading.outcome == Outcome::Below;
    const double lo = reflection ? form.lo : inputRow.lo;
    const double hi = reflection ? form.hi : inputRow.hi;
    const std::string limit = LimitText(below ? lo : hi) + unit;
    if (!reading.kept) return quoted + (below ? " is below " : " is above ") + limit + ": " + limit + " in force.";
    std::string note = quoted + (below ? " is below " : " is above ") + limit + ": " + kept + " kept.";
    // a number that would be right in another representation
    const double v = reading.number;
    if (representation != 1 && v >= -160 && v <= 0)
        note += " For dB, choose dB in the list first.";
    else if (representation != 2 && v > 1 && v <= 100000)
        note += " For an SWR, choose SWR in the list first.";
    else if (representation != 0 && representation != -1 && v >= 0 && v <= 1)
        note += " For a magnitude, choose Mag in the list first.";
    return note;
}

}  // namespace merivane::present
