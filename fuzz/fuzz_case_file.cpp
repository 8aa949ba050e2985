// SPDX-License-Identifier: GPL-3.0-or-later
// The case file on arbitrary bytes: reading never crashes; a refused file
// says why and hands on nothing but the default case; a case read is saved
// to a text that reads back as the same case, with no warning, and computes.
#include "CaseFile.h"
#include "FuzzInput.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace merivane::present;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TCaseReadResult r = ReadCaseFile(text);
    if (!r.ok) {
        FUZZ_CHECK(!r.error.empty());
        FUZZ_CHECK(r.warning.empty());
        FUZZ_CHECK(r.c == DefaultCase());
        return 0;
    }
    const std::string saved = CaseFileText(r.c);
    const TCaseReadResult again = ReadCaseFile(saved);
    FUZZ_CHECK(again.ok);
    FUZZ_CHECK(again.warning.empty());
    FUZZ_CHECK(again.c == r.c);
    FUZZ_CHECK(CaseFileText(again.c) == saved);
    (void)ComputeCase(r.c, 16);  // a short sweep: the run stays quick
    return 0;
}
