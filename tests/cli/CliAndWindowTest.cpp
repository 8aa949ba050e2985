// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc and the window, given the same case, show the same texts in
// every cell, and their model values are the same doubles.
#include "Calc.h"
#include "Cells.h"
#include "Fields.h"
#include "RowNames.h"
#include "WindowFixture.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <bit>
#include <map>

namespace {

using namespace merivane::present;

struct TCase {
    const char* name;
    const char *va, *ia, *eff;
    int srcForm;  // 0 Mag, 1 dB, 2 SWR
    const char *srcMag, *srcPha;
    int loaForm;
    const char *loaMag, *loaPha;
    const char* directivity;  // nullptr: ideal couplers
    const char* power;        // W, dBm, dBW, dBkW
    const char* factor;       // mag, %, dB
    const char* meas;         // power, %, dB
};

const char* const kFormPrefix[] = {"", "db:", "swr:"};

QStringList Arguments(const TCase& c)
{
    QStringList a = {"--va", c.va, "--ia", c.ia, "--eff", c.eff,
                     "--source", QString(kFormPrefix[c.srcForm]) + c.srcMag + "@" + c.srcPha,
                     "--load", QString(kFormPrefix[c.loaForm]) + c.loaMag + "@" + c.loaPha,
                     "--power-unit", c.power, "--factor-unit", c.factor, "--meas-unit", c.meas};
    if (c.directivity) a << "--directivity" << c.directivity;
    return a;
}

const std::map<std::string, const char*> kPowerButtons = {
    {"W", "rbWatt"}, {"dBm", "rbDbm"}, {"dBW", "rbDbW"}, {"dBkW", "rbDbkW"}};

class CliAndWindow : public WindowTest, public ::testing::WithParamInterface<TCase> {
protected:
    // The case typed into the window as a user would.
    void Enter(const TCase& c)
    {
        Show();
        for (const char* list : {"cbSrcMism", "cbLoaMism", "cbMeaRfl"}) Choose(list, 0);
        Choose("cbSrcRfl", c.srcForm);
        TypeAndLeave("edSrcMag", c.srcMag);
        TypeAndLeave("edSrcPha", c.srcPha);
        Choose("cbLoaRfl", c.loaForm);
        TypeAndLeave("edLoaMag", c.loaMag);
        TypeAndLeave("edLoaPha", c.loaPha);
        TypeAndLeave("edAnodeV", c.va);
        TypeAndLeave("edAnodeI", c.ia);
        TypeAndLeave("edEffic", c.eff);
        auto* ideal = Find<QCheckBox>("chIdeal");
        if (ideal->isChecked() != (c.directivity == nullptr)) ideal->click();
        if (c.directivity) TypeAndLeave("edDire", c.directivity);
        Radio(kPowerButtons.at(c.power))->click();
        const std::string f = c.factor, m = c.meas;
        Radio(f == "mag" ? "rbMagTr" : f == "%" ? "rbPercTr" : "rbDbTr")->click();
        Radio(m == "power" ? "rbPower" : m == "%" ? "rbPerc" : "rbDb")->click();
    }

    // What the window shows for a cell: its value, then its unit label, or for
    // a cell without one the list beside it.
    std::string WindowCell(const TResultCell& c) const
    {
        std::string text = S(Text(c.valueLabel));
        std::string unit;
        if (c.unitLabel)
            unit = S(Text(c.unitLabel));
        else if (c.region == Region::SourceReflection)
            unit = S(Combo("cbSrcMism")->currentText());
        else if (c.region == Region::LoadReflection)
            unit = S(Combo("cbLoaMism")->currentText());
        else if (c.region == Region::LoadMeas && c.column < 3)
            unit = S(Combo("cbMeaRfl")->currentText());
        return unit.empty() ? text : text + " " + unit;
    }
};

TEST_P(CliAndWindow, TextOutputShowsWhatTheWindowShows)
{
    const TCase& c = GetParam();
    const TRun run = RunCalc(Arguments(c));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<TTextSection> sections = ParseText(run.out);
    ASSERT_EQ(sections.size(), 1u + Regions().size()) << run.out;
    Enter(c);

    // the inputs, as the window's fields show them after the evaluation
    const TTextSection& in = sections[0];
    ASSERT_EQ(in.title, "Inputs");
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"Anode V", S(Edit("edAnodeV")->text()) + " V"},
        {"Anode I", S(Edit("edAnodeI")->text()) + " A"},
        {"Efficiency", S(Edit("edEffic")->text()) + " %"},
        {"Source Magnitude", S(Edit("edSrcMag")->text() + " " + Combo("cbSrcRfl")->currentText())},
        {"Source Phase", S(Edit("edSrcPha")->text()) + " deg"},
        {"Load Magnitude", S(Edit("edLoaMag")->text() + " " + Combo("cbLoaRfl")->currentText())},
        {"Load Phase", S(Edit("edLoaPha")->text()) + " deg"},
        {"Directivity", Find<QCheckBox>("chIdeal")->isChecked() ? "Ideal" : S(Edit("edDire")->text()) + " dB"}};
    ASSERT_EQ(in.captions.size(), inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(in.captions[i], inputs[i].first);
        EXPECT_EQ(in.cells[i].at(0), inputs[i].second) << c.name << ": " << inputs[i].first;
    }

    int compared = 0;
    for (const TResultCell& cell : ResultCells()) {
        const TRegionSpec& region = RegionOf(cell.region);
        const TTextSection* s = nullptr;
        for (const TTextSection& t : sections)
            if (t.title == region.title) s = &t;
        ASSERT_NE(s, nullptr) << region.title;
        ASSERT_EQ(s->columns, std::vector<std::string>(region.columns.begin(), region.columns.end()));
        const auto row = static_cast<std::size_t>(cell.row);
        ASSERT_LT(row, s->captions.size());
        EXPECT_EQ(s->captions[row], region.rows[row]);
        EXPECT_EQ(s->cells[row].at(static_cast<std::size_t>(cell.column)), WindowCell(cell))
            << c.name << ": " << cell.accessibleName;
        ++compared;
    }
    EXPECT_EQ(compared, 39);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliAndWindow,
    ::testing::Values(
        TCase{"defaults", "4000", "3", "85", 0, "0.2", "0", 0, "0.5", "90", nullptr, "W", "mag", "power"},
        TCase{"coupler dBm percent", "5000", "2.5", "80", 1, "-20", "45", 2, "2", "-30", "25", "dBm", "%", "%"},
        TCase{"full reflection dBW dB", "100000", "1000", "100", 0, "0", "0", 0, "1", "180", "0", "dBW", "dB", "dB"},
        TCase{"dBkW power", "1500", "0.3", "60", 0, "0.9", "-90", 1, "-3", "90", "40", "dBkW", "mag", "power"},
        TCase{"matched load", "4000", "3", "85", 0, "0.2", "0", 0, "0", "0", "20", "W", "dB", "%"},
        TCase{"clamped and mA", "250000", "300 mA", "150", 0, "0.5", "270", 0, "0.5", "-200", "100", "W", "%",
              "power"},
        TCase{"no power", "0", "3", "85", 2, "1.5", "0", 0, "0.5", "90", "20", "dBm", "%", "dB"}),
    ROW_NAMES(std::string(r.name)));

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Numbers that survive the window's write-back unchanged, so that every
// evaluation of the window computes with exactly what the command line gets.
const TCase kAwkward{"awkward", "4321", "2.75", "85.4", 1, "-13.3", "15", 2, "2.7", "-35", "20.3", "dBm", "%", "dB"};

TEST_F(CliAndWindow, JsonAndCsvReadBackToTheWindowsDoubles)
{
    QStringList args = Arguments(kAwkward);
    const TRun json = RunCalc(args + QStringList{"--format", "json"});
    const TRun csv = RunCalc(args + QStringList{"--format", "csv"});
    ASSERT_EQ(json.status, 0) << json.err;
    ASSERT_EQ(csv.status, 0) << csv.err;
    Enter(kAwkward);

    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    const QJsonObject results = doc.value("results").toObject();
    const std::vector<std::string> lines = TextLines(csv.out);
    ASSERT_EQ(lines.size(), 2u);
    const QStringList header = QString::fromStdString(lines[0]).split(',');
    const QStringList row = QString::fromStdString(lines[1]).split(',');  // no quoted cells before the fields
    for (std::size_t i = 0; i < ModelFields().size(); ++i) {
        const TFieldSpec& f = ModelFields()[i];
        const double expected = f.value(w->M);
        const QJsonValue v = results.value(f.name);
        ASSERT_EQ(S(header[static_cast<qsizetype>(6 + i)]), f.name);
        if (std::isnan(expected)) {  // no value: null, an empty cell
            EXPECT_TRUE(v.isNull() && row[static_cast<qsizetype>(6 + i)].isEmpty()) << f.name;
            continue;
        }
        if (f.kind == FieldKind::Boolean)
            EXPECT_EQ(v.toBool(), expected != 0) << f.name;
        else
            EXPECT_TRUE(SameBits(v.toDouble(), expected)) << f.name << ": " << v.toDouble() << " " << expected;
        EXPECT_TRUE(SameBits(std::strtod(row[static_cast<qsizetype>(6 + i)].toUtf8().constData(), nullptr), expected))
            << f.name << ": " << S(row[static_cast<qsizetype>(6 + i)]);
    }
    // the texts too
    const QJsonObject display = doc.value("display").toObject();
    for (const TResultCell& cell : ResultCells())
        EXPECT_EQ(S(display.value(cell.accessibleName).toString()), WindowCell(cell)) << cell.accessibleName;
    EXPECT_EQ(S(doc.value("inputs").toObject().value("source").toString()), "db:-13.3@15");
    EXPECT_EQ(S(doc.value("inputs").toObject().value("load").toString()), "swr:2.7@-35");
}

}  // namespace
