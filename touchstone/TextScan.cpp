// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextScan.h"

#include <cstring>

namespace merivane::touchstone {

void Refuse(int line, std::string message) { throw TLineError{line, std::move(message)}; }

void RefuseWord(int line, std::string_view expected, std::string_view found)
{
    std::string message(expected);
    message += found.empty() ? " was expected, nothing was found" : " was expected, " + Quoted(found) + " was found";
    Refuse(line, std::move(message));
}

std::string Found(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " was found" : " were found");
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

}  // namespace merivane::touchstone
