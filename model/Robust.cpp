// SPDX-License-Identifier: GPL-3.0-or-later
#include "Robust.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace merivane {

namespace {

constexpr int kMaxUnknowns = 3;
using TParams = std::array<double, kMaxUnknowns>;

// The unknowns of a method in a setting, and back: three-stub b1 b2 b3,
// double stub bA bB, single stub d (mm) and b, E-H x and b.
int Unknowns(MatchMethod m)
{
    return m == MatchMethod::ThreeStub ? 3 : 2;
}

TParams ParamsOf(MatchMethod m, const TMatchSolution& s)
{
    switch (m) {
    case MatchMethod::ThreeStub: return {s.Susceptances[0], s.Susceptances[1], s.Susceptances[2]};
    case MatchMethod::DoubleStub: return {s.Susceptances[0], s.Susceptances[1], 0};
    case MatchMethod::SingleStub: return {s.DistanceMm, s.Susceptance, 0};
    case MatchMethod::EH: return {s.Reactance, s.Susceptance, 0};
    }
    return {};
}

// Screws are capacitive and a distance is not negative: |x| keeps them so
// without a bound the simplex could stick to.
TMatchSolution SettingOf(MatchMethod m, const TParams& x, const char* order)
{
    TMatchSolution s;
    switch (m) {
    case MatchMethod::ThreeStub:
        s.SusceptanceCount = 3;
        for (int k = 0; k < 3; ++k) s.Susceptances[k] = std::fabs(x[static_cast<std::size_t>(k)]);
        break;
    case MatchMethod::DoubleStub:
        s.SusceptanceCount = 2;
        s.Susceptances[0] = x[0];
        s.Susceptances[1] = x[1];
        break;
    case MatchMethod::SingleStub:
        s.DistanceMm = std::fabs(x[0]);
        s.Susceptance = x[1];
        break;
    case MatchMethod::EH:
        s.Reactance = x[0];
        s.Susceptance = x[1];
        s.Order = order;
        break;
    }
    return s;
}

class TWorstCase {
public:
    TWorstCase(MatchMethod m, double spacingMm, const std::vector<TRobustPoint>& points, const char* order)
        : m_(m), spacing_(spacingMm), points_(points), order_(order)
    {
        Prepare();
    }

    // max |Gin| over the points; a setting beyond the tuner's reach is worse
    // than any within it
    double operator()(const TParams& x)
    {
        ++evaluations;
        double reach = 0;
        for (int k = 0; k < Unknowns(m_); ++k) {
            const double v = x[static_cast<std::size_t>(k)];
            if (!(m_ == MatchMethod::SingleStub && k == 0)) reach = std::max(reach, std::fabs(v) - kMatchSettingMax);
        }
        if (reach > 0) return 1.0 + reach;
        if (!fast_.empty()) return FastWorst(x);
        return Worst(SettingOf(m_, x, order_)).worstMag;
    }

    TRobustSetting Worst(const TMatchSolution& s) const
    {
        TRobustSetting w{s, 0.0, 0};
        for (std::size_t i = 0; i < points_.size(); ++i) {
            const double g = InputReflectionAt(m_, spacing_, s, points_[i]);
            if (!(g <= w.worstMag)) {  // NaN counts as the worst
                w.worstMag = std::isnan(g) ? 2.0 : g;
                w.worstPoint = i;
            }
        }
        return w;
    }

    int evaluations = 0;

private:
    // A stub tuner's points as their load admittance y = (1 - G) / (1 + G)
    // and the spacing's cos and sin of bd, bd = 2 pi d / lg(f): the search
    // then turns no reflection and calls no sincos.
    struct TFastPoint {
        double g, b, cosBd, sinBd;
    };

    void Prepare()
    {
        if (m_ != MatchMethod::ThreeStub && m_ != MatchMethod::DoubleStub) return;
        for (const TRobustPoint& p : points_) {
            const cplx y = AdmittanceOf(p.gamma);
            const double bd = 2.0 * std::numbers::pi * spacing_ / p.guideWavelengthMm;
            if (!std::isfinite(y.real()) || !std::isfinite(y.imag()) || !std::isfinite(bd)) {
                fast_.clear();  // a short circuit: the general form for all
                return;
            }
            fast_.push_back({y.real(), y.imag(), std::cos(bd), std::sin(bd)});
        }
    }

    // max |Gin| of the stub tuner, the same as Worst's in real arithmetic:
    // y + j b_1 at the first stub; then along the line of length d,
    // y' = (y cos bd + j sin bd) / (cos bd + j y sin bd), and + j b_k;
    // at the last, |Gin|^2 = |1 - y|^2 / |1 + y|^2.
    double FastWorst(const TParams& x) const
    {
        const int n = m_ == MatchMethod::ThreeStub ? 3 : 2;
        TParams b{};
        for (int k = 0; k < n; ++k) {
            const double v = x[static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(k)] = m_ == MatchMethod::ThreeStub ? std::fabs(v) : v;
        }
        double worst2 = 0;
        for (const TFastPoint& p : fast_) {
            double g = p.g, im = p.b + b[0];
            for (int k = 1; k < n; ++k) {
                const double nr = g * p.cosBd, ni = im * p.cosBd + p.sinBd;
                const double dr = p.cosBd - im * p.sinBd, di = g * p.sinBd;
                const double d2 = dr * dr + di * di;
                g = (nr * dr + ni * di) / d2;
                im = (ni * dr - nr * di) / d2 + b[static_cast<std::size_t>(k)];
            }
            const double m2 = ((1 - g) * (1 - g) + im * im) / ((1 + g) * (1 + g) + im * im);
            if (!(m2 <= worst2)) worst2 = std::isnan(m2) ? 4.0 : m2;
        }
        return std::sqrt(worst2);
    }

    std::vector<TFastPoint> fast_;
    MatchMethod m_;
    double spacing_;
    const std::vector<TRobustPoint>& points_;
    const char* order_;
};

// Nelder–Mead on f from x0 with a first step of step[k] along unknown k.
TParams NelderMead(TWorstCase& f, int n, TParams x0, const TParams& step, int iterations)
{
    std::array<TParams, kMaxUnknowns + 1> p{};
    std::array<double, kMaxUnknowns + 1> v{};
    for (int i = 0; i <= n; ++i) {
        p[static_cast<std::size_t>(i)] = x0;
        if (i > 0) p[static_cast<std::size_t>(i)][static_cast<std::size_t>(i - 1)] += step[static_cast<std::size_t>(i - 1)];
        v[static_cast<std::size_t>(i)] = f(p[static_cast<std::size_t>(i)]);
    }
    const auto at = [](auto& a, int i) -> auto& { return a[static_cast<std::size_t>(i)]; };
    for (int it = 0; it < iterations; ++it) {
        // order: best first (a stable sort keeps the steps fixed for ties)
        std::array<int, kMaxUnknowns + 1> idx{0, 1, 2, 3};
        std::stable_sort(idx.begin(), idx.begin() + n + 1, [&](int a, int b) { return at(v, a) < at(v, b); });
        std::array<TParams, kMaxUnknowns + 1> q{};
        std::array<double, kMaxUnknowns + 1> w{};
        for (int i = 0; i <= n; ++i) at(q, i) = at(p, at(idx, i)), at(w, i) = at(v, at(idx, i));
        p = q;
        v = w;
        if (at(v, n) - at(v, 0) <= 1e-13 * (1 + at(v, 0))) break;
        TParams c{};
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < n; ++k) at(c, k) += at(at(p, i), k) / n;
        const auto toward = [&](double t) {
            TParams r{};
            for (int k = 0; k < n; ++k) at(r, k) = at(c, k) + t * (at(at(p, n), k) - at(c, k));
            return r;
        };
        const TParams r = toward(-1.0);
        const double fr = f(r);
        if (fr < at(v, 0)) {
            const TParams e = toward(-2.0);
            const double fe = f(e);
            at(p, n) = fe < fr ? e : r;
            at(v, n) = std::min(fe, fr);
        } else if (fr < at(v, n - 1)) {
            at(p, n) = r, at(v, n) = fr;
        } else {
            const TParams k = toward(fr < at(v, n) ? -0.5 : 0.5);
            const double fk = f(k);
            if (fk < std::min(fr, at(v, n))) {
                at(p, n) = k, at(v, n) = fk;
            } else {
                // shrink toward the best
                for (int i = 1; i <= n; ++i) {
                    for (int j = 0; j < n; ++j) at(at(p, i), j) = at(at(p, 0), j) + 0.5 * (at(at(p, i), j) - at(at(p, 0), j));
                    at(v, i) = f(at(p, i));
                }
            }
        }
    }
    int best = 0;
    for (int i = 1; i <= n; ++i)
        if (at(v, i) < at(v, best)) best = i;
    return at(p, best);
}

}  // namespace

double InputReflectionAt(MatchMethod method, double spacingMm, const TMatchSolution& s, const TRobustPoint& p)
{
    TMatchResult r;
    r.Method = method;
    r.GuideWavelengthMm = p.guideWavelengthMm;
    r.SpacingMm = spacingMm;
    return std::abs(AppliedReflection(r, s, p.gamma));
}

TRobustResult SolveRobust(MatchMethod method, double spacingMm, const std::vector<TRobustPoint>& points,
                          const TMatchSolution& nominal, const std::vector<TMatchSolution>& starts)
{
    TRobustResult out;
    for (const TRobustPoint& p : points)
        if (!(p.guideWavelengthMm > 0) && method != MatchMethod::EH) return out;
    if (points.empty()) return out;
    out.solved = true;
    const int n = Unknowns(method);
    const std::vector<const char*> orders =
        method == MatchMethod::EH ? std::vector<const char*>{kSeriesThenShunt, kShuntThenSeries}
                                  : std::vector<const char*>{nullptr};
    out.nominal = TWorstCase(method, spacingMm, points, nominal.Order).Worst(nominal);
    out.robust = out.nominal;
    for (const char* order : orders) {
        TWorstCase f(method, spacingMm, points, order);
        // every start by its worst case; the best few refined
        std::vector<TParams> from{ParamsOf(method, nominal)};
        TParams mean{};
        for (const TMatchSolution& s : starts) {
            from.push_back(ParamsOf(method, s));
            for (int k = 0; k < n; ++k) mean[static_cast<std::size_t>(k)] += from.back()[static_cast<std::size_t>(k)] / static_cast<double>(starts.size());
        }
        if (!starts.empty()) from.push_back(mean);
        std::vector<std::pair<double, std::size_t>> ranked;
        for (std::size_t i = 0; i < from.size(); ++i) ranked.emplace_back(f(from[i]), i);
        std::stable_sort(ranked.begin(), ranked.end());
        // first steps: a quarter of a normalised susceptance, a sixteenth of lg for a distance
        const double distanceStep = points.front().guideWavelengthMm / 16;
        const TParams coarse = method == MatchMethod::SingleStub ? TParams{distanceStep, 0.25, 0} : TParams{0.25, 0.25, 0.25};
        TParams fine{};
        for (int k = 0; k < kMaxUnknowns; ++k) fine[static_cast<std::size_t>(k)] = coarse[static_cast<std::size_t>(k)] / 25;
        for (std::size_t r = 0; r < std::min<std::size_t>(4, ranked.size()); ++r) {
            TParams x = NelderMead(f, n, from[ranked[r].second], coarse, 400);
            x = NelderMead(f, n, x, fine, 200);  // the polish, from a smaller simplex
            const TRobustSetting w = f.Worst(SettingOf(method, x, order));
            if (w.worstMag < out.robust.worstMag) out.robust = w;
        }
        out.evaluations += f.evaluations;
    }
    return out;
}

}  // namespace merivane
