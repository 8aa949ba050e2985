#include "Cells.h"

#include "CellRules.h"

namespace merivane::present {

namespace {

using ext = long double;
using M = const TModel&;
using D = const TDisplay&;

double Diff(double a, double b) { return static_cast<double>(static_cast<ext>(a) - b); }

constexpr const char* kOutputRows[] = {"Power to Match", "(Available Power)"};
constexpr const char* kMismatchRows[] = {"Mismatch"};
constexpr const char* kTransRows[] = {"Interference Factor", "Transducer Gain", "Incident Power", "Reflected Power",
                                      "Absorbed Power"};
constexpr const char* kTransColumns[] = {"Actual Value", "Min Value", "Max Value"};
constexpr const char* kMeasRows[] = {"Incident Power", "Reflected Power", "Absorbed Power"};
constexpr const char* kMeasColumns[] = {"True Value", "Min Meas", "Max Meas", "Min Error", "Max Error"};
constexpr const char* kLoadRows[] = {"Load Reflection Coefficient Magnitude"};
constexpr const char* kLoadColumns[] = {"True Value", "Min Meas", "Max Meas", "Min Error %", "Max Error %"};

const TRegionSpec kRegions[] = {
    {Region::MagnetronOutput, "Magnetron Output", kOutputRows, {}},
    {Region::SourceReflection, "Source Reflection", kMismatchRows, {}},
    {Region::LoadReflection, "Load Reflection", kMismatchRows, {}},
    {Region::Transmission, "Transmission", kTransRows, kTransColumns},
    {Region::PowerMeas, "Power Meas", kMeasRows, kMeasColumns},
    {Region::LoadMeas, "Load Meas", kLoadRows, kLoadColumns},
};

TCell Power(double w, D d) { return PowerCell(w, d.power); }
TCell Meas(bool err, double ratio, double w, M m, D d) { return MeaPowerCell(err, ratio, w, m.SelErrUnit, d.power); }

using R = Region;
const TResultCell kCells[] = {
    {R::MagnetronOutput, 0, 0, "Panel11", "lbPmatch2", "lbPmatchUnit", "Power to Match", [](M m, D d) { return Power(m.Pmatch, d); }},
    {R::MagnetronOutput, 1, 0, "Panel1", "lbPav", "lbPavUnit", "Available Power", [](M m, D d) { return Power(m.Pav, d); }},
    {R::SourceReflection, 0, 0, "Panel2", "lbSrcMism2", nullptr, "Source Mismatch", [](M m, D d) { return MismCell(m.SrcRfl, d.srcMism); }},
    {R::LoadReflection, 0, 0, "Panel14", "lbLoaMism2", nullptr, "Load Mismatch", [](M m, D d) { return MismCell(m.LoaRfl, d.loaMism); }},

    {R::Transmission, 0, 0, "Panel15", "lbInterf2", "lbIfcUn", "Interference Factor, Actual Value", [](M m, D) { return FactorCell(m.Interf, m.SelUnit); }},
    {R::Transmission, 0, 1, "Panel16", "lbIntMin2", "lbIfcMinUn", "Interference Factor, Min Value", [](M m, D) { return FactorCell(m.InterfMin, m.SelUnit); }},
    {R::Transmission, 0, 2, "Panel17", "lbIntMax2", "lbIfcMaxUn", "Interference Factor, Max Value", [](M m, D) { return FactorCell(m.InterfMax, m.SelUnit); }},
    {R::Transmission, 1, 0, "Panel5", "lbTrGain2", "lbTrGainUn", "Transducer Gain, Actual Value", [](M m, D) { return FactorCell(m.TrGain, m.SelUnit); }},
    {R::Transmission, 1, 1, "Panel28", "lbTrGmin", "lbTrGminU", "Transducer Gain, Min Value", [](M m, D) { return FactorCell(m.TrGainMin, m.SelUnit); }},
    {R::Transmission, 1, 2, "Panel29", "lbTrGmax", "lbTrGmaxU", "Transducer Gain, Max Value", [](M m, D) { return FactorCell(m.TrGainMax, m.SelUnit); }},
    {R::Transmission, 2, 0, "Panel6", "lbPinc2", "lbPincUnit", "Incident Power, Actual Value", [](M m, D d) { return Power(m.Pinc, d); }},
    {R::Transmission, 2, 1, "Panel3", "lbPincMin2", "lbPincMinUnit", "Incident Power, Min Value", [](M m, D d) { return Power(m.PincMin, d); }},
    {R::Transmission, 2, 2, "Panel4", "lbPincMax2", "lbPincMaxUnit", "Incident Power, Max Value", [](M m, D d) { return Power(m.PincMax, d); }},
    {R::Transmission, 3, 0, "Panel8", "lbPrefl2", "lbPreflUnit", "Reflected Power, Actual Value", [](M m, D d) { return Power(m.Prefl, d); }},
    {R::Transmission, 3, 1, "Panel9", "lbPrefMin2", "lbPrefMinUnit", "Reflected Power, Min Value", [](M m, D d) { return Power(m.PreflMin, d); }},
    {R::Transmission, 3, 2, "Panel18", "lbPrefMax2", "lbPrefMaxUnit", "Reflected Power, Max Value", [](M m, D d) { return Power(m.PreflMax, d); }},
    {R::Transmission, 4, 0, "Panel10", "lbPload2", "lbPloadUnit", "Absorbed Power, Actual Value", [](M m, D d) { return Power(m.Pload, d); }},
    {R::Transmission, 4, 1, "Panel34", "lbPloadMin", "lbPloadMinU", "Absorbed Power, Min Value", [](M m, D d) { return Power(m.PloadMin, d); }},
    {R::Transmission, 4, 2, "Panel35", "lbPloadMax", "lbPloadMaxU", "Absorbed Power, Max Value", [](M m, D d) { return Power(m.PloadMax, d); }},

    {R::PowerMeas, 0, 0, "Panel7", "lbPincV", "lbPincVunit", "Incident Power, True Value", [](M m, D d) { return Power(m.Pinc, d); }},
    {R::PowerMeas, 0, 1, "Panel21", "lbPincMinV", "lbPlincMinVunit", "Incident Power, Min Meas", [](M m, D d) { return Meas(false, m.ErrInciMinus, m.PincMinV, m, d); }},
    {R::PowerMeas, 0, 2, "Panel22", "lbPlincMaxV", "lbPlincMaxVunit", "Incident Power, Max Meas", [](M m, D d) { return Meas(false, m.ErrInciPlus, m.PincMaxV, m, d); }},
    {R::PowerMeas, 0, 3, "Panel13", "lbPincMinE", "lbPlincMinEunit", "Incident Power, Min Error", [](M m, D d) { return Meas(true, m.ErrInciMinus, Diff(m.PincMinV, m.Pinc), m, d); }},
    {R::PowerMeas, 0, 4, "Panel32", "lbPlincMaxE", "lbPlincMaxEunit", "Incident Power, Max Error", [](M m, D d) { return Meas(true, m.ErrInciPlus, Diff(m.PincMaxV, m.Pinc), m, d); }},
    {R::PowerMeas, 1, 0, "Panel19", "lbPreflV", "lbPreflVUnit", "Reflected Power, True Value", [](M m, D d) { return Power(m.Prefl, d); }},
    {R::PowerMeas, 1, 1, "Panel23", "lbPrefMinV", "lbPreflMinVunit", "Reflected Power, Min Meas", [](M m, D d) { return Meas(false, m.ErrReflMinus, m.PreflMinV, m, d); }},
    {R::PowerMeas, 1, 2, "Panel24", "lbPlreflMaxV", "lbPreflMaxVunit", "Reflected Power, Max Meas", [](M m, D d) { return Meas(false, m.ErrReflPlus, m.PreflMaxV, m, d); }},
    {R::PowerMeas, 1, 3, "Panel27", "lbPrefMinE", "lbPreflMinEunit", "Reflected Power, Min Error", [](M m, D d) { return Meas(true, m.ErrReflMinus, Diff(m.PreflMinV, m.Prefl), m, d); }},
    {R::PowerMeas, 1, 4, "Panel31", "lbPlreflMaxE", "lbPreflMaxEunit", "Reflected Power, Max Error", [](M m, D d) { return Meas(true, m.ErrReflPlus, Diff(m.PreflMaxV, m.Prefl), m, d); }},
    {R::PowerMeas, 2, 0, "Panel20", "lbPloadV", "lbPloadVUnit", "Absorbed Power, True Value", [](M m, D d) { return Power(m.Pload, d); }},
    {R::PowerMeas, 2, 1, "Panel25", "lbPloadMinV", "lbPloadMinVunit", "Absorbed Power, Min Meas", [](M m, D d) { return Meas(false, m.PloadMinRelat, m.PloadMinV, m, d); }},
    {R::PowerMeas, 2, 2, "Panel26", "lbPloadMaxV", "lbPloadMaxVunit", "Absorbed Power, Max Meas", [](M m, D d) { return Meas(false, m.PloadMaxRelat, m.PloadMaxV, m, d); }},
    {R::PowerMeas, 2, 3, "Panel30", "lbPloadMinE", "lbPloadMinEunit", "Absorbed Power, Min Error", [](M m, D d) { return Meas(true, m.PloadMinRelat, Diff(m.PloadMinV, m.Pload), m, d); }},
    {R::PowerMeas, 2, 4, "Panel33", "lbPloadMaxE", "lbPloadMaxEunit", "Absorbed Power, Max Error", [](M m, D d) { return Meas(true, m.PloadMaxRelat, Diff(m.PloadMaxV, m.Pload), m, d); }},

    {R::LoadMeas, 0, 0, "Panel36", "lbMag", nullptr, "Load Reflection Coefficient Magnitude, True Value", [](M m, D d) { return MeaRflCell(m.LoaRfl, d.meaRfl); }},
    {R::LoadMeas, 0, 1, "Panel37", "lbMagMin", nullptr, "Load Reflection Coefficient Magnitude, Min Meas", [](M m, D d) { return MeaRflCell(m.MeaMin, d.meaRfl); }},
    {R::LoadMeas, 0, 2, "Panel38", "lbMagMax", nullptr, "Load Reflection Coefficient Magnitude, Max Meas", [](M m, D d) { return MeaRflCell(m.MeaMax, d.meaRfl); }},
    {R::LoadMeas, 0, 3, "paMagMinE", "lbMagMinE", nullptr, "Load Reflection Coefficient Magnitude, Min Error %", [](M m, D d) { return MeaRflErrCell(m.MeaMin, m.LoaRfl, d.meaRfl); }},
    {R::LoadMeas, 0, 4, "paMagMaxE", "lbMagMaxE", nullptr, "Load Reflection Coefficient Magnitude, Max Error %", [](M m, D d) { return MeaRflErrCell(m.MeaMax, m.LoaRfl, d.meaRfl); }},
};

}  // namespace

std::span<const TRegionSpec> Regions() { return kRegions; }

const TRegionSpec& RegionOf(Region r)
{
    for (const TRegionSpec& s : kRegions)
        if (s.region == r) return s;
    return kRegions[0];
}

std::span<const TResultCell> ResultCells() { return kCells; }

}  // namespace merivane::present
