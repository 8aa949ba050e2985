// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's "Uncertainty" view: the model of the couplers' leak phase,
// the standard uncertainties of the coupling factors and the sensors, a trip
// ratio and the water load's flow and rise as inputs; the uncertainty budget
// of the absorbed power (each component, the combined and the expanded
// uncertainty beside the worst-case bounds), the trip levels, and the water
// load's power against the model's with the difference in dB.
#pragma once

#include "CaseView.h"
#include "TubeWidgets.h"

#include <QComboBox>

#include <vector>

class TUncertaintyView : public TCaseView {
    Q_OBJECT
public:
    explicit TUncertaintyView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("uncertainty"); }

    TTubeSpinner* Spinner(merivane::present::TubeInput id) const;
    QComboBox* PhaseModel() const { return phaseModel_; }
    TValueTable* Budget() const { return budget_; }
    TValueTable* TripAndWater() const { return others_; }

private:
    void Edit(TTubeSpinner* spinner);
    void EditPhaseModel(int index);

    merivane::present::TCase case_;
    QComboBox* phaseModel_ = nullptr;
    std::vector<TTubeSpinner*> spinners_;
    TValueTable* budget_ = nullptr;
    TValueTable* others_ = nullptr;
};
