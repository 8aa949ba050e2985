// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareViews.h"

#include "ApplicatorTexts.h"
#include "GuideTexts.h"
#include "MagnetronTexts.h"
#include "MeasuredTexts.h"
#include "ProcessTexts.h"
#include "TunerTexts.h"

#include <charconv>
#include <map>
#include <utility>

namespace merivane::present {

namespace {

// "+1.37", "-0.5", "\u22123.17" (a minus sign): the number and its decimals.
bool ReadWholeNumber(std::string t, double& x, int& decimals)
{
    const std::string minus = "\u2212";
    if (t.rfind(minus, 0) == 0) t.replace(0, minus.size(), "-");
    std::size_t from = t.size() > 1 && t[0] == '+' ? 1 : 0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data() + from, end, x, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end) return false;
    const std::size_t dot = t.find('.');
    decimals = dot == std::string::npos ? 0 : static_cast<int>(t.size() - dot - 1);
    return true;
}

bool InDecibels(const std::string& unit) { return unit.rfind("dB", 0) == 0; }
bool IsPhase(const std::string& unit) { return unit == "deg" || unit == "\u00b0"; }

using TRows = std::vector<std::pair<std::string, TValue>>;  // caption (and column) and text

TRows RowsOf(const TSection& s)
{
    TRows rows;
    for (const TCaseRow& r : s.rows)
        for (std::size_t i = 0; i < r.values.size(); ++i)
            rows.emplace_back(s.columns.empty() ? r.caption : r.caption + ", " + s.columns.at(i), r.values[i]);
    return rows;
}

// Every view's section, in the Workbench's order; a measured load's, the
// process's and the applicator's only with one.
std::vector<TSection> ViewSections(const TSnapshot& s)
{
    std::vector<TSection> out{TunerSection(s), GuideSection(s), MagnetronSection(s), MeasurementSection(s)};
    for (TSection& m : MeasuredSections(s)) out.push_back(std::move(m));
    if (s.process.present)
        for (TSection& p : ProcessSections(s)) out.push_back(std::move(p));
    for (TSection& a : ApplicatorSections(s)) out.push_back(std::move(a));
    return out;
}

}  // namespace

TCompareSide ViewSide(const TValue& v)
{
    TCompareSide side{v.Joined(), v.unit, {}};
    double x = 0;
    int decimals = 0;
    if (!ReadWholeNumber(v.text, x, decimals)) return side;
    if (v.unit == "kW") x *= 1000;  // as the window's cells: watts behind W and kW
    const bool relative = !InDecibels(v.unit) && !IsPhase(v.unit);
    side.n = TNumber{x, relative ? x : kNoNumber, decimals};
    return side;
}

void AddViews(TComparison& out, const TSnapshot& reference, const TSnapshot& current)
{
    const std::vector<TSection> a = ViewSections(reference), b = ViewSections(current);
    // by section and caption: a row one side has and the other not is compared with an empty text
    std::map<std::pair<std::string, std::string>, TValue> before;
    for (const TSection& s : a)
        for (auto& [caption, value] : RowsOf(s)) before.emplace(std::make_pair(s.title, caption), value);
    const auto add = [&out](const std::string& section, const std::string& caption, const TValue& ref,
                            const TValue& cur) { AddComparedRow(out, section, caption, ViewSide(ref), ViewSide(cur)); };
    for (const TSection& s : b)
        for (auto& [caption, value] : RowsOf(s)) {
            const auto found = before.find({s.title, caption});
            add(s.title, caption, found == before.end() ? TValue{} : found->second, value);
            if (found != before.end()) before.erase(found);
        }
    // what only the reference has, in its order
    for (const TSection& s : a)
        for (auto& [caption, value] : RowsOf(s))
            if (before.count({s.title, caption})) add(s.title, caption, value, TValue{});
}

}  // namespace merivane::present
