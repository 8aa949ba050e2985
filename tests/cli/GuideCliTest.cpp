// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc with the guide's options: the peak field's reference figures
// and the copper line's loss in the JSON's "guide" against hand figures and
// the closed forms, no loss leaving the sweep's numbers as they were, the
// batch columns, a case file's guide, and the bad uses.
#include "Calc.h"
#include "RowNames.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>

namespace {

QJsonObject Doc(const TRun& r) { return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object(); }
QJsonObject GuideOf(const TRun& r) { return Doc(r).value("guide").toObject(); }

struct TFieldRun {
    const char* name;
    QStringList args;
    double kvPerM;
};

class GuideField : public ::testing::TestWithParam<TFieldRun> {};

TEST_P(GuideField, ReferenceFiguresInTheJson)
{
    // a matched source and load: Pinc = Va Ia Eff
    QStringList args = GetParam().args;
    args << "--source" << "0" << "--load" << "0" << "--eff" << "100" << "--va" << "10000" << "--breakdown" << "3000"
         << "--format" << "json";
    const TRun r = RunCalc(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject g = GuideOf(r);
    ASSERT_FALSE(g.isEmpty()) << r.out;
    EXPECT_NEAR(g.value("peak_field_kv_per_m").toDouble(), GetParam().kvPerM, 0.005);
    EXPECT_NEAR(g.value("breakdown_margin").toDouble(), 3000 / GetParam().kvPerM, 0.01);
    EXPECT_EQ(g.value("attenuation_db_per_m").toDouble(-1), 0.0);
    EXPECT_EQ(g.value("line_loss_w").toDouble(-1), 0.0);
}

const TFieldRun kFieldRuns[] = {
    // sqrt(4 * 533.8 * 1000 / (0.08636 * 0.04318)) V/m
    {"wr340_1kw_2450", {"--line", "WR340", "--frequency", "2450", "--ia", "0.1"}, 23.93},
    // sqrt(4 * 502.3 * 75000 / (0.24765 * 0.123825)) V/m
    {"wr975_75kw_915", {"--line", "WR975", "--frequency", "915", "--ia", "7.5"}, 70.10},
};

INSTANTIATE_TEST_SUITE_P(Guide, GuideField, ::testing::ValuesIn(kFieldRuns), ROW_NAMES(std::string(r.name)));

TEST(GuideOptions, CopperOverTenMetres)
{
    // alpha = 0.0146572 dB/m; over 10 m the power passes T = 10^(-0.146572 / 10)
    // one way. Source 0: P+ = Pmatch = 10200 W; Gl = 0.5: the line loses
    // P+ (1 - T)(1 + 0.25 T), the load takes P+ T 0.75.
    const TRun r = RunCalc({"--source", "0", "--line", "WR340", "--length", "10", "--conductor", "Copper", "--format",
                            "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject g = GuideOf(r);
    const double t = std::pow(10.0, -0.146572 / 10);
    EXPECT_NEAR(g.value("attenuation_db_per_m").toDouble(), 0.0146572, 1e-6);
    EXPECT_NEAR(g.value("line_loss_w").toDouble(), 10200 * (1 - t) * (1 + 0.25 * t), 0.01);
    EXPECT_NEAR(g.value("absorbed_w").toDouble(), 10200 * t * 0.75, 0.01);
    EXPECT_NEAR(g.value("source_end_reflection").toDouble(), 0.5 * t, 1e-7);
    // the sweep takes the loss: with no interference every length absorbs the same
    EXPECT_NEAR(Doc(r).value("sweep").toObject().value("mean_absorbed_w").toDouble(), 10200 * t * 0.75, 0.01);
}

TEST(GuideOptions, NoLossLeavesTheSweepAsItWas)
{
    const QStringList line = {"--line", "WR430", "--length", "7", "--span", "5", "--format", "json"};
    const TRun plain = RunCalc(line);
    const TRun zero = RunCalc(QStringList(line) << "--loss" << "0");
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(zero.status, 0) << zero.err;
    EXPECT_FALSE(Doc(plain).contains("guide"));
    EXPECT_TRUE(Doc(zero).contains("guide"));
    EXPECT_EQ(Doc(plain).value("sweep"), Doc(zero).value("sweep"));
    EXPECT_EQ(Doc(plain).value("results"), Doc(zero).value("results"));
    // and a loss changes it
    const TRun lossy = RunCalc(QStringList(line) << "--loss" << "0.5");
    EXPECT_NE(Doc(plain).value("sweep"), Doc(lossy).value("sweep"));
}

TEST(GuideOptions, CoaxTakesAnEnteredLossOnly)
{
    const TRun entered = RunCalc({"--line", "coax:0.66", "--length", "10", "--loss", "0.3", "--format", "json"});
    ASSERT_EQ(entered.status, 0) << entered.err;
    EXPECT_EQ(GuideOf(entered).value("attenuation_db_per_m").toDouble(), 0.3);
    EXPECT_TRUE(GuideOf(entered).value("peak_field_kv_per_m").isNull());
    EXPECT_GT(GuideOf(entered).value("line_loss_w").toDouble(), 0);
    const TRun metal = RunCalc({"--line", "coax", "--length", "10", "--conductor", "brass", "--format", "json"});
    ASSERT_EQ(metal.status, 0) << metal.err;
    EXPECT_TRUE(GuideOf(metal).value("attenuation_db_per_m").isNull());
    EXPECT_EQ(GuideOf(metal).value("line_loss_w").toDouble(-1), 0.0);
}

struct TBadRun {
    const char* name;
    QStringList args;
    const char* message;
};

class BadGuideOption : public ::testing::TestWithParam<TBadRun> {};

TEST_P(BadGuideOption, IsBadUsageWithAMessage)
{
    const TRun r = RunCalc(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

const TBadRun kBadRuns[] = {
    {"both_losses", {"--loss", "1", "--conductor", "copper"}, "--loss and --conductor"},
    {"unknown_metal", {"--conductor", "gold"}, "not one of copper, aluminium, brass"},
    {"loss_not_a_number", {"--loss", "some"}, "--loss \"some\": not a number"},
    {"breakdown_not_a_number", {"--breakdown", "high"}, "--breakdown \"high\": not a number"},
};

INSTANTIATE_TEST_SUITE_P(Guide, BadGuideOption, ::testing::ValuesIn(kBadRuns), ROW_NAMES(std::string(r.name)));

TEST(GuideOptions, AClampIsAWarning)
{
    const TRun r = RunCalc({"--breakdown", "0", "--format", "json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("warning: --breakdown"), std::string::npos) << r.err;
}

TEST(GuideOptions, TheTextHasASectionGuide)
{
    const TRun r = RunCalc({"--line", "WR340", "--length", "3", "--conductor", "aluminium"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Guide"), std::string::npos);
    EXPECT_NE(r.out.find("Power lost in the line"), std::string::npos);
    EXPECT_NE(r.out.find("conductor, aluminium"), std::string::npos);
}

TEST(GuideOptions, BatchRowsEndInTheGuidesColumns)
{
    const TRun r = RunCalc({"--batch", "-", "--line", "WR340", "--length", "10", "--conductor", "copper"},
                           "id,source\na,0\nb,0.3@20\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    const std::string tail = ",peak_field_kv_per_m,peak_field_max_kv_per_m,breakdown_margin,attenuation_db_per_m,"
                             "line_loss_w,absorbed_w,source_end_reflection";
    ASSERT_GE(lines[0].size(), tail.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - tail.size()), tail);
    // row a: source 0, the copper line's loss as above; the last cells
    const double t = std::pow(10.0, -0.146572 / 10);
    std::vector<std::string> cells;
    std::stringstream row(lines[1]);
    for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
    ASSERT_GE(cells.size(), 7u);
    EXPECT_NEAR(std::stod(cells[cells.size() - 4]), 0.0146572, 1e-6);
    EXPECT_NEAR(std::stod(cells[cells.size() - 3]), 10200 * (1 - t) * (1 + 0.25 * t), 0.01);
    EXPECT_NEAR(std::stod(cells[cells.size() - 1]), 0.5 * t, 1e-7);
}

TEST(GuideOptions, ACaseFilesGuideAndOptionsOverIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("guide.merivane");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"format": "merivane-case", "version": 1, "line": {"line": "WR340", "length": 10},
                "guide": {"loss": "entered", "loss_db_per_m": 0.2, "breakdown_kv_per_m": 1000}})");
    f.close();
    const TRun fromFile = RunCalc({"--case", path, "--format", "json"});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(GuideOf(fromFile).value("attenuation_db_per_m").toDouble(), 0.2);
    const double field = GuideOf(fromFile).value("peak_field_max_kv_per_m").toDouble();
    EXPECT_NEAR(GuideOf(fromFile).value("breakdown_margin").toDouble(), 1000 / field, 1e-9 * 1000 / field);
    const TRun over = RunCalc({"--case", path, "--conductor", "copper", "--format", "json"});
    ASSERT_EQ(over.status, 0) << over.err;
    EXPECT_NEAR(GuideOf(over).value("attenuation_db_per_m").toDouble(), 0.0146572, 1e-6);
}

TEST(GuideOptions, AreInTheHelp)
{
    const TRun r = RunCalc({"--help"});
    for (const char* option : {"--loss", "--conductor", "--breakdown", "--guide-height"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

}  // namespace
