#include "NumberText.h"

#include "Conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

namespace merivane {

int ClampInt(int lo, int value, int hi)
{
    if (value < lo) return lo;
    if (value > hi) return hi;
    return value;
}

double ClampReal(double lo, double value, double hi)
{
    if (value < lo || std::isnan(lo) || std::isnan(value)) return lo;
    if (value > hi || std::isnan(hi)) return hi;
    return value;
}

int TruncClamp(double value, double bound)
{
    return static_cast<int>(std::trunc(ClampReal(-bound, value, bound)));
}

std::string IntToText(int value) { return std::to_string(value); }

// ---------------------------------------------------------------- integers

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool TextToInt(const std::string& text, int& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;

    std::uint64_t acc = 0;
    if (hex) {
        for (; i < n; ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) return false;
            acc = acc * 16 + static_cast<unsigned>(d);
            if (acc > 0xFFFFFFFFull) return false;  // more than eight significant digits
        }
        auto pattern = static_cast<std::uint32_t>(acc);
        if (negative) pattern = 0u - pattern;
        value = static_cast<int>(pattern);  // two's complement
        return true;
    }
    for (; i < n; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        acc = acc * 10 + static_cast<unsigned>(c - '0');
        if (acc > 2147483648ull) return false;
    }
    if (!negative && acc > 2147483647ull) return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(acc)) : static_cast<int>(acc);
    return true;
}

int ParseInt(const std::string& text, int fallback, int lo, int hi, bool clampMode)
{
    if (fallback < lo) fallback = lo;
    else if (fallback > hi) fallback = hi;
    int v = 0;
    if (!TextToInt(text, v)) return fallback;
    if (v < lo) return clampMode ? lo : fallback;
    if (v > hi) return clampMode ? hi : fallback;
    return v;
}

// ---------------------------------------------------------------- reals

namespace {

bool MayBound(char c)
{
    return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 'E' || c == 'e';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the strict decimal grammar and converts. Returns false when the text
// is not a number; throws EOverflow when it is beyond the double range.
bool ConvertDecimal(const std::string& s, double& out)
{
    const std::size_t n = s.size();
    std::size_t i = 0;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t mantStart = i;
    std::size_t intDigits = 0, fracDigits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++intDigits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsDigit(s[i])) ++i, ++fracDigits;
    }
    const std::size_t mantEnd = i;
    bool hasExp = false;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        hasExp = true;
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < n && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    if (mantEnd == mantStart && !hasExp) return false;  // empty text or a sign alone
    // A mantissa without digits ("." or "E5") counts as zero.
    if (intDigits + fracDigits == 0) {
        out = 0.0;
        return true;
    }

    // from_chars takes no '+' sign.
    const char* first = s.data() + mantStart;
    const char* last = s.data() + n;
    double v = 0.0;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the decimal exponent of the first
        // significant digit.
        long long pos = 0;  // decimal exponent of the first nonzero digit
        bool found = false;
        long long intCount = static_cast<long long>(intDigits);
        long long k = 0;
        for (std::size_t j = mantStart; j < mantEnd; ++j) {
            const char c = s[j];
            if (c == '.') continue;
            if (c != '0') {
                pos = (k < intCount) ? intCount - 1 - k : -(k - intCount + 1);
                found = true;
                break;
            }
            ++k;
        }
        if (!found) {
            out = 0.0;
            return true;
        }
        long long e = 0;
        if (hasExp) {
            std::size_t j = mantEnd + 1;
            bool eneg = false;
            if (s[j] == '+' || s[j] == '-') eneg = s[j++] == '-';
            for (; j < n; ++j) {
                if (e < 100000000) e = e * 10 + (s[j] - '0');
            }
            if (eneg) e = -e;
        }
        if (pos + e > 0) throw EOverflow();
        out = 0.0;
        return true;
    }
    if (res.ec != std::errc() || res.ptr != last) return false;
    if (std::isinf(v)) throw EOverflow();
    out = negative ? -v : v;
    out += 0.0;  // no negative zero
    return true;
}

}  // namespace

double ParseReal(const std::string& text, double fallback, double lo, double hi, bool clampMode)
{
    std::string s = text;
    for (char& c : s)
        if (c == ',') c = '.';
    std::size_t b = 0, e = s.size();
    while (b < e && !MayBound(s[b])) ++b;
    while (e > b && !MayBound(s[e - 1])) --e;
    s = s.substr(b, e - b);

    double v = 0.0;
    if (!ConvertDecimal(s, v)) return fallback;
    if (v < lo) return clampMode ? lo : fallback;
    if (v > hi) return clampMode ? hi : fallback;
    return v;
}

int TakeCurrentPrefix(std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    if (end < 2 || text[end - 1] != 'A') return 0;
    const char prefix = text[end - 2];
    if (prefix != 'm' && prefix != 'k') return 0;
    text.erase(end - 2);
    return prefix == 'm' ? -3 : 3;
}

double ParseCurrent(const std::string& text, double fallback, double lo, double hi)
{
    std::string number = text;
    const int exponent = TakeCurrentPrefix(number);
    if (exponent == 0) return ParseReal(text, fallback, lo, hi, true);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double big = std::numeric_limits<double>::max();
    const double v = ParseReal(number, nan, -big, big, true);
    if (std::isnan(v)) return fallback;
    // divided rather than multiplied by 0.001, so that 300 mA is exactly 0.3 A
    return ClampReal(lo, exponent < 0 ? v / 1000 : v * 1000, hi);
}

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
