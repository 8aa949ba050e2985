// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepPage.h"

#include "EntryMark.h"
#include "EntryReader.h"
#include "Environment.h"
#include "IniFile.h"
#include "SweepChartApi.h"
#include "SweepSettings.h"
#include "SweepView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace present = merivane::present;

namespace {

// What a page shows before the first snapshot: the defaults, nothing swept.
const present::TSnapshot& NoSnapshot()
{
    static const present::TSnapshot none;
    return none;
}

const present::TSnapshot& Shown(const present::TSnapshot* s) { return s ? *s : NoSnapshot(); }

}  // namespace

TSweepPage::TSweepPage(QWidget& owner, QTabWidget* tabs) : TCaseView(tabs)
{
    setObjectName(QStringLiteral("tsSweep"));
    setFont(owner.font());  // the page's texts are regular, unlike the tab captions
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs->addTab(this, QStringLiteral("Line Sweep"));
    setAccessibleName(QStringLiteral("Line Sweep"));
}

TSweepPage::TSweepPage(QWidget* parent) : TCaseView(parent), roomy_(true)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    View();
}

TSweepPage::~TSweepPage() = default;

TSweepView* TSweepPage::View()
{
    if (!view_) {
        view_ = new TSweepView(roomy_ ? TSweepView::Kind::Window : TSweepView::Kind::Page, this);
        layout()->addWidget(view_);
        Attach(view_);
        ShowNotes();
        view_->ShowInputs(Inputs());
        view_->ShowRows(Rows(), present::SweepStatus(Result()));
        if (isVisible()) view_->show();
    }
    return view_;
}

void TSweepPage::showEvent(QShowEvent* event)
{
    View();
    TCaseView::showEvent(event);
}

void TSweepPage::Attach(TSweepView* view)
{
    connect(view, &TSweepView::FieldLeft, this, [this, view](SweepField f) {
        // a Tab through the field is no entry: nothing noted, nothing changed
        TakeEntries({{f, view->Field(f)->text().toStdString()}}, view->Field(f)->isModified());
    });
    connect(view, &TSweepView::LineChosen, this, &TSweepPage::LineChosen);
    connect(view, &TSweepView::EnlargeClicked, this, [this] {
        if (enlarge_) enlarge_();
    });
    connect(view, &TSweepView::ChartShown, this, &TSweepPage::UpdateChart);
}

const merivane::TSweepInputs& TSweepPage::Inputs() const { return Shown(snapshot_).c.line; }
merivane::TSweepCase TSweepPage::Case() const { return Shown(snapshot_).sweepCase; }
const merivane::TSweepResult& TSweepPage::Result() const { return Shown(snapshot_).sweep; }
present::PowerUnit TSweepPage::Unit() const { return Shown(snapshot_).c.display.power; }

std::vector<present::TSweepRow> TSweepPage::Rows() const { return present::SweepRows(Result(), Unit()); }

void TSweepPage::ShareNotes(std::shared_ptr<TNotes> notes)
{
    notes_ = std::move(notes);
    if (view_) ShowNotes();
}

void TSweepPage::ShowNotes()
{
    for (const TSweepFieldSpec& f : SweepFields()) {
        const std::string& note = (*notes_)[static_cast<std::size_t>(f.field)];
        if (note.empty() && !HasEntryMark(view_->Field(f.field))) continue;
        SetEntryNote(view_->Field(f.field), note);
    }
}

void TSweepPage::ShowSnapshot(const present::TSnapshot& s)
{
    snapshot_ = &s;
    if (!view_) return;  // made, and filled, when first shown
    ShowNotes();
    view_->ShowInputs(s.c.line);
    view_->ShowRows(Rows(), present::SweepStatus(s.sweep));
    view_->chartStale = true;
    // the curves of a chart in sight when the event loop next runs, before
    // the paint: a burst of changes (undo steps, a drag) draws them once
    if (view_->Chart() && view_->isVisible() && !chartDue_) {
        chartDue_ = true;
        QMetaObject::invokeMethod(this, &TSweepPage::UpdateChart, Qt::QueuedConnection);
    }
}

void TSweepPage::UpdateChart()
{
    chartDue_ = false;
    if (!view_ || !view_->Chart() || !view_->chartStale || !snapshot_) return;
    view_->Chart()->ShowSweep(snapshot_->sweepCase, snapshot_->sweep, Unit(), snapshot_->m.CplIdeal, &snapshot_->tube);
    view_->chartStale = false;
}

void TSweepPage::TakeEntries(const std::vector<std::pair<SweepField, std::string>>& entries, bool entered)
{
    if (busy_ > 0 || entries.empty()) return;
    ++busy_;
    merivane::TSweepInputs line = Inputs();
    for (const auto& [f, text] : entries) {
        const present::TReading reading = ReadSweepField(line, f, text);
        if (!entered) continue;
        // as in the window: a note on what was not taken as typed, until the next entry
        std::string& note = (*notes_)[static_cast<std::size_t>(f)];
        note = present::EntryNote(*SweepFieldSpec(f).inputRow, text, reading);
        if (view_) {
            SetEntryNote(view_->Field(f), note);
            view_->Field(f)->setModified(false);  // taken: the line in force is written back
        }
    }
    if (entered) Propose(line);
    // a text that reads back to the line in force shows it as it is
    if (view_ && line == Inputs()) view_->ShowInputs(Inputs());
    --busy_;
}

void TSweepPage::CommitPendingInput()
{
    if (!view_) return;
    std::vector<std::pair<SweepField, std::string>> pending;
    for (const TSweepFieldSpec& s : SweepFields())
        if (view_->Field(s.field)->isModified()) pending.emplace_back(s.field, view_->Field(s.field)->text().toStdString());
    TakeEntries(pending, true);
}

void TSweepPage::LineChosen(int index)
{
    const auto types = merivane::LineTypes();
    if (index < 0 || static_cast<std::size_t>(index) >= types.size()) return;
    merivane::TSweepInputs line = Inputs();
    line.Line = types[static_cast<std::size_t>(index)].type;
    Propose(line);
}

void TSweepPage::Propose(const merivane::TSweepInputs& line)
{
    if (!snapshot_ || line == snapshot_->c.line) return;
    present::TCase c = snapshot_->c;
    c.line = line;
    emit Edited(c, QStringLiteral("Line Sweep"), -1);
}

QString TSweepPage::SettingsPath() const
{
    return merivane::env::UserDataDir + QString::fromLatin1(kSweepSettingsFile);
}

merivane::TSweepInputs TSweepPage::LoadSettings()
{
    ini_ = std::make_unique<merivane::TIniFile>(SettingsPath());
    return ReadSweepSettings(*ini_);
}

void TSweepPage::SaveSettings()
{
    CommitPendingInput();
    if (!ini_) ini_ = std::make_unique<merivane::TIniFile>(SettingsPath());
    WriteSweepSettings(*ini_, Inputs());
}
