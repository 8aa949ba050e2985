// Reading the inputs into the model, writing the normalised values back, and
// the evaluation cycle.
#include "Conversions.h"
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

namespace {

using ext = long double;

std::string Utf8(const QLineEdit* e) { return e->text().toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// Efficiency is entered in percent and stored as a fraction.
double Percent(double fraction) { return static_cast<double>(static_cast<ext>(fraction) * 100); }
double Fraction(double percent) { return static_cast<double>(static_cast<ext>(percent) / 100); }

}  // namespace

void TForm1::bEvaluateClick()
{
    const TTypedInputs typed = TypedInputs();
    ReadInputs();
    NoteEntries(typed);
    merivane::CalcTransmission(M, ui->chIdeal->isChecked());
    ShowResults();
    emit ResultsRendered();
}

bool TForm1::InputPending() const
{
    return std::any_of(controls_.inputs.begin(), controls_.inputs.end(), [](const QLineEdit* e) { return e->isModified(); });
}

void TForm1::ReadInputs()
{
    M.Va = merivane::ParseInt(Utf8(ui->edAnodeV), M.Va, 0, 100000, true);
    M.Ia = merivane::ParseCurrent(Utf8(ui->edAnodeI), M.Ia, 0, 1000);
    M.Eff = Fraction(merivane::ParseReal(Utf8(ui->edEffic), Percent(M.Eff), 0, 100, true));
    ReadReflInput(M.SrcRfl, ui->cbSrcRfl, ui->edSrcMag);
    M.SrcRfl.Pha = merivane::ParseReal(Utf8(ui->edSrcPha), M.SrcRfl.Pha, -180, 180, true);
    ReadReflInput(M.LoaRfl, ui->cbLoaRfl, ui->edLoaMag);
    M.LoaRfl.Pha = merivane::ParseReal(Utf8(ui->edLoaPha), M.LoaRfl.Pha, -180, 180, true);
    M.CplDirDb = merivane::ParseReal(Utf8(ui->edDire), M.CplDirDb, 0, 160, true);
    WriteInputs();
}

void TForm1::WriteInputs()
{
    const double percent = Percent(M.Eff);
    ui->edAnodeV->setText(Q(merivane::IntToText(M.Va)));
    ui->edAnodeI->setText(Q(merivane::FormatReal3(M.Ia)));
    ui->edEffic->setText(Q(merivane::FormatReal3(percent)));
    SyncSpinner(ui->udEff, percent);
    WriteReflInput(M.SrcRfl, ui->cbSrcRfl, ui->edSrcMag);
    ui->edSrcPha->setText(Q(merivane::FormatReal3(M.SrcRfl.Pha)));
    SyncSpinner(ui->udSrcPha, M.SrcRfl.Pha);
    WriteReflInput(M.LoaRfl, ui->cbLoaRfl, ui->edLoaMag);
    ui->edLoaPha->setText(Q(merivane::FormatReal3(M.LoaRfl.Pha)));
    SyncSpinner(ui->udLoaPha, M.LoaRfl.Pha);
    ui->edDire->setText(Q(merivane::FormatReal3(M.CplDirDb)));
    SyncSpinner(ui->udDire, M.CplDirDb);
}

void TForm1::ReadReflInput(TRefl& r, QComboBox* selector, QLineEdit* edit)
{
    const std::string text = Utf8(edit);
    switch (selector->currentIndex()) {
    case 1:
        r.Rloss = merivane::ParseReal(text, r.Rloss, -160, 0, false);
        r.Mag = r.Rloss <= -160 ? 0.0 : merivane::DbToMag(r.Rloss);
        r.Swr = merivane::MagToSwr(r.Mag);
        break;
    case 2:
        r.Swr = merivane::ParseReal(text, r.Swr, 1, 100000, false);
        // compared as a double, so that the written-back "9999.999" of a full
        // reflection reads back as a full reflection
        r.Mag = r.Swr >= 9999.999 ? 1.0 : merivane::SwrToMag(r.Swr);
        r.Rloss = merivane::MagToDb(r.Mag);
        break;
    default:
        selector->setCurrentIndex(0);
        r.Mag = merivane::ParseReal(text, r.Mag, 0, 1, false);
        r.Rloss = merivane::MagToDb(r.Mag);
        r.Swr = merivane::MagToSwr(r.Mag);
        break;
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

void TForm1::edSrcMagExit()
{
    ReadReflInput(M.SrcRfl, ui->cbSrcRfl, ui->edSrcMag);
    bEvaluateClick();
}

void TForm1::edLoaMagExit()
{
    ReadReflInput(M.LoaRfl, ui->cbLoaRfl, ui->edLoaMag);
    bEvaluateClick();
}

void TForm1::udEffClick()
{
    M.Eff = Fraction(ui->udEff->Position());
    ui->edEffic->setText(Q(merivane::FormatReal3(Percent(M.Eff))));
    ui->edEffic->setModified(true);  // a step is an entry
    bEvaluateClick();
}

void TForm1::udSrcPhaClick()
{
    M.SrcRfl.Pha = ui->udSrcPha->Position();
    ui->edSrcPha->setText(Q(merivane::FormatReal3(M.SrcRfl.Pha)));
    ui->edSrcPha->setModified(true);  // a step is an entry
    bEvaluateClick();
}

void TForm1::udLoaPhaClick()
{
    M.LoaRfl.Pha = ui->udLoaPha->Position();
    ui->edLoaPha->setText(Q(merivane::FormatReal3(M.LoaRfl.Pha)));
    ui->edLoaPha->setModified(true);  // a step is an entry
    bEvaluateClick();
}

void TForm1::udDireClick()
{
    M.CplDirDb = ui->udDire->Position();
    ui->edDire->setModified(true);  // a step is an entry
    bEvaluateClick();
}

// A new representation rewrites the field: a note on what was typed in the
// old one goes with it.
void TForm1::cbSrcRflChange()
{
    WriteReflInput(M.SrcRfl, ui->cbSrcRfl, ui->edSrcMag);
    SetEntryNote(ui->edSrcMag, std::string());
}

void TForm1::cbLoaRflChange()
{
    WriteReflInput(M.LoaRfl, ui->cbLoaRfl, ui->edLoaMag);
    SetEntryNote(ui->edLoaMag, std::string());
}

void TForm1::chIdealClick()
{
    TreatEdDire();
    merivane::CalcCouplerMeas(M, ui->chIdeal->isChecked());
    ShowPowerMeas();
    emit ResultsRendered();
}
