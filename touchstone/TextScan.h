// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a Touchstone file taken apart: lines without their comments,
// words, numbers in the C form, and the refusal that names a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace merivane::touchstone {

// Thrown inside the reader when the file cannot be read; ReadTouchstone
// turns it into the message. line 0: the file as a whole.
struct TLineError {
    int line = 0;
    std::string message;
};

[[noreturn]] void Refuse(int line, std::string message);
// "<expected> was expected, "<found>" was found" (or ", nothing was found").
[[noreturn]] void RefuseWord(int line, std::string_view expected, std::string_view found);

// "1 was found", "3 were found".
std::string Found(std::size_t count);

// A word as a message shows it: in quotes, printable ASCII as it is, any
// other byte as \xNN, cut after 24 characters.
std::string Quoted(std::string_view word);

struct TLine {
    std::string_view text;  // without the end of line and without a comment
    int number = 0;         // from 1
};

// The lines of the bytes: a line ends at LF, CR LF or a lone CR; a UTF-8
// byte-order mark at the start is skipped; "!" starts a comment running to
// the end of the line. Any byte may appear.
class TLineScanner {
public:
    explicit TLineScanner(std::string_view bytes);
    bool Next(TLine& line);  // false after the last line
    int LastNumber() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

// The words of a line, separated by spaces, tabs and the other blanks.
class TWords {
public:
    explicit TWords(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& word);
    // The next word and the number it is, as ParseNumber(word, shift) reads
    // it, in one pass over the word.
    bool NextNumber(int shift, std::string_view& word, std::optional<double>& value);
    std::string_view Rest() const;  // what is left, without its leading blanks

private:
    std::string_view rest_;
};

// Space, tab, CR, VT and FF (and LF, never inside a line); one test for
// the printable characters.
constexpr std::uint64_t kBlanks = 1ull << ' ' | 1ull << '\t' | 1ull << '\r' | 1ull << '\v' | 1ull << '\f' | 1ull << '\n';
inline bool IsBlank(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' && ((std::uint64_t{1} << u) & kBlanks) != 0;
}
inline bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

std::string_view Trim(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string Upper(std::string_view text);

// A finite number in the C form: [+-] digits [. digits] [e|E [+-] digits]
// (".5" and "5." too), times 10^shift, the shift made on the decimal text so
// that "1.5" with shift 9 is exactly the double nearest 1.5e9. Nothing for
// any other word: "nan", "inf", "0x1p3", "1,5", a value beyond the double
// range. A value too small for a double is 0 (with its sign).
std::optional<double> ParseNumber(std::string_view word, int shift = 0);

// A whole number in plain digits, at most limit; nothing otherwise.
std::optional<long long> ParseCount(std::string_view word, long long limit);

}  // namespace merivane::touchstone
