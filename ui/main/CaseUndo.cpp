// SPDX-License-Identifier: GPL-3.0-or-later
// The window's case and its undo steps: each change the user makes (an entry
// taken, a spinner's steps, a list, a unit, "Ideal", the Line Sweep's
// inputs) is one step; Undo and Redo put a state back and show it whole.
#include "CaseDocument.h"
#include "EntryMark.h"
#include "EntryReader.h"
#include "GuideInputs.h"
#include "InputValues.h"
#include "ResultActions.h"
#include "SweepPage.h"
#include "TForm1.h"
#include "UpDown.h"
#include "ui_TForm1.h"

#include <QAction>
#include <QSignalBlocker>
#include <QUndoStack>

#include <vector>

namespace present = merivane::present;

namespace {

// Selects one button of a group as the program does: no handler runs.
template <std::size_t N>
void Select(const std::array<QRadioButton*, N>& group, int index)
{
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QRadioButton* rb : group) quiet.push_back(std::make_unique<QSignalBlocker>(rb));
    if (index >= 0 && static_cast<std::size_t>(index) < N) group[static_cast<std::size_t>(index)]->setChecked(true);
}

int PowerIndex(present::PowerUnit u)
{
    switch (u) {
    case present::PowerUnit::Dbm: return 1;
    case present::PowerUnit::DbW: return 2;
    case present::PowerUnit::DbkW: return 3;
    default: return 0;
    }
}

}  // namespace

void TForm1::MakeUndo()
{
    doc_ = new TCaseDocument(this);
    undo_ = doc_->Stack()->createUndoAction(this, QStringLiteral("Undo"));
    undo_->setShortcuts(QKeySequence::Undo);
    redo_ = doc_->Stack()->createRedoAction(this, QStringLiteral("Redo"));
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* a : {undo_, redo_}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(doc_, &TCaseDocument::Restored, this, [this](const TCaseState& s) { Guarded([&] { ApplyState(s); }); });
    connect(doc_, &TCaseDocument::Changed, this,
            [this](const present::TSnapshot& s) { Guarded([&] { ShowSnapshot(s); }); });
    connect(this, &TForm1::CaseChanged, this, &TForm1::RecordChange);
    actions_->SetEditActions(undo_, redo_);
    // the page's line goes into the case as a view's edit does
    connect(sweep_, &TCaseView::Edited, this, [this](const present::TCase& c, const QString& what, int mergeId) {
        Guarded([&] {
            TCaseState s = doc_->State();
            s.c = c;
            doc_->Edit(s, what, mergeId);
        });
    });
}

void TForm1::ShowSnapshot(const present::TSnapshot& s)
{
    M = s.m;  // the window's model is the snapshot's: it is never computed here
    ShowResults();
    // a measured load's fields say where their values come from
    const std::string measured = s.c.measured ? present::MeasuredNote(*s.c.measured, s.measured) : std::string();
    for (present::Input id : {present::Input::LoaMag, present::Input::LoaPha}) {
        const auto k = static_cast<std::size_t>(id);
        SetMeasuredNote(controls_.inputs[k], measured, notes_[k]);
    }
    ShowLineLossNote(present::LineLossNote(s.guide.loss));
    sweep_->ShowSnapshot(s);
    emit ResultsRendered();
}

// With a lossy line the Transmission page's note says so first: its powers
// are at the load, through the line. The note wraps then, to hold both.
void TForm1::ShowLineLossNote(const std::string& note)
{
    if (memoText_.isEmpty()) memoText_ = ui->Memo1->toPlainText();
    const QString text = note.empty() ? memoText_
                                      : QStringLiteral("Note: %1.\nMin & Max values result from all possible phases "
                                                       "of the source and load reflection coefficients.")
                                            .arg(QString::fromStdString(note));
    if (ui->Memo1->toPlainText() == text) return;
    ui->Memo1->setLineWrapMode(note.empty() ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    ui->Memo1->setPlainText(text);
}

void TForm1::MakeWorkbenchAction()
{
    workbench_ = new QAction(QStringLiteral("Workbench"), this);
    workbench_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    workbench_->setShortcutContext(Qt::WindowShortcut);
    addAction(workbench_);
    connect(workbench_, &QAction::triggered, this, [this] { Guarded([this] { OpenWorkbench(); }); });
    actions_->SetWorkbenchAction(workbench_);
}

void TForm1::OpenWorkbench(const QString& view)
{
    if (InputPending()) bEvaluateClick();  // what was typed is in the case the Workbench shows
    if (openWorkbench_) openWorkbench_(view);
}

void TForm1::RecordChange(const QString& text)
{
    if (applying_ > 0 || !doc_) return;
    doc_->Record(WindowState(), text, mergeId_);
}

void TForm1::ApplyState(const TCaseState& s)
{
    ++applying_;
    const present::TCase& c = s.c;
    const merivane::TInputs& in = c.inputs;

    const std::pair<QComboBox*, int> lists[] = {{ui->cbSrcRfl, c.display.srcRfl}, {ui->cbLoaRfl, c.display.loaRfl},
                                                {ui->cbSrcMism, c.display.srcMism}, {ui->cbLoaMism, c.display.loaMism},
                                                {ui->cbMeaRfl, c.display.meaRfl}};
    for (const auto& [list, index] : lists) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
    Select(controls_.powerUnit, PowerIndex(c.display.power));
    Select(controls_.factorUnit, c.factorUnit);
    Select(controls_.measUnit, c.measUnit);
    {
        const QSignalBlocker quiet(ui->chIdeal);
        ui->chIdeal->setChecked(c.ideal);
    }
    TreatEdDire();

    // every field shows its value in force, with the note it had then
    for (int i = 0; i < present::kMainInputCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const auto id = static_cast<present::Input>(i);
        QLineEdit* field = controls_.inputs[k];
        const int representation = Representation(i);
        field->setText(QString::fromStdString(
            present::EntryText(present::InputRow(id), present::StoredValue(in, id, representation), representation)));
        for (const TSpinnerSpec& sp : controls_.spinners)
            if (sp.field == field) SyncSpinner(sp.spinner, present::ToField(present::InputRow(id), present::StoredValue(in, id)));
        notes_[k] = k < s.notes.size() ? s.notes[k] : std::string();
        SetEntryNote(field, notes_[k]);
        notedValues_[k] = present::StoredValue(in, id);
    }
    // the results follow with the snapshot the document announces next
    --applying_;
}
