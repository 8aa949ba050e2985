// SPDX-License-Identifier: GPL-3.0-or-later
// Guidance on the Line Sweep page: every input and readout explains itself,
// and F1 opens the help at the page, from its tab and from its own window.
#include "RowNames.h"
#include "SweepFixture.h"

namespace {

using sweeptest::SweepTest;

class SweepTooltips : public SweepTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SweepTooltips, EveryInputAndReadoutExplainsItself)
{
    ShowPage();
    QWidget* c = Page()->findChild<QWidget*>(QString::fromLatin1(GetParam()));
    ASSERT_NE(c, nullptr) << GetParam();
    EXPECT_GT(c->toolTip().size(), 30) << GetParam();
    if (!qobject_cast<QLineEdit*>(c) || !static_cast<QLineEdit*>(c)->isReadOnly()) {
        EXPECT_EQ(S(c->accessibleDescription()), S(c->toolTip())) << GetParam();  // inputs: the same for screen readers
    } else {
        EXPECT_NE(S(c->accessibleDescription()), S(c->toolTip()));  // readouts: the description is the value
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, SweepTooltips,
                         ::testing::Values("edSwFreq", "cbSwLine", "edSwWidth", "edSwVf", "edSwLength", "edSwSpan",
                                           "paSwGuide", "paSwPeriod", "paSwAddMax", "paSwAddMin", "paSwSpread", "paSwMean",
                                           "paSwDeviation", "paSwInterval"),
                         ROW_NAMES(std::string(r)));

TEST_F(SweepTest, F1OnThePageAndInTheWorkbenchOpensItsSection)
{
    ShowPage();
    QLineEdit* freq = Field(SweepField::Frequency);
    freq->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(freq, Qt::Key_F1);
    ASSERT_NE(w->HelpBrowser(), nullptr);
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), "line-sweep");
    EXPECT_TRUE(w->HelpBrowser()->document()->toHtml().contains("name=\"line-sweep\""));

    w->HelpBrowser()->window()->close();
    w->OpenWorkbench(QStringLiteral("Line Sweep"));
    QWidget* window = WorkbenchOf(*w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
    QTest::keyClick(window->findChild<QLineEdit*>("edSwLength"), Qt::Key_F1);
    EXPECT_TRUE(w->HelpBrowser()->window()->isVisible());
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), "line-sweep");
}

}  // namespace
