// Number text in: clamps, integers, reals and currents from text.
#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
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

// The standard integer conversion: true and the value on success.
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

}  // namespace

std::optional<int> IntFromText(const std::string& text)
{
    int v = 0;
    if (!TextToInt(text, v)) return std::nullopt;
    return v;
}

int ParseInt(const std::string& text, int fallback, int lo, int hi, bool clampMode)
{
    if (fallback < lo) fallback = lo;
    else if (fallback > hi) fallback = hi;
    const std::optional<int> read = IntFromText(text);
    if (!read) return fallback;
    const int v = *read;
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

std::optional<double> RealFromText(const std::string& text)
{
    std::string s = text;
    for (char& c : s)
        if (c == ',') c = '.';
    std::size_t b = 0, e = s.size();
    while (b < e && !MayBound(s[b])) ++b;
    while (e > b && !MayBound(s[e - 1])) --e;
    s = s.substr(b, e - b);

    double v = 0.0;
    if (!ConvertDecimal(s, v)) return std::nullopt;
    return v;
}

double ParseReal(const std::string& text, double fallback, double lo, double hi, bool clampMode)
{
    const std::optional<double> read = RealFromText(text);
    if (!read) return fallback;
    const double v = *read;
    if (v < lo) return clampMode ? lo : fallback;
    if (v > hi) return clampMode ? hi : fallback;
    return v;
}

int TakeUnitPrefix(std::string& text, char unit, bool milli)
{
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    if (end < 2 || text[end - 1] != unit) return 0;
    const char prefix = text[end - 2];
    if (prefix != 'k' && !(milli && prefix == 'm')) return 0;
    text.erase(end - 2);
    return prefix == 'm' ? -3 : 3;
}

int TakeCurrentPrefix(std::string& text) { return TakeUnitPrefix(text, 'A', true); }

double ScaleByPrefix(double value, int exponent)
{
    // divided rather than multiplied by 0.001, so that 300 mA is exactly 0.3 A
    if (exponent < 0) return value / 1000;
    if (exponent > 0) return value * 1000;
    return value;
}

double ParseCurrent(const std::string& text, double fallback, double lo, double hi)
{
    std::string number = text;
    const int exponent = TakeCurrentPrefix(number);
    if (exponent == 0) return ParseReal(text, fallback, lo, hi, true);
    const std::optional<double> v = RealFromText(number);
    if (!v) return fallback;
    return ClampReal(lo, ScaleByPrefix(*v, exponent), hi);
}

}  // namespace merivane
