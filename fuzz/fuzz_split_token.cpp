// SplitToken on arbitrary text and separators: head and rest are pieces of the
// trimmed text, and nothing is lost but the separator and the trimmed blanks.
#include "FuzzInput.h"
#include "NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const char sep = static_cast<char>(in.Take<uint8_t>());
    std::string text = in.Rest();
    const std::string original = text;
    std::string head;
    merivane::SplitToken(text, sep, head);
    FUZZ_CHECK(head.size() + text.size() <= original.size());
    FUZZ_CHECK(original.find(head) != std::string::npos);
    FUZZ_CHECK(original.find(text) != std::string::npos);
    if (!text.empty()) {
        FUZZ_CHECK(static_cast<unsigned char>(text.front()) > 32);
        FUZZ_CHECK(static_cast<unsigned char>(text.back()) > 32);
    }
    return 0;
}
