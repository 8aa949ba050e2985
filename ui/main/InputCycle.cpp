// Reading the inputs into the model, writing the normalised values back, and
// the evaluation cycle.
#include "CaseDocument.h"
#include "Conversions.h"
#include "EntryReader.h"
#include "InputValues.h"
#include "EntryMark.h"
#include "Look.h"
#include "NumberText.h"
#include "TForm1.h"
#include "UpDown.h"
#include "ui_TForm1.h"

#include <algorithm>
#include <cmath>

using merivane::TRefl;
namespace present = merivane::present;

namespace {

using ext = long double;

std::string Utf8(const QLineEdit* e) { return e->text().toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// Efficiency is entered in percent and stored as a fraction.
double Percent(double fraction) { return static_cast<double>(static_cast<ext>(fraction) * 100); }
double Fraction(double percent) { return static_cast<double>(static_cast<ext>(percent) / 100); }


// The index of the checked button of a unit group; kept when none is.
template <std::size_t N>
int CheckedIndex(const std::array<QRadioButton*, N>& group, int kept)
{
    for (std::size_t i = 0; i < N; ++i)
        if (group[i]->isChecked()) return static_cast<int>(i);
    return kept;
}

}  // namespace

TCaseState TForm1::WindowState() const { return WindowState(doc_->State().c.inputs); }

TCaseState TForm1::WindowState(const merivane::TInputs& inputs) const
{
    // what the window does not show (the line, the Workbench's inputs) stays as the case has it
    TCaseState s{doc_->State().c, {}};
    present::TCase& c = s.c;
    c.inputs = inputs;
    c.ideal = ui->chIdeal->isChecked();
    c.display = Display();
    c.factorUnit = CheckedIndex(controls_.factorUnit, c.factorUnit);
    c.measUnit = CheckedIndex(controls_.measUnit, c.measUnit);
    s.notes.assign(notes_.begin(), notes_.end());
    return s;
}

void TForm1::bEvaluateClick() { Cycle(doc_->State().c.inputs); }

// The evaluation cycle: the fields typed in are read into the inputs in
// force, and the case with them goes to the document, which computes it once
// and announces the results to both windows and every view.
void TForm1::Cycle(merivane::TInputs in)
{
    const TEntries entries = ReadInputs(in, false);
    NoteEntries(entries, in);
    doc_->Record(WindowState(in), QStringLiteral("Entry"), mergeId_);
}

void TForm1::StartCase(const merivane::TSweepInputs& line)
{
    merivane::TInputs in = present::DefaultCase().inputs;
    const TEntries entries = ReadInputs(in, true);
    NoteEntries(entries, in);
    TCaseState s = WindowState(in);
    s.c.line = line;
    doc_->Reset(s);  // what the window starts with is not a step
}

bool TForm1::InputPending() const
{
    return std::any_of(controls_.inputs.begin(), controls_.inputs.end(), [](const QLineEdit* e) { return e->isModified(); });
}

int TForm1::Representation(int field) const
{
    const QComboBox* list = field == static_cast<int>(present::Input::SrcMag)   ? ui->cbSrcRfl
                            : field == static_cast<int>(present::Input::LoaMag) ? ui->cbLoaRfl
                                                                                 : nullptr;
    return list ? list->currentIndex() : 0;
}

// A field is read only when it was typed in (or pasted, or stepped) since the
// program last wrote it: otherwise the value in force stays exactly as it
// is, whatever the field's text rounds it to.
TForm1::TEntries TForm1::ReadInputs(merivane::TInputs& in, bool all)
{
    TEntries entries;
    for (int i = 0; i < present::kMainInputCount; ++i) {
        QLineEdit* field = controls_.inputs[static_cast<std::size_t>(i)];
        TEntry& e = entries[static_cast<std::size_t>(i)];
        e.entered = field->isModified();
        if (!all && !e.entered) continue;
        // a list with no selection reads as Mag, and shows it
        if (QComboBox* list = i == static_cast<int>(present::Input::SrcMag)   ? ui->cbSrcRfl
                              : i == static_cast<int>(present::Input::LoaMag) ? ui->cbLoaRfl
                                                                               : nullptr;
            list && list->currentIndex() < 0)
            list->setCurrentIndex(0);
        const auto id = static_cast<present::Input>(i);
        const present::TInputRow& inputRow = present::InputRow(id);
        e.read = true;
        e.representation = Representation(i);
        e.typed = Utf8(field);
        const double inForce = present::ToField(inputRow, present::StoredValue(in, id, e.representation));
        e.reading = present::ReadEntry(inputRow, e.typed, inForce, e.representation);
        // a kept value is left exactly as it is: set again from its dB or SWR
        // (or its percent) it would come back a rounding away
        if (!e.reading.kept) present::SetFieldValue(in, id, e.reading.value, e.representation);
    }
    WriteInputs(entries, in);
    return entries;
}

// Each field read is written with a text that reads back to the value in
// force; its spinner follows the value without writing into the field.
void TForm1::WriteInputs(const TEntries& entries, const merivane::TInputs& in)
{
    for (int i = 0; i < present::kMainInputCount; ++i) {
        const TEntry& e = entries[static_cast<std::size_t>(i)];
        if (!e.read) continue;
        const auto id = static_cast<present::Input>(i);
        const present::TInputRow& inputRow = present::InputRow(id);
        QLineEdit* field = controls_.inputs[static_cast<std::size_t>(i)];
        field->setText(Q(present::EntryText(inputRow, present::StoredValue(in, id, e.representation), e.representation)));
        for (const TSpinnerSpec& s : controls_.spinners)
            if (s.field == field) SyncSpinner(s.spinner, present::ToField(inputRow, present::StoredValue(in, id)));
    }
}

void TForm1::WriteReflInput(const TRefl& r, QComboBox* selector, QLineEdit* edit)
{
    switch (selector->currentIndex()) {
    case 1: edit->setText(Q(merivane::FormatReal(r.Rloss, 2))); break;
    case 2: edit->setText(Q(merivane::FormatReal(r.Swr, 3))); break;
    default: edit->setText(Q(merivane::FormatReal3(r.Mag))); break;
    }
}

// The spinner's position: the value limited to its range, rounded to the
// nearest whole number (ties to even), then down to its step toward zero.
void TForm1::SyncSpinner(TUpDown* spinner, double value)
{
    const double c = merivane::ClampReal(spinner->Min(), value, spinner->Max());
    const int n = static_cast<int>(std::nearbyint(c));  // ties to even
    const int step = spinner->Increment() > 0 ? spinner->Increment() : 1;
    spinner->SetPosition((n / step) * step);
}

void TForm1::TreatEdDire()
{
    const bool on = !ui->chIdeal->isChecked();
    ui->edDire->setEnabled(on);
    ui->udDire->setEnabled(on);
    SetBackground(ui->edDire, on ? InputColour() : ButtonFace());
}

// ------------------------------------------------------------------ handlers

void TForm1::edSrcPhaExit() { bEvaluateClick(); }

// The cycle reads the magnitude, edited since it was written.
void TForm1::edSrcMagExit() { bEvaluateClick(); }

void TForm1::edLoaMagExit() { bEvaluateClick(); }

// A spinner's step puts its value in force as it is, and is an entry of its
// field (text: what the field then shows; empty when the spinner writes it
// itself); the steps of one spinner in a row are one undo step.
void TForm1::Step(const std::function<void(merivane::TInputs&)>& set, QLineEdit* field, const QString& text,
                  int mergeId)
{
    merivane::TInputs in = doc_->State().c.inputs;
    set(in);
    if (!text.isEmpty()) field->setText(text);
    field->setModified(true);
    mergeId_ = mergeId;
    Cycle(in);
    mergeId_ = -1;
}

void TForm1::udEffClick()
{
    const double eff = Fraction(ui->udEff->Position());
    Step([eff](merivane::TInputs& in) { in.Eff = eff; }, ui->edEffic, Q(merivane::FormatReal3(Percent(eff))),
         kEffMerge);
}

void TForm1::udSrcPhaClick()
{
    const double pha = ui->udSrcPha->Position();
    Step([pha](merivane::TInputs& in) { in.SrcRfl.Pha = pha; }, ui->edSrcPha, Q(merivane::FormatReal3(pha)),
         kSrcPhaMerge);
}

void TForm1::udLoaPhaClick()
{
    const double pha = ui->udLoaPha->Position();
    Step([pha](merivane::TInputs& in) { in.LoaRfl.Pha = pha; }, ui->edLoaPha, Q(merivane::FormatReal3(pha)),
         kLoaPhaMerge);
}

void TForm1::udDireClick()
{
    const double dire = ui->udDire->Position();
    Step([dire](merivane::TInputs& in) { in.CplDirDb = dire; }, ui->edDire, QString(), kDireMerge);
}

// A new representation rewrites the field: a note on what was typed in the
// old one goes with it.
void TForm1::cbSrcRflChange()
{
    WriteReflInput(M.SrcRfl, ui->cbSrcRfl, ui->edSrcMag);
    SetEntryNote(ui->edSrcMag, notes_[static_cast<std::size_t>(present::Input::SrcMag)] = std::string());
    emit CaseChanged(QStringLiteral("Representation"));
}

void TForm1::cbLoaRflChange()
{
    WriteReflInput(M.LoaRfl, ui->cbLoaRfl, ui->edLoaMag);
    SetEntryNote(ui->edLoaMag, notes_[static_cast<std::size_t>(present::Input::LoaMag)] = std::string());
    emit CaseChanged(QStringLiteral("Representation"));
}

void TForm1::chIdealClick()
{
    TreatEdDire();
    emit CaseChanged(QStringLiteral("Ideal"));
}
