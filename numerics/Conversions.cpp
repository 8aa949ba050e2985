#include "Conversions.h"

#include <cmath>
#include <numbers>

namespace merivane {

using ext = long double;

const double Ln10 = static_cast<double>(std::log(10.0L));
const double PowRatioDb = static_cast<double>(10.0L / static_cast<ext>(Ln10));
const double FieldMagDb = static_cast<double>(20.0L / static_cast<ext>(Ln10));

TComplex MakeComplex(double a, double b) { return TComplex{a, b}; }

double ComplexAbs2(const TComplex& z)
{
    const ext re = z.Re, im = z.Im;
    return static_cast<double>(re * re + im * im);
}

TComplex PolarToRect(const TComplex& p)
{
    const double r = p.Re, theta = p.Im;
    double s = 0.0, c = 0.0;
    ::sincos(theta, &s, &c);
    return TComplex{static_cast<double>(static_cast<ext>(c) * r), static_cast<double>(static_cast<ext>(s) * r)};
}

TComplex PolarDegToRect(const TComplex& p)
{
    const double theta = static_cast<double>(std::numbers::pi_v<ext> * static_cast<ext>(p.Im) / 180.0L);
    return PolarToRect(TComplex{p.Re, theta});
}

TComplex ComplexMul(const TComplex& a, const TComplex& b)
{
    const ext ar = a.Re, ai = a.Im, br = b.Re, bi = b.Im;
    return TComplex{static_cast<double>(ar * br - ai * bi), static_cast<double>(ar * bi + br * ai)};
}

double Pow10(double x) { return std::pow(10.0, x); }

double DbToMag(double db) { return Pow10(static_cast<double>(static_cast<ext>(db) / 20.0L)); }

double MagToDb(double mag)
{
    if (!(mag > 1e-8)) return -160.0;
    return static_cast<double>(static_cast<ext>(std::log(mag)) * static_cast<ext>(FieldMagDb));
}

double RatioToDb(double ratio)
{
    if (!(ratio > 1e-16)) return -160.0;
    return static_cast<double>(static_cast<ext>(std::log(ratio)) * static_cast<ext>(PowRatioDb));
}

double MagToSwr(double mag)
{
    const ext x = mag;
    if (x < 0.9999L) return static_cast<double>((1.0L + x) / (1.0L - x));
    if (x <= 1.0001L) return 9999.999;
    return static_cast<double>((1.0L + x) / (x - 1.0L));
}

double SwrToMag(double swr)
{
    ext s = swr;
    if (s < 1.0L) s = 1.0L;
    return static_cast<double>((s - 1.0L) / (s + 1.0L));
}

}  // namespace merivane
