// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileTuner.h"

#include "CaseFileParts.h"

#include "Export.h"
#include "Fields.h"
#include "InputRows.h"
#include "ScrewTable.h"

#include <QJsonArray>

#include <cmath>

namespace merivane::present {

namespace {

const char* MethodName(MatchMethod m)
{
    for (const TMethodName& n : MethodNames())
        if (n.method == m) return n.name;
    return MethodNames().front().name;
}

bool Fail(std::string& error, const std::string& message)
{
    error = std::string(kTunerSection) + "." + message;
    return false;
}

bool ReadMethod(const QJsonValue& v, TTunerInputs& t, std::string& error)
{
    if (!v.isString()) return Fail(error, std::string(kMethodKey) + ": a method name is expected, not " + JsonTypeName(v));
    const std::string text = v.toString().toStdString();
    if (MethodByName(text, t.method)) return true;
    std::string names;
    for (const TMethodName& n : MethodNames()) names += (names.empty() ? "" : ", ") + std::string(n.name);
    return Fail(error, std::string(kMethodKey) + ": \"" + text + "\" is not one of " + names);
}

bool ReadScrews(const QJsonValue& v, TTunerInputs& t, std::string& error)
{
    if (!v.isArray()) return Fail(error, std::string(kScrewsKey) + ": a list of [depth, susceptance] is expected, not " + JsonTypeName(v));
    const QJsonArray rows = v.toArray();
    std::vector<TScrewPoint> points;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QJsonArray row = rows.at(i).toArray();
        if (!rows.at(i).isArray() || row.size() != 2 || !row.at(0).isDouble() || !row.at(1).isDouble())
            return Fail(error, std::string(kScrewsKey) + ": row " + std::to_string(i + 1) + " is not [depth, susceptance]");
        points.push_back({row.at(0).toDouble(), row.at(1).toDouble()});
    }
    std::string why;
    if (!points.empty() && !CheckScrewTable(points, why)) return Fail(error, std::string(kScrewsKey) + ": " + why);
    t.screws = std::move(points);
    return true;
}

}  // namespace

void AppendTunerSection(std::string& out, const TTunerInputs& t)
{
    const auto key = [&out](const char* k, bool first = false) {
        out += first ? "\n    " : ",\n    ";
        AppendJsonString(out, k);
        out += ": ";
    };
    out += ",\n  ";
    AppendJsonString(out, kTunerSection);
    out += ": {";
    key(kMethodKey, true);
    AppendJsonString(out, MethodName(t.method));
    key(InputRow(Input::TunerSpacing).key);
    AppendShortest(out, t.spacingMm);
    key(InputRow(Input::TunerSolution).key);
    out += std::to_string(t.solution + 1);
    key(kScrewsKey);
    out += '[';
    for (std::size_t i = 0; i < t.screws.size(); ++i) {
        out += i ? ", [" : "[";
        AppendShortest(out, t.screws[i].depthMm);
        out += ", ";
        AppendShortest(out, t.screws[i].susceptance);
        out += ']';
    }
    out += "]\n  }";
}

bool ReadTunerSection(const QJsonObject& root, TTunerInputs& t, std::string& error, std::vector<std::string>& unknown)
{
    const QJsonValue section = root.value(QLatin1String(kTunerSection));
    if (section.isUndefined() || section.isNull()) return true;
    if (!section.isObject()) {
        error = std::string(kTunerSection) + ": an object is expected, not " + JsonTypeName(section);
        return false;
    }
    const QJsonObject o = section.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string k = it.key().toStdString();
        if (k != kMethodKey && k != kScrewsKey && !InputRowByKey(kTunerSection, k))
            unknown.push_back(std::string(kTunerSection) + "." + k);
    }
    const TTunerLimits& l = TunerLimits();
    TTunerInputs read = t;
    const QJsonValue method = o.value(QLatin1String(kMethodKey));
    if (!method.isUndefined() && !method.isNull() && !ReadMethod(method, read, error)) return false;

    const char* spacingKey = InputRow(Input::TunerSpacing).key;
    const QJsonValue spacing = o.value(QLatin1String(spacingKey));
    if (!spacing.isUndefined() && !spacing.isNull()) {
        const double mm = spacing.toDouble(-1);
        if (!spacing.isDouble() || !(mm >= l.spacingLo && mm <= l.spacingHi))
            return Fail(error, std::string(spacingKey) + ": a spacing of " + Shortest(l.spacingLo) + " .. " + Shortest(l.spacingHi) +
                                   " mm is expected (0 for the default), not " +
                                   (spacing.isDouble() ? Shortest(spacing.toDouble()) : std::string(JsonTypeName(spacing))));
        read.spacingMm = mm;
    }

    const char* solutionKey = InputRow(Input::TunerSolution).key;
    const QJsonValue solution = o.value(QLatin1String(solutionKey));
    if (!solution.isUndefined() && !solution.isNull()) {
        const double n = solution.toDouble(0);
        if (!solution.isDouble() || n != std::trunc(n) || n < l.solutionLo + 1 || n > l.solutionHi + 1)
            return Fail(error, std::string(solutionKey) + ": " + std::to_string(l.solutionLo + 1) + " or " +
                                   std::to_string(l.solutionHi + 1) + " is expected, not " +
                                   (solution.isDouble() ? Shortest(n) : std::string(JsonTypeName(solution))));
        read.solution = static_cast<int>(n) - 1;
    }

    const QJsonValue screws = o.value(QLatin1String(kScrewsKey));
    if (!screws.isUndefined() && !screws.isNull() && !ReadScrews(screws, read, error)) return false;
    t = std::move(read);
    return true;
}

}  // namespace merivane::present
