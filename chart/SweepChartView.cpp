// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's widget, its painting without a window, and the library's entry point.
#include "SweepChart.h"

#include "ChartAxes.h"

#include <QAbstractAxis>
#include <QLegend>
#include <QPalette>
#include <QAreaSeries>

#include <QAccessible>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace present = merivane::present;
using present::SweepSeries;

// ------------------------------------------------------------------ the view

// The view owns its chart from the start: made with a chart of its own and
// given another, a QChartView lets the first one go without deleting it.
TSweepChartView::TSweepChartView(bool roomy, QWidget* parent)
    : QChartView(new TSweepChart(roomy), parent), chart_(static_cast<TSweepChart*>(chart()))
{
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // with the focus here, a screen reader follows the readout however it moves
    connect(chart_, &TSweepChart::ReadoutChanged, this, [this] {
        if (hasFocus()) AnnounceReadout();
    });
}

void TSweepChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = chart_->mapFromScene(mapToScene(event->position().toPoint()));
    if (chart_->plotArea().contains(at))
        chart_->ShowReadout(chart_->mapToValue(at, chart_->Curve(SweepSeries::Absorbed)).x());
    else if (!hasFocus())
        chart_->HideReadout();
    QChartView::mouseMoveEvent(event);
}

void TSweepChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit DoubleClicked();
    event->accept();
}

void TSweepChartView::leaveEvent(QEvent* event)
{
    if (!hasFocus()) chart_->HideReadout();
    QChartView::leaveEvent(event);
}

void TSweepChartView::keyPressEvent(QKeyEvent* event)
{
    const double period = chart_->Result().Period;
    const double step = period / 72.0;  // 5 degrees of round-trip phase
    const double x = chart_->ReadoutVisible() ? chart_->ReadoutX() : 0.0;
    switch (event->key()) {
    case Qt::Key_Left: chart_->ShowReadout(std::max(0.0, x - step)); break;
    case Qt::Key_Right: chart_->ShowReadout(std::min(period, x + step)); break;
    case Qt::Key_Home: chart_->ShowReadout(0.0); break;
    case Qt::Key_End: chart_->ShowReadout(period); break;
    default: QChartView::keyPressEvent(event); return;
    }
    event->accept();
}

void TSweepChartView::focusOutEvent(QFocusEvent* event)
{
    chart_->HideReadout();
    RestoreDescription();
    QChartView::focusOutEvent(event);
}

void TSweepChartView::AnnounceReadout()
{
    if (!announcing_) {
        ownDescription_ = accessibleDescription();
        announcing_ = true;
    }
    QString text = chart_->ReadoutText();
    text.replace(QLatin1Char('\n'), QStringLiteral("; "));
    setAccessibleDescription(text);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void TSweepChartView::RestoreDescription()
{
    if (!announcing_) return;
    announcing_ = false;
    setAccessibleDescription(ownDescription_);
}

// ------------------------------------------------------------------ printing

namespace {

// The chart's texts the size of the painter's font. The scene is drawn one
// to one into the painter's units, so that size in those units is the
// fonts' pixel size; the painter's font is sized for its device.
void PrintFonts(QChart* chart, const QPainter& painter)
{
    const QFont given = painter.font();
    const double units = given.pointSizeF() > 0 && painter.device()
                             ? given.pointSizeF() * painter.device()->logicalDpiY() / 72.0
                             : given.pixelSize();
    if (units <= 0) return;
    QFont f = chart->font();
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(units))));
    QFont bold = f;
    bold.setBold(true);
    chart->legend()->setFont(f);
    chart->setTitleFont(bold);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(f);
        axis->setTitleFont(bold);
    }
}

}  // namespace

void PaintSweepChart(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c, present::PowerUnit unit,
                     bool ideal, const present::TTubeResult* tube)
{
    QGraphicsScene scene;
    auto* chart = new TSweepChart(true);
    scene.addItem(chart);  // the scene owns it
    chart->setGeometry(QRectF(QPointF(0, 0), rect.size()));
    merivane::TSweepCase shown = c;
    shown.M.CplIdeal = ideal;
    chart->Show(shown, merivane::CalcLineSweep(shown), unit, ideal, tube);
    chart->LeaveOutHidden();
    PrintFonts(chart, painter);  // the pulled frequency's axis included
    chart->layout()->activate();
    scene.setSceneRect(QRectF(QPointF(0, 0), rect.size()));
    scene.render(&painter, rect, scene.sceneRect());
}

// ------------------------------------------------------------------ the entry point

extern "C" Q_DECL_EXPORT ISweepChart* MerivaneMakeSweepChart(bool roomy, QWidget* parent)
{
    auto* view = new TSweepChartView(roomy, parent);
    if (roomy && parent) FollowPalette(view->chart(), parent->palette());
    return view;
}

extern "C" Q_DECL_EXPORT void MerivanePaintSweepChart(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                                                      present::PowerUnit unit, bool ideal,
                                                      const present::TTubeResult* tube)
{
    PaintSweepChart(painter, rect, c, unit, ideal, tube);
}
