// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionLine.h"

#include "TextScan.h"

#include <array>
#include <optional>
#include <utility>

namespace merivane::touchstone {

namespace {

constexpr std::string_view kAnyField =
    "a frequency unit (Hz, kHz, MHz, GHz), a parameter (S, Y, Z, H, G), a format (RI, MA, DB) or R";

std::optional<int> UnitExponent(std::string_view word)
{
    static constexpr std::array<std::pair<std::string_view, int>, 4> kUnits{
        {{"HZ", 0}, {"KHZ", 3}, {"MHZ", 6}, {"GHZ", 9}}};
    for (const auto& [name, exponent] : kUnits)
        if (EqualsNoCase(word, name)) return exponent;
    return std::nullopt;
}

std::optional<TFormat> Format(std::string_view word)
{
    if (EqualsNoCase(word, "RI")) return TFormat::RI;
    if (EqualsNoCase(word, "MA")) return TFormat::MA;
    if (EqualsNoCase(word, "DB")) return TFormat::DB;
    return std::nullopt;
}

std::optional<char> Parameter(std::string_view word)
{
    if (word.size() != 1) return std::nullopt;
    const char c = Upper(word)[0];
    if (c == 'S' || c == 'Y' || c == 'Z' || c == 'H' || c == 'G') return c;
    return std::nullopt;
}

void Once(bool& seen, std::string_view field, int line)
{
    if (seen) Refuse(line, "one " + std::string(field) + " was expected on the option line, a second was found");
    seen = true;
}

// The resistances after R: one or more, each above 0 ohms. The word after
// the last is handed back in `word` (empty at the end of the line).
std::vector<double> Resistances(TWords& words, std::string_view& word, int line)
{
    std::vector<double> values;
    word = {};
    while (words.Next(word)) {
        const std::optional<double> r = ParseNumber(word);
        if (!r) break;
        if (!(*r > 0)) RefuseWord(line, "a reference resistance above 0 ohms", word);
        values.push_back(*r);
        word = {};
    }
    if (values.empty()) RefuseWord(line, "a reference resistance in ohms after R", word);
    return values;
}

}  // namespace

TOptions ReadOptionLine(std::string_view afterHash, int line)
{
    TOptions options;
    options.line = line;
    bool unitSeen = false, parameterSeen = false, formatSeen = false, resistanceSeen = false;
    TWords words(afterHash);
    std::string_view word;
    bool haveWord = words.Next(word);
    while (haveWord) {
        if (const auto unit = UnitExponent(word)) {
            Once(unitSeen, "frequency unit", line);
            options.unitExponent = *unit;
        } else if (const auto parameter = Parameter(word)) {
            Once(parameterSeen, "parameter", line);
            options.parameter = *parameter;
        } else if (const auto format = Format(word)) {
            Once(formatSeen, "format", line);
            options.format = *format;
        } else if (EqualsNoCase(word, "R")) {
            Once(resistanceSeen, "reference resistance", line);
            options.resistances = Resistances(words, word, line);
            haveWord = !word.empty();
            continue;
        } else {
            RefuseWord(line, kAnyField, word);
        }
        haveWord = words.Next(word);
    }
    return options;
}

std::string FormatName(TFormat format)
{
    switch (format) {
    case TFormat::RI: return "RI";
    case TFormat::MA: return "MA";
    case TFormat::DB: return "DB";
    }
    return "MA";
}

}  // namespace merivane::touchstone
