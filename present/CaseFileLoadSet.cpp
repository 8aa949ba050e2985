// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileLoadSet.h"

#include "CaseFileMeasured.h"
#include "CaseFileParts.h"
#include "Export.h"
#include "ReflectionText.h"

#include <QJsonArray>
#include <QJsonValue>

namespace merivane::present {

namespace {

constexpr char kRobustKey[] = "robust", kLoadsKey[] = "loads", kNameKey[] = "name", kLoadKey[] = "load",
               kMeasuredKey[] = "measured";

bool Fail(std::string& error, const std::string& message)
{
    if (error.empty()) error = message;
    return false;
}

bool ReadLoad(const QJsonValue& v, const std::string& path, TSetLoad& load, std::string& error,
              std::vector<std::string>& unknown, std::vector<std::string>& clamps)
{
    if (!v.isObject()) return Fail(error, path + ": an object is expected, not " + JsonTypeName(v));
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key != kNameKey && key != kLoadKey && key != kMeasuredKey) unknown.push_back(path + "." + key);
    }
    const QJsonValue name = o.value(QLatin1String(kNameKey));
    if (!name.isString() || name.toString().trimmed().isEmpty())
        return Fail(error, path + ".name: the load's name is expected");
    load.name = name.toString().trimmed().toStdString();
    const QJsonValue typed = o.value(QLatin1String(kLoadKey)), measured = o.value(QLatin1String(kMeasuredKey));
    if (typed.isUndefined() == measured.isUndefined())
        return Fail(error, path + ": either \"load\" or \"measured\" is expected");
    if (!measured.isUndefined()) {
        TMeasuredLoad m;
        if (!ReadMeasuredObject(measured, path + ".measured", m, error, unknown, clamps)) return false;
        load.measured = std::move(m);
        return true;
    }
    if (!typed.isString()) return Fail(error, path + ".load: a text is expected, not " + JsonTypeName(typed));
    int form = 0;
    const TInputReading r =
        ReadReflectionInput(typed.toString().toStdString(), Input::LoaMag, Input::LoaPha, load.refl, form);
    if (!r.ok) return Fail(error, path + ".load: " + r.error);
    if (!r.warning.empty()) clamps.push_back(path + ".load: " + r.warning);
    return true;
}

}  // namespace

void AppendLoadSetSection(std::string& out, const TCase& c)
{
    if (c.loadSet.empty() && !c.robust) return;
    out += ",\n  ";
    AppendJsonString(out, kLoadSetSection);
    out += ": {\n    ";
    AppendJsonString(out, kRobustKey);
    out += c.robust ? ": true,\n    " : ": false,\n    ";
    AppendJsonString(out, kLoadsKey);
    out += ": [";
    for (std::size_t i = 0; i < c.loadSet.size(); ++i) {
        const TSetLoad& load = c.loadSet[i];
        out += i ? ",\n      {" : "\n      {";
        AppendJsonString(out, kNameKey);
        out += ": ";
        AppendJsonString(out, load.name);
        out += ", ";
        if (load.measured) {
            AppendJsonString(out, kMeasuredKey);
            out += ": ";
            AppendMeasuredObject(out, *load.measured, "      ");
        } else {
            AppendJsonString(out, kLoadKey);
            out += ": ";
            AppendJsonString(out, ReflectionInputText(load.refl, 0, Input::LoaMag, Input::LoaPha));
        }
        out += '}';
    }
    out += c.loadSet.empty() ? "]\n  }" : "\n    ]\n  }";
}

bool ReadLoadSetSection(const QJsonObject& root, TCase& c, std::string& error, std::vector<std::string>& unknown,
                        std::vector<std::string>& clamps)
{
    const QJsonValue section = root.value(QLatin1String(kLoadSetSection));
    if (section.isUndefined() || section.isNull()) return true;
    const std::string path = kLoadSetSection;
    if (!section.isObject()) return Fail(error, path + ": an object is expected, not " + JsonTypeName(section));
    const QJsonObject o = section.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key != kRobustKey && key != kLoadsKey) unknown.push_back(path + "." + key);
    }
    const QJsonValue robust = o.value(QLatin1String(kRobustKey)), loads = o.value(QLatin1String(kLoadsKey));
    if (!robust.isUndefined() && !robust.isBool())
        return Fail(error, path + ".robust: true or false is expected, not " + JsonTypeName(robust));
    if (!loads.isUndefined() && !loads.isArray())
        return Fail(error, path + ".loads: a list is expected, not " + JsonTypeName(loads));
    std::vector<TSetLoad> read;
    const QJsonArray list = loads.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        TSetLoad load;
        if (!ReadLoad(list[i], path + ".loads[" + std::to_string(i) + "]", load, error, unknown, clamps)) return false;
        read.push_back(std::move(load));
    }
    c.robust = robust.toBool(false);
    c.loadSet = std::move(read);
    return true;
}

}  // namespace merivane::present
