// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of the Band view: over the measured points' frequencies, the
// incident, reflected and absorbed power on the left axis and |Γl| on the
// right, a line at the case's frequency and the pulled range's ends, and the
// worst reflected power marked.
#pragma once

#include "SweepChartApi.h"

#include <QChartView>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

class TBandChartView final : public QChartView, public IBandChart {
    Q_OBJECT
public:
    explicit TBandChartView(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void ShowBand(const merivane::present::TBandResult& band, double caseMHz, double pulledLoMHz, double pulledHiMHz,
                  merivane::present::PowerUnit unit) override;

    // What it shows, for the view's checks.
    QLineSeries* Power(int i) const { return power_[i]; }  // incident, reflected, absorbed
    QLineSeries* Gamma() const { return gamma_; }
    QLineSeries* Mark(int i) const { return marks_[i]; }   // the case's frequency, the pulled range's ends
    QScatterSeries* Worst() const { return worst_; }
    QValueAxis* AxisX() const { return axisX_; }
    QValueAxis* AxisPower() const { return axisPower_; }

private:
    QLineSeries* power_[3] = {};
    QLineSeries* gamma_ = nullptr;
    QLineSeries* marks_[3] = {};
    QScatterSeries* worst_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisPower_ = nullptr;
    QValueAxis* axisGamma_ = nullptr;
};
