// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileMeasured.h"

#include "CaseFileParts.h"
#include "EntryReader.h"
#include "Export.h"
#include "Fields.h"
#include "InputRows.h"
#include "ReflectionText.h"

#include <QJsonArray>
#include <QJsonValue>

#include <cmath>

namespace merivane::present {

namespace {

constexpr char kFileKey[] = "file", kPortKey[] = "port", kPointsKey[] = "points";

const char* Key(Input id) { return InputRow(id).key; }

bool Fail(std::string& error, const std::string& message)
{
    if (error.empty()) error = message;
    return false;
}

// A number of the section by its row of the input table; absent keeps value.
bool ReadRowNumber(const QJsonObject& o, const std::string& path, Input id, double& value, std::string& error,
                   std::vector<std::string>& clamps)
{
    const auto Path = [&](const char* key) { return path + "." + key; };
    const QJsonValue v = o.value(QLatin1String(Key(id)));
    if (v.isUndefined() || v.isNull()) return true;
    if (!v.isDouble()) return Fail(error, Path(Key(id)) + ": a number is expected, not " + JsonTypeName(v));
    const TInputReading r = ReadInputNumber(id, Shortest(v.toDouble()), value);
    if (!r.ok) return Fail(error, Path(Key(id)) + ": " + r.error);
    if (!r.warning.empty()) clamps.push_back(Path(Key(id)) + ": " + r.warning);
    return true;
}

bool ReadPoints(const QJsonValue& v, const std::string& path, TMeasuredLoad& load, std::string& error)
{
    if (!v.isArray()) return Fail(error, path + ": a list is expected, not " + JsonTypeName(v));
    const QJsonArray points = v.toArray();
    if (points.isEmpty()) return Fail(error, path + ": the list has no points");
    for (qsizetype i = 0; i < points.size(); ++i) {
        const std::string where = path + "[" + std::to_string(i) + "]";
        const QJsonArray p = points[i].toArray();
        if (!points[i].isArray() || p.size() != 3 || !p[0].isDouble() || !p[1].isDouble() || !p[2].isDouble())
            return Fail(error, where + ": [frequency_hz, re, im] is expected");
        const double f = p[0].toDouble(), re = p[1].toDouble(), im = p[2].toDouble();
        if (!std::isfinite(f) || !std::isfinite(re) || !std::isfinite(im) || f < 0)
            return Fail(error, where + ": the numbers must be finite, the frequency not negative");
        if (!load.freqHz.empty() && f < load.freqHz.back())
            return Fail(error, where + ": the frequency is lower than the one before it");
        load.freqHz.push_back(f);
        load.gamma.emplace_back(re, im);
    }
    return true;
}

}  // namespace

void AppendMeasuredObject(std::string& out, const TMeasuredLoad& load, const std::string& indent)
{
    const std::string in = ",\n" + indent + "  ";
    out += "{\n" + indent + "  ";
    AppendJsonString(out, kFileKey);
    out += ": ";
    AppendJsonString(out, load.file);
    out += in;
    AppendJsonString(out, kPortKey);
    out += ": ";
    AppendInteger(out, load.port);
    out += in;
    AppendJsonString(out, Key(Input::PlaneShiftMm));
    out += ": ";
    AppendShortest(out, load.planeShiftMm + 0.0);
    if (load.bandHalfMHz > 0) {  // a band of its own; files without it keep the pulling range's
        out += in;
        AppendJsonString(out, Key(Input::BandHalfMHz));
        out += ": ";
        AppendShortest(out, load.bandHalfMHz);
    }
    out += in;
    AppendJsonString(out, kPointsKey);
    out += ": [";
    for (std::size_t k = 0; k < load.freqHz.size(); ++k) {
        out += (k ? ",\n" : "\n") + indent + "    [";
        AppendShortest(out, load.freqHz[k]);
        out += ", ";
        AppendShortest(out, load.gamma[k].real());
        out += ", ";
        AppendShortest(out, load.gamma[k].imag());
        out += ']';
    }
    out += "\n" + indent + "  ]\n" + indent + "}";
}

void AppendMeasuredSection(std::string& out, const std::optional<TMeasuredLoad>& load)
{
    if (!load) return;
    out += ",\n  ";
    AppendJsonString(out, kMeasuredSection);
    out += ": ";
    AppendMeasuredObject(out, *load, "  ");
}

bool ReadMeasuredObject(const QJsonValue& section, const std::string& path, TMeasuredLoad& load, std::string& error,
                        std::vector<std::string>& unknown, std::vector<std::string>& clamps)
{
    const auto at = [&](const std::string& key) { return path + "." + key; };
    if (!section.isObject()) return Fail(error, path + ": an object is expected, not " + JsonTypeName(section));
    const QJsonObject o = section.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key != kFileKey && key != kPortKey && key != kPointsKey && key != Key(Input::PlaneShiftMm) &&
            key != Key(Input::BandHalfMHz))
            unknown.push_back(at(key));
    }
    TMeasuredLoad read;
    const QJsonValue file = o.value(QLatin1String(kFileKey)), port = o.value(QLatin1String(kPortKey));
    if (!file.isUndefined() && !file.isString())
        return Fail(error, at(kFileKey) + ": a text is expected, not " + JsonTypeName(file));
    read.file = file.toString().toStdString();
    if (!port.isUndefined()) {
        const double k = port.toDouble(-1);
        if (!port.isDouble() || k < 1 || k > 1e6 || k != std::trunc(k))
            return Fail(error, at(kPortKey) + ": a whole number from 1 is expected");
        read.port = static_cast<int>(k);
    }
    if (!ReadRowNumber(o, path, Input::PlaneShiftMm, read.planeShiftMm, error, clamps) ||
        !ReadRowNumber(o, path, Input::BandHalfMHz, read.bandHalfMHz, error, clamps))
        return false;
    if (!ReadPoints(o.value(QLatin1String(kPointsKey)), at(kPointsKey), read, error)) return false;
    load = std::move(read);
    return true;
}

bool ReadMeasuredSection(const QJsonObject& root, std::optional<TMeasuredLoad>& load, std::string& error,
                         std::vector<std::string>& unknown, std::vector<std::string>& clamps)
{
    const QJsonValue section = root.value(QLatin1String(kMeasuredSection));
    if (section.isUndefined() || section.isNull()) return true;
    TMeasuredLoad read;
    if (!ReadMeasuredObject(section, kMeasuredSection, read, error, unknown, clamps)) return false;
    load = std::move(read);
    return true;
}

}  // namespace merivane::present
