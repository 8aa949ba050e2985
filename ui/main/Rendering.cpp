// Writing the results into the cells: each Show method asks the presentation
// rules for its cell and writes the labels.
#include "CellRules.h"
#include "Look.h"
#include "TForm1.h"
#include "ui_TForm1.h"

namespace present = merivane::present;
using merivane::TRefl;

namespace {

using ext = long double;

// The rules' texts are plain ASCII.
QString Q(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// The unit captions, made once.
const QString& Caption(present::Unit u)
{
    static const QString captions[] = {QString(),           QStringLiteral("W"),    QStringLiteral("kW"),
                                       QStringLiteral("dBm"), QStringLiteral("dBW"), QStringLiteral("dBkW"),
                                       QStringLiteral("%"),   QStringLiteral("dB")};
    return captions[static_cast<int>(u)];
}

// Moves a unit label to its left edge; it reaches to the cell's right border.
void PlaceUnit(QLabel* unit, int left)
{
    if (left < 0) return;  // an empty caption leaves the label where it is
    const int cellWidth = unit->parentWidget() ? unit->parentWidget()->width() : 82;
    unit->setGeometry(left, unit->y(), cellWidth - left - 2, unit->height());
}

double Diff(double a, double b) { return static_cast<double>(static_cast<ext>(a) - b); }

}  // namespace

present::PowerUnit TForm1::SelectedPowerUnit() const
{
    // tested in the order the rules give: dBW, dBm, dBkW, then Watts
    if (ui->rbDbW->isChecked()) return present::PowerUnit::DbW;
    if (ui->rbDbm->isChecked()) return present::PowerUnit::Dbm;
    if (ui->rbDbkW->isChecked()) return present::PowerUnit::DbkW;
    if (ui->rbWatt->isChecked()) return present::PowerUnit::Watts;
    return present::PowerUnit::None;
}

present::TDisplay TForm1::Display() const
{
    present::TDisplay d;
    d.power = SelectedPowerUnit();
    d.srcMism = ui->cbSrcMism->currentIndex();
    d.loaMism = ui->cbLoaMism->currentIndex();
    d.meaRfl = ui->cbMeaRfl->currentIndex();
    d.srcRfl = ui->cbSrcRfl->currentIndex();
    d.loaRfl = ui->cbLoaRfl->currentIndex();
    return d;
}

void TForm1::WriteCell(QLabel* value, QLabel* unit, const present::TCell& cell)
{
    value->setText(Q(cell.text));
    if (!unit) return;
    if (cell.writesUnit) unit->setText(Caption(cell.unit));
    PlaceUnit(unit, cell.unitLeft);
}

void TForm1::ShowPower(QLabel* value, QLabel* unit, double watts)
{
    WriteCell(value, unit, present::PowerCell(watts, SelectedPowerUnit()));
}

void TForm1::ShowFactor(QLabel* value, QLabel* unit, double f)
{
    // the caption itself is written by NaplnFactors; the label only moves
    const present::TCell cell = present::FactorCell(f, M.SelUnit);
    value->setText(Q(cell.text));
    if (cell.unitLeft >= 0) unit->move(cell.unitLeft, unit->y());
}

void TForm1::ShowMism(const TRefl& r, QComboBox* selector, QLabel* value)
{
    WriteCell(value, nullptr, present::MismCell(r, selector->currentIndex()));
}

void TForm1::ShowMeaRfl(const TRefl& r, QComboBox* selector, QLabel* value)
{
    WriteCell(value, nullptr, present::MeaRflCell(r, selector->currentIndex()));
}

void TForm1::ShowMeaRflErr(const TRefl& measured, const TRefl& truth, QFrame* cell, QLabel* value, QComboBox* selector)
{
    const present::TCell c = present::MeaRflErrCell(measured, truth, selector->currentIndex());
    value->setText(Q(c.text));
    const QColor colour = c.colour == present::CellColour::White ? CellColour() : ButtonFace();
    SetBackground(cell, colour);
    value->setAutoFillBackground(true);
    SetBackground(value, colour);
}

void TForm1::ShowMeaPower(bool isError, QLabel* value, QLabel* unit, double ratio, double watts)
{
    WriteCell(value, unit, present::MeaPowerCell(isError, ratio, watts, M.SelErrUnit, SelectedPowerUnit()));
}

void TForm1::ShowRelatDb(double ratio, bool undefined, QLabel* value, QLabel* unit)
{
    WriteCell(value, unit, present::RelatDbCell(ratio, undefined));
}

void TForm1::NaplnFactors()
{
    const QString& caption = Caption(present::FactorCaption(M.SelUnit));
    for (QLabel* l : {ui->lbIfcUn, ui->lbIfcMinUn, ui->lbIfcMaxUn, ui->lbTrGainUn, ui->lbTrGminU, ui->lbTrGmaxU})
        l->setText(caption);
    ShowMism(M.SrcRfl, ui->cbSrcMism, ui->lbSrcMism2);
    ShowMism(M.LoaRfl, ui->cbLoaMism, ui->lbLoaMism2);
    ShowFactor(ui->lbInterf2, ui->lbIfcUn, M.Interf);
    ShowFactor(ui->lbIntMin2, ui->lbIfcMinUn, M.InterfMin);
    ShowFactor(ui->lbIntMax2, ui->lbIfcMaxUn, M.InterfMax);
    ShowFactor(ui->lbTrGain2, ui->lbTrGainUn, M.TrGain);
    ShowFactor(ui->lbTrGmin, ui->lbTrGminU, M.TrGainMin);
    ShowFactor(ui->lbTrGmax, ui->lbTrGmaxU, M.TrGainMax);
}

void TForm1::ShowLoadMeas()
{
    ShowMeaRfl(M.LoaRfl, ui->cbMeaRfl, ui->lbMag);
    ShowMeaRfl(M.MeaMin, ui->cbMeaRfl, ui->lbMagMin);
    ShowMeaRfl(M.MeaMax, ui->cbMeaRfl, ui->lbMagMax);
    ShowMeaRflErr(M.MeaMin, M.LoaRfl, ui->paMagMinE, ui->lbMagMinE, ui->cbMeaRfl);
    ShowMeaRflErr(M.MeaMax, M.LoaRfl, ui->paMagMaxE, ui->lbMagMaxE, ui->cbMeaRfl);
}

void TForm1::ShowPowerMeas()
{
    ShowMeaPower(false, ui->lbPincMinV, ui->lbPlincMinVunit, M.ErrInciMinus, M.PincMinV);
    ShowMeaPower(false, ui->lbPlincMaxV, ui->lbPlincMaxVunit, M.ErrInciPlus, M.PincMaxV);
    ShowMeaPower(false, ui->lbPrefMinV, ui->lbPreflMinVunit, M.ErrReflMinus, M.PreflMinV);
    ShowMeaPower(false, ui->lbPlreflMaxV, ui->lbPreflMaxVunit, M.ErrReflPlus, M.PreflMaxV);
    ShowMeaPower(false, ui->lbPloadMinV, ui->lbPloadMinVunit, M.PloadMinRelat, M.PloadMinV);
    ShowMeaPower(false, ui->lbPloadMaxV, ui->lbPloadMaxVunit, M.PloadMaxRelat, M.PloadMaxV);
    ShowMeaPower(true, ui->lbPincMinE, ui->lbPlincMinEunit, M.ErrInciMinus, Diff(M.PincMinV, M.Pinc));
    ShowMeaPower(true, ui->lbPlincMaxE, ui->lbPlincMaxEunit, M.ErrInciPlus, Diff(M.PincMaxV, M.Pinc));
    ShowMeaPower(true, ui->lbPrefMinE, ui->lbPreflMinEunit, M.ErrReflMinus, Diff(M.PreflMinV, M.Prefl));
    ShowMeaPower(true, ui->lbPlreflMaxE, ui->lbPreflMaxEunit, M.ErrReflPlus, Diff(M.PreflMaxV, M.Prefl));
    ShowMeaPower(true, ui->lbPloadMinE, ui->lbPloadMinEunit, M.PloadMinRelat, Diff(M.PloadMinV, M.Pload));
    ShowMeaPower(true, ui->lbPloadMaxE, ui->lbPloadMaxEunit, M.PloadMaxRelat, Diff(M.PloadMaxV, M.Pload));
    ShowLoadMeas();
}

void TForm1::ShowResults()
{
    ShowPower(ui->lbPmatch2, ui->lbPmatchUnit, M.Pmatch);
    ShowPower(ui->lbPav, ui->lbPavUnit, M.Pav);
    NaplnFactors();
    ShowPowerMeas();
    ShowPower(ui->lbPinc2, ui->lbPincUnit, M.Pinc);
    ShowPower(ui->lbPincV, ui->lbPincVunit, M.Pinc);
    ShowPower(ui->lbPincMin2, ui->lbPincMinUnit, M.PincMin);
    ShowPower(ui->lbPincMax2, ui->lbPincMaxUnit, M.PincMax);
    ShowPower(ui->lbPrefl2, ui->lbPreflUnit, M.Prefl);
    ShowPower(ui->lbPreflV, ui->lbPreflVUnit, M.Prefl);
    ShowPower(ui->lbPrefMin2, ui->lbPrefMinUnit, M.PreflMin);
    ShowPower(ui->lbPrefMax2, ui->lbPrefMaxUnit, M.PreflMax);
    ShowPower(ui->lbPload2, ui->lbPloadUnit, M.Pload);
    ShowPower(ui->lbPloadV, ui->lbPloadVUnit, M.Pload);
    ShowPower(ui->lbPloadMin, ui->lbPloadMinU, M.PloadMin);
    ShowPower(ui->lbPloadMax, ui->lbPloadMaxU, M.PloadMax);
}

// ------------------------------------------------------------------ display choices

namespace {

// The index of the checked button of a unit group; unchanged when none is.
template <std::size_t N>
void StoreCheckedIndex(std::int32_t& unit, const std::array<QRadioButton*, N>& group)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (group[i]->isChecked()) {
            unit = static_cast<std::int32_t>(i);
            return;
        }
    }
}

}  // namespace

void TForm1::rbMagTrClick()
{
    StoreCheckedIndex(M.SelUnit, controls_.factorUnit);
    NaplnFactors();
    emit CaseChanged(QStringLiteral("Factor Unit"));
}

void TForm1::rbPowerClick()
{
    StoreCheckedIndex(M.SelErrUnit, controls_.measUnit);
    ShowPowerMeas();
    emit CaseChanged(QStringLiteral("Measurement Unit"));
}

void TForm1::cbMeaRflChange()
{
    ShowLoadMeas();
    emit CaseChanged(QStringLiteral("Measured Reflection"));
}

void TForm1::cbSrcMismChange()
{
    ShowMism(M.SrcRfl, ui->cbSrcMism, ui->lbSrcMism2);
    emit CaseChanged(QStringLiteral("Source Mismatch"));
}

void TForm1::cbLoaMismChange()
{
    ShowMism(M.LoaRfl, ui->cbLoaMism, ui->lbLoaMism2);
    emit CaseChanged(QStringLiteral("Load Mismatch"));
}
