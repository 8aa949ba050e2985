// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc with an applicator: the powers each feed gets back from a
// 3-port written by hand, the JSON's names, the text's table, a case file's
// applicator, and the options it refuses, each naming itself.
//
// The 3-port is matched, its ports 1 and 2 coupled by 0.1 both ways, over
// 2400 .. 2500 MHz. With P = 1000, 2000, 500 W: port 1 gets 0.01 * 2000 = 20 W
// back, port 2 0.01 * 1000 = 10 W, port 3 nothing; absorbed 3500 - 30 = 3470 W.
#include "Calc.h"

#include "RowNames.h"
#include "TempFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>

namespace {

QJsonObject Json(const TRun& r)
{
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

class ApplicatorCli : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& text) { return WriteTempFile(dir_, name, text); }
    // version 1 writes a 3-port's matrix row by row, a row a line
    QString Oven()
    {
        return Write("oven.s3p", "! by hand\n# MHz S RI R 50\n"
                                 "2400 0 0 0.1 0 0 0\n0.1 0 0 0 0 0\n0 0 0 0 0 0\n"
                                 "2500 0 0 0.1 0 0 0\n0.1 0 0 0 0 0\n0 0 0 0 0 0\n");
    }
    QJsonObject Applicator(QStringList args)
    {
        args << "--format" << "json";
        return Json(RunCalc(args)).value("applicator").toObject();
    }
    QTemporaryDir dir_;
};

TEST_F(ApplicatorCli, EachFeedGetsBackWhatTheOthersSend)
{
    const TRun run = RunCalc({"--applicator", Oven(), "--feed-powers", "1000,2000,500", "--format", "json"});
    const QJsonObject a = Json(run).value("applicator").toObject();
    EXPECT_LT(run.out.find("\"applicator\""), run.out.find("\"display\""));  // before "display", as the other objects
    EXPECT_EQ(a.value("ports").toInt(), 3);
    const QJsonArray feeds = a.value("feeds").toArray();
    ASSERT_EQ(feeds.size(), 3);
    const double power[] = {1000, 2000, 500}, returned[] = {20, 10, 0};
    for (qsizetype i = 0; i < 3; ++i) {
        const QJsonObject f = feeds[i].toObject();
        const std::size_t k = static_cast<std::size_t>(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(f.value("port").toInt(), i + 1);
        EXPECT_EQ(f.value("power_w").toDouble(), power[k]);
        EXPECT_EQ(f.value("frequency_mhz").toDouble(), 2450);  // the case's
        EXPECT_NEAR(f.value("returned_w").toDouble(), returned[k], 1e-9);
        EXPECT_EQ(f.value("self_w").toDouble(), 0);
        EXPECT_NEAR(f.value("coupled_w").toDouble(), returned[k], 1e-9);
        EXPECT_NEAR(f.value("worst_returned_w").toDouble(), returned[k], 1e-9);
        // sqrt(20 / 1000), sqrt(10 / 2000), 0
        EXPECT_NEAR(f.value("seen_reflection").toDouble(), std::sqrt(returned[k] / power[k]), 1e-15);
        for (const char* key : {"magnetron_w", "dummy_w", "dummy_margin_db"}) EXPECT_TRUE(f.contains(key)) << key;
    }
    EXPECT_NEAR(a.value("absorbed_w").toDouble(), 3470, 1e-9);
    EXPECT_NEAR(a.value("returned_w").toDouble(), 30, 1e-9);
    EXPECT_NEAR(a.value("efficiency").toDouble(), 3470.0 / 3500, 1e-15);
    EXPECT_EQ(a.value("worst_port").toInt(), 1);
}

TEST_F(ApplicatorCli, TheFeedsOwnFrequenciesIsolatorsAndTheDefaultPower)
{
    // no powers given: every feed the case's magnetron, 4000 V * 3 A * 0.85 = 10200 W;
    // port 1 gets 0.01 * 10200 = 102 W, of which a 20 dB isolator passes 1.02 W to
    // its tube and 100.98 W to a 50 W dummy load: 10 log10(0.495147) = -3.05266 dB
    const QJsonArray feeds = Applicator({"--applicator", Oven(), "--feed-frequencies", "2400,2.5 GHz,2450",
                                         "--feed-isolations", "20,0,0", "--feed-dummy-ratings", "50,0,0"})
                                 .value("feeds").toArray();
    ASSERT_EQ(feeds.size(), 3);
    const QJsonObject one = feeds[0].toObject();
    EXPECT_EQ(one.value("power_w").toDouble(), 10200);
    EXPECT_NEAR(one.value("returned_w").toDouble(), 102, 1e-9);
    EXPECT_NEAR(one.value("magnetron_w").toDouble(), 1.02, 1e-12);
    EXPECT_NEAR(one.value("dummy_w").toDouble(), 100.98, 1e-9);
    EXPECT_NEAR(one.value("dummy_margin_db").toDouble(), -3.05266, 1e-5);
    EXPECT_EQ(feeds[1].toObject().value("frequency_mhz").toDouble(), 2500);
    EXPECT_TRUE(feeds[1].toObject().value("dummy_margin_db").isNull());  // no rating
    // a feed with no power sees no reflection
    const QJsonObject idle =
        Applicator({"--applicator", Oven(), "--feed-powers", "1000,2000,0"}).value("feeds").toArray()[2].toObject();
    EXPECT_TRUE(idle.value("seen_reflection").isNull());
    EXPECT_EQ(idle.value("returned_w").toDouble(), 0);
}

// Powers take their prefix, as a power is written: 3 kW is 3000 W, never 3.
// With no feed sending, nothing comes back and no port is the worst.
TEST_F(ApplicatorCli, PowersTakeTheirPrefixAndNoPowerHasNoWorstPort)
{
    const QJsonArray feeds = Applicator({"--applicator", Oven(), "--feed-powers", "3 kW,0.5kW,1.2 MW",
                                         "--feed-dummy-ratings", "1 kW,0,0"})
                                 .value("feeds").toArray();
    ASSERT_EQ(feeds.size(), 3);
    EXPECT_EQ(feeds[0].toObject().value("power_w").toDouble(), 3000);
    EXPECT_EQ(feeds[1].toObject().value("power_w").toDouble(), 500);
    EXPECT_EQ(feeds[2].toObject().value("power_w").toDouble(), 1.2e6);
    EXPECT_TRUE(Applicator({"--applicator", Oven(), "--feed-powers", "0,0,0"}).value("worst_port").isNull());
}

TEST_F(ApplicatorCli, TheTextHasATableAndTheCsvNothing)
{
    const TRun text = RunCalc({"--applicator", Oven(), "--feed-powers", "1000,2000,500"});
    ASSERT_EQ(text.status, 0) << text.err;
    const std::vector<TTextSection> sections = ParseText(text.out);
    const auto table = std::find_if(sections.begin(), sections.end(),
                                    [](const TTextSection& s) { return s.title == "Applicator Feeds"; });
    ASSERT_NE(table, sections.end()) << text.out;
    EXPECT_EQ(table->captions, (std::vector<std::string>{"Port 1", "Port 2", "Port 3"}));
    const auto returned = std::find(table->columns.begin(), table->columns.end(), "Returned");
    ASSERT_NE(returned, table->columns.end());
    const std::size_t col = static_cast<std::size_t>(returned - table->columns.begin());
    EXPECT_EQ(table->cells[1][col].rfind("10", 0), 0u) << table->cells[1][col];  // port 2 gets 10 W back
    const TRun csv = RunCalc({"--applicator", Oven(), "--feed-powers", "1000,2000,500", "--format", "csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.find("returned"), std::string::npos);
}

// A case file holds the measurement itself: the file need not be there, and
// the options change its feeds.
TEST_F(ApplicatorCli, ACaseFilesApplicatorIsComputedAndTheOptionsOverrideIt)
{
    const QString c = Write("oven.merivane", R"({"format": "merivane-case", "version": 1,
        "applicator": {"file": "gone.s2p", "ports": 2,
          "points": [[2400000000, 0, 0, 0.2, 0, 0.2, 0, 0, 0], [2500000000, 0, 0, 0.2, 0, 0.2, 0, 0, 0]],
          "feeds": [{"power_w": 1000, "frequency_mhz": null}, {"power_w": 3000, "frequency_mhz": 2460}]}})");
    // port 1 gets 0.04 * 3000 = 120 W back, port 2 0.04 * 1000 = 40 W
    const QJsonArray feeds = Applicator({"--case", c}).value("feeds").toArray();
    ASSERT_EQ(feeds.size(), 2);
    EXPECT_NEAR(feeds[0].toObject().value("returned_w").toDouble(), 120, 1e-9);
    EXPECT_EQ(feeds[1].toObject().value("frequency_mhz").toDouble(), 2460);
    const QJsonArray over = Applicator({"--case", c, "--feed-powers", "500,500"}).value("feeds").toArray();
    ASSERT_EQ(over.size(), 2);
    EXPECT_NEAR(over[0].toObject().value("returned_w").toDouble(), 20, 1e-9);  // 0.04 * 500
}

struct TRefused {
    const char* name;
    QStringList args;  // OVEN is the 3-port, BAD a damaged file, FAR a case file with a feed out of its band
    const char* words;
};

class ApplicatorRefused : public ApplicatorCli, public ::testing::WithParamInterface<TRefused> {};

TEST_P(ApplicatorRefused, ExitsTwoNamingTheOption)
{
    QStringList args = GetParam().args;
    const QString oven = Oven(), bad = Write("bad.s3p", "# MHz S RI R 50\n2400 0 0 0.1 x 0 0\n");
    const QString far = Write("far.merivane", R"({"format": "merivane-case", "applicator": {"ports": 1,
        "points": [[2400000000, 0, 0], [2500000000, 0, 0]], "feeds": [{"power_w": 100, "frequency_mhz": 2600}]}})");
    for (QString& a : args) a = a == "OVEN" ? oven : a == "BAD" ? bad : a == "FAR" ? far : a;
    const TRun r = RunCalc(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().words), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Options, ApplicatorRefused,
    ::testing::Values(
        TRefused{"too_few_powers", {"--applicator", "OVEN", "--feed-powers", "1000,2000"},
                 "--feed-powers: 2 powers for 3 ports"},
        TRefused{"too_many_powers", {"--applicator", "OVEN", "--feed-powers", "1,2,3,4"}, "--feed-powers: 4 powers for 3 ports"},
        TRefused{"one_frequency", {"--applicator", "OVEN", "--feed-frequencies", "2450"},
                 "--feed-frequencies: 1 frequency for 3 ports"},
        TRefused{"negative_power", {"--applicator", "OVEN", "--feed-powers", "1000,-5,500"},
                 "--feed-powers: power 2 is negative (-5 W)"},
        TRefused{"power_not_a_number", {"--applicator", "OVEN", "--feed-powers", "1000,lots,500"},
                 "--feed-powers \"lots\": power 2 is not a number"},
        TRefused{"frequency_outside", {"--applicator", "OVEN", "--feed-frequencies", "2450,2600,2450"},
                 "--feed-frequencies: frequency 2 (2600 MHz) lies outside the file's band 2400 .. 2500 MHz"},
        TRefused{"case_frequency_outside", {"--applicator", "OVEN", "--frequency", "915"},
                 "--applicator: frequency 1 (915 MHz) lies outside the file's band"},
        TRefused{"case_file_feed_outside", {"--case", "FAR"}, "far.merivane\": applicator: frequency 1 (2600 MHz) lies outside"},
        TRefused{"negative_isolation", {"--applicator", "OVEN", "--feed-isolations", "-1,0,0"},
                 "--feed-isolations: isolation 1 is negative"},
        TRefused{"damaged_file", {"--applicator", "BAD"}, "--applicator: bad.s3p, line 2"},
        TRefused{"missing_file", {"--applicator", "/nonexistent/oven.s3p"}, "--applicator: "},
        TRefused{"powers_alone", {"--feed-powers", "1000"}, "--feed-powers needs --applicator"},
        TRefused{"frequencies_alone", {"--feed-frequencies", "2450"}, "--feed-frequencies needs --applicator"},
        TRefused{"with_a_batch", {"--batch", "-", "--applicator", "OVEN"}, "--applicator cannot be used with --batch"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
