// FormatReal on arbitrary finite doubles and 1..9 decimals: the text follows
// the display grammar and reads back within half a unit of its last digit.
#include "FuzzInput.h"
#include "NumberText.h"

#include <cfloat>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const double x = in.Take<double>();
    const int decimals = 1 + in.Take<uint8_t>() % 9;
    if (!std::isfinite(x)) return 0;
    const std::string text = merivane::FormatReal(x, decimals);
    if (x == 0) {
        FUZZ_CHECK(text == "0");
        return 0;
    }
    static const std::regex grammar(R"(0|-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?|-?[1-9](\.[0-9]*[1-9])?E[+-](0|[1-9][0-9]*))");
    FUZZ_CHECK(std::regex_match(text, grammar));

    // Read back in extended precision: a value near the largest double may
    // round to a text just beyond the double range ("1.8E+308").
    const long double back = std::strtold(text.c_str(), nullptr);
    FUZZ_CHECK(std::isfinite(back));
    if (std::fabs(back) <= DBL_MAX) FUZZ_CHECK(merivane::ParseReal(text, NAN, -DBL_MAX, DBL_MAX, false) == std::strtod(text.c_str(), nullptr));
    const double ax = std::fabs(x);
    const bool fixed = ax >= 0.0996 && ax <= 9999.9994;
    long double unit;  // one unit of the last kept digit, in extended range for subnormals
    if (fixed) {
        // at most 9 significant digits before and after the point together
        const int t = static_cast<int>(std::trunc(std::log10(static_cast<long double>(ax))));
        unit = std::pow(10.0L, -std::min(decimals, 9 - t));
    } else {
        const int e = static_cast<int>(std::floor(std::log10(ax)));
        unit = std::pow(10.0L, e - decimals) * 10;  // the exponent may grow by one on a carry
    }
    FUZZ_CHECK(std::fabs(back - static_cast<long double>(x)) <= 0.5L * unit * (1 + 1e-9L) + 4 * DBL_EPSILON * ax);
    return 0;
}
