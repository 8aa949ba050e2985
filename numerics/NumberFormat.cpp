// Number text out: the display formatting, and the token split.
#include "NumberText.h"

#include "Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace merivane {

// ---------------------------------------------------------------- formatting

namespace {

constexpr long double kFixedLow = 0.0996L;
constexpr long double kFixedHigh = 9999.9994L;

// |x| as 18 significant digits (rounded to nearest) and its decimal exponent.
struct Digits18 {
    char d[18];
    int exp;  // value = d[0].d[1..17] * 10^exp
};

Digits18 ExpandDigits(double ax)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, 17);
    Digits18 out{};
    // buf: D.DDDDDDDDDDDDDDDDDe[+-]XX
    out.d[0] = buf[0];
    std::memcpy(out.d + 1, buf + 2, 17);
    const char* p = buf + 19;  // 'e'
    int e = 0;
    std::from_chars(p + 2, res.ptr, e);
    out.exp = (p[1] == '-') ? -e : e;
    return out;
}

// Keeps the first `keep` digits, rounding half up on the next one. Returns the
// kept digits; when the carry runs out of the front, a leading '1' is added.
std::string RoundHalfUp(const Digits18& g, int keep, bool& grew)
{
    grew = false;
    if (keep < 0) return "0";
    if (keep == 0) {
        if (g.d[0] >= '5') {
            grew = true;
            return "1";
        }
        return "0";
    }
    std::string kept;
    if (keep >= 18) {
        kept.assign(g.d, 18);
        kept.append(static_cast<std::size_t>(keep - 18), '0');
        return kept;
    }
    kept.assign(g.d, static_cast<std::size_t>(keep));
    if (g.d[keep] >= '5') {
        int i = keep - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            grew = true;
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    return kept;
}

}  // namespace

// The text is built in its tidy form at once: no leading blank, no trailing
// zeros in the fraction, no point without a digit after it, and an exponent
// with its sign and without leading zeros.
std::string FormatReal(double x, int decimals)
{
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "+oo" : "-oo";
    if (x == 0.0) return "0";
    if (decimals < 1) decimals = 1;
    if (decimals > 17) decimals = 17;

    const bool negative = x < 0;
    const double ax = std::fabs(x);
    const long double lax = ax;
    const Digits18 g = ExpandDigits(ax);
    std::string out;
    out.reserve(24);
    if (negative) out += '-';

    if (lax >= kFixedLow && lax <= kFixedHigh) {
        int n = decimals;
        if (decimals > 6) {  // in the fixed range log10|x| <= 3, so the cap 9 - t only bites here
            const int t = TruncClamp(static_cast<double>(std::log(lax) / static_cast<long double>(Ln10)), 32000);
            n = std::min(decimals, 9 - t);
        }
        bool grew = false;
        std::string kept = RoundHalfUp(g, g.exp + 1 + n, grew);
        // kept holds the rounded value times 10^n as decimal digits
        if (kept.size() < static_cast<std::size_t>(n) + 1)
            kept.insert(0, static_cast<std::size_t>(n) + 1 - kept.size(), '0');
        const std::size_t intLen = kept.size() - static_cast<std::size_t>(n);
        std::size_t z = 0;
        while (z + 1 < intLen && kept[z] == '0') ++z;
        out.append(kept, z, intLen - z);
        std::size_t fracEnd = kept.size();
        while (fracEnd > intLen && kept[fracEnd - 1] == '0') --fracEnd;
        if (fracEnd > intLen) {
            out += '.';
            out.append(kept, intLen, fracEnd - intLen);
        }
    } else {
        bool grew = false;
        std::string kept = RoundHalfUp(g, decimals + 1, grew);
        int e = g.exp;
        if (grew) {
            kept.pop_back();  // "1000" for "999" rounded up: mantissa 1.00, exponent + 1
            ++e;
        }
        std::size_t fracEnd = kept.size();
        while (fracEnd > 1 && kept[fracEnd - 1] == '0') --fracEnd;
        out += kept[0];
        if (fracEnd > 1) {
            out += '.';
            out.append(kept, 1, fracEnd - 1);
        }
        out += 'E';
        out += e < 0 ? '-' : '+';
        out += std::to_string(e < 0 ? -e : e);
    }
    return out;
}

std::string FormatReal3(double x) { return FormatReal(x, 3); }

// ---------------------------------------------------------------- tokens

namespace {

void TrimControl(std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    s = s.substr(b, e - b);
}

}  // namespace

void SplitToken(std::string& text, char separator, std::string& head)
{
    TrimControl(text);
    if (text.empty()) {
        head.clear();
        return;
    }
    std::size_t pos;
    if (separator == ' ' || separator == '\t')
        pos = text.find_first_of(" \t");
    else
        pos = text.find(separator);
    if (pos == std::string::npos) {
        head = text;
        text.clear();
        return;
    }
    head = text.substr(0, pos);
    text.erase(0, pos + 1);
    TrimControl(text);
}

}  // namespace merivane
