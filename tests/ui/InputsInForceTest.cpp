// SPDX-License-Identifier: GPL-3.0-or-later
// What is typed stays in force and in its field, cycle after cycle; phases
// wrap by whole turns; a positive dB is a return loss; the settings loader
// checks every key; and the input table's limits are the window's. Driven
// through the real window offscreen.
#include "EntryMark.h"
#include "InputRows.h"
#include "RowNames.h"
#include "WindowFixture.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace {

namespace present = merivane::present;

double Va(const merivane::TModel& m) { return m.Va; }
double Ia(const merivane::TModel& m) { return m.Ia; }
double Eff(const merivane::TModel& m) { return m.Eff; }
double SrcMag(const merivane::TModel& m) { return m.SrcRfl.Mag; }
double LoaMag(const merivane::TModel& m) { return m.LoaRfl.Mag; }
double SrcPha(const merivane::TModel& m) { return m.SrcRfl.Pha; }
double LoaPha(const merivane::TModel& m) { return m.LoaRfl.Pha; }
double Dire(const merivane::TModel& m) { return m.CplDirDb; }

std::complex<double> Gamma(const merivane::TRefl& r) { return std::polar(r.Mag, r.Pha * std::numbers::pi / 180); }

// The power into a matched load, Va Ia eff, reaches the load as
// Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2.
double Absorbed(const merivane::TModel& m)
{
    const double pmatch = m.Va * m.Ia * m.Eff;
    return pmatch * (1 - m.LoaRfl.Mag * m.LoaRfl.Mag) / std::norm(1.0 - Gamma(m.SrcRfl) * Gamma(m.LoaRfl));
}

// The results a second Evaluate must leave exactly as they are.
std::vector<double> Results(const merivane::TModel& m)
{
    return {m.Pav, m.Pmatch, m.Interf, m.TrGain, m.Pinc, m.Prefl, m.Pload, m.PloadMin, m.PloadMax, m.PincMinV, m.PloadMinV,
            m.LoaRfl.Mism, m.SrcRfl.Mism};
}

struct InForceCase {
    const char* field;
    const char* typed;
    double (*value)(const merivane::TModel&);
    double expected;  // in the model's unit: the efficiency as a fraction
    const char* shown;
};

class TypedStaysInForce : public WindowTest, public ::testing::WithParamInterface<InForceCase> {};

TEST_P(TypedStaysInForce, InTheFieldAndInTheResultsCycleAfterCycle)
{
    const InForceCase& c = GetParam();
    Show();
    Find<QCheckBox>("chIdeal")->setChecked(false);  // the directivity is editable
    TypeAndLeave(c.field, QString::fromUtf8(c.typed));
    const double first = c.value(Model());
    EXPECT_DOUBLE_EQ(first, c.expected) << c.typed;
    EXPECT_EQ(S(Edit(c.field)->text()), c.shown);
    EXPECT_FALSE(HasEntryMark(Edit(c.field))) << "taken as typed: no note";
    EXPECT_NEAR(Model().Pload, Absorbed(Model()), 1e-9 * Model().Pmatch);
    const std::vector<double> results = Results(Model());

    for (int i = 0; i < 2; ++i) {
        Find<QPushButton>("bEvaluate")->click();
        EXPECT_EQ(c.value(Model()), first) << "Evaluate " << i + 2;
        EXPECT_EQ(S(Edit(c.field)->text()), c.shown) << "Evaluate " << i + 2;
        EXPECT_EQ(Results(Model()), results) << "Evaluate " << i + 2;
    }
    // leaving another field is a cycle too
    TypeAndLeave("edAnodeV", "4000");
    EXPECT_EQ(c.value(Model()), first);
    EXPECT_EQ(S(Edit(c.field)->text()), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TypedStaysInForce,
    ::testing::Values(InForceCase{"edLoaMag", "0.9995", LoaMag, 0.9995, "0.9995"},
                      InForceCase{"edAnodeI", "1.23456", Ia, 1.23456, "1.23456"},
                      InForceCase{"edSrcMag", "0.12345", SrcMag, 0.12345, "0.12345"},
                      InForceCase{"edEffic", "85.7", Eff, 0.857, "85.7"},
                      InForceCase{"edSrcPha", "47", SrcPha, 47, "47"}, InForceCase{"edLoaPha", "-47.3", LoaPha, -47.3, "-47.3"},
                      InForceCase{"edDire", "26.5", Dire, 26.5, "26.5"},
                      // the usual texts stay where they read back
                      InForceCase{"edEffic", "85", Eff, 0.85, "85"}, InForceCase{"edLoaMag", "0.5", LoaMag, 0.5, "0.5"},
                      InForceCase{"edAnodeV", "4000", Va, 4000, "4000"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

// 0.9995 is a load that absorbs about a thousandth: 1 - 0.9995^2 = 9.9975E-4,
// and 10200 W (1 - 0.9995^2) / |1 - 0.2 j 0.9995|^2 = 9.806 W, on every cycle.
TEST_F(WindowTest, ANearlyFullReflectionIsNotRoundedToAFullOne)
{
    Show();
    TypeAndLeave("edLoaMag", "0.9995");
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(Model().LoaRfl.Mism, 9.9975e-4, 1e-15);
        EXPECT_NEAR(Model().Pload, 10200 * 9.9975e-4 / (1 + 0.1999 * 0.1999), 1e-9);
        w->bEvaluateClick();
    }
}

// A spinner follows the value without writing into its field; its next step
// starts from its own position.
TEST_F(WindowTest, TypedFortySevenStaysAndTheNextClickUpGivesFifty)
{
    Show();
    TypeAndLeave("edSrcPha", "47");
    EXPECT_EQ(Edit("edSrcPha")->text(), "47");
    EXPECT_EQ(Model().SrcRfl.Pha, 47.0);
    EXPECT_EQ(Spinner("udSrcPha")->Current(), 45);
    Edit("edSrcPha")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Edit("edSrcPha"), Qt::Key_Up);
    EXPECT_EQ(Edit("edSrcPha")->text(), "50");
    EXPECT_EQ(Model().SrcRfl.Pha, 50.0);
}

// A phase is periodic: any finite phase is reduced by whole turns into
// -180 .. 180, and the note says by how many.
struct PhaseCase {
    const char* field;
    const char* typed;
    double inForce;
    const char* shown;
    const char* note;  // "" when taken as typed
};

class PhasesWrap : public WindowTest, public ::testing::WithParamInterface<PhaseCase> {};

TEST_P(PhasesWrap, ByWholeTurns)
{
    const PhaseCase& c = GetParam();
    Show();
    TypeAndLeave(c.field, QString::fromUtf8(c.typed));
    const bool source = std::string(c.field) == "edSrcPha";
    EXPECT_EQ(source ? Model().SrcRfl.Pha : Model().LoaRfl.Pha, c.inForce);
    EXPECT_EQ(S(Edit(c.field)->text()), c.shown);
    if (*c.note) {
        EXPECT_EQ(S(Edit(c.field)->toolTip().section(QLatin1Char('\n'), 0, 0)), c.note);
    }
    EXPECT_EQ(HasEntryMark(Edit(c.field)), *c.note != '\0');
    // the wrapped value is what the model computes with: the same as typed in range
    const double pload = Model().Pload;
    TypeAndLeave(c.field, QString::fromStdString(S(Edit(c.field)->text())));
    EXPECT_EQ(Model().Pload, pload);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, PhasesWrap,
    ::testing::Values(PhaseCase{"edLoaPha", "270", -90, "-90", "“270” is −90° (one turn less)"},
                      PhaseCase{"edLoaPha", "-200", 160, "160", "“-200” is 160° (one turn more)"},
                      PhaseCase{"edSrcPha", "720", 0, "0", "“720” is 0° (two turns less)"},
                      PhaseCase{"edSrcPha", "540", 180, "180", "“540” is 180° (one turn less)"},
                      PhaseCase{"edSrcPha", "-540", -180, "-180", "“-540” is −180° (one turn more)"},
                      PhaseCase{"edLoaPha", "360.5", 0.5, "0.5", "“360.5” is 0.5° (one turn less)"},
                      PhaseCase{"edLoaPha", "180", 180, "180", ""}, PhaseCase{"edLoaPha", "-180", -180, "-180", ""}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

// In the dB representation a positive number up to 160 is a return loss.
struct ReturnLossCase {
    const char* typed;
    double mag, rloss;
    const char* shown;
    const char* note;
};

class ReturnLoss : public WindowTest, public ::testing::WithParamInterface<ReturnLossCase> {};

TEST_P(ReturnLoss, APositiveDbIsReadAsItsNegative)
{
    const ReturnLossCase& c = GetParam();
    Show();
    Choose("cbLoaRfl", 1);
    TypeAndLeave("edLoaMag", QString::fromUtf8(c.typed));
    EXPECT_NEAR(Model().LoaRfl.Mag, c.mag, 1e-15) << c.typed;
    EXPECT_EQ(Model().LoaRfl.Rloss, c.rloss) << c.typed;
    EXPECT_EQ(S(Edit("edLoaMag")->text()), c.shown);
    EXPECT_EQ(S(Edit("edLoaMag")->toolTip().section(QLatin1Char('\n'), 0, 0)), c.note);
    const double mag = Model().LoaRfl.Mag;
    w->bEvaluateClick();
    EXPECT_EQ(Model().LoaRfl.Mag, mag);
    EXPECT_EQ(S(Edit("edLoaMag")->text()), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Db, ReturnLoss,
    // |G| = 10^(-RL/20)
    ::testing::Values(ReturnLossCase{"20", 0.1, -20, "-20", "“20” read as a return loss of 20 dB"},
                      ReturnLossCase{"6", std::pow(10.0, -6.0 / 20), -6, "-6", "“6” read as a return loss of 6 dB"},
                      ReturnLossCase{"160", 0, -160, "-160", "“160” read as a return loss of 160 dB"},
                      ReturnLossCase{"0.5", std::pow(10.0, -0.5 / 20), -0.5, "-0.5", "“0.5” read as a return loss of 0.5 dB"}),
    ROW_NAMES(std::string(r.typed)));

TEST_F(WindowTest, AReturnLossBeyond160DbIsOutsideAndTheMagnitudeStays)
{
    Show();
    Choose("cbLoaRfl", 1);
    TypeAndLeave("edLoaMag", "161");
    EXPECT_EQ(Model().LoaRfl.Mag, 0.5);
    EXPECT_TRUE(HasEntryMark(Edit("edLoaMag")));
}

// A number beyond the double range is beyond the field's limit: clamped as
// any other, with its note, and never a box.
struct HugeCase {
    const char* field;
    const char* typed;
    double (*value)(const merivane::TModel&);
    double inForce;
    const char* shown;
};

class BeyondDoubles : public WindowTest, public ::testing::WithParamInterface<HugeCase> {};

TEST_P(BeyondDoubles, IsClampedWithoutABox)
{
    const HugeCase& c = GetParam();
    Show();
    Find<QCheckBox>("chIdeal")->setChecked(false);
    TypeAndLeave(c.field, c.typed);
    EXPECT_EQ(c.value(Model()), c.inForce);
    EXPECT_EQ(S(Edit(c.field)->text()), c.shown);
    EXPECT_TRUE(HasEntryMark(Edit(c.field)));
    EXPECT_TRUE(prompter->errors.empty());
    w->bEvaluateClick();
    w->bEvaluateClick();
    EXPECT_TRUE(prompter->errors.empty());
    EXPECT_EQ(c.value(Model()), c.inForce);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BeyondDoubles,
    ::testing::Values(HugeCase{"edAnodeI", "1E400", Ia, 1000, "1000"}, HugeCase{"edAnodeI", "-1E400", Ia, 0, "0"},
                      HugeCase{"edEffic", "1E400", Eff, 1, "100"}, HugeCase{"edDire", "1E400", Dire, 160, "160"},
                      HugeCase{"edLoaPha", "1E400", LoaPha, 180, "180"}, HugeCase{"edSrcPha", "-1E400", SrcPha, -180, "-180"},
                      // a reflection outside its limits keeps the magnitude in force
                      HugeCase{"edLoaMag", "1E400", LoaMag, 0.5, "0.5"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

TEST_F(WindowTest, TheNoteOfANumberBeyondDoublesNamesTheLimit)
{
    Show();
    TypeAndLeave("edAnodeI", "1E400");
    EXPECT_EQ(S(Edit("edAnodeI")->toolTip().section(QLatin1Char('\n'), 0, 0)), "“1E400” is above 1000 A: 1000 A in force.");
}

// The loader checks every key through the input table: a list index outside
// its list, or a number beyond the double range, gives the key's default, and
// the state written at the next close is valid.
struct BadKeyCase {
    const char* line;
    const char* control;
    const char* shown;  // a field's text or a list's index
};

class BadSettings : public WindowTest, public ::testing::WithParamInterface<BadKeyCase> {};

TEST_P(BadSettings, GiveTheKeysDefault)
{
    const BadKeyCase& c = GetParam();
    WriteSettings(QByteArray("[Merivane]\n") + c.line + "\n");
    Show();
    EXPECT_TRUE(prompter->errors.empty());
    if (auto* list = w->findChild<QComboBox*>(c.control))
        EXPECT_EQ(std::to_string(list->currentIndex()), c.shown);
    else
        EXPECT_EQ(S(Edit(c.control)->text()), c.shown);
    w->close();
    ASSERT_FALSE(w->isVisible());
    QFile f(SettingsPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    const QByteArray key = QByteArray(c.line).left(QByteArray(c.line).indexOf('='));
    EXPECT_TRUE(saved.contains("\n" + key + "=" + QByteArray(c.shown) + "\n")) << saved.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, BadSettings,
    ::testing::Values(BadKeyCase{"cbSrcRfl=9", "cbSrcRfl", "0"}, BadKeyCase{"cbLoaRfl=3", "cbLoaRfl", "0"},
                      BadKeyCase{"cbLoaMism=-1", "cbLoaMism", "0"}, BadKeyCase{"cbMeaRfl=2147483647", "cbMeaRfl", "0"},
                      BadKeyCase{"cbSrcMism=2", "cbSrcMism", "2"}, BadKeyCase{"edAnodeI=1E400", "edAnodeI", "3"},
                      BadKeyCase{"edSrcMag=-1E400", "edSrcMag", "0.2"}, BadKeyCase{"edLoaMag=1E400", "edLoaMag", "0.5"},
                      BadKeyCase{"edAnodeI=1E300", "edAnodeI", "1000"}, BadKeyCase{"udSrcPha=270", "edSrcPha", "-90"},
                      BadKeyCase{"udLoaPha=-200", "edLoaPha", "160"}),
    ROW_NAMES(std::string(r.line)));

// A limit changed in the input table is the window's limit: its clamp and
// its note.
class ChangedLimit : public WindowTest {
protected:
    void TearDown() override
    {
        present::InputRowForTest(present::Input::AnodeI).hi = savedHi_;
        WindowTest::TearDown();
    }
    double savedHi_ = present::InputRow(present::Input::AnodeI).hi;
};

TEST_F(ChangedLimit, ChangesTheWindowsClampAndNote)
{
    present::InputRowForTest(present::Input::AnodeI).hi = 500;
    Show();
    TypeAndLeave("edAnodeI", "700");
    EXPECT_EQ(Model().Ia, 500);
    EXPECT_EQ(Edit("edAnodeI")->text(), "500");
    EXPECT_EQ(S(Edit("edAnodeI")->toolTip().section(QLatin1Char('\n'), 0, 0)), "“700” is above 500 A: 500 A in force.");
    TypeAndLeave("edAnodeI", "499.5");
    EXPECT_EQ(Model().Ia, 499.5);
}

}  // namespace
