// Ratio, decibel and reflection conversions, plus the small complex helpers.
#pragma once

namespace merivane {

// A complex number. Before PolarToRect the same record carries a polar pair:
// magnitude in Re, angle in Im.
struct TComplex {
    double Re = 0.0;
    double Im = 0.0;
};

// Process-wide constants, computed once at program start.
extern const double Ln10;        // ln 10
extern const double PowRatioDb;  // 10 / ln 10, formed from Ln10
extern const double FieldMagDb;  // 20 / ln 10, formed from Ln10

TComplex MakeComplex(double a, double b);
double ComplexAbs2(const TComplex& z);
// Each takes copies of its arguments, so the result may be stored back into
// one of them (z = ComplexMul(z, w)).
TComplex PolarToRect(const TComplex& p);     // (r cos t, r sin t), t in radians
TComplex PolarDegToRect(const TComplex& p);  // the angle in degrees, not reduced first
TComplex ComplexMul(const TComplex& a, const TComplex& b);

double Pow10(double x);
double DbToMag(double db);        // field magnitude 10^(dB/20), no floor or cap
double MagToDb(double mag);       // 20 log10, -160 at and below 1e-8
double RatioToDb(double ratio);   // 10 log10, -160 at and below 1e-16
double MagToSwr(double mag);      // 9999.999 within 0.9999 .. 1.0001
double SwrToMag(double swr);      // an SWR below 1 counts as 1

}  // namespace merivane
