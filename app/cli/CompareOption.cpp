// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareOption.h"

#include "Case.h"
#include "CaseFile.h"
#include "Export.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace merivane::cli {

namespace {

// The window's JSON export of results alone: an object with "results" and
// neither "inputs" nor "format".
bool IsResultsOnly(const std::string& text)
{
    const std::size_t skip = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a byte-order mark
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(text.data() + skip, static_cast<qsizetype>(text.size() - skip)));
    if (!doc.isObject()) return false;
    const QJsonObject root = doc.object();
    return root.value(QLatin1String("results")).isObject() && !root.contains(QLatin1String("inputs")) &&
           !root.contains(QLatin1String("format"));
}

constexpr const char* kCsvHeader = "section,quantity,reference,current,difference,change_percent,differs\n";

std::string Csv(const present::TComparison& c)
{
    std::string out = kCsvHeader;
    for (const present::TComparisonRow& r : c.rows) {
        for (const std::string* cell : {&r.section, &r.caption, &r.reference, &r.current, &r.difference}) {
            present::AppendCsvText(out, *cell);
            out += ',';
        }
        present::AppendCsvText(out, r.change);
        out += r.differs ? ",1\n" : ",0\n";
    }
    return out;
}

std::string Json(const present::TComparison& c)
{
    std::string out = "{\n  \"comparison\": [";
    bool first = true;
    for (const present::TComparisonRow& r : c.rows) {
        out += first ? "\n    {" : ",\n    {";
        first = false;
        const std::pair<const char*, const std::string*> cells[] = {
            {"section", &r.section},       {"quantity", &r.caption},        {"reference", &r.reference},
            {"current", &r.current},       {"difference", &r.difference}, {"change_percent", &r.change}};
        for (const auto& [name, value] : cells) {
            present::AppendJsonString(out, name);
            out += ": ";
            present::AppendJsonString(out, *value);
            out += ", ";
        }
        out += "\"differs\": ";
        out += r.differs ? "true}" : "false}";
    }
    out += first ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

// The rows as the case's text sections: one per section, in order.
std::string Text(const present::TComparison& c)
{
    std::vector<present::TSection> sections;
    for (const present::TComparisonRow& r : c.rows) {
        if (sections.empty() || sections.back().title != r.section)
            sections.push_back({r.section, {"Reference", "Current", "Difference", "Change %"}, {}});
        sections.back().rows.push_back(
            {r.caption, {{r.reference, ""}, {r.current, ""}, {r.difference, ""}, {r.change, ""}}});
    }
    return present::CaseText(sections);
}

}  // namespace

TReferenceRead ReadReference(const std::string& text)
{
    TReferenceRead r;
    if (IsResultsOnly(text)) {
        r.error = "a JSON export of results without their inputs; the reference is computed from its inputs, "
                  "so export it with them (or use its case file)";
        return r;
    }
    const present::TCaseReadResult read = present::ReadCaseFile(text);
    if (!read.ok) {
        r.error = read.error;
        return r;
    }
    r.ok = true;
    r.c = read.c;
    r.warning = read.warning;
    return r;
}

std::string ComparisonOutput(const present::TComparison& c, Format format)
{
    switch (format) {
    case kCsv: return Csv(c);
    case kJson: return Json(c);
    case kText: break;
    }
    return Text(c);
}

}  // namespace merivane::cli
