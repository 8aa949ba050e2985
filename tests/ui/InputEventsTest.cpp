// Enter, the spinners' arrows, "Ideal", the power units and the errors of
// the cycle, driven through the real window.
#include "RowNames.h"
#include "WindowFixture.h"

#include <QToolButton>

namespace {

double Ia(const merivane::TModel& m) { return m.Ia; }
double Eff(const merivane::TModel& m) { return m.Eff; }
double SrcPha(const merivane::TModel& m) { return m.SrcRfl.Pha; }
double LoaPha(const merivane::TModel& m) { return m.LoaRfl.Pha; }
double Dire(const merivane::TModel& m) { return m.CplDirDb; }

// Enter runs exactly one cycle. Each row types a text that a spinner's step
// or range would round; the field keeps what was typed, and the clicks of
// "Evaluate" are counted.
struct EnterCase {
    const char* field;
    const char* typed;
    double (*modelValue)(const merivane::TModel&);
    double expected;
    const char* shown;
};

class EnterTable : public WindowTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTable, EnterInAFieldRunsExactlyOneCycle)
{
    const EnterCase& c = GetParam();
    Show();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    QLineEdit* e = Edit(c.field);
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, QString::fromUtf8(c.typed));
    QSignalSpy cycles(Find<QPushButton>("bEvaluate"), &QPushButton::clicked);
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(cycles.count(), 1);
    EXPECT_DOUBLE_EQ(c.modelValue(Model()), c.expected);
    EXPECT_EQ(S(e->text()), c.shown);
    EXPECT_TRUE(e->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EnterTable,
    ::testing::Values(EnterCase{"edSrcPha", "47", SrcPha, 47, "47"}, EnterCase{"edLoaPha", "-47", LoaPha, -47, "-47"},
                      EnterCase{"edEffic", "85.5", Eff, 0.855, "85.5"}, EnterCase{"edDire", "120", Dire, 120, "120"},
                      EnterCase{"edAnodeI", "2", Ia, 2, "2"}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

TEST_F(WindowTest, EnterOnEveryKindOfControlRunsOneCycle)
{
    Show();
    QSignalSpy cycles(Find<QPushButton>("bEvaluate"), &QPushButton::clicked);
    for (QWidget* c : std::initializer_list<QWidget*>{Combo("cbMeaRfl"), Find<QCheckBox>("chIdeal"), Radio("rbDbW"),
                                                      Combo("cbSrcRfl")}) {
        c->setFocus(Qt::OtherFocusReason);
        const qsizetype before = cycles.count();
        QTest::keyClick(c, Qt::Key_Return);
        EXPECT_EQ(cycles.count(), before + 1) << S(c->objectName());
        QTest::keyClick(c, Qt::Key_Enter);
        EXPECT_EQ(cycles.count(), before + 2) << S(c->objectName());
    }
}

TEST_F(WindowTest, EnterOnAListPressesEvaluate)
{
    Show();
    Edit("edAnodeV")->setText("2000");
    Edit("edAnodeV")->setModified(true);  // as typing would
    Combo("cbMeaRfl")->setFocus(Qt::OtherFocusReason);  // the anode field is left: one cycle
    Edit("edAnodeV")->setText("1000");
    Edit("edAnodeV")->setModified(true);
    QTest::keyClick(Combo("cbMeaRfl"), Qt::Key_Return);
    EXPECT_EQ(Model().Va, 1000);
}

// Qt Test cannot press a shortcut; the buttons' mnemonics are what Alt+letter
// presses, and a click does what the key would.
TEST_F(WindowTest, AcceleratorsOfTheThreeButtons)
{
    Show();
    EXPECT_EQ(QKeySequence::mnemonic(Find<QPushButton>("bEvaluate")->text()), QKeySequence(Qt::ALT | Qt::Key_E));
    EXPECT_EQ(QKeySequence::mnemonic(Find<QPushButton>("bHelp")->text()), QKeySequence(Qt::ALT | Qt::Key_H));
    EXPECT_EQ(QKeySequence::mnemonic(Find<QPushButton>("Button1")->text()), QKeySequence(Qt::ALT | Qt::Key_C));
    Find<QPushButton>("bHelp")->click();
    ASSERT_NE(w->HelpBrowser(), nullptr);
    EXPECT_TRUE(w->HelpBrowser()->window()->isVisible());
    w->HelpBrowser()->window()->close();
    prompter->answer = false;
    Find<QPushButton>("Button1")->click();
    ASSERT_EQ(prompter->confirms.size(), 1u);
    EXPECT_EQ(S(prompter->confirms[0]), "Confirm|Terminate Merivane ?");
    EXPECT_TRUE(w->isVisible());
}

QToolButton* Arrow(TUpDown* u, bool up)
{
    const auto buttons = u->findChildren<QToolButton*>();
    for (QToolButton* b : buttons)
        if (b->arrowType() == (up ? Qt::UpArrow : Qt::DownArrow)) return b;
    return nullptr;
}

void ClickArrow(TUpDown* u, bool up) { QTest::mouseClick(Arrow(u, up), Qt::LeftButton); }

TEST_F(WindowTest, EfficiencySpinnerWrapsAndComputes)
{
    Show();
    TypeAndLeave("edEffic", "100");
    ClickArrow(Spinner("udEff"), true);
    EXPECT_EQ(Edit("edEffic")->text(), "0");
    EXPECT_EQ(Model().Eff, 0.0);
    EXPECT_EQ(Model().Pmatch, 0.0);
    ClickArrow(Spinner("udEff"), false);
    EXPECT_EQ(Edit("edEffic")->text(), "100");
    EXPECT_EQ(Model().Eff, 1.0);
}

TEST_F(WindowTest, PhaseSpinnersWrapInStepsOfFive)
{
    Show();
    TypeAndLeave("edLoaPha", "180");
    ClickArrow(Spinner("udLoaPha"), true);
    EXPECT_EQ(Edit("edLoaPha")->text(), "-180");
    EXPECT_EQ(Model().LoaRfl.Pha, -180.0);
    ClickArrow(Spinner("udLoaPha"), false);
    EXPECT_EQ(Edit("edLoaPha")->text(), "180");
    ClickArrow(Spinner("udLoaPha"), false);
    EXPECT_EQ(Edit("edLoaPha")->text(), "175");
    EXPECT_EQ(Model().LoaRfl.Pha, 175.0);
}

TEST_F(WindowTest, ASpinnerStepsFromATypedWholeNumber)
{
    Show();
    QLineEdit* e = Edit("edSrcPha");
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, "47");
    ClickArrow(Spinner("udSrcPha"), true);  // the arrows take no focus: no exit
    EXPECT_EQ(Model().SrcRfl.Pha, 52.0);       // computed with 52...
    EXPECT_EQ(e->text(), "52");             // ...and the field shows what is in force
    EXPECT_TRUE(e->hasFocus());
    // arrow keys in the field step as well, from the spinner's position, 50
    QTest::keyClick(e, Qt::Key_Down);
    EXPECT_EQ(e->text(), "45");
    EXPECT_EQ(Model().SrcRfl.Pha, 45.0);
}

TEST_F(WindowTest, DirectivitySpinnerStopsAtItsEnds)
{
    Show();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    TypeAndLeave("edDire", "100");
    QSignalSpy spy(Spinner("udDire"), &TUpDown::clicked);
    Edit("edAnodeV")->setText("1000");  // a cycle would read it
    Edit("edAnodeV")->setModified(true);
    ClickArrow(Spinner("udDire"), true);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(Model().Va, 4000);
    ClickArrow(Spinner("udDire"), false);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(Model().CplDirDb, 99.0);
    EXPECT_EQ(Model().Va, 1000);
    TypeAndLeave("edDire", "0");
    ClickArrow(Spinner("udDire"), false);
    EXPECT_EQ(Edit("edDire")->text(), "0");
    EXPECT_EQ(spy.count(), 1);
}

// The spinner stops at 100 dB; the field and the value in force do not.
TEST_F(WindowTest, TypingTwiceBeyondTheDirectivitySpinnerKeepsTheText)
{
    Show();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    TypeAndLeave("edDire", "120");
    EXPECT_EQ(Edit("edDire")->text(), "120");
    EXPECT_EQ(Spinner("udDire")->Current(), 100);
    EXPECT_EQ(Model().CplDirDb, 120.0);
    TypeAndLeave("edDire", "120");
    EXPECT_EQ(Edit("edDire")->text(), "120");
    EXPECT_EQ(Model().CplDirDb, 120.0);
}

TEST_F(WindowTest, IdealRecomputesOnlyTheCouplerModel)
{
    Show();
    QCheckBox* ideal = w->findChild<QCheckBox*>("chIdeal");
    ideal->setFocus(Qt::OtherFocusReason);  // leaves the anode field: one full cycle
    EXPECT_FALSE(Edit("edDire")->isEnabled());
    EXPECT_FALSE(Spinner("udDire")->isEnabled());
    const QColor grey = Edit("edDire")->palette().color(QPalette::Base);
    EXPECT_NE(grey, QColor(Qt::yellow));

    const double pmatch = Model().Pmatch;
    Edit("edAnodeV")->setText("1");
    QTest::keyClick(ideal, Qt::Key_Space);
    EXPECT_FALSE(ideal->isChecked());
    EXPECT_FALSE(Model().CplIdeal);
    EXPECT_EQ(Model().Pmatch, pmatch);
    EXPECT_NEAR(Model().ErrInciMinus, 0.9025, 1e-15);
    EXPECT_EQ(Text("lbPincMinV"), "9.11");
    EXPECT_TRUE(Edit("edDire")->isEnabled());
    EXPECT_TRUE(Spinner("udDire")->isEnabled());
    EXPECT_EQ(Edit("edDire")->palette().color(QPalette::Base), QColor(Qt::yellow));

    QTest::keyClick(ideal, Qt::Key_Space);
    EXPECT_TRUE(Model().CplIdeal);
    EXPECT_EQ(Model().ErrInciMinus, 1.0);
    EXPECT_FALSE(Edit("edDire")->isEnabled());
}

TEST_F(WindowTest, PowerUnitsRunTheCycleAndDbkwToo)
{
    Show();
    for (const char* unit : {"rbDbm", "rbDbW", "rbDbkW", "rbWatt"}) {
        Edit("edAnodeV")->setText("1000");
        Edit("edAnodeV")->setModified(true);  // as typing would
        Radio(unit)->click();
        EXPECT_EQ(Model().Va, 1000) << unit;
        Edit("edAnodeV")->setText("4000");
        Edit("edAnodeV")->setModified(true);
        w->bEvaluateClick();
    }
    Radio("rbDbkW")->click();
    EXPECT_EQ(Text("lbPmatch2"), "10.09");  // 10 log10 10.2 kW
    EXPECT_EQ(Text("lbPmatchUnit"), "dBkW");
}

// A number beyond the double range is above the field's limit: clamped, with
// its note, and the cycle runs on. No box, on this cycle or the next.
TEST_F(WindowTest, ANumberBeyondDoublesIsClampedAndTheCycleRunsOn)
{
    Show();
    Edit("edAnodeI")->setFocus(Qt::MouseFocusReason);
    Edit("edAnodeV")->setText("1500");
    Edit("edAnodeV")->setModified(true);
    TypeAndLeave("edAnodeI", "1E400");
    EXPECT_TRUE(prompter->errors.empty());
    EXPECT_EQ(Model().Va, 1500);
    EXPECT_EQ(Model().Ia, 1000.0);  // the limit
    EXPECT_EQ(Edit("edAnodeI")->text(), "1000");
    EXPECT_NEAR(Model().Pmatch, 1500 * 1000 * 0.85, 1e-6);  // recomputed

    w->findChild<QPushButton*>("bEvaluate")->click();
    EXPECT_TRUE(prompter->errors.empty());
    EXPECT_EQ(Model().Ia, 1000.0);
    TypeAndLeave("edAnodeI", "2");
    EXPECT_TRUE(prompter->errors.empty());
    EXPECT_NEAR(Model().Pmatch, 1500 * 2 * 0.85, 1e-9);
    EXPECT_EQ(Text("lbPmatch2"), "2.55");
}

// An error box that takes the focus must not run the exit handler again.
class FocusStealingPrompter final : public IPrompter {
public:
    int errors = 0;
    bool Confirm(QWidget*, const QString&, const QString&) override { return true; }
    void Error(QWidget* parent, const QString&, const QString&) override
    {
        ++errors;
        if (QWidget* f = parent->focusWidget()) f->clearFocus();
    }
    bool CloseWithoutSaving(QWidget* parent, const QString& caption, const QString& text) override
    {
        Error(parent, caption, text);
        return false;
    }
    SaveChoice SaveChanges(QWidget*, const QString&, const QString&) override { return SaveChoice::Discard; }
};

// Typing no longer opens an error box at all: beyond the double range is a
// clamp. A prompter that would take the focus is never called.
TEST_F(WindowTest, ANumberBeyondDoublesOpensNoBoxThatCouldStealTheFocus)
{
    auto stealer = std::make_shared<FocusStealingPrompter>();
    w = std::make_unique<TForm1>(stealer);
    w->FormCreate();
    Show();
    TypeAndLeave("edAnodeI", "1E400");
    EXPECT_EQ(stealer->errors, 0);
    EXPECT_EQ(Model().Ia, 1000.0);
}

}  // namespace

namespace {

TEST_F(WindowTest, SwitchingToAnotherWindowIsNotLeavingTheField)
{
    Show();
    ASSERT_TRUE(Edit("edAnodeV")->hasFocus());
    Edit("edAnodeV")->setText("1000");
    Edit("edAnodeV")->setModified(true);  // as typing would
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(Model().Va, 4000);  // no cycle ran
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(Edit("edAnodeV"), Qt::Key_Tab);  // now the focus moves on: one cycle
    EXPECT_EQ(Model().Va, 1000);
}

}  // namespace
