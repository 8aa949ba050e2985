// Result presentation in the window: the cells after real cycles and display
// choices, their captions, positions and colours. The rules themselves are
// tested without a window in tests/present.
#include "WindowFixture.h"
#include "RowNames.h"

namespace {

using merivane::TModel;

TEST_F(WindowTest, FactorUnitCaptionsAndPositions)
{
    Create();
    const struct {
        const char* button;
        const char* caption;
        int left;  // -1: where the layout put it
    } cases[] = {{"rbPercTr", "%", 68}, {"rbDbTr", "dB", 65}, {"rbMagTr", "", -1}};
    for (const auto& c : cases) {
        Radio(c.button)->click();
        for (const char* unit : {"lbIfcUn", "lbIfcMinUn", "lbIfcMaxUn", "lbTrGainUn", "lbTrGminU", "lbTrGmaxU"}) {
            EXPECT_EQ(S(Text(unit)), c.caption) << c.button << " " << unit;
            if (c.left >= 0) {
                EXPECT_EQ(Label(unit)->x(), c.left) << unit;
            }
        }
    }
    EXPECT_EQ(Model().SelUnit, 0);
    EXPECT_EQ(S(Text("lbInterf2")), "0.99");
}

QColor CellColour(QWidget* wdg) { return wdg->palette().color(QPalette::Window); }

TEST_F(WindowTest, LoadMeasErrorCellsTurnGreyAndEmptyOutsideMag)
{
    Show();
    Find<QTabWidget>("pcResults")->setCurrentIndex(2);
    Radio("rbPower")->setChecked(true);
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);  // 20 dB coupler
    EXPECT_EQ(S(Text("lbMag")), "0.5");
    EXPECT_EQ(S(Text("lbMagMin")), "0.381");
    EXPECT_EQ(S(Text("lbMagMax")), "0.632");
    EXPECT_EQ(S(Text("lbMagMinE")), "-11.9");  // (0.380952 - 0.5) * 100
    EXPECT_EQ(S(Text("lbMagMaxE")), "13.16");
    EXPECT_EQ(CellColour(Find<QFrame>("paMagMinE")), QColor(Qt::white));

    const auto before = Model().MeaMin.Mag;
    Choose("cbMeaRfl", 1);
    EXPECT_EQ(S(Text("lbMagMin")), "-8.38");
    EXPECT_EQ(S(Text("lbMagMax")), "-3.99");
    for (const char* cell : {"paMagMinE", "paMagMaxE"}) EXPECT_NE(CellColour(Find<QFrame>(cell)), QColor(Qt::white)) << cell;
    EXPECT_EQ(S(Text("lbMagMinE")), "");
    EXPECT_EQ(CellColour(Label("lbMagMinE")), CellColour(Find<QFrame>("paMagMinE")));
    Choose("cbMeaRfl", 2);
    EXPECT_EQ(S(Text("lbMagMin")), "2.231");
    EXPECT_EQ(S(Text("lbMagMax")), "4.429");
    EXPECT_EQ(S(Text("lbMagMaxE")), "");
    Choose("cbMeaRfl", 0);
    EXPECT_EQ(S(Text("lbMagMaxE")), "13.16");
    EXPECT_EQ(CellColour(Find<QFrame>("paMagMaxE")), QColor(Qt::white));
    EXPECT_EQ(CellColour(Label("lbMagMaxE")), QColor(Qt::white));
    EXPECT_EQ(Model().MeaMin.Mag, before);
}

TEST_F(WindowTest, PowerMeasInPercentAndErrorsAgainstOne)
{
    Create();
    Radio("rbPerc")->setChecked(true);
    w->M.ErrInciMinus = 0.81;
    w->ShowPowerMeas();
    EXPECT_EQ(S(Text("lbPincMinV")), "81");
    EXPECT_EQ(S(Text("lbPlincMinVunit")), "%");
    EXPECT_EQ(Label("lbPlincMinVunit")->x(), 68);
    EXPECT_EQ(S(Text("lbPincMinE")), "-19");
    EXPECT_EQ(S(Text("lbPlincMinEunit")), "%");
}

struct IdealCase {
    const char* measButton;
    const char* text;
    const char* unit;
};

class IdealCouplerErrors : public WindowTest, public ::testing::WithParamInterface<IdealCase> {};

TEST_P(IdealCouplerErrors, IncidentErrorCellsShowZero)
{
    const IdealCase& c = GetParam();
    Create();  // Ideal is ticked by default
    Radio(c.measButton)->setChecked(true);
    for (const char* cell : {"lbPincMinE", "lbPlincMaxE"}) EXPECT_EQ(S(Text(cell)), c.text) << cell;
    for (const char* unit : {"lbPlincMinEunit", "lbPlincMaxEunit"}) EXPECT_EQ(S(Text(unit)), c.unit) << unit;
}

INSTANTIATE_TEST_SUITE_P(Units, IdealCouplerErrors,
                         ::testing::Values(IdealCase{"rbPower", "0", "W"}, IdealCase{"rbPerc", "0", "%"}, IdealCase{"rbDb", "0", "dB"}),
    ROW_NAMES(std::string(r.measButton)));

TEST_F(WindowTest, ErrorCellsInPowerShowTheRatioInDbWhenThePowerUnitIsNotWatts)
{
    Create();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    for (const char* unitButton : {"rbDbm", "rbDbkW"}) {
        Radio(unitButton)->setChecked(true);
        EXPECT_EQ(S(Text("lbPlincMinVunit")), unitButton == std::string("rbDbm") ? "dBm" : "dBkW");
        EXPECT_EQ(S(Text("lbPincMinE")), "-0.45");  // 10 log10 0.9025
        EXPECT_EQ(S(Text("lbPlincMinEunit")), "dB");
        EXPECT_EQ(Label("lbPlincMinEunit")->x(), 65);
        EXPECT_EQ(S(Text("lbPlincMaxE")), "0.42");  // 10 log10 1.1025
    }
    Radio("rbDb")->setChecked(true);
    // in dB a measured-value cell and its error cell show the same number
    EXPECT_EQ(S(Text("lbPincMinV")), "-0.45");
}

TEST_F(WindowTest, UndefinedRatiosOfAMatchedLoad)
{
    Create();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    Edit("edLoaMag")->setText("0");
    Edit("edLoaMag")->setModified(true);  // as typing would
    w->bEvaluateClick();
    EXPECT_EQ(Model().ErrReflMinus, 1e16);
    Radio("rbPower")->setChecked(true);
    // a matched load takes Pmatch = 10200 W; the reflected coupler reads the leak Pinc D^2
    EXPECT_EQ(S(Text("lbPrefMinV")), "102");
    EXPECT_EQ(S(Text("lbPrefMinE")), "102");
    for (const char* button : {"rbPerc", "rbDb"}) {
        Radio(button)->setChecked(true);
        for (const char* cell : {"lbPrefMinV", "lbPlreflMaxV", "lbPrefMinE", "lbPlreflMaxE"})
            EXPECT_EQ(S(Text(cell)), "Undefined") << button << " " << cell;
        EXPECT_NE(S(Text("lbPincMinV")), "Undefined");
    }
    Radio("rbPower")->setChecked(true);
    Radio("rbDbW")->setChecked(true);  // an error cell in Power with dBW reads the ratio
    EXPECT_EQ(S(Text("lbPrefMinE")), "Undefined");
}

TEST_F(WindowTest, SentinelsInEveryUnit)
{
    Create();
    Edit("edSrcMag")->setText("1");
    Edit("edSrcMag")->setModified(true);  // as typing would
    Edit("edLoaMag")->setText("1");
    Edit("edLoaMag")->setModified(true);  // as typing would
    w->bEvaluateClick();
    ASSERT_EQ(Model().Pav, 1e16);
    ASSERT_EQ(Model().InterfMax, 1e16);
    EXPECT_EQ(S(Text("lbPav")), "oo");
    EXPECT_EQ(S(Text("lbPavUnit")), "kW");
    for (const char* b : {"rbMagTr", "rbPercTr", "rbDbTr"}) {
        Radio(b)->setChecked(true);
        EXPECT_EQ(S(Text("lbIntMax2")), "+oo") << b;
    }
    Radio("rbDbm")->setChecked(true);
    EXPECT_EQ(S(Text("lbPav")), "+oo");
    // Pmatch / |1 - 1 x 1 at 90 deg|^2 = 10200 W / 2 = 5100 W = 67.08 dBm; at the
    // highest interference infinite
    EXPECT_EQ(S(Text("lbPinc2")), "67.08");
    EXPECT_EQ(S(Text("lbPincMax2")), "+oo");
    Radio("rbPerc")->setChecked(true);
    EXPECT_EQ(S(Text("lbPloadMinV")), "Undefined");
    EXPECT_EQ(S(Text("lbPloadMaxE")), "Undefined");
}

// A 0 dB coupler on a full reflection: the highest reported magnitude is the
// infinity sentinel, and it reads infinite in every representation.
TEST_F(WindowTest, AnInfiniteMeasuredMagnitudeReadsInfiniteEverywhere)
{
    Show();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    Edit("edDire")->setText("0");
    Edit("edDire")->setModified(true);  // as typing would
    Edit("edLoaMag")->setText("1");
    Edit("edLoaMag")->setModified(true);  // as typing would
    w->bEvaluateClick();
    ASSERT_EQ(Model().MeaMax.Mag, 1e16);
    const struct {
        int representation;
        const char* maxMeas;
        const char* maxError;
    } cases[] = {{0, "+oo", "+oo"}, {1, "+oo", ""}, {2, "+oo", ""}};
    for (const auto& c : cases) {
        Combo("cbMeaRfl")->setCurrentIndex(c.representation);
        w->cbMeaRflChange();
        EXPECT_EQ(S(Text("lbMagMax")), c.maxMeas) << c.representation;
        EXPECT_EQ(S(Text("lbMagMaxE")), c.maxError) << c.representation;
        EXPECT_EQ(S(Text("lbMag")), c.representation == 0 ? "1" : c.representation == 1 ? "0" : "+oo");
    }
}

// A reported magnitude of 1 or more has no finite SWR: "+oo", never the
// smaller number (1 + x) / (x - 1) would give. |Gl| = 0.8 (SWR 9) with a
// 10 dB coupler (D = 0.316228) reports up to 1.494245; with 40 dB (D = 0.01)
// up to 0.816532, SWR 9.901, and down to 0.783730, SWR 8.248.
TEST_F(WindowTest, AMeasuredMagnitudeOfOneOrMoreHasNoFiniteSwr)
{
    Show();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    const struct {
        const char* directivity;
        const char* maxSwr;
        const char* minSwr;
    } cases[] = {{"10", "+oo", nullptr}, {"40", "9.901", "8.248"}};
    for (const auto& c : cases) {
        // as typed: a text the program set is not read again
        for (const auto& [field, text] : {std::pair{"edDire", c.directivity}, {"edLoaMag", "0.8"}, {"edLoaPha", "90"}}) {
            Edit(field)->setText(text);
            Edit(field)->setModified(true);
        }
        w->bEvaluateClick();
        Combo("cbMeaRfl")->setCurrentIndex(2);
        w->cbMeaRflChange();
        EXPECT_EQ(S(Text("lbMag")), "9") << c.directivity;
        EXPECT_EQ(S(Text("lbMagMax")), c.maxSwr) << c.directivity;
        if (c.minSwr) {
            EXPECT_EQ(S(Text("lbMagMin")), c.minSwr) << c.directivity;
        }
    }
}

bool SameExceptUnits(TModel a, TModel b)
{
    a.SelUnit = b.SelUnit;
    a.SelErrUnit = b.SelErrUnit;
    const auto same = [](const merivane::TRefl& x, const merivane::TRefl& y) {
        return x.Mag == y.Mag && x.Pha == y.Pha && x.Rloss == y.Rloss && x.Swr == y.Swr && x.Mism == y.Mism;
    };
    return a.Va == b.Va && a.Ia == b.Ia && a.Eff == b.Eff && same(a.SrcRfl, b.SrcRfl) && same(a.LoaRfl, b.LoaRfl) &&
           same(a.MeaMin, b.MeaMin) && same(a.MeaMax, b.MeaMax) && a.Interf == b.Interf && a.InterfMin == b.InterfMin &&
           a.InterfMax == b.InterfMax && a.TrGain == b.TrGain && a.TrGainMin == b.TrGainMin && a.TrGainMax == b.TrGainMax &&
           a.Pav == b.Pav && a.Pmatch == b.Pmatch && a.Pinc == b.Pinc && a.PincMin == b.PincMin && a.PincMax == b.PincMax &&
           a.Prefl == b.Prefl && a.PreflMin == b.PreflMin && a.PreflMax == b.PreflMax && a.Pload == b.Pload &&
           a.PloadMin == b.PloadMin && a.PloadMax == b.PloadMax && a.CplIdeal == b.CplIdeal && a.CplDirDb == b.CplDirDb &&
           a.ErrInciMinus == b.ErrInciMinus && a.ErrInciPlus == b.ErrInciPlus && a.PincMinV == b.PincMinV &&
           a.PincMaxV == b.PincMaxV && a.ErrReflMinus == b.ErrReflMinus && a.ErrReflPlus == b.ErrReflPlus &&
           a.PreflMinV == b.PreflMinV && a.PreflMaxV == b.PreflMaxV && a.PloadMinV == b.PloadMinV &&
           a.PloadMaxV == b.PloadMaxV && a.PloadMinRelat == b.PloadMinRelat && a.PloadMaxRelat == b.PloadMaxRelat;
}

TEST_F(WindowTest, DisplayChoicesChangeNoModelField)
{
    Show();
    Choose("cbMeaRfl", 0);  // the focus leaves the anode voltage first
    // inputs that no longer match the model: a recomputation would show
    Edit("edAnodeV")->setText("1");
    const TModel before = Model();
    Radio("rbPercTr")->click();
    EXPECT_EQ(Model().SelUnit, 1);
    Radio("rbDb")->click();
    EXPECT_EQ(Model().SelErrUnit, 2);
    Choose("cbMeaRfl", 2);
    Choose("cbSrcMism", 1);
    Choose("cbLoaMism", 2);
    EXPECT_TRUE(SameExceptUnits(before, Model()));
    EXPECT_EQ(S(Text("lbSrcMism2")), "-0.18");  // 10 log10 0.96
    EXPECT_EQ(S(Text("lbLoaMism2")), "75");
    EXPECT_EQ(Edit("edAnodeV")->text(), "1");
}

TEST_F(WindowTest, StartupRendersTheWorkedExample)
{
    Create();
    EXPECT_EQ(S(Text("lbPmatch2")), "10.2");
    EXPECT_EQ(S(Text("lbPmatchUnit")), "kW");
    EXPECT_EQ(S(Text("lbPav")), "10.63");
    EXPECT_EQ(S(Text("lbSrcMism2")), "0.96");
    EXPECT_EQ(S(Text("lbLoaMism2")), "0.75");
    EXPECT_EQ(S(Text("lbInterf2")), "0.99");
    EXPECT_EQ(S(Text("lbIntMin2")), "0.826");
    EXPECT_EQ(S(Text("lbIntMax2")), "1.235");
    EXPECT_EQ(S(Text("lbTrGain2")), "0.713");
    EXPECT_EQ(S(Text("lbTrGmin")), "0.595");
    EXPECT_EQ(S(Text("lbTrGmax")), "0.889");
    EXPECT_EQ(S(Text("lbPinc2")), "10.1");
    EXPECT_EQ(S(Text("lbPincMin2")), "8.43");
    EXPECT_EQ(S(Text("lbPincMax2")), "12.59");
    EXPECT_EQ(S(Text("lbPrefl2")), "2.52");
    EXPECT_EQ(S(Text("lbPrefMin2")), "2.11");
    EXPECT_EQ(S(Text("lbPrefMax2")), "3.15");
    EXPECT_EQ(S(Text("lbPload2")), "7.57");
    EXPECT_EQ(S(Text("lbPloadMin")), "6.32");
    EXPECT_EQ(S(Text("lbPloadMax")), "9.44");
    EXPECT_EQ(S(Text("lbPincV")), "10.1");
    EXPECT_EQ(S(Text("lbPreflV")), "2.52");
    EXPECT_EQ(S(Text("lbPloadV")), "7.57");
}

TEST_F(WindowTest, RealCouplerRendersTheCouplerExample)
{
    Create();
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    EXPECT_EQ(S(Text("lbPincMinV")), "9.11");
    EXPECT_EQ(S(Text("lbPlincMaxV")), "11.13");
    EXPECT_EQ(S(Text("lbPrefMinV")), "1.62");
    EXPECT_EQ(S(Text("lbPlreflMaxV")), "3.64");
    EXPECT_EQ(S(Text("lbPloadMinV")), "5.48");
    EXPECT_EQ(S(Text("lbPloadMaxV")), "9.52");
    EXPECT_EQ(S(Text("lbPincMinE")), "-984.65");  // 9114.36 - 10099.01 W
    EXPECT_EQ(S(Text("lbPlincMinEunit")), "W");
    EXPECT_EQ(S(Text("lbPloadMinE")), "-2.1");  // -2095.55 W
    EXPECT_EQ(S(Text("lbPloadMinEunit")), "kW");
    Radio("rbPerc")->setChecked(true);
    EXPECT_EQ(S(Text("lbPloadMinV")), "72.33");
    EXPECT_EQ(S(Text("lbPloadMinE")), "-27.67");
    EXPECT_EQ(S(Text("lbPrefMinV")), "64");
    EXPECT_EQ(S(Text("lbPlreflMaxE")), "44");
}

}  // namespace
