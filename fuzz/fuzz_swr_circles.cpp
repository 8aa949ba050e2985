// ReadSwrCircles on arbitrary text: never a crash; accepted lists hold at
// most twelve values, each within the SWR circles' limits, and write back to
// a text that reads as the same list; a refusal says why and leaves the list.
#include "FuzzInput.h"
#include "SmithTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const std::string text = in.Rest();
    std::vector<double> out{9.0};
    std::string error;
    namespace present = merivane::present;
    if (present::ReadSwrCircles(text, out, error)) {
        FUZZ_CHECK(out.size() <= 12);
        for (double v : out) FUZZ_CHECK(v >= present::kSwrCircleMin && v <= present::kSwrCircleMax);
        std::vector<double> again;
        FUZZ_CHECK(present::ReadSwrCircles(present::SwrCirclesText(out), again, error));
        FUZZ_CHECK(again == out);
    } else {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(out.size() == 1 && out[0] == 9.0);
    }
    return 0;
}
