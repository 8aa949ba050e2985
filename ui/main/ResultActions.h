// SPDX-License-Identifier: GPL-3.0-or-later
// Results out of the window: the four actions "Copy Value", "Copy Results",
// "Export…" and "Report…" with their shortcuts, and the context menu that
// offers them on a right-click anywhere on the window. Every text comes from
// the presentation rules, so the copy, the export and the report show what the
// window shows.
#pragma once

#include "CaseModel.h"

#include "Case.h"
#include "Cells.h"
#include "Report.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class IResultDialogs;
class QAction;
class QMenu;
class TForm1;

class TResultActions final : public QObject {
    Q_OBJECT
public:
    explicit TResultActions(TForm1& form);
    ~TResultActions() override;

    // The actions, with their shortcuts: Ctrl+Shift+C, Ctrl+C, Ctrl+E, Ctrl+P.
    QAction* CopyValueAction() const { return copyValue_; }
    QAction* CopyResultsAction() const { return copyResults_; }
    QAction* ExportAction() const { return export_; }
    QAction* ReportAction() const { return report_; }

    // Without a call the real dialogs are used.
    void SetDialogs(std::shared_ptr<IResultDialogs> dialogs);

    // For a page that adds results of its own: its rows, asked for at every
    // copy and export and appended as a region of their own; and a painter for
    // its chart in the report, which gets the rest of the page below the
    // tables.
    void SetExtraRegion(std::function<merivane::present::TExtraRegion()> rows);
    void SetChartPainter(TChartPainter chart);
    // The Smith chart's painter for the report's third column; none: no Smith chart.
    void SetSmithPainter(TChartPainter smith) { smith_ = std::move(smith); }
    // Reads what such a page has typed and not yet taken, before a copy, an
    // export or a report asks for anything.
    void SetPendingInput(std::function<void()> take);
    // The case's snapshot: what the copy, the export and the report show.
    void SetSnapshotSource(std::function<const merivane::present::TSnapshot&()> snapshot) { snapshot_ = std::move(snapshot); }
    // Open Case, Save Case and Save Case As, in the menu after the copies.
    void SetCaseActions(QAction* open, QAction* save, QAction* saveAs)
    {
        open_ = open;
        save_ = save;
        saveAs_ = saveAs;
    }
    // Undo and Redo of the case, at the end of the menu.
    void SetWorkbenchAction(QAction* workbench) { workbench_ = workbench; }
    void SetMeasuredAction(QAction* measured) { measured_ = measured; }
    void SetEditActions(QAction* undo, QAction* redo)
    {
        undo_ = undo;
        redo_ = redo;
    }

    // The case as the window has it: the inputs and every result, in the
    // selected units and representations, then the extra region.
    std::vector<merivane::present::TSection> Sections() const;
    // The report of the case, dated now: the inputs and the window's result
    // pages as tables, and the chart when there is a painter for it.
    TReport MakeReport() const;
    // The result cell at a point of the window (the window's coordinates).
    const merivane::present::TResultCell* CellAt(const QPoint& pos) const;
    // The context menu for a point of the window: "Copy Value" first when the
    // point is on a result cell, then the other three.
    std::unique_ptr<QMenu> MakeMenu(const QPoint& pos);
    // The folder the file dialogs open in: the one used last in this session,
    // at first the home folder.
    QString Folder() const { return folder_; }

    // The file dialogs, opened in Folder(), which a chosen file then sets.
    // Empty when cancelled.
    QString AskPath(const QString& caption, const QString& name, const QString& filters, QString* filter);
    QString AskOpenPath(const QString& caption, const QString& filters);

    void CopyResults();
    void CopyValue(const merivane::present::TResultCell& cell);
    void ExportCase();
    void Report();

private:
    // A field typed in but not yet left is read first, as leaving it would.
    void EvaluatePendingInput();
    void CopyValueAtPointer();
    void ShowMenu(const QPoint& pos);
    merivane::present::TExtraRegion Extra() const;

    TForm1& form_;
    QAction* copyValue_;
    QAction* copyResults_;
    QAction* export_;
    QAction* report_;
    std::shared_ptr<IResultDialogs> dialogs_;
    std::function<merivane::present::TExtraRegion()> extra_;
    TChartPainter chart_;
    TChartPainter smith_;
    std::function<void()> pending_;
    std::function<const merivane::present::TSnapshot&()> snapshot_;
    QAction* workbench_ = nullptr;
    QAction* open_ = nullptr;
    QAction* measured_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QString folder_;
    const merivane::present::TResultCell* menuCell_ = nullptr;  // while the menu is open
};
