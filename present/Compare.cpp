// SPDX-License-Identifier: GPL-3.0-or-later
#include "Compare.h"

#include "Case.h"
#include "CompareRow.h"
#include "CompareViews.h"
#include "NumberText.h"
#include "SweepTexts.h"

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>

namespace merivane::present {

namespace {

using ext = long double;

using TSide = TCompareSide;

TSide Side(const TValue& v, TNumber n) { return {v.Joined(), v.unit, n}; }

// A text that is a plain number: not "+oo", "-oo", "oo", "n/a", "Undefined",
// "Ideal", "any length", an interval "a .. b" or an empty cell.
bool ShowsNumber(const std::string& t)
{
    if (t.empty() || t.find("oo") != std::string::npos || t.find("..") != std::string::npos) return false;
    // a sign: "-", "+" (a shift), or the minus sign U+2212 a view writes
    const std::size_t first = t[0] == '-' || t[0] == '+' ? 1 : t.rfind("\u2212", 0) == 0 ? 3 : 0;
    return first < t.size() && std::isdigit(static_cast<unsigned char>(t[first]));
}

bool HasNumber(const TSide& s)
{
    // the sentinel stays out even where a text would show a number for it
    return ShowsNumber(s.text) && std::isfinite(s.n.shown) && std::fabs(s.n.shown) < kInfinity &&
           !(std::fabs(s.n.linear) >= kInfinity);
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// "+0.30", "-1.02", "0": positive with its sign, no "-0.00" for a difference
// that rounds away.
std::string Signed(double x, int decimals)
{
    std::string s = FormatReal(x, decimals);
    if (s.find_first_not_of("-0.") == std::string::npos) return "0";
    if (x > 0) s.insert(s.begin(), '+');
    return s;
}

// The reference computed as the current case would show it: its results
// with the current factor and measurement units.
TModel WithCurrentUnits(const TModel& m, const TCase& current)
{
    TModel r = m;
    r.SelUnit = current.factorUnit;
    r.SelErrUnit = current.measUnit;
    return r;
}

void AddInputs(TComparison& out, const TModel& ref, const TModel& cur, const TDisplay& d)
{
    const TSection a = InputSection(ref, d), b = InputSection(cur, d);
    for (std::size_t i = 0; i < b.rows.size(); ++i) {
        const int row = static_cast<int>(i);
        AddComparedRow(out, b.title, b.rows[i].caption, Side(a.rows[i].values.at(0), InputNumber(row, ref, d)),
            Side(b.rows[i].values.at(0), InputNumber(row, cur, d)));
    }
}

// The Line Sweep page's inputs, each with the decimals its field writes back.
void AddLine(TComparison& out, const TSweepInputs& ref, const TSweepInputs& cur)
{
    const char* section = "Line";
    const auto number = [](double x, const char* unit) {
        return TSide{FormatReal(x, 6) + (*unit ? std::string(" ") + unit : ""), unit, {x, x, 6}};
    };
    const auto add = [&](const char* caption, double a, double b, const char* unit) {
        AddComparedRow(out, section, caption, number(a, unit), number(b, unit));
    };
    add("Frequency", ref.FreqMHz, cur.FreqMHz, "MHz");
    const auto line = [](const TSweepInputs& in) {
        const double type = static_cast<double>(in.Line);
        return TSide{in.LineKnown ? LineTypeSpec(in.Line).name : "unknown", "", {type, kNoNumber, 0}};
    };
    AddComparedRow(out, section, "Line", line(ref), line(cur));
    add("Waveguide Width", ref.WidthMm, cur.WidthMm, "mm");
    add("Velocity Factor", ref.Vf, cur.Vf, "");
    add("Line Length", ref.LengthM, cur.LengthM, "m");
    add("Frequency Span", ref.SpanMHz, cur.SpanMHz, "MHz");
}

void AddResults(TComparison& out, const TModel& ref, const TModel& cur, const TDisplay& d)
{
    for (const TResultCell& c : ResultCells()) {
        const TRegionSpec& region = RegionOf(c.region);
        std::string caption = region.rows[static_cast<std::size_t>(c.row)];
        if (!region.columns.empty()) caption += std::string(", ") + region.columns[static_cast<std::size_t>(c.column)];
        AddComparedRow(out, region.title, caption, Side(CellValue(c, ref, d), CellNumber(c, ref, d)),
            Side(CellValue(c, cur, d), CellNumber(c, cur, d)));
    }
}

// The numbers behind SweepRows(), row by row; the 95 % interval holds two
// and is compared by its ends, without a difference.
std::vector<TNumber> SweepRowNumbers(const TSweepResult& r, PowerUnit unit)
{
    const auto plain = [](double x) { return TNumber{x, x, 2}; };
    return {plain(r.Guide.wavelengthMm), plain(r.Period), plain(r.AddForMax), plain(r.AddForMin),
            TNumber{r.SpreadDeg, kNoNumber, 2}, PowerNumber(r.Stats.Mean, unit),
            PowerNumber(r.Stats.Deviation, PowerUnit::Watts), TNumber{r.Stats.Low, r.Stats.High, 2}};
}

void AddSweep(TComparison& out, const TSweepResult& ref, const TSweepResult& cur, PowerUnit unit)
{
    const std::vector<TSweepRow> a = SweepRows(ref, unit), b = SweepRows(cur, unit);
    const std::vector<TNumber> x = SweepRowNumbers(ref, unit), y = SweepRowNumbers(cur, unit);
    for (std::size_t i = 0; i < b.size() && i < x.size(); ++i)
        AddComparedRow(out, "Line Sweep", b[i].name, TSide{a[i].WithUnit(), a[i].unit, x[i]}, TSide{b[i].WithUnit(), b[i].unit, y[i]});
}

std::string Clean(std::string s)
{
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace

void AddComparedRow(TComparison& out, const std::string& section, const std::string& caption, const TSide& ref,
                    const TSide& cur)
{
    TComparisonRow r;
    r.section = section;
    r.caption = caption;
    r.reference = ref.text;
    r.current = cur.text;
    r.differs = ref.text != cur.text || !SameBits(ref.n.shown, cur.n.shown) || !SameBits(ref.n.linear, cur.n.linear);
    if (HasNumber(ref) && HasNumber(cur)) {
        // current - reference in the unit the current value shows: kW when it
        // shows kW, whatever the reference shows; dB minus dB is dB
        ext d = static_cast<ext>(cur.n.shown) - ref.n.shown;
        int decimals = cur.n.decimals;
        if (cur.unit == "kW") {
            d /= 1000;
            decimals = 2;
        }
        r.difference = Signed(static_cast<double>(d), decimals);
        // a difference of dBm, dBW or dBkW is a ratio: dB
        const std::string unit = cur.unit.rfind("dB", 0) == 0 ? std::string("dB") : cur.unit;
        if (!unit.empty()) r.difference += " " + unit;
        // (current - reference) / |reference| x 100, of the linear quantity
        const double a = ref.n.linear, b = cur.n.linear;
        if (std::isfinite(a) && std::isfinite(b) && a != 0)
            r.change = Signed(static_cast<double>((static_cast<ext>(b) - a) / std::fabs(a) * 100), 2);
    }
    out.rows.push_back(std::move(r));
}

TComparison Compare(const TSnapshot& reference, const TSnapshot& current)
{
    TComparison out;
    const TDisplay& d = current.c.display;
    const TModel ref = WithCurrentUnits(reference.m, current.c);
    AddInputs(out, ref, current.m, d);
    AddLine(out, reference.c.line, current.c.line);
    AddResults(out, ref, current.m, d);
    AddSweep(out, reference.sweep, current.sweep, d.power);
    AddViews(out, reference, current);
    return out;
}

std::string ComparisonTable(const TComparison& c)
{
    std::string out = "Quantity\tReference\tCurrent\tDifference\tChange %\n";
    const std::string* section = nullptr;
    for (const TComparisonRow& r : c.rows) {
        if (!section || *section != r.section) out += Clean(r.section) + '\n';
        section = &r.section;
        out += Clean(r.caption) + '\t' + Clean(r.reference) + '\t' + Clean(r.current) + '\t' + Clean(r.difference) + '\t' +
               Clean(r.change);
        while (out.back() == '\t') out.pop_back();
        out += '\n';
    }
    return out;
}

}  // namespace merivane::present
