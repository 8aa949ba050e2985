// SPDX-License-Identifier: GPL-3.0-or-later
#include "UncertaintyView.h"

#include "CellRules.h"
#include "MagnetronTexts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <span>

using namespace merivane;
using namespace merivane::present;

namespace {

constexpr TubeInput kUncertainties[] = {TubeInput::Coupling, TubeInput::Sensor};
constexpr TubeInput kTripAndWater[] = {TubeInput::Trip, TubeInput::WaterFlow, TubeInput::WaterRise};

// The merge id of the phase model's list, after the spinners' ids.
constexpr int kPhaseModelMerge = kMagnetronMergeBase + 100;

TValue Pct(double v, bool defined) { return TValue{TubeNumber(v, 3, defined), defined ? "%" : ""}; }

TValue Signed(double v, bool defined) { return TValue{defined ? SignedNumber(v, 3) : "n/a", defined ? "%" : ""}; }

TValue Power(double watts, bool defined, PowerUnit unit)
{
    if (!defined) return TValue{"n/a", ""};
    const TCell c = PowerCell(watts, unit);
    return TValue{c.text, c.Caption()};
}

// The budget: each component, the combined and the expanded uncertainty, and
// the Power Meas page's worst-case bounds of the same snapshot beside them.
std::vector<TCaseRow> BudgetRows(const TSnapshot& s)
{
    const TUncertainty& u = s.tube.uncertainty;
    const bool d = u.Defined;
    const PowerUnit unit = s.c.display.power;
    const TValue none{"", ""};
    return {
        {"Directivity (leaks)", {Pct(u.DirectivityPct, d), none}},
        {"Coupling factors", {Pct(u.CouplingPct, d), none}},
        {"Power sensors", {Pct(u.SensorPct, d), none}},
        {"Combined, k = 1", {Pct(u.CombinedPct, d), Power(u.CombinedW, d, unit)}},
        {"Expanded U, k = 2", {Pct(u.ExpandedPct, d), Power(u.ExpandedW, d, unit)}},
        {"Worst case, low", {Signed(u.WorstLowPct, d), Power(s.m.PloadMinV, d, unit)}},
        {"Worst case, high", {Signed(u.WorstHighPct, d), Power(s.m.PloadMaxV, d, unit)}},
    };
}

// The section's rows of the trip and the water load, its inputs left out.
std::vector<TCaseRow> TripAndWaterRows(const TSection& section)
{
    std::vector<TCaseRow> out;
    for (const TCaseRow& row : section.rows) {
        const bool trip = row.caption.rfind("Trip ", 0) == 0 && row.caption != TubeRow(TubeInput::Trip).name;
        const bool water = row.caption == "Water Load Power" || row.caption == "Model Absorbed Power" ||
                           row.caption == "Water Load vs Model";
        if (trip || water) out.push_back(row);
    }
    return out;
}

}  // namespace

TUncertaintyView::TUncertaintyView(QWidget* parent) : TCaseView(parent)
{
    setAccessibleName(tr("Uncertainty"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;

    auto* budgetBox = new QGroupBox(tr("Uncertainty budget"), this);
    auto* form = new QFormLayout(budgetBox);
    phaseModel_ = new QComboBox(budgetBox);
    phaseModel_->setAccessibleName(tr("Leak Phase Model"));
    for (LeakPhaseModel m : kLeakPhaseModels)
        phaseModel_->addItem(QString::fromLatin1(LeakPhaseModelName(m)), static_cast<int>(m));
    auto* modelLabel = new QLabel(tr("Leak phase model:"), budgetBox);
    modelLabel->setBuddy(phaseModel_);
    form->addRow(modelLabel, phaseModel_);
    connect(phaseModel_, &QComboBox::currentIndexChanged, this, &TUncertaintyView::EditPhaseModel);
    const auto addSpinners = [this](QFormLayout* f, QWidget* box, std::span<const TubeInput> ids) {
        for (TubeInput id : ids) {
            auto* spinner = new TTubeSpinner(id, box);
            spinners_.push_back(spinner);
            auto* label = new QLabel(QString::fromUtf8(TubeRow(id).name) + tr(":"), box);
            label->setBuddy(spinner);
            f->addRow(label, spinner);
            connect(spinner, &QDoubleSpinBox::valueChanged, this, [this, spinner] { Edit(spinner); });
        }
    };
    addSpinners(form, budgetBox, kUncertainties);
    row->addWidget(budgetBox);

    auto* tripBox = new QGroupBox(tr("Trip and water load"), this);
    auto* tripForm = new QFormLayout(tripBox);
    addSpinners(tripForm, tripBox, kTripAndWater);
    row->addWidget(tripBox);
    layout->addLayout(row);

    budget_ = new TValueTable(tr("Uncertainty budget"), {tr("Component"), tr("Relative"), tr("Absorbed power")}, this);
    layout->addWidget(budget_, 1);
    others_ = new TValueTable(tr("Trip levels and water load"), {tr("Result"), tr("Value")}, this);
    layout->addWidget(others_, 1);
}

TTubeSpinner* TUncertaintyView::Spinner(TubeInput id) const
{
    for (TTubeSpinner* s : spinners_)
        if (s->Id() == id) return s;
    return nullptr;
}

void TUncertaintyView::ShowSnapshot(const TSnapshot& s)
{
    case_ = s.c;
    {
        const QSignalBlocker quiet(phaseModel_);
        phaseModel_->setCurrentIndex(phaseModel_->findData(static_cast<int>(s.c.tube.measurement.phaseModel)));
    }
    for (TTubeSpinner* spinner : spinners_) spinner->Show(TubeValue(s.c.tube, spinner->Id()));
    budget_->ShowRows(BudgetRows(s));
    others_->ShowRows(TripAndWaterRows(MeasurementSection(s)));
}

void TUncertaintyView::Edit(TTubeSpinner* spinner)
{
    TCase c = case_;
    SetTubeValue(c.tube, spinner->Id(), spinner->value());
    case_ = c;
    emit Edited(c, spinner->accessibleName(), kMagnetronMergeBase + static_cast<int>(spinner->Id()));
}

void TUncertaintyView::EditPhaseModel(int index)
{
    if (index < 0) return;
    TCase c = case_;
    c.tube.measurement.phaseModel = static_cast<LeakPhaseModel>(phaseModel_->itemData(index).toInt());
    case_ = c;
    emit Edited(c, phaseModel_->accessibleName(), kPhaseModelMerge);
}
