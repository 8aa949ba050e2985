// Readable, stable names for the rows of table-driven tests, so that ctest
// lists "Phases/TypingTable.LeavingTheField/04_edSrcPha_47" and not bytes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace rows {

// Letters and digits stay; a sign or a point in a number, a comma, "$" and
// "%" become words; any other run of characters becomes one "_". Long texts
// are cut.
inline std::string Clean(std::string_view text)
{
    std::string out;
    const auto add = [&out](std::string_view piece) {
        if (piece == "_" && (out.empty() || out.back() == '_')) return;
        out += piece;
    };
    for (std::size_t i = 0; i < text.size() && out.size() < 48; ++i) {
        const char c = text[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            out += c;
            continue;
        }
        const bool numberFollows = i + 1 < text.size() && ((text[i + 1] >= '0' && text[i + 1] <= '9') || text[i + 1] == '.');
        switch (c) {
        case '-': add(numberFollows ? "minus" : "_"); break;
        case '+': add(numberFollows ? "plus" : "_"); break;
        case '.': add(numberFollows || (!out.empty() && out.back() >= '0' && out.back() <= '9') ? "dot" : "_"); break;
        case ',': add("comma"); break;
        case '$': add("dollar"); break;
        case '%': add("pct"); break;
        default: add("_"); break;
        }
    }
    while (!out.empty() && out.back() == '_') out.pop_back();
    return out.empty() ? std::string("empty") : out;
}

// The row's index first, so that rows with the same description stay apart
// and keep their order.
inline std::string Name(std::size_t index, std::string_view description)
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02zu_", index);
    return prefix + Clean(description);
}

inline std::string Num(double x)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", x);
    return buf;
}

}  // namespace rows

// A name generator for INSTANTIATE_TEST_SUITE_P: EXPR describes the row `r`.
#define ROW_NAMES(EXPR) \
    [](const auto& rowInfo) { \
        [[maybe_unused]] const auto& r = rowInfo.param; \
        return rows::Name(rowInfo.index, (EXPR)); \
    }
