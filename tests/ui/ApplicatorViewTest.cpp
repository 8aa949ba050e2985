// SPDX-License-Identifier: GPL-3.0-or-later
// The Applicator view offscreen, without the window: an N-port file opened
// as one edit and a damaged one refused, a feed's cell typed as one edit or
// refused with its reason, the worst feed of a lossless through-line marked,
// and the |S| matrix shaded stronger-darker in a light and a dark palette.
#include "ApplicatorView.h"

#include "TempFile.h"
#include "ViewEdits.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using namespace merivane::present;

// S11 = S22 = 0, |S21| = |S12| = 1 across 2400 .. 2500 MHz.
constexpr char kThrough[] = "# MHz S MA R 50\n2400 0 0 1 0 1 0 0 0\n2500 0 0 1 0 1 0 0 0\n";
// At 2450 MHz only: S21 -10 dB, S31 -20 dB, S32 -40 dB, every port -20 dB.
constexpr char kThreePort[] = "# MHz S MA R 50\n2450 0.1 0 0.316228 0 0.1 0\n0.316228 0 0.1 0 0.01 0\n"
                              "0.1 0 0.01 0 0.1 0\n";

struct TApplicatorFixture : ::testing::Test {
    QTemporaryDir dir;
    TApplicatorView view;
    TEdits edits{view};
    TCase shown = DefaultCase();  // Va 4 kV, Ia 3 A, 85 %: Pmatch 10.2 kW
    TApplicatorFixture() { Show(shown); }
    void Show(const TCase& c)
    {
        shown = c;
        view.ShowSnapshot(ComputeCase(c, 0));
    }
    // Opens the file and shows the case it asks for.
    void Open(const char* name, const char* text)
    {
        ASSERT_TRUE(view.OpenApplicator(WriteTempFile(dir, name, text))) << view.Message()->text().toStdString();
        ASSERT_FALSE(edits.list.empty());
        Show(edits.list.back().c);
    }
    QTableWidget* Feeds() const { return view.FeedsTable(); }
};

TEST_F(TApplicatorFixture, AFileOpensAsOneEditWithAFeedOnEachPortAtTheMatchedPower)
{
    Open("through.s2p", kThrough);
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits.list[0].what, QStringLiteral("Open Applicator"));
    ASSERT_TRUE(shown.applicator);
    ASSERT_EQ(Feeds()->rowCount(), 2);
    EXPECT_EQ(Feeds()->item(1, 0)->text(), QStringLiteral("10200"));
    EXPECT_EQ(Feeds()->item(1, 1)->text(), QStringLiteral("2450"));  // the case's frequency, followed
    EXPECT_EQ(view.ResultsTable()->rowCount(), 2);
    // a damaged file: refused with its name, the applicator in place kept
    EXPECT_FALSE(view.OpenApplicator(WriteTempFile(dir, "broken.s2p", "# MHz S MA R 50\n2400 0 0 one\n")));
    EXPECT_EQ(edits.count(), 1);
    EXPECT_TRUE(view.Message()->text().contains(QStringLiteral("broken.s2p")));
    EXPECT_EQ(Feeds()->rowCount(), 2);
    view.RemoveButton()->click();
    ASSERT_EQ(edits.count(), 2);
    EXPECT_FALSE(edits.list[1].c.applicator);
}

TEST_F(TApplicatorFixture, ACellTypedIsOneEditAndABadOneIsRefusedAndReverts)
{
    Open("through.s2p", kThrough);
    const int before = edits.count();
    Feeds()->item(0, 0)->setText(QStringLiteral("750"));
    ASSERT_EQ(edits.count(), before + 1);
    ASSERT_TRUE(edits.list.back().c.applicator);
    EXPECT_EQ(edits.list.back().c.applicator->feeds[0].powerW, 750);
    EXPECT_EQ(edits.list.back().c.applicator->feeds[1], shown.applicator->feeds[1]);

    const struct {
        int row, column;
        const char* text;
        const char* shownAfter;
    } refused[] = {{1, 0, "-5", "10200"}, {1, 2, "much", "0"}, {0, 3, "2e9", "0"}};
    for (const auto& r : refused) {
        Show(shown);
        Feeds()->item(r.row, r.column)->setText(QString::fromUtf8(r.text));
        EXPECT_EQ(edits.count(), before + 1) << r.text;
        EXPECT_EQ(Feeds()->item(r.row, r.column)->text(), QString::fromUtf8(r.shownAfter));
        EXPECT_TRUE(view.Message()->isVisibleTo(&view));
        EXPECT_TRUE(view.Message()->text().contains(QStringLiteral("feed %1").arg(r.row + 1)))
            << view.Message()->text().toStdString();
    }
}

// With P1 = 1000 W and P2 = 500 W each feed gets back what the other sends:
// feed 1 500 W, feed 2 1000 W, so feed 2 is the worst.
TEST_F(TApplicatorFixture, TheFeedThatGetsTheMostBackIsMarkedAndNamed)
{
    Open("through.s2p", kThrough);
    TCase c = shown;
    c.applicator->feeds[0].powerW = 1000;
    c.applicator->feeds[1].powerW = 500;
    Show(c);
    QTableWidget* r = view.ResultsTable();
    ASSERT_EQ(r->rowCount(), 2);
    EXPECT_EQ(r->item(0, 0)->text(), QStringLiteral("500 W"));
    EXPECT_EQ(r->item(1, 0)->text(), QStringLiteral("1 kW"));
    for (int column : {0, 4}) {
        EXPECT_TRUE(r->item(1, column)->font().bold());
        EXPECT_FALSE(r->item(0, column)->font().bold());
    }
    EXPECT_TRUE(view.Totals()->text().contains(QStringLiteral("Worst feed: feed 2")))
        << view.Totals()->text().toStdString();
}

TEST_F(TApplicatorFixture, TheMatrixIsShadedStrongerDarkerInEitherPalette)
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(60, 120, 220));
    for (const QPalette& p : {view.palette(), dark}) {
        view.setPalette(p);
        Open("three.s3p", kThreePort);
        QTableWidget* m = view.MatrixTable();
        ASSERT_EQ(m->rowCount(), 3);
        EXPECT_EQ(m->item(1, 0)->text(), QStringLiteral("\u221210.0"));
        const QColor base = m->palette().color(QPalette::Base);
        const auto away = [&](int i, int j) {
            const QColor c = m->item(i, j)->background().color();
            return std::abs(c.red() - base.red()) + std::abs(c.green() - base.green()) +
                   std::abs(c.blue() - base.blue());
        };
        EXPECT_GT(away(1, 0), away(2, 0));  // -10 dB over -20 dB
        EXPECT_GT(away(2, 0), away(2, 1));  // -20 dB over -40 dB
        EXPECT_EQ(away(2, 1), 0);
    }
    const QString strongest = QStringLiteral("S21 \u221210.0 dB, S31 \u221220.0 dB, S32 \u221240.0 dB");
    EXPECT_TRUE(view.Couplings()->text().contains(strongest)) << view.Couplings()->text().toStdString();
    TCase away = shown;
    away.line.FreqMHz = 2600;
    Show(away);
    EXPECT_TRUE(view.Couplings()->text().contains(QStringLiteral("outside the file's band")));
    EXPECT_FALSE(view.ResultsTable()->isVisibleTo(&view));  // the feeds at 2600 MHz are refused
    EXPECT_TRUE(view.Totals()->text().startsWith(QStringLiteral("Not computed")));
}

}  // namespace
