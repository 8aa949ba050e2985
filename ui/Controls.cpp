#include "Controls.h"

#include "UpDown.h"
#include "ui_TForm1.h"

TControls MakeControls(Ui::TForm1& ui)
{
    TControls c;
    c.inputs = {ui.edAnodeV, ui.edAnodeI, ui.edEffic, ui.edSrcMag, ui.edSrcPha, ui.edLoaMag, ui.edLoaPha, ui.edDire};
    // spinner, bound field, minimum, maximum, step, wrap-around, position
    c.spinners = {TSpinnerSpec{ui.udEff, ui.edEffic, 0, 100, 1, true, 85},
                  TSpinnerSpec{ui.udSrcPha, ui.edSrcPha, -180, 180, 5, true, 0},
                  TSpinnerSpec{ui.udLoaPha, ui.edLoaPha, -180, 180, 5, true, 90},
                  TSpinnerSpec{ui.udDire, ui.edDire, 0, 100, 1, false, 20}};
    c.lists = {ui.cbSrcRfl, ui.cbSrcMism, ui.cbLoaRfl, ui.cbLoaMism, ui.cbMeaRfl};
    c.powerUnit = {ui.rbWatt, ui.rbDbm, ui.rbDbW, ui.rbDbkW};
    c.factorUnit = {ui.rbMagTr, ui.rbPercTr, ui.rbDbTr};
    c.measUnit = {ui.rbPower, ui.rbPerc, ui.rbDb};
    return c;
}
