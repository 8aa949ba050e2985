// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a case file. Every number is written with the text the input
// table's reader takes back to the same double (EntryText), so that a case
// saved and opened again computes the same results bit for bit.
#include "CaseFile.h"

#include "CaseFileApplicator.h"
#include "CaseFileGuide.h"
#include "CaseFileLoadSet.h"
#include "CaseFileMeasured.h"
#include "CaseFileMagnetron.h"
#include "CaseFileNames.h"
#include "CaseFileTuner.h"
#include "EntryReader.h"
#include "Export.h"
#include "ReflectionText.h"
#include "SafeSave.h"

namespace merivane::present {

namespace {

using namespace casefile;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// JSON's number: -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
bool IsJsonNumber(std::string_view t)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < t.size() && IsDigit(t[i])) ++i;
        return i > from;
    };
    if (i < t.size() && t[i] == '-') ++i;
    if (i < t.size() && t[i] == '0')
        ++i;
    else if (!digits())
        return false;
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (!digits()) return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (!digits()) return false;
    }
    return i == t.size();
}

// The entry text as a JSON number, or as a JSON string when it is none (the
// reader takes both).
void AppendEntry(std::string& out, const std::string& text)
{
    if (IsJsonNumber(text))
        out += text;
    else
        AppendJsonString(out, text);
}

const char* ChoiceName(const TDisplayKey& k, int index)
{
    for (const TChoiceName& n : k.names)
        if (n.index == index) return n.name;
    return kNone.name;
}

class TWriter {
public:
    void BeginSection(const char* section)
    {
        out_ += ",\n  ";
        AppendJsonString(out_, section);
        out_ += ": {";
        first_ = true;
    }
    void Close() { out_ += "\n  }"; }
    // a key of the open section; the caller appends the value
    std::string& Key(const char* key)
    {
        out_ += first_ ? "\n    " : ",\n    ";
        first_ = false;
        AppendJsonString(out_, key);
        out_ += ": ";
        return out_;
    }
    // a number by its row of the input table, under the row's key
    void Number(Input id, double stored) { AppendEntry(Key(InputRow(id).key), EntryText(InputRow(id), stored)); }
    void Text(const char* key, std::string_view text) { AppendJsonString(Key(key), text); }
    void Choice(const TDisplayKey& k, int index) { Text(k.key, ChoiceName(k, index)); }

    std::string out_;

private:
    bool first_ = true;
};

std::string LineText(const TSweepInputs& l)
{
    switch (l.Line) {
    case LineType::CustomWaveguide: return kWaveguidePrefix + EntryText(InputRow(Input::SwWidth), l.WidthMm);
    case LineType::Coax: return kCoaxPrefix + EntryText(InputRow(Input::SwVf), l.Vf);
    default: return LineTypeSpec(l.Line).name;
    }
}

}  // namespace

std::string CaseFileText(const TCase& c)
{
    TWriter w;
    w.out_ = "{\n  \"format\": ";
    AppendJsonString(w.out_, kCaseFormat);
    w.out_ += ",\n  \"version\": " + std::to_string(kCaseVersion) + ",\n  \"name\": ";
    AppendJsonString(w.out_, c.name);

    const TInputs& m = c.inputs;
    w.BeginSection(kInputsSection);
    w.Number(Input::AnodeV, m.Va);
    w.Number(Input::AnodeI, m.Ia);
    w.Number(Input::Effic, m.Eff);
    // each reflection in the form it is entered in, which the display shows
    w.Text(InputRow(Input::SrcMag).key, ReflectionInputText(m.SrcRfl, c.display.srcRfl, Input::SrcMag, Input::SrcPha));
    w.Text(InputRow(Input::LoaMag).key, ReflectionInputText(m.LoaRfl, c.display.loaRfl, Input::LoaMag, Input::LoaPha));
    // the window keeps the directivity while Ideal is ticked: both are kept
    w.Number(Input::Dire, m.CplDirDb);
    w.Key(kIdealKey) += c.ideal ? "true" : "false";
    w.Close();

    const TSweepInputs& l = c.line;
    w.BeginSection(kLineSection);
    w.Number(Input::SwFreq, l.FreqMHz);
    w.Text(kLineNameKey, LineText(l));
    // the page keeps the width and the velocity factor of the line not chosen
    w.Number(Input::SwWidth, l.WidthMm);
    w.Number(Input::SwVf, l.Vf);
    w.Number(Input::SwLength, l.LengthM);
    w.Number(Input::SwSpan, l.SpanMHz);
    w.Close();

    const TDisplay& d = c.display;
    w.BeginSection(kDisplaySection);
    w.Choice(kPowerUnitKey, static_cast<int>(d.power));
    w.Choice(kFactorUnitKey, c.factorUnit);
    w.Choice(kMeasUnitKey, c.measUnit);
    w.Choice(kSourceFormKey, d.srcRfl);
    w.Choice(kLoadFormKey, d.loaRfl);
    w.Choice(kSourceMismKey, d.srcMism);
    w.Choice(kLoadMismKey, d.loaMism);
    w.Choice(kMeasReflKey, d.meaRfl);
    w.Close();
    AppendTunerSection(w.out_, c.tuner);
    AppendGuideSection(w.out_, c.guide);
    AppendTubeSections(w.out_, c.tube);
    AppendMeasuredSection(w.out_, c.measured);
    AppendLoadSetSection(w.out_, c);
    AppendApplicatorSection(w.out_, c.applicator);
    w.out_ += "\n}\n";
    return w.out_;
}

bool SaveCaseFile(const QString& path, const TCase& c, QString* reason)
{
    return SaveWholeFile(path, QByteArray::fromStdString(CaseFileText(c)), reason);
}

}  // namespace merivane::present
