// SPDX-License-Identifier: GPL-3.0-or-later
#include "Applicator.h"

#include "Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace merivane {
namespace {

using cplx = std::complex<double>;

std::size_t Count(int ports) { return static_cast<std::size_t>(ports); }

std::string Num(double x)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", x);
    return buf;
}

std::string Counted(std::size_t count, const char* noun)
{
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string MHz(double hz) { return Num(hz / 1e6) + " MHz"; }

// The two file points around f, and the fraction t of the way from the lower
// to the upper; at or beyond an end both are the end.
struct TBracket {
    std::size_t below = 0, above = 0;
    double t = 0;
};

TBracket BracketAt(const std::vector<double>& f, double fHz)
{
    // the first point above f by binary search; the one before it lies at or
    // below f (the later of a repeated frequency)
    const auto above = static_cast<std::size_t>(std::upper_bound(f.begin(), f.end(), fHz) - f.begin());
    if (above == 0) return {0, 0, 0};
    if (above == f.size()) return {above - 1, above - 1, 0};
    const std::size_t below = above - 1;
    // t = (f - fa) / (fb - fa); fb > f >= fa, so never a division by zero
    return {below, above, (fHz - f[below]) / (f[above] - f[below])};
}

// S_ij(f) = Sa + (Sb - Sa) t, in the real and imaginary parts each; exactly
// Sa at a file point (t = 0).
cplx SAt(const TApplicatorData& d, const TBracket& b, std::size_t i, std::size_t j)
{
    const std::size_t n = Count(d.ports);
    const cplx a = d.s[b.below * n * n + i * n + j], c = d.s[b.above * n * n + i * n + j];
    return a + (c - a) * b.t;
}

std::string ValidateData(const TApplicatorData& d)
{
    if (d.ports < 1) return "the applicator has no port";
    if (d.frequencyHz.empty()) return "the applicator's data hold no frequency";
    const std::size_t n = Count(d.ports), points = d.frequencyHz.size();
    if (d.s.size() != n * n * points)
        return Counted(d.s.size(), "S value") + " for " + Counted(n, "port") + " at " +
               Counted(points, "frequency point") + ", " + std::to_string(n * n * points) + " expected";
    for (std::size_t k = 0; k < points; ++k) {
        if (!std::isfinite(d.frequencyHz[k])) return "frequency point " + std::to_string(k + 1) + " is not finite";
        if (k > 0 && d.frequencyHz[k] < d.frequencyHz[k - 1])
            return "the frequencies descend at point " + std::to_string(k + 1);
    }
    return {};
}

// A value of every feed, the first that breaks the rule: "power 2 is
// negative (-5 W)", "isolation 1 is not finite".
std::string FirstNegative(const std::vector<TFeed>& feeds, const char* what, const char* unit, double TFeed::*field)
{
    for (std::size_t i = 0; i < feeds.size(); ++i) {
        const double v = feeds[i].*field;
        if (std::isfinite(v) && v >= 0) continue;
        const std::string which = std::string(what) + " " + std::to_string(i + 1);
        return std::isfinite(v) ? which + " is negative (" + Num(v) + " " + unit + ")" : which + " is not finite";
    }
    return {};
}

std::string ValidateFrequencies(const TApplicatorData& d, const std::vector<TFeed>& feeds)
{
    const double first = d.frequencyHz.front(), last = d.frequencyHz.back();
    // the band [first, last], widened by the tolerance at each end
    const double lo = first - kApplicatorBandTolerance * std::abs(first);
    const double hi = last + kApplicatorBandTolerance * std::abs(last);
    for (std::size_t i = 0; i < feeds.size(); ++i) {
        const double f = feeds[i].frequencyHz;
        if (f >= lo && f <= hi) continue;  // false for NaN
        const std::string which = "frequency " + std::to_string(i + 1);
        if (!std::isfinite(f)) return which + " is not finite";
        return which + " (" + MHz(f) + ") lies outside " +
               (first == last ? "the file's only frequency " + MHz(first)
                              : "the file's band " + Num(first / 1e6) + " .. " + MHz(last));
    }
    return {};
}

// One feed's powers from row i of |S_ij(f_j)|² (sq) and of |S_ij(f_j)| √P_j
// (field).
TApplicatorFeed FeedResult(std::size_t i, const std::vector<TFeed>& feeds, const double* sq, const double* field)
{
    const TFeed& in = feeds[i];
    TApplicatorFeed out;
    out.port = static_cast<int>(i + 1);
    out.powerW = in.powerW;
    out.frequencyHz = in.frequencyHz;
    // uncorrelated phases, so the powers add: P_ret,i = Σ_j |S_ij(f_j)|² P_j,
    // the self part j = i, the coupled part the rest; locked in phase the
    // fields add instead: (Σ_j |S_ij(f_j)| √P_j)²
    double coupled = 0, inPhase = 0;
    for (std::size_t j = 0; j < feeds.size(); ++j) {
        if (j != i) coupled += sq[j] * feeds[j].powerW;
        inPhase += field[j];
    }
    out.selfW = sq[i] * in.powerW;
    out.coupledW = coupled;
    out.returnedW = out.selfW + coupled;
    out.worstReturnedW = inPhase * inPhase;
    if (in.powerW > 0) {
        // the reflection the tube sees, in power: g = √(P_ret,i / P_i)
        const double g = std::sqrt(out.returnedW / in.powerW);
        out.seenMag = g;
        // SWR = (1 + g) / (1 - g) by the numerics' MagToSwr (9999.999 from
        // g = 0.9999); none once as much comes back as goes out, g ≥ 1
        if (g < 1) out.seenSwr = MagToSwr(g);
    }
    // the isolator passes P_ret,i 10^(-I/10) back to the tube, the dummy load
    // takes the rest; its margin is 10 log10(rating / P_dummy)
    out.magnetronW = out.returnedW * Pow10(-in.isolationDb / 10);
    out.dummyW = out.returnedW - out.magnetronW;
    if (in.dummyRatingW > 0 && out.dummyW > 0) out.dummyMarginDb = RatioToDb(in.dummyRatingW / out.dummyW);
    return out;
}

}  // namespace

std::string ValidateApplicator(const TApplicatorData& data, const std::vector<TFeed>& feeds)
{
    std::string e = ValidateData(data);
    const std::size_t n = Count(data.ports);
    if (e.empty() && feeds.size() != n) e = Counted(feeds.size(), "power") + " for " + Counted(n, "port");
    if (e.empty()) e = FirstNegative(feeds, "power", "W", &TFeed::powerW);
    if (e.empty()) e = ValidateFrequencies(data, feeds);
    if (e.empty()) e = FirstNegative(feeds, "isolation", "dB", &TFeed::isolationDb);
    if (e.empty()) e = FirstNegative(feeds, "dummy load rating", "W", &TFeed::dummyRatingW);
    return e;
}

TApplicatorResult ComputeApplicator(const TApplicatorData& data, const std::vector<TFeed>& feeds)
{
    TApplicatorResult r;
    r.ports = data.ports;
    if (!ValidateApplicator(data, feeds).empty()) return r;
    const std::size_t n = Count(data.ports);
    // column j at its own feed's frequency f_j, its bracket found once:
    // |S_ij|² for the powers, |S_ij| √P_j for the in-phase bound
    std::vector<double> sq(n * n), field(n * n);
    for (std::size_t j = 0; j < n; ++j) {
        const TBracket b = BracketAt(data.frequencyHz, feeds[j].frequencyHz);
        const double root = std::sqrt(feeds[j].powerW);
        for (std::size_t i = 0; i < n; ++i) {
            const double s2 = std::norm(SAt(data, b, i, j));
            sq[i * n + j] = s2;
            field[i * n + j] = std::sqrt(s2) * root;
        }
    }
    double sent = 0;
    r.feeds.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        r.feeds.push_back(FeedResult(i, feeds, &sq[i * n], &field[i * n]));
        sent += feeds[i].powerW;
        r.returnedW += r.feeds.back().returnedW;
    }
    // absorbed = Σ P_j - Σ P_ret,i, efficiency = absorbed / Σ P_j
    r.absorbedW = sent - r.returnedW;
    if (sent > 0) r.efficiency = r.absorbedW / sent;
    // the first of the largest returned powers
    for (std::size_t i = 1; i < n; ++i)
        if (r.feeds[i].returnedW > r.feeds[r.worstFeed].returnedW) r.worstFeed = i;
    return r;
}

std::vector<std::complex<double>> ApplicatorSAt(const TApplicatorData& data, double fHz)
{
    if (!ValidateData(data).empty()) return {};
    const std::size_t n = Count(data.ports);
    const TBracket b = BracketAt(data.frequencyHz, fHz);
    std::vector<cplx> s(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) s[i * n + j] = SAt(data, b, i, j);
    return s;
}

std::vector<double> ApplicatorMatrixDb(const TApplicatorData& data, double fHz)
{
    const std::vector<cplx> s = ApplicatorSAt(data, fHz);
    std::vector<double> db(s.size());
    // 20 log10 |S_ij|, -160 at and below 1e-8
    std::transform(s.begin(), s.end(), db.begin(), [](cplx v) { return MagToDb(std::abs(v)); });
    return db;
}

std::vector<TCoupling> StrongestCouplings(const TApplicatorData& data, double fHz, std::size_t count)
{
    const std::vector<cplx> s = ApplicatorSAt(data, fHz);
    const std::size_t n = s.empty() ? 0 : Count(data.ports);
    std::vector<TCoupling> pairs;
    pairs.reserve(n * n / 2);
    for (std::size_t a = 0; a < n; ++a)
        for (std::size_t b = a + 1; b < n; ++b) {
            // a pair of a non-reciprocal network couples by its stronger
            // direction: max(|S_ab|, |S_ba|)
            const double mag = std::max(std::abs(s[a * n + b]), std::abs(s[b * n + a]));
            pairs.push_back({static_cast<int>(a + 1), static_cast<int>(b + 1), mag, MagToDb(mag)});
        }
    std::stable_sort(pairs.begin(), pairs.end(), [](const TCoupling& x, const TCoupling& y) { return x.mag > y.mag; });
    if (count > 0 && pairs.size() > count) pairs.resize(count);
    return pairs;
}

}  // namespace merivane
