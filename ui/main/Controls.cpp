#include "Controls.h"

#include "InputRows.h"
#include "UpDown.h"
#include "ui_TForm1.h"

#include <QLineEdit>

namespace present = merivane::present;

TControls MakeControls(Ui::TForm1& ui)
{
    TControls c;
    // the fields and their spinners as the input table lists them
    QWidget* form = ui.edAnodeV->window();
    std::size_t spinner = 0;
    for (int i = 0; i < present::kMainInputCount; ++i) {
        const present::TInputRow& s = present::InputRow(static_cast<present::Input>(i));
        QLineEdit* field = form->findChild<QLineEdit*>(QString::fromLatin1(s.objectName));
        c.inputs[static_cast<std::size_t>(i)] = field;
        if (!s.spinner.objectName) continue;
        const present::TSpinnerRow& sp = s.spinner;
        c.spinners[spinner++] = TSpinnerSpec{form->findChild<TUpDown*>(QString::fromLatin1(sp.objectName)), field, sp.min,
                                             sp.max, sp.step, sp.wrap, sp.position};
    }
    c.lists = {ui.cbSrcRfl, ui.cbSrcMism, ui.cbLoaRfl, ui.cbLoaMism, ui.cbMeaRfl};
    c.powerUnit = {ui.rbWatt, ui.rbDbm, ui.rbDbW, ui.rbDbkW};
    c.factorUnit = {ui.rbMagTr, ui.rbPercTr, ui.rbDbTr};
    c.measUnit = {ui.rbPower, ui.rbPerc, ui.rbDb};
    return c;
}
