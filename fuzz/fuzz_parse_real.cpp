// ParseReal on arbitrary text, limits and clamp modes: never a crash, a NaN or
// an infinity; the result is within the limits or the fallback; only the
// overflow error escapes, and only for a value beyond the double range.
#include "FuzzInput.h"
#include "NumberText.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    double lo = in.Take<double>(), hi = in.Take<double>(), fallback = in.Take<double>();
    const bool clamp = in.Take<uint8_t>() & 1;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(fallback)) return 0;
    if (lo > hi) std::swap(lo, hi);
    const std::string text = in.Rest();
    try {
        const double v = merivane::ParseReal(text, fallback, lo, hi, clamp);
        FUZZ_CHECK(std::isfinite(v));
        FUZZ_CHECK(v == fallback || (v >= lo && v <= hi));
    } catch (const merivane::EOverflow&) {
        // the text must hold a number of at least the largest double in magnitude
        bool digit = false;
        for (char c : text) digit |= (c >= '1' && c <= '9');
        FUZZ_CHECK(digit);
        FUZZ_CHECK(text.find_first_of("Ee") != std::string::npos || text.size() > 308);
    }
    return 0;
}
