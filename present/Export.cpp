// SPDX-License-Identifier: GPL-3.0-or-later
#include "Export.h"

#include "Cells.h"
#include "Fields.h"
#include "SweepNumbers.h"

namespace merivane::present {

namespace {

using ext = long double;

constexpr const char* kInputNames[] = {"va", "ia", "eff", "source", "load", "directivity"};

double Percent(double fraction) { return static_cast<double>(static_cast<ext>(fraction) * 100); }

void AppendReflection(std::string& out, const TRefl& r, int form)
{
    switch (form) {
    case 1:
        out += "db:";
        AppendShortest(out, r.Rloss);
        break;
    case 2:
        out += "swr:";
        AppendShortest(out, r.Swr);
        break;
    default: AppendShortest(out, r.Mag); break;
    }
    out += '@';
    AppendShortest(out, r.Pha);
}

}  // namespace

// A CSV cell, quoted when it holds a comma, a quote or a line end.
void AppendCsvText(std::string& out, std::string_view s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// A JSON string: quotes and backslashes escaped, control characters as \\u00XX.
void AppendJsonString(std::string& out, std::string_view s)
{
    static const char* const hex = "0123456789abcdef";
    out += '"';
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

std::span<const char* const> InputNames() { return kInputNames; }

std::string ReflectionText(const TRefl& r, int form)
{
    std::string s;
    AppendReflection(s, r, form);
    return s;
}

void AppendInputsCsv(std::string& out, const TModel& m, const TDisplay& d)
{
    AppendInteger(out, m.Va);
    out += ',';
    AppendShortest(out, m.Ia);
    out += ',';
    AppendShortest(out, Percent(m.Eff));
    out += ',';
    AppendReflection(out, m.SrcRfl, d.srcRfl);
    out += ',';
    AppendReflection(out, m.LoaRfl, d.loaRfl);
    out += ',';
    if (!m.CplIdeal) AppendShortest(out, m.CplDirDb);
}

std::string BatchHeader(bool sweep)
{
    std::string h;
    for (const char* n : kInputNames) {
        if (!h.empty()) h += ',';
        h += n;
    }
    if (sweep) h += ",frequency,line,length,span";
    for (const TFieldSpec& f : ModelFields()) {
        h += ',';
        h += f.name;
    }
    if (sweep)
        for (const char* n : SweepNumberNames()) {
            h += ',';
            h += n;
        }
    return h;
}

void AppendFieldsCsv(std::string& out, const TModel& m)
{
    for (const TFieldSpec& f : ModelFields()) {
        out += ',';
        AppendFieldCsv(out, f, m);
    }
}

void AppendBatchRow(std::string& out, const TModel& m, const TDisplay& d)
{
    AppendInputsCsv(out, m, d);
    AppendFieldsCsv(out, m);
    out += '\n';
}

std::string CaseCsv(const TModel& m, const TDisplay& d, const TExtraRegion* extra)
{
    std::string header = BatchHeader();
    std::string row;
    AppendBatchRow(row, m, d);
    row.pop_back();  // the line end
    for (const TResultCell& c : ResultCells()) {
        header += ',';
        AppendCsvText(header, c.accessibleName);
        row += ',';
        AppendCsvText(row, CellValue(c, m, d).Joined());
    }
    if (extra) {
        for (const auto& [caption, text] : extra->rows) {
            header += ',';
            AppendCsvText(header, caption);
            row += ',';
            AppendCsvText(row, text);
        }
        // the same readouts as numbers, an empty cell where there is none
        for (const auto& [name, value] : extra->numbers) {
            header += ',';
            AppendCsvText(header, name);
            row += ',';
            if (value) AppendShortest(row, *value);
        }
    }
    return header + '\n' + row + '\n';
}

std::string CaseJson(const TModel& m, const TDisplay& d, const TExtraRegion* extra)
{
    std::string out = "{\n  \"inputs\": {\n";
    out += "    \"va\": ";
    AppendInteger(out, m.Va);
    out += ",\n    \"ia\": ";
    AppendShortest(out, m.Ia);
    out += ",\n    \"eff\": ";
    AppendShortest(out, Percent(m.Eff));
    out += ",\n    \"source\": ";
    AppendJsonString(out, ReflectionText(m.SrcRfl, d.srcRfl));
    out += ",\n    \"load\": ";
    AppendJsonString(out, ReflectionText(m.LoaRfl, d.loaRfl));
    out += ",\n    \"directivity\": ";
    if (m.CplIdeal)
        out += "null";
    else
        AppendShortest(out, m.CplDirDb);
    out += "\n  },\n  \"results\": {\n";
    bool first = true;
    for (const TFieldSpec& f : ModelFields()) {
        out += first ? "    " : ",\n    ";
        first = false;
        AppendJsonString(out, f.name);
        out += ": ";
        AppendFieldJson(out, f, m);
    }
    out += "\n  },\n";
    // the extra region's readouts as numbers, null where there is none
    if (extra && !extra->numbers.empty()) {
        out += "  \"sweep\": {\n";
        first = true;
        for (const auto& [name, value] : extra->numbers) {
            out += first ? "    " : ",\n    ";
            first = false;
            AppendJsonString(out, name);
            out += ": ";
            if (value)
                AppendShortest(out, *value);
            else
                out += "null";
        }
        out += "\n  },\n";
    }
    out += "  \"display\": {\n";
    first = true;
    const auto add = [&](const std::string& name, const std::string& text) {
        out += first ? "    " : ",\n    ";
        first = false;
        AppendJsonString(out, name);
        out += ": ";
        AppendJsonString(out, text);
    };
    for (const TResultCell& c : ResultCells()) add(c.accessibleName, CellValue(c, m, d).Joined());
    if (extra)
        for (const auto& [caption, text] : extra->rows) add(caption, text);
    out += "\n  }\n}\n";
    return out;
}

}  // namespace merivane::present
