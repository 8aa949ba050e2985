// SPDX-License-Identifier: GPL-3.0-or-later
// A reflection as merivane-calc and the case files write it: read through the
// input table's reader (a positive dB is a return loss, a phase wraps), with
// merivane-calc's messages, and written back in a text that reads back to the
// same doubles.
#include "EntryReader.h"
#include "InputValues.h"
#include "ReflectionText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace merivane;
using namespace merivane::present;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct TReadRow {
    const char* name;
    const char* text;
    int form;
    double mag, pha;  // expected, by hand
};

// |G| = 10^(RL/20): -20 dB is 0.1; SWR 3 is (3 - 1)/(3 + 1) = 0.5.
const TReadRow kReads[] = {
    {"PlainMagnitude", "0.5@90", 0, 0.5, 90},
    {"MagPrefix", "mag:0.25@-45", 0, 0.25, -45},
    {"NegativeDb", "db:-20@10", 1, 0.1, 10},
    {"PositiveDbIsAReturnLoss", "db:20@10", 1, 0.1, 10},
    {"PrefixInCapitals", "DB:-20@0", 1, 0.1, 0},
    {"Swr", "swr:3@180", 2, 0.5, 180},
    {"PhaseWrapsByWholeTurns", "0.5@370", 0, 0.5, 10},
    {"PhaseBelowWraps", "0.5@-190", 0, 0.5, 170},
    {"NoPhaseKeepsTheOneInForce", "0.3", 0, 0.3, 33},
};

class ReadReflection : public testing::TestWithParam<TReadRow> {};

TEST_P(ReadReflection, ReadsTheMagnitudeFormAndPhase)
{
    const TReadRow& t = GetParam();
    TRefl r;
    r.Pha = 33;
    int form = -5;
    const TInputReading reading = ReadReflectionInput(t.text, Input::SrcMag, Input::SrcPha, r, form);
    ASSERT_TRUE(reading.ok) << reading.error;
    EXPECT_EQ(reading.warning, "");
    EXPECT_EQ(form, t.form);
    EXPECT_NEAR(r.Mag, t.mag, 1e-12);
    EXPECT_NEAR(r.Pha, t.pha, 1e-12);
    EXPECT_NEAR(r.Swr, (1 + t.mag) / (1 - t.mag), 1e-9);
    EXPECT_NEAR(r.Rloss, 20 * std::log10(t.mag), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadReflection, testing::ValuesIn(kReads),
                         [](const auto& i) { return std::string(i.param.name); });

struct TErrorRow {
    const char* name;
    const char* text;
    const char* error;  // merivane-calc's message
};

const TErrorRow kErrors[] = {
    {"MagnitudeAboveOne", "1.5@0", "\"1.5@0\": magnitude outside 0 .. 1"},
    {"ReturnLossBeyondItsFloor", "db:-200", "\"db:-200\": return loss outside -160 .. 0 dB"},
    {"SwrBelowOne", "swr:0.5", "\"swr:0.5\": SWR outside 1 .. 100000"},
    {"MagnitudeNotANumber", "db:abc@0", "\"db:abc@0\": the magnitude \"abc\" is not a number"},
    {"PhaseNotANumber", "0.5@x", "\"0.5@x\": the phase \"x\" is not a number"},
    {"Empty", "", "\"\": the magnitude \"\" is not a number"},
};

class ReflectionError : public testing::TestWithParam<TErrorRow> {};

TEST_P(ReflectionError, IsRefusedWithMerivaneCalcsMessageAndChangesNothing)
{
    const TErrorRow& t = GetParam();
    TRefl r;
    r.Mag = 0.7;
    r.Pha = 12;
    int form = 2;
    const TInputReading reading = ReadReflectionInput(t.text, Input::LoaMag, Input::LoaPha, r, form);
    EXPECT_FALSE(reading.ok);
    EXPECT_EQ(reading.error, t.error);
    EXPECT_EQ(r.Mag, 0.7);
    EXPECT_EQ(r.Pha, 12.0);
    EXPECT_EQ(form, 2);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReflectionError, testing::ValuesIn(kErrors),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(ReflectionText, TheDefaultsAreWrittenAsTheWindowShowsThem)
{
    TModel m;
    SetFieldValue(m, Input::SrcMag, 0.2);
    SetFieldValue(m, Input::LoaMag, 0.5);
    m.LoaRfl.Pha = 90;
    EXPECT_EQ(ReflectionInputText(m.SrcRfl, 0, Input::SrcMag, Input::SrcPha), "0.2@0");
    EXPECT_EQ(ReflectionInputText(m.LoaRfl, 0, Input::LoaMag, Input::LoaPha), "0.5@90");
    EXPECT_EQ(ReflectionInputText(m.LoaRfl, 2, Input::LoaMag, Input::LoaPha), "swr:3@90");
    // no list item selected reads as Mag
    EXPECT_EQ(ReflectionInputText(m.LoaRfl, -1, Input::LoaMag, Input::LoaPha), "0.5@90");
}

struct TRoundRow {
    const char* name;
    int form;
    double value;  // in the form
    double pha;
};

const TRoundRow kRounds[] = {
    {"MagOfAThird", 0, 1.0 / 3, 0},
    {"MagNearOne", 0, 0.9995, -179.999},
    {"NoReflection", 0, 0, 0},
    {"FullReflection", 0, 1, 180},
    {"ReturnLossOfAHalf", 1, 20 * std::log10(0.5), 45.5},
    {"ReturnLossFloor", 1, -160, 0},
    {"OddSwr", 2, 2.718281828459045, 1e-9},
    {"SwrOfAFullReflection", 2, 9999.999, -90},
    {"SwrLimit", 2, 100000, 0.1 + 0.2},
};

class ReflectionRoundTrip : public testing::TestWithParam<TRoundRow> {};

TEST_P(ReflectionRoundTrip, TheWrittenTextReadsBackToTheSameDoubles)
{
    const TRoundRow& t = GetParam();
    TModel m;
    SetFieldValue(m, Input::LoaMag, t.value, t.form);
    m.LoaRfl.Pha = t.pha;
    const std::string text = ReflectionInputText(m.LoaRfl, t.form, Input::LoaMag, Input::LoaPha);
    TRefl back;
    int form = -1;
    const TInputReading r = ReadReflectionInput(text, Input::LoaMag, Input::LoaPha, back, form);
    ASSERT_TRUE(r.ok) << text << ": " << r.error;
    EXPECT_EQ(r.warning, "") << text;
    EXPECT_EQ(form, t.form) << text;
    EXPECT_TRUE(SameBits(back.Mag, m.LoaRfl.Mag)) << text;
    EXPECT_TRUE(SameBits(back.Rloss, m.LoaRfl.Rloss)) << text;
    EXPECT_TRUE(SameBits(back.Swr, m.LoaRfl.Swr)) << text;
    EXPECT_TRUE(SameBits(back.Pha, m.LoaRfl.Pha)) << text;
}

INSTANTIATE_TEST_SUITE_P(Values, ReflectionRoundTrip, testing::ValuesIn(kRounds),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(ReadInputNumber, ClampsWithMerivaneCalcsWarning)
{
    double v = 0;
    TInputReading r = ReadInputNumber(Input::AnodeV, "200000", v);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(v, 100000.0);
    EXPECT_EQ(r.warning, "\"200000\": outside 0 .. 100000, clamped to 100000");
    r = ReadInputNumber(Input::AnodeV, "4.5 kV", v);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(v, 4500.0);
    v = 7;
    r = ReadInputNumber(Input::AnodeV, "4000.5", v);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "\"4000.5\": not a whole number");
    EXPECT_EQ(v, 7.0);
}

}  // namespace
