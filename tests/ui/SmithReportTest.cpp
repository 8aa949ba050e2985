// SPDX-License-Identifier: GPL-3.0-or-later
// The window's report carries the case's Smith chart after the tables, as
// merivane-calc's does, with the tuner's path and the pulled frequency.
#include "ResultActionsFixture.h"

namespace {

TEST_F(ResultActionsTest, ReportCarriesTheSmithChartOfTheCase)
{
    ShowWithDialogs();
    dialogs->path = Temp("smith.pdf");
    Actions().ReportAction()->trigger();
    const QStringList pages = PdfPages(PdfToText(Temp("smith.pdf")));
    ASSERT_EQ(pages.size(), 2);
    // the chart's labels on the page after the tables
    const QString& text = pages[1];
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u0393s*"))) << S(text);
    EXPECT_TRUE(text.contains("SWR")) << S(text);
    EXPECT_TRUE(text.contains("50 %")) << S(text);
    // the tables stay
    EXPECT_TRUE(HasLineWith(pages[0], {"Load Magnitude", "0.5 Mag"})) << S(pages[0]);
}

TEST_F(ResultActionsTest, ReportWithoutTheWorkbenchHasNoSmithChart)
{
    ShowWithDialogs();
    Actions().SetSmithPainter({});
    dialogs->path = Temp("plain.pdf");
    Actions().ReportAction()->trigger();
    const QString text = PdfToText(Temp("plain.pdf"));
    EXPECT_FALSE(text.contains(QString::fromUtf8("\u0393s*"))) << S(text);
    EXPECT_TRUE(HasLineWith(text, {"Load Magnitude", "0.5 Mag"})) << S(text);
}

}  // namespace
