// SPDX-License-Identifier: GPL-3.0-or-later
// Several magnetrons into one applicator: returned powers worked out by hand,
// passive and lossless networks built at random, the isolator, the checks.
#include "Applicator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace merivane {
namespace {

using C = std::complex<double>;
const C j1(0, 1);

// The matrices one after the other, row by row, one per frequency in MHz.
TApplicatorData Data(int n, std::vector<double> fMHz, std::vector<C> s)
{
    for (double& f : fMHz) f *= 1e6;
    return {n, fMHz, s};
}

std::vector<TFeed> Feeds(std::vector<double> powers, std::vector<double> fMHz)
{
    std::vector<TFeed> f;
    for (std::size_t i = 0; i < powers.size(); ++i) f.push_back({powers[i], fMHz[i % fMHz.size()] * 1e6});
    return f;
}

TEST(Applicator, ReturnedPowersAsWorkedOutByHand)
{
    struct TCase {
        const char* name;
        TApplicatorData data;
        std::vector<TFeed> feeds;
        std::vector<double> returned, self, inPhase;  // inPhase empty: not checked
        double absorbed;
        std::size_t worst;
    };
    const double r3 = std::sqrt(300.0);
    const TCase cases[] = {
        // a through: each feed gets what the other sends, one wave each
        {"through", Data(2, {2450}, {0, 1, 1, 0}), Feeds({300, 100}, {2450}), {100, 300}, {0, 0}, {100, 300}, 0, 1},
        {"a tie, the first", Data(2, {2450}, {0, 1, 1, 0}), Feeds({200, 200}, {2450}), {200, 200}, {0, 0}, {}, 0, 0},
        // lossless, |0.6|² + |0.8j|² = 1: 0.36·100 + 0.64·300 = 228, 0.64·100 + 0.36·300 = 172;
        // in phase (0.6·10 + 0.8·√300)² and (0.8·10 + 0.6·√300)²
        {"lossless 0.6, 0.8j", Data(2, {2450}, {0.6, 0.8 * j1, 0.8 * j1, 0.6}), Feeds({100, 300}, {2450}), {228, 172},
         {36, 108}, {std::pow(6 + 0.8 * r3, 2), std::pow(8 + 0.6 * r3, 2)}, 0, 0},
        // matched, |S12| = |S21| = 0.1: 1 % of 100 and of 400; one wave each, so in phase the same
        {"matched 3-port, 1-2 coupled", Data(3, {2450}, {0, 0.1, 0, 0.1 * j1, 0, 0, 0, 0, 0}),
         Feeds({400, 100, 900}, {2450}), {1, 4, 0}, {0, 0, 0}, {1, 4, 0}, 1400 - 5, 1},
        // columns at 2425, 2450, 2475, 2500 MHz: t = 1/4, 1/2, 3/4, 1 between the two points.
        // col 1: 0.4 - 0.4/4 = 0.3, 0.2 + (0.2j - 0.2)/4 = 0.15 + 0.05j, 0.4/4 = 0.1, 0.1 -> |.|² .09 .025 .01 .01
        // col 2: (0.2 + 0.2j)/2, 0.6/2 -> .02 .09;  col 3: 0.4·3/4 = 0.3, 0.5 - 0.4·3/4 = 0.2 -> .09 .04
        // col 4: 0.1, -0.3j -> .01 .09.  P = 1000 .. 4000:
        // 90 + 40 + 270 + 40 = 440, 25 + 180 = 205, 10 + 120 = 130, 10 + 360 = 370; 10000 - 1145 absorbed
        {"4-port, each column at its feed's frequency",
         Data(4, {2400, 2500},
              {0.4, 0.2, 0, 0.1, 0.2, 0, 0, 0, 0, 0, 0.5, 0, 0.1, 0, 0, 0.3,  // 2400 MHz
               0, 0.2 * j1, 0.4, 0.1, 0.2 * j1, 0.6, 0, 0, 0.4, 0, 0.1, 0, 0.1, 0, 0, -0.3 * j1}),
         Feeds({1000, 2000, 3000, 4000}, {2425, 2450, 2475, 2500}), {440, 205, 130, 370}, {90, 180, 120, 360}, {}, 8855,
         0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TApplicatorResult r = ComputeApplicator(c.data, c.feeds);
        ASSERT_EQ(r.feeds.size(), c.returned.size());
        for (std::size_t i = 0; i < c.returned.size(); ++i) {
            EXPECT_NEAR(r.feeds[i].returnedW, c.returned[i], 1e-9) << "feed " << i + 1;
            EXPECT_NEAR(r.feeds[i].selfW, c.self[i], 1e-9);
            EXPECT_NEAR(r.feeds[i].coupledW, c.returned[i] - c.self[i], 1e-9);
            if (!c.inPhase.empty()) { EXPECT_NEAR(r.feeds[i].worstReturnedW, c.inPhase[i], 1e-9); }
        }
        EXPECT_NEAR(r.absorbedW, c.absorbed, 1e-9);
        EXPECT_EQ(r.worstFeed, c.worst);
    }
}

// U = I - 2 v vᴴ / vᴴv is unitary, so S = U diag(σ e^jφ) Uᵀ is symmetric
// (reciprocal) with singular values σ: passive for σ ≤ 1, lossless at σ = 1.
void AddReciprocal(std::vector<C>& s, std::size_t n, std::mt19937_64& rng, bool lossless)
{
    std::normal_distribution<double> g;
    std::uniform_real_distribution<double> sigma(0, 1), phi(-3, 3);
    std::vector<C> v(n), d(n);
    double vv = 0;
    for (std::size_t k = 0; k < n; ++k) vv += std::norm(v[k] = C(g(rng), g(rng)));
    for (C& dk : d) dk = std::polar(lossless ? 1 : sigma(rng), phi(rng));
    const auto u = [&](std::size_t i, std::size_t k) { return C(i == k) - 2.0 * v[i] * std::conj(v[k]) / vv; };
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
            C sij = 0;
            for (std::size_t k = 0; k < n; ++k) sij += u(i, k) * d[k] * u(j, k);
            s.push_back(sij);
        }
}

TEST(Applicator, PassiveAbsorbsBetweenNothingAndAllAndLosslessNothing)
{
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> p(0, 5000), f(2400, 2500);
    for (int trial = 0; trial < 60; ++trial) {
        const std::size_t n = 2 + trial % 7;
        const bool lossless = trial % 3 == 0;  // the feeds then at the two file points, where S is unitary
        TApplicatorData d = Data(static_cast<int>(n), {2400, 2500}, {});
        AddReciprocal(d.s, n, rng, lossless);
        AddReciprocal(d.s, n, rng, lossless);
        std::vector<TFeed> feeds;
        double sent = 0;
        for (std::size_t i = 0; i < n; ++i)
            sent += feeds.emplace_back(TFeed{p(rng), lossless ? (i % 2 ? 2500e6 : 2400e6) : f(rng) * 1e6}).powerW;
        const TApplicatorResult r = ComputeApplicator(d, feeds);
        SCOPED_TRACE(trial);
        EXPECT_GE(r.absorbedW, -1e-9 * sent);
        EXPECT_LE(r.absorbedW, sent * (1 + 1e-9));
        if (lossless) { EXPECT_NEAR(r.absorbedW, 0, 1e-9 * sent); }
        for (const TApplicatorFeed& a : r.feeds) EXPECT_GE(a.worstReturnedW, a.returnedW * (1 - 1e-12));
    }
}

// S11 = 0.5, 1000 W: 250 W back, 10^(-I/10) of it to the tube, the rest to the dummy load.
TEST(Applicator, TheIsolatorSplitsTheReturnAndTheDummyLoadHasItsMargin)
{
    struct TRow { double isolationDb, ratingW, magnetronW, dummyW; std::optional<double> marginDb; };
    const TRow rows[] = {
        {0, 0, 250, 0, {}}, {20, 0, 2.5, 247.5, {}},  // 250 / 100 to the tube
        {20, 2475, 2.5, 247.5, 10},                   // 10 log10(2475 / 247.5)
        {10, 112.5, 25, 225, 10 * std::log10(0.5)},  // overloaded, -3.01 dB
        {0, 100, 250, 0, {}},                         // nothing reaches the dummy load
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.isolationDb);
        const TFeed feed{1000, 2450e6, row.isolationDb, row.ratingW};
        const TApplicatorFeed a = ComputeApplicator(Data(1, {2450}, {0.5}), {feed}).feeds[0];
        EXPECT_NEAR(a.magnetronW, row.magnetronW, 1e-9);
        EXPECT_NEAR(a.dummyW, row.dummyW, 1e-9);
        ASSERT_EQ(a.dummyMarginDb.has_value(), row.marginDb.has_value());
        if (row.marginDb) { EXPECT_NEAR(*a.dummyMarginDb, *row.marginDb, 1e-9); }
    }
}

// 0.6, 0.8j lossless: feed 1 gets 228 W for its 100 (g = √2.28 > 1, no SWR),
// feed 2 172 W for 300 (g = √(172/300), SWR (1 + g) / (1 - g)).
TEST(Applicator, SeenReflectionIsInPowerAndNoneWithoutPower)
{
    const TApplicatorData d = Data(2, {2450}, {0.6, 0.8 * j1, 0.8 * j1, 0.6});
    const TApplicatorResult r = ComputeApplicator(d, Feeds({100, 300}, {2450}));
    const double g = std::sqrt(172.0 / 300);
    EXPECT_NEAR(*r.feeds[0].seenMag, std::sqrt(2.28), 1e-12);
    EXPECT_FALSE(r.feeds[0].seenSwr);
    EXPECT_NEAR(*r.feeds[1].seenSwr, (1 + g) / (1 - g), 1e-9);
    const TApplicatorFeed idle = ComputeApplicator(d, Feeds({0, 300}, {2450})).feeds[0];
    EXPECT_NEAR(idle.returnedW, 192, 1e-9);  // 0.64·300 back, yet no reflection to speak of
    EXPECT_FALSE(idle.seenMag || idle.seenSwr);
    EXPECT_FALSE(ComputeApplicator(d, Feeds({0, 0}, {2450})).efficiency);
}

TEST(Applicator, ValidationNamesWhatIsWrong)
{
    struct TRow { const char* name; std::vector<double> fileMHz; std::vector<TFeed> feeds; const char* says; };
    const TRow rows[] = {
        {"band ends", {2400, 2500}, {{1, 2400e6}, {1, 2500e6}}, ""},
        {"within 1 ppm", {2400, 2500}, {{1, 2400e6 * (1 - 0.9e-6)}, {1, 2500e6 * (1 + 0.9e-6)}}, ""},
        {"one point at its frequency", {2450}, {{1, 2450e6}, {1, 2450e6}}, ""},
        {"one point, 10 ppm off", {2450}, {{1, 2450e6}, {1, 2450e6 * (1 + 1e-5)}}, "frequency 2 ("},
        {"3 feeds", {2450}, {{1, 2450e6}, {1, 2450e6}, {1, 2450e6}}, "3 powers for 2 ports"},
        {"negative power", {2450}, {{1, 2450e6}, {-5, 2450e6}}, "power 2 is negative (-5 W)"},
        {"power not a number", {2450}, {{std::nan(""), 2450e6}, {1, 2450e6}}, "power 1 is not finite"},
        {"below the band", {2400, 2500}, {{1, 2399e6}, {1, 2450e6}}, "frequency 1 (2399 MHz) lies outside"},
        {"negative isolation", {2450}, {{1, 2450e6}, {1, 2450e6, -3}}, "isolation 2 is negative"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TApplicatorData d = Data(2, row.fileMHz, {});
        for (std::size_t k = 0; k < row.fileMHz.size(); ++k) d.s.insert(d.s.end(), {0, 0.1, 0.1, 0});
        const std::string e = ValidateApplicator(d, row.feeds);
        EXPECT_TRUE(*row.says ? e.find(row.says) != std::string::npos : e.empty()) << e;
        EXPECT_EQ(ComputeApplicator(d, row.feeds).feeds.size(), e.empty() ? 2U : 0U);
    }
}

// Not reciprocal: |S12| 0.5 but |S21| 0.01 couple ports 1 and 2 by 0.5.
TEST(Applicator, MatrixInDbAndTheStrongestCouplingsFirst)
{
    const TApplicatorData d = Data(3, {2450}, {0.1, 0.5, 0.3, 0.01, 0, 0, -0.3, 0, 0.2});
    const std::vector<double> db = ApplicatorMatrixDb(d, 2450e6);
    EXPECT_NEAR(db[1], 20 * std::log10(0.5), 1e-12);  // -6.02 dB
    EXPECT_EQ(db[4], -160);                           // 0: the floor
    const std::vector<TCoupling> c = StrongestCouplings(d, 2450e6);
    ASSERT_EQ(c.size(), 3U);
    EXPECT_TRUE(c[0].portA == 1 && c[0].portB == 2 && c[1].portB == 3 && c[2].portA == 2 && c[2].mag == 0);
    EXPECT_NEAR(c[1].mag, 0.3, 1e-15);
    EXPECT_EQ(StrongestCouplings(d, 2450e6, 1).size(), 1U);
}

}  // namespace
}  // namespace merivane
