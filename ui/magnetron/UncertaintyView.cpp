// SPDX-License-Identifier: GPL-3.0-or-later
#include "UncertaintyView.h"

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
    SetTip(phaseModel_, QString::fromStdString(LeakPhaseModelTip()));
    for (LeakPhaseModel m : kLeakPhaseModels)
        phaseModel_->addItem(QString::fromLatin1(LeakPhaseModelName(m)), static_cast<int>(m));
    auto* modelLabel = new QLabel(tr("Leak phase model:"), budgetBox);
    modelLabel->setBuddy(phaseModel_);
    modelLabel->setToolTip(phaseModel_->toolTip());
    form->addRow(modelLabel, phaseModel_);
    connect(phaseModel_, &QComboBox::currentIndexChanged, this, &TUncertaintyView::EditPhaseModel);
    const auto addSpinners = [this](QFormLayout* f, QWidget* box, std::span<const TubeInput> ids) {
        for (TubeInput id : ids) {
            auto* spinner = new TTubeSpinner(id, box);
            spinners_.push_back(spinner);
            f->addRow(BuddyLabel(spinner, box), spinner);
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
    budget_->ShowRows(UncertaintyBudgetRows(s));
    others_->ShowRows(TripAndWaterRows(s));
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
