// SPDX-License-Identifier: GPL-3.0-or-later
// The "Line Sweep" page of the results: it holds the line's inputs, follows
// every rendering of the window's results, and shows the sweep in its tab and
// in every other view attached to it (the Workbench's), with the same content.
#pragma once

#include <functional>

#include "Case.h"
#include "CaseModel.h"
#include "Display.h"
#include "LineSweep.h"
#include "SweepFields.h"
#include "SweepTexts.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QRectF;
class QTabWidget;
class TSweepView;
namespace merivane {
class TIniFile;
}

class TSweepPage : public QWidget {
    Q_OBJECT
public:
    // Adds itself as the last page of tabs. model is the window's model state,
    // which the page reads at each refresh; the owner's font is the page's.
    TSweepPage(const merivane::TModel& model, QWidget& owner, QTabWidget* tabs);
    ~TSweepPage() override;

    const merivane::TSweepInputs& Inputs() const { return in_; }
    // Takes inputs as they are (the caller keeps them in range), shows them
    // and refreshes.
    void SetInputs(const merivane::TSweepInputs& in);
    // Called after each change the user makes on the page (not SetInputs).
    void SetChangeListener(std::function<void()> changed) { changed_ = std::move(changed); }
    // The power unit the readouts are in; Watts until set.
    void SetUnitSource(std::function<merivane::present::PowerUnit()> unit) { unit_ = std::move(unit); }
    // What "Enlarge" (and a double click on the chart) opens.
    void SetEnlarge(std::function<void()> enlarge) { enlarge_ = std::move(enlarge); }
    // The case whose line loss and magnetron the page takes (its guide and
    // tube inputs; the line is the page's own). Without one: no loss, no
    // pulling.
    void SetCaseSource(std::function<const merivane::present::TCase&()> source) { case_ = std::move(source); }
    // The window's model with the line, and the pass factor e^(-2 alpha L)
    // of the case's line loss (1 without a loss).
    merivane::TSweepCase Case() const;
    // The magnetron's results for the window's model on the page's line;
    // its pulling is not defined without a case or a pulling figure.
    merivane::present::TTubeResult Tube() const;
    const merivane::TSweepResult& Result() const { return result_; }
    // The readouts as the page shows them.
    std::vector<merivane::present::TSweepRow> Rows() const;
    merivane::present::PowerUnit Unit() const;
    // The page for the copy and the export: its inputs, then its readouts,
    // each a name and its text with the unit.
    merivane::present::TExtraRegion CopyRegion() const;
    // The chart for a report; false, with the reason, when the chart library
    // cannot be loaded.
    bool PaintChart(QPainter& painter, const QRectF& rect, QString& error) const;

    // The page's controls, made when the page is first shown (or asked for),
    // so that start-up makes none of them.
    TSweepView* View();
    // Another view of the page: it shows the same inputs, notes and rows, and
    // what is entered in it is taken as on the page. It leaves when deleted.
    void AddView(TSweepView* view);

    // Reads what was typed in a field and not yet left, as leaving it would:
    // the copy, the export, the report and the save then hold it.
    void CommitPendingInput();

    // Recomputes from the window's model and shows it in every view; the
    // charts in sight follow when the event loop next runs.
    void Refresh();

    // "MerivaneSweep.ini" in the per-user folder.
    QString SettingsPath() const;
    void LoadSettings();
    // Throws EWriteError.
    void SaveSettings();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Attach(TSweepView* view);
    void ReadField(TSweepView* view, SweepField f);
    // Reads text into the field's value; an entry (not a Tab through the
    // field) also notes on every view what was not taken as typed.
    void TakeEntry(SweepField f, const std::string& text, bool entered);
    void LineChosen(TSweepView* view, int index);
    void InputsChanged();
    void UpdateChart(TSweepView* view);
    void UpdateCharts();
    std::vector<TSweepView*> Views() const;

    const merivane::TModel& model_;
    std::function<merivane::present::PowerUnit()> unit_;
    std::function<void()> enlarge_;
    std::function<const merivane::present::TCase&()> case_;
    merivane::TSweepInputs in_;
    merivane::TSweepResult result_;  // with the curves while a chart is in sight
    TSweepView* view_ = nullptr;
    std::vector<TSweepView*> extra_;  // the views added, while they live
    std::unique_ptr<merivane::TIniFile> ini_;
    std::array<std::string, 5> notes_;  // per field, for a view made later
    int busy_ = 0;
    bool chartsDue_ = false;  // an update of the charts is queued
    std::function<void()> changed_;
};
