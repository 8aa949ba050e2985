// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --match: the JSON object "match" with the worked examples of
// every method, the text's lines, the batch's columns, the spacing and the
// screw table options, a case file's tuner, and the errors.
#include "Calc.h"
#include "RowNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>

namespace {

QJsonObject MatchOf(const TRun& r)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object().value("match").toObject();
}

QStringList Args(std::initializer_list<const char*> a)
{
    QStringList l;
    for (const char* s : a) l << QString::fromUtf8(s);
    return l;
}

// The load of a normalised admittance y, as --load takes it: (1 - y) / (1 + y).
QString LoadOfAdmittance(std::complex<double> y)
{
    const std::complex<double> g = (1.0 - y) / (1.0 + y);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.17g@%.17g", std::abs(g), std::arg(g) * 180 / 3.14159265358979323846);
    return QString::fromLatin1(buf);
}

TEST(MatchJson, SingleStubWorkedExample)
{
    const TRun r = RunCalc(Args({"--load", "0.4@120", "--match", "single-stub", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject m = MatchOf(r);
    EXPECT_EQ(m.value("method").toString(), "single-stub");
    EXPECT_TRUE(m.value("matchable").toBool());
    // y = (1 - G) / (1 + G) = 1.1053 - j0.9116
    const QJsonArray y = m.value("load_admittance").toArray();
    ASSERT_EQ(y.size(), 2);
    EXPECT_NEAR(y[0].toDouble(), 0.84 / 0.76, 1e-12);
    EXPECT_NEAR(y[1].toDouble(), -0.4 * std::sqrt(3.0) / 0.76, 1e-12);
    const QJsonArray s = m.value("solutions").toArray();
    ASSERT_EQ(s.size(), 2);
    const double expected[2][3] = {{1.55, 0.8729, 63.15}, {56.25, -0.8729, 23.54}};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject o = s[i].toObject();
        EXPECT_NEAR(o.value("distance_mm").toDouble(), expected[i][0], 0.005) << i;
        EXPECT_NEAR(o.value("susceptance").toDouble(), expected[i][1], 5e-5) << i;
        EXPECT_NEAR(o.value("stub_length_mm").toDouble(), expected[i][2], 0.005) << i;
    }
    // matched, the load takes all the magnetron gives: 4000 V 3 A 85 %
    EXPECT_NEAR(m.value("matched_absorbed_w").toDouble(), 10200.0, 1e-9);
    EXPECT_LT(m.value("seen_reflection").toDouble(), 1e-9);
}

struct TStubsCase {
    const char* name;
    QString load;
    const char* method;
    std::vector<std::vector<double>> susceptances;  // per solution
    double tolerance;
};

class MatchSusceptances : public ::testing::TestWithParam<TStubsCase> {};

TEST_P(MatchSusceptances, AsTheWorkedExamples)
{
    const TStubsCase& c = GetParam();
    const TRun r = RunCalc(QStringList{"--load", c.load, "--match", c.method, "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject m = MatchOf(r);
    EXPECT_TRUE(m.value("matchable").toBool());
    const QJsonArray s = m.value("solutions").toArray();
    ASSERT_EQ(static_cast<std::size_t>(s.size()), c.susceptances.size());
    for (std::size_t i = 0; i < c.susceptances.size(); ++i) {
        const QJsonArray b = s[static_cast<qsizetype>(i)].toObject().value("susceptances").toArray();
        ASSERT_EQ(static_cast<std::size_t>(b.size()), c.susceptances[i].size());
        for (std::size_t k = 0; k < c.susceptances[i].size(); ++k)
            EXPECT_NEAR(b[static_cast<qsizetype>(k)].toDouble(), c.susceptances[i][k], c.tolerance) << i << " " << k;
    }
}

const TStubsCase kStubsCases[] = {
    {"three_stub_0_4_at_120", "0.4@120", "three-stub", {{0.0, 0.0544, 0.9258}}, 5e-5},
    {"three_stub_0_5_at_60", "0.5@60", "three-stub", {{0.9897, 1.1547, 0.0}}, 5e-5},
    {"double_stub_pozar", LoadOfAdmittance({1.5, -0.5}), "double-stub", {{2.366, 1.577}, {0.634, 0.423}}, 5e-4},
};

INSTANTIATE_TEST_SUITE_P(Tuner, MatchSusceptances, ::testing::ValuesIn(kStubsCases), ROW_NAMES(std::string(r.name)));

TEST(MatchJson, EHTunerWithItsOrder)
{
    const TRun r = RunCalc(Args({"--load", "0.4@120", "--match", "eh", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray s = MatchOf(r).value("solutions").toArray();
    ASSERT_EQ(s.size(), 2);
    const double expected[2][2] = {{0.0544, 0.9258}, {-0.9426, -0.9258}};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject o = s[i].toObject();
        EXPECT_EQ(o.value("order").toString(), "series-then-shunt");
        EXPECT_NEAR(o.value("reactance").toDouble(), expected[i][0], 5e-5);
        EXPECT_NEAR(o.value("susceptance").toDouble(), expected[i][1], 5e-5);
    }
}

TEST(MatchJson, AFullReflectionIsNotMatchable)
{
    const TRun r = RunCalc(Args({"--load", "1@120", "--match", "three-stub", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject m = MatchOf(r);
    EXPECT_FALSE(m.value("matchable").toBool());
    EXPECT_TRUE(m.value("solutions").toArray().isEmpty());
    EXPECT_EQ(m.value("status").toString(), "full-reflection");
    EXPECT_NEAR(m.value("seen_reflection").toDouble(), 1.0, 1e-12);
}

TEST(MatchJson, TheDoubleStubsLimitIsTheFullOne)
{
    // y = 1.9 at lg/8: beyond the half-limit 1 that some tools print, inside 1 / sin^2(45 deg) = 2
    TRun r = RunCalc(QStringList{"--load", LoadOfAdmittance({1.9, 0.0}), "--match", "double-stub", "--format", "json"});
    EXPECT_TRUE(MatchOf(r).value("matchable").toBool()) << r.out;
    r = RunCalc(QStringList{"--load", LoadOfAdmittance({2.1, 0.0}), "--match", "double-stub", "--format", "json"});
    EXPECT_FALSE(MatchOf(r).value("matchable").toBool());
    EXPECT_EQ(MatchOf(r).value("status").toString(), "outside-matchable-region");
}

TEST(MatchOptions, SpacingAnEighthMakesTheThreeStubTunerUseThePairs)
{
    // lg = 173.380 mm in WR340 at 2450 MHz; lg/8 = 21.6725 mm. G = -0.5 (y = 3):
    // stub 1 out, b2 = 1 + sqrt(0.84) + 0.8 (the hand-worked model test).
    const TRun r = RunCalc(Args({"--load", "0.5@180", "--match", "three-stub", "--tuner-spacing", "21.67253824574365",
                                 "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject m = MatchOf(r);
    EXPECT_NEAR(m.value("spacing_mm").toDouble(), 21.67253824574365, 1e-12);
    const QJsonArray b = m.value("solutions").toArray()[0].toObject().value("susceptances").toArray();
    EXPECT_NEAR(b[0].toDouble(), 0.0, 1e-9);
    EXPECT_NEAR(b[1].toDouble(), 1.8 + std::sqrt(0.84), 1e-6);
}

TEST(MatchText, LinesOfTheMatch)
{
    const TRun r = RunCalc(Args({"--load", "0.4@120", "--match", "three-stub"}));
    ASSERT_EQ(r.status, 0) << r.err;
    // the Tuner view's section, as the Workbench and the report show it
    EXPECT_NE(r.out.find("\nTuner\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("b1 0.0000, b2 0.0544, b3 0.9258"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Matchable: the settings above match the load."), std::string::npos) << r.out;
    // matched, the load takes Pmatch = 4000 V 3 A 0.85 = 10.2 kW
    EXPECT_NE(r.out.find("with the load matched 10.2 kW"), std::string::npos) << r.out;
}

TEST(MatchText, NoMatchWithoutTheOption)
{
    const TRun r = RunCalc(Args({"--load", "0.4@120", "--format", "json"}));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find("\"match\""), std::string::npos);
}

TEST(MatchCsv, TheOneCaseCsvGetsTheColumns)
{
    const TRun r = RunCalc(Args({"--load", "0.4@120", "--match", "double-stub", "--format", "csv"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::string header = ",load_g,load_b,matchable,matched_absorbed_w,seen_reflection,ba_1,bb_1,ba_2,bb_2";
    ASSERT_GE(lines[0].size(), header.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - header.size()), header);
    // the row ends in the same nine cells: 1.1053, -0.9116, 1, 10200, the residual and two pairs
    EXPECT_NE(lines[1].find(",1.1052631578947365,-0.9116056881941461,1,10200,"), std::string::npos) << lines[1];
}

TEST(MatchBatch, ColumnsPerRow)
{
    const TRun r = RunCalc(Args({"--batch", "-", "--match", "three-stub"}), "id,load\na,0.4@120\nb,0.5@60\nc,1@0\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    const std::string tail = ",load_g,load_b,matchable,matched_absorbed_w,seen_reflection,b1_1,b2_1,b3_1";
    ASSERT_GE(lines[0].size(), tail.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - tail.size()), tail);
    // the match's eight cells at the end of a row
    const auto lastCells = [](const std::string& line) {
        std::vector<std::string> cells;
        std::string cell;
        for (char ch : line) {
            if (ch == ',') {
                cells.push_back(cell);
                cell.clear();
            } else {
                cell += ch;
            }
        }
        cells.push_back(cell);
        return std::vector<std::string>(cells.end() - 8, cells.end());
    };
    const std::vector<std::string> a = lastCells(lines[1]);
    EXPECT_EQ(a[2], "1");  // matchable
    EXPECT_NEAR(std::stod(a[3]), 10200.0, 1e-9);
    EXPECT_NEAR(std::stod(a[5]), 0.0, 1e-12);
    EXPECT_NEAR(std::stod(a[6]), 0.0544, 5e-5);
    EXPECT_NEAR(std::stod(a[7]), 0.9258, 5e-5);
    const std::vector<std::string> b = lastCells(lines[2]);
    EXPECT_NEAR(std::stod(b[5]), 0.9897, 5e-5);
    EXPECT_NEAR(std::stod(b[6]), 1.1547, 5e-5);
    const std::vector<std::string> c = lastCells(lines[3]);
    EXPECT_EQ(c[0], "");  // a short has no finite admittance
    EXPECT_EQ(c[2], "0");
    EXPECT_EQ(c[4], "1");  // the magnetron still sees the short
    EXPECT_EQ(c[5], "");
}

TEST(MatchOptions, ScrewTableGivesDepths)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("screw.csv").toStdString();
    std::ofstream(path) << "depth_mm,susceptance\n0,0\n2.5,0.25\n5,0.5\n";
    const TRun r = RunCalc(QStringList{"--load", "0.4@120", "--match", "three-stub", "--screw-table",
                                       QString::fromStdString(path), "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray d = MatchOf(r).value("solutions").toArray()[0].toObject().value("screw_depths_mm").toArray();
    ASSERT_EQ(d.size(), 3);
    EXPECT_EQ(d[0].toDouble(-1), 0.0);                // b1 = 0: out
    EXPECT_NEAR(d[1].toDouble(), 0.5440, 5e-4);       // a straight table: 10 mm per unit b
    EXPECT_TRUE(d[2].isNull());                       // b3 = 0.926: beyond the table
}

struct TBadOption {
    const char* name;
    QStringList args;
    const char* message;
};

class MatchErrors : public ::testing::TestWithParam<TBadOption> {};

TEST_P(MatchErrors, AreBadUsageWithTheReason)
{
    const TRun r = RunCalc(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

const TBadOption kBadOptions[] = {
    {"method", {"--match", "four-stub"}, "--match \"four-stub\": not one of single-stub, three-stub, eh, double-stub"},
    {"spacing_negative", {"--match", "eh", "--tuner-spacing", "-3"}, "--tuner-spacing \"-3\": a spacing in mm"},
    {"spacing_text", {"--match", "eh", "--tuner-spacing", "wide"}, "--tuner-spacing \"wide\""},
    {"screw_missing", {"--match", "eh", "--screw-table", "/nonexistent/screw.csv"}, "--screw-table cannot read"},
};

INSTANTIATE_TEST_SUITE_P(Tuner, MatchErrors, ::testing::ValuesIn(kBadOptions), ROW_NAMES(std::string(r.name)));

TEST(MatchOptions, ACaseFilesTunerWithTheOptionsOverIt)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("t.merivane").toStdString();
    std::ofstream(path) << "{\"format\": \"merivane-case\", \"version\": 1, \"inputs\": {\"load\": \"0.4@120\"},\n"
                           " \"tuner\": {\"method\": \"single-stub\", \"spacing_mm\": 30, \"solution\": 2}}\n";
    // the case's spacing with the method the option names
    TRun r = RunCalc(QStringList{"--case", QString::fromStdString(path), "--match", "double-stub", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(MatchOf(r).value("spacing_mm").toDouble(), 30.0);
    EXPECT_EQ(MatchOf(r).value("chosen").toInt(), 2);
    r = RunCalc(QStringList{"--case", QString::fromStdString(path), "--match", "double-stub", "--tuner-spacing", "25",
                            "--format", "json"});
    EXPECT_EQ(MatchOf(r).value("spacing_mm").toDouble(), 25.0);
}

}  // namespace
