// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc with a measured load: what --touchstone prints of a file
// written by hand, the load and the band it takes from one, the file it
// writes back, and the files and options it refuses.
#include "Calc.h"

#include "PdfText.h"
#include "RowNames.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "TempFile.h"

#include <cmath>

namespace {

QJsonObject Json(const TRun& r)
{
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

class MeasuredCli : public ::testing::Test {
protected:
    QString Write(const char* name, const char* text) { return WriteTempFile(dir_, name, text); }
    // 2400 MHz 0.2, 2450 MHz 0.4 at 90 deg, 2500 MHz 0.6 at 180 deg
    QString Load() { return Write("load.s1p", "! by hand\n# MHz S MA R 50\n2400 0.2 0\n2450 0.4 90\n2500 0.6 180\n"); }
    QTemporaryDir dir_;
};

TEST_F(MeasuredCli, TouchstoneGivesTheMatrixRowByRow)
{
    // a 2-port in RI: the record is S11 S21 S12 S22
    const QString path = Write("two.S2P", "# GHz S RI R 75\n2.45 0.1 0 0.9 0.1 0.8 -0.2 0.3 0.4\n");
    const QJsonObject t = Json(RunCalc({"--touchstone", path, "--format", "json"})).value("touchstone").toObject();
    EXPECT_EQ(t.value("ports").toInt(), 2);
    EXPECT_EQ(t.value("points").toInt(), 1);
    EXPECT_EQ(t.value("version").toString(), "1.0");
    EXPECT_EQ(t.value("format").toString(), "RI");
    EXPECT_EQ(t.value("reference_ohm").toArray(), QJsonArray({75, 75}));
    EXPECT_EQ(t.value("frequencies_hz").toArray(), QJsonArray({2.45e9}));
    // s[0][i N + j] is S(i+1)(j+1): S12 = 0.8 - 0.2j is the second, S21 the third
    const QJsonArray s = t.value("s").toArray().at(0).toArray();
    EXPECT_EQ(s.at(1).toArray(), QJsonArray({0.8, -0.2}));
    EXPECT_EQ(s.at(2).toArray(), QJsonArray({0.9, 0.1}));
    EXPECT_TRUE(t.value("noise").isNull());
    const TRun text = RunCalc({"--touchstone", path});
    EXPECT_NE(text.out.find("Ports       2"), std::string::npos) << text.out;
}

TEST_F(MeasuredCli, TheLoadIsTheMeasurementAtTheFrequency)
{
    // halfway from 0.2 to 0.4j: 0.1 + 0.2j; Pload = 10200 (1 - 0.05) / |1 - 0.2 (0.1 + 0.2j)|^2
    const QJsonObject o = Json(RunCalc({"--load-file", Load(), "--frequency", "2425", "--format", "json"}));
    const QJsonObject m = o.value("measured").toObject();
    EXPECT_NEAR(m.value("gamma").toArray().at(0).toDouble(), 0.1, 1e-15);
    EXPECT_NEAR(m.value("gamma").toArray().at(1).toDouble(), 0.2, 1e-15);
    EXPECT_TRUE(m.value("inside").toBool());
    EXPECT_EQ(m.value("points").toInt(), 3);
    EXPECT_EQ(m.value("f_max_mhz").toDouble(), 2500);
    const double pload = 10200 * 0.95 / (0.98 * 0.98 + 0.04 * 0.04);
    EXPECT_NEAR(o.value("results").toObject().value("Pload").toDouble(), pload, 1e-9);
}

TEST_F(MeasuredCli, TheBandListsThePointsWithinIt)
{
    const QJsonObject b =
        Json(RunCalc({"--load-file", Load(), "--band", "60", "--format", "json"})).value("band").toObject();
    EXPECT_EQ(b.value("points").toArray().size(), 3);
    // -0.6 reflects most: 10200 * 0.36 / 1.12^2
    EXPECT_NEAR(b.value("reflected_max_w").toDouble(), 10200 * 0.36 / 1.2544, 1e-9);
    EXPECT_EQ(b.value("worst_frequency_mhz").toDouble(), 2500);
    EXPECT_EQ(Json(RunCalc({"--load-file", Load(), "--band", "20", "--format", "json"}))
                  .value("band").toObject().value("points").toArray().size(), 1);
}

TEST_F(MeasuredCli, TheWrittenLoadReadsBackToTheLastDigit)
{
    const QString out = dir_.filePath("model.s1p");
    ASSERT_EQ(RunCalc({"--load-file", Load(), "--plane-shift", "10", "--write-touchstone", out}).status, 0);
    // the model's load at 2450 MHz with the shift, and the written file's point there
    const QJsonObject shifted = Json(RunCalc({"--load-file", Load(), "--plane-shift", "10", "--format", "json"}));
    const QJsonObject back = Json(RunCalc({"--load-file", out, "--format", "json"}));
    EXPECT_EQ(back.value("measured").toObject().value("gamma"), shifted.value("measured").toObject().value("gamma"));
    // 10 mm of WR340 at 2450 MHz (lambda_g 173.38 mm) turn 0.4 at 90 deg by -720 * 10 / 173.38 deg
    const double deg = back.value("measured").toObject().value("gamma_deg").toDouble();
    EXPECT_NEAR(deg, 90 - 7200 / 173.3796, 0.01);
}

TEST_F(MeasuredCli, ABatchRowTakesItsLoadFromItsFile)
{
    const QString load = Load();
    const QString csv = Write("rows.csv", "");
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("id,load_file,port,frequency\na," + load + ",1,2425\nb," + load + ",,2500\nc,,,2450\nd," +
             dir_.filePath("missing.s1p") + ",,2450\n").toUtf8());
    f.close();
    const TRun r = RunCalc({"--batch", csv});
    EXPECT_EQ(r.status, 1);  // one row skipped
    EXPECT_NE(r.err.find(":5: load_file missing.s1p"), std::string::npos) << r.err;
    const std::vector<std::string> mags = Column(r.out, "LoaRfl.Mag");
    ASSERT_EQ(mags.size(), 3u);
    EXPECT_NEAR(std::stod(mags[0]), std::sqrt(0.05), 1e-15);  // 0.1 + 0.2j halfway
    EXPECT_EQ(mags[1], "0.6");
    EXPECT_EQ(mags[2], "0.5");  // no file: the typed default
}

TEST_F(MeasuredCli, TheReportHasTheMeasuredLoadAndItsBand)
{
    const QString pdf = dir_.filePath("report.pdf");
    ASSERT_EQ(RunCalc({"--load-file", Load(), "--report", pdf}).status, 0);
    const QString text = PdfToText(pdf);
    EXPECT_TRUE(HasLineWith(text, {"Measured Load"})) << text.toStdString();
    // no pulling figure: the band is +-50 MHz, the three points; -0.6 reflects 10200 * 0.36 / 1.12^2 = 2.93 kW
    EXPECT_TRUE(HasLineWith(text, {"Band", "50 MHz"})) << text.toStdString();
    EXPECT_TRUE(HasLineWith(text, {"Worst reflected", "2500 MHz", "2.93 kW"})) << text.toStdString();
}

struct TRefused {
    const char* name;
    QStringList args;  // "LOAD" is the good file, "BAD" a damaged one
    const char* words;
};

class MeasuredRefused : public MeasuredCli, public ::testing::WithParamInterface<TRefused> {};

TEST_P(MeasuredRefused, ExitsTwoNamingTheOptionAndWhy)
{
    QStringList args = GetParam().args;
    const QString load = Load(), bad = Write("bad.s1p", "# MHz S MA\n2400 0.2 0\n2450 abc 90\n");
    for (QString& a : args) a = a == "LOAD" ? load : a == "BAD" ? bad : a;
    const TRun r = RunCalc(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().words), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, MeasuredRefused,
    ::testing::Values(TRefused{"damaged_file", {"--load-file", "BAD"}, "bad.s1p, line 3: a number was expected"},
                      TRefused{"damaged_file_printed", {"--touchstone", "BAD"}, "bad.s1p, line 3"},
                      TRefused{"missing_file", {"--touchstone", "/nonexistent/x.s1p"}, "x.s1p"},
                      TRefused{"no_such_port", {"--load-file", "LOAD", "--port", "2"}, "there is no port 2"},
                      TRefused{"port_without_file", {"--port", "1"}, "--port and --plane-shift need --load-file"},
                      TRefused{"band_without_load", {"--band", "50"}, "--band needs a measured load"},
                      TRefused{"load_and_file", {"--load-file", "LOAD", "--load", "0.5"}, "cannot be used together"},
                      TRefused{"touchstone_with_a_case", {"--touchstone", "LOAD", "--va", "4000"}, "--va cannot be used"},
                      TRefused{"write_without_load", {"--write-touchstone", "/tmp/x.s1p"}, "needs a measured load"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
