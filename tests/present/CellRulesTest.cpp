// The presentation rules, without a window: value text, unit caption,
// unit-label place and colour for each kind of cell.
#include "CellRules.h"
#include "RowNames.h"
#include "Texts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace merivane::present;
using merivane::TRefl;

const char* UnitName(PowerUnit u)
{
    switch (u) {
    case PowerUnit::None: return "none";
    case PowerUnit::Watts: return "W";
    case PowerUnit::Dbm: return "dBm";
    case PowerUnit::DbW: return "dBW";
    case PowerUnit::DbkW: return "dBkW";
    }
    return "?";
}

struct PowerCase {
    PowerUnit unit;
    double watts;
    const char* text;
    const char* caption;
    int unitLeft;
};

class PowerCells : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerCells, InThePowerUnit)
{
    const PowerCase& c = GetParam();
    const TCell cell = PowerCell(c.watts, c.unit);
    EXPECT_EQ(cell.text, c.text);
    EXPECT_TRUE(cell.writesUnit);
    EXPECT_EQ(cell.Caption(), c.caption);
    EXPECT_EQ(cell.unitLeft, c.unitLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Units, PowerCells,
    ::testing::Values(PowerCase{PowerUnit::Watts, 999.99, "999.99", "W", 66}, PowerCase{PowerUnit::Watts, 1000, "1", "kW", 60},
                      PowerCase{PowerUnit::Watts, -1500, "-1.5", "kW", 60},
                      PowerCase{PowerUnit::Watts, -999.994, "-999.99", "W", 66},
                      PowerCase{PowerUnit::Watts, 2e16, "oo", "kW", 60}, PowerCase{PowerUnit::Watts, 1e16, "oo", "kW", 60},
                      PowerCase{PowerUnit::Watts, -3e16, "oo", "kW", 60}, PowerCase{PowerUnit::Watts, 0, "0", "W", 66},
                      PowerCase{PowerUnit::Watts, 10099.0099, "10.1", "kW", 60},
                      PowerCase{PowerUnit::None, 10099.0099, "10.1", "kW", 60},
                      PowerCase{PowerUnit::Dbm, 1, "30", "dBm", 56}, PowerCase{PowerUnit::Dbm, 0, "-oo", "dBm", 56},
                      PowerCase{PowerUnit::Dbm, 1e16, "+oo", "dBm", 56}, PowerCase{PowerUnit::Dbm, -5, "-160", "dBm", 56},
                      PowerCase{PowerUnit::DbW, 1, "0", "dBW", 54}, PowerCase{PowerUnit::DbW, 0, "-oo", "dBW", 54},
                      PowerCase{PowerUnit::DbW, 2e16, "+oo", "dBW", 54},
                      PowerCase{PowerUnit::DbW, 10625, "40.26", "dBW", 54},
                      PowerCase{PowerUnit::DbkW, 1, "-30", "dBkW", 50}, PowerCase{PowerUnit::DbkW, 1000, "0", "dBkW", 50},
                      PowerCase{PowerUnit::DbkW, 0, "-oo", "dBkW", 50},
                      // the sentinel is not scaled down into range: still infinite
                      PowerCase{PowerUnit::DbkW, 1e16, "+oo", "dBkW", 50},
                      // no value (two infinite readings' difference): undefined in every unit
                      PowerCase{PowerUnit::Watts, std::nan(""), "Undefined", "W", 66},
                      PowerCase{PowerUnit::Dbm, std::nan(""), "Undefined", "dBm", 56}),
    ROW_NAMES(std::string(UnitName(r.unit)) + "_" + rows::Num(r.watts)));

struct FactorCase {
    int selUnit;
    double f;
    const char* text;
    const char* caption;
    int unitLeft;
};

class FactorCells : public ::testing::TestWithParam<FactorCase> {};

TEST_P(FactorCells, InTheFactorUnit)
{
    const FactorCase& c = GetParam();
    const TCell cell = FactorCell(c.f, c.selUnit);
    EXPECT_EQ(cell.text, c.text);
    EXPECT_EQ(cell.Caption(), c.caption);
    EXPECT_EQ(cell.unitLeft, c.unitLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Units, FactorCells,
    ::testing::Values(FactorCase{0, 1, "1", "", -1}, FactorCase{1, 1, "100", "%", 68}, FactorCase{2, 1, "0", "dB", 65},
                      FactorCase{0, 0.990099, "0.99", "", -1}, FactorCase{1, 0.990099, "99.01", "%", 68},
                      FactorCase{2, 0.990099, "-4.32E-2", "dB", 65}, FactorCase{2, 0, "-oo", "dB", 65},
                      FactorCase{0, 1e16, "+oo", "", -1}, FactorCase{1, 1e16, "+oo", "%", 68},
                      FactorCase{2, 1e16, "+oo", "dB", 65}, FactorCase{0, 0, "0", "", -1},
                      FactorCase{7, 0.5, "Bad unit", "", -1}),
    ROW_NAMES("unit" + std::to_string(r.selUnit) + "_" + rows::Num(r.f)));

struct ReflCase {
    const char* kind;  // "mism" or "mea"
    int index;
    TRefl r;
    const char* text;
};

class ReflectionCells : public ::testing::TestWithParam<ReflCase> {};

TEST_P(ReflectionCells, InTheListsRepresentation)
{
    const ReflCase& c = GetParam();
    const TCell cell = std::string(c.kind) == "mism" ? MismCell(c.r, c.index) : MeaRflCell(c.r, c.index);
    EXPECT_EQ(cell.text, c.text);
    EXPECT_FALSE(cell.writesUnit);  // the list beside the cell names the unit
}

TRefl Mism(double m)
{
    TRefl r;
    r.Mism = m;
    return r;
}
TRefl Refl(double mag, double rloss, double swr)
{
    TRefl r;
    r.Mag = mag;
    r.Rloss = rloss;
    r.Swr = swr;
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Representations, ReflectionCells,
    ::testing::Values(ReflCase{"mism", 0, Mism(0.75), "0.75"}, ReflCase{"mism", 1, Mism(0.75), "-1.25"},
                      ReflCase{"mism", 2, Mism(0.75), "75"}, ReflCase{"mism", -1, Mism(0.75), "0.75"},
                      ReflCase{"mism", 1, Mism(0), "-oo"},
                      ReflCase{"mea", 1, Refl(1e-9, -160, 9999), "-oo"}, ReflCase{"mea", 2, Refl(1e-9, -160, 9999), "+oo"},
                      ReflCase{"mea", 2, Refl(1e-9, -160, 9998.9), "9998.9"},
                      ReflCase{"mea", 1, Refl(1e-9, -159.99, 1), "-159.99"},
                      ReflCase{"mea", -1, Refl(1e-9, -160, 1), "1E-9"},
                      // the sentinel of a 0 dB coupler on a full reflection, in all three
                      ReflCase{"mea", 0, Refl(1e16, 1e16, 1e16), "+oo"}, ReflCase{"mea", 1, Refl(1e16, 1e16, 1e16), "+oo"},
                      ReflCase{"mea", 2, Refl(1e16, 1e16, 1e16), "+oo"},
                      ReflCase{"mea", 1, Refl(1.0989, 0.82, 21.22), "0.82"}),
    ROW_NAMES(std::string(r.kind) + std::to_string(r.index) + "_" + r.text));

TEST(MeaRflErrCells, WhiteWithPercentagePointsInMagOnly)
{
    const TRefl truth = Refl(0.5, 0, 0);
    const TRefl measured = Refl(0.4 / 1.05, 0, 0);
    TCell c = MeaRflErrCell(measured, truth, 0);
    EXPECT_EQ(c.text, "-11.9");  // (0.380952 - 0.5) * 100
    EXPECT_EQ(c.colour, CellColour::White);
    for (int index : {1, 2, -1}) {
        c = MeaRflErrCell(measured, truth, index);
        EXPECT_EQ(c.text, "") << index;
        EXPECT_EQ(c.colour, CellColour::ButtonFace) << index;
    }
    EXPECT_EQ(MeaRflErrCell(Refl(1e16, 1e16, 1e16), truth, 0).text, "+oo");
}

struct MeasCase {
    bool isError;
    double ratio, watts;
    int selErrUnit;
    PowerUnit unit;
    const char* text;
    const char* caption;
    int unitLeft;
};

class MeaPowerCells : public ::testing::TestWithParam<MeasCase> {};

TEST_P(MeaPowerCells, InTheMeasurementUnit)
{
    const MeasCase& c = GetParam();
    const TCell cell = MeaPowerCell(c.isError, c.ratio, c.watts, c.selErrUnit, c.unit);
    EXPECT_EQ(cell.text, c.text);
    EXPECT_EQ(cell.Caption(), c.caption);
    EXPECT_EQ(cell.unitLeft, c.unitLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Units, MeaPowerCells,
    ::testing::Values(
        MeasCase{false, 0.81, 8100, 0, PowerUnit::Watts, "8.1", "kW", 60},
        MeasCase{true, 0.81, -1900, 0, PowerUnit::Watts, "-1.9", "kW", 60},
        MeasCase{false, 0.81, 8100, 1, PowerUnit::Watts, "81", "%", 68},
        MeasCase{true, 0.81, -1900, 1, PowerUnit::Watts, "-19", "%", 68},
        MeasCase{false, 0.9025, 1, 2, PowerUnit::Watts, "-0.45", "dB", 65},
        MeasCase{true, 0.9025, 1, 2, PowerUnit::Watts, "-0.45", "dB", 65},
        // an error cell in Power with another power unit shows the ratio in dB
        MeasCase{true, 0.9025, -1, 0, PowerUnit::Dbm, "-0.45", "dB", 65},
        MeasCase{false, 0.9025, 1, 0, PowerUnit::Dbm, "30", "dBm", 56},
        MeasCase{true, 0.9025, -1, 0, PowerUnit::None, "-0.45", "dB", 65},
        MeasCase{false, 1e16, 102, 0, PowerUnit::Watts, "102", "W", 66},
        MeasCase{false, 1e16, 102, 1, PowerUnit::Watts, "Undefined", "%", 68},
        MeasCase{true, 1e16, 102, 2, PowerUnit::Watts, "Undefined", "dB", 65},
        MeasCase{true, 1e16, 102, 0, PowerUnit::DbW, "Undefined", "dB", 65},
        MeasCase{false, 1, 5, 9, PowerUnit::Watts, "Bad unit", "", -1}),
    ROW_NAMES(std::string(r.isError ? "error" : "meas") + "_unit" + std::to_string(r.selErrUnit) + "_" +
              UnitName(r.unit) + "_" + rows::Num(r.ratio)));

TEST(Texts, DbRlossAndSwrAtTheirEdges)
{
    EXPECT_EQ(DbStr(1), "0");
    EXPECT_EQ(DbStr(0.5), "-3.01");
    EXPECT_EQ(DbStr(1e16), "+oo");
    EXPECT_EQ(DbStr(-1e16), "+oo");
    EXPECT_EQ(DbStr(1e-16), "-oo");
    EXPECT_EQ(DbStr(-1e-16), "-oo");
    EXPECT_EQ(DbStr(-0.5), "-160");  // a negative ratio above 1e-16 in magnitude
    EXPECT_EQ(RlossStr(-160), "-oo");
    EXPECT_EQ(RlossStr(-159.994), "-159.99");
    EXPECT_EQ(RlossStr(0.82), "0.82");
    EXPECT_EQ(RlossStr(1e16), "+oo");
    EXPECT_EQ(SwrStr(9998.9994), "9998.999");
    EXPECT_EQ(SwrStr(9999), "+oo");
    EXPECT_EQ(SwrStr(1), "1");
}

// A magnitude keeps four decimals and never an exponent, whatever its size.
TEST(Texts, AMagnitudeHasFourDecimalsAndNoExponent)
{
    const std::pair<double, const char*> cases[] = {
        {0.0724543994523452, "0.0725"}, {0.0, "0.0000"}, {-0.0, "0.0000"}, {1.0, "1.0000"}, {0.000012, "0.0000"},
        {0.31748199, "0.3175"}, {1.7320508, "1.7321"}};
    for (const auto& [mag, text] : cases) EXPECT_EQ(MagnitudeText(mag), text) << mag;
}

TEST(UnitLeft, EachCaptionHasItsEdge)
{
    const struct {
        Unit unit;
        const char* caption;
        int left;
    } cases[] = {{Unit::W, "W", 66},      {Unit::kW, "kW", 60},         {Unit::dBm, "dBm", 56}, {Unit::dBW, "dBW", 54},
                 {Unit::dBkW, "dBkW", 50}, {Unit::Percent, "%", 68}, {Unit::dB, "dB", 65},   {Unit::None, "", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(UnitLeft(c.unit), c.left) << c.caption;
        EXPECT_EQ(std::string(UnitCaption(c.unit)), c.caption);
    }
}

}  // namespace
