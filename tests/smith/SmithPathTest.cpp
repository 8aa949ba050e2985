// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's path on the Smith chart: from the load to the centre, each
// segment on the circle it claims (|G| on a turn of the line, g on a shunt
// step, r on a series step), in the order the tuner acts.
#include "SmithPath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace merivane::smith {
namespace {

// WR340 at 2450 MHz: lg = l0 / sqrt(1 - (l0 / 2a)^2), l0 = 122.36 mm, a = 86.36 mm
const double kLg = [] {
    const double l0 = 299.792458 / 2450 * 1000, a = 86.36;
    return l0 / std::sqrt(1.0 - (l0 / (2 * a)) * (l0 / (2 * a)));
}();

TMatchResult Solve(MatchMethod method, TGamma gl)
{
    switch (method) {
    case MatchMethod::ThreeStub: return SolveThreeStub(kLg, gl);
    case MatchMethod::EH: return SolveEH(gl);
    case MatchMethod::DoubleStub: return SolveDoubleStub(kLg, gl);
    default: return SolveSingleStub(kLg, gl);
    }
}

// Every point of every segment on its circle; segments joined end to start;
// the first point the load, the last the centre.
void ExpectPathHolds(const TTunerPath& p, TGamma gl, const std::string& what)
{
    ASSERT_TRUE(p.defined) << what;
    ASSERT_FALSE(p.segments.empty()) << what;
    EXPECT_LT(std::abs(p.segments.front().points.front() - gl), 1e-15) << what;
    TGamma at = gl;
    for (const TPathSegment& s : p.segments) {
        EXPECT_LT(std::abs(s.points.front() - at), 1e-12) << what << ": segments do not join";
        for (TGamma g : s.points) {
            const double v = PathInvariant(s.step, g);
            EXPECT_NEAR(v, s.invariant, 1e-9 * std::max(1.0, std::fabs(s.invariant))) << what;
            EXPECT_LE(std::abs(g), 1.0 + 1e-12) << what << ": a lossless tuner stays inside the chart";
        }
        at = s.points.back();
    }
    EXPECT_LT(std::abs(p.end - at), 1e-15) << what;
    EXPECT_LT(std::abs(p.end), 1e-9) << what << ": the path ends off the centre";
}

struct TPathCase {
    const char* name;
    MatchMethod method;
    double mag, phaDeg;
    int solution;
    std::vector<PathStep> steps;  // the kinds in order
};

const std::vector<TPathCase>& PathCases()
{
    using enum PathStep;
    static const std::vector<TPathCase> cases = {
        // turn by d = 1.55 mm to g = 1, then the stub's +0.8729 along g = 1
        {"single stub, first", MatchMethod::SingleStub, 0.4, 120, 0, {Line, Shunt}},
        {"single stub, second", MatchMethod::SingleStub, 0.4, 120, 1, {Line, Shunt}},
        // b1 = 0 leaves stub 1 out: turn, b2 = 0.0544, turn, b3 = 0.9258
        {"three-stub, b1 out", MatchMethod::ThreeStub, 0.4, 120, 0, {Line, Shunt, Line, Shunt}},
        // b1 = 0.9897, turn, b2 = 1.1547, and stub 3 out: no turn after the match
        {"three-stub, b3 out", MatchMethod::ThreeStub, 0.5, 60, 0, {Shunt, Line, Shunt}},
        // z = 0.538 + j0.444: r <= 1, series first
        {"E-H, series then shunt", MatchMethod::EH, 0.4, 120, 0, {Series, Shunt}},
        {"E-H, other root", MatchMethod::EH, 0.4, 120, 1, {Series, Shunt}},
        // G = 0.5 at 0 deg: z = 3, r > 1, shunt first
        {"E-H, shunt then series", MatchMethod::EH, 0.5, 0, 0, {Shunt, Series}},
        {"double stub", MatchMethod::DoubleStub, 0.3, -40, 0, {Shunt, Line, Shunt}},
        {"double stub, other", MatchMethod::DoubleStub, 0.3, -40, 1, {Shunt, Line, Shunt}},
    };
    return cases;
}

TEST(TunerPath, WorkedLoadsReachTheCentreAlongTheirCircles)
{
    for (const TPathCase& c : PathCases()) {
        const TGamma gl = std::polar(c.mag, c.phaDeg * std::numbers::pi / 180);
        const TMatchResult r = Solve(c.method, gl);
        ASSERT_TRUE(r.Matchable) << c.name;
        const TTunerPath p = TunerPath(r, c.solution, gl);
        ExpectPathHolds(p, gl, c.name);
        ASSERT_EQ(p.segments.size(), c.steps.size()) << c.name;
        for (std::size_t k = 0; k < c.steps.size(); ++k) EXPECT_EQ(p.segments[k].step, c.steps[k]) << c.name << " " << k;
    }
}

TEST(TunerPath, SingleStubTurnsByItsDistanceOntoUnitConductance)
{
    const TGamma gl = std::polar(0.4, 120 * std::numbers::pi / 180);
    const TMatchResult r = SolveSingleStub(kLg, gl);
    for (int i = 0; i < 2; ++i) {
        const TTunerPath p = TunerPath(r, i, gl);
        ASSERT_EQ(p.segments.size(), 2u);
        // the turn: Gl e^(-j 4 pi d / lg)
        const TGamma turned = gl * std::polar(1.0, -4 * std::numbers::pi * r.Solutions[i].DistanceMm / kLg);
        EXPECT_LT(std::abs(p.segments[0].points.back() - turned), 1e-12);
        EXPECT_NEAR(p.segments[0].invariant, 0.4, 1e-15);
        // the stub's step runs along g = 1
        EXPECT_NEAR(p.segments[1].invariant, 1.0, 1e-9);
    }
}

TEST(TunerPath, SeriesStepOfTheEHTunerLandsOnUnitConductance)
{
    // series x = -x_l + sqrt(r (1 - r)) brings 1 / (r + jx') onto g = 1
    const TGamma gl = std::polar(0.4, 120 * std::numbers::pi / 180);
    const TTunerPath p = TunerPath(SolveEH(gl), 0, gl);
    ASSERT_EQ(p.segments.size(), 2u);
    EXPECT_NEAR(PathInvariant(PathStep::Shunt, p.segments[0].points.back()), 1.0, 1e-9);
    EXPECT_NEAR(p.segments[1].invariant, 1.0, 1e-9);
}

struct TNoPathCase {
    const char* name;
    double mag;
    int solution;
};

TEST(TunerPath, NoPathWithoutAMatch)
{
    const TNoPathCase cases[] = {
        {"full reflection", 1.0, 0}, {"active load", 1.2, 0}, {"no such solution", 0.4, 2}, {"negative", 0.4, -1}};
    for (const TNoPathCase& c : cases) {
        const TGamma gl = std::polar(c.mag, 0.7);
        EXPECT_FALSE(TunerPath(SolveSingleStub(kLg, gl), c.solution, gl).defined) << c.name;
    }
}

TEST(TunerPath, MatchedLoadNeedsNoStep)
{
    const TTunerPath p = TunerPath(SolveSingleStub(kLg, 0.0), 0, 0.0);
    ASSERT_TRUE(p.defined);
    EXPECT_TRUE(p.segments.empty());
    EXPECT_EQ(p.end, TGamma(0.0, 0.0));
}

TEST(TunerPath, RandomLoadsEveryMethodEverySolution)
{
    std::mt19937_64 rng(20261209);
    std::uniform_real_distribution<double> mag(0.0, 0.97), pha(-std::numbers::pi, std::numbers::pi);
    const MatchMethod methods[] = {MatchMethod::SingleStub, MatchMethod::ThreeStub, MatchMethod::EH,
                                   MatchMethod::DoubleStub};
    int paths = 0;
    for (int n = 0; n < 2000; ++n) {
        const TGamma gl = std::polar(mag(rng), pha(rng));
        for (MatchMethod method : methods) {
            const TMatchResult r = Solve(method, gl);
            for (int i = 0; i < r.SolutionCount && r.Matchable; ++i) {
                ExpectPathHolds(TunerPath(r, i, gl, 8), gl, std::string(MatchMethodName(method)) + " " + std::to_string(n));
                ++paths;
            }
            if (HasFailure()) return;
        }
    }
    EXPECT_GT(paths, 12000);  // most double-stub loads lie inside the matchable region
}

}  // namespace
}  // namespace merivane::smith
