// SPDX-License-Identifier: GPL-3.0-or-later
// Every field of the export, in the JSON's "results" and the CSV's columns,
// against its value worked out by hand for one case with a 20 dB coupler.
#include "CaseModel.h"
#include "Export.h"
#include "Fields.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace merivane::present {
namespace {

// 4000 V, 3 A, 85 %: Pmatch = 10200 W. Gs = 0.2 at 30 deg, Gl = 0.5 at 60
// deg: Gs Gl = 0.1 at 90 deg, |1 - 0.1j|^2 = 1.01; in phase 0.9^2, against
// 1.1^2. A 20 dB coupler leaks d = 0.1; d |Gl| = 0.05.
TCase HandCase()
{
    TCase c = DefaultCase();
    c.inputs.Va = 4000;
    c.inputs.Ia = 3;
    c.inputs.Eff = 0.85;
    c.inputs.SrcRfl = TRefl{0.2, 30, -13.9794, 1.5, 0};
    c.inputs.LoaRfl = TRefl{0.5, 60, -6.0206, 3, 0};
    c.inputs.CplDirDb = 20;
    c.ideal = false;
    c.factorUnit = 2;
    c.measUnit = 1;
    return c;
}

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();  // no value

struct THand {
    const char* name;
    double value;
};

std::vector<THand> HandValues()
{
    const double pinc = 10200 / 1.01;
    const double meaMin = 0.4 / 1.05, meaMax = 0.6 / 0.95;  // |g -+ d| / (1 +- d g)
    return {
        {"Va", 4000}, {"Ia", 3}, {"Eff", 0.85},
        {"SrcRfl.Mag", 0.2}, {"SrcRfl.Pha", 30}, {"SrcRfl.Rloss", -13.9794}, {"SrcRfl.Swr", 1.5}, {"SrcRfl.Mism", 0.96},
        {"LoaRfl.Mag", 0.5}, {"LoaRfl.Pha", 60}, {"LoaRfl.Rloss", -6.0206}, {"LoaRfl.Swr", 3}, {"LoaRfl.Mism", 0.75},
        // the couplers' bounds on the load carry no phase (null, an empty cell); their mismatch is 1 - |G|^2
        {"MeaMin.Mag", meaMin}, {"MeaMin.Pha", kNone}, {"MeaMin.Rloss", 20 * std::log10(meaMin)},
        {"MeaMin.Swr", 1.45 / 0.65}, {"MeaMin.Mism", 1 - meaMin * meaMin},
        {"MeaMax.Mag", meaMax}, {"MeaMax.Pha", kNone}, {"MeaMax.Rloss", 20 * std::log10(meaMax)},
        {"MeaMax.Swr", 1.55 / 0.35}, {"MeaMax.Mism", 1 - meaMax * meaMax},
        {"Interf", 1 / 1.01}, {"InterfMin", 1 / 1.21}, {"InterfMax", 1 / 0.81},
        // (1 - |Gs|^2)(1 - |Gl|^2) = 0.96 * 0.75 = 0.72
        {"TrGain", 0.72 / 1.01}, {"TrGainMin", 0.72 / 1.21}, {"TrGainMax", 0.72 / 0.81},
        {"Pav", 10625}, {"Pmatch", 10200},
        {"Pinc", pinc}, {"PincMin", 10200 / 1.21}, {"PincMax", 10200 / 0.81},
        {"Prefl", pinc / 4}, {"PreflMin", 2550 / 1.21}, {"PreflMax", 2550 / 0.81},
        {"Pload", pinc * 0.75}, {"PloadMin", 7650 / 1.21}, {"PloadMax", 7650 / 0.81},
        {"SelUnit", 2}, {"SelErrUnit", 1}, {"CplIdeal", 0}, {"CplDirDb", 20},
        // forward (1 -+ 0.05)^2, reverse (0.5 -+ 0.1)^2, relative to 0.25
        {"ErrInciMinus", 0.9025}, {"ErrInciPlus", 1.1025},
        {"PincMinV", pinc * 0.9025}, {"PincMaxV", pinc * 1.1025},
        {"ErrReflMinus", 0.16 / 0.25}, {"ErrReflPlus", 0.36 / 0.25},
        {"PreflMinV", pinc * 0.16}, {"PreflMaxV", pinc * 0.36},
        // 0.9025 - 0.36 and 1.1025 - 0.16, then over 0.75
        {"PloadMinV", pinc * 0.5425}, {"PloadMaxV", pinc * 0.9425},
        {"PloadMinRelat", 0.5425 / 0.75}, {"PloadMaxRelat", 0.9425 / 0.75},
    };
}

void ExpectHand(const std::string& where, const std::map<std::string, double>& got)
{
    const std::vector<THand> hand = HandValues();
    ASSERT_EQ(hand.size(), 56u);
    ASSERT_EQ(ModelFields().size(), hand.size());
    for (const THand& h : hand) {
        const auto it = got.find(h.name);
        ASSERT_NE(it, got.end()) << where << " has no " << h.name;
        if (std::isnan(h.value)) {
            EXPECT_TRUE(std::isnan(it->second)) << where << " " << h.name << " is " << it->second;
        } else {
            EXPECT_NEAR(it->second, h.value, 1e-12 * std::fabs(h.value) + 1e-15) << where << " " << h.name;
        }
    }
}

std::vector<std::string> Cells(const std::string& line)
{
    // the fields' columns hold plain numbers; text cells after them may be quoted
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) cells.emplace_back();
        else cells.back() += c;
    }
    return cells;
}

TEST(ExportFields, TheJsonResultsAreTheHandValues)
{
    const TSnapshot s = ComputeCase(HandCase(), 0);
    const QJsonObject results =
        QJsonDocument::fromJson(QByteArray::fromStdString(CaseJson(s.m, s.c.display))).object().value("results").toObject();
    std::map<std::string, double> got;
    for (const QString& key : results.keys()) {
        const QJsonValue v = results.value(key);
        got[key.toStdString()] = v.isBool() ? (v.toBool() ? 1.0 : 0.0) : v.isNull() ? kNone : v.toDouble();
    }
    EXPECT_EQ(got.size(), 56u);
    ExpectHand("JSON", got);
}

TEST(ExportFields, TheCsvColumnsAreTheHandValues)
{
    const TSnapshot s = ComputeCase(HandCase(), 0);
    const std::string csv = CaseCsv(s.m, s.c.display);
    const auto end = csv.find('\n');
    const std::vector<std::string> header = Cells(csv.substr(0, end));
    const std::vector<std::string> row = Cells(csv.substr(end + 1, csv.find('\n', end + 1) - end - 1));
    ASSERT_EQ(header.size(), row.size());
    std::map<std::string, double> got;
    for (const TFieldSpec& f : ModelFields()) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (header[i] != f.name) continue;
            double v = kNone;
            const std::string& cell = row[i];
            const auto r = std::from_chars(cell.data(), cell.data() + cell.size(), v);
            EXPECT_TRUE(r.ec == std::errc() || cell.empty()) << f.name << " reads " << cell;
            got[f.name] = v;
        }
    }
    ExpectHand("CSV", got);
}

}  // namespace
}  // namespace merivane::present
