// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's reader of one input, linked in: a limit changed in the
// input table is the command line's limit too, and the window's rules of
// phases, return losses and numbers beyond the double range hold in it.
#include "InputRows.h"
#include "Inputs.h"
#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

namespace present = merivane::present;
using merivane::InputId;

class ChangedLimitOnTheCommandLine : public ::testing::Test {
protected:
    void TearDown() override { present::InputRowForTest(present::Input::AnodeI).hi = savedHi_; }
    double savedHi_ = present::InputRow(present::Input::AnodeI).hi;
};

TEST_F(ChangedLimitOnTheCommandLine, ChangesTheClampAndItsWarning)
{
    present::InputRowForTest(present::Input::AnodeI).hi = 500;
    merivane::TCliCase c;
    const merivane::TReadResult r = merivane::ReadInput(InputId::Ia, "700", c);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(c.c.inputs.Ia, 500);
    EXPECT_EQ(r.warning, "\"700\": outside 0 .. 500, clamped to 500");
    const merivane::TReadResult below = merivane::ReadInput(InputId::Ia, "499.5", c);
    EXPECT_EQ(below.warning, "");
    EXPECT_EQ(c.c.inputs.Ia, 499.5);
}

struct TCliRead {
    const char* name;
    InputId id;
    const char* text;
    bool ok;
    double (*value)(const merivane::TCliCase&);
    double expected;
    bool warned;
};

double Ia(const merivane::TCliCase& c) { return c.c.inputs.Ia; }
double Eff(const merivane::TCliCase& c) { return c.c.inputs.Eff; }
double SrcPha(const merivane::TCliCase& c) { return c.c.inputs.SrcRfl.Pha; }
double LoaMag(const merivane::TCliCase& c) { return c.c.inputs.LoaRfl.Mag; }
double LoaPha(const merivane::TCliCase& c) { return c.c.inputs.LoaRfl.Pha; }

class CliReads : public ::testing::TestWithParam<TCliRead> {};

TEST_P(CliReads, AsTheWindowReads)
{
    const TCliRead& t = GetParam();
    merivane::TCliCase c;
    const merivane::TReadResult r = merivane::ReadInput(t.id, t.text, c);
    EXPECT_EQ(r.ok, t.ok) << r.error;
    EXPECT_NEAR(t.value(c), t.expected, 1e-15) << t.text;
    EXPECT_EQ(!r.warning.empty(), t.warned) << r.warning;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliReads,
    ::testing::Values(
        // phases wrap by whole turns, silently
        TCliRead{"phase 270", InputId::Source, "0.2@270", true, SrcPha, -90, false},
        TCliRead{"phase -200", InputId::Load, "0.5@-200", true, LoaPha, 160, false},
        TCliRead{"phase 720", InputId::Load, "0.5@720", true, LoaPha, 0, false},
        TCliRead{"phase 540", InputId::Load, "0.5@540", true, LoaPha, 180, false},
        // a positive dB is a return loss: |G| = 10^(-20/20)
        TCliRead{"db 20", InputId::Load, "db:20", true, LoaMag, 0.1, false},
        TCliRead{"db -20", InputId::Load, "db:-20", true, LoaMag, 0.1, false},
        // beyond the double range: clamped with a warning, or a reflection outside
        TCliRead{"current 1E400", InputId::Ia, "1E400", true, Ia, 1000, true},
        TCliRead{"efficiency 1E400", InputId::Eff, "1E400", true, Eff, 1, true},
        TCliRead{"efficiency -1E400", InputId::Eff, "-1E400", true, Eff, 0, true},
        TCliRead{"phase 1E400", InputId::Load, "0.5@1E400", true, LoaPha, 180, true},
        TCliRead{"magnitude 1E400", InputId::Load, "1E400", false, LoaMag, 0.5, false}),
    ROW_NAMES(std::string(r.name)));

TEST(CliMessages, QuoteAtMostFortyCharacters)
{
    merivane::TCliCase c;
    const std::string long_(1000, 'x');
    const merivane::TReadResult r = merivane::ReadInput(InputId::Ia, long_, c);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.error, "\"" + std::string(40, 'x') + "…\": not a number");
}

}  // namespace
