#include "Conversions.h"
#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace merivane {
namespace {

struct Case {
    const char* name;
    double (*fn)(double);
    double in;
    double expected;
    double tol;  // 0: exact
};

class ConversionTable : public ::testing::TestWithParam<Case> {};

TEST_P(ConversionTable, GivesExpected)
{
    const Case& c = GetParam();
    const double got = c.fn(c.in);
    if (c.tol == 0.0)
        EXPECT_EQ(got, c.expected) << c.name << "(" << c.in << ")";
    else
        EXPECT_NEAR(got, c.expected, c.tol) << c.name << "(" << c.in << ")";
}

INSTANTIATE_TEST_SUITE_P(
    EdgesAndFloors, ConversionTable,
    ::testing::Values(
        Case{"MagToDb", MagToDb, 1.0, 0.0, 1e-15}, Case{"MagToDb", MagToDb, 0.5, -6.0206, 5e-5},
        Case{"MagToDb", MagToDb, 2.0, 6.0206, 5e-5}, Case{"MagToDb", MagToDb, 1e-8, -160.0, 0},
        Case{"MagToDb", MagToDb, 0.0, -160.0, 0}, Case{"MagToDb", MagToDb, -0.3, -160.0, 0},
        // just above the floor the logarithm takes over (a hair above -160)
        Case{"MagToDb", MagToDb, 1.0000001e-8, -159.99999, 1e-4},
        Case{"MagToDb", MagToDb, 0.1, -20.0, 1e-12},
        Case{"RatioToDb", RatioToDb, 1.0, 0.0, 1e-15}, Case{"RatioToDb", RatioToDb, 0.5, -3.0103, 5e-5},
        Case{"RatioToDb", RatioToDb, 1e-16, -160.0, 0}, Case{"RatioToDb", RatioToDb, 0.0, -160.0, 0},
        Case{"RatioToDb", RatioToDb, -5.0, -160.0, 0}, Case{"RatioToDb", RatioToDb, 1e-15, -150.0, 1e-10},
        Case{"RatioToDb", RatioToDb, 1000.0, 30.0, 1e-12},
        Case{"DbToMag", DbToMag, 0.0, 1.0, 0}, Case{"DbToMag", DbToMag, -20.0, 0.1, 1e-16},
        Case{"DbToMag", DbToMag, -160.0, 1e-8, 1e-23}, Case{"DbToMag", DbToMag, 6.0206, 2.0, 1e-4},
        Case{"Pow10", Pow10, 3.0, 1000.0, 0}, Case{"Pow10", Pow10, -2.0, 0.01, 1e-18},
        Case{"MagToSwr", MagToSwr, 0.0, 1.0, 0}, Case{"MagToSwr", MagToSwr, 0.5, 3.0, 1e-15},
        Case{"MagToSwr", MagToSwr, 0.9998, 9999.0, 1e-8},
        // the window of fixed values includes both ends
        Case{"MagToSwr", MagToSwr, 0.9999, 9999.999, 0}, Case{"MagToSwr", MagToSwr, 1.0, 9999.999, 0},
        Case{"MagToSwr", MagToSwr, 1.0001, 9999.999, 0},
        // just below the window the formula overshoots the cap: not monotonic
        Case{"MagToSwr", MagToSwr, 0.99989, 1.99989 / 0.00011, 1e-3},
        Case{"MagToSwr", MagToSwr, 1.5, 5.0, 1e-15}, Case{"MagToSwr", MagToSwr, -0.5, 1.0 / 3.0, 1e-16},
        Case{"MagToSwr", MagToSwr, 1.00011, 2.00011 / 0.00011, 1e-3},
        Case{"SwrToMag", SwrToMag, 1.0, 0.0, 0}, Case{"SwrToMag", SwrToMag, 3.0, 0.5, 0},
        Case{"SwrToMag", SwrToMag, 0.5, 0.0, 0}, Case{"SwrToMag", SwrToMag, -7.0, 0.0, 0},
        Case{"SwrToMag", SwrToMag, 9999.999, 0.99980002, 1e-8},
        Case{"SwrToMag", SwrToMag, 100000.0, 0.99998, 1e-9}),
    ROW_NAMES(std::string(r.name) + "_" + rows::Num(r.in)));

TEST(Conversions, SwrRoundTripStaysAtTheCap)
{
    EXPECT_NEAR(MagToSwr(SwrToMag(9999.999)), 9999.999, 1e-6);
    EXPECT_NEAR(MagToSwr(SwrToMag(3.0)), 3.0, 1e-14);
}

TEST(Conversions, NotMonotonicAroundTheWindow)
{
    EXPECT_GT(MagToSwr(0.99989), MagToSwr(0.9999));
    EXPECT_GT(MagToSwr(0.99989), 18180.0);
}

TEST(Conversions, StartupConstantsComeFromLn10)
{
    EXPECT_DOUBLE_EQ(Ln10, std::log(10.0));
    EXPECT_DOUBLE_EQ(PowRatioDb, 10.0 / std::log(10.0));
    EXPECT_DOUBLE_EQ(FieldMagDb, 2.0 * PowRatioDb);
}

TEST(Complex, PolarDegToRectAtRightAngleIsNotExactlyZero)
{
    const TComplex z = PolarDegToRect(MakeComplex(0.5, 90.0));
    EXPECT_NE(z.Re, 0.0);
    EXPECT_NEAR(z.Re, 3.06e-17, 0.01e-17);
    EXPECT_EQ(z.Im, 0.5);
}

TEST(Complex, PolarDegToRectAtZeroIsExact)
{
    const TComplex z = PolarDegToRect(MakeComplex(1.0, 0.0));
    EXPECT_EQ(z.Re, 1.0);
    EXPECT_EQ(z.Im, 0.0);
}

TEST(Complex, PolarAngleIsNotReduced)
{
    const TComplex a = PolarDegToRect(MakeComplex(2.0, 30.0));
    const TComplex b = PolarDegToRect(MakeComplex(2.0, 390.0));
    EXPECT_NEAR(a.Re, std::sqrt(3.0), 1e-15);
    EXPECT_NEAR(a.Im, 1.0, 1e-15);
    EXPECT_NEAR(b.Re, a.Re, 1e-14);
    EXPECT_NEAR(b.Im, a.Im, 1e-14);
}

TEST(Complex, ResultMayBeStoredBackIntoAnArgument)
{
    TComplex a = MakeComplex(1.0, 2.0);
    const TComplex b = MakeComplex(3.0, 4.0);
    a = ComplexMul(a, b);  // (1+2j)(3+4j) = -5+10j
    EXPECT_EQ(a.Re, -5.0);
    EXPECT_EQ(a.Im, 10.0);

    TComplex c = MakeComplex(1.0, 2.0);
    c = ComplexMul(c, c);  // (1+2j)^2 = -3+4j
    EXPECT_EQ(c.Re, -3.0);
    EXPECT_EQ(c.Im, 4.0);

    TComplex p = MakeComplex(2.0, std::numbers::pi / 2);  // in place, radians
    p = PolarToRect(p);
    EXPECT_NEAR(p.Re, 0.0, 1e-15);
    EXPECT_EQ(p.Im, 2.0);

    TComplex q = MakeComplex(4.0, 180.0);
    q = PolarDegToRect(q);
    EXPECT_EQ(q.Re, -4.0);
    EXPECT_NEAR(q.Im, 0.0, 1e-15);
}

TEST(Complex, MultiplyingByOneKeepsTheFactor)
{
    const TComplex z = MakeComplex(-0.3, 0.7);
    const TComplex r = ComplexMul(MakeComplex(1.0, 0.0), z);
    EXPECT_EQ(r.Re, z.Re);
    EXPECT_EQ(r.Im, z.Im);
    EXPECT_EQ(ComplexAbs2(MakeComplex(3.0, 4.0)), 25.0);
}

}  // namespace
}  // namespace merivane
