// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicatorTexts.h"

#include "CellRules.h"
#include "EntryReader.h"
#include "MagnetronTexts.h"
#include "NumberText.h"
#include "Texts.h"

#include <algorithm>
#include <cmath>

namespace merivane::present {

namespace {

constexpr const char* kColumns[kApplicatorColumns] = {
    "Returned", "Self", "Coupled", "In-phase bound", "Seen |\u0393|", "Seen SWR", "To magnetron", "To dummy load",
    "Dummy load margin"};

std::string Power(double w, PowerUnit unit) { return PowerCell(w, unit).WithUnit(); }

// rating minus what reaches the dummy load, in watts, with the ratio in dB
std::string Margin(const TApplicatorFeed& f, const TFeedCase& in)
{
    if (in.dummyRatingW <= 0) return {};
    const double w = in.dummyRatingW - f.dummyW;
    std::string t = (w < 0 ? "\u2212" : "+") + Power(std::fabs(w), PowerUnit::Watts);
    if (f.dummyMarginDb) t += " (" + SignedNumber(*f.dummyMarginDb, 2) + " dB)";
    return t;
}

std::string Seen(const TApplicatorFeed& f, bool swr)
{
    if (!f.seenMag) return {};
    if (!swr) return MagnitudeText(*f.seenMag);
    return f.seenSwr ? FormatReal(*f.seenSwr, 3) : std::string("\u221e");
}

}  // namespace

const char* ApplicatorColumnCaption(int column)
{
    return column >= 0 && column < kApplicatorColumns ? kColumns[column] : "";
}

std::string ApplicatorCell(const TApplicatorFeed& f, const TFeedCase& in, int column, PowerUnit unit)
{
    switch (column) {
    case 0: return Power(f.returnedW, unit);
    case 1: return Power(f.selfW, unit);
    case 2: return Power(f.coupledW, unit);
    case 3: return Power(f.worstReturnedW, unit);
    case 4: return Seen(f, false);
    case 5: return Seen(f, true);
    case 6: return Power(f.magnetronW, unit);
    case 7: return Power(f.dummyW, unit);
    case 8: return Margin(f, in);
    default: return {};
    }
}

bool DummyOverloaded(const TApplicatorFeed& f, const TFeedCase& in)
{
    return in.dummyRatingW > 0 && f.dummyW > in.dummyRatingW;
}

std::string ApplicatorFileText(const TApplicatorCase& a)
{
    const std::vector<double>& f = a.data.frequencyHz;
    std::string t = a.file + ": " + std::to_string(a.data.ports) + (a.data.ports == 1 ? " port" : " ports");
    if (f.size() == 1) return t + ", measured at " + LimitText(f.front() / 1e6) + " MHz";
    if (f.empty()) return t;
    return t + ", " + std::to_string(f.size()) + " frequencies " + LimitText(f.front() / 1e6) + " \u2026 " +
           LimitText(f.back() / 1e6) + " MHz";
}

std::string MatrixDbText(double db) { return SignedNumber(db, 1); }

double MatrixStrength(double db) { return std::clamp(1 - db / kMatrixShadeFloorDb, 0.0, 1.0); }

std::string CouplingName(const TCoupling& c)
{
    const std::string a = std::to_string(c.portB), b = std::to_string(c.portA);
    return "S" + a + (a.size() > 1 || b.size() > 1 ? "," : "") + b;
}

std::string StrongestText(const std::vector<TCoupling>& couplings)
{
    std::string t;
    for (const TCoupling& c : couplings)
        t += (t.empty() ? "" : ", ") + CouplingName(c) + " " + MatrixDbText(c.db) + " dB";
    return t.empty() ? t : "Strongest: " + t;
}

std::string OutsideBandText(const TApplicatorSnapshot& a, const TApplicatorData& data)
{
    if (a.inside || data.frequencyHz.empty()) return {};
    const std::string band =
        LimitText(data.frequencyHz.front() / 1e6) + " \u2026 " + LimitText(data.frequencyHz.back() / 1e6);
    return LimitText(a.frequencyMHz) + " MHz lies outside the file's band " + band +
           " MHz: the matrix is taken at its nearer end.";
}

std::vector<std::pair<std::string, std::string>> ApplicatorTotals(const TSnapshot& s)
{
    const TApplicatorResult& r = s.applicator.result;
    std::vector<std::pair<std::string, std::string>> rows;
    if (r.feeds.empty()) return rows;
    const PowerUnit unit = s.c.display.power;
    rows.emplace_back("Absorbed", Power(r.absorbedW, unit));
    rows.emplace_back("Returned to the feeds", Power(r.returnedW, unit));
    rows.emplace_back("Efficiency", r.efficiency ? FormatReal(*r.efficiency * 100, 1) + " %"
                                                 : std::string("none: no feed has power"));
    const TApplicatorFeed& w = r.feeds[r.worstFeed];
    rows.emplace_back("Worst feed", "feed " + std::to_string(w.port) + ", " + Power(w.returnedW, unit) + " returned");
    return rows;
}

std::vector<TSection> ApplicatorSections(const TSnapshot& s)
{
    const TApplicatorSnapshot& a = s.applicator;
    if (!a.present || !s.c.applicator) return {};
    const TApplicatorCase& in = *s.c.applicator;
    TSection head{"Applicator", {}, {}};
    const auto row = [&head](const std::string& caption, const std::string& text) {
        if (!text.empty()) head.rows.push_back(TCaseRow{caption, {TValue{text, {}}}});
    };
    row("File", ApplicatorFileText(in));
    row("Not computed", a.error);
    for (const auto& [caption, text] : ApplicatorTotals(s)) row(caption, text);
    row("Couplings at " + LimitText(a.frequencyMHz) + " MHz", StrongestText(a.couplings));
    row("Band", OutsideBandText(a, in.data));
    if (a.result.feeds.empty()) return {head};
    // what each feed sends, then what it gets back and where that goes
    TSection feeds{"Applicator Feeds", {"Power", "Frequency"}, {}};
    const int shown[] = {0, 3, 4, 6, 7, 8};
    for (int c : shown) feeds.columns.push_back(kColumns[c]);
    for (std::size_t i = 0; i < a.result.feeds.size() && i < in.feeds.size(); ++i) {
        const TApplicatorFeed& f = a.result.feeds[i];
        TCaseRow r{"Feed " + std::to_string(f.port), {}};
        r.values.push_back(TValue{Power(f.powerW, s.c.display.power), {}});
        r.values.push_back(TValue{LimitText(a.feedFrequencyMHz[i]) + " MHz", {}});
        for (int c : shown) r.values.push_back(TValue{ApplicatorCell(f, in.feeds[i], c, s.c.display.power), {}});
        feeds.rows.push_back(std::move(r));
    }
    return {head, feeds};
}

}  // namespace merivane::present
