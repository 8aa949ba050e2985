// SPDX-License-Identifier: GPL-3.0-or-later
// The case as data: every model field by name, numbers that read back as the
// same doubles, the CSV and JSON texts and the batch row.
#include "Example.h"
#include "Export.h"
#include "Fields.h"
#include "RowNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace merivane::present;
using merivane::TModel;

// A CSV line's cells, quotes undone.
std::vector<std::string> CsvCells(const std::string& line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

double Read(const std::string& s)
{
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    EXPECT_EQ(*end, '\0') << s;
    return v;
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// A model whose every real field holds a random double of any magnitude, the
// integers and the flag random too.
TModel RandomModel(std::mt19937_64& rng)
{
    TModel m;
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (double* d : {&m.Ia, &m.Eff, &m.SrcRfl.Mag, &m.SrcRfl.Pha, &m.SrcRfl.Rloss, &m.SrcRfl.Swr, &m.SrcRfl.Mism,
                      &m.LoaRfl.Mag, &m.LoaRfl.Pha, &m.LoaRfl.Rloss, &m.LoaRfl.Swr, &m.LoaRfl.Mism, &m.MeaMin.Mag,
                      &m.MeaMin.Pha, &m.MeaMin.Rloss, &m.MeaMin.Swr, &m.MeaMin.Mism, &m.MeaMax.Mag, &m.MeaMax.Pha,
                      &m.MeaMax.Rloss, &m.MeaMax.Swr, &m.MeaMax.Mism, &m.Interf, &m.InterfMin, &m.InterfMax,
                      &m.TrGain, &m.TrGainMin, &m.TrGainMax, &m.Pav, &m.Pmatch, &m.Pinc, &m.PincMin, &m.PincMax,
                      &m.Prefl, &m.PreflMin, &m.PreflMax, &m.Pload, &m.PloadMin, &m.PloadMax, &m.CplDirDb,
                      &m.ErrInciMinus, &m.ErrInciPlus, &m.PincMinV, &m.PincMaxV, &m.ErrReflMinus, &m.ErrReflPlus,
                      &m.PreflMinV, &m.PreflMaxV, &m.PloadMinV, &m.PloadMaxV, &m.PloadMinRelat, &m.PloadMaxRelat})
        *d = std::ldexp(mantissa(rng), exponent(rng) * 3);
    m.Va = static_cast<std::int32_t>(rng() % 100001);
    m.SelUnit = static_cast<std::int32_t>(rng() % 3);
    m.SelErrUnit = static_cast<std::int32_t>(rng() % 3);
    m.CplIdeal = rng() % 2 == 0;
    return m;
}

TEST(Fields, ThePublicNamesStayAsScriptsReadThemInTheOrderOfTheModel)
{
    std::vector<std::string> names;
    for (const TFieldSpec& f : ModelFields()) names.push_back(f.name);
    const std::vector<std::string> expected = {
        "Va", "Ia", "Eff",
        "SrcRfl.Mag", "SrcRfl.Pha", "SrcRfl.Rloss", "SrcRfl.Swr", "SrcRfl.Mism",
        "LoaRfl.Mag", "LoaRfl.Pha", "LoaRfl.Rloss", "LoaRfl.Swr", "LoaRfl.Mism",
        "MeaMin.Mag", "MeaMin.Pha", "MeaMin.Rloss", "MeaMin.Swr", "MeaMin.Mism",
        "MeaMax.Mag", "MeaMax.Pha", "MeaMax.Rloss", "MeaMax.Swr", "MeaMax.Mism",
        "Interf", "InterfMin", "InterfMax", "TrGain", "TrGainMin", "TrGainMax", "Pav", "Pmatch",
        "Pinc", "PincMin", "PincMax", "Prefl", "PreflMin", "PreflMax", "Pload", "PloadMin", "PloadMax",
        "SelUnit", "SelErrUnit", "CplIdeal", "CplDirDb", "ErrInciMinus", "ErrInciPlus", "PincMinV", "PincMaxV",
        "ErrReflMinus", "ErrReflPlus", "PreflMinV", "PreflMaxV", "PloadMinV", "PloadMaxV", "PloadMinRelat",
        "PloadMaxRelat"};
    EXPECT_EQ(names, expected);
}

TEST(Fields, ValuesOfTheWorkedExample)
{
    const TModel m = WorkedExample(false);
    std::map<std::string, double> v;
    for (const TFieldSpec& f : ModelFields()) v[f.name] = f.value(m);
    EXPECT_EQ(v["Va"], 4000);
    EXPECT_EQ(v["Pmatch"], 10200);       // 4000 V * 3 A * 0.85
    EXPECT_EQ(v["Pav"], 10625);          // 10200 / 0.96
    EXPECT_EQ(v["SrcRfl.Mism"], 0.96);
    EXPECT_EQ(v["LoaRfl.Mism"], 0.75);
    EXPECT_NEAR(v["Interf"], 1 / 1.01, 1e-15);
    EXPECT_NEAR(v["InterfMax"], 1 / 0.81, 1e-15);
    EXPECT_NEAR(v["Pload"], 10200 / 1.01 * 0.75, 1e-9);
    EXPECT_NEAR(v["PloadMinV"], 5478.71, 0.005);
    EXPECT_NEAR(v["PloadMaxV"], 9518.32, 0.005);
    EXPECT_EQ(v["CplIdeal"], 0);
    EXPECT_EQ(v["CplDirDb"], 20);
}

struct ShortestCase {
    double x;
    const char* text;
};

class ShortestText : public ::testing::TestWithParam<ShortestCase> {};

TEST_P(ShortestText, IsPlainInRangeAndReadsBackExactly)
{
    const std::string s = Shortest(GetParam().x);
    EXPECT_EQ(s, GetParam().text);
    EXPECT_TRUE(SameBits(Read(s), GetParam().x)) << s;
}

INSTANTIATE_TEST_SUITE_P(Numbers, ShortestText,
                         ::testing::Values(ShortestCase{0.1, "0.1"}, ShortestCase{100000, "100000"},
                                           ShortestCase{10625, "10625"}, ShortestCase{1.0 / 3, "0.3333333333333333"},
                                           ShortestCase{0.85, "0.85"}, ShortestCase{-6.5, "-6.5"},
                                           ShortestCase{1e16, "1e+16"}, ShortestCase{1e-8, "1e-08"},
                                           ShortestCase{1e-6, "0.000001"}, ShortestCase{0.0, "0"},
                                           ShortestCase{-0.0, "-0"}, ShortestCase{5e-324, "5e-324"},
                                           ShortestCase{DBL_MAX, "1.7976931348623157e+308"},
                                           ShortestCase{9999999999999998.0, "9999999999999998"}),
                         ROW_NAMES(std::string(r.text)));

TEST(Shortest, RandomDoublesReadBackExactly)
{
    std::mt19937_64 rng(12);
    for (int i = 0; i < 20000; ++i) {
        const double x = std::bit_cast<double>(rng());
        if (!std::isfinite(x)) continue;
        const std::string s = Shortest(x);
        ASSERT_TRUE(SameBits(Read(s), x)) << s;
        // at most 17 significant digits, a sign, a point and five leading zeros
        ASSERT_LE(s.size(), 25u) << s;
    }
}

TEST(CaseCsv, HeaderNamesEveryColumnAndTheRowReadsBack)
{
    std::mt19937_64 rng(7);
    for (int round = 0; round < 50; ++round) {
        const TModel m = RandomModel(rng);
        const std::string csv = CaseCsv(m, TDisplay{});
        const auto end = csv.find('\n');
        ASSERT_EQ(csv.back(), '\n');
        const auto header = CsvCells(csv.substr(0, end));
        const auto row = CsvCells(csv.substr(end + 1, csv.size() - end - 2));
        ASSERT_EQ(header.size(), 6u + 56u + 39u);
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(header[0], "va");
        EXPECT_EQ(header[5], "directivity");
        EXPECT_EQ(header[6 + 56], "Power to Match");
        EXPECT_EQ(header[6 + 56 + 10], "Incident Power, Actual Value");  // quoted, its comma kept
        for (std::size_t i = 0; i < ModelFields().size(); ++i) {
            const TFieldSpec& f = ModelFields()[i];
            ASSERT_EQ(header[6 + i], f.name);
            if (std::isnan(f.value(m))) {
                EXPECT_EQ(row[6 + i], "") << f.name;  // no value: an empty cell
            } else {
                ASSERT_TRUE(SameBits(Read(row[6 + i]), f.value(m))) << f.name << " " << row[6 + i];
            }
        }
    }
}

TEST(CaseCsv, ShowsTheInputsAndTheTextsOfTheWorkedExample)
{
    TDisplay d;
    d.loaRfl = 2;  // the load entered as an SWR
    const std::string csv = CaseCsv(WorkedExample(false), d);
    const auto row = CsvCells(csv.substr(csv.find('\n') + 1, csv.size() - csv.find('\n') - 2));
    EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 6),
              (std::vector<std::string>{"4000", "3", "85", "0.2@0", "swr:3@90", "20"}));
    EXPECT_EQ(row[6 + 56], "10.2 kW");
    EXPECT_EQ(row[6 + 56 + 10], "10.1 kW");
    EXPECT_EQ(row.back(), "13.16");  // Load Meas, Max Error %
    const std::string ideal = CaseCsv(WorkedExample(true), TDisplay{});
    EXPECT_EQ(CsvCells(ideal.substr(ideal.find('\n') + 1))[5], "");  // ideal couplers: no directivity
}

TEST(CaseJson, ReadsBackToTheSameDoubles)
{
    std::mt19937_64 rng(9);
    for (int round = 0; round < 50; ++round) {
        const TModel m = RandomModel(rng);
        const std::string json = CaseJson(m, TDisplay{});
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        const QJsonObject results = doc.object().value("results").toObject();
        ASSERT_EQ(results.size(), 56);
        for (const TFieldSpec& f : ModelFields()) {
            const QJsonValue v = results.value(QString::fromLatin1(f.name));
            if (f.kind == FieldKind::Boolean) {
                ASSERT_TRUE(v.isBool()) << f.name;
                EXPECT_EQ(v.toBool(), f.value(m) != 0) << f.name;
            } else if (std::isnan(f.value(m))) {
                EXPECT_TRUE(v.isNull()) << f.name;  // no value
            } else {
                ASSERT_TRUE(v.isDouble()) << f.name;
                EXPECT_TRUE(SameBits(v.toDouble(), f.value(m))) << f.name;
            }
        }
    }
}

TEST(CaseJson, HoldsTheInputsAndEveryCellByItsAccessibleName)
{
    TDisplay d;
    d.srcRfl = 1;
    const TExtraRegion extra{"Sweep", {{"Absorbed Power at 0 deg", "7.57 kW"}}};
    const std::string json = CaseJson(WorkedExample(false), d, &extra);
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(doc.keys(), (QStringList{"display", "inputs", "results"}));
    const QJsonObject inputs = doc.value("inputs").toObject();
    EXPECT_EQ(inputs.value("va").toInt(), 4000);
    EXPECT_EQ(inputs.value("eff").toDouble(), 85);
    EXPECT_EQ(inputs.value("load").toString().toStdString(), "0.5@90");
    // the source in dB: 20 log10 0.2, at full precision, then its phase
    const std::string source = inputs.value("source").toString().toStdString();
    EXPECT_EQ(source.rfind("db:-13.97940008672", 0), 0u) << source;
    EXPECT_EQ(source.substr(source.size() - 2), "@0");
    EXPECT_EQ(inputs.value("directivity").toDouble(), 20);
    const QJsonObject display = doc.value("display").toObject();
    EXPECT_EQ(display.size(), 39 + 1);
    EXPECT_EQ(display.value("Absorbed Power, Max Value").toString().toStdString(), "9.44 kW");
    EXPECT_EQ(display.value("Source Mismatch").toString().toStdString(), "0.96 Mag");
    EXPECT_EQ(display.value("Absorbed Power at 0 deg").toString().toStdString(), "7.57 kW");
    EXPECT_TRUE(QJsonDocument::fromJson(QByteArray::fromStdString(CaseJson(WorkedExample(true), d)))
                    .object()
                    .value("inputs")
                    .toObject()
                    .value("directivity")
                    .isNull());
}

TEST(BatchRow, InputsThenEveryFieldOnOneLine)
{
    TModel m = WorkedExample(false);
    // a load entered as -20 dB (|G| 0.1) at 45 degrees, a source as SWR 1.5
    m.LoaRfl.Rloss = -20;
    m.LoaRfl.Pha = 45;
    TDisplay d;
    d.srcRfl = 2;
    d.loaRfl = 1;
    std::string row;
    AppendBatchRow(row, m, d);
    ASSERT_EQ(row.back(), '\n');
    ASSERT_EQ(std::count(row.begin(), row.end(), '\n'), 1);
    const auto cells = CsvCells(row.substr(0, row.size() - 1));
    const auto header = CsvCells(BatchHeader());
    ASSERT_EQ(cells.size(), header.size());
    ASSERT_EQ(cells.size(), 62u);
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 6),
              (std::vector<std::string>{"4000", "3", "85", "swr:1.5@0", "db:-20@45", "20"}));
    EXPECT_EQ(cells[6 + 29], "10625");  // Pav
    EXPECT_EQ(cells[6 + 42], "0");      // CplIdeal, as a number
}

}  // namespace
