// SPDX-License-Identifier: GPL-3.0-or-later
// A version 1 file: comments, the option line (the first counts, the others
// are ignored) and the records; the port count is the file name's.
#include "OptionLine.h"
#include "Records.h"
#include "Versions.h"

#include <optional>

namespace merivane::touchstone {

namespace {

std::string_view FirstWord(std::string_view text)
{
    TWords words(text);
    std::string_view word;
    words.Next(word);
    return word;
}

}  // namespace

TNetwork ReadVersion1(TLineScanner& lines, const TLine& first, int ports)
{
    TNetwork network;
    TLayout layout;
    layout.ports = ports;
    layout.noiseAfterDecrease = ports == 2;
    bool optionsSeen = false;
    std::optional<TRecordReader> records;
    TLine line = first;
    do {
        const std::string_view text = Trim(line.text);
        if (text.empty()) continue;
        if (text[0] == '#') {
            if (optionsSeen) continue;
            if (records) Refuse(line.number, "the option line was expected before the network data");
            layout.options = ReadOptionLine(text.substr(1), line.number);
            optionsSeen = true;
            continue;
        }
        if (text[0] == '[') {
            RefuseWord(line.number, "a number (a keyword belongs to a version 2 file, which begins with [Version])",
                       FirstWord(text));
        }
        if (!records) {
            ResolveReferences(layout);
            records.emplace(layout, network);
        }
        TWords words(text);
        records->Take(words, line.number);
    } while (lines.Next(line));
    if (!records || records->Frequencies() == 0) Refuse(0, "network data were expected, none were found");
    records->End();

    network.version = layout.options.resistances.size() > 1 ? "1.1" : "1.0";
    network.ports = ports;
    network.parameter = std::string(1, layout.options.parameter);
    network.format = FormatName(layout.options.format);
    network.referenceOhm = layout.refs;
    return network;
}

}  // namespace merivane::touchstone
