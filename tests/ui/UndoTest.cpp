// Undo and redo of the case in the main window: each kind of change is one
// step, a spinner's clicks in a row are one, and undoing restores the fields,
// the results and the notes of the state it returns to.
#include "CaseDocument.h"
#include "EntryMark.h"
#include "ResultActions.h"
#include "SweepFields.h"
#include "SweepFixture.h"
#include "SweepPage.h"
#include "TForm1.h"
#include "UpDown.h"
#include "WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

class UndoTest : public WindowTest {
protected:
    void Undo() { QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier); }
    void RedoShiftZ() { QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
    void RedoY() { QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier); }
    int Steps() const { return w->Document()->Stack()->count(); }
    // Pload from the closed form Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2 with
    // the defaults' source 0.2 at 0 degrees.
    static double Absorbed(double mag, double phaseDeg)
    {
        const double pmatch = 4000 * 3 * 0.85;
        const double ph = phaseDeg * 3.14159265358979323846 / 180;
        const double re = 1 - 0.2 * mag * std::cos(ph), im = -0.2 * mag * std::sin(ph);
        return pmatch * (1 - mag * mag) / (re * re + im * im);
    }
};

QToolButton* ArrowOf(TUpDown* u, bool up)
{
    const auto arrows = u->findChildren<QToolButton*>();
    for (QToolButton* b : arrows)
        if (b->arrowType() == (up ? Qt::UpArrow : Qt::DownArrow)) return b;
    return nullptr;
}

TEST_F(UndoTest, ATypedEntryIsOneStepAndUndoRestoresFieldAndResults)
{
    Show();
    const double before = Model().Pload;
    EXPECT_NEAR(before, Absorbed(0.5, 90), 1e-9);
    EXPECT_EQ(Steps(), 0);
    TypeAndLeave("edLoaMag", "0.9995");
    EXPECT_EQ(Steps(), 1);
    EXPECT_NEAR(Model().Pload, Absorbed(0.9995, 90), 1e-9);

    Undo();
    EXPECT_EQ(Model().LoaRfl.Mag, 0.5);
    EXPECT_EQ(Edit("edLoaMag")->text(), "0.5");
    EXPECT_EQ(Model().Pload, before);  // bit for bit

    RedoShiftZ();
    EXPECT_EQ(Model().LoaRfl.Mag, 0.9995);
    EXPECT_EQ(Edit("edLoaMag")->text(), "0.9995");
    Undo();
    RedoY();
    EXPECT_EQ(Model().LoaRfl.Mag, 0.9995);
    // nothing changed: Evaluate makes no step and changes no result
    const double after = Model().Pload;
    w->bEvaluateClick();
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(Model().Pload, after);
}

TEST_F(UndoTest, ASpinnersClicksInARowAreOneStep)
{
    Show();
    for (int i = 0; i < 3; ++i) QTest::mouseClick(ArrowOf(Spinner("udLoaPha"), true), Qt::LeftButton);
    EXPECT_EQ(Model().LoaRfl.Pha, 105.0);
    EXPECT_EQ(Steps(), 1);
    QTest::mouseClick(ArrowOf(Spinner("udEff"), false), Qt::LeftButton);  // another spinner: another step
    EXPECT_EQ(Steps(), 2);
    Undo();
    EXPECT_EQ(Model().Eff, 0.85);
    Undo();
    EXPECT_EQ(Model().LoaRfl.Pha, 90.0);
    EXPECT_EQ(Edit("edLoaPha")->text(), "90");
    EXPECT_EQ(Spinner("udLoaPha")->Current(), 90);
}

TEST_F(UndoTest, ListsUnitsAndIdealAreSteps)
{
    Show();
    Choose("cbLoaRfl", 1);  // dB
    EXPECT_EQ(Edit("edLoaMag")->text(), "-6.02");
    w->findChild<QRadioButton*>("rbDbm")->click();
    EXPECT_EQ(Text("lbPmatchUnit"), "dBm");
    w->findChild<QCheckBox*>("chIdeal")->click();
    EXPECT_FALSE(w->findChild<QCheckBox*>("chIdeal")->isChecked());
    EXPECT_EQ(Steps(), 3);

    Undo();
    EXPECT_TRUE(w->findChild<QCheckBox*>("chIdeal")->isChecked());
    EXPECT_FALSE(Edit("edDire")->isEnabled());
    Undo();
    EXPECT_TRUE(w->findChild<QRadioButton*>("rbWatt")->isChecked());
    EXPECT_EQ(Text("lbPmatchUnit"), "kW");
    Undo();
    EXPECT_EQ(Combo("cbLoaRfl")->currentIndex(), 0);
    EXPECT_EQ(Edit("edLoaMag")->text(), "0.5");
    EXPECT_EQ(Model().LoaRfl.Mag, 0.5);
    EXPECT_EQ(Steps(), 3);  // undone steps stay for redo
    RedoShiftZ();
    EXPECT_EQ(Combo("cbLoaRfl")->currentIndex(), 1);
}

TEST_F(UndoTest, UndoRestoresTheNotesOfTheStateItReturnsTo)
{
    Show();
    TypeAndLeave("edLoaPha", "270");
    EXPECT_EQ(Model().LoaRfl.Pha, -90.0);
    EXPECT_TRUE(HasEntryMark(Edit("edLoaPha")));
    TypeAndLeave("edLoaPha", "10");
    EXPECT_FALSE(HasEntryMark(Edit("edLoaPha")));
    Undo();
    EXPECT_EQ(Model().LoaRfl.Pha, -90.0);
    EXPECT_TRUE(HasEntryMark(Edit("edLoaPha")));
    EXPECT_TRUE(Edit("edLoaPha")->toolTip().startsWith(QString::fromUtf8("“270”")));
    Undo();
    EXPECT_FALSE(HasEntryMark(Edit("edLoaPha")));
    EXPECT_EQ(Model().LoaRfl.Pha, 90.0);
}

TEST_F(UndoTest, TypingPendingInAFieldIsUndoneByTheFieldFirst)
{
    Show();
    TypeAndLeave("edAnodeI", "2");
    QLineEdit* e = Edit("edAnodeV");
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(e, "9");  // pending, not read
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e->text(), "4000");  // the field's own undo
    EXPECT_EQ(Model().Ia, 2.0);
    e->setModified(false);  // nothing pending now
    QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Model().Ia, 3.0);  // the case's undo
    EXPECT_EQ(Edit("edAnodeI")->text(), "3");
}

using SweepUndo = sweeptest::SweepTest;

TEST_F(SweepUndo, ALineSweepEntryIsAnUndoStep)
{
    ShowPage();
    Type(Field(SweepField::Frequency), "915");
    EXPECT_EQ(Page()->Inputs().FreqMHz, 915.0);
    EXPECT_EQ(w->Document()->Stack()->count(), 1);
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Page()->Inputs().FreqMHz, 2450.0);
    EXPECT_EQ(S(Field(SweepField::Frequency)->text()), "2450");
}

TEST_F(UndoTest, TheContextMenuOffersUndoAndRedoWithTheirKeys)
{
    Show();
    const std::unique_ptr<QMenu> menu = w->ResultActions()->MakeMenu(QPoint(1, 1));
    const auto actions = menu->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions[actions.size() - 2], w->UndoAction());
    EXPECT_EQ(actions.back(), w->RedoAction());
    EXPECT_EQ(w->UndoAction()->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(w->RedoAction()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_FALSE(w->UndoAction()->isEnabled());  // nothing to undo yet
    TypeAndLeave("edAnodeV", "3000");
    EXPECT_TRUE(w->UndoAction()->isEnabled());
}

}  // namespace
