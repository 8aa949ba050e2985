// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileParts.h"
#include "CaseFileGuide.h"

#include "EntryReader.h"
#include "Export.h"
#include "Fields.h"
#include "ReflectionText.h"

#include <QJsonValue>

#include <cctype>
#include <cmath>
#include <span>

namespace merivane::present {

namespace {

constexpr char kLossKey[] = "loss";
constexpr char kMetalKey[] = "metal";

std::string Path(const char* key) { return std::string(kGuideSection) + "." + key; }

class TGuideReader {
public:
    TGuideReader(const QJsonObject& o, std::string& error, std::vector<std::string>& clamps)
        : o_(o), error_(error), clamps_(clamps)
    {
    }

    bool Fail(const std::string& message)
    {
        if (error_.empty()) error_ = message;
        return false;
    }

    // A number by its row; absent or null keeps the value.
    bool Number(GuideInput id, double& value)
    {
        const TGuideRow& row = GuideRow(id);
        const QJsonValue v = o_.value(QLatin1String(row.key));
        if (v.isUndefined() || v.isNull()) return true;
        std::string text;
        if (v.isString())
            text = v.toString().toStdString();
        else if (v.isDouble())
            text = Shortest(v.toDouble());
        else
            return Fail(Path(row.key) + ": a number is expected, not " + JsonTypeName(v));
        double read = value;
        const TInputReading r = ReadInputNumber(row.id, text, read);
        if (!r.ok) return Fail(Path(row.key) + ": " + r.error);
        if (!r.warning.empty()) clamps_.push_back(Path(row.key) + ": " + r.warning);
        value = read;
        return true;
    }

    // A name among names; absent or null keeps the value.
    template <class T, class Name>
    bool Choice(const char* key, std::span<const T> items, Name name, auto& value)
    {
        const QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull()) return true;
        if (!v.isString()) return Fail(Path(key) + ": a name is expected, not " + JsonTypeName(v));
        const std::string t = v.toString().toStdString();
        std::string names;
        for (const T& item : items) {
            const auto [itemValue, itemName] = name(item);
            if (SameNoCase(t, itemName)) {
                value = itemValue;
                return true;
            }
            names += (names.empty() ? "" : ", ") + std::string(itemName);
        }
        return Fail(Path(key) + ": \"" + ShortText(t, 40) + "\" is not one of " + names);
    }

private:
    const QJsonObject& o_;
    std::string& error_;
    std::vector<std::string>& clamps_;
};

}  // namespace

void AppendGuideSection(std::string& out, const TGuideInputs& g)
{
    out += ",\n  ";
    AppendJsonString(out, kGuideSection);
    out += ": {\n    ";
    AppendJsonString(out, kLossKey);
    out += ": ";
    AppendJsonString(out, LossModeKey(g.loss));
    const auto number = [&](GuideInput id, double v) {
        const TGuideRow& row = GuideRow(id);
        out += ",\n    ";
        AppendJsonString(out, row.key);
        out += ": ";
        // EntryText reads back to the same double; a text that is no plain
        // decimal number goes as a JSON string, which the reader takes too
        const std::string t = EntryText(row, v);
        const bool plain = !t.empty() && t.find_first_not_of("0123456789.") == std::string::npos && t.front() != '.' &&
                           t.back() != '.' && (t.size() == 1 || t.front() != '0' || t[1] == '.');
        if (plain)
            out += t;
        else
            AppendJsonString(out, t);
    };
    number(GuideInput::LossDbPerM, g.lossDbPerM);
    out += ",\n    ";
    AppendJsonString(out, kMetalKey);
    out += ": ";
    AppendJsonString(out, ConductorKey(g.metal));
    number(GuideInput::BreakdownKvPerM, g.breakdownKvPerM);
    number(GuideInput::HeightMm, g.heightMm);
    out += "\n  }";
}

bool ReadGuideSection(const QJsonObject& root, TGuideInputs& g, std::string& error, std::vector<std::string>& unknown,
                      std::vector<std::string>& clamps)
{
    const QJsonValue section = root.value(QLatin1String(kGuideSection));
    if (section.isUndefined() || section.isNull()) return true;
    if (!section.isObject()) {
        if (error.empty()) error = std::string(kGuideSection) + ": an object is expected, not " + JsonTypeName(section);
        return false;
    }
    const QJsonObject o = section.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        bool known = key == kLossKey || key == kMetalKey;
        for (const TGuideRow& row : GuideRows()) known = known || key == row.key;
        if (!known) unknown.push_back(Path(key.c_str()));
    }
    TGuideReader r(o, error, clamps);
    TGuideInputs read = g;
    const bool ok =
        r.Choice(kLossKey, LossModeNames(), [](const TLossModeName& n) { return std::pair{n.mode, n.key}; },
                 read.loss) &&
        r.Choice(kMetalKey, Conductors(), [](const TConductorData& c) { return std::pair{c.kind, c.name}; },
                 read.metal) &&
        r.Number(GuideInput::LossDbPerM, read.lossDbPerM) &&
        r.Number(GuideInput::BreakdownKvPerM, read.breakdownKvPerM) &&
        r.Number(GuideInput::HeightMm, read.heightMm);
    if (ok) g = read;
    return ok;
}

}  // namespace merivane::present
