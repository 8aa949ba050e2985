// Writing the results into the cells: each Show method asks the presentation
// rules for its cell and writes the labels.
#include "CellRules.h"
#include "Cells.h"
#include "Look.h"
#include "TForm1.h"
#include "ui_TForm1.h"

namespace present = merivane::present;
using merivane::TRefl;

namespace {

// The rules' texts are plain ASCII.
QString Q(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// The unit captions, made once.
const QString& Caption(present::Unit u)
{
    using U = present::Unit;
    static const QString captions[] = {QString(),  Q(UnitCaption(U::W)),   Q(UnitCaption(U::kW)),
                                       Q(UnitCaption(U::dBm)), Q(UnitCaption(U::dBW)), Q(UnitCaption(U::dBkW)),
                                       Q(UnitCaption(U::Percent)), Q(UnitCaption(U::dB))};
    return captions[static_cast<int>(u)];
}

// Moves a unit label to its left edge; it reaches to the cell's right border.
void PlaceUnit(QLabel* unit, int left)
{
    if (left < 0) return;  // an empty caption leaves the label where it is
    const int cellWidth = unit->parentWidget() ? unit->parentWidget()->width() : 82;
    unit->setGeometry(left, unit->y(), cellWidth - left - 2, unit->height());
}

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

// The cells of the catalogue, each found once in the form: its value label,
// its unit label and its panel.
const std::vector<TForm1::TCellSlot>& TForm1::CellSlots()
{
    if (cellSlots_.empty()) {
        for (const present::TResultCell& entry : present::ResultCells()) {
            TCellSlot slot{&entry, findChild<QLabel*>(QString::fromLatin1(entry.valueLabel)),
                           entry.unitLabel ? findChild<QLabel*>(QString::fromLatin1(entry.unitLabel)) : nullptr,
                           findChild<QFrame*>(QString::fromLatin1(entry.panel))};
            if (slot.value) cellSlots_.push_back(slot);
        }
    }
    return cellSlots_;
}

// Renders the cells the filter picks, each by its own rule of the catalogue.
void TForm1::RenderCells(bool (*picks)(const present::TResultCell&))
{
    const present::TDisplay d = Display();
    for (const TCellSlot& slot : CellSlots()) {
        if (!picks(*slot.entry)) continue;
        const present::TCell cell = slot.entry->render(M, d);
        WriteCell(slot.value, slot.unit, cell);
        if (cell.colour != present::CellColour::Unchanged && slot.panel) {
            // an error cell is white while it shows a value, grey while it has none
            const QColor colour = cell.colour == present::CellColour::White ? CellColour() : ButtonFace();
            SetBackground(slot.panel, colour);
            slot.value->setAutoFillBackground(true);
            SetBackground(slot.value, colour);
        }
    }
}

namespace {

bool IsFactor(const present::TResultCell& c)
{
    return c.region == present::Region::SourceReflection || c.region == present::Region::LoadReflection ||
           (c.region == present::Region::Transmission && c.row < 2);
}
bool IsPowerMeas(const present::TResultCell& c)
{
    return c.region == present::Region::PowerMeas || c.region == present::Region::LoadMeas;
}
bool IsLoadMeas(const present::TResultCell& c) { return c.region == present::Region::LoadMeas; }
bool Every(const present::TResultCell&) { return true; }

}  // namespace

void TForm1::NaplnFactors() { RenderCells(IsFactor); }

void TForm1::ShowLoadMeas() { RenderCells(IsLoadMeas); }

void TForm1::ShowPowerMeas() { RenderCells(IsPowerMeas); }

// Every cell of the catalogue.
void TForm1::ShowResults() { RenderCells(Every); }

// ------------------------------------------------------------------ display choices

// A choice of the controls is a change of the case: its results are shown
// when the document announces them.
void TForm1::rbMagTrClick() { emit CaseChanged(QStringLiteral("Factor Unit")); }

void TForm1::rbPowerClick() { emit CaseChanged(QStringLiteral("Measurement Unit")); }

void TForm1::cbMeaRflChange() { emit CaseChanged(QStringLiteral("Measured Reflection")); }

void TForm1::cbSrcMismChange() { emit CaseChanged(QStringLiteral("Source Mismatch")); }

void TForm1::cbLoaMismChange() { emit CaseChanged(QStringLiteral("Load Mismatch")); }
