// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's menus: File, Edit, View and Help. The case commands, undo
// and the results out are the main window's own actions, so a shortcut does
// the same in either window; the reference and the layout are the
// Workbench's.
#include "CaseCommands.h"
#include "CaseDocument.h"
#include "CaseFile.h"
#include "CaseView.h"
#include "CompareView.h"
#include "SweepView.h"
#include "ResultActions.h"
#include "TForm1.h"
#include "Workbench.h"
#include "WorkbenchSettings.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QShortcut>

namespace present = merivane::present;

namespace {

// The main window's action, shown in a menu here too: the same text, the same
// shortcut, working while the Workbench has the focus.
QAction* Borrow(QWidget* window, QAction* action)
{
    if (action && !window->actions().contains(action)) window->addAction(action);
    return action;
}

}  // namespace

void TWorkbench::MakeMenus()
{
    TCaseCommands* cases = form_.CaseCommands();
    TResultActions* out = form_.ResultActions();

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(Borrow(this, cases->OpenAction()));
    recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &TWorkbench::FillRecentMenu);
    file->addAction(Borrow(this, cases->SaveAction()));
    file->addAction(Borrow(this, cases->SaveAsAction()));
    file->addAction(Borrow(this, cases->OpenMeasuredAction()));
    file->addAction(Borrow(this, cases->ExportTouchstoneAction()));
    file->addSeparator();
    file->addAction(Borrow(this, out->ExportAction()));
    file->addAction(Borrow(this, out->ReportAction()));
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("&Close"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    // Ctrl+W hides the Workbench on every desktop, whatever its own Close key
    QList<QKeySequence> closeKeys{QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Close))
        if (!closeKeys.contains(k)) closeKeys << k;
    close->setShortcuts(closeKeys);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(Borrow(this, form_.UndoAction()));
    edit->addAction(Borrow(this, form_.RedoAction()));
    edit->addSeparator();
    edit->addAction(Borrow(this, out->CopyResultsAction()));
    edit->addSeparator();
    pin_ = edit->addAction(QStringLiteral("&Pin as Reference"));
    connect(pin_, &QAction::triggered, this, [this] { form_.Guarded([this] { PinReference(); }); });
    pin_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    compareWith_ = edit->addAction(QStringLiteral("Compare &With…"));
    connect(compareWith_, &QAction::triggered, this, [this] { form_.Guarded([this] { CompareWith(); }); });

    viewMenu_ = menuBar()->addMenu(QStringLiteral("&View"));
    for (const TDockedView& d : docks_) viewMenu_->addAction(d.dock->toggleViewAction());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* f1 = help->addAction(QStringLiteral("&Help"));
    connect(f1, &QAction::triggered, this, [this] { ContextHelp(); });
    f1->setShortcut(QKeySequence::HelpContents);
}

void TWorkbench::FillRecentMenu()
{
    recentMenu_->clear();
    recent_ = ReadRecentCases();
    if (recent_.isEmpty()) recentMenu_->addAction(QStringLiteral("No recent cases"))->setEnabled(false);
    int n = 0;
    for (const QString& path : recent_) {
        // "&1 Line 3.merivane", the folder in the tooltip
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(QFileInfo(path).fileName()));
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] { form_.Guarded([&] { form_.CaseCommands()->OpenFile(path); }); });
    }
}

void TWorkbench::PinReference()
{
    if (form_.InputPending()) form_.bEvaluateClick();
    const std::string name = form_.CaseCommands()->CaseName();
    compare_->SetReference(doc_->Snapshot(), QStringLiteral("the case as pinned (%1)")
                                                 .arg(name.empty() ? QStringLiteral("Untitled") : QString::fromStdString(name)));
}

void TWorkbench::CompareWith()
{
    const QString path = form_.ResultActions()->AskOpenPath(
        QStringLiteral("Compare With"), QStringLiteral("Merivane case (*.merivane);;JSON export (*.json);;All files (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        form_.ReportError(QStringLiteral("Unable to open the case %1: %2").arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.read(present::kMaxCaseFileBytes + 1);
    if (bytes.size() > present::kMaxCaseFileBytes) {
        form_.ReportError(QStringLiteral("Unable to open the case %1: larger than a case file can be").arg(path));
        return;
    }
    const present::TCaseReadResult read = present::ReadCaseFile(bytes.toStdString());
    if (!read.ok) {
        form_.ReportError(QStringLiteral("Unable to open the case %1: %2").arg(path, QString::fromStdString(read.error)));
        return;
    }
    compare_->SetReference(present::ComputeCase(read.c, 0), QFileInfo(path).fileName());
}

void TWorkbench::ContextHelp()
{
    // the section of the view that holds the focus
    for (QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget()) {
        if (auto* view = qobject_cast<TCaseView*>(w); view && !view->HelpAnchor().isEmpty()) {
            form_.ShowHelpTopic(view->HelpAnchor());
            return;
        }
    }
    form_.ShowHelpTopic(QStringLiteral("workbench"));
}

void TWorkbench::LoadLayout()
{
    const TWorkbenchLayout l = ReadWorkbenchLayout();
    if (!l.geometry.isEmpty()) restoreGeometry(l.geometry);
    else resize(1100, 720);
    if (!l.state.isEmpty()) {
        restoreState(l.state);
    } else if (auto* in = findChild<QDockWidget*>(QStringLiteral("wbDockInputs"))) {
        // the inputs as narrow as they go without scrolling across, the rest to the views
        resizeDocks({in}, {in->minimumSizeHint().width()}, Qt::Horizontal);
    }
    recent_ = ReadRecentCases();
}

void TWorkbench::SaveLayout()
{
    QString reason;
    if (!WriteWorkbenchLayout({saveGeometry(), saveState()}, &reason))
        qWarning("The Workbench's layout could not be saved: %s", qPrintable(reason));
}
