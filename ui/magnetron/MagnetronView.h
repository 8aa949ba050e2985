// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's "Magnetron" view: the tube's pulling figure (or its
// external Q), the isolator and its dummy load's rating as inputs; the shift
// at the present load and over all phases, the critical length, every
// frequency the tube can run at on the line (with a warning when there is
// more than one), the SWR the tube sees and the dummy load's power against
// its rating.
#pragma once

#include "CaseView.h"
#include "TubeWidgets.h"

#include <QLabel>

#include <vector>

class TMagnetronView : public TCaseView {
    Q_OBJECT
public:
    explicit TMagnetronView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("magnetron"); }

    // For the tests and the Workbench's focus: the spinner of an input, the
    // results, the warnings.
    TTubeSpinner* Spinner(merivane::present::TubeInput id) const;
    TValueTable* Results() const { return results_; }
    QLabel* LongLineWarning() const { return longLine_; }
    QLabel* RatingCheck() const { return rating_; }

private:
    void Edit(TTubeSpinner* spinner);

    merivane::present::TCase case_;  // the case of the snapshot shown
    std::vector<TTubeSpinner*> spinners_;
    TValueTable* results_ = nullptr;
    QLabel* longLine_ = nullptr;
    QLabel* rating_ = nullptr;
};
