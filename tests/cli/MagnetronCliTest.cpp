// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's magnetron and measurement options: the worked examples come
// out in the JSON objects, the text and the batch columns; the options
// override a case file; a bad value is an error, a number beyond its limits a
// warning; without the options the output is as it was.
#include "Calc.h"
#include "PdfText.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

QJsonObject Json(const TRun& r) { return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object(); }

QStringList Args(std::initializer_list<const char*> args)
{
    QStringList out;
    for (const char* a : args) out << QString::fromUtf8(a);
    return out;
}

TEST(MagnetronCli, PullingWorkedExampleInTheJson)
{
    // f0 2450, PF 10: Qext 102.083; 0.5 at 90: +9.60 MHz; SWR 3: +- 16.00 MHz
    const TRun r = RunCalc(Args({"--pulling", "10", "--load", "0.5@90", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject m = Json(r).value("magnetron").toObject();
    EXPECT_NEAR(m.value("qext").toDouble(), 102.083, 5e-4);
    EXPECT_NEAR(m.value("shift_mhz").toDouble(), 9.60, 5e-4);
    EXPECT_NEAR(m.value("shift_min_mhz").toDouble(), -16.00, 5e-4);
    EXPECT_NEAR(m.value("shift_max_mhz").toDouble(), 16.00, 5e-4);
    const QJsonArray f = m.value("frequencies_mhz").toArray();
    ASSERT_EQ(f.size(), 1);
    EXPECT_NEAR(f[0].toDouble(), 2459.60, 5e-4);
}

TEST(MagnetronCli, CriticalLengthWorkedExample)
{
    // WR340 at 2450, PF 10, SWR 2: 0.935 m
    const TRun r = RunCalc(Args({"--pulling", "10", "--load", "swr:2@0", "--line", "WR340", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(Json(r).value("magnetron").toObject().value("critical_length_m").toDouble(), 0.935, 5e-4);
}

TEST(MagnetronCli, BeyondTheCriticalLengthTheTubeHasMoreThanOneFrequency)
{
    // 5 L_crit at the worst phase (the load at 180 deg turns fastest)
    const TRun r = RunCalc(Args({"--pulling", "10", "--load", "swr:2@180", "--length", "4.675", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_GT(Json(r).value("magnetron").toObject().value("frequencies_mhz").toArray().size(), 1);
}

TEST(MagnetronCli, IsolatorTripUncertaintyAndWaterWorkedExamples)
{
    const TRun r = RunCalc(Args({"--isolator", "20", "--load", "0.5@90", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(Json(r).value("isolator").toObject().value("magnetron_swr_max").toDouble(), 1.105, 5e-4);

    const TRun t = RunCalc(Args({"--trip", "10", "--directivity", "25", "--format", "json"}));
    ASSERT_EQ(t.status, 0) << t.err;
    const QJsonObject trip = Json(t).value("trip").toObject();
    EXPECT_NEAR(trip.value("sure_above_mag").toDouble(), 0.3792, 5e-5);
    EXPECT_NEAR(trip.value("sure_above_swr").toDouble(), 2.222, 5e-4);
    EXPECT_NEAR(trip.value("never_below_mag").toDouble(), 0.2555, 5e-5);
    EXPECT_NEAR(trip.value("never_below_swr").toDouble(), 1.686, 5e-4);

    const TRun u = RunCalc(Args({"--load", "0.2", "--directivity", "30", "--phase-model", "fixed",
                                 "--coupling-uncertainty", "1", "--sensor-uncertainty", "0.5", "--format", "json"}));
    ASSERT_EQ(u.status, 0) << u.err;
    const QJsonObject b = Json(u).value("uncertainty").toObject();
    EXPECT_NEAR(b.value("directivity_pct").toDouble(), 1.318, 5e-4);
    EXPECT_NEAR(b.value("coupling_pct").toDouble(), 1.042, 5e-4);
    EXPECT_NEAR(b.value("sensor_pct").toDouble(), 0.521, 5e-4);
    EXPECT_NEAR(b.value("combined_pct").toDouble(), 1.759, 5e-4);
    EXPECT_NEAR(b.value("expanded_pct").toDouble(), 3.518, 5e-4);

    // 0.998 * 4182 * 10 / 60 * 20 = 13912.1 W
    const TRun w = RunCalc(Args({"--water-flow", "10", "--water-rise", "20", "--format", "json"}));
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_NEAR(Json(w).value("calorimetry").toObject().value("power_w").toDouble(), 13912.1, 0.05);
}

TEST(MagnetronCli, WithoutThePullingFigureItsNumbersAreNull)
{
    const TRun r = RunCalc(Args({"--trip", "10", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject m = Json(r).value("magnetron").toObject();
    EXPECT_TRUE(m.value("qext").isNull());
    EXPECT_TRUE(m.value("frequencies_mhz").isNull());
}

TEST(MagnetronCli, WithoutTheOptionsTheOutputIsAsBefore)
{
    const TRun r = RunCalc(Args({"--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Json(r).contains("magnetron"));
    EXPECT_FALSE(Json(r).contains("calorimetry"));
    const TRun t = RunCalc({});
    for (const TTextSection& s : ParseText(t.out)) {
        EXPECT_NE(s.title, "Magnetron");
        EXPECT_NE(s.title, "Uncertainty");
    }
}

TEST(MagnetronCli, TheTextHasBothSections)
{
    const TRun r = RunCalc(Args({"--pulling", "10", "--trip", "10", "--directivity", "25"}));
    ASSERT_EQ(r.status, 0) << r.err;
    std::string shift, trip;
    for (const TTextSection& s : ParseText(r.out))
        for (std::size_t i = 0; i < s.captions.size(); ++i) {
            if (s.title == "Magnetron" && s.captions[i] == "Frequency Shift") shift = Trim(s.cells[i][0]);
            if (s.title == "Uncertainty" && s.captions[i] == "Trip Surely Above") trip = Trim(s.cells[i][0]);
        }
    EXPECT_EQ(shift, "+9.60 MHz");
    EXPECT_NE(trip.find("0.3792"), std::string::npos) << trip;
}

TEST(MagnetronCli, CsvGetsTheColumns)
{
    const TRun r = RunCalc(Args({"--pulling", "10", "--format", "csv"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[0].find(",qext,shift_mhz,"), std::string::npos);
    EXPECT_NE(lines[0].find(",calorimetry_difference_db"), std::string::npos);
    EXPECT_NE(lines[1].find(",102.08333"), std::string::npos);
}

TEST(MagnetronCli, EveryBatchRowGetsTheColumns)
{
    const TRun r = RunCalc(Args({"--batch", "-", "--pulling", "10", "--trip", "10"}), "id,load\na,0.5@90\nb,0.5@-90\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    // the header's columns and each row's cells agree in number
    const auto cells = [](const std::string& s) { return std::count(s.begin(), s.end(), ',') + 1; };
    EXPECT_EQ(cells(lines[1]), cells(lines[0]));
    EXPECT_EQ(cells(lines[2]), cells(lines[0]));
    // +9.60 at 90, -9.60 at -90: the shift follows the row's load
    const auto cell = [&](std::size_t line, const std::string& column) {
        std::vector<std::string> names, values;
        std::istringstream h(lines[0]), v(lines[line]);
        for (std::string c; std::getline(h, c, ',');) names.push_back(c);
        for (std::string c; std::getline(v, c, ',');) values.push_back(c);
        for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
            if (names[i] == column) return std::stod(values[i]);
        ADD_FAILURE() << "no column " << column;
        return 0.0;
    };
    EXPECT_NEAR(cell(1, "shift_mhz"), 9.60, 5e-4);
    EXPECT_NEAR(cell(2, "shift_mhz"), -9.60, 5e-4);
    EXPECT_NEAR(cell(1, "sure_above_mag"), std::sqrt(0.1), 1e-12);  // ideal couplers: sqrt T
}

TEST(MagnetronCli, BatchColumnsOfTheInputsOverrideTheOptionsRowByRow)
{
    // the pulling figure of each row, the option's where the cell is empty; a bad cell skips its row
    const TRun r = RunCalc(Args({"--batch", "-", "--pulling", "20"}),
                           "load,pulling,phase-model\n0.5@90,10,disk\n0.5@90,,\n0.5@90,x,\n0.5@90,10,gauss\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(":4: pulling \"x\": not a number; row skipped"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(":5: phase-model \"gauss\": not one of fixed, disk, rayleigh; row skipped"),
              std::string::npos)
        << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    std::vector<std::string> names;
    std::istringstream h(lines[0]);
    for (std::string c; std::getline(h, c, ',');) names.push_back(c);
    const auto qext = [&](std::size_t line) {
        std::istringstream v(lines[line]);
        std::size_t i = 0;
        for (std::string c; std::getline(v, c, ','); ++i)
            if (i < names.size() && names[i] == "qext") return std::stod(c);
        return 0.0;
    };
    EXPECT_NEAR(qext(1), 102.083, 5e-4);      // the row's 10 MHz
    EXPECT_NEAR(qext(2), 102.083 / 2, 5e-4);  // the option's 20 MHz
}

TEST(MagnetronCli, OptionsOverrideTheCaseFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tube.merivane");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"format": "merivane-case", "version": 1, "magnetron": {"pulling": 20, "isolation": 20},
                "measurement": {"trip": 10}})");
    f.close();
    const TRun r = RunCalc(QStringList{"--case", path, "--pulling", "10", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject o = Json(r);
    EXPECT_NEAR(o.value("magnetron").toObject().value("qext").toDouble(), 102.083, 5e-4);  // the option's 10 MHz
    EXPECT_NEAR(o.value("isolator").toObject().value("magnetron_swr_max").toDouble(), 1.105, 5e-4);  // the file's
    EXPECT_TRUE(o.value("trip").toObject().value("sure_above_mag").isDouble());
}

TEST(MagnetronCli, TheReportHasASectionForEachOneSet)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("tube.pdf");
    const TRun r = RunCalc(QStringList{"--report", pdf, "--pulling", "10", "--trip", "10", "--directivity", "25"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QString text = PdfToText(pdf);
    EXPECT_GE(text.count('\f'), 1) << "the report flows onto as many pages as it needs";
    EXPECT_TRUE(HasLineWith(text, {"Frequency Shift", "+9.60 MHz"})) << text.toStdString();
    EXPECT_TRUE(HasLineWith(text, {"Trip Surely Above", "0.3792"})) << text.toStdString();
    // nothing of the water load is set: its rows stand in the measurement's section as not set
    EXPECT_TRUE(HasLineWith(text, {"Water Flow", "not set"}));
}

struct TBadRow {
    const char* name;
    QStringList args;
    const char* says;
    int status;
};

TEST(MagnetronCli, BadValuesAreErrorsAndClampsWarnings)
{
    const TBadRow rows[] = {
        {"NotANumber", QStringList{"--pulling", "ten"}, "--pulling \"ten\": not a number", 2},
        {"UnknownModel", QStringList{"--phase-model", "gauss"}, "not one of fixed, disk, rayleigh", 2},
        {"Clamped", QStringList{"--trip", "150"}, "warning: --trip \"150\": outside 0 .. 100, clamped to 100", 0},
    };
    for (const TBadRow& row : rows) {
        const TRun r = RunCalc(row.args);
        EXPECT_EQ(r.status, row.status) << row.name;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << row.name << ": " << r.err;
    }
}

}  // namespace
