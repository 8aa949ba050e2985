// The catalogue of result cells: every region's rows and columns covered once,
// and the worked examples rendered through it.
#include "Cells.h"
#include "ModelCases.h"
#include "RowNames.h"
#include "Transmission.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using namespace merivane::present;
using merivane::TModel;

TModel WorkedExample(bool ideal)
{
    TModel m = merivane::testcases::Defaults();
    merivane::CalcTransmission(m, ideal);
    return m;
}

std::map<std::string, TCell> Render(const TModel& m, const TDisplay& d)
{
    std::map<std::string, TCell> out;
    for (const TResultCell& c : ResultCells()) out[c.accessibleName] = c.render(m, d);
    return out;
}

TEST(Cells, EachRowAndColumnOfEachRegionHasExactlyOneCell)
{
    std::set<std::tuple<int, int, int>> seen;
    std::set<std::string> names, panels, labels;
    for (const TResultCell& c : ResultCells()) {
        const TRegionSpec& region = RegionOf(c.region);
        ASSERT_LT(c.row, static_cast<int>(region.rows.size())) << c.accessibleName;
        ASSERT_LT(c.column, std::max<int>(1, static_cast<int>(region.columns.size()))) << c.accessibleName;
        EXPECT_TRUE(seen.insert({static_cast<int>(c.region), c.row, c.column}).second) << c.accessibleName;
        EXPECT_TRUE(names.insert(c.accessibleName).second) << c.accessibleName;
        EXPECT_TRUE(panels.insert(c.panel).second) << c.panel;
        EXPECT_TRUE(labels.insert(c.valueLabel).second) << c.valueLabel;
    }
    std::size_t expected = 0;
    for (const TRegionSpec& r : Regions()) expected += r.rows.size() * std::max<std::size_t>(1, r.columns.size());
    EXPECT_EQ(ResultCells().size(), expected);
    EXPECT_EQ(ResultCells().size(), 39u);
}

TEST(Cells, NamesJoinTheRowCaptionAndTheColumnHeader)
{
    for (const TResultCell& c : ResultCells()) {
        const TRegionSpec& region = RegionOf(c.region);
        if (region.columns.empty()) continue;
        EXPECT_EQ(std::string(c.accessibleName),
                  std::string(region.rows[static_cast<std::size_t>(c.row)]) + ", " +
                      region.columns[static_cast<std::size_t>(c.column)]);
    }
}

// The worked examples of the model, as the window shows them in W and Mag.
TEST(Cells, WorkedExampleWithAnIdealCoupler)
{
    const auto cells = Render(WorkedExample(true), TDisplay{});
    const std::map<std::string, std::string> expected = {
        {"Power to Match", "10.2 kW"},
        {"Available Power", "10.63 kW"},
        {"Source Mismatch", "0.96"},
        {"Load Mismatch", "0.75"},
        {"Interference Factor, Actual Value", "0.99"},
        {"Interference Factor, Min Value", "0.826"},
        {"Interference Factor, Max Value", "1.235"},
        {"Transducer Gain, Actual Value", "0.713"},
        {"Transducer Gain, Min Value", "0.595"},
        {"Transducer Gain, Max Value", "0.889"},
        {"Incident Power, Actual Value", "10.1 kW"},
        {"Incident Power, Min Value", "8.43 kW"},
        {"Incident Power, Max Value", "12.59 kW"},
        {"Reflected Power, Actual Value", "2.52 kW"},
        {"Reflected Power, Min Value", "2.11 kW"},
        {"Reflected Power, Max Value", "3.15 kW"},
        {"Absorbed Power, Actual Value", "7.57 kW"},
        {"Absorbed Power, Min Value", "6.32 kW"},
        {"Absorbed Power, Max Value", "9.44 kW"},
        {"Incident Power, True Value", "10.1 kW"},
        {"Incident Power, Min Error", "0 W"},
        {"Load Reflection Coefficient Magnitude, True Value", "0.5"},
        {"Load Reflection Coefficient Magnitude, Min Error %", "0"},
    };
    for (const auto& [name, text] : expected) {
        ASSERT_TRUE(cells.count(name)) << name;
        EXPECT_EQ(cells.at(name).WithUnit(), text) << name;
    }
}

TEST(Cells, WorkedExampleWithATwentyDbCoupler)
{
    const TModel m = WorkedExample(false);
    auto cells = Render(m, TDisplay{});
    EXPECT_EQ(cells.at("Incident Power, Min Meas").WithUnit(), "9.11 kW");
    EXPECT_EQ(cells.at("Incident Power, Max Meas").WithUnit(), "11.13 kW");
    EXPECT_EQ(cells.at("Reflected Power, Min Meas").WithUnit(), "1.62 kW");
    EXPECT_EQ(cells.at("Reflected Power, Max Meas").WithUnit(), "3.64 kW");
    EXPECT_EQ(cells.at("Absorbed Power, Min Meas").WithUnit(), "5.48 kW");
    EXPECT_EQ(cells.at("Absorbed Power, Max Meas").WithUnit(), "9.52 kW");
    EXPECT_EQ(cells.at("Incident Power, Min Error").WithUnit(), "-984.65 W");  // 9114.36 - 10099.01 W
    EXPECT_EQ(cells.at("Absorbed Power, Min Error").WithUnit(), "-2.1 kW");    // -2095.55 W
    EXPECT_EQ(cells.at("Load Reflection Coefficient Magnitude, Min Meas").text, "0.381");
    EXPECT_EQ(cells.at("Load Reflection Coefficient Magnitude, Max Meas").text, "0.632");
    EXPECT_EQ(cells.at("Load Reflection Coefficient Magnitude, Max Error %").text, "13.16");

    TModel percent = m;
    percent.SelErrUnit = 1;
    cells = Render(percent, TDisplay{});
    EXPECT_EQ(cells.at("Absorbed Power, Min Meas").WithUnit(), "72.33 %");
    EXPECT_EQ(cells.at("Absorbed Power, Min Error").WithUnit(), "-27.67 %");
    EXPECT_EQ(cells.at("Reflected Power, Min Meas").WithUnit(), "64 %");
    EXPECT_EQ(cells.at("Reflected Power, Max Error").WithUnit(), "44 %");

    TDisplay db;
    db.meaRfl = 1;
    db.power = PowerUnit::Dbm;
    cells = Render(m, db);
    EXPECT_EQ(cells.at("Load Reflection Coefficient Magnitude, Min Meas").text, "-8.38");
    EXPECT_EQ(cells.at("Load Reflection Coefficient Magnitude, Max Error %").text, "");
    EXPECT_EQ(cells.at("Load Reflection Coefficient Magnitude, Max Error %").colour, CellColour::ButtonFace);
    EXPECT_EQ(cells.at("Power to Match").WithUnit(), "70.09 dBm");  // 10 log10 (10200 W / 1 mW)
    EXPECT_EQ(cells.at("Incident Power, Min Error").WithUnit(), "-0.45 dB");
}

}  // namespace
