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
    static void Enter(QLineEdit* f, const QString& text)
    {
        f->setFocus(Qt::OtherFocusReason);
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
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
         [](auto&, TForm1& w, TWorkbench&) { Enter(w.SweepPage()->View()->Field(SweepField::Length), "3"); },
         [](const present::TSnapshot& s) { return s.c.line.LengthM == 3; }},
        {"a span in the Workbench's Line Sweep",
         [](auto&, TForm1&, TWorkbench& wb) { Enter(wb.SweepView()->Field(SweepField::Span), "5"); },
         [](const present::TSnapshot& s) { return s.c.line.SpanMHz == 5; }},
        {"an efficiency in the Workbench's inputs",
         [](auto&, TForm1&, TWorkbench& wb) { Enter(wb.Inputs()->Field(Input::Effic), "80"); },
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
