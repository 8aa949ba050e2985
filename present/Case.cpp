// SPDX-License-Identifier: GPL-3.0-or-later
#include "Case.h"

#include "NumberText.h"

#include <algorithm>

namespace merivane::present {

namespace {

using ext = long double;

// The Load Meas columns from here on are the error columns; their header names
// the unit ("Min Error %").
constexpr int kFirstLoadMeasErrorColumn = 3;

const char* MismFormName(int index) { return ChoiceCaption(kMismatchFormNames, index); }

// The entered form of a reflection, as its field shows it.
std::string ReflInputText(const TRefl& r, int form)
{
    switch (form) {
    case 1: return FormatReal(r.Rloss, 2);
    case 2: return FormatReal(r.Swr, 3);
    default: return FormatReal3(r.Mag);
    }
}

// One line of a table: no tabs or line ends inside a cell.
std::string Clean(std::string s)
{
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

void TrimRight(std::string& s, char c)
{
    while (!s.empty() && s.back() == c) s.pop_back();
}

std::string Escaped(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

}  // namespace

const char* ReflFormName(int form) { return ChoiceCaption(kReflFormNames, form); }

TSection InputSection(const TModel& m, const TDisplay& d)
{
    TSection s{"Inputs", {}, {}};
    const auto add = [&s](const char* caption, std::string text, std::string unit) {
        s.rows.push_back({caption, {TValue{std::move(text), std::move(unit)}}});
    };
    add("Anode V", IntToText(m.Va), "V");
    add("Anode I", FormatReal3(m.Ia), "A");
    add("Efficiency", FormatReal3(static_cast<double>(static_cast<ext>(m.Eff) * 100)), "%");
    add("Source Magnitude", ReflInputText(m.SrcRfl, d.srcRfl), ReflFormName(d.srcRfl));
    add("Source Phase", FormatReal3(m.SrcRfl.Pha), "deg");
    add("Load Magnitude", ReflInputText(m.LoaRfl, d.loaRfl), ReflFormName(d.loaRfl));
    add("Load Phase", FormatReal3(m.LoaRfl.Pha), "deg");
    if (m.CplIdeal)
        add("Directivity", "Ideal", "");
    else
        add("Directivity", FormatReal3(m.CplDirDb), "dB");
    return s;
}

TValue CellValue(const TResultCell& cell, const TModel& m, const TDisplay& d)
{
    const TCell c = cell.render(m, d);
    TValue v{c.text, {}};
    if (cell.unitLabel) {
        v.unit = c.Caption();
        return v;
    }
    // a cell without a unit label: the list beside it names the representation
    switch (cell.region) {
    case Region::SourceReflection: v.unit = MismFormName(d.srcMism); break;
    case Region::LoadReflection: v.unit = MismFormName(d.loaMism); break;
    case Region::LoadMeas:
        if (cell.column < kFirstLoadMeasErrorColumn) v.unit = ReflFormName(d.meaRfl);
        break;
    default: break;
    }
    return v;
}

std::vector<TSection> CaseSections(const TModel& m, const TDisplay& d, const TExtraRegion* extra)
{
    std::vector<TSection> out;
    out.reserve(Regions().size() + 2);
    out.push_back(InputSection(m, d));
    for (const TRegionSpec& r : Regions()) {
        TSection s;
        s.title = r.title;
        s.columns.assign(r.columns.begin(), r.columns.end());
        const std::size_t width = std::max<std::size_t>(1, r.columns.size());
        for (const char* caption : r.rows) s.rows.push_back({caption, std::vector<TValue>(width)});
        for (const TResultCell& c : ResultCells()) {
            if (c.region != r.region) continue;
            s.rows[static_cast<std::size_t>(c.row)].values[static_cast<std::size_t>(c.column)] = CellValue(c, m, d);
        }
        out.push_back(std::move(s));
    }
    if (extra && !extra->rows.empty()) {
        TSection s{extra->title, {}, {}};
        for (const auto& [caption, text] : extra->rows) s.rows.push_back({caption, {TValue{text, {}}}});
        out.push_back(std::move(s));
    }
    return out;
}

std::string CaseTsv(const std::vector<TSection>& sections)
{
    std::string out;
    out.reserve(4096);
    bool first = true;
    for (const TSection& s : sections) {
        if (!first) out += '\n';
        first = false;
        std::string line = Clean(s.title);
        for (const std::string& c : s.columns) line += '\t' + Clean(c) + '\t';
        TrimRight(line, '\t');
        out += line + '\n';
        for (const TCaseRow& r : s.rows) {
            line = Clean(r.caption);
            for (const TValue& v : r.values) line += '\t' + Clean(v.text) + '\t' + Clean(v.unit);
            TrimRight(line, '\t');
            out += line + '\n';
        }
    }
    return out;
}

std::string CaseHtml(const std::vector<TSection>& sections)
{
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body>\n"
                      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
    for (const TSection& s : sections) {
        out += "<tr><th align=\"left\"";
        if (s.columns.empty()) out += " colspan=\"3\"";
        out += ">" + Escaped(s.title) + "</th>";
        for (const std::string& c : s.columns) out += "<th colspan=\"2\">" + Escaped(c) + "</th>";
        out += "</tr>\n";
        for (const TCaseRow& r : s.rows) {
            out += "<tr><td>" + Escaped(r.caption) + "</td>";
            for (const TValue& v : r.values)
                out += "<td align=\"right\">" + Escaped(v.text) + "</td><td>" + Escaped(v.unit) + "</td>";
            out += "</tr>\n";
        }
    }
    out += "</table>\n</body></html>\n";
    return out;
}

namespace {

// The columns a UTF-8 text takes in a terminal: one per character, not per
// byte ("\u2212", "\u0393" and "\u00b0" take one each).
std::size_t Columns(const std::string& t)
{
    return static_cast<std::size_t>(
        std::count_if(t.begin(), t.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

std::string CaseText(const std::vector<TSection>& sections)
{
    std::string out;
    bool first = true;
    for (const TSection& s : sections) {
        if (!first) out += '\n';
        first = false;
        const std::size_t columns = std::max<std::size_t>(1, s.columns.size());
        // the table as text cells: the header line, then the rows
        std::vector<std::vector<std::string>> lines;
        lines.push_back({Clean(s.title)});
        for (const std::string& c : s.columns) lines.back().push_back(Clean(c));
        for (const TCaseRow& r : s.rows) {
            lines.push_back({Clean(r.caption)});
            for (const TValue& v : r.values) lines.back().push_back(Clean(v.Joined()));
        }
        std::vector<std::size_t> width(columns + 1, 0);
        for (const auto& l : lines)
            for (std::size_t i = 0; i < l.size(); ++i) width[i] = std::max(width[i], Columns(l[i]));
        // a title wider than every caption stands alone on its line
        if (s.columns.empty()) {
            width[0] = 0;
            for (std::size_t i = 1; i < lines.size(); ++i) width[0] = std::max(width[0], Columns(lines[i][0]));
        }
        for (const auto& l : lines) {
            std::string line;
            for (std::size_t i = 0; i < l.size(); ++i) {
                line += l[i];
                if (i + 1 < l.size()) line.append(width[i] - Columns(l[i]) + 2, ' ');
            }
            TrimRight(line, ' ');
            out += line + '\n';
        }
    }
    return out;
}

}  // namespace merivane::present
