// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseFileApplicator.h"

#include "CaseFileParts.h"
#include "Export.h"
#include "Fields.h"
#include "InputRows.h"
#include "ReflectionText.h"
#include "Touchstone.h"

#include <QJsonArray>
#include <QJsonValue>

#include <cmath>

namespace merivane::present {

namespace {

constexpr char kFileKey[] = "file", kPortsKey[] = "ports", kPointsKey[] = "points", kFeedsKey[] = "feeds";

// A feed's keys, each read by its row of the input table.
struct TFeedKey {
    const char* key;
    Input id;
};
constexpr TFeedKey kPower{"power_w", Input::FeedPowerW}, kFrequency{"frequency_mhz", Input::FeedFrequencyMHz},
    kIsolation{"isolation_db", Input::FeedIsolationDb}, kRating{"dummy_rating_w", Input::FeedDummyRatingW};
constexpr TFeedKey kFeedKeys[] = {kPower, kFrequency, kIsolation, kRating};

bool Fail(std::string& error, const std::string& message)
{
    if (error.empty()) error = message;
    return false;
}

// Every number shortest, -0 as 0: Qt reads "-0" back as 0, and the text
// must read back as it was written.
void Number(std::string& out, double v) { AppendShortest(out, v + 0.0); }

void Key(std::string& out, const char* key)
{
    AppendJsonString(out, key);
    out += ": ";
}

void AppendPoints(std::string& out, const TApplicatorData& d)
{
    const std::size_t nn = static_cast<std::size_t>(d.ports) * static_cast<std::size_t>(d.ports);
    for (std::size_t k = 0; k < d.frequencyHz.size(); ++k) {
        out += k ? ",\n      [" : "\n      [";
        Number(out, d.frequencyHz[k]);
        for (std::size_t e = k * nn; e < (k + 1) * nn && e < d.s.size(); ++e) {
            out += ", ";
            Number(out, d.s[e].real());
            out += ", ";
            Number(out, d.s[e].imag());
        }
        out += ']';
    }
    out += d.frequencyHz.empty() ? "]" : "\n    ]";
}

void AppendFeed(std::string& out, const TFeedCase& f)
{
    out += '{';
    Key(out, kPower.key);
    Number(out, f.powerW);
    out += ", ";
    Key(out, kFrequency.key);
    if (f.frequencyMHz)
        Number(out, *f.frequencyMHz);
    else
        out += "null";
    out += ", ";
    Key(out, kIsolation.key);
    Number(out, f.isolationDb);
    out += ", ";
    Key(out, kRating.key);
    Number(out, f.dummyRatingW);
    out += '}';
}

// A feed's number by its row; absent or null keeps value.
bool ReadFeedNumber(const QJsonObject& o, const std::string& path, const TFeedKey& k, double& value, std::string& error,
                    std::vector<std::string>& clamps)
{
    const QJsonValue v = o.value(QLatin1String(k.key));
    if (v.isUndefined() || v.isNull()) return true;
    const std::string at = path + "." + k.key;
    if (!v.isDouble()) return Fail(error, at + ": a number is expected, not " + JsonTypeName(v));
    const TInputReading r = ReadInputNumber(k.id, Shortest(v.toDouble()), value);
    if (!r.ok) return Fail(error, at + ": " + r.error);
    if (!r.warning.empty()) clamps.push_back(at + ": " + r.warning);
    return true;
}

bool ReadFeed(const QJsonValue& v, const std::string& path, TFeedCase& feed, std::string& error,
              std::vector<std::string>& unknown, std::vector<std::string>& clamps)
{
    if (!v.isObject()) return Fail(error, path + ": an object is expected, not " + JsonTypeName(v));
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool known = false;
        for (const TFeedKey& k : kFeedKeys) known = known || it.key() == QLatin1String(k.key);
        if (!known) unknown.push_back(path + "." + it.key().toStdString());
    }
    if (!ReadFeedNumber(o, path, kPower, feed.powerW, error, clamps) ||
        !ReadFeedNumber(o, path, kIsolation, feed.isolationDb, error, clamps) ||
        !ReadFeedNumber(o, path, kRating, feed.dummyRatingW, error, clamps))
        return false;
    double f = 0;
    const QJsonValue given = o.value(QLatin1String(kFrequency.key));
    if (given.isUndefined() || given.isNull()) return true;  // the case's frequency
    if (!ReadFeedNumber(o, path, kFrequency, f, error, clamps)) return false;
    feed.frequencyMHz = f;
    return true;
}

// A point: [f_hz, re11, im11, re12, ...], 1 + 2N² finite numbers.
bool ReadPoint(const QJsonValue& v, const std::string& where, TApplicatorData& d, std::string& error)
{
    const std::size_t nn = static_cast<std::size_t>(d.ports) * static_cast<std::size_t>(d.ports);
    const std::string count = std::to_string(1 + 2 * nn);
    if (!v.isArray())
        return Fail(error, where + ": a list of " + count + " numbers is expected, not " + JsonTypeName(v));
    const QJsonArray p = v.toArray();
    if (static_cast<std::size_t>(p.size()) != 1 + 2 * nn)
        return Fail(error, where + ": " + count + " numbers are expected for " + std::to_string(d.ports) +
                               " ports (the frequency in Hz, then re and im of S row by row), not " +
                               std::to_string(p.size()));
    for (qsizetype j = 0; j < p.size(); ++j)
        if (!p[j].isDouble() || !std::isfinite(p[j].toDouble()))
            return Fail(error, where + "[" + std::to_string(j) + "]: a finite number is expected, not " +
                                   (p[j].isDouble() ? std::string("an infinite one") : JsonTypeName(p[j])));
    const double f = p[0].toDouble();
    if (f < 0) return Fail(error, where + ": the frequency is negative");
    if (!d.frequencyHz.empty() && f < d.frequencyHz.back())
        return Fail(error, where + ": the frequency is lower than the one before it");
    d.frequencyHz.push_back(f);
    for (qsizetype j = 1; j + 1 < p.size(); j += 2) d.s.emplace_back(p[j].toDouble(), p[j + 1].toDouble());
    return true;
}

bool ReadPorts(const QJsonValue& v, const std::string& at, int& ports, std::string& error)
{
    const double n = v.toDouble(-1);
    if (!v.isDouble() || n < 1 || n > touchstone::kMaxPorts || n != std::trunc(n))
        return Fail(error, at + ": a whole number of ports from 1 to " + std::to_string(touchstone::kMaxPorts) +
                               " is expected");
    ports = static_cast<int>(n);
    return true;
}

bool ReadList(const QJsonValue& v, const std::string& at, QJsonArray& list, std::string& error)
{
    if (!v.isArray()) return Fail(error, at + ": a list is expected, not " + JsonTypeName(v));
    list = v.toArray();
    return true;
}

}  // namespace

void AppendApplicatorSection(std::string& out, const std::optional<TApplicatorCase>& a)
{
    if (!a) return;
    out += ",\n  ";
    Key(out, kApplicatorSection);
    out += "{\n    ";
    Key(out, kFileKey);
    AppendJsonString(out, a->file);
    out += ",\n    ";
    Key(out, kPortsKey);
    AppendInteger(out, a->data.ports);
    out += ",\n    ";
    Key(out, kPointsKey);
    out += '[';
    AppendPoints(out, a->data);
    out += ",\n    ";
    Key(out, kFeedsKey);
    out += '[';
    for (std::size_t i = 0; i < a->feeds.size(); ++i) {
        out += i ? ",\n      " : "\n      ";
        AppendFeed(out, a->feeds[i]);
    }
    out += a->feeds.empty() ? "]" : "\n    ]";
    out += "\n  }";
}

bool ReadApplicatorSection(const QJsonObject& root, std::optional<TApplicatorCase>& a, std::string& error,
                           std::vector<std::string>& unknown, std::vector<std::string>& clamps)
{
    const QJsonValue section = root.value(QLatin1String(kApplicatorSection));
    if (section.isUndefined() || section.isNull()) return true;
    const std::string path = kApplicatorSection;
    const auto at = [&](const char* key) { return path + "." + key; };
    if (!section.isObject()) return Fail(error, path + ": an object is expected, not " + JsonTypeName(section));
    const QJsonObject o = section.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key != kFileKey && key != kPortsKey && key != kPointsKey && key != kFeedsKey)
            unknown.push_back(path + "." + key);
    }
    TApplicatorCase read;
    const QJsonValue file = o.value(QLatin1String(kFileKey));
    if (!file.isUndefined() && !file.isString())
        return Fail(error, at(kFileKey) + ": a text is expected, not " + JsonTypeName(file));
    read.file = file.toString().toStdString();
    QJsonArray points, feeds;
    if (!ReadPorts(o.value(QLatin1String(kPortsKey)), at(kPortsKey), read.data.ports, error) ||
        !ReadList(o.value(QLatin1String(kPointsKey)), at(kPointsKey), points, error))
        return false;
    if (points.isEmpty()) return Fail(error, at(kPointsKey) + ": the list has no points");
    for (qsizetype k = 0; k < points.size(); ++k)
        if (!ReadPoint(points[k], at(kPointsKey) + "[" + std::to_string(k) + "]", read.data, error)) return false;
    if (!ReadList(o.value(QLatin1String(kFeedsKey)), at(kFeedsKey), feeds, error)) return false;
    if (feeds.size() != read.data.ports) {
        const auto counted = [](qsizetype n, const char* noun) { return std::to_string(n) + noun + (n == 1 ? "" : "s"); };
        return Fail(error, at(kFeedsKey) + ": " + counted(feeds.size(), " feed") + " for " +
                               counted(read.data.ports, " port") + ", one per port is expected");
    }
    read.feeds.resize(static_cast<std::size_t>(feeds.size()));
    for (qsizetype i = 0; i < feeds.size(); ++i)
        if (!ReadFeed(feeds[i], at(kFeedsKey) + "[" + std::to_string(i) + "]", read.feeds[static_cast<std::size_t>(i)],
                      error, unknown, clamps))
            return false;
    a = std::move(read);
    return true;
}

}  // namespace merivane::present
