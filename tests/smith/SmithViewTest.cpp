// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's view offscreen: the keys, a drag and Home change the
// case it asks for as the chart promises; the readout follows the pointer
// and is the chart's accessible description; the wheel zooms.
#include "SmithCanvas.h"
#include "SmithView.h"

#include "EntryReader.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using merivane::present::TCase;
using merivane::smith::TGamma;

struct TEdit {
    TCase c;
    QString what;
    int mergeId;
};

// The view in a host that computes each case it asks for and shows it back,
// as the Workbench does.
struct TViewHost {
    TSmithView view;
    std::vector<TEdit> edits;
    explicit TViewHost(const TCase& c = merivane::present::DefaultCase())
    {
        view.resize(700, 700);
        view.show();
        QObject::connect(&view, &TCaseView::Edited, &view, [this](const TCase& e, const QString& what, int id) {
            edits.push_back({e, what, id});
            view.ShowSnapshot(merivane::present::ComputeCase(e, 0));
        });
        view.ShowSnapshot(merivane::present::ComputeCase(c, 0));
        view.Canvas()->setFocus();
    }
    const merivane::TRefl& Load() const { return edits.back().c.inputs.LoaRfl; }
    void Mouse(QEvent::Type type, TGamma g, Qt::MouseButtons buttons)
    {
        TSmithCanvas* canvas = view.Canvas();
        const QPointF at = canvas->Frame().ToDevice(g);
        QMouseEvent e(type, at, canvas->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(canvas, &e);
    }
};

TCase WithLoad(double mag, double pha)
{
    TCase c = merivane::present::DefaultCase();
    merivane::present::SetReflMagnitude(c.inputs.LoaRfl, 0, mag);
    c.inputs.LoaRfl.Pha = pha;
    return c;
}

TEST(SmithView, ShowingAsksForNothing)
{
    TViewHost host;
    EXPECT_TRUE(host.edits.empty());
    EXPECT_EQ(host.view.HelpAnchor(), "smith");
}

TEST(SmithView, ArrowKeysTurnAndScaleTheLoad)
{
    struct TRow {
        const char* name;
        double mag, pha;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        double toMag, toPha;
    };
    const TRow rows[] = {
        {"right", 0.5, 90, Qt::Key_Right, Qt::NoModifier, 0.5, 91},
        {"left", 0.5, 90, Qt::Key_Left, Qt::NoModifier, 0.5, 89},
        {"shift right", 0.5, 90, Qt::Key_Right, Qt::ShiftModifier, 0.5, 100},
        {"shift left", 0.5, 90, Qt::Key_Left, Qt::ShiftModifier, 0.5, 80},
        {"up", 0.5, 90, Qt::Key_Up, Qt::NoModifier, 0.51, 90},
        {"down", 0.5, 90, Qt::Key_Down, Qt::NoModifier, 0.49, 90},
        {"shift up", 0.5, 90, Qt::Key_Up, Qt::ShiftModifier, 0.6, 90},
        {"shift down", 0.5, 90, Qt::Key_Down, Qt::ShiftModifier, 0.4, 90},
        {"wrap at 180", 0.5, 180, Qt::Key_Right, Qt::NoModifier, 0.5, -179},
        {"wrap at -180", 0.5, -175, Qt::Key_Left, Qt::ShiftModifier, 0.5, 175},
        {"clamp at 1", 0.95, 0, Qt::Key_Up, Qt::ShiftModifier, 1.0, 0},
        {"clamp at 0", 0.005, 0, Qt::Key_Down, Qt::NoModifier, 0.0, 0},
    };
    for (const TRow& r : rows) {
        TViewHost host(WithLoad(r.mag, r.pha));
        QTest::keyClick(host.view.Canvas(), r.key, r.mods);
        ASSERT_EQ(host.edits.size(), 1u) << r.name;
        EXPECT_EQ(host.Load().Mag, r.toMag) << r.name;
        EXPECT_EQ(host.Load().Pha, r.toPha) << r.name;
        EXPECT_GE(host.edits.back().mergeId, kSmithMergeBase) << r.name;
        EXPECT_LT(host.edits.back().mergeId, kTunerMergeBase) << r.name;
    }
}

TEST(SmithView, AtTheLimitAKeyAsksForNothing)
{
    TViewHost host(WithLoad(1.0, 0));
    QTest::keyClick(host.view.Canvas(), Qt::Key_Up);
    EXPECT_TRUE(host.edits.empty());
}

TEST(SmithView, HomeGoesToTheSourcesConjugate)
{
    TCase c = WithLoad(0.7, -120);
    c.inputs.SrcRfl.Mag = 0.3;
    c.inputs.SrcRfl.Pha = 40;
    TViewHost host(c);
    QTest::keyClick(host.view.Canvas(), Qt::Key_Home);
    ASSERT_EQ(host.edits.size(), 1u);
    EXPECT_EQ(host.Load().Mag, 0.3);
    EXPECT_EQ(host.Load().Pha, -40);
}

TEST(SmithView, OneDragIsOneMergeId)
{
    TViewHost host(WithLoad(0.5, 90));
    const TGamma path[] = {{0.05, 0.5}, {0.2, 0.45}, {0.3, 0.3}, {0.4, 0.0}};
    host.Mouse(QEvent::MouseButtonPress, {0, 0.5}, Qt::LeftButton);
    for (TGamma g : path) host.Mouse(QEvent::MouseMove, g, Qt::LeftButton);
    host.Mouse(QEvent::MouseButtonRelease, path[3], Qt::NoButton);
    ASSERT_GE(host.edits.size(), 4u);
    for (const TEdit& e : host.edits) EXPECT_EQ(e.mergeId, host.edits.front().mergeId);
    EXPECT_GE(host.edits.front().mergeId, kSmithMergeBase);
    // the load ends where the pointer let go: 0.4 at 0 deg, to the pointer's resolution
    EXPECT_NEAR(host.Load().Mag, 0.4, 0.002);
    EXPECT_NEAR(host.Load().Pha, 0.0, 0.2);

    // the next drag is an undo step of its own
    const int first = host.edits.front().mergeId;
    const std::size_t before = host.edits.size();
    host.Mouse(QEvent::MouseButtonPress, path[3], Qt::LeftButton);
    host.Mouse(QEvent::MouseMove, {0.4, -0.2}, Qt::LeftButton);
    host.Mouse(QEvent::MouseButtonRelease, {0.4, -0.2}, Qt::NoButton);
    ASSERT_GT(host.edits.size(), before);
    EXPECT_NE(host.edits.back().mergeId, first);
}

TEST(SmithView, PressAwayFromTheLoadMovesNothing)
{
    TViewHost host(WithLoad(0.5, 90));
    host.Mouse(QEvent::MouseButtonPress, {-0.5, -0.5}, Qt::LeftButton);
    host.Mouse(QEvent::MouseMove, {-0.4, -0.4}, Qt::LeftButton);
    host.Mouse(QEvent::MouseButtonRelease, {-0.4, -0.4}, Qt::NoButton);
    EXPECT_TRUE(host.edits.empty());
}

TEST(SmithView, ReadoutFollowsThePointerAndIsTheDescription)
{
    TViewHost host;
    // G = 1/3: z = (1 + 1/3) / (1 - 1/3) = 2, y = 0.5
    host.Mouse(QEvent::MouseMove, {1.0 / 3, 0}, Qt::NoButton);
    const QString text = host.view.ReadoutText();
    EXPECT_TRUE(text.contains(QStringLiteral("z = 2 + j0"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("y = 0.5 + j0"))) << text.toStdString();
    EXPECT_EQ(host.view.Canvas()->accessibleDescription(), text);
    // the keys bring the readout back to the load
    QTest::keyClick(host.view.Canvas(), Qt::Key_Right);
    EXPECT_TRUE(host.view.ReadoutText().contains(QString::fromUtf8("\u2220 91\u00b0"))) << host.view.ReadoutText().toStdString();
}

// A drag in a narrow view: the readout shrinks (outside the chart) and grows
// (a point of the load's path adds a line), and the chart keeps its place.
TEST(SmithView, TheChartKeepsItsRectangleDuringADrag)
{
    TCase c = WithLoad(0.5, 90);
    c.line.LengthM = 2.0;  // a path round the chart: its points read "Add ..."
    TViewHost host(c);
    host.view.resize(360, 560);
    QApplication::processEvents();
    TSmithCanvas* canvas = host.view.Canvas();
    const QRect before = canvas->geometry();
    const QPointF centre = canvas->Frame().centre;
    const double radius = canvas->Frame().radius;
    const TGamma onPath = canvas->Scene().locus.points[canvas->Scene().locus.points.size() / 3];
    const TGamma path[] = {{0.05, 0.5}, {1.05, 0.0}, onPath, {-0.8, -0.75}, {0.0, 0.0}};
    host.Mouse(QEvent::MouseButtonPress, {0, 0.5}, Qt::LeftButton);
    ASSERT_TRUE(canvas->Dragging());
    for (TGamma g : path) {
        SCOPED_TRACE(std::to_string(g.real()) + ", " + std::to_string(g.imag()));
        host.Mouse(QEvent::MouseMove, g, Qt::LeftButton);
        QApplication::processEvents();  // the layout follows a new readout here
        EXPECT_EQ(canvas->geometry(), before) << host.view.ReadoutText().toStdString();
        EXPECT_EQ(canvas->Frame().centre, centre);
        EXPECT_EQ(canvas->Frame().radius, radius);
    }
    host.Mouse(QEvent::MouseButtonRelease, path[4], Qt::NoButton);
}

TEST(SmithView, BeyondTheUnitCircleTheReadoutSaysOutsideTheChart)
{
    const struct {
        TGamma g;
        bool outside;
    } points[] = {{{0.3, 0.2}, false}, {{0.99, 0.0}, false}, {{1.05, 0.0}, true}, {{-0.8, -0.75}, true}};
    TViewHost host;
    for (const auto& p : points) {
        SCOPED_TRACE(std::abs(p.g));
        host.Mouse(QEvent::MouseMove, p.g, Qt::NoButton);
        const QString text = host.view.ReadoutText();
        EXPECT_EQ(text.contains(QStringLiteral("outside the chart"), Qt::CaseInsensitive), p.outside) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("z = ")), !p.outside) << text.toStdString();
    }
}

TEST(SmithView, ShowsTheTunerPathTheSpiralAndThePulledFrequency)
{
    TCase c = merivane::present::DefaultCase();
    c.line.LengthM = 2.0;
    c.tuner.method = merivane::MatchMethod::SingleStub;
    c.guide.loss = merivane::LossSource::Entered;
    c.guide.lossDbPerM = 10.0;  // alpha = 10 ln 10 / 20 = 1.151 Np/m
    c.tube.magnetron.pullingMHz = 10.0;
    TViewHost host(c);
    const merivane::smith::TSmithScene& sc = host.view.Canvas()->Scene();
    ASSERT_TRUE(sc.tuner.defined);
    EXPECT_LT(std::abs(sc.tuner.end), 1e-9);
    EXPECT_NEAR(sc.locus.npPerM, 10.0 * std::log(10.0) / 20, 1e-12);
    EXPECT_EQ(sc.pulledMHz.size(), sc.locus.points.size());
    // a point of the spiral reads as on the path, with the length to add;
    // the lossless circle at the same phase does not: a quarter period (21.7 mm) on
    // the spiral has 0.5 e^(-2 alpha d) = 0.476
    const std::size_t i = sc.locus.points.size() / 4;
    const TGamma onSpiral = sc.locus.points[i];
    host.Mouse(QEvent::MouseMove, onSpiral, Qt::NoButton);
    EXPECT_TRUE(host.view.ReadoutText().contains(QStringLiteral("Add "))) << host.view.ReadoutText().toStdString();
    host.Mouse(QEvent::MouseMove, std::polar(std::abs(sc.locus.present), std::arg(onSpiral)), Qt::NoButton);
    EXPECT_FALSE(host.view.ReadoutText().contains(QStringLiteral("Add "))) << host.view.ReadoutText().toStdString();
}

TEST(SmithView, WheelZooms)
{
    TViewHost host;
    TSmithCanvas* canvas = host.view.Canvas();
    const QPointF at(100, 100);
    QWheelEvent in(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &in);
    EXPECT_EQ(host.view.Zoom(), 0.5);
    QApplication::sendEvent(canvas, &in);
    QApplication::sendEvent(canvas, &in);  // no further than the last
    EXPECT_EQ(host.view.Zoom(), 0.2);
    QWheelEvent out(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &out);
    EXPECT_EQ(host.view.Zoom(), 1.0);
}

TEST(SmithView, SavesPngAndSvg)
{
    TViewHost host;
    QTemporaryDir dir;
    QString reason;
    EXPECT_TRUE(host.view.SaveImage(dir.filePath(QStringLiteral("c.png")), reason)) << reason.toStdString();
    EXPECT_TRUE(host.view.SaveImage(dir.filePath(QStringLiteral("c.svg")), reason)) << reason.toStdString();
}

}  // namespace
