// Number text: clamping, parsing with limits and fallbacks, display formatting.
// Texts are UTF-8; every character class here is plain ASCII.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace merivane {

// Raised when a typed number lies beyond the double range.
class EOverflow : public std::runtime_error {
public:
    EOverflow() : std::runtime_error("Floating point overflow") {}
};

int ClampInt(int lo, int value, int hi);
double ClampReal(double lo, double value, double hi);
int TruncClamp(double value, double bound);

std::string IntToText(int value);

// ClampMode on: an out-of-range number is clamped to the nearer limit;
// off: it is replaced by the fallback. Limits include their ends.
int ParseInt(const std::string& text, int fallback, int lo, int hi, bool clampMode);
// Throws EOverflow for a number beyond the double range.
double ParseReal(const std::string& text, double fallback, double lo, double hi, bool clampMode);

// The conversions on their own, without limits or fallback: the number the
// text holds, or nothing when it holds none. RealFromText cleans the ends as
// ParseReal does and throws EOverflow as it does.
std::optional<int> IntFromText(const std::string& text);
std::optional<double> RealFromText(const std::string& text);

// A current with an optional unit prefix: a trailing "mA" or "kA" (a space
// before it optional) scales the number by 1/1000 or 1000, and the limits
// clamp the scaled value. Every other text reads as ParseReal with clamping.
// Throws EOverflow as ParseReal does.
double ParseCurrent(const std::string& text, double fallback, double lo, double hi);
// Removes a trailing "mA" or "kA" and returns its power of ten (-3 or 3); 0
// and the text unchanged without one.
int TakeCurrentPrefix(std::string& text);
// The same for any unit letter: a trailing "k" + unit (and "m" + unit when
// milli is allowed): "4.5kV" leaves "4.5" and gives 3.
int TakeUnitPrefix(std::string& text, char unit, bool milli);
// A value in the unit a prefix's power of ten gave, in the plain unit.
double ScaleByPrefix(double value, int exponent);

std::string FormatReal(double x, int decimals);
std::string FormatReal3(double x);

// Trims text, then moves everything before the first separator into head and
// keeps the trimmed rest in text. A tab and a space stand for each other.
void SplitToken(std::string& text, char separator, std::string& head);

}  // namespace merivane
