// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultActions.h"
#include "ReportSections.h"

#include "Environment.h"
#include "Export.h"
#include "ResultDialogs.h"
#include "SafeSave.h"
#include "TForm1.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QShortcut>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>

namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool WriteWhole(const QString& path, const std::string& text)
{
    return merivane::SaveWholeFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace

TResultActions::TResultActions(TForm1& form)
    : QObject(&form), form_(form), dialogs_(std::make_shared<TQtResultDialogs>()), folder_(QDir::homePath())
{
    const auto make = [this](const QString& text, const QKeySequence& keys, void (TResultActions::*run)()) {
        auto* a = new QAction(text, &form_);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setShortcutVisibleInContextMenu(true);
        form_.addAction(a);
        // every action runs guarded, like the window's handlers
        connect(a, &QAction::triggered, this, [this, run] { form_.Guarded([this, run] { (this->*run)(); }); });
        return a;
    };
    copyValue_ = make(QStringLiteral("Copy Value"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                      &TResultActions::CopyValueAtPointer);
    copyResults_ = make(QStringLiteral("Copy Results"), QKeySequence::Copy, &TResultActions::CopyResults);
    export_ = make(QStringLiteral("Export\u2026"), QKeySequence(Qt::CTRL | Qt::Key_E), &TResultActions::ExportCase);
    report_ = make(QStringLiteral("Report\u2026"), QKeySequence::Print, &TResultActions::Report);

    // A right-click that no control takes for itself (the input fields keep
    // their own text menus) reaches the window.
    form_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&form_, &QWidget::customContextMenuRequested, this, &TResultActions::ShowMenu);
    // Shift+F10 and the Menu key open the menus from the keyboard: the
    // control with the focus gets the request first (a field its text menu)
    auto* menuKey = new QShortcut(&form_);
    menuKey->setKeys({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    menuKey->setContext(Qt::WindowShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget* target = form_.focusWidget() ? form_.focusWidget() : &form_;
        const QPoint at = target->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
    });
}

TResultActions::~TResultActions() = default;

void TResultActions::SetDialogs(std::shared_ptr<IResultDialogs> dialogs) { dialogs_ = std::move(dialogs); }

void TResultActions::SetExtraRegion(std::function<present::TExtraRegion()> rows) { extra_ = std::move(rows); }

void TResultActions::SetChartPainter(TChartPainter chart) { chart_ = std::move(chart); }

void TResultActions::SetPendingInput(std::function<void()> take) { pending_ = std::move(take); }

present::TExtraRegion TResultActions::Extra() const { return extra_ ? extra_() : present::TExtraRegion{}; }

std::vector<present::TSection> TResultActions::Sections() const
{
    const present::TExtraRegion extra = Extra();
    const present::TSnapshot& snap = snapshot_();
    return present::CaseSections(snap.m, snap.c.display, &extra);
}

TReport TResultActions::MakeReport() const
{
    // the window's pages as tables; another page shows itself by its chart
    TReport r;
    // the window's pages, then a section for each view whose inputs the case sets
    r.sections = SnapshotSections(snapshot_());
    r.version = merivane::env::GetFileVersionString();
    r.when = QDateTime::currentDateTime();
    r.chart = chart_;
    r.smith = smith_;
    return r;
}

const present::TResultCell* TResultActions::CellAt(const QPoint& pos) const
{
    for (QWidget* w = form_.childAt(pos); w && w != &form_; w = w->parentWidget()) {
        const auto* frame = qobject_cast<QFrame*>(w);
        if (!frame) continue;
        const QString name = frame->objectName();
        for (const present::TResultCell& c : present::ResultCells())
            if (name == QLatin1String(c.panel)) return &c;
    }
    return nullptr;
}

std::unique_ptr<QMenu> TResultActions::MakeMenu(const QPoint& pos)
{
    auto menu = std::make_unique<QMenu>(&form_);
    if (CellAt(pos)) menu->addAction(copyValue_);
    menu->addAction(copyResults_);
    menu->addSeparator();
    if (open_ && save_ && saveAs_) {
        menu->addAction(open_);
        menu->addAction(save_);
        menu->addAction(saveAs_);
        if (measured_) menu->addAction(measured_);
        menu->addSeparator();
    }
    menu->addAction(export_);
    menu->addAction(report_);
    if (workbench_) {
        menu->addSeparator();
        menu->addAction(workbench_);
    }
    if (undo_ && redo_) {
        menu->addSeparator();
        menu->addAction(undo_);
        menu->addAction(redo_);
    }
    return menu;
}

void TResultActions::ShowMenu(const QPoint& pos)
{
    const std::unique_ptr<QMenu> menu = MakeMenu(pos);
    menuCell_ = CellAt(pos);
    menu->exec(form_.mapToGlobal(pos));
    menuCell_ = nullptr;
}

void TResultActions::EvaluatePendingInput()
{
    // what was typed and not yet taken is taken first, as leaving it would
    if (pending_) pending_();
}

void TResultActions::CopyResults()
{
    EvaluatePendingInput();
    const std::vector<present::TSection> sections = Sections();
    auto* mime = new QMimeData;
    mime->setText(Q(present::CaseTsv(sections)));
    mime->setHtml(Q(present::CaseHtml(sections)));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TResultActions::CopyValue(const present::TResultCell& cell)
{
    EvaluatePendingInput();
    const present::TSnapshot& snap = snapshot_();
    QGuiApplication::clipboard()->setText(Q(present::CellValue(cell, snap.m, snap.c.display).Joined()));
}

void TResultActions::CopyValueAtPointer()
{
    // the cell the menu was opened on, or by the shortcut the one under the pointer
    const present::TResultCell* cell = menuCell_ ? menuCell_ : CellAt(form_.mapFromGlobal(QCursor::pos()));
    if (cell) CopyValue(*cell);
}

QString TResultActions::AskPath(const QString& caption, const QString& name, const QString& filters, QString* filter)
{
    const QString path = dialogs_->SaveFile(&form_, caption, QDir(folder_).filePath(name), filters, filter);
    if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
    return path;
}

QString TResultActions::AskOpenPath(const QString& caption, const QString& filters)
{
    const QString path = dialogs_->OpenFile(&form_, caption, folder_, filters);
    if (!path.isEmpty()) folder_ = QFileInfo(path).absolutePath();
    return path;
}

void TResultActions::ExportCase()
{
    EvaluatePendingInput();
    QString filter;
    QString path = AskPath(QStringLiteral("Export"), QStringLiteral("Merivane.csv"),
                           QStringLiteral("CSV (*.csv);;JSON (*.json)"), &filter);
    if (path.isEmpty()) return;
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) {  // the chosen filter gives the form
        suffix = filter.contains(QLatin1String("json")) ? QStringLiteral("json") : QStringLiteral("csv");
        path += QLatin1Char('.') + suffix;
    }
    if (suffix != QLatin1String("csv") && suffix != QLatin1String("json")) {
        form_.ReportError(QStringLiteral("Export writes CSV or JSON: choose a file name ending in .csv or .json, not %1")
                              .arg(QFileInfo(path).fileName()));
        return;
    }
    const present::TExtraRegion extra = Extra();
    const present::TSnapshot& snap = snapshot_();
    const std::string text = suffix == QLatin1String("json") ? present::CaseJson(snap.m, snap.c.display, &extra)
                                                             : present::CaseCsv(snap.m, snap.c.display, &extra);
    if (!WriteWhole(path, text)) form_.ReportError(QStringLiteral("Unable to write to ") + path);
}

void TResultActions::Report()
{
    EvaluatePendingInput();
    QString path = AskPath(QStringLiteral("Report"), QStringLiteral("Merivane report.pdf"), QStringLiteral("PDF (*.pdf)"),
                           nullptr);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    const TReport report = MakeReport();
    if (!WriteReportPdf(path, report)) {
        form_.ReportError(QStringLiteral("Unable to write to ") + path);
        return;
    }
    if (!dialogs_->OfferPrint(&form_, path)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Merivane report"));
    if (!dialogs_->SetUpPrinter(&form_, printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        form_.ReportError(QStringLiteral("Unable to print the report"));
        return;
    }
    PaintReport(painter, printer.paperRect(QPrinter::DevicePixel), report);
    painter.end();
}
