// ParseInt on arbitrary text and limits: the result is within the limits
// (the fallback is brought into range first).
#include "FuzzInput.h"
#include "NumberText.h"

#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    int lo = in.Take<int>(), hi = in.Take<int>();
    const int fallback = in.Take<int>();
    const bool clamp = in.Take<uint8_t>() & 1;
    if (lo > hi) std::swap(lo, hi);
    const int v = merivane::ParseInt(in.Rest(), fallback, lo, hi, clamp);
    FUZZ_CHECK(v >= lo && v <= hi);
    return 0;
}
