// SPDX-License-Identifier: GPL-3.0-or-later
// The "Line Sweep" page beyond its tab: its view in the Workbench, its
// settings file, and its chart painted without a window.
#include "EntryMark.h"
#include "ResultActions.h"
#include "RowNames.h"
#include "SweepChartLoader.h"
#include "SweepFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

namespace {

using namespace sweeptest;

TEST_F(SweepTest, EnlargeShowsThePageInTheWorkbench)
{
    ShowPage();
    QTest::mouseClick(View()->EnlargeButton(), Qt::LeftButton);
    TWorkbench* wb = WorkbenchOf(*w);
    ASSERT_NE(wb, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wb));
    EXPECT_NE(wb->minimumSize(), wb->maximumSize());
    EXPECT_GT(wb->width(), w->width());
    TSweepView* big = wb->SweepView();
    EXPECT_EQ(S(big->accessibleName()), "Line Sweep");
    EXPECT_TRUE(big->isVisible());
    ASSERT_NE(ChartView(big), nullptr);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(S(big->Readout(i)->text()), Readout(i));
    // an input there is an input here
    wb->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == wb; }));
    Type(big->Field(SweepField::Length), "3");
    EXPECT_EQ(S(Field(SweepField::Length)->text()), "3");
    Radio("rbDbW")->click();
    EXPECT_EQ(S(big->Readout(5)->text()), "38.88");
    EXPECT_EQ(S(ChartView(big)->SweepChart()->AxisY()->titleText()), "Power (dBW)");
    // closing the Workbench leaves the main window and its case
    wb->close();
    EXPECT_FALSE(wb->isVisible());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(S(Field(SweepField::Length)->text()), "3");
    // a double-click on the page's chart opens it again
    TSweepChartView* chart = ChartView(View());
    QTest::mouseDClick(chart->viewport(), Qt::LeftButton, {}, chart->viewport()->rect().center());
    EXPECT_TRUE(wb->isVisible());
}

TEST_F(SweepTest, TheInputsPersistInTheirOwnFile)
{
    ShowPage();
    ChooseLine(4);  // Coax / TEM
    Type(Field(SweepField::Vf), "0.66");
    Type(Field(SweepField::Frequency), "915");
    Type(Field(SweepField::Length), "2.5");
    Type(Field(SweepField::Span), "10");
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(ReadAll(SweepPath()), QByteArray("[Line Sweep]\nLineType=Coax / TEM\nFrequency=915\nWaveguideWidth=86.36\n"
                                               "VelocityFactor=0.66\nLineLength=2.5\nFrequencySpan=10\n"));
    // the main file keeps its one section and its 26 keys
    merivane::TIniFile main(SettingsPath());
    EXPECT_EQ(main.ReadSections(), QStringList{"Merivane"});
    EXPECT_EQ(ReadAll(SettingsPath()).count('\n'), 27);

    w.reset();
    Create();
    EXPECT_EQ(View()->LineList()->currentIndex(), 5);
    EXPECT_EQ(S(Field(SweepField::Vf)->text()), "0.66");
    EXPECT_EQ(S(Field(SweepField::Frequency)->text()), "915");
    EXPECT_EQ(Page()->Inputs().SpanMHz, 10.0);
}

// What was typed on the page and not yet left goes out with the copy and the
// close, as if the field had been left.
TEST_F(SweepTest, TheCopyAndTheCloseTakeAFieldTypedButNotLeft)
{
    ShowPage();
    QLineEdit* e = Field(SweepField::Frequency);
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, QStringLiteral("915"));  // WR340 is cut off below 1735.71 MHz
    w->ResultActions()->CopyResultsAction()->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains("Frequency\t915 MHz")) << S(lines.join('\n'));
    EXPECT_TRUE(lines.contains("Guide Wavelength\tn/a")) << "no unit after n/a";
    EXPECT_TRUE(lines.contains("Status\tBelow cut-off (fc = 1735.71 MHz): no wave propagates"));
    EXPECT_EQ(Readout(0), "n/a");  // the page shows the same

    QLineEdit* length = Field(SweepField::Length);
    length->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(length, QStringLiteral("2.5"));
    w->close();
    ASSERT_FALSE(w->isVisible());
    const QByteArray file = ReadAll(SweepPath());
    EXPECT_TRUE(file.contains("\nFrequency=915\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("\nLineLength=2.5\n")) << file.toStdString();
}

// A field typed on the page alone runs no cycle of the window: that would
// read the window's written-back texts again (a phase of 47 as its step 45).
TEST_F(SweepTest, APendingPageFieldRunsNoCycleOfTheWindow)
{
    ShowPage();
    Type(Edit("edSrcPha"), "47");  // computed with 47, shown as 45
    ASSERT_EQ(Model().SrcRfl.Pha, 47);
    QLineEdit* e = Field(SweepField::Length);
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(e, QStringLiteral("3"));
    w->ResultActions()->CopyResultsAction()->trigger();
    EXPECT_EQ(Model().SrcRfl.Pha, 47);
    EXPECT_EQ(Page()->Inputs().LengthM, 3.0);
}

// Texts pending in the page and in the Workbench are both taken: the
// first one read must not write over the second before it is read.
TEST_F(SweepTest, PendingTextsInBothViewsAreBothTaken)
{
    ShowPage();
    w->OpenWorkbench(QStringLiteral("Line Sweep"));
    TSweepView* big = WorkbenchOf(*w)->SweepView();
    Field(SweepField::Frequency)->setText(QStringLiteral("915"));
    Field(SweepField::Frequency)->setModified(true);
    big->Field(SweepField::Length)->setText(QStringLiteral("3"));
    big->Field(SweepField::Length)->setModified(true);
    Page()->CommitPendingInput();
    WorkbenchOf(*w)->SweepPage()->CommitPendingInput();
    EXPECT_EQ(Page()->Inputs().FreqMHz, 915.0);
    EXPECT_EQ(Page()->Inputs().LengthM, 3.0);
    EXPECT_EQ(S(Field(SweepField::Length)->text()), "3");
    EXPECT_EQ(S(big->Field(SweepField::Frequency)->text()), "915");
}

// A note made on the page is on the Workbench's field too, even when the
// Workbench is first opened afterwards.
TEST_F(SweepTest, TheWorkbenchShowsTheNotesMadeBeforeIt)
{
    ShowPage();
    Type(Field(SweepField::Span), "-5");
    ASSERT_TRUE(HasEntryMark(Field(SweepField::Span)));
    w->OpenWorkbench(QStringLiteral("Line Sweep"));
    QLineEdit* big = WorkbenchOf(*w)->SweepView()->Field(SweepField::Span);
    EXPECT_TRUE(HasEntryMark(big));
    EXPECT_EQ(big->toolTip(), Field(SweepField::Span)->toolTip());
    EXPECT_TRUE(big->toolTip().startsWith(QString::fromUtf8("“-5” is below 0 MHz: 0 MHz in force.")));
}

struct Stored {
    const char* name;
    const char* file;
    const char* line;
    double freq, width, vf, length, span;
};

class SweepFile : public SweepTest, public ::testing::WithParamInterface<Stored> {};

TEST_P(SweepFile, ReadAtStartUp)
{
    const Stored& s = GetParam();
    if (s.file) WriteSweep(s.file);
    Create();
    const merivane::TSweepInputs& in = Page()->Inputs();
    EXPECT_EQ(S(View()->LineList()->currentText()), s.line);
    EXPECT_EQ(in.FreqMHz, s.freq);
    EXPECT_EQ(in.WidthMm, s.width);
    EXPECT_EQ(in.Vf, s.vf);
    EXPECT_EQ(in.LengthM, s.length);
    EXPECT_EQ(in.SpanMHz, s.span);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SweepFile,
    ::testing::Values(Stored{"missing", nullptr, "WR340", 2450, 86.36, 1, 0, 0},
                      Stored{"all keys", "[Line Sweep]\nLineType=Custom waveguide\nFrequency=5800\nWaveguideWidth=40.4\n"
                                         "VelocityFactor=0.7\nLineLength=12\nFrequencySpan=20\n",
                             "Custom waveguide", 5800, 40.4, 0.7, 12, 20},
                      Stored{"out of range", "[Line Sweep]\nFrequency=0\nVelocityFactor=5\nLineLength=-4\nFrequencySpan=1e9\n",
                             "WR340", 1, 86.36, 1, 0, 10000},
                      Stored{"not numbers", "[Line Sweep]\nLineType=WR9999\nFrequency=fast\nLineLength=1e999\n", "WR340",
                             2450, 86.36, 1, 0, 0},
                      Stored{"other section", "[Merivane]\nFrequency=915\n", "WR340", 2450, 86.36, 1, 0, 0},
                      Stored{"garbage", "\x01\x02\xff\xfe[[[\n=\n\x00zz", "WR340", 2450, 86.36, 1, 0, 0}),
    ROW_NAMES(std::string(r.name)));

TEST_F(SweepTest, AnUnwritableSweepFileKeepsTheWindowOpen)
{
    ASSERT_TRUE(QDir().mkpath(SweepPath()));  // a folder where the file should be
    ShowPage();
    prompter->errorsExpected = true;
    w->close();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(FirstLine(prompter->errors[0]), "Unable to write to " + S(SweepPath()) + ".");
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->AutoIniFile, nullptr);
    ASSERT_TRUE(QDir(SweepPath()).removeRecursively());
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(QFileInfo(SweepPath()).isFile());
}

TEST_F(SweepTest, TheWindowPaintsThePagesChartThroughTheLoadedLibrary)
{
    Create();  // no page shown, no chart made
    QImage img(500, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    QString error;
    {
        QPainter p(&img);
        ASSERT_TRUE(PaintSweepChartLoaded(p, QRectF(0, 0, 500, 300), Page()->Case(), Page()->Unit(), true, error))
            << S(error);
    }
    EXPECT_TRUE(error.isEmpty());
    int green = 0;  // the absorbed power's curve
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) green += img.pixelColor(x, y) == QColor(0, 128, 0);
    EXPECT_GT(green, 100);
}

}  // namespace
