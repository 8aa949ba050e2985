// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's method names, and the match of a computed case.
#include "TunerInput.h"

#include "InputRows.h"
#include "ScrewTable.h"

#include <cctype>

namespace merivane::present {

namespace {

constexpr TMethodName kMethods[] = {
    {MatchMethod::SingleStub, "single-stub", "Single stub"},
    {MatchMethod::ThreeStub, "three-stub", "Three-stub tuner"},
    {MatchMethod::EH, "eh", "E-H tuner"},
    {MatchMethod::DoubleStub, "double-stub", "Double stub"},
};

}  // namespace

TScrewSetting ScrewSettingFor(const std::vector<TScrewPoint>& table, double b)
{
    TScrewSetting s;
    if (table.empty()) return s;
    if (b == 0.0) {
        s.kind = ScrewDepth::Out;
        return s;
    }
    const std::optional<double> depth = DepthForSusceptance(table, b);
    s.kind = depth ? ScrewDepth::Depth : ScrewDepth::Beyond;
    s.depthMm = depth.value_or(0.0);
    return s;
}

TTunerLimits TunerLimits()
{
    const TInputRow& spacing = InputRow(Input::TunerSpacing);
    const TInputRow& solution = InputRow(Input::TunerSolution);
    const TInputRow& depth = InputRow(Input::ScrewDepthMm);
    const TInputRow& b = InputRow(Input::ScrewSusceptance);
    return TTunerLimits{spacing.lo,
                        spacing.hi,
                        static_cast<int>(solution.lo) - 1,
                        static_cast<int>(solution.hi) - 1,
                        kDefaultMatchMethod,
                        2,
                        1000,  // rows of a calibration table
                        depth.lo,
                        depth.hi,
                        b.hi,
                        1e-6,
                        1e-9};  // steps of depth (mm) and of b
}

std::span<const TMethodName> MethodNames() { return kMethods; }

bool MethodByName(std::string_view text, MatchMethod& method)
{
    for (const TMethodName& n : kMethods) {
        const std::string_view name = n.name;
        if (name.size() != text.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(text[i])) == name[i];
        if (same) {
            method = n.method;
            return true;
        }
    }
    return false;
}

const char* MatchStatusText(const char* status)
{
    struct TStatusText {
        const char* status;
        const char* text;
    };
    static constexpr TStatusText kTexts[] = {
        {kMatchOk, "matched"},
        {kMatchFullReflection, "not matchable: the load reflects everything (|\u0393| = 1)"},
        {kMatchActiveLoad, "not matchable: the load gives power back (|\u0393| > 1)"},
        {kMatchNoWave, "not matchable: no wave propagates on the line at this frequency"},
        {kMatchOutsideRegion, "outside the matchable region (g > 1/sin\u00b2(\u03b2d))"},
        {kMatchNotCapacitive, "not matchable with capacitive screws"},
        {kMatchHalfWaveSpacing, "not matchable: the spacing is a multiple of half a guide wavelength"},
        {kMatchNotWithTheseStubs, "not matchable with these stubs"},
        {kMatchBadSpacing, "not matchable: the spacing is not a length"},
    };
    for (const TStatusText& t : kTexts)
        if (t.status == status) return t.text;
    return "not matchable";
}

const char* MethodCaption(MatchMethod method)
{
    for (const TMethodName& n : kMethods)
        if (n.method == method) return n.caption;
    return kMethods[0].caption;
}

TTunerResult ComputeTuner(const TTunerInputs& in, const TModel& m, const TSweepInputs& line)
{
    TTunerResult t;
    const cplx gl = LoadReflection(m.LoaRfl.Mag, m.LoaRfl.Pha);
    t.match = SolveMatch(in.method, line, gl, in.spacingMm);
    t.solution = in.solution >= 0 && in.solution < t.match.SolutionCount ? in.solution : 0;
    // without a solution the magnetron still sees the load itself
    t.residual = ResidualReflection(t.match, t.solution, gl);
    t.after = AfterMatch(m, t.residual);
    for (int i = 0; i < t.match.SolutionCount; ++i) {
        const TMatchSolution& s = t.match.Solutions[i];
        if (s.SusceptanceCount > 0) {
            for (int k = 0; k < s.SusceptanceCount; ++k) t.screws[i][k] = ScrewSettingFor(in.screws, s.Susceptances[k]);
        } else {
            t.screws[i][0] = ScrewSettingFor(in.screws, s.Susceptance);
        }
    }
    return t;
}

}  // namespace merivane::present
