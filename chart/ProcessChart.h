// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of the Process view: at each point of the load set in process
// order, the absorbed power on the left axis and the reflected power on the
// right, dashed without a tuner and solid with the robust setting.
#pragma once

#include "SweepChartApi.h"

#include <QChartView>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

class TProcessChartView final : public QChartView, public IProcessChart {
    Q_OBJECT
public:
    explicit TProcessChartView(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void ShowProcess(const merivane::present::TProcessResult& process, merivane::present::PowerUnit unit) override;

    // absorbed before, absorbed after, reflected before, reflected after
    QLineSeries* Series(int i) const { return series_[i]; }
    QCategoryAxis* AxisX() const { return axisX_; }

private:
    QLineSeries* series_[4] = {};
    QCategoryAxis* axisX_ = nullptr;
    QValueAxis* axisAbsorbed_ = nullptr;
    QValueAxis* axisReflected_ = nullptr;
};
