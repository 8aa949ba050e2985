// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a case file. The JSON is parsed by Qt; every number in it is read
// by the input table's reader, from its text: a JSON string as it stands, a
// JSON number as the shortest text of its double (which reads back as the
// same double), so "4 kV" and 4000 are the same anode voltage.
#include "CaseFileParts.h"
#include "CaseFile.h"

#include "CaseFileApplicator.h"
#include "CaseFileGuide.h"
#include "CaseFileLoadSet.h"
#include "CaseFileMeasured.h"
#include "CaseFileMagnetron.h"
#include "CaseFileNames.h"
#include "CaseFileTuner.h"
#include "EntryReader.h"
#include "Fields.h"
#include "InputValues.h"
#include "ReflectionText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

namespace merivane::present {

namespace {

using namespace casefile;

// Where Qt's parser found the fault, as a line and a column counted in
// characters from 1. Its offset lies on the character for a bad number and
// for text after the end, at the end of the text for something left open,
// and just past the character it could not take otherwise.
std::string Place(std::string_view text, std::size_t offset, QJsonParseError::ParseError error)
{
    using E = QJsonParseError;
    const bool on = error == E::IllegalNumber || error == E::GarbageAtEnd;
    const bool open = error == E::UnterminatedObject || error == E::UnterminatedArray || error == E::UnterminatedString ||
                      error == E::TerminationByNumber;
    std::size_t at = on || offset == 0 ? offset : offset - 1;
    if (open && offset >= text.size()) at = text.size();
    at = std::min(at, text.size());
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < at; ++i)
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    int column = 1;
    for (std::size_t i = lineStart; i < at; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;  // UTF-8: count lead bytes only
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

class TReader {
public:
    TCase c = DefaultCase();
    std::string error;
    std::vector<std::string> unknown;
    std::vector<std::string> clamps;

    bool Fail(const std::string& message)
    {
        if (error.empty()) error = message;
        return false;
    }

    // The section as an object; an absent one or null reads as empty.
    std::optional<QJsonObject> Section(const QJsonObject& root, const char* name)
    {
        const QJsonValue v = root.value(QLatin1String(name));
        if (v.isUndefined() || v.isNull()) return QJsonObject();
        if (!v.isObject()) {
            Fail(std::string(name) + ": an object is expected, not " + JsonTypeName(v));
            return std::nullopt;
        }
        return v.toObject();
    }

    void NoteUnknown(const QJsonObject& o, std::string_view section, std::initializer_list<const char*> known)
    {
        for (auto it = o.begin(); it != o.end(); ++it) {
            bool found = false;
            for (const char* k : known) found = found || it.key() == QLatin1String(k);
            if (!found) unknown.push_back((section.empty() ? "" : std::string(section) + ".") + it.key().toStdString());
        }
    }

    // The same for a section of the input table: its rows' keys and the others given.
    void NoteUnknownKeys(const QJsonObject& o, const char* section, std::initializer_list<const char*> others)
    {
        for (auto it = o.begin(); it != o.end(); ++it) {
            const std::string key = it.key().toStdString();
            bool found = InputRowByKey(section, key) != nullptr;
            for (const char* k : others) found = found || key == k;
            if (!found) unknown.push_back(std::string(section) + "." + key);
        }
    }

    // The text the reader reads for a value; nothing for a value of no number.
    std::optional<std::string> Text(const QJsonValue& v, const std::string& path)
    {
        if (v.isString()) return v.toString().toStdString();
        if (v.isDouble()) return Shortest(v.toDouble());
        Fail(path + ": a number is expected, not " + JsonTypeName(v));
        return std::nullopt;
    }

    bool Taken(const TInputReading& r, const std::string& path)
    {
        if (!r.ok) return Fail(path + ": " + r.error);
        if (!r.warning.empty()) clamps.push_back(path + ": " + r.warning);
        return true;
    }

    // A number of the field id, under its row's section and key, into the
    // case through set; absent or null keeps the default.
    template <class Set>
    bool Number(const QJsonObject& o, Input id, Set set)
    {
        const TInputRow& row = InputRow(id);
        const QJsonValue v = o.value(QLatin1String(row.key));
        if (v.isUndefined() || v.isNull()) return true;
        const std::string path = std::string(row.section) + "." + row.key;
        const std::optional<std::string> t = Text(v, path);
        double value = 0;
        if (!t || !Taken(ReadInputNumber(id, *t, value), path)) return false;
        set(value);
        return true;
    }

    bool Reflection(const QJsonObject& o, Input magnitude, Input phase, TRefl& refl, int& form)
    {
        const TInputRow& row = InputRow(magnitude);
        const QJsonValue v = o.value(QLatin1String(row.key));
        if (v.isUndefined() || v.isNull()) return true;
        const std::string path = std::string(row.section) + "." + row.key;
        if (!v.isString()) {
            // a bare number is a magnitude
            if (!v.isDouble()) return Fail(path + ": a reflection is expected, not " + JsonTypeName(v));
        }
        const std::optional<std::string> t = Text(v, path);
        return t && Taken(ReadReflectionInput(*t, magnitude, phase, refl, form), path);
    }

    bool Inputs(const QJsonObject& root, bool exported)
    {
        const std::optional<QJsonObject> s = Section(root, kInputsSection);
        if (!s) return false;
        const QJsonObject& o = *s;
        if (!exported) NoteUnknownKeys(o, kInputsSection, {kIdealKey});
        TInputs& m = c.inputs;
        const auto field = [&m](Input id) { return [&m, id](double v) { SetFieldValue(m, id, v); }; };
        if (!Number(o, Input::AnodeV, field(Input::AnodeV)) || !Number(o, Input::AnodeI, field(Input::AnodeI)) ||
            !Number(o, Input::Effic, field(Input::Effic)) ||
            !Reflection(o, Input::SrcMag, Input::SrcPha, m.SrcRfl, c.display.srcRfl) ||
            !Reflection(o, Input::LoaMag, Input::LoaPha, m.LoaRfl, c.display.loaRfl))
            return false;
        // A number is a coupler of that directivity, null ideal couplers
        // (merivane-calc's empty directivity); "ideal" beside a number keeps
        // the number for when Ideal is unticked.
        const QJsonValue dire = o.value(QLatin1String(InputRow(Input::Dire).key));
        if (dire.isNull()) c.ideal = true;
        bool given = false;
        if (!Number(o, Input::Dire, [&](double v) {
                SetFieldValue(m, Input::Dire, v);
                given = true;
            }))
            return false;
        if (given) c.ideal = false;
        const QJsonValue ideal = o.value(QLatin1String(kIdealKey));
        if (ideal.isBool())
            c.ideal = ideal.toBool();
        else if (!ideal.isUndefined() && !ideal.isNull())
            return Fail(std::string(kInputsSection) + "." + kIdealKey + ": true or false is expected, not " + std::string(JsonTypeName(ideal)));
        return true;
    }

    bool LineName(const QJsonObject& o)
    {
        const QJsonValue v = o.value(QLatin1String(kLineNameKey));
        if (v.isUndefined() || v.isNull()) return true;
        if (!v.isString()) return Fail("line.line: a line is expected, not " + std::string(JsonTypeName(v)));
        const std::string t = v.toString().toStdString();
        TSweepInputs& l = c.line;
        for (const TLineTypeSpec& s : LineTypes()) {
            if (IsWaveguide(s.type) && s.widthMm > 0 && SameNoCase(t, s.name)) {
                l.Line = s.type;
                return true;
            }
        }
        const auto withValue = [&](const char* prefix, LineType type, Input id, double& value) {
            const std::string_view p = prefix;
            if (t.size() < p.size() - 1 || !SameNoCase(std::string_view(t).substr(0, p.size() - 1), p.substr(0, p.size() - 1)))
                return false;
            l.Line = type;
            if (t.size() == p.size() - 1) return true;  // "coax": the velocity factor of its own key
            if (t[p.size() - 1] != ':') return false;
            double number = 0;
            if (!Taken(ReadInputNumber(id, std::string_view(t).substr(p.size()), number), "line.line")) return true;
            value = number;
            return true;
        };
        if (withValue(kWaveguidePrefix, LineType::CustomWaveguide, Input::SwWidth, l.WidthMm) ||
            withValue(kCoaxPrefix, LineType::Coax, Input::SwVf, l.Vf))
            return error.empty();
        return Fail("line.line: \"" + t + "\" is not a line: WR284, WR340, WR430, WR975, waveguide:WIDTH or coax:VF");
    }

    bool Line(const QJsonObject& root, bool exported)
    {
        const std::optional<QJsonObject> s = Section(root, kLineSection);
        if (!s) return false;
        const QJsonObject& o = *s;
        if (!exported) NoteUnknownKeys(o, kLineSection, {kLineNameKey});
        TSweepInputs& l = c.line;
        // the width and the velocity factor first: the line's own text overrides them
        return Number(o, Input::SwFreq, [&](double v) { l.FreqMHz = v; }) &&
               Number(o, Input::SwWidth, [&](double v) { l.WidthMm = v; }) &&
               Number(o, Input::SwVf, [&](double v) { l.Vf = v; }) &&
               Number(o, Input::SwLength, [&](double v) { l.LengthM = v; }) &&
               Number(o, Input::SwSpan, [&](double v) { l.SpanMHz = v; }) && LineName(o);
    }

    bool Choice(const QJsonObject& o, const TDisplayKey& k, int& index)
    {
        const QJsonValue v = o.value(QLatin1String(k.key));
        if (v.isUndefined() || v.isNull()) return true;
        const std::string path = std::string(kDisplaySection) + "." + k.key;
        if (!v.isString()) return Fail(path + ": a name is expected, not " + JsonTypeName(v));
        const std::string t = v.toString().toStdString();
        std::string names;
        for (const TChoiceName& n : k.names) {
            if (SameNoCase(t, n.name)) {
                index = n.index;
                return true;
            }
            names += (names.empty() ? "" : ", ") + std::string(n.name);
        }
        return Fail(path + ": \"" + t + "\" is not one of " + names);
    }

    bool Display(const QJsonObject& root)
    {
        const std::optional<QJsonObject> s = Section(root, kDisplaySection);
        if (!s) return false;
        const QJsonObject& o = *s;
        NoteUnknown(o, kDisplaySection,
                    {kPowerUnitKey.key, kFactorUnitKey.key, kMeasUnitKey.key, kSourceFormKey.key, kLoadFormKey.key,
                     kSourceMismKey.key, kLoadMismKey.key, kMeasReflKey.key});
        TDisplay& d = c.display;
        int power = static_cast<int>(d.power);
        const bool ok = Choice(o, kPowerUnitKey, power) && Choice(o, kFactorUnitKey, c.factorUnit) &&
                        Choice(o, kMeasUnitKey, c.measUnit) && Choice(o, kSourceFormKey, d.srcRfl) &&
                        Choice(o, kLoadFormKey, d.loaRfl) && Choice(o, kSourceMismKey, d.srcMism) &&
                        Choice(o, kLoadMismKey, d.loaMism) && Choice(o, kMeasReflKey, d.meaRfl);
        d.power = static_cast<PowerUnit>(power);
        return ok;
    }

    bool Header(const QJsonObject& root)
    {
        const QJsonValue version = root.value(QLatin1String("version"));
        if (!version.isUndefined()) {
            const double v = version.toDouble(-1);
            if (!version.isDouble() || v < 1 || v != std::trunc(v))
                return Fail("\"version\" is not a version number: " + std::string(JsonTypeName(version)) +
                            (version.isDouble() ? " " + Shortest(v) : ""));
            if (v > kCaseVersion)
                return Fail("The case file is of version " + Shortest(v) + ", newer than this Merivane reads (version " +
                            std::to_string(kCaseVersion) + "). A newer Merivane wrote it; open it with that one.");
        }
        const QJsonValue name = root.value(QLatin1String("name"));
        if (name.isString())
            c.name = name.toString().toStdString();
        else if (!name.isUndefined() && !name.isNull())
            return Fail("name: a text is expected, not " + std::string(JsonTypeName(name)));
        return true;
    }
};

// The window's JSON export: no "format", and its inputs beside its results.
bool IsExport(const QJsonObject& root)
{
    return !root.contains(QLatin1String("format")) && root.value(QLatin1String(kInputsSection)).isObject() &&
           root.value(QLatin1String("results")).isObject();
}

TCaseReadResult Refused(const std::string& error)
{
    TCaseReadResult r;
    r.c = DefaultCase();
    r.error = error;
    return r;
}

}  // namespace

TCaseReadResult ReadCaseFile(const std::string& text)
{
    // a byte-order mark, as some editors write one, is no part of the JSON
    const std::size_t skip = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    QJsonParseError parseError;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(text.data() + skip, static_cast<qsizetype>(text.size() - skip)), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return Refused("The case file is damaged at " + Place(std::string_view(text).substr(skip), static_cast<std::size_t>(parseError.offset), parseError.error) +
                       ": " + parseError.errorString().toStdString() + ".");
    if (!doc.isObject()) return Refused("The file is not a Merivane case: it holds no JSON object.");
    const QJsonObject root = doc.object();

    TReader r;
    const bool exported = IsExport(root);
    if (exported) {
        // the export's results and cell texts are computed again from its inputs
        r.NoteUnknown(root, "", {kInputsSection, "results", kDisplaySection, kLineSection});
        if (!r.Inputs(root, true) || !r.Line(root, true)) return Refused(r.error);
    } else {
        const QJsonValue format = root.value(QLatin1String("format"));
        if (format.toString() != QLatin1String(kCaseFormat))
            return Refused(format.isUndefined()
                               ? std::string("The file is not a Merivane case: it has no \"format\": \"merivane-case\".")
                               : "The file is not a Merivane case: its format is " +
                                     (format.isString() ? "\"" + format.toString().toStdString() + "\""
                                                        : std::string(JsonTypeName(format))) +
                                     ", not \"merivane-case\".");
        r.NoteUnknown(root, "", {"format", "version", "name", kInputsSection, kLineSection, kDisplaySection, kTunerSection, kGuideSection,
                                 kMagnetronSection, kMeasurementSection, kMeasuredSection, kLoadSetSection,
                                 kApplicatorSection});
        if (!r.Header(root) || !r.Inputs(root, false) || !r.Line(root, false) || !r.Display(root) ||
            !ReadGuideSection(root, r.c.guide, r.error, r.unknown, r.clamps) ||
            !ReadTubeSections(root, r.c.tube, r.error, r.unknown, r.clamps))
            return Refused(r.error);
        if (!ReadTunerSection(root, r.c.tuner, r.error, r.unknown) ||
            !ReadMeasuredSection(root, r.c.measured, r.error, r.unknown, r.clamps) ||
            !ReadLoadSetSection(root, r.c, r.error, r.unknown, r.clamps) ||
            !ReadApplicatorSection(root, r.c.applicator, r.error, r.unknown, r.clamps))
            return Refused(r.error);
    }
    // Each reflection is held as its text gave it, whatever its list shows:
    // the writer gives each in the form that reads back exactly.
    TCaseReadResult result;
    result.ok = true;
    result.c = r.c;
    std::string& w = result.warning;
    if (!r.unknown.empty()) {
        w = r.unknown.size() == 1 ? "Unknown key ignored: " : "Unknown keys ignored: ";
        for (std::size_t i = 0; i < r.unknown.size(); ++i) w += (i ? ", " : "") + r.unknown[i];
        w += '.';
    }
    for (const std::string& clamp : r.clamps) w += (w.empty() ? "" : "\n") + clamp;
    return result;
}

}  // namespace merivane::present
