// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithPath.h"

#include "TunerCommon.h"

#include <algorithm>
#include <cmath>

namespace merivane::smith {

namespace {

constexpr TGamma kJ(0.0, 1.0);

// z = (1 + G) / (1 - G); G = (z - 1) / (z + 1)
TGamma ImpedanceOf(TGamma g) { return (1.0 + g) / (1.0 - g); }
TGamma ReflectionOfImpedance(TGamma z) { return (z - 1.0) / (z + 1.0); }

class TPathBuilder {
public:
    TPathBuilder(TGamma start, int steps) : at_(start), steps_(std::max(steps, 1)) {}

    // G e^(-j 4 pi l / lg) over t l, t = 0 .. 1
    void Turn(double lengthMm, double lgMm)
    {
        if (lengthMm == 0.0) return;
        const TGamma from = at_;
        Add(PathStep::Line, [&](double t) { return detail::Turned(from, t * lengthMm, lgMm); });
    }
    // y + j t b
    void Shunt(double b)
    {
        if (b == 0.0) return;
        const TGamma y = AdmittanceOf(at_);
        Add(PathStep::Shunt, [&](double t) { return ReflectionOfAdmittance(y + kJ * (t * b)); });
    }
    // z + j t x
    void Series(double x)
    {
        if (x == 0.0) return;
        const TGamma z = ImpedanceOf(at_);
        Add(PathStep::Series, [&](double t) { return ReflectionOfImpedance(z + kJ * (t * x)); });
    }

    TTunerPath Finish()
    {
        TTunerPath p;
        p.defined = true;
        p.segments = std::move(segments_);
        p.end = at_;
        return p;
    }

private:
    template <class F>
    void Add(PathStep step, F&& at)
    {
        TPathSegment s;
        s.step = step;
        s.invariant = PathInvariant(step, at_);
        s.points.reserve(steps_ + 1);
        for (int k = 0; k <= steps_; ++k) s.points.push_back(at(static_cast<double>(k) / steps_));
        at_ = s.points.back();
        segments_.push_back(std::move(s));
    }

    TGamma at_;
    int steps_;
    std::vector<TPathSegment> segments_;
};

}  // namespace

double PathInvariant(PathStep step, TGamma g)
{
    switch (step) {
    case PathStep::Shunt: return AdmittanceOf(g).real();
    case PathStep::Series: return ImpedanceOf(g).real();
    default: return std::abs(g);
    }
}

TTunerPath TunerPath(const TMatchResult& r, int i, TGamma gammaL, int steps)
{
    if (!r.Matchable || i < 0 || i >= r.SolutionCount) return {};
    const TMatchSolution& s = r.Solutions[i];
    TPathBuilder b(gammaL, steps);
    switch (r.Method) {
    case MatchMethod::SingleStub:
        // along the line to where g = 1, then the stub's b along g = 1
        b.Turn(s.DistanceMm, r.GuideWavelengthMm);
        b.Shunt(s.Susceptance);
        break;
    case MatchMethod::EH:
        if (s.Order == kSeriesThenShunt) {
            b.Series(s.Reactance);
            b.Shunt(s.Susceptance);
        } else {
            b.Shunt(s.Susceptance);
            b.Series(s.Reactance);
        }
        break;
    default: {
        // stub k at (k - 1) spacing toward the source; past the last screw
        // that does anything the wave is matched and turns no further
        int last = -1;
        for (int k = 0; k < s.SusceptanceCount; ++k)
            if (s.Susceptances[k] != 0.0) last = k;
        for (int k = 0; k <= last; ++k) {
            if (k > 0) b.Turn(r.SpacingMm, r.GuideWavelengthMm);
            b.Shunt(s.Susceptances[k]);
        }
        break;
    }
    }
    return b.Finish();
}

}  // namespace merivane::smith
