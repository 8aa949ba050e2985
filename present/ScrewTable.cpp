// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrewTable.h"

#include "Fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace merivane::present {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A whole cell as a finite number; "+1.5" and "1e-3" are numbers.
bool Number(std::string_view cell, double& value)
{
    cell = Trim(cell);
    if (!cell.empty() && cell.front() == '+') cell.remove_prefix(1);
    if (cell.empty()) return false;
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    return ec == std::errc() && end == cell.data() + cell.size() && std::isfinite(value);
}

// The two cells of a line: split at the first separator.
bool Cells(std::string_view line, std::string_view& a, std::string_view& b)
{
    const std::size_t at = line.find_first_of(",;\t");
    if (at == std::string_view::npos) return false;
    a = line.substr(0, at);
    b = line.substr(at + 1);
    // a trailing separator leaves an empty third cell, which is allowed
    const std::size_t more = b.find_first_of(",;\t");
    if (more != std::string_view::npos) {
        if (!Trim(b.substr(more + 1)).empty()) return false;
        b = b.substr(0, more);
    }
    return true;
}

std::string At(long line) { return "line " + std::to_string(line) + ": "; }

std::string Num(double x) { return Shortest(x); }

}  // namespace

bool CheckScrewTable(const std::vector<TScrewPoint>& points, std::string& error)
{
    const TTunerLimits& l = TunerLimits();
    const auto n = static_cast<int>(points.size());
    if (n < l.screwRowsMin || n > l.screwRowsMax) {
        error = "a calibration table has " + std::to_string(l.screwRowsMin) + " to " + std::to_string(l.screwRowsMax) +
                " rows, not " + std::to_string(n);
        return false;
    }
    for (int i = 0; i < n; ++i) {
        const TScrewPoint& p = points[static_cast<std::size_t>(i)];
        const std::string row = "row " + std::to_string(i + 1) + ": ";
        if (!(p.depthMm >= l.depthLo && p.depthMm <= l.depthHi)) {
            error = row + "the depth " + Num(p.depthMm) + " mm is outside " + Num(l.depthLo) + " .. " + Num(l.depthHi);
            return false;
        }
        if (!(std::fabs(p.susceptance) <= l.susceptanceMax)) {
            error = row + "the susceptance " + Num(p.susceptance) + " is outside -" + Num(l.susceptanceMax) + " .. " +
                    Num(l.susceptanceMax);
            return false;
        }
        if (i == 0) continue;
        const TScrewPoint& q = points[static_cast<std::size_t>(i - 1)];
        if (!(p.depthMm > q.depthMm)) {
            error = row + "the depths must rise strictly (" + Num(q.depthMm) + " then " + Num(p.depthMm) + ")";
            return false;
        }
        // strictly monotone: each step the same way as the first
        const bool rises = points[1].susceptance > points[0].susceptance;
        const bool ok = rises ? p.susceptance > q.susceptance : p.susceptance < q.susceptance;
        if (!ok) {
            error = row + "the susceptance must " + (rises ? "rise" : "fall") + " strictly with the depth (" +
                    Num(q.susceptance) + " then " + Num(p.susceptance) + ")";
            return false;
        }
        if (p.depthMm - q.depthMm < l.depthStepMin || std::fabs(p.susceptance - q.susceptance) < l.susceptanceStepMin) {
            error = row + "too close to the row before (steps of at least " + Num(l.depthStepMin) + " mm and " +
                    Num(l.susceptanceStepMin) + " in susceptance)";
            return false;
        }
    }
    return true;
}

TScrewTableRead ReadScrewTable(std::string_view text)
{
    TScrewTableRead r;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark
    long lineNo = 0;
    bool first = true;
    std::vector<long> lines;  // the file's line of each row, for the messages
    const std::size_t maxRows = static_cast<std::size_t>(TunerLimits().screwRowsMax);
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = Trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++lineNo;
        if (line.empty() || line.front() == '#') continue;
        std::string_view a, b;
        TScrewPoint p;
        const bool two = Cells(line, a, b);
        const bool numbers = two && Number(a, p.depthMm) && Number(b, p.susceptance);
        if (!numbers) {
            if (first) {  // a header
                first = false;
                continue;
            }
            r.points.clear();
            r.error = At(lineNo) + (two ? "a depth and a susceptance are expected as two numbers"
                                        : "two cells are expected: depth (mm) and susceptance");
            return r;
        }
        first = false;
        if (r.points.size() == maxRows) {
            r.points.clear();
            r.error = At(lineNo) + "more than " + std::to_string(maxRows) + " rows";
            return r;
        }
        r.points.push_back(p);
        lines.push_back(lineNo);
    }
    std::string error;
    if (!CheckScrewTable(r.points, error)) {
        // name the file's line where the table's row is known
        const std::size_t prefix = error.rfind("row ", 0) == 0 ? error.find(':') : std::string::npos;
        if (prefix != std::string::npos) {
            const std::size_t row = std::stoul(error.substr(4, prefix - 4));
            error = At(lines[row - 1]) + error.substr(prefix + 2);
        }
        r.points.clear();
        r.error = error;
        return r;
    }
    r.ok = true;
    return r;
}

std::optional<double> DepthForSusceptance(const std::vector<TScrewPoint>& table, double b)
{
    const std::size_t n = table.size();
    if (n < 2) return std::nullopt;
    // x = susceptance rising, y = depth: the table read that way round
    std::vector<double> x(n), y(n);
    const bool rises = table[1].susceptance > table[0].susceptance;
    for (std::size_t i = 0; i < n; ++i) {
        const TScrewPoint& p = table[rises ? i : n - 1 - i];
        x[i] = p.susceptance;
        y[i] = p.depthMm;
    }
    if (!(b >= x.front() && b <= x.back())) return std::nullopt;
    const std::size_t k = std::min<std::size_t>(
        static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), b) - x.begin()), n - 1) - 1;
    // Fritsch-Carlson (SIAM J. Numer. Anal. 17, 1980): the secants
    //   d_i = (y_i+1 - y_i) / (x_i+1 - x_i),
    // tangents m_i = (d_i-1 + d_i) / 2 inside (0 where the secants differ in
    // sign), d_0 and d_n-2 at the ends; then on each interval, with
    // a = m_i / d_i and b = m_i+1 / d_i, where a^2 + b^2 > 9 both are scaled
    // by t = 3 / sqrt(a^2 + b^2). The cubic Hermite through the points with
    // these tangents is then monotone.
    const auto secant = [&](std::size_t i) { return (y[i + 1] - y[i]) / (x[i + 1] - x[i]); };
    const auto rawTangent = [&](std::size_t i) {
        if (i == 0) return secant(0);
        if (i == n - 1) return secant(n - 2);
        const double dl = secant(i - 1), dr = secant(i);
        return dl * dr <= 0 ? 0.0 : 0.5 * (dl + dr);
    };
    // the scaling runs left to right over the intervals, each limiting the
    // tangents at its two ends (a table is short: all of them each time)
    std::vector<double> m(n);
    for (std::size_t i = 0; i < n; ++i) m[i] = rawTangent(i);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double d = secant(i);
        const double a = m[i] / d, c = m[i + 1] / d;
        const double s = a * a + c * c;
        if (s > 9.0) {
            const double t = 3.0 / std::sqrt(s);
            m[i] = t * a * d;
            m[i + 1] = t * c * d;
        }
    }
    // the cubic Hermite on [x_k, x_k+1], u = (b - x_k) / h:
    //   y = h00 y_k + h10 h m_k + h01 y_k+1 + h11 h m_k+1
    const double h = x[k + 1] - x[k];
    const double u = (b - x[k]) / h;
    const double u2 = u * u, u3 = u2 * u;
    const double h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = -2 * u3 + 3 * u2, h11 = u3 - u2;
    return h00 * y[k] + h10 * h * m[k] + h01 * y[k + 1] + h11 * h * m[k + 1];
}

}  // namespace merivane::present
