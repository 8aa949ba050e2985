// SPDX-License-Identifier: GPL-3.0-or-later
// The Applicator view's edits of the feeds, each a case as it should become,
// and the texts it shows of a lossless two-port worked by hand: each feed
// gets back all that the other sends.
#include "ApplicatorEdits.h"
#include "ApplicatorTexts.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <complex>

namespace merivane::present {
namespace {

// The same S at 2400 and 2500 MHz, ports*ports row by row.
TApplicatorData Flat(int ports, const std::vector<std::complex<double>>& s)
{
    TApplicatorData d{ports, {2.4e9, 2.5e9}, s};
    d.s.insert(d.s.end(), s.begin(), s.end());
    return d;
}

// Feed 1: 1000 W at the case's frequency; feed 2: 500 W at 2460 MHz through
// 20 dB of isolation into a dummy load rated 800 W.
TCase TwoFeeds()
{
    TCase c = DefaultCase();  // 2450 MHz
    c.applicator = TApplicatorCase{"through.s2p", Flat(2, {0, 1, 1, 0}), {{1000, {}, 0, 0}, {500, 2460, 20, 800}}};
    return c;
}

struct TFeedEditRow {
    const char* name;
    int feed;
    FeedColumn column;
    const char* text;
    TFeedCase after;     // the feed edited, as it should stand afterwards
    const char* error;   // words of the reason when refused; "" for none
};

class FeedEdit : public ::testing::TestWithParam<TFeedEditRow> {};

TEST_P(FeedEdit, TakesANumberWithinItsRowsLimitsOrRefusesIt)
{
    const TFeedEditRow& r = GetParam();
    TCase c = TwoFeeds();
    const TCase before = c;
    std::string error;
    const bool changed = SetFeedEntry(c, r.feed, r.column, r.text, error);
    EXPECT_EQ(c.applicator->feeds[static_cast<std::size_t>(r.feed)], r.after);
    EXPECT_EQ(changed, !(c == before));
    EXPECT_EQ(changed, before.applicator->feeds[static_cast<std::size_t>(r.feed)] != r.after);
    if (*r.error) EXPECT_NE(error.find(r.error), std::string::npos) << error;
    else EXPECT_EQ(error, "");
}

constexpr TFeedCase kFeed1{1000, {}, 0, 0};
constexpr TFeedCase kFeed2{500, 2460, 20, 800};

INSTANTIATE_TEST_SUITE_P(
    Applicator, FeedEdit,
    ::testing::Values(
        TFeedEditRow{"power", 0, FeedColumn::Power, " 750 ", {750, {}, 0, 0}, ""},
        TFeedEditRow{"power_the_same", 0, FeedColumn::Power, "1000", kFeed1, ""},
        TFeedEditRow{"power_negative", 0, FeedColumn::Power, "-5", kFeed1, "outside 0 \u2026 1000000000 W"},
        TFeedEditRow{"power_above_the_limit", 1, FeedColumn::Power, "2e9", kFeed2, "feed 2, Power (W)"},
        TFeedEditRow{"power_not_a_number", 0, FeedColumn::Power, "lots", kFeed1, "is not a number"},
        TFeedEditRow{"frequency_in_ghz", 0, FeedColumn::Frequency, "2.44 GHz", {1000, 2440, 0, 0}, ""},
        TFeedEditRow{"frequency_cleared_follows_the_case", 1, FeedColumn::Frequency, " ", {500, {}, 20, 800}, ""},
        TFeedEditRow{"frequency_cleared_already_following", 0, FeedColumn::Frequency, "", kFeed1, ""},
        TFeedEditRow{"frequency_below_1_mhz", 0, FeedColumn::Frequency, "0.5", kFeed1, "outside 1 \u2026 100000 MHz"},
        TFeedEditRow{"isolation", 0, FeedColumn::Isolation, "23.5", {1000, {}, 23.5, 0}, ""},
        TFeedEditRow{"isolation_negative", 1, FeedColumn::Isolation, "-3", kFeed2, "outside 0 \u2026 100 dB"},
        TFeedEditRow{"isolation_above_100", 1, FeedColumn::Isolation, "101", kFeed2, "outside"},
        TFeedEditRow{"rating", 1, FeedColumn::DummyRating, "2000", {500, 2460, 20, 2000}, ""},
        TFeedEditRow{"rating_negative", 1, FeedColumn::DummyRating, "-1", kFeed2, "Dummy Load Rating (W)"}),
    ROW_NAMES(std::string(r.name)));

TEST(ApplicatorEdits, RefusesAFeedBeyondThePortsAndRemovesTheApplicatorOnce)
{
    TCase c = TwoFeeds();
    std::string error;
    EXPECT_FALSE(SetFeedEntry(c, 2, FeedColumn::Power, "10", error));
    EXPECT_TRUE(RemoveApplicator(c));
    EXPECT_FALSE(c.applicator);
    EXPECT_FALSE(RemoveApplicator(c));
    EXPECT_FALSE(SetFeedEntry(c, 0, FeedColumn::Power, "10", error));
}

// Lossless through-line: P_ret,1 = |S12|² P2 = 500 W, P_ret,2 = 1000 W.
// Feed 2's isolator passes 1000 W 10^-2 = 10 W to its tube and 990 W to a
// dummy load rated 800 W: 190 W over, 10 log10(800 / 990) = -0.93 dB.
TEST(ApplicatorTexts, AThroughLineSendsEachFeedWhatTheOtherSends)
{
    const TSnapshot s = ComputeCase(TwoFeeds(), 0);
    ASSERT_EQ(s.applicator.error, "");
    ASSERT_EQ(s.applicator.result.feeds.size(), 2u);
    const TApplicatorFeed& f1 = s.applicator.result.feeds[0];
    const TApplicatorFeed& f2 = s.applicator.result.feeds[1];
    const TFeedCase& in1 = s.c.applicator->feeds[0];
    const TFeedCase& in2 = s.c.applicator->feeds[1];
    struct {
        const TApplicatorFeed& f;
        const TFeedCase& in;
        int column;
        const char* text;
    } const cells[] = {
        {f1, in1, 0, "500 W"},  {f1, in1, 1, "0 W"},    {f1, in1, 2, "500 W"},
        {f1, in1, 4, "0.7071"}, {f1, in1, 5, "5.828"},  {f1, in1, 8, ""},  // (1 + 0.7071) / (1 - 0.7071)
        {f2, in2, 0, "1 kW"},   {f2, in2, 4, "1.4142"}, {f2, in2, 5, "\u221e"},
        {f2, in2, 6, "10 W"},   {f2, in2, 7, "990 W"},  {f2, in2, 8, "\u2212190 W (\u22120.93 dB)"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(ApplicatorCell(c.f, c.in, c.column, PowerUnit::Watts), c.text) << "column " << c.column;
    EXPECT_FALSE(DummyOverloaded(f1, in1));
    EXPECT_TRUE(DummyOverloaded(f2, in2));
    const auto totals = ApplicatorTotals(s);
    ASSERT_EQ(totals.size(), 4u);
    EXPECT_EQ(totals[0].second, "0 W");  // nothing absorbed: all comes back
    EXPECT_EQ(totals[3].second, "feed 2, 1 kW returned");
    const std::vector<TSection> sections = ApplicatorSections(s);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[1].rows.size(), 2u);
    EXPECT_EQ(StrongestText(s.applicator.couplings), "Strongest: S21 0.0 dB");
}

TEST(ApplicatorTexts, TheMatrixShadesLinearlyInDbDownToItsFloor)
{
    const struct {
        double db, strength;
        const char* text;
    } rows[] = {{0, 1, "0.0"},          {3, 1, "+3.0"},         {-10, 0.75, "\u221210.0"},
                {-40, 0, "\u221240.0"}, {-160, 0, "\u2212160.0"}};
    for (const auto& r : rows) {
        EXPECT_DOUBLE_EQ(MatrixStrength(r.db), r.strength) << r.db;
        EXPECT_EQ(MatrixDbText(r.db), r.text);
    }
    EXPECT_EQ(CouplingName({1, 3, 0.1, -20}), "S31");
    EXPECT_EQ(CouplingName({2, 12, 0.1, -20}), "S12,2");
}

}  // namespace
}  // namespace merivane::present
