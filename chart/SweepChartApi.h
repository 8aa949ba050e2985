// SPDX-License-Identifier: GPL-3.0-or-later
// What the window knows of the sweep chart. The chart lives in its own shared
// library, which the window loads when a chart is first shown, so that
// start-up does not load Qt Charts.
#pragma once

#include "Display.h"
#include "LineSweep.h"
#include "MagnetronCase.h"
#include "MeasuredCase.h"
#include "Process.h"

class QPainter;
class QRectF;
class QWidget;

class ISweepChart {
public:
    virtual ~ISweepChart() = default;
    // The chart's widget, owned by its parent; it has a signal DoubleClicked().
    virtual QWidget* Widget() = 0;
    // tube: the magnetron on this line; with its pulling known the chart adds
    // the pulled frequency over the added length on an axis at the right.
    // Null or without pulling: no such curve and no such axis.
    virtual void ShowSweep(const merivane::TSweepCase& c, const merivane::TSweepResult& r,
                           merivane::present::PowerUnit unit, bool ideal,
                           const merivane::present::TTubeResult* tube) = 0;
};

// The library "libmerivane_sweepchart.so" beside the program, and its entry
// points, looked up by name: a new chart, a child of parent; and
// PaintSweepChart (SweepChart.h).
inline constexpr const char* kSweepChartFile = "libmerivane_sweepchart.so";
inline constexpr const char* kMakeSweepChartSymbol = "MerivaneMakeSweepChart";
using TMakeSweepChart = ISweepChart* (*)(bool roomy, QWidget* parent);
inline constexpr const char* kPaintSweepChartSymbol = "MerivanePaintSweepChart";
using TPaintSweepChart = void (*)(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                                  merivane::present::PowerUnit unit, bool ideal,
                                  const merivane::present::TTubeResult* tube);

// The Band view's chart: |Γl| and the incident, reflected and absorbed power
// at each measured point of the band.
class IBandChart {
public:
    virtual ~IBandChart() = default;
    // The chart's widget, owned by its parent.
    virtual QWidget* Widget() = 0;
    // The band's points, the powers in the unit; marks at the case's
    // frequency and, where the case has a pulled range, at its ends (NaN: none).
    virtual void ShowBand(const merivane::present::TBandResult& band, double caseMHz, double pulledLoMHz,
                          double pulledHiMHz, merivane::present::PowerUnit unit) = 0;
};

// The band chart's entry point in the same library.
inline constexpr const char* kMakeBandChartSymbol = "MerivaneMakeBandChart";
using TMakeBandChart = IBandChart* (*)(QWidget* parent);

// The Process view's chart: the absorbed and the reflected power at each
// point of the load set, without a tuner and with the robust setting.
class IProcessChart {
public:
    virtual ~IProcessChart() = default;
    // The chart's widget, owned by its parent.
    virtual QWidget* Widget() = 0;
    virtual void ShowProcess(const merivane::present::TProcessResult& process, merivane::present::PowerUnit unit) = 0;
};

// The process chart's entry point in the same library.
inline constexpr const char* kMakeProcessChartSymbol = "MerivaneMakeProcessChart";
using TMakeProcessChart = IProcessChart* (*)(QWidget* parent);
