// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --power-to-match W: the anode current becomes
// Ia = W / (Va Eff), so that Pmatch = Va Ia Eff is W; beyond the current's
// limits it is clamped with a warning, and a text that is no power is bad
// usage.
#include "Calc.h"
#include "RowNames.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject Json(const TRun& r) { return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object(); }

struct TPowerCase {
    const char* name;
    QStringList args;
    double amps;     // Ia = W / (Va Eff), by hand
    double pmatch;   // Va Ia Eff with that current
    bool warned;     // the current was clamped
};

class PowerToMatch : public ::testing::TestWithParam<TPowerCase> {};

TEST_P(PowerToMatch, SetsTheCurrentThatGivesThePower)
{
    const TPowerCase& t = GetParam();
    const TRun r = RunCalc(t.args + QStringList{"--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject doc = Json(r);
    EXPECT_NEAR(doc.value("inputs").toObject().value("ia").toDouble(), t.amps, 1e-12 * t.amps);
    EXPECT_NEAR(doc.value("results").toObject().value("Pmatch").toDouble(), t.pmatch, 1e-9 * t.pmatch);
    EXPECT_EQ(r.err.find("warning: --power-to-match") != std::string::npos, t.warned) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PowerToMatch,
    ::testing::Values(
        // 5100 / (4000 * 0.85) = 1.5 A
        TPowerCase{"5100 W at the defaults", {"--power-to-match", "5100"}, 1.5, 5100, false},
        // 2000 / (5000 * 0.8) = 0.5 A; Va and Eff are read first, whatever the order
        TPowerCase{"2000 W at 5000 V and 80 %", {"--power-to-match", "2000", "--va", "5000", "--eff", "80"}, 0.5, 2000,
                   false},
        TPowerCase{"0 W", {"--power-to-match", "0"}, 0, 0, false},
        // 1e7 / 3400 = 2941.2 A is above 1000 A: clamped, so Pmatch = 4000 * 1000 * 0.85
        TPowerCase{"10 MW clamped", {"--power-to-match", "1e7"}, 1000, 3.4e6, true}),
    ROW_NAMES(std::string(r.name)));

struct TBadPower {
    const char* name;
    QStringList args;
    const char* message;
};

class BadPowerToMatch : public ::testing::TestWithParam<TBadPower> {};

TEST_P(BadPowerToMatch, IsBadUsageWithTheReason)
{
    const TBadPower& t = GetParam();
    const TRun r = RunCalc(t.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(t.message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadPowerToMatch,
    ::testing::Values(
        TBadPower{"not a number", {"--power-to-match", "lots"}, "--power-to-match \"lots\": not a power in watts"},
        TBadPower{"negative", {"--power-to-match", "-5"}, "not a power in watts"},
        TBadPower{"beyond the doubles", {"--power-to-match", "1e400"}, "not a power in watts"},
        TBadPower{"no efficiency", {"--power-to-match", "100", "--eff", "0"}, "Va 0 or efficiency 0"},
        TBadPower{"beside ia", {"--power-to-match", "100", "--ia", "2"}, "--ia and --power-to-match"},
        TBadPower{"with a batch", {"--power-to-match", "100", "--batch", "-"}, "--power-to-match cannot be used with --batch"}),
    ROW_NAMES(std::string(r.name)));

TEST(PowerToMatchOption, IsInTheHelp)
{
    const TRun r = RunCalc({"--help"});
    EXPECT_NE(r.out.find("--power-to-match <W>"), std::string::npos);
}

}  // namespace
