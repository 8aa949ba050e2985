// SPDX-License-Identifier: GPL-3.0-or-later
// The chart itself: its series, axes, bands and the readout at the pointer.
#include "SweepChart.h"

#include "ChartAxes.h"
#include "EngineeringText.h"
#include "Texts.h"

#include <QAreaSeries>
#include <QBrush>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSceneResizeEvent>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace present = merivane::present;
using present::SweepSeries;

namespace {

QString U(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QColor kAbsorbed(0, 128, 0);
const QColor kIncident(0, 64, 192);
const QColor kReflected(192, 32, 32);
const QColor kCouplerFill(0, 160, 0, 56);
const QColor kPullingFill(255, 150, 0, 72);
const QColor kPulled(128, 0, 160);

QFont ChartFont(const QFont& base, int px, bool bold = false)
{
    QFont f = base;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

}  // namespace

TSweepChart::TSweepChart(bool roomy) : roomy_(roomy)
{
    setAnimationOptions(QChart::NoAnimation);
    setBackgroundRoundness(0);
    setMargins(roomy ? QMargins(6, 6, 6, 6) : QMargins(0, 0, 2, 0));
    layout()->setContentsMargins(0, 0, 0, 0);
    legend()->setVisible(roomy);
    // one entry a line: a row would cut the names short
    legend()->setAlignment(Qt::AlignRight);
    const QFont base = font();
    const int labelPx = roomy ? 12 : 9;
    legend()->setFont(ChartFont(base, labelPx));
    setTitleFont(ChartFont(base, roomy ? 13 : 10, true));

    axisX_ = new QValueAxis(this);
    axisY_ = new QValueAxis(this);
    for (QValueAxis* a : {axisX_, axisY_}) {
        a->setLabelsFont(ChartFont(base, labelPx));
        a->setTitleFont(ChartFont(base, labelPx, roomy));
    }
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(0.0);
    addAxis(axisX_, Qt::AlignBottom);
    addAxis(axisY_, Qt::AlignLeft);

    // Series are drawn in the order they are added: the bands under the curves.
    couplerBand_ = MakeBand(bandUpper_, bandLower_, kCouplerFill);
    couplerBand_->setName(U(present::SeriesName(SweepSeries::CouplerBand)));
    for (int i = 0; i < 2; ++i) {
        pulling_[i] = MakeBand(pullUpper_[i], pullLower_[i], kPullingFill);
        pulling_[i]->setName(U(present::SeriesName(SweepSeries::PullingBand)));
    }
    const auto curve = [this, roomy](SweepSeries s, const QColor& colour, Qt::PenStyle style) {
        auto* l = new QLineSeries(this);
        l->setName(U(present::SeriesName(s)));
        QPen pen(colour, roomy ? 2.0 : 1.5, style);
        l->setPen(pen);
        addSeries(l);
        l->attachAxis(axisX_);
        l->attachAxis(axisY_);
        return l;
    };
    absorbed_ = curve(SweepSeries::Absorbed, kAbsorbed, Qt::SolidLine);
    incident_ = curve(SweepSeries::Incident, kIncident, Qt::SolidLine);
    reflected_ = curve(SweepSeries::Reflected, kReflected, Qt::SolidLine);
    maxLine_ = curve(SweepSeries::MaxAbsorbed, kAbsorbed.darker(130), Qt::DashLine);
    minLine_ = curve(SweepSeries::MinAbsorbed, kAbsorbed.lighter(140), Qt::DashLine);
    present_ = new QScatterSeries(this);
    present_->setName(U(present::SeriesName(SweepSeries::Present)));
    present_->setMarkerSize(roomy ? 10 : 7);
    present_->setColor(Qt::black);
    present_->setBorderColor(Qt::white);
    addSeries(present_);
    present_->attachAxis(axisX_);
    present_->attachAxis(axisY_);
    // The pulled frequency and its axis at the right enter the chart only
    // when the magnetron's pulling is known (ShowPulled).
    axisPulled_ = new QValueAxis(this);
    axisPulled_->setLabelsFont(ChartFont(base, labelPx));
    axisPulled_->setTitleFont(ChartFont(base, labelPx, roomy));
    axisPulled_->setGridLineVisible(false);  // the grid is the power axis's
    axisPulled_->setLinePenColor(kPulled);
    pulled_ = new QLineSeries(this);
    pulled_->setName(U(present::SeriesName(SweepSeries::PulledFrequency)));
    pulled_->setPen(QPen(kPulled, roomy ? 2.0 : 1.5, Qt::DashDotLine));
    // one legend entry for the pulling band, even when it wraps in two
    for (QLegendMarker* m : legend()->markers(pulling_[1])) m->setVisible(false);

    cursor_ = new QGraphicsLineItem(this);
    cursor_->setPen(QPen(QColor(80, 80, 80), 0, Qt::DotLine));
    cursor_->setZValue(20);
    auto* box = new QGraphicsRectItem(this);
    box->setBrush(QColor(255, 255, 225));
    box->setPen(QPen(QColor(120, 120, 120), 0));
    box->setZValue(21);
    callout_ = new QGraphicsSimpleTextItem(box);
    callout_->setFont(ChartFont(base, roomy ? 12 : 9));
    cursor_->hide();
    box->hide();
}

QAreaSeries* TSweepChart::MakeBand(QLineSeries*& upper, QLineSeries*& lower, const QColor& fill)
{
    upper = new QLineSeries(this);
    lower = new QLineSeries(this);
    auto* area = new QAreaSeries(upper, lower);
    area->setParent(this);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    addSeries(area);
    area->attachAxis(axisX_);
    area->attachAxis(axisY_);
    return area;
}

QLineSeries* TSweepChart::Curve(SweepSeries s) const
{
    switch (s) {
    case SweepSeries::Absorbed: return absorbed_;
    case SweepSeries::Incident: return incident_;
    case SweepSeries::Reflected: return reflected_;
    case SweepSeries::MinAbsorbed: return minLine_;
    case SweepSeries::MaxAbsorbed: return maxLine_;
    default: return nullptr;
    }
}

void TSweepChart::Show(const merivane::TSweepCase& c, const merivane::TSweepResult& r, present::PowerUnit unit, bool ideal,
                       const present::TTubeResult* tube)
{
    case_ = c;
    case_.M.CplIdeal = ideal;
    result_ = r;
    unit_ = unit;
    ideal_ = ideal;

    double largest = 0.0;
    for (const merivane::TSweepPoint& p : r.Points) {
        largest = std::max({largest, std::fabs(p.Pinc), std::fabs(p.Pload), std::fabs(p.Prefl)});
        if (!ideal) largest = std::max({largest, std::fabs(p.PloadMinV), std::fabs(p.PloadMaxV)});
    }
    powerAxis_ = present::PowerAxisFor(largest, unit);
    const auto y = [this](double watts) { return present::AxisValue(powerAxis_, watts); };

    const std::size_t n = r.Points.size();
    QList<QPointF> pa(n), pi(n), pr(n), bu(ideal ? 0 : n), bl(ideal ? 0 : n);
    double lo = INFINITY, hi = -INFINITY;
    const auto take = [&](double v) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        return v;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const double x = r.X[i];
        const merivane::TSweepPoint& p = r.Points[i];
        pa[i] = {x, take(y(p.Pload))};
        pi[i] = {x, take(y(p.Pinc))};
        pr[i] = {x, take(y(p.Prefl))};
        if (!ideal) {
            bu[i] = {x, take(y(p.PloadMaxV))};
            bl[i] = {x, take(y(p.PloadMinV))};
        }
    }
    if (!(lo <= hi)) lo = 0.0, hi = 1.0;
    dataLow_ = lo;
    dataHigh_ = hi;
    // axes before data, so that each series draws its path once
    SetPowerAxis();
    SetAxis(axisX_, 0.0, r.Period, LengthStep(), U(present::LengthAxisTitle(r.OverLength)));
    // a power with no decibel value (zero) lies below the axis, out of sight
    const double under = axisY_->min() - 2 * (axisY_->max() - axisY_->min());
    for (QList<QPointF>* l : {&pa, &pi, &pr, &bu, &bl})
        for (QPointF& p : *l)
            if (!std::isfinite(p.y())) p.setY(under);

    absorbed_->replace(pa);
    incident_->replace(pi);
    reflected_->replace(pr);
    couplerBand_->setVisible(!ideal);
    if (!ideal) {
        // Both edges announce their change: the area draws each edge from the
        // points its own edge last announced, so a silent lower edge would keep
        // its old shape until the next change of the plot area.
        bandLower_->replace(bl);
        bandUpper_->replace(bu);
    }
    const auto level = [&](QLineSeries* line, double watts) {
        double v = y(watts);
        if (!std::isfinite(v)) v = under;
        line->replace(QList<QPointF>{{0.0, v}, {r.Period, v}});
    };
    level(minLine_, r.AtMin.Pload);
    level(maxLine_, r.AtMax.Pload);
    double y0 = y(r.AtZero.Pload);
    present_->replace(QList<QPointF>{{0.0, std::isfinite(y0) ? y0 : under}});
    SetPullingBands(axisY_->min(), axisY_->max());
    if (tube) tube_ = *tube;
    ShowPulled(tube ? present::PulledFrequencyCurve(*tube, c.In, r) : std::vector<double>{});

    // the status over the plot; in the tab's narrow chart on two lines, after its colon
    QString status = U(present::SweepStatus(r));
    if (!roomy_) status.replace(QStringLiteral(": "), QStringLiteral(":<br>"));
    setTitle(status);
    if (ReadoutVisible()) ShowReadout(std::clamp(readoutX_, 0.0, r.Period));
}

// As many steps along the length as the width has room for their labels.
double TSweepChart::LengthStep() const
{
    const int parts = std::clamp(static_cast<int>((size().width() - 70) / 35), 2, roomy_ ? 10 : 6);
    if (result_.OverLength) return NiceStep(result_.Period, parts);
    return parts >= 8 ? 45.0 : parts >= 4 ? 90.0 : 180.0;
}

// The powers padded a little and widened to whole steps, as many steps as
// the height has room for: Qt Charts cuts labels short that lack it.
void TSweepChart::SetPowerAxis()
{
    double span = dataHigh_ - dataLow_;
    if (!(span > 0)) span = std::max(std::fabs(dataHigh_) * 0.1, 1.0);
    const int parts = std::clamp(static_cast<int>((size().height() - 40) / (roomy_ ? 40 : 24)), 2, 10);
    const double step = NiceStep(span * 1.1, parts);
    double lo = std::floor((dataLow_ - span * 0.05) / step) * step;
    // A power in W is never negative: the padding stops at 0 unless the data
    // itself lies below (a coupler bound can). A decibel axis fits its data.
    if (!powerAxis_.decibel && dataLow_ >= 0) lo = std::max(lo, 0.0);
    const double hi = std::ceil((dataHigh_ + span * 0.05) / step) * step;
    // new labels may be wider than the room the layout gave the old ones
    if (SetAxis(axisY_, lo, hi, step, U(present::PowerAxisTitle(powerAxis_)))) layout()->invalidate();
}

void TSweepChart::resizeEvent(QGraphicsSceneResizeEvent* event)
{
    QChart::resizeEvent(event);
    if (axisX_->tickInterval() != LengthStep()) axisX_->setTickInterval(LengthStep());
    SetPowerAxis();
    SetPullingBands(axisY_->min(), axisY_->max());
    if (ReadoutVisible()) PlaceReadout();
}

// The pulling band runs from -SpanBelow to +SpanAbove round the present
// point; the interference repeats every period, so what lies below 0 shows
// at the end of the axis.
void TSweepChart::SetPullingBands(double yLow, double yHigh)
{
    const double period = result_.Period;
    const double below = result_.SpanBelow, above = result_.SpanAbove;
    double ranges[2][2] = {{0, 0}, {0, 0}};
    int count = 0;
    if (result_.SpreadDefined && below + above > 0) {
        if (below + above >= period) {
            ranges[count][0] = 0, ranges[count++][1] = period;
        } else {
            if (above > 0) ranges[count][0] = 0, ranges[count++][1] = std::min(above, period);
            if (below > 0) ranges[count][0] = period - below, ranges[count++][1] = period;
        }
    }
    // The first band shows and hides with its series, which shows and hides
    // its legend entry. The second keeps its entry hidden from the start and
    // is emptied rather than hidden: an entry hidden on its own later keeps
    // an empty slot in the legend.
    pulling_[0]->setVisible(count > 0);
    for (int i = 0; i < 2; ++i) {
        if (i >= count) {
            if (i > 0) pullUpper_[i]->clear(), pullLower_[i]->clear();
            continue;
        }
        pullUpper_[i]->replace(QList<QPointF>{{ranges[i][0], yHigh}, {ranges[i][1], yHigh}});
        pullLower_[i]->replace(QList<QPointF>{{ranges[i][0], yLow}, {ranges[i][1], yLow}});
    }
}

// The pulled frequency, one value for each x of the sweep, on its own axis at
// the right, padded and widened to whole steps as the power axis is. Empty:
// the curve and its axis leave the chart, which is then as without them.
void TSweepChart::ShowPulled(const std::vector<double>& mhz)
{
    const bool show = !mhz.empty() && mhz.size() == result_.X.size();
    if (!show) {
        if (pulledShown_) {
            pulled_->detachAxis(axisX_);
            pulled_->detachAxis(axisPulled_);
            removeSeries(pulled_);
            pulled_->setParent(this);  // the chart hands them back
            removeAxis(axisPulled_);
            axisPulled_->setParent(this);
            pulledShown_ = false;
        }
        return;
    }
    if (!pulledShown_) {
        addAxis(axisPulled_, Qt::AlignRight);
        addSeries(pulled_);
        pulled_->attachAxis(axisX_);
        pulled_->attachAxis(axisPulled_);
        pulledShown_ = true;
    }
    const auto [low, high] = std::minmax_element(mhz.begin(), mhz.end());
    double span = *high - *low;
    // a flat curve (a matched load) still gets an axis round it
    if (!(span > 0)) span = std::max(std::fabs(*high) * 1e-5, 0.01);
    const int parts = std::max(axisY_->tickCount() - 1, 2);
    const double step = NiceStep(span * 1.1, parts);
    const double lo = std::floor((*low - span * 0.05) / step) * step;
    const double hi = std::ceil((*high + span * 0.05) / step) * step;
    SetAxis(axisPulled_, lo, hi, step, QStringLiteral("Pulled frequency (MHz)"));
    QList<QPointF> points(static_cast<qsizetype>(mhz.size()));
    for (std::size_t i = 0; i < mhz.size(); ++i) points[static_cast<qsizetype>(i)] = {result_.X[i], mhz[i]};
    pulled_->replace(points);
}

void TSweepChart::LeaveOutHidden()
{
    for (QAbstractSeries* s : series()) {
        const auto* area = qobject_cast<QAreaSeries*>(s);
        if (!s->isVisible() || (area && area->upperSeries()->count() == 0)) {
            removeSeries(s);
            s->setParent(this);  // the chart hands it back: it goes with the chart still
        }
    }
}

bool TSweepChart::ReadoutVisible() const { return cursor_->isVisible(); }

void TSweepChart::ShowReadout(double x)
{
    readoutX_ = std::clamp(x, 0.0, result_.Period);
    const double phi = result_.Period > 0 ? readoutX_ * 360.0 / result_.Period : 0.0;
    const merivane::TSweepPoint p = merivane::SweepPointAtPhase(case_.M, phi, case_.PassFactor);
    std::string text = present::PointText(readoutX_, result_.OverLength, p, unit_, ideal_);
    if (pulledShown_) {
        // the round-trip phase change at x is the one the curve is drawn at
        const double f = present::PulledFrequencyAtPhaseMHz(tube_.seen, case_.In.FreqMHz, tube_.magnetron.Qext, phi);
        text += "\n" + present::SeriesName(SweepSeries::PulledFrequency) + " " + present::Fixed(f, 2) + " MHz";
    }
    readout_ = U(text);
    callout_->setText(readout_);
    cursor_->show();
    callout_->parentItem()->show();
    PlaceReadout();
    emit ReadoutChanged();
}

void TSweepChart::HideReadout()
{
    cursor_->hide();
    callout_->parentItem()->hide();
}

void TSweepChart::PlaceReadout()
{
    const QRectF area = plotArea();
    const QPointF top = mapToPosition(QPointF(readoutX_, axisY_->max()), absorbed_);
    cursor_->setLine(top.x(), area.top(), top.x(), area.bottom());
    auto* box = static_cast<QGraphicsRectItem*>(callout_->parentItem());
    const QRectF text = callout_->boundingRect();
    const QRectF frame(0, 0, text.width() + 8, text.height() + 6);
    callout_->setPos(4, 3);
    // beside the cursor, on the side with room
    double left = top.x() + 6;
    if (left + frame.width() > area.right()) left = top.x() - 6 - frame.width();
    left = std::max(left, area.left());
    box->setRect(frame);
    box->setPos(left, area.top() + 2);
}
