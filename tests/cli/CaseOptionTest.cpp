// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --case FILE: the case file's inputs, line and units are the
// start, the options given override them, and a file that cannot be read or
// is refused is an error (status 2) with the reader's reason.
#include "Calc.h"
#include "RowNames.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>

namespace {

// 5000 V, 2 A, 80 %: Pmatch 8000 W; source 0.1 at 0 degrees, load 0.6 at 180.
const char* const kBenchCase = R"({"format": "merivane-case", "version": 1, "name": "Bench load",
 "inputs": {"va": 5000, "ia": 2, "eff": 80, "source": "0.1@0", "load": "0.6@180", "directivity": null},
 "line": {"frequency": 915, "line": "WR975", "length": 1.5, "span": 0},
 "display": {"power_unit": "dBm", "factor_unit": "mag", "meas_unit": "power"}}
)";

// Pload from the closed form Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2.
double Absorbed(double pmatch, double gs, double gsDeg, double gl, double glDeg)
{
    const double a = (gsDeg + glDeg) * 3.14159265358979323846 / 180;
    const double re = 1 - gs * gl * std::cos(a), im = -gs * gl * std::sin(a);
    return pmatch * (1 - gl * gl) / (re * re + im * im);
}

class CaseOption : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& text)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    static QJsonObject Json(const TRun& r) { return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object(); }

private:
    QTemporaryDir dir_;
};

TEST_F(CaseOption, TheFilesInputsAndLineAreComputed)
{
    const TRun r = RunCalc({"--case", Write("bench.merivane", kBenchCase), "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const QJsonObject doc = Json(r);
    const QJsonObject results = doc.value("results").toObject();
    EXPECT_EQ(doc.value("inputs").toObject().value("va").toInt(), 5000);
    EXPECT_NEAR(results.value("Pmatch").toDouble(), 8000, 1e-9);
    EXPECT_NEAR(results.value("Pload").toDouble(), Absorbed(8000, 0.1, 0, 0.6, 180), 1e-9);
    // the file's line: the Line Sweep page is computed
    EXPECT_TRUE(doc.value("sweep").isObject());
}

TEST_F(CaseOption, OptionsGivenOverrideTheFile)
{
    const QString f = Write("bench.merivane", kBenchCase);
    const TRun r = RunCalc({"--case", f, "--load", "0.3@0", "--eff", "50", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject results = Json(r).value("results").toObject();
    // 5000 V * 2 A * 0.5 from the file and the option
    EXPECT_NEAR(results.value("Pmatch").toDouble(), 5000, 1e-9);
    EXPECT_NEAR(results.value("Pload").toDouble(), Absorbed(5000, 0.1, 0, 0.3, 0), 1e-9);
    EXPECT_EQ(results.value("LoaRfl.Pha").toDouble(), 0);

    // a load without a phase keeps the file's 180 degrees
    const TRun kept = RunCalc({"--case", f, "--load", "0.3", "--format", "json"});
    ASSERT_EQ(kept.status, 0) << kept.err;
    const QJsonObject k = Json(kept).value("results").toObject();
    EXPECT_NEAR(k.value("Pload").toDouble(), Absorbed(8000, 0.1, 0, 0.3, 180), 1e-9);
}

TEST_F(CaseOption, TheFilesPowerUnitIsShownUnlessAnOptionGivesAnother)
{
    const QString f = Write("bench.merivane", kBenchCase);
    const TRun fromFile = RunCalc({"--case", f});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_NE(fromFile.out.find(" dBm"), std::string::npos) << fromFile.out;
    const TRun given = RunCalc({"--case", f, "--power-unit", "W"});
    ASSERT_EQ(given.status, 0) << given.err;
    EXPECT_EQ(given.out.find(" dBm"), std::string::npos) << given.out;
    EXPECT_NE(given.out.find(" kW"), std::string::npos) << given.out;
}

TEST_F(CaseOption, WhatTheReaderIgnoredIsAWarning)
{
    QByteArray text(kBenchCase);
    text.replace("\"va\": 5000", "\"va\": 5000, \"colour\": \"red\"");
    const TRun r = RunCalc({"--case", Write("bench.merivane", text), "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.rfind("merivane-calc: warning: --case ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("colour"), std::string::npos) << r.err;
}

struct TBadCase {
    const char* name;
    QByteArray text;      // empty: no file
    const char* because;  // part of the message
};

class BadCase : public CaseOption, public ::testing::WithParamInterface<TBadCase> {};

TEST_P(BadCase, IsAnErrorWithTheReadersMessage)
{
    const QString path = GetParam().text.isEmpty() ? Path("none.merivane") : Write("bad.merivane", GetParam().text);
    const TRun r = RunCalc({"--case", path});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("merivane-calc: --case ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(GetParam().because), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadCase,
    ::testing::Values(TBadCase{"damaged", "{\n \"format\": \"merivane-case\",\n \"inputs\": {\"va\" 5000}\n}\n", "line 3, column "},
                      TBadCase{"newer", R"({"format": "merivane-case", "version": 7})", "newer than this Merivane reads"},
                      TBadCase{"reflection beyond its limits", R"({"format": "merivane-case", "inputs": {"load": "1.5@0"}})",
                               "load"},
                      TBadCase{"missing", {}, "cannot read"}),
    ROW_NAMES(std::string(r.name)));

TEST_F(CaseOption, IsOneCaseAndNotABatch)
{
    const TRun r = RunCalc({"--case", Write("bench.merivane", kBenchCase), "--batch", "-"}, "va\n4000\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "merivane-calc: --case cannot be used with --batch\n");
}

TEST_F(CaseOption, IsInTheHelp)
{
    const TRun r = RunCalc({"--help"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--case <FILE>"), std::string::npos);
}

}  // namespace
