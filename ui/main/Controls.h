// The window's lists of controls, each written once: the input fields, the
// spinners with their ranges and defaults, the lists and the radio groups.
#pragma once

#include "InputRows.h"

#include <array>

class QComboBox;
class QLineEdit;
class QRadioButton;
class TUpDown;
namespace Ui {
class TForm1;
}

struct TSpinnerSpec {
    TUpDown* spinner;
    QLineEdit* field;  // the bound edit
    int min, max, step;
    bool wrap;
    int position;  // the layout's position, also the settings default
};

struct TControls {
    // In the order the evaluation cycle reads them.
    std::array<QLineEdit*, merivane::present::kMainInputCount> inputs{};
    // udEff, udSrcPha, udLoaPha, udDire: the order in which settings load them.
    std::array<TSpinnerSpec, 4> spinners{};
    // cbSrcRfl, cbSrcMism, cbLoaRfl, cbLoaMism, cbMeaRfl: the settings file order.
    std::array<QComboBox*, 5> lists{};
    // The three radio groups, each in its settings file order.
    std::array<QRadioButton*, 4> powerUnit{};
    std::array<QRadioButton*, 3> factorUnit{};
    std::array<QRadioButton*, 3> measUnit{};
};

TControls MakeControls(Ui::TForm1& ui);
