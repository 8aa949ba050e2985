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
#include <QEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace present = merivane::present;

TSweepPage::TSweepPage(const merivane::TModel& model, QWidget& owner, QTabWidget* tabs) : QWidget(tabs), model_(model)
{
    setObjectName(QStringLiteral("tsSweep"));
    setFont(owner.font());  // the page's texts are regular, unlike the tab captions
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs->addTab(this, QStringLiteral("Line Sweep"));
    setAccessibleName(QStringLiteral("Line Sweep"));
    Refresh();
}

TSweepView* TSweepPage::View()
{
    if (!view_) {
        view_ = new TSweepView(TSweepView::Kind::Page, this);
        layout()->addWidget(view_);
        Attach(view_);
        view_->ShowInputs(in_);
        view_->ShowRows(Rows(), present::SweepStatus(result_));
        if (isVisible()) view_->show();
    }
    return view_;
}

void TSweepPage::showEvent(QShowEvent* event)
{
    View();
    QWidget::showEvent(event);
}

TSweepPage::~TSweepPage() = default;

void TSweepPage::Attach(TSweepView* view)
{
    connect(view, &TSweepView::FieldLeft, this, [this, view](SweepField f) { ReadField(view, f); });
    connect(view, &TSweepView::LineChosen, this, [this, view](int index) { LineChosen(view, index); });
    connect(view, &TSweepView::EnlargeClicked, this, [this] {
        if (enlarge_) enlarge_();
    });
    connect(view, &TSweepView::ChartShown, this, [this, view] { UpdateChart(view); });
}

std::vector<TSweepView*> TSweepPage::Views() const
{
    std::vector<TSweepView*> v;
    if (view_) v.push_back(view_);
    v.insert(v.end(), extra_.begin(), extra_.end());
    return v;
}

merivane::TSweepCase TSweepPage::Case() const
{
    if (!case_) return merivane::TSweepCase{model_, in_};
    // the line's loss over the page's line: the source end sees Gl e^(-2 alpha L)
    const present::TGuideResult guide = present::ComputeGuide(model_, in_, case_().guide);
    return merivane::TSweepCase{model_, in_, guide.loss.PassFactor};
}

present::TTubeResult TSweepPage::Tube() const
{
    return present::ComputeTube(model_, in_, case_ ? case_().tube : present::DefaultTubeCase());
}

present::PowerUnit TSweepPage::Unit() const { return unit_ ? unit_() : present::PowerUnit::Watts; }

std::vector<present::TSweepRow> TSweepPage::Rows() const { return present::SweepRows(result_, Unit()); }

void TSweepPage::SetInputs(const merivane::TSweepInputs& in)
{
    in_ = in;
    InputsChanged();
}

void TSweepPage::ReadField(TSweepView* view, SweepField f)
{
    if (busy_ > 0) return;
    ++busy_;
    TakeEntry(f, view->Field(f)->text().toStdString(), view->Field(f)->isModified());  // not a Tab through it
    InputsChanged();
    --busy_;
    if (changed_) changed_();
}

void TSweepPage::TakeEntry(SweepField f, const std::string& text, bool entered)
{
    const present::TReading reading = ReadSweepField(in_, f, text);
    if (!entered) return;
    // as in the window: a note on what was not taken as typed, until the next entry
    std::string& note = notes_[static_cast<std::size_t>(f)];
    note = present::EntryNote(*SweepFieldSpec(f).inputRow, text, reading);
    for (TSweepView* v : Views()) SetEntryNote(v->Field(f), note);
}

void TSweepPage::CommitPendingInput()
{
    if (busy_ > 0) return;
    // every pending text first: a refresh writes every view's fields back
    std::vector<std::pair<SweepField, std::string>> pending;
    for (TSweepView* v : Views())
        for (const TSweepFieldSpec& s : SweepFields())
            if (v->Field(s.field)->isModified()) pending.emplace_back(s.field, v->Field(s.field)->text().toStdString());
    if (pending.empty()) return;
    ++busy_;
    for (const auto& [f, text] : pending) TakeEntry(f, text, true);
    InputsChanged();
    --busy_;
    if (changed_) changed_();
}

void TSweepPage::LineChosen(TSweepView*, int index)
{
    const auto types = merivane::LineTypes();
    if (index < 0 || static_cast<std::size_t>(index) >= types.size()) return;
    in_.Line = types[static_cast<std::size_t>(index)].type;
    InputsChanged();
    if (changed_) changed_();
}

void TSweepPage::InputsChanged()
{
    for (TSweepView* v : Views()) v->ShowInputs(in_);
    Refresh();
}

void TSweepPage::Refresh()
{
    // The readouts now, from the sweep's figures; the curves of a chart in
    // sight when the event loop next runs, before the paint: a burst of
    // changes (undo steps, a drag) draws them once.
    result_ = merivane::CalcLineSweep(Case(), 0);
    const auto rows = Rows();
    const std::string status = present::SweepStatus(result_);
    bool charted = false;
    for (TSweepView* v : Views()) {
        v->ShowRows(rows, status);
        v->chartStale = true;
        charted = charted || (v->Chart() && v->isVisible());
    }
    if (charted && !chartsDue_) {
        chartsDue_ = true;
        QMetaObject::invokeMethod(this, &TSweepPage::UpdateCharts, Qt::QueuedConnection);
    }
}

void TSweepPage::UpdateCharts()
{
    chartsDue_ = false;
    for (TSweepView* v : Views())
        if (v->chartStale && v->Chart() && v->isVisible()) UpdateChart(v);
}

void TSweepPage::UpdateChart(TSweepView* view)
{
    if (!view->Chart()) return;
    if (result_.X.empty()) result_ = merivane::CalcLineSweep(Case());
    const present::TTubeResult tube = Tube();
    view->Chart()->ShowSweep(Case(), result_, Unit(), model_.CplIdeal, &tube);
    view->chartStale = false;
}

void TSweepPage::AddView(TSweepView* view)
{
    extra_.push_back(view);
    connect(view, &QObject::destroyed, this, [this, view] { std::erase(extra_, view); });
    Attach(view);
    for (const TSweepFieldSpec& f : SweepFields())
        if (!notes_[static_cast<std::size_t>(f.field)].empty())
            SetEntryNote(view->Field(f.field), notes_[static_cast<std::size_t>(f.field)]);
    view->ShowInputs(in_);
    if (result_.X.empty() && view->Chart()) result_ = merivane::CalcLineSweep(Case());
    view->ShowRows(Rows(), present::SweepStatus(result_));
    view->chartStale = true;
}

QString TSweepPage::SettingsPath() const
{
    return merivane::env::UserDataDir + QString::fromLatin1(kSweepSettingsFile);
}

void TSweepPage::LoadSettings()
{
    ini_ = std::make_unique<merivane::TIniFile>(SettingsPath());
    SetInputs(ReadSweepSettings(*ini_));
}

void TSweepPage::SaveSettings()
{
    CommitPendingInput();
    if (!ini_) ini_ = std::make_unique<merivane::TIniFile>(SettingsPath());
    WriteSweepSettings(*ini_, in_);
}
