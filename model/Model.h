// The reflection record and the model state of the main window: plain fields,
// all zero (and CplIdeal false) when made.
#pragma once

#include <cstdint>

namespace merivane {

// One reflection coefficient.
struct TRefl {
    double Mag = 0.0;    // linear magnitude |G|
    double Pha = 0.0;    // phase, degrees
    double Rloss = 0.0;  // 20 log10 Mag, floor -160 (0 or negative for |G| <= 1)
    double Swr = 0.0;    // standing-wave ratio
    double Mism = 0.0;   // mismatch factor 1 - Mag^2: a result, 0 in an input
    bool operator==(const TRefl&) const = default;
};

// Stored wherever a division of the model fails; shown as infinite.
inline constexpr double kInfinity = 1e16;

// What the user enters of the model: the case holds these, and the
// computation starts from them.
struct TInputs {
    std::int32_t Va = 0;  // anode voltage, V
    double Ia = 0.0;      // anode current, A
    double Eff = 0.0;     // efficiency, fraction 0..1
    TRefl SrcRfl;         // source reflection (Mag, Pha and the form entered: Rloss, Swr)
    TRefl LoaRfl;         // load reflection
    double CplDirDb = 0.0;  // coupler directivity, dB, 0..160
    bool operator==(const TInputs&) const = default;
};

// The inputs with every result.
struct TModel : TInputs {
    TRefl MeaMin;         // lowest load reflection the couplers can report
    TRefl MeaMax;         // highest load reflection the couplers can report
    double Interf = 0.0, InterfMin = 0.0, InterfMax = 0.0;
    double TrGain = 0.0, TrGainMin = 0.0, TrGainMax = 0.0;
    double Pav = 0.0;     // available power, W
    double Pmatch = 0.0;  // power into a matched load, W
    double Pinc = 0.0, PincMin = 0.0, PincMax = 0.0;
    double Prefl = 0.0, PreflMin = 0.0, PreflMax = 0.0;
    double Pload = 0.0, PloadMin = 0.0, PloadMax = 0.0;
    std::int32_t SelUnit = 0;     // factor unit: 0 Mag, 1 %, 2 dB
    std::int32_t SelErrUnit = 0;  // measurement unit: 0 Power, 1 %, 2 dB
    bool CplIdeal = false;
    double ErrInciMinus = 0.0, ErrInciPlus = 0.0;
    double PincMinV = 0.0, PincMaxV = 0.0;
    double ErrReflMinus = 0.0, ErrReflPlus = 0.0;
    double PreflMinV = 0.0, PreflMaxV = 0.0;
    double PloadMinV = 0.0, PloadMaxV = 0.0;  // not a number when both readings are infinite
    double PloadMinRelat = 0.0, PloadMaxRelat = 0.0;
};

}  // namespace merivane
