// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithTexts.h"

#include "CellRules.h"
#include "EntryReader.h"
#include "NumberText.h"
#include "Texts.h"

#include <cmath>

namespace merivane::present {

namespace {

std::string Join(const std::vector<std::string>& lines, const char* glue)
{
    std::string out;
    for (const std::string& l : lines) out += (out.empty() ? "" : glue) + l;
    return out;
}

}  // namespace

std::string ComplexText(std::complex<double> v, bool finite)
{
    if (!finite || !std::isfinite(v.real()) || !std::isfinite(v.imag())) return "\u221e";
    // "−" (U+2212) as the window writes a sign between the parts
    const bool negative = std::signbit(v.imag()) && Fixed(std::fabs(v.imag()), 3) != "0";
    return Fixed(v.real(), 3) + (negative ? " \u2212 j" : " + j") + Fixed(std::fabs(v.imag()), 3);
}

std::vector<std::string> SmithReadoutLines(const smith::TPointReading& r, const smith::TLocus& locus, PowerUnit unit)
{
    std::vector<std::string> lines;
    lines.push_back("\u0393 " + Fixed(r.mag, 3) + " \u2220 " + Fixed(r.phaDeg, 1) + "\u00b0");
    // the return loss as a positive number of dB, as typed into the load's dB form
    const std::string rl = r.returnLossDb >= kInfinity ? std::string("\u221e") : Fixed(r.returnLossDb, 2);
    lines.push_back("Return loss " + rl + " dB, SWR " + SwrStr(r.swr));
    lines.push_back("z = " + ComplexText(r.z, r.zFinite));
    lines.push_back("y = " + ComplexText(r.y, r.yFinite));
    lines.push_back("Absorbed " + PowerCell(r.absorbedW, unit).WithUnit());
    if (r.onLocus) {
        lines.push_back(locus.overLength ? "Add " + Fixed(r.addX, 2) + " mm"
                                         : "Add " + Fixed(r.addX, 1) + "\u00b0 of round-trip phase");
    }
    return lines;
}

std::string SmithReadoutText(const smith::TPointReading& r, const smith::TLocus& locus, PowerUnit unit)
{
    return Join(SmithReadoutLines(r, locus, unit), "; ");
}

std::string PowerCircleLabel(double fraction, double availableW, PowerUnit unit)
{
    return Fixed(fraction * 100.0, 0) + " % " + PowerCell(fraction * availableW, unit).WithUnit();
}

std::string SwrCircleLabel(double swr) { return "SWR " + LimitText(swr); }

std::string FullTurnNote() { return "The pulling band turns the load a full turn or more"; }

bool ReadSwrCircles(const std::string& text, std::vector<double>& out, std::string& error)
{
    // numbers apart by commas, semicolons or blanks; none is an empty list
    std::vector<double> values;
    std::string token;
    const auto take = [&]() {
        if (token.empty()) return true;
        double v = 0.0;
        bool number = false;
        try {
            const std::optional<double> read = RealFromText(token);
            number = read.has_value() && std::isfinite(*read);
            if (number) v = *read;
        } catch (const EOverflow&) {
            number = false;  // beyond the double range: no SWR a circle can have
        }
        if (!number) {
            error = "SWR circles: " + QuoteTyped(token) + " is not a number";
            return false;
        }
        if (v < kSwrCircleMin || v > kSwrCircleMax) {
            error = "SWR circles: " + LimitText(v) + " is not within " + LimitText(kSwrCircleMin) + " .. " +
                    LimitText(kSwrCircleMax);
            return false;
        }
        values.push_back(v);
        token.clear();
        return true;
    };
    for (char ch : text) {
        if (ch == ',' || ch == ';' || ch == ' ' || ch == '\t') {
            if (!take()) return false;
        } else {
            token += ch;
        }
    }
    if (!take()) return false;
    constexpr std::size_t kMaxCircles = 12;  // more would hide the chart
    if (values.size() > kMaxCircles) {
        error = "SWR circles: at most " + std::to_string(kMaxCircles);
        return false;
    }
    out = values;
    return true;
}

std::string SwrCirclesText(const std::vector<double>& swr)
{
    std::vector<std::string> parts;
    for (double s : swr) parts.push_back(LimitText(s));
    return Join(parts, ", ");
}

}  // namespace merivane::present
