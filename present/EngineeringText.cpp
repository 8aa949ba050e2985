// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineeringText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace merivane::present {

namespace {

constexpr const char* kMinus = "\u2212";

// The prefixes from 1e-12 to 1e12, a power of a thousand apart.
constexpr const char* kPrefixes[] = {"p", "n", "\u00b5", "m", "", "k", "M", "G", "T"};
constexpr int kLowestPrefixExponent = -12;

bool TakesPrefix(std::string_view unit) { return unit == "V" || unit == "W" || unit == "Hz"; }

// The digits of ax rounded to digits significant ones, and the power of ten
// of the first: ax ≈ 0.d1d2d3... × 10^(exponent + 1).
struct TDigits {
    std::string digits;
    int exponent = 0;
};

TDigits Significant(double ax, int digits)
{
    // all seventeen digits first, then rounded half up as the program rounds
    // elsewhere: 12.5 at two digits is 13
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, 16);
    TDigits d;
    if (ec != std::errc()) return d;
    const std::string_view text(buf, static_cast<std::size_t>(end - buf));
    const std::size_t e = text.find('e');
    std::string all;
    for (char ch : text.substr(0, e))
        if (ch != '.') all += ch;
    const std::string_view exp = text.substr(e + 1);
    std::from_chars(exp.data() + (exp.front() == '+' ? 1 : 0), exp.data() + exp.size(), d.exponent);
    d.digits = all.substr(0, static_cast<std::size_t>(digits));
    if (static_cast<std::size_t>(digits) < all.size() && all[static_cast<std::size_t>(digits)] >= '5') {
        int i = digits - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');  // 9.99 to 10.0: one place up
            d.digits.pop_back();
            ++d.exponent;
        }
    }
    return d;
}

// The digits with the point after the first pointAfter of them, zeros added
// where the point lies outside; no trailing zeros in the fraction.
std::string Placed(const std::string& digits, int pointAfter)
{
    std::string out;
    if (pointAfter <= 0) {
        out = "0." + std::string(static_cast<std::size_t>(-pointAfter), '0') + digits;
    } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
        out = digits + std::string(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<std::size_t>(pointAfter)) + "." + digits.substr(static_cast<std::size_t>(pointAfter));
    }
    if (out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.') out.pop_back();
    }
    return out;
}

std::string WithUnit(std::string number, std::string_view prefix, std::string_view unit)
{
    if (unit.empty()) return number;
    return number + " " + std::string(prefix) + std::string(unit);
}

// The decimals that write every multiple of step exactly in plain digits
// (0.25 → 2, 5 → 0), at most 12.
int DecimalsForStep(double step)
{
    const double a = std::fabs(step);
    if (!(a > 0) || !std::isfinite(a)) return 0;
    for (int n = 0; n < 12; ++n) {
        const double scaled = a * std::pow(10.0, n);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-9 * scaled) return n;
    }
    return 12;
}

}  // namespace

std::string EngineeringText(double x, int digits, std::string_view unit, double scale)
{
    if (std::isnan(x)) return "n/a";
    const std::string sign = std::signbit(x) ? kMinus : "";
    if (std::isinf(x)) return WithUnit(sign + "\u221e", "", unit);
    const double ax = std::fabs(x);
    if (ax == 0 || ax < 1e-12 * std::fabs(scale)) return WithUnit("0", "", unit);
    digits = std::clamp(digits, 1, 17);
    const TDigits d = Significant(ax, digits);
    std::string number;
    std::string_view prefix;
    if (TakesPrefix(unit)) {
        // the exponent of the rounded value, so that 999.96 V at 4 digits is 1 kV
        const int third = static_cast<int>(std::floor(d.exponent / 3.0)) * 3;
        const int p = std::clamp(third, kLowestPrefixExponent, -kLowestPrefixExponent);
        prefix = kPrefixes[(p - kLowestPrefixExponent) / 3];
        number = Placed(d.digits, d.exponent - p + 1);
    } else if (d.exponent >= digits) {
        // the whole digits stay: 123456.7 is 123457 rather than 123500
        char buf[400];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::fixed, 0);
        number = ec == std::errc() ? std::string(buf, end) : Placed(d.digits, d.exponent + 1);
    } else {
        number = Placed(d.digits, d.exponent + 1);
    }
    return WithUnit(sign + number, prefix, unit);
}

std::string AxisLabelFormat(double lo, double hi, double step)
{
    const int decimals = DecimalsForStep(step);
    // %g writes an exponent below 1e-4: a finer step takes fixed decimals
    if (!(std::fabs(step) >= 1e-4)) return "%." + std::to_string(decimals) + "f";
    const double largest = std::max(std::fabs(lo), std::fabs(hi));
    // the digits before the point, counted rather than taken from a logarithm
    const int whole = largest >= 1 && largest < 1e17
                          ? static_cast<int>(std::to_string(static_cast<long long>(std::ceil(largest))).size())
                          : 1;
    return "%." + std::to_string(std::clamp(whole + decimals, 1, 17)) + "g";
}

}  // namespace merivane::present
