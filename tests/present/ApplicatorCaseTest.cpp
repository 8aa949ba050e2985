// SPDX-License-Identifier: GPL-3.0-or-later
// An applicator in the case: the case file keeps its measurement and feeds
// bit for bit and refuses a damaged section with its place; the snapshot of
// hand-worked cases; the Touchstone file read into the case.
#include "CaseFile.h"
#include "CaseModel.h"
#include "InputRows.h"

#include "RowNames.h"
#include "TempFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <numbers>
#include <cmath>
#include <complex>
#include <cstdint>

namespace merivane::present {
namespace {

using C = std::complex<double>;

// A matched 3-port whose ports 1 and 2 couple by 0.1 both ways, nothing else,
// at 2400 and 2500 MHz: S11 = S22 = S33 = 0, S12 = S21 = 0.1.
TApplicatorData MatchedThreePort()
{
    TApplicatorData d;
    d.ports = 3;
    d.frequencyHz = {2400e6, 2500e6};
    const std::vector<C> at = {0, 0.1, 0, 0.1, 0, 0, 0, 0, 0};
    d.s = at;
    d.s.insert(d.s.end(), at.begin(), at.end());
    return d;
}

TCase WithApplicator(TApplicatorData d, std::vector<TFeedCase> feeds)
{
    TCase c = DefaultCase();
    c.applicator = TApplicatorCase{"oven.s3p", std::move(d), std::move(feeds)};
    return c;
}

TFeedCase Feed(double w) { return {w, std::nullopt, 0, 0}; }

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

TEST(ApplicatorCaseFile, KeepsTheMeasurementAndTheFeedsBitForBit)
{
    // numbers no short decimal holds, and the ends of the double range
    TApplicatorData d;
    d.ports = 2;
    d.frequencyHz = {2.4500000001e9, 2.4500000001e9, 2450123456.789};
    for (int k = 0; k < 3; ++k)
        d.s.insert(d.s.end(), {C(0.1 + 0.2, -1.0 / 3), C(1e-300, 1.7976931348623157e308), C(-2.0 / 7, std::sqrt(0.5)),
                               C(k, -std::numbers::pi / (k + 1))});
    const TCase c = WithApplicator(d, {{1234.5678901234567, 2450.123456789, 20.25, 3000}, Feed(1.0 / 3)});
    const std::string text = CaseFileText(c);
    const TCaseReadResult r = ReadCaseFile(text);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warning, "");
    ASSERT_TRUE(r.c.applicator);
    EXPECT_TRUE(r.c == c);
    const TApplicatorCase& back = *r.c.applicator;
    ASSERT_EQ(back.data.s.size(), d.s.size());
    for (std::size_t i = 0; i < d.s.size(); ++i) {
        EXPECT_EQ(Bits(back.data.s[i].real()), Bits(d.s[i].real())) << i;
        EXPECT_EQ(Bits(back.data.s[i].imag()), Bits(d.s[i].imag())) << i;
    }
    EXPECT_EQ(Bits(back.feeds[0].powerW), Bits(1234.5678901234567));
    EXPECT_EQ(Bits(*back.feeds[0].frequencyMHz), Bits(2450.123456789));
    EXPECT_FALSE(back.feeds[1].frequencyMHz);  // null: the case's frequency
    EXPECT_EQ(CaseFileText(r.c), text);
    // a case without an applicator writes no section and reads back with none
    const std::string plain = CaseFileText(DefaultCase());
    EXPECT_EQ(plain.find("\"applicator\""), std::string::npos);
    EXPECT_FALSE(ReadCaseFile(plain).c.applicator);
}

// The section as a colleague's editor shows it: a point a line.
TEST(ApplicatorCaseFile, WritesAPointALineAndAFeedALine)
{
    TApplicatorData d;
    d.ports = 1;
    d.frequencyHz = {915e6, 916e6};
    d.s = {C(0.5, -0.25), C(-0.0, 0.125)};  // -0 is written as 0, which JSON reads back as the same value
    const std::string text = CaseFileText(WithApplicator(d, {{800, 915.5, 0, 0}}));
    const char* const expected = ",\n  \"applicator\": {\n    \"file\": \"oven.s3p\",\n    \"ports\": 1,\n"
                                 "    \"points\": [\n      [915000000, 0.5, -0.25],\n      [916000000, 0, 0.125]\n    ],\n"
                                 "    \"feeds\": [\n      {\"power_w\": 800, \"frequency_mhz\": 915.5, \"isolation_db\": 0, "
                                 "\"dummy_rating_w\": 0}\n    ]\n  }\n}\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
}

struct TSectionText {
    const char* name;
    std::string section;
    const char* words;  // in the error, or in the warning of a file read
};

// A small applicator section, valid: one port, two points, one feed.
constexpr const char* kOnePort = R"("file": "a.s1p", "ports": 1, "points": [[2400000000, 0.1, 0], [2500000000, 0.2, 0]])";

std::string WithSection(const std::string& section)
{
    std::string text = CaseFileText(DefaultCase());
    text.insert(text.rfind('}'), ",\n  \"applicator\": " + section + "\n");
    return text;
}

class DamagedApplicator : public ::testing::TestWithParam<TSectionText> {};

TEST_P(DamagedApplicator, IsRefusedWithWhereAndWhat)
{
    const TCaseReadResult r = ReadCaseFile(WithSection(GetParam().section));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().words), std::string::npos) << r.error;
    EXPECT_TRUE(r.c == DefaultCase());
}

INSTANTIATE_TEST_SUITE_P(
    CaseFile, DamagedApplicator,
    ::testing::Values(
        TSectionText{"not_an_object", "[1]", "applicator: an object is expected, not a list"},
        TSectionText{"file_a_number", R"({"file": 3, "ports": 1, "points": [[1, 0, 0]], "feeds": [{}]})", "applicator.file: a text"},
        TSectionText{"no_ports", R"({"points": [[1, 0, 0]], "feeds": [{}]})", "applicator.ports: a whole number of ports"},
        TSectionText{"half_a_port", R"({"ports": 1.5, "points": [[1, 0, 0]], "feeds": [{}]})", "applicator.ports: a whole"},
        TSectionText{"no_points_key", R"({"ports": 1, "feeds": [{}]})", "applicator.points: a list is expected, not nothing"},
        TSectionText{"no_points", R"({"ports": 1, "points": [], "feeds": [{}]})", "applicator.points: the list has no points"},
        // 2 ports: 1 + 2 * 4 numbers a point
        TSectionText{"short_point", R"({"ports": 2, "points": [[1, 0, 0, 0, 0, 0, 0, 0]], "feeds": [{}, {}]})",
                 "applicator.points[0]: 9 numbers are expected for 2 ports"},
        TSectionText{"point_an_object", R"({"ports": 1, "points": [[1, 0, 0], {}], "feeds": [{}]})",
                 "applicator.points[1]: a list of 3 numbers is expected, not an object"},
        TSectionText{"text_in_a_point", R"({"ports": 1, "points": [[1, 0, 0], [2, 0, "x"]], "feeds": [{}]})",
                 "applicator.points[1][2]: a finite number is expected, not a text"},
        TSectionText{"descending", R"({"ports": 1, "points": [[1, 0, 0], [2, 0, 0], [3, 0, 0], [2.5, 0, 0]], "feeds": [{}]})",
                 "applicator.points[3]: the frequency is lower than the one before it"},
        TSectionText{"negative_frequency", R"({"ports": 1, "points": [[-1, 0, 0]], "feeds": [{}]})",
                 "applicator.points[0]: the frequency is negative"},
        TSectionText{"no_feeds", R"({"ports": 1, "points": [[1, 0, 0]]})", "applicator.feeds: a list is expected, not nothing"},
        TSectionText{"feeds_short",
                 R"({"ports": 3, "points": [[1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]], "feeds": [{}, {}]})",
                 "applicator.feeds: 2 feeds for 3 ports"},
        TSectionText{"feed_a_number", R"({"ports": 1, "points": [[1, 0, 0]], "feeds": [5]})",
                 "applicator.feeds[0]: an object is expected, not a number"},
        TSectionText{"power_a_text", R"({"ports": 1, "points": [[1, 0, 0]], "feeds": [{"power_w": "1 kW"}]})",
                 "applicator.feeds[0].power_w: a number is expected, not a text"},
        TSectionText{"frequency_true", R"({"ports": 1, "points": [[1, 0, 0]], "feeds": [{"frequency_mhz": true}]})",
                 "applicator.feeds[0].frequency_mhz: a number is expected, not true"}),
    ROW_NAMES(std::string(r.name)));

class WarnedApplicator : public ::testing::TestWithParam<TSectionText> {};

// Unknown keys are named and a number beyond its row's limits is clamped, as
// everywhere in the file; the rest of the section reads.
TEST_P(WarnedApplicator, ReadsWithAWarning)
{
    const TCaseReadResult r = ReadCaseFile(WithSection(GetParam().section));
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_TRUE(r.c.applicator);
    EXPECT_EQ(r.c.applicator->data.frequencyHz.size(), 2u);
    EXPECT_NE(r.warning.find(GetParam().words), std::string::npos) << r.warning;
}

INSTANTIATE_TEST_SUITE_P(
    CaseFile, WarnedApplicator,
    ::testing::Values(
        TSectionText{"unknown_key", std::string("{") + kOnePort + R"(, "colour": 1, "feeds": [{}]})",
                 "Unknown key ignored: applicator.colour."},
        TSectionText{"unknown_feed_key", std::string("{") + kOnePort + R"(, "feeds": [{"phase": 0}]})",
                 "applicator.feeds[0].phase"},
        TSectionText{"negative_power", std::string("{") + kOnePort + R"(, "feeds": [{"power_w": -5}]})",
                 "applicator.feeds[0].power_w: \"-5\": outside 0 .. 1000000000, clamped to 0"},
        TSectionText{"frequency_too_high", std::string("{") + kOnePort + R"(, "feeds": [{"frequency_mhz": 1e6}]})",
                 "applicator.feeds[0].frequency_mhz: \"1000000\": outside 1 .. 100000, clamped to 100000"},
        TSectionText{"isolation_too_high", std::string("{") + kOnePort + R"(, "feeds": [{"isolation_db": 500}]})",
                 "applicator.feeds[0].isolation_db: \"500\": outside 0 .. 100, clamped to 100"}),
    ROW_NAMES(std::string(r.name)));

// P = 1000, 2000, 500 W into the matched 3-port, S12 = S21 = 0.1:
//   port 1 gets |S12|^2 P2 = 0.01 * 2000 = 20 W back, port 2 |S21|^2 P1 = 10 W,
//   port 3 nothing; each of it coupled, none self. The in-phase bound of one
//   term is the same. Seen: sqrt(20 / 1000) = 0.141421, sqrt(10 / 2000) = 0.0707107, 0.
//   Absorbed 3500 - 30 = 3470 W, efficiency 3470 / 3500 = 0.9914286.
TEST(ApplicatorSnapshot, TheHandWorkedThreeFeeds)
{
    const TSnapshot s = ComputeCase(WithApplicator(MatchedThreePort(), {Feed(1000), Feed(2000), Feed(500)}), 0);
    const TApplicatorSnapshot& a = s.applicator;
    ASSERT_TRUE(a.present);
    EXPECT_EQ(a.error, "");
    ASSERT_EQ(a.result.feeds.size(), 3u);
    const double returned[] = {20, 10, 0}, seen[] = {0.1414213562373095, 0.0707106781186548, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        const TApplicatorFeed& f = a.result.feeds[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(a.feedFrequencyMHz[i], 2450);  // the case's
        EXPECT_NEAR(f.returnedW, returned[i], 1e-12);
        EXPECT_NEAR(f.coupledW, returned[i], 1e-12);
        EXPECT_EQ(f.selfW, 0);
        EXPECT_NEAR(f.worstReturnedW, returned[i], 1e-12);
        ASSERT_TRUE(f.seenMag);
        EXPECT_NEAR(*f.seenMag, seen[i], 1e-15);
    }
    EXPECT_NEAR(a.result.absorbedW, 3470, 1e-12);
    EXPECT_NEAR(a.result.returnedW, 30, 1e-12);
    EXPECT_NEAR(*a.result.efficiency, 3470.0 / 3500, 1e-15);
    EXPECT_EQ(a.result.worstFeed, 0u);
    // the matrix at 2450 MHz: -20 dB for S12 and S21, the floor elsewhere
    ASSERT_EQ(a.matrixDb.size(), 9u);
    EXPECT_NEAR(a.matrixDb[1], -20, 1e-12);
    EXPECT_NEAR(a.matrixDb[3], -20, 1e-12);
    EXPECT_EQ(a.matrixDb[0], -160);
    EXPECT_TRUE(a.inside);
    ASSERT_EQ(a.couplings.size(), 3u);  // every pair of three, fewer than kShownCouplings
    EXPECT_EQ(a.couplings[0].portA, 1);
    EXPECT_EQ(a.couplings[0].portB, 2);
    EXPECT_NEAR(a.couplings[0].db, -20, 1e-12);
}

// Each column of S at its own feed's frequency, with an isolator:
//   S11 = 0.1, S12 = S21 = 0.2 at 2400 MHz and 0.4 at 2500 MHz, S22 = 0.
//   Feed 1 at 2425 MHz: S21(f1) = 0.25; feed 2 at 2475 MHz: S12(f2) = 0.35; 1000 W each.
//   Port 1: self 0.01 * 1000 = 10 W, coupled 0.1225 * 1000 = 122.5 W, returned 132.5 W,
//   in phase (0.1 + 0.35)^2 * 1000 = 202.5 W; port 2: 0.0625 * 1000 = 62.5 W.
//   A 20 dB isolator on feed 1 passes 1.325 W to its tube, its dummy load takes
//   131.175 W: a 100 W rating is 10 log10(0.762340) = -1.17851 dB short.
TEST(ApplicatorSnapshot, EachColumnAtItsOwnFeedsFrequency)
{
    TApplicatorData d;
    d.ports = 2;
    d.frequencyHz = {2400e6, 2500e6};
    d.s = {0.1, 0.2, 0.2, 0, 0.1, 0.4, 0.4, 0};
    const TSnapshot s = ComputeCase(WithApplicator(d, {{1000, 2425, 20, 100}, {1000, 2475, 0, 0}}), 0);
    const std::vector<TApplicatorFeed>& f = s.applicator.result.feeds;
    ASSERT_EQ(f.size(), 2u) << s.applicator.error;
    EXPECT_NEAR(f[0].selfW, 10, 1e-9);
    EXPECT_NEAR(f[0].coupledW, 122.5, 1e-9);
    EXPECT_NEAR(f[0].returnedW, 132.5, 1e-9);
    EXPECT_NEAR(f[0].worstReturnedW, 202.5, 1e-9);
    EXPECT_NEAR(f[1].returnedW, 62.5, 1e-9);
    EXPECT_NEAR(f[0].magnetronW, 1.325, 1e-9);
    EXPECT_NEAR(f[0].dummyW, 131.175, 1e-9);
    EXPECT_NEAR(*f[0].dummyMarginDb, -1.17851, 1e-5);
    EXPECT_FALSE(f[1].dummyMarginDb);  // no rating set
    EXPECT_EQ(s.applicator.feedFrequencyMHz, (std::vector<double>{2425, 2475}));
}

TEST(ApplicatorSnapshot, AFeedOutsideTheBandGivesTheReasonAndNoPowers)
{
    TCase c = WithApplicator(MatchedThreePort(), {Feed(1000), {1000, 2600, 0, 0}, Feed(0)});
    c.line.FreqMHz = 2550;  // the matrix: the band's end, 2500 MHz
    const TSnapshot s = ComputeCase(c, 0);
    EXPECT_EQ(s.applicator.error, "frequency 1 (2550 MHz) lies outside the file's band 2400 .. 2500 MHz");
    EXPECT_TRUE(s.applicator.result.feeds.empty());
    EXPECT_FALSE(s.applicator.inside);
    EXPECT_NEAR(s.applicator.matrixDb[1], -20, 1e-12);
    // a part left out stays as a default snapshot has it
    TCaseParts parts;
    parts.applicator = false;
    EXPECT_FALSE(ComputeCase(c, parts, 0).applicator.present);
}

TEST(ApplicatorFile, ReadsAnyPortCountWithAFeedPerPort)
{
    QTemporaryDir dir;
    // version 1 writes a 3-port's matrix row by row, a row a line
    const QString path = WriteTempFile(dir, "oven.s3p",
                                       "# MHz S RI R 50\n2400 0 0 0.1 0 0 0\n0.1 0 0 0 0 0\n0 0 0 0 0 0\n"
                                       "2500 0 0 0.1 0 0 0\n0.1 0 0 0 0 0\n0 0 0 0 0 0\n");
    TApplicatorCase a;
    std::string error;
    ASSERT_TRUE(ReadApplicatorFile(path.toStdString(), a, error, 10200)) << error;
    EXPECT_EQ(a.file, "oven.s3p");
    EXPECT_TRUE(a.data == MatchedThreePort());
    EXPECT_EQ(a.feeds, std::vector<TFeedCase>(3, Feed(10200)));
    // a damaged file: its name and line, and the case's applicator as it was
    const QString bad = WriteTempFile(dir, "bad.s3p", "# MHz S RI R 50\n2400 0 0 x 0 0 0\n");
    EXPECT_FALSE(ReadApplicatorFile(bad.toStdString(), a, error));
    EXPECT_NE(error.find("bad.s3p, line 2"), std::string::npos) << error;
    EXPECT_EQ(a.file, "oven.s3p");
    // the default case's magnetron: Pmatch = 4000 V * 3 A * 0.85 = 10200 W
    EXPECT_NEAR(CaseMatchedPowerW(DefaultCase().inputs), 10200, 1e-9);
}

// A feed takes the line's frequency and the magnetron's isolator by their rules.
TEST(ApplicatorRows, AFeedsLimitsAreTheCasesOwn)
{
    const std::pair<Input, Input> same[] = {{Input::FeedFrequencyMHz, Input::SwFreq},
                                            {Input::FeedIsolationDb, Input::Isolation},
                                            {Input::FeedDummyRatingW, Input::DummyRating}};
    for (const auto& [feed, own] : same) {
        SCOPED_TRACE(InputRow(feed).name);
        EXPECT_EQ(InputRow(feed).lo, InputRow(own).lo);
        EXPECT_EQ(InputRow(feed).hi, InputRow(own).hi);
        EXPECT_EQ(InputRow(feed).forms, InputRow(own).forms);
    }
    EXPECT_EQ(InputRow(Input::FeedPowerW).lo, 0);
}

}  // namespace
}  // namespace merivane::present
