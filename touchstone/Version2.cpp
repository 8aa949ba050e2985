// SPDX-License-Identifier: GPL-3.0-or-later
// A version 2 file: [Version] first, then the option line and the keywords
// that describe the data, [Network Data], [Noise Data] and [End]. Keywords
// this reader does not know are passed over with the lines that follow them
// up to the next keyword; [Begin Information] ... [End Information] too.
#include "OptionLine.h"
#include "Records.h"
#include "Versions.h"

#include <optional>
#include <string>

namespace merivane::touchstone {

namespace {

enum class TSection { Header, Reference, Information, Skipped, Network, Noise, Ended };

class TVersion2 {
public:
    TVersion2(std::string version, std::optional<int> portsFromName)
        : version_(std::move(version)), portsFromName_(portsFromName)
    {
    }
    void Line(const TLine& line);
    TNetwork Finish(int lastLine);

private:
    void Keyword(const TKeyword& keyword, int line);
    void OptionLine(std::string_view afterHash, int line);
    bool HeaderKeyword(const TKeyword& keyword, int line);
    void Ports(std::string_view arguments, int line);
    void References(TWords& words, int line);
    void BeginNetwork(int line);
    void EndNetwork(int line);
    void BeginNoise(int line);
    std::optional<std::size_t> Count(std::string_view arguments, std::string_view keyword, int line) const;

    std::string version_;
    std::optional<int> portsFromName_;
    TSection section_ = TSection::Header;
    TLayout layout_;
    bool portsSeen_ = false, orderSeen_ = false, optionsSeen_ = false, referenceSeen_ = false, matrixSeen_ = false;
    std::vector<double> references_;
    TNetwork network_;
    std::optional<TRecordReader> records_;
};

std::string_view OnlyWord(std::string_view arguments, std::string_view expected, int line)
{
    TWords words(arguments);
    std::string_view word, extra;
    if (!words.Next(word)) RefuseWord(line, expected, {});
    if (words.Next(extra)) RefuseWord(line, "nothing more after " + Quoted(word), extra);
    return word;
}

void NothingAfter(const TKeyword& keyword, int line)
{
    TWords words(keyword.arguments);
    std::string_view word;
    if (words.Next(word)) RefuseWord(line, "nothing after the keyword [" + keyword.name + "]", word);
}

void TVersion2::Line(const TLine& line)
{
    const std::string_view text = Trim(line.text);
    if (text.empty() || section_ == TSection::Ended) return;
    if (text[0] == '[') {
        Keyword(KeywordOf(text, line.number), line.number);
        return;
    }
    if (section_ == TSection::Information) return;
    if (text[0] == '#') {
        OptionLine(text.substr(1), line.number);
        return;
    }
    TWords words(text);
    std::string_view word;
    switch (section_) {
    case TSection::Skipped: return;
    case TSection::Reference: References(words, line.number); return;
    case TSection::Network:
    case TSection::Noise:
        records_->Take(words, line.number);
        return;
    default:
        words.Next(word);
        RefuseWord(line.number, "a keyword in brackets or the option line before [Network Data]", word);
    }
}

// The first option line counts, the others are ignored.
void TVersion2::OptionLine(std::string_view afterHash, int line)
{
    if (optionsSeen_) return;
    if (records_) Refuse(line, "the option line was expected before [Network Data]");
    layout_.options = ReadOptionLine(afterHash, line);
    optionsSeen_ = true;
    if (section_ == TSection::Skipped) section_ = TSection::Header;
}

void TVersion2::Keyword(const TKeyword& keyword, int line)
{
    if (section_ == TSection::Information) {
        if (keyword.name == "end information") section_ = TSection::Skipped;
        return;
    }
    if (section_ == TSection::Reference) {
        RefuseWord(line, std::to_string(layout_.ports) + " reference resistances after [Reference]",
                   "[" + keyword.name + "]");
    }
    if (keyword.name == "network data") {
        NothingAfter(keyword, line);
        BeginNetwork(line);
    } else if (keyword.name == "noise data") {
        NothingAfter(keyword, line);
        BeginNoise(line);
    } else if (keyword.name == "end") {
        EndNetwork(line);
        section_ = TSection::Ended;  // what follows is not read
    } else if (keyword.name == "begin information") {
        EndNetwork(line);
        section_ = TSection::Information;
    } else if (keyword.name == "mixed-mode order") {
        Refuse(line, "mixed-mode files are not supported: single-ended data were expected, [Mixed-Mode Order] was "
                     "found");
    } else if (!HeaderKeyword(keyword, line)) {
        if (section_ == TSection::Network || section_ == TSection::Noise) EndNetwork(line);
        section_ = TSection::Skipped;  // a keyword of a later version, and its lines
    }
}

// The keywords that describe the data; false for one that does not.
bool TVersion2::HeaderKeyword(const TKeyword& keyword, int line)
{
    const std::string& name = keyword.name;
    const bool known = name == "version" || name == "number of ports" || name == "two-port data order" ||
                       name == "number of frequencies" || name == "number of noise frequencies" ||
                       name == "reference" || name == "matrix format";
    if (!known) return false;
    if (records_) RefuseWord(line, "[" + name + "] before [Network Data]", "[" + name + "]");
    if (name == "version") {
        Refuse(line, "one [Version] was expected, on the first line, a second was found");
    } else if (name == "number of ports") {
        Ports(keyword.arguments, line);
    } else if (name == "two-port data order") {
        const std::string_view order = OnlyWord(keyword.arguments, "12_21 or 21_12", line);
        if (order != "12_21" && order != "21_12") RefuseWord(line, "12_21 or 21_12", order);
        layout_.twoPort21First = order == "21_12";
        orderSeen_ = true;
    } else if (name == "number of frequencies") {
        layout_.frequencies = Count(keyword.arguments, "[Number of Frequencies]", line);
    } else if (name == "number of noise frequencies") {
        layout_.noiseFrequencies = Count(keyword.arguments, "[Number of Noise Frequencies]", line);
    } else if (name == "reference") {
        if (!portsSeen_) Refuse(line, "[Number of Ports] was expected before [Reference]");
        if (referenceSeen_) Refuse(line, "one [Reference] was expected, a second was found");
        referenceSeen_ = true;
        section_ = TSection::Reference;
        TWords words(keyword.arguments);
        References(words, line);
    } else {
        const std::string_view format = OnlyWord(keyword.arguments, "Full, Lower or Upper", line);
        if (matrixSeen_) Refuse(line, "one [Matrix Format] was expected, a second was found");
        matrixSeen_ = true;
        if (EqualsNoCase(format, "Lower"))
            layout_.matrix = TMatrixFormat::Lower;
        else if (EqualsNoCase(format, "Upper"))
            layout_.matrix = TMatrixFormat::Upper;
        else if (!EqualsNoCase(format, "Full"))
            RefuseWord(line, "Full, Lower or Upper", format);
    }
    if (section_ == TSection::Skipped) section_ = TSection::Header;
    return true;
}

void TVersion2::Ports(std::string_view arguments, int line)
{
    if (portsSeen_) Refuse(line, "one [Number of Ports] was expected, a second was found");
    const std::string_view word = OnlyWord(arguments, "a port count", line);
    const std::optional<long long> n = ParseCount(word, kMaxPorts);
    if (!n || *n < 1) RefuseWord(line, "a port count from 1 to " + std::to_string(kMaxPorts), word);
    if (portsFromName_ && *portsFromName_ > 0 && *portsFromName_ != *n) {
        RefuseWord(line, std::to_string(*portsFromName_) + " ports, as the file name says,", word);
    }
    layout_.ports = static_cast<int>(*n);
    portsSeen_ = true;
}

// Resistances of [Reference], on its line and as many lines after as it takes.
void TVersion2::References(TWords& words, int line)
{
    std::string_view word;
    while (words.Next(word)) {
        const std::optional<double> r = ParseNumber(word);
        if (references_.size() == static_cast<std::size_t>(layout_.ports))
            RefuseWord(line, std::to_string(layout_.ports) + " reference resistances", word);
        if (!r || !(*r > 0)) RefuseWord(line, "a reference resistance above 0 ohms", word);
        references_.push_back(*r);
    }
    if (references_.size() == static_cast<std::size_t>(layout_.ports)) section_ = TSection::Header;
}

std::optional<std::size_t> TVersion2::Count(std::string_view arguments, std::string_view keyword, int line) const
{
    const std::string_view word = OnlyWord(arguments, "a count of frequencies", line);
    const std::optional<long long> n = ParseCount(word, 1LL << 40);
    if (!n || *n < 1) RefuseWord(line, "a count of frequencies from 1 after " + std::string(keyword), word);
    if (keyword == "[Number of Frequencies]" ? layout_.frequencies.has_value() : layout_.noiseFrequencies.has_value())
        Refuse(line, "one " + std::string(keyword) + " was expected, a second was found");
    return static_cast<std::size_t>(*n);
}

void TVersion2::BeginNetwork(int line)
{
    if (records_) Refuse(line, "one [Network Data] was expected, a second was found");
    if (!portsSeen_) Refuse(line, "[Number of Ports] was expected before [Network Data]");
    if (!layout_.frequencies) Refuse(line, "[Number of Frequencies] was expected before [Network Data]");
    if (layout_.ports == 2 && !orderSeen_) Refuse(line, "[Two-Port Data Order] was expected before [Network Data]");
    layout_.normalised = false;  // ohms and siemens, Rn in ohms
    layout_.refs = references_;
    ResolveReferences(layout_);
    records_.emplace(layout_, network_);
    section_ = TSection::Network;
}

void TVersion2::BeginNoise(int line)
{
    if (!records_) Refuse(line, "[Network Data] was expected before [Noise Data]");
    if (network_.noise) Refuse(line, "one [Noise Data] was expected, a second was found");
    if (layout_.ports != 2) Refuse(line, "noise data were expected of a two-port only, this file has " +
                                             std::to_string(layout_.ports) + " ports");
    if (!layout_.noiseFrequencies) Refuse(line, "[Number of Noise Frequencies] was expected before [Noise Data]");
    EndNetwork(line);
    records_->BeginNoise();
    section_ = TSection::Noise;
}

// The records of the section read now are over: their count must be the one given.
void TVersion2::EndNetwork(int line)
{
    if (!records_ || (section_ != TSection::Network && section_ != TSection::Noise)) return;  // none, or checked already
    records_->End();
    const bool noise = section_ == TSection::Noise;
    const std::size_t found = noise ? network_.noise->size() : network_.frequencyHz.size();
    const std::size_t given = noise ? *layout_.noiseFrequencies : *layout_.frequencies;
    if (found != given) {
        Refuse(line, std::string(noise ? "[Number of Noise Frequencies]" : "[Number of Frequencies]") + " gives " +
                         std::to_string(given) + ", so " + std::to_string(given) + " frequencies were expected, " +
                         Found(found));
    }
}

TNetwork TVersion2::Finish(int lastLine)
{
    if (section_ == TSection::Information) Refuse(lastLine, "[End Information] was expected before the end of the file");
    if (section_ == TSection::Reference) Refuse(lastLine, "more reference resistances were expected after [Reference]");
    if (!records_) Refuse(0, "[Network Data] was expected, none was found");
    EndNetwork(lastLine);
    if (layout_.noiseFrequencies && !network_.noise)
        Refuse(0, "[Noise Data] was expected after [Number of Noise Frequencies], none was found");
    network_.version = version_;
    network_.ports = layout_.ports;
    network_.parameter = std::string(1, layout_.options.parameter);
    network_.format = FormatName(layout_.options.format);
    network_.referenceOhm = layout_.refs;
    return std::move(network_);
}

}  // namespace

TKeyword KeywordOf(std::string_view text, int line)
{
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) RefuseWord(line, "a keyword closed by \"]\"", text);
    TKeyword keyword;
    TWords words(text.substr(1, close - 1));
    std::string_view word;
    while (words.Next(word)) {
        if (!keyword.name.empty()) keyword.name += ' ';
        keyword.name += word;
    }
    for (char& c : keyword.name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    keyword.arguments = text.substr(close + 1);
    return keyword;
}

TNetwork ReadVersion2(TLineScanner& lines, const TLine& versionLine, std::optional<int> portsFromName)
{
    const TKeyword keyword = KeywordOf(Trim(versionLine.text), versionLine.number);
    const std::string_view version = OnlyWord(keyword.arguments, "a version, 2.0 or 2.1", versionLine.number);
    if (version != "2.0" && version != "2.1") RefuseWord(versionLine.number, "a version, 2.0 or 2.1", version);
    TVersion2 reader{std::string(version), portsFromName};
    TLine line;
    while (lines.Next(line)) reader.Line(line);
    return reader.Finish(lines.LastNumber());
}

}  // namespace merivane::touchstone
