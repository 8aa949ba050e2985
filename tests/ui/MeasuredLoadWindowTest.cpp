// SPDX-License-Identifier: GPL-3.0-or-later
// A measured load in the main window: opening one is one undo step and its
// Γ at the line's frequency shows in the load fields; the load follows the
// frequency; typing a load detaches it; a damaged file changes nothing.
#include "CaseCommands.h"
#include "CaseDocument.h"
#include "SweepPage.h"
#include "SweepFields.h"
#include "SweepView.h"
#include "InputPanel.h"
#include "Workbench.h"
#include "WindowFixture.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "TempFile.h"
#include <QUndoStack>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class MeasuredLoadWindowTest : public WindowTest {
protected:
    QString Write(const char* name, const char* text) { return WriteTempFile(dir_, name, text); }
    QTemporaryDir dir_;
};

// 2400 MHz 0.2, 2450 MHz 0.4 at 90 deg, 2500 MHz 0.6 at 180 deg; the line at 2450 MHz
TEST_F(MeasuredLoadWindowTest, OpeningIsOneStepAndTheLoadFieldsShowTheMeasurement)
{
    Show();
    const QString path = Write("load.s1p", "# MHz S MA R 50\n2400 0.2 0\n2450 0.4 90\n2500 0.6 180\n");
    const int steps = w->Document()->Stack()->count();
    ASSERT_TRUE(w->CaseCommands()->OpenMeasuredFile(path));
    EXPECT_EQ(w->Document()->Stack()->count(), steps + 1);
    EXPECT_NEAR(Model().LoaRfl.Mag, 0.4, 1e-15);
    EXPECT_NEAR(Model().LoaRfl.Pha, 90, 1e-12);
    EXPECT_EQ(Edit("edLoaMag")->text(), "0.4");
    EXPECT_EQ(Edit("edLoaPha")->text(), "90");
    // both load fields name the file and the frequency, in this window and the Workbench's
    for (const char* name : {"edLoaMag", "edLoaPha"})
        EXPECT_TRUE(Edit(name)->toolTip().startsWith("Measured in load.s1p (port 1) at 2450 MHz")) << name;
    w->OpenWorkbench();
    QLineEdit* wbLoad = WorkbenchOf(*w)->Inputs()->Field(merivane::present::Input::LoaMag);
    EXPECT_TRUE(wbLoad->toolTip().startsWith("Measured in load.s1p (port 1) at 2450 MHz")) << wbLoad->toolTip().toStdString();

    // the load follows the frequency: halfway to 2400 MHz, 0.1 + 0.2j
    Enter(w->SweepPage()->View()->Field(SweepField::Frequency), "2425");
    EXPECT_NEAR(Model().LoaRfl.Mag, std::sqrt(0.05), 1e-15);
    EXPECT_TRUE(w->Document()->State().c.measured.has_value());

    // a typed load detaches it; an undo brings it back
    TypeAndLeave("edLoaMag", "0.3");
    EXPECT_EQ(Model().LoaRfl.Mag, 0.3);
    EXPECT_FALSE(w->Document()->State().c.measured.has_value());
    EXPECT_FALSE(Edit("edLoaPha")->toolTip().contains("Measured in"));
    EXPECT_FALSE(wbLoad->toolTip().contains("Measured in"));
    w->UndoAction()->trigger();
    EXPECT_TRUE(w->Document()->State().c.measured.has_value());
    EXPECT_NEAR(Model().LoaRfl.Mag, std::sqrt(0.05), 1e-15);
}

TEST_F(MeasuredLoadWindowTest, ADamagedFileIsReportedAndChangesNothing)
{
    Show();
    prompter->errorsExpected = true;
    const QString path = Write("bad.s1p", "# MHz S MA\n2400 abc 0\n");
    const int steps = w->Document()->Stack()->count();
    EXPECT_FALSE(w->CaseCommands()->OpenMeasuredFile(path));
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(prompter->errors[0].contains(QStringLiteral("bad.s1p, line 2"))) << prompter->errors[0].toStdString();
    EXPECT_EQ(w->Document()->Stack()->count(), steps);
    EXPECT_FALSE(w->Document()->State().c.measured.has_value());
}

}  // namespace
