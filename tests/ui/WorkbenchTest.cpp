// The Workbench: opened from the main window, both windows kept in step by an
// edit in either, undo from either, Power to Match, Compare, the recent cases
// and the layout kept in its own file.
#include "CaseCommands.h"
#include "CaseDocument.h"
#include "IniFile.h"
#include "Look.h"
#include "CompareView.h"
#include "InputPanel.h"
#include "ResultActions.h"
#include "SweepView.h"
#include "WindowFixture.h"
#include "Workbench.h"
#include "WorkbenchSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTableWidget>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <cmath>

namespace {

namespace present = merivane::present;
using present::Input;

class WorkbenchTest : public WindowTest {
protected:
    TWorkbench* Open()
    {
        Show();
        QTest::keyClick(w.get(), Qt::Key_B, Qt::ControlModifier);
        TWorkbench* wb = WorkbenchOf(*w);
        EXPECT_NE(wb, nullptr);
        if (wb) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(wb));
        }
        return wb;
    }
    // Pload from the closed form Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2, source 0.2 at 0 degrees.
    static double Absorbed(double mag, double phaseDeg)
    {
        const double pmatch = 4000 * 3 * 0.85;
        const double ph = phaseDeg * 3.14159265358979323846 / 180;
        const double re = 1 - 0.2 * mag * std::cos(ph), im = -0.2 * mag * std::sin(ph);
        return pmatch * (1 - mag * mag) / (re * re + im * im);
    }
};

TEST_F(WorkbenchTest, CtrlBOpensAResizableWindowNamedAfterTheCase)
{
    TWorkbench* wb = Open();
    ASSERT_NE(wb, nullptr);
    EXPECT_NE(wb->minimumSize(), wb->maximumSize());
    EXPECT_EQ(S(wb->windowTitle()), "Untitled[*] - Merivane Workbench");
    EXPECT_FALSE(wb->isWindowModified());
    // the views have their names, as docks and for a screen reader
    for (const char* title : {"Inputs", "Line Sweep", "Compare"}) {
        QDockWidget* d = wb->Dock(QString::fromLatin1(title));
        ASSERT_NE(d, nullptr) << title;
        EXPECT_EQ(S(d->accessibleName()), title);
    }
    EXPECT_EQ(S(wb->SweepView()->accessibleName()), "Line Sweep");
    EXPECT_EQ(S(wb->CompareView()->accessibleName()), "Compare");
    // the input fields are named as in the main window
    for (Input id : {Input::AnodeV, Input::LoaMag, Input::Dire})
        EXPECT_EQ(S(wb->Inputs()->Field(id)->accessibleName()), present::InputRow(id).name);
}

TEST_F(WorkbenchTest, AnEditInTheWorkbenchShowsInTheMainWindowAndMarksTheCaseUnsaved)
{
    TWorkbench* wb = Open();
    Enter(wb->Inputs()->Field(Input::LoaMag), QStringLiteral("0.3"));
    EXPECT_EQ(Model().LoaRfl.Mag, 0.3);
    EXPECT_NEAR(Model().Pload, Absorbed(0.3, 90), 1e-9);
    EXPECT_EQ(S(Find<QLineEdit>("edLoaMag")->text()), "0.3");
    EXPECT_EQ(w->Document()->Stack()->count(), 1);
    EXPECT_TRUE(wb->isWindowModified());
    // a phase typed beyond a turn wraps, as in the main window
    Enter(wb->Inputs()->Field(Input::LoaPha), QStringLiteral("450"));
    EXPECT_EQ(Model().LoaRfl.Pha, 90.0);
    EXPECT_EQ(w->Document()->Stack()->count(), 1);  // nothing changed: no step
}

TEST_F(WorkbenchTest, AnEditInTheMainWindowShowsInTheWorkbench)
{
    TWorkbench* wb = Open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    TypeAndLeave("edLoaMag", "0.7");
    ASSERT_EQ(Model().LoaRfl.Mag, 0.7);
    ASSERT_EQ(w->Document()->Stack()->count(), 1);
    EXPECT_EQ(S(wb->Inputs()->Field(Input::LoaMag)->text()), "0.7");
    Find<QCheckBox>("chIdeal")->click();
    EXPECT_EQ(wb->Inputs()->IdealBox()->isChecked(), Find<QCheckBox>("chIdeal")->isChecked());
    EXPECT_EQ(wb->Inputs()->Field(Input::Dire)->isEnabled(), !Find<QCheckBox>("chIdeal")->isChecked());
}

TEST_F(WorkbenchTest, UndoInTheWorkbenchRestoresBothWindows)
{
    TWorkbench* wb = Open();
    Enter(wb->Inputs()->Field(Input::LoaMag), QStringLiteral("0.3"));
    wb->Inputs()->PowerUnitList()->setFocus();
    QTest::keyClick(wb, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Model().LoaRfl.Mag, 0.5);
    EXPECT_NEAR(Model().Pload, Absorbed(0.5, 90), 1e-9);
    EXPECT_EQ(S(wb->Inputs()->Field(Input::LoaMag)->text()), "0.5");
    EXPECT_EQ(S(Find<QLineEdit>("edLoaMag")->text()), "0.5");
    QTest::keyClick(wb, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Model().LoaRfl.Mag, 0.3);
}

TEST_F(WorkbenchTest, AListChoiceIsOneStepInBothWindows)
{
    TWorkbench* wb = Open();
    QComboBox* unit = wb->Inputs()->PowerUnitList();
    unit->setFocus();
    QTest::keyClick(unit, Qt::Key_Down);  // dBm
    EXPECT_TRUE(Radio("rbDbm")->isChecked());
    EXPECT_EQ(w->Document()->Stack()->count(), 1);
    w->UndoAction()->trigger();
    EXPECT_TRUE(Radio("rbWatt")->isChecked());
    EXPECT_EQ(unit->currentIndex(), 0);
}

// |G| 0.3 is SWR 1.3 / 0.7 = 1.857142857: in the SWR form the field's 1.857,
// in force as shown, and |G| = 0.857 / 2.857 follows.
TEST_F(WorkbenchTest, AChangeOfFormPutsInForceWhatTheFieldShows)
{
    TWorkbench* wb = Open();
    QLineEdit* mag = wb->Inputs()->Field(Input::LoaMag);
    Enter(mag, QStringLiteral("0.3"));
    QComboBox* form = wb->Inputs()->LoadForm();
    form->setFocus();
    QTest::keyClick(form, Qt::Key_Down);  // Rloss
    QTest::keyClick(form, Qt::Key_Down);  // SWR
    EXPECT_EQ(mag->text(), QStringLiteral("1.857"));
    EXPECT_EQ(Model().LoaRfl.Swr, 1.857);
    EXPECT_NEAR(Model().LoaRfl.Mag, 0.857 / 2.857, 1e-15);
    // back in Mag: four decimals of 0.29996
    form->setFocus();
    QTest::keyClick(form, Qt::Key_Home);
    EXPECT_EQ(Model().LoaRfl.Mag, 0.3);
}

// P = Va Ia Eff, so Ia = P / (Va Eff): 5100 W at 4000 V and 85 % is 1.5 A.
TEST_F(WorkbenchTest, PowerToMatchSetsTheAnodeCurrent)
{
    TWorkbench* wb = Open();
    Enter(wb->Inputs()->PowerField(), QStringLiteral("5100"));
    EXPECT_DOUBLE_EQ(Model().Ia, 1.5);
    EXPECT_DOUBLE_EQ(Model().Pmatch, 5100.0);
    // beyond the current's limit, the limit
    const present::TInputRow& ia = present::InputRow(Input::AnodeI);
    Enter(wb->Inputs()->PowerField(), QString::number(4000 * 0.85 * ia.hi * 10));
    EXPECT_EQ(Model().Ia, ia.hi);
}

TEST_F(WorkbenchTest, PinnedReferenceIsComparedAndCopiedAsATable)
{
    TWorkbench* wb = Open();
    wb->PinAction()->trigger();
    EXPECT_TRUE(wb->CompareView()->HasReference());
    Enter(wb->Inputs()->Field(Input::LoaMag), QStringLiteral("0.3"));
    QTableWidget* t = wb->CompareView()->Table();
    ASSERT_GT(t->rowCount(), 10);
    int differing = 0;
    bool loadRow = false;
    for (int r = 0; r < t->rowCount(); ++r) {
        if (t->item(r, 0)->font().bold()) ++differing;
        if (t->item(r, 0)->text() == QStringLiteral("Inputs: Load Magnitude")) {
            loadRow = true;
            // 0.5 to 0.3: -0.2, which is -40 %
            EXPECT_EQ(S(t->item(r, 1)->text()), "0.5 Mag");
            EXPECT_EQ(S(t->item(r, 2)->text()), "0.3 Mag");
            EXPECT_EQ(S(t->item(r, 3)->text()), "-0.2 Mag");
            EXPECT_EQ(S(t->item(r, 4)->text()), "-40");
        }
    }
    EXPECT_TRUE(loadRow) << S(wb->CompareView()->TableText());
    EXPECT_GT(differing, 0);
    EXPECT_LT(differing, t->rowCount());
    const QString text = wb->CompareView()->TableText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Quantity\tReference\tCurrent\tDifference\tChange %")));
}

TEST_F(WorkbenchTest, CasesSavedJoinTheRecentListLatestFirstFiveAtMost)
{
    Open();
    QStringList saved;
    for (int i = 0; i < 7; ++i) {
        const QString path = Home() + QStringLiteral("/case%1.merivane").arg(i);
        ASSERT_TRUE(w->CaseCommands()->SaveTo(path));
        saved.prepend(path);
    }
    const QStringList recent = ReadRecentCases();
    ASSERT_EQ(recent.size(), kRecentCases);
    EXPECT_EQ(recent, saved.mid(0, kRecentCases));
    // kept apart from the main settings file
    EXPECT_NE(WorkbenchSettingsPath(), SettingsPath());
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(WorkbenchTest, SavingClearsTheUnsavedMark)
{
    TWorkbench* wb = Open();
    Enter(wb->Inputs()->Field(Input::LoaMag), QStringLiteral("0.3"));
    EXPECT_TRUE(wb->isWindowModified());
    ASSERT_TRUE(w->CaseCommands()->SaveTo(Home() + QStringLiteral("/Line 3.merivane")));
    EXPECT_FALSE(wb->isWindowModified());
    EXPECT_EQ(S(wb->windowTitle()), "Line 3[*] - Merivane Workbench");
}

TEST_F(WorkbenchTest, TheLayoutIsKeptInItsOwnFile)
{
    TWorkbench* wb = Open();
    wb->Dock(QStringLiteral("Compare"))->close();
    wb->close();
    EXPECT_FALSE(wb->isVisible());
    EXPECT_TRUE(w->isVisible());  // the program goes on
    ASSERT_TRUE(QFile::exists(WorkbenchSettingsPath()));
    w.reset();
    Show();
    w->OpenWorkbench();
    TWorkbench* again = WorkbenchOf(*w);
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->Dock(QStringLiteral("Compare"))->isVisible());
    EXPECT_TRUE(again->Dock(QStringLiteral("Inputs"))->isVisible());
}

// Every further view is a dock of the View menu, made when first shown; what
// it asks for is one undo step, like an edit in the main window.
TEST_F(WorkbenchTest, AViewIsMadeWhenShownAndItsEditIsOneUndoStep)
{
    TWorkbench* wb = Open();
    ASSERT_TRUE(wb->ViewTitles().contains(QStringLiteral("Tuner")));
    wb->ShowView(QStringLiteral("Tuner"));
    TCaseView* tuner = wb->View(QStringLiteral("Tuner"));
    ASSERT_NE(tuner, nullptr);
    EXPECT_EQ(S(tuner->accessibleName()), "Tuner");
    present::TCase c = w->Document()->State().c;
    c.inputs.LoaRfl.Mag = 0.25;  // as a view would ask for it, through the case
    c.inputs.LoaRfl.Swr = (1 + 0.25) / (1 - 0.25);
    emit tuner->Edited(c, QStringLiteral("Tuner"), kTunerMergeBase);
    EXPECT_EQ(Model().LoaRfl.Mag, 0.25);
    EXPECT_EQ(S(wb->Inputs()->Field(Input::LoaMag)->text()), "0.25");
    EXPECT_EQ(w->Document()->Stack()->count(), 1);
    w->UndoAction()->trigger();
    EXPECT_EQ(Model().LoaRfl.Mag, 0.5);
}

// A drag on the Smith chart asks for the case at each step under one merge
// id: the main window follows each step, and the whole drag is one undo step.
TEST_F(WorkbenchTest, ADragOnTheSmithChartFollowsInTheMainWindowAndIsOneStep)
{
    TWorkbench* wb = Open();
    wb->ShowView(QStringLiteral("Smith Chart"));
    TCaseView* smith = wb->View(QStringLiteral("Smith Chart"));
    ASSERT_NE(smith, nullptr);
    present::TCase c = w->Document()->State().c;
    for (double phase : {80.0, 70.0, 60.0}) {
        c.inputs.LoaRfl.Pha = phase;
        emit smith->Edited(c, QStringLiteral("Drag"), kSmithMergeBase);
        EXPECT_EQ(Model().LoaRfl.Pha, phase);
        EXPECT_EQ(S(Find<QLineEdit>("edLoaPha")->text()), QString::number(phase).toStdString());
    }
    EXPECT_EQ(w->Document()->Stack()->count(), 1);
    w->UndoAction()->trigger();
    EXPECT_EQ(Model().LoaRfl.Pha, 90.0);
    EXPECT_NEAR(Model().Pload, Absorbed(0.5, 90), 1e-9);
}

// The desktop's palette, a dark one here, is the Workbench's; the main window
// keeps its own look.
TEST_F(WorkbenchTest, TheWorkbenchTakesTheDesktopsDarkPalette)
{
    Show();
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    SetDesktopPalette(dark);
    w->OpenWorkbench();
    TWorkbench* wb = WorkbenchOf(*w);
    SetDesktopPalette(before);  // the tests after this one see the usual colours
    ASSERT_NE(wb, nullptr);
    QLineEdit* load = wb->Inputs()->Field(Input::LoaMag);
    EXPECT_EQ(load->palette().color(QPalette::Base), QColor(30, 30, 32));
    EXPECT_EQ(load->palette().color(QPalette::Text), QColor(230, 230, 230));
    EXPECT_EQ(wb->palette().color(QPalette::Window), QColor(45, 45, 48));
    // the main window's fields stay yellow
    EXPECT_EQ(Find<QLineEdit>("edLoaMag")->palette().color(QPalette::Base), QColor(255, 255, 0));
}

// F1 opens the help at the section of the view that has the focus, and the
// help has a section for each.
TEST_F(WorkbenchTest, F1OpensTheSectionOfTheViewWithTheFocus)
{
    TWorkbench* wb = Open();
    const std::pair<QWidget*, const char*> views[] = {{wb->Inputs()->Field(Input::AnodeV), "workbench-inputs"},
                                                      {wb->CompareView()->Table(), "workbench-compare"}};
    for (const auto& [widget, anchor] : views) {
        wb->ShowView(widget == wb->CompareView()->Table() ? QStringLiteral("Compare") : QStringLiteral("Inputs"));
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([widget] { return widget->hasFocus(); })) << anchor;
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_NE(w->HelpBrowser(), nullptr);
        EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), anchor);
        EXPECT_TRUE(w->HelpBrowser()->document()->toHtml().contains(QStringLiteral("name=\"%1\"").arg(anchor))) << anchor;
        wb->activateWindow();
    }
}

}  // namespace
