// SPDX-License-Identifier: GPL-3.0-or-later
// The "Line Sweep" of the case: a view like the others. It shows the line of
// each snapshot, the sweep's readouts and its chart, and asks for a change
// of the line by emitting the case as it should become. It computes nothing:
// the snapshot carries the sweep with its curves. The main window shows one
// as the last page of its results, the Workbench another.
#pragma once

#include <functional>

#include "Case.h"
#include "CaseModel.h"
#include "CaseView.h"
#include "Display.h"
#include "LineSweep.h"
#include "SweepFields.h"
#include "SweepTexts.h"

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

class TSweepPage : public TCaseView {
    Q_OBJECT
public:
    // The window's page: adds itself as the last page of tabs, with the
    // owner's font; its controls are made when it is first shown.
    TSweepPage(QWidget& owner, QTabWidget* tabs);
    // The Workbench's: the roomy controls, made at once.
    explicit TSweepPage(QWidget* parent = nullptr);
    ~TSweepPage() override;

    // Shows the snapshot's line, readouts and chart. s is the case
    // document's, which outlives every view: the page reads it until the next.
    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("line-sweep"); }

    // What the snapshot shown holds: the line, the sweep and what it was
    // computed from, the power unit of the readouts.
    const merivane::TSweepInputs& Inputs() const;
    merivane::TSweepCase Case() const;
    const merivane::TSweepResult& Result() const;
    merivane::present::PowerUnit Unit() const;
    // The readouts as the page shows them.
    std::vector<merivane::present::TSweepRow> Rows() const;
    // The page for the copy and the export: its inputs, then its readouts,
    // each a name and its text with the unit.
    merivane::present::TExtraRegion CopyRegion() const;
    // The chart for a report; false, with the reason, when the chart library
    // cannot be loaded.
    bool PaintChart(QPainter& painter, const QRectF& rect, QString& error) const;

    // The notes on what was not taken as typed, per field: shared by the
    // pages that show one line, so that a note made in one shows in all.
    using TNotes = std::array<std::string, kSweepFieldCount>;
    std::shared_ptr<TNotes> Notes() const { return notes_; }
    void ShareNotes(std::shared_ptr<TNotes> notes);

    // What "Enlarge" (and a double click on the chart) opens.
    void SetEnlarge(std::function<void()> enlarge) { enlarge_ = std::move(enlarge); }

    // The page's controls, made when the page is first shown (or asked for),
    // so that start-up makes none of them.
    TSweepView* View();

    // Takes what was typed in a field and not yet left, as leaving it would:
    // the copy, the export, the report and the save then hold it.
    void CommitPendingInput();

    // "MerivaneSweep.ini" in the per-user folder: the line the program
    // starts with, and the line in force when it ends.
    QString SettingsPath() const;
    merivane::TSweepInputs LoadSettings();
    // Throws EWriteError.
    void SaveSettings();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Attach(TSweepView* view);
    // The case with the entries of fields read into its line; an entry (not
    // a Tab through the field) also notes what was not taken as typed.
    void TakeEntries(const std::vector<std::pair<SweepField, std::string>>& entries, bool entered);
    void LineChosen(int index);
    void Propose(const merivane::TSweepInputs& line);
    void UpdateChart();

    TSweepView* view_ = nullptr;
    bool roomy_ = false;
    std::function<void()> enlarge_;
    const merivane::present::TSnapshot* snapshot_ = nullptr;
    std::unique_ptr<merivane::TIniFile> ini_;
    void ShowNotes();
    std::shared_ptr<TNotes> notes_ = std::make_shared<TNotes>();
    int busy_ = 0;
    bool chartDue_ = false;  // an update of the chart is queued
};
