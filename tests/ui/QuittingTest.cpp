// SPDX-License-Identifier: GPL-3.0-or-later
// Quitting never loses a case: closing the main window ends the program (the
// Workbench goes with it), an unsaved case is offered for saving first, and
// Ctrl+W in the Workbench only hides it.
#include "CaseDocument.h"
#include "WindowFixture.h"
#include "Workbench.h"

#include <QAction>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

class QuittingTest : public WindowTest {
protected:
    TWorkbench* OpenWorkbench()
    {
        Show();
        w->OpenWorkbench();
        TWorkbench* wb = WorkbenchOf(*w);
        if (wb) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(wb));
        }
        return wb;
    }
};

// Each answer to "Save changes to the case ...?" with an unsaved case.
TEST_F(QuittingTest, AnUnsavedCaseIsOfferedForSavingAndCancelKeepsBothWindows)
{
    using Choice = IPrompter::SaveChoice;
    const struct {
        const char* name;
        bool edited;
        Choice choice;
        bool closed;
    } rows[] = {
        {"saved case: no question", false, Choice::Cancel, true},
        {"cancel keeps both", true, Choice::Cancel, false},
        {"discard ends", true, Choice::Discard, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        w.reset();
        Create();
        TWorkbench* wb = OpenWorkbench();
        ASSERT_NE(wb, nullptr);
        if (r.edited) {
            TCaseState edited = w->Document()->State();
            edited.c.inputs.Va = 3000;
            w->Document()->Edit(edited, QStringLiteral("Anode Voltage"));
        }
        EXPECT_EQ(w->Document()->Stack()->isClean(), !r.edited);
        prompter->answer = true;  // "Terminate Merivane ?" Yes
        prompter->saveChoice = r.choice;
        prompter->saveQuestions.clear();
        w->close();
        EXPECT_EQ(prompter->saveQuestions.size(), r.edited ? 1u : 0u);
        if (r.edited) {
            EXPECT_EQ(S(prompter->saveQuestions[0]), "Merivane|Save changes to the case \u201cUntitled\u201d?");
        }
        EXPECT_EQ(w->isVisible(), !r.closed);
        EXPECT_EQ(wb->isVisible(), !r.closed);
    }
}

TEST_F(QuittingTest, CtrlWInTheWorkbenchOnlyHidesIt)
{
    TWorkbench* wb = OpenWorkbench();
    ASSERT_NE(wb, nullptr);
    // Qt Test cannot press a shortcut: the action that holds Ctrl+W is triggered
    QAction* close = nullptr;
    for (QAction* a : wb->findChildren<QAction*>())
        if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W))) close = a;
    ASSERT_NE(close, nullptr);
    close->trigger();
    EXPECT_FALSE(wb->isVisible());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(prompter->confirms.empty());  // no question: nothing ends
}

}  // namespace
