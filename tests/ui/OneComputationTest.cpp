// SPDX-License-Identifier: GPL-3.0-or-later
// One edit, one computation: whichever window or view takes an edit, the case
// is computed once, and both windows show that one snapshot.
#include "CaseDocument.h"
#include "InputPanel.h"
#include "SweepPage.h"
#include "SweepView.h"
#include "UpDown.h"
#include "WindowFixture.h"
#include "Workbench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace present = merivane::present;
using present::Input;

class OneComputationTest : public WindowTest {
public:
    // for the table's edits
    using WindowTest::Find;
    using WindowTest::Radio;
    using WindowTest::Spinner;
    using WindowTest::TypeAndLeave;

    TWorkbench* OpenWorkbench()
    {
        w->OpenWorkbench();
        TWorkbench* wb = WorkbenchOf(*w);
        EXPECT_NE(wb, nullptr);
        return wb;
    }
    static QToolButton* Up(TUpDown* u)
    {
        for (QToolButton* b : u->findChildren<QToolButton*>())
            if (b->arrowType() == Qt::UpArrow) return b;
        return nullptr;
    }
    const present::TSnapshot& Snap() const { return w->Document()->Snapshot(); }
};

struct TEdit {
    const char* name;
    std::function<void(OneComputationTest&, TForm1&, TWorkbench&)> make;
    // what the snapshot then holds
    std::function<bool(const present::TSnapshot&)> holds;
};

// Each edit in turn, in one session: one computation and one undo step each,
// and the main window's model is the snapshot's.
TEST_F(OneComputationTest, EveryEditInEitherWindowIsComputedOnce)
{
    Show();
    TWorkbench* wb = OpenWorkbench();
    ASSERT_NE(wb, nullptr);
    const TEdit edits[] = {
        {"a typed anode voltage",
         [](auto& t, TForm1&, TWorkbench&) { t.TypeAndLeave("edAnodeV", "3000"); },
         [](const present::TSnapshot& s) { return s.c.inputs.Va == 3000 && s.m.Pmatch == 3000 * 3 * 0.85; }},
        {"a step of the load phase",
         [](auto& t, TForm1&, TWorkbench&) { QTest::mouseClick(t.Up(t.Spinner("udLoaPha")), Qt::LeftButton); },
         [](const present::TSnapshot& s) { return s.c.inputs.LoaRfl.Pha > 90; }},
        {"the load in dB",
         [](auto& t, TForm1&, TWorkbench&) {
             QComboBox* cb = t.template Find<QComboBox>("cbLoaRfl");
             cb->setFocus();
             QTest::keyClick(cb, Qt::Key_Down);
         },
         [](const present::TSnapshot& s) { return s.c.display.loaRfl == 1 && s.c.display.srcRfl == 0; }},
        {"dBm", [](auto& t, TForm1&, TWorkbench&) { t.Radio("rbDbm")->click(); },
         [](const present::TSnapshot& s) { return s.c.display.power == present::PowerUnit::Dbm; }},
        {"couplers not ideal", [](auto& t, TForm1&, TWorkbench&) { t.template Find<QCheckBox>("chIdeal")->click(); },
         [](const present::TSnapshot& s) { return !s.c.ideal && !s.m.CplIdeal; }},
        {"a line length on the page",
         [](auto&, TForm1& form, TWorkbench&) { Enter(form.SweepPage()->View()->Field(SweepField::Length), "3"); },
         [](const present::TSnapshot& s) { return s.c.line.LengthM == 3; }},
        {"a span in the Workbench's Line Sweep",
         [](auto&, TForm1&, TWorkbench& bench) { Enter(bench.SweepView()->Field(SweepField::Span), "5"); },
         [](const present::TSnapshot& s) { return s.c.line.SpanMHz == 5; }},
        {"an efficiency in the Workbench's inputs",
         [](auto&, TForm1&, TWorkbench& bench) { Enter(bench.Inputs()->Field(Input::Effic), "80"); },
         [](const present::TSnapshot& s) { return s.c.inputs.Eff == 0.8 && s.m.Pmatch == 3000 * 3 * 0.8; }},
    };
    int steps = w->Document()->Stack()->count();
    for (const TEdit& e : edits) {
        SCOPED_TRACE(e.name);
        const std::uint64_t before = present::CaseComputations();
        e.make(*this, *w, *wb);
        EXPECT_EQ(present::CaseComputations() - before, 1u);
        EXPECT_EQ(w->Document()->Stack()->count(), ++steps);
        EXPECT_TRUE(e.holds(Snap()));
        EXPECT_EQ(w->M.Pload, Snap().m.Pload);
        EXPECT_EQ(w->M.PreflMinV, Snap().m.PreflMinV);
    }
    // an undo and a redo are one computation each, too
    for (QAction* a : {w->UndoAction(), w->RedoAction()}) {
        const std::uint64_t before = present::CaseComputations();
        a->trigger();
        EXPECT_EQ(present::CaseComputations() - before, 1u);
    }
}

// Each of the Workbench's representation lists sets its own reflection's
// form, and the main window's list of that reflection follows.
TEST_F(OneComputationTest, EachRepresentationListDrivesItsOwnReflection)
{
    Show();
    TWorkbench* wb = OpenWorkbench();
    ASSERT_NE(wb, nullptr);
    const struct {
        const char* name;
        QComboBox* list;
        const char* mainList;
        int present::TDisplay::*own;
        int present::TDisplay::*other;
    } rows[] = {{"source", wb->Inputs()->SourceForm(), "cbSrcRfl", &present::TDisplay::srcRfl, &present::TDisplay::loaRfl},
                {"load", wb->Inputs()->LoadForm(), "cbLoaRfl", &present::TDisplay::loaRfl, &present::TDisplay::srcRfl}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const int other = Snap().c.display.*r.other;
        r.list->setFocus();
        QTest::keyClick(r.list, Qt::Key_End);  // SWR
        EXPECT_EQ(Snap().c.display.*r.own, 2);
        EXPECT_EQ(Snap().c.display.*r.other, other);
        EXPECT_EQ(Find<QComboBox>(r.mainList)->currentIndex(), 2);
    }
}

}  // namespace

namespace {

// 4000 V, 3 A, 85 %: Pmatch 10200 W; Gs 0.2 at 0, Gl of SWR 2.5 (|Gl| = 3/7)
// at 90 deg; 20 m at 1 dB/m is 20 dB each way, e^(-2 alpha L) = 0.01. The
// magnetron sees Gin = 0.01 Gl, so F = 1/|1 - 0.2 * 0.03/7 j|^2 and the load
// absorbs 10200 F 0.01 (1 - 9/49) = 83.2652 W; the window says the same.
TEST_F(OneComputationTest, ALossyLineIsShownAtTheLoadAndNotedOnTheTransmissionPage)
{
    Show();
    const QString plain = Find<QPlainTextEdit>("Memo1")->toPlainText();
    TCaseState s = w->Document()->State();
    s.c.inputs.LoaRfl = {3.0 / 7, 90, 0, 2.5, 0};
    s.c.line.LengthM = 20;
    s.c.guide.loss = merivane::LossSource::Entered;
    s.c.guide.lossDbPerM = 1;
    w->Document()->Edit(s, QStringLiteral("Line Loss"));
    const double g = 0.2 * 0.01 * 3 / 7;
    const double absorbed = 10200 * 0.01 * (1 - 9.0 / 49) / (1 + g * g);
    EXPECT_NEAR(Model().Pload, absorbed, 1e-9);
    EXPECT_NEAR(absorbed, 83.2652, 5e-5);
    EXPECT_TRUE(Find<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("includes 20.0 dB of line loss each way")));
    w->UndoAction()->trigger();
    EXPECT_EQ(Find<QPlainTextEdit>("Memo1")->toPlainText(), plain);
}

}  // namespace

namespace {

// Ctrl+Z in a Workbench field with nothing of its own to undo undoes the
// case's last step; with an edit of its own, the field undoes that first.
TEST_F(OneComputationTest, CtrlZInAWorkbenchFieldUndoesTheCasesLastStep)
{
    Show();
    TWorkbench* wb = OpenWorkbench();
    ASSERT_NE(wb, nullptr);
    wb->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == wb; }));
    QLineEdit* eff = wb->Inputs()->Field(Input::Effic);
    Enter(eff, "80");
    ASSERT_EQ(Snap().c.inputs.Eff, 0.8);
    QLineEdit* va = wb->Inputs()->Field(Input::AnodeV);
    va->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(va, "9");  // an edit of its own: Ctrl+Z takes it back
    QTest::keyClick(va, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Snap().c.inputs.Eff, 0.8);
    QTest::keyClick(va, Qt::Key_Z, Qt::ControlModifier);  // nothing of its own left
    EXPECT_EQ(Snap().c.inputs.Eff, 0.85);
}

}  // namespace
