// SPDX-License-Identifier: GPL-3.0-or-later
// The one table of inputs: every row's default within its limits, every key
// once, the case file written by the rows' keys and read back by them, and
// the help's table of ranges as the rows give them.
#include "CaseFile.h"
#include "EntryReader.h"
#include "InputRows.h"
#include "InputValues.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

using namespace merivane;
using namespace merivane::present;

TEST(InputTable, EveryDefaultLiesWithinItsLimitsAndEveryRowIsItsOwn)
{
    for (const TInputRow& row : InputRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(&InputRow(row.id), &row);
        EXPECT_LE(row.lo, row.def);
        EXPECT_LE(row.def, row.hi);
        EXPECT_NE(row.section, nullptr);
    }
}

TEST(InputTable, EveryKeyAndOptionIsUsedOnce)
{
    std::set<std::string> caseKeys, settingsKeys, options, objects;
    for (const TInputRow& row : InputRows()) {
        if (row.key) {
            EXPECT_TRUE(caseKeys.insert(std::string(row.section) + "." + row.key).second) << row.key;
        }
        if (row.settingsKey) {
            EXPECT_TRUE(settingsKeys.insert(row.settingsKey).second) << row.settingsKey;
        }
        if (row.option) {
            EXPECT_TRUE(options.insert(row.option).second) << row.option;
        }
        EXPECT_TRUE(objects.insert(row.objectName).second) << row.objectName;
    }
}

// Every input set away from its default, so that no section is left out.
TCase EveryInputSet()
{
    TCase c = DefaultCase();
    c.name = "Every input";
    TInputs& m = c.inputs;
    SetFieldValue(m, Input::AnodeV, 5000);
    SetFieldValue(m, Input::AnodeI, 2.5);
    SetFieldValue(m, Input::Effic, 75);
    SetFieldValue(m, Input::SrcMag, 0.1);
    SetFieldValue(m, Input::SrcPha, 30);
    SetFieldValue(m, Input::LoaMag, 0.6);
    SetFieldValue(m, Input::LoaPha, -45);
    SetFieldValue(m, Input::Dire, 30);
    c.ideal = false;
    c.line.FreqMHz = 915;
    c.line.Line = LineType::WR975;
    c.line.WidthMm = 100;
    c.line.Vf = 0.8;
    c.line.LengthM = 2.5;
    c.line.SpanMHz = 5;
    c.display.power = PowerUnit::Dbm;
    c.factorUnit = 2;
    c.measUnit = 1;
    c.display.srcMism = 1;
    c.display.loaMism = 2;
    c.display.meaRfl = 2;
    c.tuner.method = MatchMethod::DoubleStub;
    c.tuner.spacingMm = 40.5;
    c.tuner.solution = 1;
    c.tuner.screws = {{0, 0}, {5, 0.25}};
    c.guide.loss = LossSource::Entered;
    c.guide.lossDbPerM = 0.02;
    c.guide.metal = Conductor::Brass;
    c.guide.breakdownKvPerM = 2500;
    c.guide.heightMm = 50;
    c.tube.magnetron = {12, 1500, 20, 3000};
    c.tube.measurement = {LeakPhaseModel::Disk, 1.5, 0.5, 10, 8, 12.5};
    c.measured = TMeasuredLoad{"load.s1p", 1, {910e6, 920e6}, {{0.5, 0.25}, {-0.125, 0}}, 12.5, 20};
    return c;
}

// Numbers as the fields write them: below 0.0996 in exponent notation, and a
// text that is no plain JSON number as a JSON string.
constexpr const char* kEveryInputText = R"({
  "format": "merivane-case",
  "version": 1,
  "name": "Every input",
  "inputs": {
    "va": 5000,
    "ia": 2.5,
    "eff": 75,
    "source": "0.1@30",
    "load": "0.6@-45",
    "directivity": 30,
    "ideal": false
  },
  "line": {
    "frequency": 915,
    "line": "WR975",
    "width": 100,
    "vf": 0.8,
    "length": 2.5,
    "span": 5
  },
  "display": {
    "power_unit": "dBm",
    "factor_unit": "dB",
    "meas_unit": "%",
    "source_form": "mag",
    "load_form": "mag",
    "source_mismatch": "dB",
    "load_mismatch": "%",
    "meas_reflection": "SWR"
  },
  "tuner": {
    "method": "double-stub",
    "spacing_mm": 40.5,
    "solution": 2,
    "screws": [[0, 0], [5, 0.25]]
  },
  "guide": {
    "loss": "entered",
    "loss_db_per_m": "2E-2",
    "metal": "brass",
    "breakdown_kv_per_m": 2500,
    "height_mm": 50
  },
  "magnetron": {
    "pulling": 12,
    "qext": 1500,
    "isolation": 20,
    "dummy_rating": 3000
  },
  "measurement": {
    "phase_model": "disk",
    "coupling_uncertainty": 1.5,
    "sensor_uncertainty": 0.5,
    "trip": 10,
    "water_flow": 8,
    "water_rise": 12.5
  },
  "measured": {
    "file": "load.s1p",
    "port": 1,
    "plane_shift_mm": 12.5,
    "band_half_mhz": 20,
    "points": [
      [910000000, 0.5, 0.25],
      [920000000, -0.125, 0]
    ]
  }
}
)";

TEST(CaseFileBytes, ACaseWithEveryInputIsWrittenByteForByte)
{
    EXPECT_EQ(CaseFileText(EveryInputSet()), kEveryInputText);
    const TCaseReadResult back = ReadCaseFile(kEveryInputText);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.warning, "");
    EXPECT_TRUE(back.c == EveryInputSet());
}

// Each row's key is in the written file under its section, and the table
// gives the row back for it.
TEST(CaseFileKeys, EveryKeyOfTheFileGivesItsRow)
{
    const QJsonObject root = QJsonDocument::fromJson(QByteArray(kEveryInputText)).object();
    for (const TInputRow& row : InputRows()) {
        if (!row.key) continue;
        SCOPED_TRACE(row.key);
        EXPECT_TRUE(root.value(QLatin1String(row.section)).toObject().contains(QLatin1String(row.key)));
        EXPECT_EQ(InputRowByKey(row.section, row.key), &row);
    }
    EXPECT_EQ(InputRowByKey("inputs", "spacing_mm"), nullptr);  // a key belongs to its section
}

// The help's table of ranges, row by row: each input's range is the table's.
std::string HelpText()
{
    std::ifstream in(std::string(MERIVANE_SOURCE_DIR) + "/app/MerivaneHelp.html", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Range(double lo, double hi)
{
    const auto text = [](double v) { return v < 0 ? "\u2212" + LimitText(-v) : LimitText(v); };
    return text(lo) + " .. " + text(hi);
}

struct THelpRange {
    const char* helpName;
    std::string range;
};

TEST(HelpRanges, EveryRowOfTheHelpsTableIsTheInputTables)
{
    const auto row = [](Input id) { return Range(InputRow(id).lo, InputRow(id).hi); };
    std::string forms;
    for (const TReflForm& f : ReflForms()) forms += (forms.empty() ? "" : "; ") + std::string(f.item) + " " + Range(f.lo, f.hi);
    ASSERT_EQ(row(Input::SrcPha), row(Input::LoaPha));
    const THelpRange expected[] = {
        {InputRow(Input::AnodeV).name, row(Input::AnodeV)},
        {InputRow(Input::AnodeI).name, row(Input::AnodeI)},
        {InputRow(Input::Effic).name, row(Input::Effic)},
        {"Source and load Magnitude", forms},
        {"Source and load Phase", row(Input::SrcPha)},
        {InputRow(Input::Dire).name, row(Input::Dire)},
    };
    const std::string help = HelpText();
    const std::size_t table = help.find("<tr><th>Input</th><th>Unit</th><th>Range</th>");
    ASSERT_NE(table, std::string::npos);
    const std::string rows = help.substr(table, help.find("</table>", table) - table);
    const std::regex cells(R"(<tr><td>([^<]*)</td><td>[^<]*</td><td>([^<]*)</td>)");
    std::size_t n = 0;
    for (auto it = std::sregex_iterator(rows.begin(), rows.end(), cells); it != std::sregex_iterator(); ++it, ++n) {
        ASSERT_LT(n, std::size(expected)) << (*it)[1];
        EXPECT_EQ((*it)[1].str(), expected[n].helpName);
        EXPECT_EQ((*it)[2].str(), expected[n].range) << expected[n].helpName;
    }
    EXPECT_EQ(n, std::size(expected));
}

}  // namespace
