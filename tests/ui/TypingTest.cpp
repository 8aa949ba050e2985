// Typing into the fields and leaving them, the reflection representations
// and their round trips, driven through the real window.
#include "WindowFixture.h"
#include "RowNames.h"

#include <QToolButton>

#include <cmath>

namespace {

struct TypingCase {
    const char* field;
    const char* typed;
    double (*modelValue)(const merivane::TModel&);
    double expected;
    const char* writtenBack;
};

double Va(const merivane::TModel& m) { return m.Va; }
double Ia(const merivane::TModel& m) { return m.Ia; }
double Eff(const merivane::TModel& m) { return m.Eff; }
double SrcPha(const merivane::TModel& m) { return m.SrcRfl.Pha; }
double LoaPha(const merivane::TModel& m) { return m.LoaRfl.Pha; }
double Dire(const merivane::TModel& m) { return m.CplDirDb; }

class TypingTable : public WindowTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(TypingTable, LeavingTheFieldReadsAndWritesBack)
{
    const TypingCase& c = GetParam();
    Show();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);  // the directivity is editable
    TypeAndLeave(c.field, QString::fromUtf8(c.typed));
    EXPECT_DOUBLE_EQ(c.modelValue(Model()), c.expected) << c.field << " \"" << c.typed << '"';
    EXPECT_EQ(S(Edit(c.field)->text()), c.writtenBack) << c.field << " \"" << c.typed << '"';
}

INSTANTIATE_TEST_SUITE_P(
    AnodeCurrent, TypingTable,
    ::testing::Values(TypingCase{"edAnodeI", "1,5", Ia, 1.5, "1.5"}, TypingCase{"edAnodeI", "2000", Ia, 1000, "1000"},
                      TypingCase{"edAnodeI", "-3", Ia, 0, "0"}, TypingCase{"edAnodeI", "abc", Ia, 3, "3"},
                      TypingCase{"edAnodeI", "2.5 A", Ia, 2.5, "2.5"},
                      // a unit prefix scales, and the clamp applies after the scaling
                      TypingCase{"edAnodeI", "300 mA", Ia, 0.3, "0.3"}, TypingCase{"edAnodeI", "0.5kA", Ia, 500, "500"},
                      TypingCase{"edAnodeI", "2 kA", Ia, 1000, "1000"}, TypingCase{"edAnodeI", "3 A", Ia, 3, "3"},
                      TypingCase{"edAnodeI", "3 mA", Ia, 0.003, "3E-3"}, TypingCase{"edAnodeI", "mA", Ia, 3, "3"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));
INSTANTIATE_TEST_SUITE_P(
    AnodeVoltage, TypingTable,
    ::testing::Values(TypingCase{"edAnodeV", "1500", Va, 1500, "1500"}, TypingCase{"edAnodeV", " 1500", Va, 1500, "1500"},
                      TypingCase{"edAnodeV", "1500.5", Va, 4000, "4000"}, TypingCase{"edAnodeV", "1,500", Va, 4000, "4000"},
                      TypingCase{"edAnodeV", "1500 V", Va, 4000, "4000"}, TypingCase{"edAnodeV", "-10", Va, 0, "0"},
                      TypingCase{"edAnodeV", "250000", Va, 100000, "100000"}, TypingCase{"edAnodeV", "$5DC", Va, 1500, "1500"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));
INSTANTIATE_TEST_SUITE_P(
    Phases, TypingTable,
    ::testing::Values(TypingCase{"edSrcPha", "45 deg", SrcPha, 0, "0"}, TypingCase{"edSrcPha", "45\xC2\xB0", SrcPha, 45, "45"},
                      // a phase wraps by whole turns: 270 - 360, -200 + 360
                      TypingCase{"edSrcPha", "270", SrcPha, -90, "-90"}, TypingCase{"edSrcPha", "-200", SrcPha, 160, "160"},
                      TypingCase{"edLoaPha", "-200", LoaPha, 160, "160"},
                      // the spinner moves to its step; the field keeps what is in force
                      TypingCase{"edSrcPha", "47", SrcPha, 47, "47"}, TypingCase{"edSrcPha", "47.5", SrcPha, 47.5, "47.5"},
                      TypingCase{"edLoaPha", "-47.3", LoaPha, -47.3, "-47.3"},
                      TypingCase{"edLoaPha", "177.5", LoaPha, 177.5, "177.5"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

TEST_F(WindowTest, AFractionNextToTheSpinnersPositionStaysAsTyped)
{
    Show();
    TypeAndLeave("edSrcPha", "47");
    EXPECT_EQ(Edit("edSrcPha")->text(), "47");
    EXPECT_EQ(Model().SrcRfl.Pha, 47.0);
    w->bEvaluateClick();  // the next cycle keeps what is in force
    EXPECT_EQ(Model().SrcRfl.Pha, 47.0);
    EXPECT_EQ(Edit("edSrcPha")->text(), "47");
    TypeAndLeave("edSrcPha", "47.5");
    EXPECT_EQ(Edit("edSrcPha")->text(), "47.5");
    EXPECT_EQ(Model().SrcRfl.Pha, 47.5);
}
INSTANTIATE_TEST_SUITE_P(
    EfficiencyAndDirectivity, TypingTable,
    ::testing::Values(TypingCase{"edEffic", "150", Eff, 1, "100"}, TypingCase{"edEffic", "85.5", Eff, 0.855, "85.5"},
                      TypingCase{"edEffic", "85.4", Eff, 0.854, "85.4"}, TypingCase{"edDire", "120", Dire, 120, "120"},
                      TypingCase{"edDire", "200", Dire, 160, "160"}, TypingCase{"edDire", "-5", Dire, 0, "0"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

struct ReflCase {
    int representation;
    const char* typed;
    double mag, rloss, swr;
    const char* writtenBack;  // nullptr: the text that reads back to the value in force
};

class ReflectionTable : public WindowTest, public ::testing::WithParamInterface<ReflCase> {};

TEST_P(ReflectionTable, LoadReflectionInEachRepresentation)
{
    const ReflCase& c = GetParam();
    Show();
    Choose("cbLoaRfl", c.representation);
    TypeAndLeave("edLoaMag", QString::fromUtf8(c.typed));
    EXPECT_NEAR(Model().LoaRfl.Mag, c.mag, 1e-12) << c.typed;
    EXPECT_NEAR(Model().LoaRfl.Rloss, c.rloss, 1e-9) << c.typed;
    EXPECT_NEAR(Model().LoaRfl.Swr, c.swr, 1e-9) << c.typed;
    if (c.writtenBack) {
        EXPECT_EQ(S(Edit("edLoaMag")->text()), c.writtenBack) << c.typed;
    } else {
        // no rounded text reads back: the field holds the return loss in force, to the last digit
        EXPECT_EQ(Edit("edLoaMag")->text().toDouble(), Model().LoaRfl.Rloss) << c.typed;
        EXPECT_EQ(Model().LoaRfl.Mag, c.mag) << "kept exactly";
    }
}

const double kHalfDb = -6.020599913279624;  // 20 log10 0.5
const double kThreeDbMag = 0.7079457843841379;  // 10^(-3/20)

INSTANTIATE_TEST_SUITE_P(
    Representations, ReflectionTable,
    ::testing::Values(ReflCase{0, "1.5", 0.5, kHalfDb, 3, "0.5"}, ReflCase{0, "0,1", 0.1, -20, 1.1 / 0.9, "0.1"},
                      ReflCase{0, "1", 1, 0, 9999.999, "1"}, ReflCase{0, "-0.1", 0.5, kHalfDb, 3, "0.5"},
                      ReflCase{1, "-20", 0.1, -20, 1.1 / 0.9, "-20"},
                      // a positive dB is a return loss
                      ReflCase{1, "3", kThreeDbMag, -3, (1 + kThreeDbMag) / (1 - kThreeDbMag), "-3"},
                      // a kept magnitude is written back with the text that reads back to it
                      ReflCase{1, "-160", 0, -160, 1, "-160"}, ReflCase{1, "-200", 0.5, kHalfDb, 3, nullptr},
                      ReflCase{2, "0.5", 0.5, kHalfDb, 3, "3"}, ReflCase{2, "10000", 1, 0, 10000, "1E+4"},
                      ReflCase{2, "9999.999", 1, 0, 9999.999, "9999.999"},
                      ReflCase{2, "9999.99", 9998.99 / 10000.99, 20 * std::log10(9998.99 / 10000.99), 9999.99, "9999.99"},
                      ReflCase{2, "100001", 0.5, kHalfDb, 3, "3"}, ReflCase{2, "2", 1.0 / 3, 20 * std::log10(1.0 / 3), 2, "2"}),
    ROW_NAMES(std::string(r.representation == 1 ? "dB" : r.representation == 2 ? "SWR" : "Mag") + "_" + r.typed));

struct RoundTrip {
    double mag;
    int representation;
    double magAfter;
};

class RoundTripTable : public WindowTest, public ::testing::WithParamInterface<RoundTrip> {};

// A representation shows the magnitude rounded, but the magnitude in force
// stays exactly as it was until the text is edited: cycles change nothing.
TEST_P(RoundTripTable, ChangingTheRepresentationKeepsTheMagnitudeInForce)
{
    const RoundTrip& c = GetParam();
    Show();
    Combo("cbSrcRfl")->setFocus(Qt::OtherFocusReason);
    Edit("edSrcMag")->setText(QString::number(c.mag, 'g', 17));
    Edit("edSrcMag")->setModified(true);  // as typing would
    w->bEvaluateClick();
    Choose("cbSrcRfl", c.representation);
    const QString shown = Edit("edSrcMag")->text();
    w->bEvaluateClick();
    const double first = Model().SrcRfl.Mag;
    EXPECT_NEAR(first, c.magAfter, 1e-12) << "mag " << c.mag << " shown " << S(shown);
    const QString again = Edit("edSrcMag")->text();
    w->bEvaluateClick();
    EXPECT_EQ(Model().SrcRfl.Mag, first);
    EXPECT_EQ(Edit("edSrcMag")->text(), again);
}

INSTANTIATE_TEST_SUITE_P(
    MagDbSwr, RoundTripTable,
    ::testing::Values(RoundTrip{0, 0, 0}, RoundTrip{0, 1, 0}, RoundTrip{0, 2, 0}, RoundTrip{0.5, 0, 0.5},
                      RoundTrip{0.5, 1, 0.5}, RoundTrip{0.5, 2, 0.5},
                      // shown "0.9999" in Mag, "-8.69E-4" in dB, "9999.999" in SWR: 0.9999 stays in force
                      RoundTrip{0.9999, 0, 0.9999}, RoundTrip{0.9999, 1, 0.9999}, RoundTrip{0.9999, 2, 0.9999},
                      RoundTrip{1, 0, 1}, RoundTrip{1, 1, 1}, RoundTrip{1, 2, 1}),
    ROW_NAMES(rows::Num(r.mag) + (r.representation == 1 ? "_in_dB" : r.representation == 2 ? "_in_SWR" : "_in_Mag")));

TEST_F(WindowTest, AShortCircuitShownInSwrStaysAShortCircuit)
{
    Show();
    TypeAndLeave("edSrcMag", "1");
    ASSERT_EQ(Model().Pav, 1e16);
    Choose("cbSrcRfl", 2);
    EXPECT_EQ(Edit("edSrcMag")->text(), "9999.999");
    TypeAndLeave("edAnodeV", "4000");  // merely leaving a field
    EXPECT_EQ(Model().SrcRfl.Mag, 1.0);
    EXPECT_EQ(Model().Pav, 1e16);
    EXPECT_EQ(Text("lbPav"), "oo");
}

TEST_F(WindowTest, ChangingARepresentationRewritesOnlyItsField)
{
    Show();
    TypeAndLeave("edLoaMag", "0.1");
    const double pinc = Model().Pinc;
    Edit("edAnodeV")->setText("1");  // would change the results if anything recomputed
    Choose("cbLoaRfl", 1);
    EXPECT_EQ(Edit("edLoaMag")->text(), "-20");
    Choose("cbLoaRfl", 2);
    EXPECT_EQ(Edit("edLoaMag")->text(), "1.222");
    EXPECT_EQ(Model().Pinc, pinc);
    EXPECT_EQ(Model().Va, 4000);
    EXPECT_EQ(Edit("edAnodeV")->text(), "1");
    EXPECT_EQ(Edit("edSrcMag")->text(), "0.2");
}

TEST_F(WindowTest, AListWithoutSelectionIsReadAsMag)
{
    Create();
    Combo("cbSrcRfl")->setCurrentIndex(-1);
    Edit("edSrcMag")->setText("0.3");
    Edit("edSrcMag")->setModified(true);  // as typing would
    w->bEvaluateClick();
    EXPECT_EQ(Combo("cbSrcRfl")->currentIndex(), 0);
    EXPECT_EQ(Model().SrcRfl.Mag, 0.3);
}

}  // namespace
