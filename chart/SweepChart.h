// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of the "Line Sweep" page: absorbed, incident and reflected power
// over one period of the interference, the band of the coupler-derived
// absorbed powers, the band of frequency pulling, the present set-up and the
// extremes. The same chart paints into any QPainter (a PDF, an image).
#pragma once

#include "Display.h"
#include "LineSweep.h"
#include "SweepChartApi.h"
#include "SweepTexts.h"

#include <QChart>
#include <QChartView>

#include <vector>

class QAreaSeries;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QPainter;
class QScatterSeries;
class QValueAxis;

class TSweepChart : public QChart {
    Q_OBJECT
public:
    // Roomy: with a legend and larger texts, for the enlarged window and print.
    explicit TSweepChart(bool roomy);

    // Draws the sweep; without the curves of r (steps 0) it draws none. With
    // a tube whose pulling is known, also the pulled frequency along the
    // curves (PulledFrequencyCurve) on an axis at the right; otherwise that
    // curve and its axis leave the chart.
    void Show(const merivane::TSweepCase& c, const merivane::TSweepResult& r, merivane::present::PowerUnit unit, bool ideal,
              const merivane::present::TTubeResult* tube = nullptr);
    // For a chart that will not change again (a printed one): the series it
    // does not show leave it, and with them their legend entries, which keep
    // an empty slot in the legend while merely hidden.
    void LeaveOutHidden();

    // The readout at x (mm or degrees, as the axis): its text, also drawn
    // beside a cursor line. Empty x hides both.
    void ShowReadout(double x);
    void HideReadout();
    QString ReadoutText() const { return readout_; }
    double ReadoutX() const { return readoutX_; }
    bool ReadoutVisible() const;

    // What it shows, for the window's checks and for the readout.
    const merivane::TSweepResult& Result() const { return result_; }
    merivane::present::TPowerAxis PowerAxis() const { return powerAxis_; }
    QValueAxis* AxisX() const { return axisX_; }
    QValueAxis* AxisY() const { return axisY_; }
    QLineSeries* Curve(merivane::present::SweepSeries s) const;
    QAreaSeries* CouplerBand() const { return couplerBand_; }
    // The pulling band as one or two areas (two when it wraps round the period).
    QAreaSeries* PullingBand(int i) const { return pulling_[i]; }
    QScatterSeries* PresentMark() const { return present_; }
    // The pulled frequency in MHz and its axis at the right; null while the
    // chart shows none.
    QLineSeries* PulledCurve() const { return pulledShown_ ? pulled_ : nullptr; }
    QValueAxis* AxisPulled() const { return pulledShown_ ? axisPulled_ : nullptr; }
    bool Roomy() const { return roomy_; }

protected:
    void resizeEvent(QGraphicsSceneResizeEvent* event) override;

signals:
    // The readout has a new text: moved, or the sweep under it redrawn.
    void ReadoutChanged();

private:
    double LengthStep() const;
    void SetPowerAxis();
    QAreaSeries* MakeBand(QLineSeries*& upper, QLineSeries*& lower, const QColor& fill);
    void SetPullingBands(double yLow, double yHigh);
    void ShowPulled(const std::vector<double>& mhz);
    void PlaceReadout();

    bool roomy_;
    merivane::TSweepCase case_;
    merivane::TSweepResult result_;
    merivane::present::PowerUnit unit_ = merivane::present::PowerUnit::Watts;
    merivane::present::TPowerAxis powerAxis_;
    bool ideal_ = true;
    double dataLow_ = 0.0, dataHigh_ = 1.0;  // the lowest and highest value drawn, in axis units

    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    QLineSeries* absorbed_ = nullptr;
    QLineSeries* incident_ = nullptr;
    QLineSeries* reflected_ = nullptr;
    QLineSeries* minLine_ = nullptr;
    QLineSeries* maxLine_ = nullptr;
    QLineSeries* bandUpper_ = nullptr;
    QLineSeries* bandLower_ = nullptr;
    QAreaSeries* couplerBand_ = nullptr;
    QLineSeries* pullUpper_[2] = {};
    QLineSeries* pullLower_[2] = {};
    QAreaSeries* pulling_[2] = {};
    QScatterSeries* present_ = nullptr;
    QValueAxis* axisPulled_ = nullptr;
    QLineSeries* pulled_ = nullptr;
    bool pulledShown_ = false;  // the two are in the chart
    merivane::present::TTubeResult tube_;  // what the pulled frequency is computed from, while shown

    QGraphicsLineItem* cursor_ = nullptr;
    QGraphicsSimpleTextItem* callout_ = nullptr;
    QString readout_;
    double readoutX_ = 0.0;
};

// The chart on the page and in the enlarged window: the readout follows the
// pointer, or the Left and Right keys when it has the focus; a double-click
// asks for the enlarged window.
class TSweepChartView : public QChartView, public ISweepChart {
    Q_OBJECT
public:
    TSweepChartView(bool roomy, QWidget* parent = nullptr);
    TSweepChart* SweepChart() const { return chart_; }

    QWidget* Widget() override { return this; }
    void ShowSweep(const merivane::TSweepCase& c, const merivane::TSweepResult& r, merivane::present::PowerUnit unit,
                   bool ideal, const merivane::present::TTubeResult* tube) override
    {
        chart_->Show(c, r, unit, ideal, tube);
    }

signals:
    void DoubleClicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // What a screen reader hears: the readout the keys moved to, as the
    // description, announced as it changes; the control's own description
    // again when the focus leaves.
    void AnnounceReadout();
    void RestoreDescription();

    TSweepChart* chart_;
    QString ownDescription_;
    bool announcing_ = false;
};

// Paints the sweep of c into rect without any window: for a report or an
// image. Needs a QApplication (offscreen is enough).
// With a tube whose pulling is known, the pulled frequency as on the page.
Q_DECL_EXPORT void PaintSweepChart(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                                   merivane::present::PowerUnit unit, bool ideal,
                                   const merivane::present::TTubeResult* tube = nullptr);
