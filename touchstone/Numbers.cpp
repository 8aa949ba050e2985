// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers in the C form: a quick reading for the common ones, std::from_chars
// for the others.
#include "TextScan.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace merivane::touchstone {

namespace {

// A number in the C form taken apart by its syntax alone.
struct TNumberText {
    bool negative = false;
    std::string_view mantissa;  // digits and at most one point
    long exponent = 0;          // after e, held at kExponentCap beyond any double's
    long leadPlace = 0;         // the decimal place of the first non-zero digit, exponent aside
    bool zero = true;           // every digit is 0
};

constexpr long kExponentCap = 100000;

std::size_t SkipDigits(std::string_view w, std::size_t i)
{
    while (i < w.size() && IsDigit(w[i])) ++i;
    return i;
}

// The place of the first non-zero digit of "ddd.ddd": 0 for the units.
void FindLead(TNumberText& t)
{
    const std::size_t point = std::min(t.mantissa.find('.'), t.mantissa.size());
    for (std::size_t i = 0; i < t.mantissa.size(); ++i) {
        if (t.mantissa[i] == '.' || t.mantissa[i] == '0') continue;
        t.zero = false;
        t.leadPlace = i < point ? static_cast<long>(point - i) - 1 : -static_cast<long>(i - point);
        return;
    }
}

std::optional<TNumberText> SplitNumber(std::string_view w)
{
    TNumberText t;
    std::size_t i = 0;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) t.negative = w[i++] == '-';
    const std::size_t begin = i;
    i = SkipDigits(w, i);
    std::size_t digits = i - begin;
    if (i < w.size() && w[i] == '.') {
        const std::size_t fraction = ++i;
        i = SkipDigits(w, i);
        digits += i - fraction;
    }
    if (digits == 0) return std::nullopt;
    t.mantissa = w.substr(begin, i - begin);
    if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < w.size() && (w[i] == '+' || w[i] == '-')) negative = w[i++] == '-';
        if (i == w.size()) return std::nullopt;
        for (; i < w.size() && IsDigit(w[i]); ++i)
            if (t.exponent < kExponentCap) t.exponent = t.exponent * 10 + (w[i] - '0');
        if (negative) t.exponent = -t.exponent;
    }
    if (i != w.size()) return std::nullopt;
    return t;
}

// Any number the quick reading leaves: std::from_chars on the text, rebuilt
// as "-m e x" with the shift in x when there is one.
std::optional<double> FullNumber(std::string_view word, int shift)
{
    const std::optional<TNumberText> t = SplitNumber(word);
    if (!t) return std::nullopt;
    char buffer[96];  // short words stay on the stack
    std::string longText;
    std::string_view text = word;
    if (shift != 0 || word[0] == '+') {
        char exponent[24];
        const auto e = std::to_chars(exponent, exponent + sizeof exponent, t->exponent + shift);
        const std::string_view exponentText(exponent, static_cast<std::size_t>(e.ptr - exponent));
        const std::size_t size = (t->negative ? 1 : 0) + t->mantissa.size() + 1 + exponentText.size();
        char* out = buffer;
        if (size > sizeof buffer) {
            longText.resize(size);
            out = longText.data();
        }
        std::size_t k = 0;
        if (t->negative) out[k++] = '-';
        std::memcpy(out + k, t->mantissa.data(), t->mantissa.size());
        k += t->mantissa.size();
        out[k++] = 'e';
        std::memcpy(out + k, exponentText.data(), exponentText.size());
        text = std::string_view(out, size);
    }
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        // beyond the range one way or the other: the place of the first digit says which
        TNumberText lead = *t;
        FindLead(lead);
        if (lead.zero || lead.leadPlace + lead.exponent + shift < 0) return t->negative ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

constexpr int kExactDigits = 15;  // a whole number of 15 digits is below 2^53: exact in a double
constexpr long kExactPower = 22;  // 10^22 is the last power of ten exact in a double
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Eight digits at p as a number, three multiplications instead of eight;
// nothing when the eight characters are not all digits.
std::optional<std::uint32_t> EightDigits(const char* p)
{
    std::uint64_t v = 0;
    std::memcpy(&v, p, 8);  // the first digit in the lowest byte
    if (((v & 0xF0F0F0F0F0F0F0F0) | (((v + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) != 0x3333333333333333)
        return std::nullopt;
    v = ((v & 0x0F0F0F0F0F0F0F0F) * (10 * 256 + 1)) >> 8;          // pairs of digits in the even bytes
    v = ((v & 0x00FF00FF00FF00FF) * (100 * 65536 + 1)) >> 16;      // fours in the even 16-bit lanes
    return static_cast<std::uint32_t>(((v & 0x0000FFFF0000FFFF) * (10000ull << 32 | 1)) >> 32);
}

// Appends the digits from p on to m (wrapping past 19 digits); gives the
// first character after them.
inline const char* TakeDigits(const char* p, const char* end, std::uint64_t& m)
{
    std::uint64_t value = m;
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            const std::optional<std::uint32_t> eight = EightDigits(p);
            if (!eight) break;
            value = value * 100000000 + *eight;
            p += 8;
        }
    }
    for (; p != end && IsDigit(*p); ++p) value = value * 10 + static_cast<unsigned>(*p - '0');
    m = value;
    return p;
}

// The common number, in one pass from p: at most 15 significant digits and
// a power of ten within 22 of them. One exact whole number, one exact power
// and one correctly rounded product or quotient give the double nearest the
// decimal value, as std::from_chars does. The character after the number,
// or nullptr for any other text, which the full reading takes.
const char* QuickNumber(const char* p, const char* const end, int shift, double& value)
{
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    const char* const begin = p;
    while (p != end && *p == '0') ++p;  // leading zeros
    const char* digitsFrom = p;
    std::uint64_t m = 0;  // wraps beyond 19 digits, and is then not used
    for (; p != end && IsDigit(*p); ++p) m = m * 10 + static_cast<unsigned>(*p - '0');  // mostly one or two
    long digits = p - digitsFrom;  // the significant ones
    bool any = p != begin;
    long exponent = shift;
    if (p != end && *p == '.') {
        const char* const fraction = ++p;
        if (m == 0)
            while (p != end && *p == '0') ++p;
        digitsFrom = p;
        p = TakeDigits(p, end, m);
        digits += p - digitsFrom;
        exponent -= p - fraction;
        any = any || p != fraction;
    }
    if (!any || digits > kExactDigits) return nullptr;
    if (p != end && (*p == 'e' || *p == 'E')) {
        bool down = false;
        if (++p != end && (*p == '-' || *p == '+')) down = *p++ == '-';
        const char* const exponentFrom = p;
        long e = 0;
        for (; p != end && IsDigit(*p); ++p)
            if ((e = e * 10 + (*p - '0')) > 1000) return nullptr;  // far out: the full reading decides
        if (p == exponentFrom) return nullptr;
        exponent += down ? -e : e;
    }
    if (exponent < -kExactPower || exponent > kExactPower) return nullptr;
    const double sign = negative ? -1.0 : 1.0;
    const auto whole = static_cast<double>(m);
    value = sign * (exponent >= 0 ? whole * kPowers[exponent] : whole / kPowers[-exponent]);
    return p;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view word, int shift)
{
    double value = 0;
    const char* const end = word.data() + word.size();
    if (QuickNumber(word.data(), end, shift, value) == end && !word.empty()) return value;
    return FullNumber(word, shift);
}

bool TWords::NextNumber(int shift, std::string_view& word, std::optional<double>& value)
{
    const char* p = rest_.data();
    const char* const end = p + rest_.size();
    while (p != end && IsBlank(*p)) ++p;
    if (p == end) {
        rest_ = {};
        return false;
    }
    double quick = 0;
    const char* after = QuickNumber(p, end, shift, quick);
    if (after != nullptr && (after == end || IsBlank(*after))) {
        value = quick;
    } else {
        after = p;
        while (after != end && !IsBlank(*after)) ++after;
        value = FullNumber(std::string_view(p, static_cast<std::size_t>(after - p)), shift);
    }
    word = std::string_view(p, static_cast<std::size_t>(after - p));
    rest_ = std::string_view(after, static_cast<std::size_t>(end - after));
    return true;
}

std::optional<long long> ParseCount(std::string_view word, long long limit)
{
    if (word.empty()) return std::nullopt;
    long long value = 0;
    for (const char c : word) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return value;
}

}  // namespace merivane::touchstone
