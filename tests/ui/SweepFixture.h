// SPDX-License-Identifier: GPL-3.0-or-later
// The window on its "Line Sweep" page, for the page's tests.
#pragma once

#include "SweepChart.h"
#include "SweepPage.h"
#include "SweepView.h"
#include "Workbench.h"
#include "WindowFixture.h"

#include <QAreaSeries>
#include <QLineSeries>
#include <QScatterSeries>
#include <QScrollArea>
#include <QValueAxis>

namespace sweeptest {

using Series = merivane::present::SweepSeries;

inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class SweepTest : public WindowTest {
protected:
    QString SweepPath() const { return SettingsDir() + QStringLiteral("/MerivaneSweep.ini"); }
    void WriteSweep(const QByteArray& text)
    {
        QDir().mkpath(SettingsDir());
        QFile f(SweepPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    TSweepPage* Page() const { return w->SweepPage(); }
    TSweepView* View() const { return Page()->View(); }
    // The window shown on the "Line Sweep" page.
    void ShowPage()
    {
        Show();
        Find<QTabWidget>("pcResults")->setCurrentWidget(Page());
        QApplication::processEvents();
    }
    QLineEdit* Field(SweepField f) const { return View()->Field(f); }
    std::string Readout(int i) const { return S(View()->Readout(i)->text()); }
    // Types into a field of a view and leaves it with Tab, or presses Enter.
    void Type(QLineEdit* e, const QString& text, bool enter = false)
    {
        e->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
        QTest::keyClick(e, enter ? Qt::Key_Return : Qt::Key_Tab);
    }
    void ChooseLine(int steps)
    {
        QComboBox* cb = View()->LineList();
        cb->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < steps; ++i) QTest::keyClick(cb, Qt::Key_Down);
    }
    // The chart as the user sees it: its curves follow a change when the
    // event loop runs, before the paint.
    TSweepChartView* ChartView(TSweepView* v) const
    {
        QCoreApplication::sendPostedEvents();
        return dynamic_cast<TSweepChartView*>(v->Chart());
    }
    TSweepChart* Chart() const { return ChartView(View())->SweepChart(); }
};

}  // namespace sweeptest
