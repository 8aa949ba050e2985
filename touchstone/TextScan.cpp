// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextScan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace merivane::touchstone {

void Refuse(int line, std::string message) { throw TLineError{line, std::move(message)}; }

void RefuseWord(int line, std::string_view expected, std::string_view found)
{
    std::string message(expected);
    message += found.empty() ? " was expected, nothing was found" : " was expected, " + Quoted(found) + " was found";
    Refuse(line, std::move(message));
}

std::string Quoted(std::string_view word)
{
    static const char kHex[] = "0123456789ABCDEF";
    constexpr std::size_t kShown = 24;
    std::string out = "\"";
    for (std::size_t i = 0; i < word.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    if (word.size() > kShown) out += "...";
    return out + "\"";
}

// ------------------------------------------------------------------ lines

TLineScanner::TLineScanner(std::string_view bytes) : rest_(bytes)
{
    if (rest_.substr(0, 3) == "\xEF\xBB\xBF") rest_.remove_prefix(3);
}

bool TLineScanner::Next(TLine& line)
{
    if (rest_.empty()) return false;  // text after the last line end is a line; nothing after it is not
    const char* begin = rest_.data();
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', rest_.size()));
    std::size_t end = lf ? static_cast<std::size_t>(lf - begin) : rest_.size();
    std::size_t next = lf ? end + 1 : end;
    // CR LF ends the line at the CR; a lone CR ends it too
    if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', end))) {
        const auto at = static_cast<std::size_t>(cr - begin);
        if (at + 1 != end) next = at + 1;
        end = at;
    }
    std::string_view text = rest_.substr(0, end);
    if (const auto* bang = static_cast<const char*>(std::memchr(text.data(), '!', text.size())))
        text = text.substr(0, static_cast<std::size_t>(bang - text.data()));
    rest_.remove_prefix(next);
    line.text = text;
    line.number = ++number_;
    return true;
}

// ------------------------------------------------------------------ words

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool TWords::Next(std::string_view& word)
{
    std::size_t i = 0;
    while (i < rest_.size() && IsBlank(rest_[i])) ++i;
    if (i == rest_.size()) {
        rest_ = {};
        return false;
    }
    std::size_t j = i;
    while (j < rest_.size() && !IsBlank(rest_[j])) ++j;
    word = rest_.substr(i, j - i);
    rest_.remove_prefix(j);
    return true;
}

std::string_view TWords::Rest() const
{
    std::size_t i = 0;
    while (i < rest_.size() && IsBlank(rest_[i])) ++i;
    return rest_.substr(i);
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    return true;
}

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = UpperChar(c);
    return out;
}

// ---------------------------------------------------------------- numbers

namespace {

// The parts of a number in the C form, found by its syntax alone.
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

}  // namespace

std::optional<double> ParseNumber(std::string_view word, int shift)
{
    const std::optional<TNumberText> t = SplitNumber(word);
    if (!t) return std::nullopt;
    // "-m e x" rebuilt with the shift in x; short words stay on the stack
    char buffer[96];
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
