// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's window: its docks, the views in them, and the way a change
// goes through. A view asks for a change with the whole case; the case
// document records it as an undo step and puts it in force; the main window
// shows it; every view shows the snapshot the document announces.
#include "Workbench.h"

#include "CaseCommands.h"
#include "CaseDocument.h"
#include "CaseView.h"
#include "CompareView.h"
#include "InputPanel.h"
#include "InputValues.h"
#include "Look.h"
#include "ResultActions.h"
#include "SmithPainter.h"
#include "SweepPage.h"
#include "SweepView.h"
#include "TForm1.h"
#include "WorkbenchSettings.h"
#include "WorkbenchViews.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QUndoStack>

namespace present = merivane::present;

namespace {

// The Workbench of each main window, kept on it.
constexpr const char* kProperty = "merivaneWorkbench";

// The notes the main window's fields carry stay while their values do.
void KeepNotes(TCaseState& s, const present::TCase& next)
{
    for (int i = 0; i < present::kMainInputCount && static_cast<std::size_t>(i) < s.notes.size(); ++i) {
        const auto id = static_cast<present::Input>(i);
        if (present::StoredValue(s.c.inputs, id) != present::StoredValue(next.inputs, id))
            s.notes[static_cast<std::size_t>(i)].clear();
    }
    s.c = next;
}

// A view in its dock: it scrolls rather than holding the window larger than
// a small screen. The inputs keep the width of their content, in whatever
// style and font they have now; the other views arrange themselves and may
// scroll across too.
class TDockScroll final : public QScrollArea {
public:
    TDockScroll(QWidget* view, bool keepWidth) : keepWidth_(keepWidth)
    {
        setObjectName(view->objectName() + QStringLiteral("Scroll"));
        setWidget(view);
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setFocusProxy(view);
        if (keepWidth) {
            setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        }
    }
    QSize minimumSizeHint() const override
    {
        QSize s = QScrollArea::minimumSizeHint();
        if (keepWidth_ && widget())
            s.setWidth(widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
        return s;
    }

private:
    bool keepWidth_;
};

}  // namespace

TWorkbench::TWorkbench(TForm1& form) : QMainWindow(nullptr), form_(form), doc_(form.Document())
{
    setObjectName(QStringLiteral("wbWindow"));
    setDockNestingEnabled(true);
    setDockOptions(AnimatedDocks | AllowNestedDocks | AllowTabbedDocks);
    MakeDocks();
    MakeMenus();
    ApplyDesktopLook(this);
    LoadLayout();

    connect(doc_, &TCaseDocument::Changed, this, &TWorkbench::Show);
    connect(doc_->Stack(), &QUndoStack::cleanChanged, this, &TWorkbench::UpdateTitle);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TWorkbench::SaveLayout);
    Show(doc_->Snapshot());
    UpdateTitle();
}

TWorkbench::~TWorkbench() = default;

void TWorkbench::MakeDocks()
{
    const auto dock = [this](const QString& title, const QString& name, QWidget* content, bool keepWidth = false) {
        auto* d = new QDockWidget(title, this);
        d->setObjectName(name);
        d->setAccessibleName(title);
        if (content) d->setWidget(new TDockScroll(content, keepWidth));
        return d;
    };
    inputs_ = new TInputPanel;
    QDockWidget* in = dock(QStringLiteral("Inputs"), QStringLiteral("wbDockInputs"), inputs_, true);
    // the inputs and the views share one area, side by side: a wider window
    // widens the views, which expand, and leaves the inputs as they are
    in->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    addDockWidget(Qt::RightDockWidgetArea, in);
    docks_.push_back({QStringLiteral("Inputs"), in, inputs_, nullptr});
    Attach(inputs_);

    // the Line Sweep, roomy: a view of the case like the others
    sweep_ = new TSweepPage;
    sweep_->ShareNotes(form_.SweepPage()->Notes());
    sweep_->View()->setAccessibleName(QStringLiteral("Line Sweep"));
    QDockWidget* sw = dock(QStringLiteral("Line Sweep"), QStringLiteral("wbDockSweep"), sweep_);
    splitDockWidget(in, sw, Qt::Horizontal);
    docks_.push_back({QStringLiteral("Line Sweep"), sw, sweep_, nullptr});
    Attach(sweep_);

    compare_ = new TCompareView;
    QDockWidget* cmp = dock(QStringLiteral("Compare"), QStringLiteral("wbDockCompare"), compare_);
    addDockWidget(Qt::RightDockWidgetArea, cmp);
    tabifyDockWidget(sw, cmp);
    docks_.push_back({QStringLiteral("Compare"), cmp, compare_, nullptr});
    Attach(compare_);
    connect(compare_, &TCompareView::ReferenceSet, this, [this] { ShowView(QStringLiteral("Compare")); });

    // the other views: a dock each, its view made when the dock is first shown
    for (const TViewEntry& e : WorkbenchViews()) {
        QDockWidget* d = dock(e.title, e.objectName, nullptr);
        addDockWidget(Qt::RightDockWidgetArea, d);
        tabifyDockWidget(sw, d);
        docks_.push_back({e.title, d, nullptr, e.make});
        connect(d, &QDockWidget::visibilityChanged, this, [this, title = e.title](bool visible) {
            if (visible) View(title);
        });
    }
    sw->raise();
}

QDockWidget* TWorkbench::Dock(const QString& title) const
{
    for (const TDockedView& d : docks_)
        if (d.title == title) return d.dock;
    return nullptr;
}

QStringList TWorkbench::ViewTitles() const
{
    QStringList titles;
    for (const TDockedView& d : docks_) titles << d.title;
    return titles;
}

TCaseView* TWorkbench::View(const QString& title)
{
    for (TDockedView& d : docks_) {
        if (d.title != title) continue;
        if (!d.view && d.make) {
            d.view = d.make(d.dock);
            d.view->setAccessibleName(title);
            ApplyDesktopLook(d.view);
            d.dock->setWidget(new TDockScroll(d.view, false));
            Attach(d.view);
        }
        return d.view;
    }
    return nullptr;
}

bool TWorkbench::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* field = qobject_cast<QLineEdit*>(watched);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
        // left unaccepted: the window's shortcut, the case's step, runs
        if (field && ((undo && !field->isUndoAvailable()) || (redo && !undo && !field->isRedoAvailable()))) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TWorkbench::Attach(TCaseView* view)
{
    for (QLineEdit* field : view->findChildren<QLineEdit*>()) field->installEventFilter(this);
    connect(view, &TCaseView::Edited, this, [this](const present::TCase& c, const QString& what, int mergeId) {
        form_.Guarded([&] {
            TCaseState s = doc_->State();
            KeepNotes(s, c);
            doc_->Edit(s, what, mergeId);
        });
    });
    view->ShowSnapshot(doc_->Snapshot());
}

void TWorkbench::Show(const present::TSnapshot& s)
{
    for (const TDockedView& d : docks_)
        if (d.view) d.view->ShowSnapshot(s);
    UpdateTitle();
}

void TWorkbench::UpdateTitle()
{
    const std::string name = form_.CaseCommands()->CaseName();
    const QString shown = name.empty() ? QStringLiteral("Untitled") : QString::fromStdString(name);
    // "[*]" is where Qt writes the "*" of an unsaved case
    setWindowTitle(shown + QStringLiteral("[*] - Merivane Workbench"));
    setWindowModified(!doc_->Stack()->isClean());
}

void TWorkbench::ShowView(const QString& title)
{
    if (!isVisible()) {
        show();
        // a window that fits the screen of the main window
        if (const QScreen* screen = form_.screen()) {
            const QRect area = screen->availableGeometry();
            if (!area.contains(frameGeometry())) setGeometry(area.adjusted(area.width() / 10, area.height() / 10,
                                                                            -area.width() / 10, -area.height() / 10));
        }
    }
    if (QDockWidget* d = Dock(title)) {
        d->show();
        d->raise();
        View(title);
        if (d->widget()) d->widget()->setFocus();
    }
    raise();
    activateWindow();
}

void TWorkbench::closeEvent(QCloseEvent* event)
{
    SaveLayout();
    event->accept();  // hidden; the main window and the case go on
}

void InstallWorkbench(TForm1& form)
{
    // every case opened or saved, in either window, joins the recent list
    form.CaseCommands()->SetFileListener([&form](const QString& path) {
        QString reason;
        if (!NoteRecentCase(path, &reason))
            form.ReportWarning(QStringLiteral("The list of recent cases could not be saved to %1: %2")
                                   .arg(WorkbenchSettingsPath(), reason));
        if (TWorkbench* wb = WorkbenchOf(form)) wb->UpdateTitle();
    });
    // the window's report carries the case's Smith chart, as merivane-calc's does
    form.ResultActions()->SetSmithPainter([&form](QPainter& p, const QRectF& r) {
        merivane::smith::PaintSmithReport(p, r, form.Document()->Snapshot());
    });
    form.SetWorkbenchOpener([&form](const QString& view) {
        TWorkbench* wb = WorkbenchOf(form);
        if (!wb) {
            // a window of its own, not a child: the main window's own
            // searches for its controls never meet the Workbench's
            wb = new TWorkbench(form);
            form.setProperty(kProperty, QVariant::fromValue(static_cast<QObject*>(wb)));
            QObject::connect(&form, &QObject::destroyed, wb, [wb] { delete wb; });
            QObject::connect(&form, &TForm1::Closed, wb, &QWidget::close);
        }
        wb->ShowView(view);
    });
}

TWorkbench* WorkbenchOf(const TForm1& form)
{
    return qobject_cast<TWorkbench*>(form.property(kProperty).value<QObject*>());
}

TSweepView* TWorkbench::SweepView() const { return sweep_->View(); }
