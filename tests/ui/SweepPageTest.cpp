// SPDX-License-Identifier: GPL-3.0-or-later
// The "Line Sweep" page in the real window: inputs, readouts, the chart and
// its refreshes, the keyboard.
#include "EntryMark.h"
#include "RowNames.h"
#include "SweepFixture.h"

#include <QAccessible>
#include <QGraphicsTextItem>
#include <QPointer>

namespace {

using namespace sweeptest;

TEST_F(SweepTest, AFourthPageNamedLineSweepAndTheWindowKeepsItsSize)
{
    Create();
    auto* tabs = Find<QTabWidget>("pcResults");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(S(tabs->tabText(3)), "Line Sweep");
    EXPECT_EQ(tabs->widget(3), Page());
    EXPECT_EQ(S(Page()->accessibleName()), "Line Sweep");
    EXPECT_EQ(w->size(), QSize(545, 375));
    EXPECT_EQ(Find<QWidget>("pcResults")->geometry(), QRect(4, 204, 537, 169));
    const char* names[] = {"Frequency", "Waveguide Width", "Velocity Factor", "Line Length", "Frequency Span"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(S(Field(static_cast<SweepField>(i))->accessibleName()), names[i]);
    EXPECT_EQ(S(View()->LineList()->accessibleName()), "Line Type");
    QStringList items;
    for (int i = 0; i < View()->LineList()->count(); ++i) items << View()->LineList()->itemText(i);
    EXPECT_EQ(S(items.join('|')), "WR284|WR340|WR430|WR975|Custom waveguide|Coax / TEM");
    const char* readouts[] = {"Guide Wavelength", "Length per Period", "Add for Maximum", "Add for Minimum", "Phase Spread",
                              "Mean Absorbed Power", "Absorbed Power Deviation", "Absorbed Power 95 % Interval"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(S(View()->Readout(i)->accessibleName()), readouts[i]);
    // each caption names its unit
    QStringList captions;
    for (QLabel* l : View()->findChildren<QLabel*>())
        if (l->buddy()) captions << l->text();
    for (const char* c : {"Frequency (MHz)", "Waveguide Width (mm)", "Line Length (m)", "Frequency Span (\u00b1 MHz)",
                          "Guide Wavelength (mm)", "Phase Spread (\u00b0)", "Mean Absorbed Power (kW)"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
}

TEST_F(SweepTest, DefaultsAndTheirReadouts)
{
    Create();
    EXPECT_EQ(S(Field(SweepField::Frequency)->text()), "2450");
    EXPECT_EQ(View()->LineList()->currentIndex(), 1);  // WR340
    EXPECT_EQ(S(Field(SweepField::Width)->text()), "86.36");
    EXPECT_FALSE(Field(SweepField::Width)->isEnabled());
    EXPECT_FALSE(Field(SweepField::Vf)->isEnabled());
    EXPECT_EQ(S(Field(SweepField::Length)->text()), "0");
    EXPECT_EQ(S(Field(SweepField::Span)->text()), "0");
    const char* expected[] = {"173.38", "86.69", "21.67", "65.02", "0", "7.73", "1.1", "6.33 .. 9.44"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Readout(i), expected[i]) << i;
    EXPECT_EQ(S(View()->Readout(0)->accessibleDescription()), "173.38 mm");
}

TEST_F(SweepTest, TheChartIsMadeWhenThePageIsFirstShown)
{
    Show();
    EXPECT_EQ(View()->Chart(), nullptr);
    ShowPage();
    ASSERT_NE(ChartView(View()), nullptr);
    QLineSeries* absorbed = Chart()->Curve(Series::Absorbed);
    ASSERT_GE(absorbed->count(), 721);
    EXPECT_NEAR(absorbed->at(0).y(), 7.57426, 1e-5);  // Pload in kW at no added length
    EXPECT_NEAR(Chart()->AxisX()->max(), 86.690153, 1e-5);
    EXPECT_EQ(S(Chart()->AxisY()->titleText()), "Power (kW)");
    EXPECT_FALSE(Chart()->CouplerBand()->isVisible());  // "Ideal" is ticked
    EXPECT_NEAR(Chart()->Curve(Series::MaxAbsorbed)->at(0).y(), 9.44444, 1e-5);
    EXPECT_NEAR(Chart()->Curve(Series::MinAbsorbed)->at(0).y(), 6.32231, 1e-5);
    EXPECT_NEAR(Chart()->PresentMark()->at(0).y(), 7.57426, 1e-5);
}

struct Typed {
    SweepField field;
    const char* typed;
    const char* shown;
};

class TypingOnThePage : public SweepTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypingOnThePage, ParsedWithLimitsClampedAndWrittenBack)
{
    ShowPage();
    Type(Field(GetParam().field), QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(S(Field(GetParam().field)->text()), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Inputs, TypingOnThePage,
                         ::testing::Values(Typed{SweepField::Frequency, "915.5", "915.5"},
                                           Typed{SweepField::Frequency, "abc", "2450"},
                                           Typed{SweepField::Frequency, "200000", "1E+5"},
                                           Typed{SweepField::Frequency, "0", "1"},
                                           Typed{SweepField::Length, "2,5 m", "2.5"},
                                           Typed{SweepField::Length, "-1", "0"},
                                           Typed{SweepField::Span, "12.25", "12.25"},
                                           Typed{SweepField::Span, "x", "0"}),
                         ROW_NAMES(std::string(SweepFieldSpec(r.field).key) + "_" + r.typed));

// As in the window: an entry not taken as typed marks its field, and the
// tooltip says why, until the field's next accepted entry.
TEST_F(SweepTest, AnEntryNotTakenAsTypedIsNotedOnItsField)
{
    ShowPage();
    QLineEdit* e = Field(SweepField::Frequency);
    const QString base = e->toolTip();
    Type(e, "200000");
    EXPECT_TRUE(HasEntryMark(e));
    EXPECT_TRUE(e->toolTip().startsWith(QString::fromUtf8("“200000” is above 100000 MHz: 100000 MHz in force.\n")))
        << S(e->toolTip());
    EXPECT_EQ(e->accessibleDescription(), e->toolTip());
    Type(Field(SweepField::Length), "2");  // another field's entry
    e->setFocus(Qt::TabFocusReason);
    QTest::keyClick(e, Qt::Key_Tab);  // through it, typing nothing
    EXPECT_TRUE(HasEntryMark(e));
    Type(e, "915");
    EXPECT_FALSE(HasEntryMark(e));
    EXPECT_EQ(e->toolTip(), base);
}

TEST_F(SweepTest, BelowCutOffThePageSaysSoAndDrawsOverPhase)
{
    ShowPage();
    Type(Field(SweepField::Frequency), "1500");
    EXPECT_TRUE(View()->Status()->isVisible());
    EXPECT_EQ(S(View()->Status()->text()), "Below cut-off (fc = 1735.71 MHz): no wave propagates");
    EXPECT_EQ(Readout(0), "n/a");
    EXPECT_EQ(Chart()->AxisX()->max(), 360.0);
    EXPECT_EQ(S(Chart()->AxisX()->titleText()), "Round-trip phase change (\u00b0)");
    Type(Field(SweepField::Frequency), "2450");
    EXPECT_FALSE(View()->Status()->isVisible());
    EXPECT_EQ(S(Chart()->AxisX()->titleText()), "Added length (mm)");
}

TEST_F(SweepTest, EnterReadsTheFieldWithoutAnEvaluationCycle)
{
    ShowPage();
    Field(SweepField::Length)->setFocus(Qt::MouseFocusReason);  // leaving the window's field runs its cycle
    const QString anodeV = Edit("edAnodeV")->text();
    const std::uint64_t before = merivane::present::CaseComputations();
    Type(Field(SweepField::Length), "3", true);
    Type(Field(SweepField::Span), "5", true);
    EXPECT_EQ(Readout(4), "102.09");  // 720 deg L |1/lg(2455) - 1/lg(2445)|
    EXPECT_EQ(merivane::present::CaseComputations() - before, 2u);  // one computation an entry
    EXPECT_EQ(Edit("edAnodeV")->text(), anodeV);
    EXPECT_TRUE(Field(SweepField::Span)->hasFocus());
    EXPECT_TRUE(Chart()->PullingBand(0)->isVisible());
}

// Beyond the double range is beyond the limit, 10000 m: clamped, no box (the
// prompter fails on any).
TEST_F(SweepTest, ANumberBeyondDoublesIsClampedToTheLimit)
{
    ShowPage();
    Type(Field(SweepField::Length), "2");
    Type(Field(SweepField::Length), "1e999");
    EXPECT_TRUE(prompter->errors.empty());
    EXPECT_EQ(S(Field(SweepField::Length)->text()), "1E+4");  // the usual text of 10000, which reads back
    EXPECT_EQ(Page()->Inputs().LengthM, 10000.0);
    Type(Field(SweepField::Length), "-1e999");
    EXPECT_EQ(Page()->Inputs().LengthM, 0.0);
}

TEST_F(SweepTest, TheLineTypeEnablesTheWidthOrTheVelocityFactor)
{
    ShowPage();
    ChooseLine(3);  // WR340 -> Custom waveguide
    EXPECT_TRUE(Field(SweepField::Width)->isEnabled());
    EXPECT_FALSE(Field(SweepField::Vf)->isEnabled());
    Type(Field(SweepField::Width), "72.136");
    EXPECT_EQ(Readout(0), "230.98");  // the WR284 width
    ChooseLine(1);  // Coax / TEM
    EXPECT_FALSE(Field(SweepField::Width)->isEnabled());
    EXPECT_TRUE(Field(SweepField::Vf)->isEnabled());
    EXPECT_EQ(Readout(0), "122.36");  // c / f
    Type(Field(SweepField::Vf), "0.5");
    EXPECT_EQ(Readout(0), "61.18");
    Type(Field(SweepField::Vf), "0");
    EXPECT_EQ(S(Field(SweepField::Vf)->text()), "0.1");
}

TEST_F(SweepTest, AnEvaluationCycleRefreshesThePageAndItsChart)
{
    ShowPage();
    TypeAndLeave("edLoaPha", "0");  // Gs Gl now at 0 deg: the maximum is where we stand
    EXPECT_EQ(Readout(2), "0");
    EXPECT_EQ(Readout(3), "43.35");  // lg / 4
    EXPECT_NEAR(Chart()->PresentMark()->at(0).y(), Chart()->Curve(Series::MaxAbsorbed)->at(0).y(), 1e-9);
}

TEST_F(SweepTest, AChangeOfThePowerUnitRefreshesTheReadoutsAndTheAxis)
{
    ShowPage();
    Radio("rbDbm")->click();
    EXPECT_EQ(S(View()->findChild<QLineEdit*>("paSwMean")->text()), "68.88");
    EXPECT_EQ(S(Chart()->AxisY()->titleText()), "Power (dBm)");
    EXPECT_NEAR(Chart()->Curve(Series::Absorbed)->at(0).y(), 68.79340, 1e-5);  // 10 log10(7574.2574 W / 1 mW)
    Radio("rbDbkW")->click();
    EXPECT_EQ(Readout(5), "8.88");
    EXPECT_EQ(S(Chart()->AxisY()->titleText()), "Power (dBkW)");
    bool found = false;
    for (QLabel* l : View()->findChildren<QLabel*>()) found = found || l->text() == "Mean Absorbed Power (dBkW)";
    EXPECT_TRUE(found);
}

TEST_F(SweepTest, IdealHidesTheCouplerBand)
{
    ShowPage();
    Find<QCheckBox>("chIdeal")->click();
    ASSERT_TRUE(Chart()->CouplerBand()->isVisible());
    EXPECT_NEAR(Chart()->CouplerBand()->upperSeries()->at(0).y(), 9.51832, 1e-5);  // PloadMaxV, 20 dB
    EXPECT_NEAR(Chart()->CouplerBand()->lowerSeries()->at(0).y(), 5.47871, 1e-5);  // PloadMinV
    Find<QCheckBox>("chIdeal")->click();
    EXPECT_FALSE(Chart()->CouplerBand()->isVisible());
}

TEST_F(SweepTest, TheReadoutFollowsThePointerAndTheArrowKeys)
{
    ShowPage();
    TSweepChartView* view = ChartView(View());
    const QRectF area = Chart()->plotArea();
    const QPoint at = view->mapFromScene(Chart()->mapToScene(area.center()));
    QTest::mouseMove(view->viewport(), at);
    ASSERT_TRUE(Chart()->ReadoutVisible());
    EXPECT_NEAR(Chart()->ReadoutX(), 86.690153 / 2, 86.69 / 40);
    EXPECT_TRUE(Chart()->ReadoutText().contains("Absorbed"));
    view->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(S(Chart()->ReadoutText().section('\n', 0, 1)), "d = 0 mm\nAbsorbed 7.57 kW");
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_NEAR(Chart()->ReadoutX(), 86.690153 / 72, 1e-9);
}

// A screen reader hears where the keys moved the readout, and the chart's own
// description again when the focus leaves it.
TEST_F(SweepTest, TheKeyboardReadoutIsAnnounced)
{
    ShowPage();
    TSweepChartView* view = ChartView(View());
    const QString own = view->accessibleDescription();
    view->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_TRUE(view->accessibleDescription().startsWith("d = 0 mm; Absorbed 7.57 kW; Incident ")) << S(view->accessibleDescription());
    QTest::keyClick(view, Qt::Key_End);  // lg / 2 on: the same powers as at 0 mm
    EXPECT_TRUE(view->accessibleDescription().startsWith("d = 86.69 mm; Absorbed 7.57 kW")) << S(view->accessibleDescription());
    // a refresh under the focused chart: the readout and what is heard follow it
    Radio("rbDbm")->click();
    QCoreApplication::sendPostedEvents();  // the chart follows when the event loop runs
    ASSERT_TRUE(view->hasFocus());
    EXPECT_TRUE(view->accessibleDescription().startsWith("d = 86.69 mm; Absorbed 68.79 dBm")) << S(view->accessibleDescription());
    // as the accessibility interface gives it to a screen reader
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Description), view->accessibleDescription());
    EXPECT_EQ(S(iface->text(QAccessible::Name)), "Line Sweep Chart");
    Field(SweepField::Frequency)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(view->accessibleDescription(), own);
}

TEST_F(SweepTest, TheKeyboardReachesEveryControlOfThePage)
{
    ShowPage();
    Field(SweepField::Frequency)->setFocus(Qt::TabFocusReason);
    const char* order[] = {"edSwFreq",   "cbSwLine",   "edSwLength",    "edSwSpan",     "paSwGuide", "paSwPeriod",
                           "paSwAddMax", "paSwAddMin", "paSwSpread",    "paSwMean",     "paSwDeviation",
                           "paSwInterval", "bSwEnlarge", "SweepChart"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(S(QApplication::focusWidget()->objectName()), order[i]) << "after " << order[i - 1];
        // the form scrolls what has the focus into sight
        QWidget* f = QApplication::focusWidget();
        if (View()->Scroller()->widget()->isAncestorOf(f)) {
            const QRect inView(f->mapTo(View()->Scroller()->viewport(), QPoint(0, 0)), f->size());
            EXPECT_TRUE(View()->Scroller()->viewport()->rect().contains(inView)) << order[i];
        }
    }
}

TEST_F(SweepTest, NothingOnThePageIsClipped)
{
    ShowPage();
    Radio("rbDbm")->click();  // the widest interval texts
    for (QLabel* l : View()->findChildren<QLabel*>()) {
        if (!l->isVisible()) continue;
        if (l->wordWrap())
            EXPECT_GE(l->height(), l->heightForWidth(l->width())) << S(l->text());
        else
            EXPECT_GE(l->width(), l->sizeHint().width()) << S(l->text());
    }
    for (int i = 0; i < 8; ++i) {
        QLineEdit* r = View()->Readout(i);
        EXPECT_LE(r->fontMetrics().horizontalAdvance(r->text()), r->width() - 8) << S(r->text());
    }
    EXPECT_GE(View()->ChartWidget()->width(), 240);
    EXPECT_TRUE(Page()->rect().contains(View()->geometry()));
}

}  // namespace

namespace {

using namespace sweeptest;

// Every text of the chart, as drawn: axis labels and titles.
QStringList ChartTexts(QGraphicsView* view)
{
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* t = dynamic_cast<QGraphicsTextItem*>(item); t && t->isVisible()) texts << t->toPlainText();
    return texts;
}

class ChartLabels : public SweepTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ChartLabels, NoAxisLabelIsCutShort)
{
    ShowPage();
    Radio(GetParam())->click();
    QApplication::processEvents();
    for (TSweepView* v : {View()}) {
        const QStringList texts = ChartTexts(ChartView(v));
        EXPECT_GE(texts.size(), 6) << S(texts.join('|'));
        for (const QString& t : texts)
            EXPECT_FALSE(t.contains(QChar(0x2026)) || t.contains(QStringLiteral("..."))) << S(texts.join('|'));
    }
}

INSTANTIATE_TEST_SUITE_P(Units, ChartLabels, ::testing::Values("rbWatt", "rbDbm", "rbDbW", "rbDbkW"),
                         ROW_NAMES(std::string(r)));

struct StatusCase {
    const char* name;
    int lineSteps;  // down the line list from WR340
    const char* freq;
    const char* length;
    const char* span;
    const char* status;  // as the chart's title reads it
};

class ChartStatus : public SweepTest, public ::testing::WithParamInterface<StatusCase> {};

// The status stands whole over the chart, in the tab too, where it runs on two lines.
TEST_P(ChartStatus, StandsWholeOverThePlot)
{
    const StatusCase& c = GetParam();
    ShowPage();
    if (c.lineSteps) ChooseLine(c.lineSteps);
    Type(Field(SweepField::Frequency), c.freq);
    Type(Field(SweepField::Length), c.length);
    Type(Field(SweepField::Span), c.span);
    QApplication::processEvents();
    const QStringList texts = ChartTexts(ChartView(View()));
    QString title;
    for (const QString& t : texts)
        if (t.contains(QStringLiteral("cut-off")) || t.contains(QStringLiteral("random"))) title = t;
    EXPECT_EQ(S(title.simplified()), c.status) << S(texts.join('|'));
    EXPECT_TRUE(title.contains(QChar(0x2029)) || title.contains(QLatin1Char('\n'))) << "two lines";
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ChartStatus,
    ::testing::Values(StatusCase{"below cut-off", 0, "1500", "0", "0", "Below cut-off (fc = 1735.71 MHz): no wave propagates"},
                      StatusCase{"span below cut-off", 0, "1800", "2", "100",
                                 "f \u2212 \u0394f is below cut-off (fc = 1735.71 MHz): no phase spread"},
                      StatusCase{"coax random", 4, "2450", "10", "10", "Spread \u2265 360\u00b0: phase effectively random"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace

namespace {

using namespace sweeptest;

TEST_F(SweepTest, TheChartGoesWithTheWindow)
{
    ShowPage();
    QPointer<QObject> chart = Chart();
    QPointer<QObject> view = ChartView(View());
    ASSERT_FALSE(chart.isNull());
    w.reset();
    EXPECT_TRUE(view.isNull());
    EXPECT_TRUE(chart.isNull());
}

}  // namespace
