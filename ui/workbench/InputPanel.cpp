// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputPanel.h"

#include "EngineeringText.h"
#include "EntryMark.h"
#include "Explain.h"
#include "InputValues.h"
#include "NumberText.h"
#include "PowerToMatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace present = merivane::present;
using present::Input;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }

// "Anode V (V)": the caption with the unit the field is typed in.
QString Caption(const present::TInputRow& row)
{
    QString unit = Q(row.unit).trimmed();
    if (row.scale == 100.0) unit = QStringLiteral("%");
    return unit.isEmpty() ? Q(row.name) : QStringLiteral("%1 (%2)").arg(Q(row.name), unit);
}

// The power to match as the field shows it and reads it back: watts in
// plain digits, twelve significant ones.
QString PowerText(double watts) { return Q(present::EngineeringText(watts, 12)); }

QComboBox* MakeList(const QString& name, const QStringList& items, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->addItems(items);
    list->setAccessibleName(name);
    return list;
}

QStringList ReflItems()
{
    QStringList items;
    for (const present::TReflForm& f : present::ReflForms()) items << Q(f.item);
    return items;
}

// A list's items: the captions of a table of display choices, in its order.
template <std::size_t N>
QStringList ChoiceItems(const present::TChoiceNames (&names)[N])
{
    QStringList items;
    for (const present::TChoiceNames& n : names) items << Q(n.caption);
    return items;
}

// The power lists' order, as the main window's buttons: Watts, dBm, dBW, dBkW.
constexpr std::array<present::PowerUnit, std::size(present::kPowerUnitNames)> kPowerUnits = [] {
    std::array<present::PowerUnit, std::size(present::kPowerUnitNames)> units{};
    for (std::size_t i = 0; i < units.size(); ++i) units[i] = static_cast<present::PowerUnit>(present::kPowerUnitNames[i].index);
    return units;
}();

}  // namespace

TInputPanel::TInputPanel(QWidget* parent) : TCaseView(parent)
{
    setObjectName(QStringLiteral("wbInputs"));
    setAccessibleName(QStringLiteral("Inputs"));
    auto* outer = new QVBoxLayout(this);

    // the magnetron
    auto* magnetron = new QGroupBox(QStringLiteral("Magnetron"), this);
    auto* mg = new QGridLayout(magnetron);
    int row = 0;
    for (Input id : {Input::AnodeV, Input::AnodeI, Input::Effic}) {
        auto* label = new QLabel(Caption(present::InputRow(id)), magnetron);
        QLineEdit* f = MakeField(id);
        label->setBuddy(f);
        mg->addWidget(label, row, 0);
        mg->addWidget(f, row++, 1);
    }
    power_ = new QLineEdit(magnetron);
    power_->setObjectName(QStringLiteral("wbPowerToMatch"));
    power_->setAccessibleName(QStringLiteral("Power to Match"));
    power_->setToolTip(QStringLiteral("The magnetron's output power into a matched load, Va × Ia × Eff, in watts.\n"
                                      "Entering it sets the anode current to P / (Va × Eff), within its limits."));
    power_->installEventFilter(this);
    connect(power_, &QLineEdit::returnPressed, this, [this] { TakePower(); });
    auto* powerLabel = new QLabel(QStringLiteral("Power to Match (W)"), magnetron);
    powerLabel->setBuddy(power_);
    mg->addWidget(powerLabel, row, 0);
    mg->addWidget(power_, row++, 1);
    outer->addWidget(magnetron);

    // the two reflections: representation, magnitude, phase
    auto* refl = new QGroupBox(QStringLiteral("Reflections"), this);
    auto* rg = new QGridLayout(refl);
    rg->addWidget(new QLabel(QStringLiteral("Form"), refl), 0, 1);
    rg->addWidget(new QLabel(QStringLiteral("Magnitude"), refl), 0, 2);
    rg->addWidget(new QLabel(QStringLiteral("Phase (°)"), refl), 0, 3);
    srcForm_ = MakeList(QStringLiteral("Source Representation"), ReflItems(), refl);
    loaForm_ = MakeList(QStringLiteral("Load Representation"), ReflItems(), refl);
    const struct {
        const char* caption;
        QComboBox* form;
        Input mag, pha;
        int display;
    } reflRows[] = {{"Source", srcForm_, Input::SrcMag, Input::SrcPha, 0}, {"Load", loaForm_, Input::LoaMag, Input::LoaPha, 1}};
    row = 1;
    for (const auto& r : reflRows) {
        auto* label = new QLabel(Q(r.caption), refl);
        QLineEdit* mag = MakeField(r.mag);
        label->setBuddy(r.form);
        rg->addWidget(label, row, 0);
        rg->addWidget(r.form, row, 1);
        rg->addWidget(mag, row, 2);
        rg->addWidget(MakeField(r.pha), row++, 3);
        const bool load = r.display == 1;
        connect(r.form, &QComboBox::activated, this, [this, load](int index) {
            Choose(load ? QStringLiteral("Load Representation") : QStringLiteral("Source Representation"),
                   [load, index](present::TCase& c) {
                       (load ? c.display.loaRfl : c.display.srcRfl) = index;
                       // the reflection in force as the new form's field shows it, so that
                       // the field reads back exactly; a measured load stays as measured
                       if (load && c.measured) return;
                       merivane::TRefl& inForce = load ? c.inputs.LoaRfl : c.inputs.SrcRfl;
                       inForce = present::RoundedInForm(inForce, index);
                   });
        });
    }
    rg->setColumnStretch(2, 1);
    rg->setColumnStretch(3, 1);
    outer->addWidget(refl);

    // the couplers
    auto* cpl = new QGroupBox(QStringLiteral("Couplers"), this);
    auto* cg = new QGridLayout(cpl);
    auto* dirLabel = new QLabel(Caption(present::InputRow(Input::Dire)), cpl);
    QLineEdit* dir = MakeField(Input::Dire);
    dirLabel->setBuddy(dir);
    ideal_ = new QCheckBox(QStringLiteral("Ideal"), cpl);
    ideal_->setObjectName(QStringLiteral("chIdeal"));
    ideal_->setToolTip(Q(present::TooltipFor("chIdeal")));
    cg->addWidget(dirLabel, 0, 0);
    cg->addWidget(dir, 0, 1);
    cg->addWidget(ideal_, 0, 2);
    connect(ideal_, &QCheckBox::clicked, this, [this](bool on) {
        Choose(QStringLiteral("Ideal"), [on](present::TCase& c) { c.ideal = on; });
    });
    outer->addWidget(cpl);

    // the units the results are shown in
    auto* units = new QGroupBox(QStringLiteral("Units"), this);
    auto* ug = new QGridLayout(units);
    powerUnit_ = MakeList(QStringLiteral("Power Unit"), ChoiceItems(present::kPowerUnitNames), units);
    factorUnit_ = MakeList(QStringLiteral("Factor Unit"), ChoiceItems(present::kFactorUnitNames), units);
    measUnit_ = MakeList(QStringLiteral("Measurement Unit"), ChoiceItems(present::kMeasUnitNames), units);
    const std::pair<const char*, QComboBox*> unitRows[] = {
        {"Power", powerUnit_}, {"Factors", factorUnit_}, {"Measurement", measUnit_}};
    row = 0;
    for (const auto& [caption, list] : unitRows) {
        auto* label = new QLabel(Q(caption), units);
        label->setBuddy(list);
        ug->addWidget(label, row, 0);
        ug->addWidget(list, row++, 1);
    }
    connect(powerUnit_, &QComboBox::activated, this, [this](int i) {
        if (i < 0 || i >= static_cast<int>(std::size(kPowerUnits))) return;
        Choose(QStringLiteral("Power Unit"), [i](present::TCase& c) { c.display.power = kPowerUnits[i]; });
    });
    connect(factorUnit_, &QComboBox::activated, this,
            [this](int i) { Choose(QStringLiteral("Factor Unit"), [i](present::TCase& c) { c.factorUnit = i; }); });
    connect(measUnit_, &QComboBox::activated, this,
            [this](int i) { Choose(QStringLiteral("Measurement Unit"), [i](present::TCase& c) { c.measUnit = i; }); });
    outer->addWidget(units);
    outer->addStretch(1);
}

QLineEdit* TInputPanel::MakeField(Input id)
{
    const present::TInputRow& row = present::InputRow(id);
    auto* f = new QLineEdit(this);
    // the main window's names: the same tooltip, the same name for a screen reader
    f->setObjectName(Q(row.objectName));
    f->setAccessibleName(Q(row.name));
    SetEntryNote(f, std::string());
    f->installEventFilter(this);
    connect(f, &QLineEdit::returnPressed, this, [this, f] { Take(f); });
    fields_[static_cast<std::size_t>(id)] = f;
    return f;
}

int TInputPanel::Representation(Input id) const
{
    if (id == Input::SrcMag) return case_.display.srcRfl;
    if (id == Input::LoaMag) return case_.display.loaRfl;
    return 0;
}

bool TInputPanel::eventFilter(QObject* watched, QEvent* event)
{
    // leaving a field takes its entry, as Enter does (editingFinished misses some)
    if (event->type() == QEvent::FocusOut && showing_ == 0) {
        if (watched == power_ && power_->isModified()) TakePower();
        for (QLineEdit* f : fields_)
            if (watched == f && f->isModified()) Take(f);
    }
    return TCaseView::eventFilter(watched, event);
}

void TInputPanel::Take(QLineEdit* field)
{
    const auto at = std::find(fields_.begin(), fields_.end(), field);
    if (at == fields_.end()) return;
    const auto id = static_cast<Input>(at - fields_.begin());
    const present::TInputRow& row = present::InputRow(id);
    const int representation = Representation(id);
    const std::string typed = field->text().toStdString();
    field->setModified(false);

    present::TCase c = case_;
    const double inForce = present::ToField(row, present::StoredValue(c.inputs, id, representation));
    const present::TReading reading = present::ReadEntry(row, typed, inForce, representation);
    if (!reading.kept) present::SetFieldValue(c.inputs, id, reading.value, representation);
    SetEntryNote(field, present::EntryNote(row, typed, reading, representation));
    // the text that reads back to the value in force
    field->setText(Q(present::EntryText(row, present::StoredValue(c.inputs, id, representation), representation)));
    emit Edited(c, Q(row.name), -1);
}

void TInputPanel::TakePower()
{
    power_->setModified(false);
    present::TCase c = case_;
    const std::string typed = power_->text().toStdString();
    // a power in watts; the anode current follows as P / (Va Eff), clamped as its field is
    const present::TCurrentForPower current = present::CurrentForPower(c.inputs, typed);
    if (!current.ok) {
        power_->setToolTip(QStringLiteral("“%1” is not a power in watts; the anode current stays.").arg(Q(typed)));
        power_->setText(PowerText(c.inputs.Va * c.inputs.Ia * c.inputs.Eff));
        return;
    }
    c.inputs.Ia = current.amps;
    emit Edited(c, QStringLiteral("Power to Match"), -1);
}

void TInputPanel::Choose(const QString& what, const std::function<void(present::TCase&)>& change)
{
    if (showing_ > 0) return;
    present::TCase c = case_;
    change(c);
    emit Edited(c, what, -1);
}

void TInputPanel::ShowSnapshot(const present::TSnapshot& s)
{
    ++showing_;
    case_ = s.c;
    for (int i = 0; i < present::kMainInputCount; ++i) {
        const auto id = static_cast<Input>(i);
        QLineEdit* f = fields_[static_cast<std::size_t>(i)];
        const int representation = Representation(id);
        const QString text = Q(present::EntryText(present::InputRow(id), present::StoredValue(s.c.inputs, id, representation),
                                                  representation));
        // a field being typed in keeps what is typed
        if (!f->isModified() && f->text() != text) {
            f->setText(text);
            SetEntryNote(f, std::string());
        }
    }
    const std::string measured = s.c.measured ? present::MeasuredNote(*s.c.measured, s.measured) : std::string();
    for (Input id : {Input::LoaMag, Input::LoaPha}) SetMeasuredNote(Field(id), measured, std::string());
    fields_[static_cast<std::size_t>(Input::Dire)]->setEnabled(!s.c.ideal);
    if (!power_->isModified()) power_->setText(PowerText(s.m.Pmatch));
    const std::pair<QComboBox*, int> lists[] = {{srcForm_, s.c.display.srcRfl}, {loaForm_, s.c.display.loaRfl},
                                                {factorUnit_, s.c.factorUnit}, {measUnit_, s.c.measUnit}};
    for (const auto& [list, index] : lists) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
    {
        const QSignalBlocker quiet(powerUnit_);
        const auto at = std::find(std::begin(kPowerUnits), std::end(kPowerUnits), s.c.display.power);
        powerUnit_->setCurrentIndex(at == std::end(kPowerUnits) ? -1 : static_cast<int>(at - std::begin(kPowerUnits)));
    }
    {
        const QSignalBlocker quiet(ideal_);
        ideal_->setChecked(s.c.ideal);
    }
    --showing_;
}
