// Reading the inputs into the model, writing the normalised values back, and
// the evaluation cycle.
#include "Conversions.h"
#include "EntryReader.h"
#include "InputValues.h"
#include "CouplerMeas.h"
#include "EntryMark.h"
#include "Look.h"
#include "NumberText.h"
#include "TForm1.h"
#include "Transmission.h"
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

}  // namespace

void TForm1::bEvaluateClick() { Cycle(false); }

void TForm1::Cycle(bool all)
{
    const TEntries entries = ReadInputs(all);
    NoteEntries(entries);
    merivane::CalcTransmission(M, ui->chIdeal->isChecked());
    ShowResults();
    emit ResultsRendered();
    if (!all) emit CaseChanged(QStringLiteral("Entry"));
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
TForm1::TEntries TForm1::ReadInputs(bool all)
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
        const double inForce = present::ToField(inputRow, present::StoredValue(M, id, e.representation));
        e.reading = present::ReadEntry(inputRow, e.typed, inForce, e.representation);
        // a kept value is left exactly as it is: set again from its dB or SWR
        // (or its percent) it would come back a rounding away
        if (!e.reading.kept) present::SetFieldValue(M, id, e.reading.value, e.representation);
    }
    WriteInputs(entries);
    return entries;
}

// Each field read is written with a text that reads back to the value in
// force; its spinner follows the value without writing into the field.
void TForm1::WriteInputs(const TEntries& entries)
{
    for (int i = 0; i < present::kMainInputCount; ++i) {
        const TEntry& e = entries[static_cast<std::size_t>(i)];
        if (!e.read) continue;
        const auto id = static_cast<present::Input>(i);
        const present::TInputRow& inputRow = present::InputRow(id);
        QLineEdit* field = controls_.inputs[static_cast<std::size_t>(i)];
        field->setText(Q(present::EntryText(inputRow, present::StoredValue(M, id, e.representation), e.representation)));
        for (const TSpinnerSpec& s : controls_.spinners)
            if (s.field == field) SyncSpinner(s.spinner, present::ToField(inputRow, present::StoredValue(M, id)));
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

void TForm1::udEffClick()
{
    M.Eff = Fraction(ui->udEff->Position());
    ui->edEffic->setText(Q(merivane::FormatReal3(Percent(M.Eff))));
    ui->edEffic->setModified(true);  // a step is an entry
    mergeId_ = 1;  // the steps of one spinner in a row are one undo step
    bEvaluateClick();
    mergeId_ = -1;
}

void TForm1::udSrcPhaClick()
{
    M.SrcRfl.Pha = ui->udSrcPha->Position();
    ui->edSrcPha->setText(Q(merivane::FormatReal3(M.SrcRfl.Pha)));
    ui->edSrcPha->setModified(true);  // a step is an entry
    mergeId_ = 2;  // the steps of one spinner in a row are one undo step
    bEvaluateClick();
    mergeId_ = -1;
}

void TForm1::udLoaPhaClick()
{
    M.LoaRfl.Pha = ui->udLoaPha->Position();
    ui->edLoaPha->setText(Q(merivane::FormatReal3(M.LoaRfl.Pha)));
    ui->edLoaPha->setModified(true);  // a step is an entry
    mergeId_ = 3;  // the steps of one spinner in a row are one undo step
    bEvaluateClick();
    mergeId_ = -1;
}

void TForm1::udDireClick()
{
    M.CplDirDb = ui->udDire->Position();
    ui->edDire->setModified(true);  // a step is an entry
    mergeId_ = 4;  // the steps of one spinner in a row are one undo step
    bEvaluateClick();
    mergeId_ = -1;
}

// A new representation rewrites the field: a note on what was typed in the
// old one goes with it.
void TForm1::cbSrcRflChange()
{
    WriteReflInput(M.SrcRfl, ui->cbSrcRfl, ui->edSrcMag);
    SetEntryNote(ui->edSrcMag, notes_[3] = std::string());
    emit CaseChanged(QStringLiteral("Representation"));
}

void TForm1::cbLoaRflChange()
{
    WriteReflInput(M.LoaRfl, ui->cbLoaRfl, ui->edLoaMag);
    SetEntryNote(ui->edLoaMag, notes_[5] = std::string());
    emit CaseChanged(QStringLiteral("Representation"));
}

void TForm1::chIdealClick()
{
    TreatEdDire();
    merivane::CalcCouplerMeas(M, ui->chIdeal->isChecked());
    ShowPowerMeas();
    emit ResultsRendered();
    emit CaseChanged(QStringLiteral("Ideal"));
}
