// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's reference for --compare on arbitrary bytes: reading never
// crashes; a refused file says why; a reference read is computed and compared
// with the default case, and the table is written in every format.
#include "CompareOption.h"
#include "FuzzInput.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace merivane;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const cli::TReferenceRead r = cli::ReadReference(text);
    if (!r.ok) {
        FUZZ_CHECK(!r.error.empty());
        return 0;
    }
    FUZZ_CHECK(r.error.empty());
    // a short sweep: the run stays quick
    const present::TComparison c = present::Compare(present::ComputeCase(r.c, 16),
                                                    present::ComputeCase(present::DefaultCase(), 16));
    FUZZ_CHECK(!c.rows.empty());
    for (const Format f : {kText, kCsv, kJson}) FUZZ_CHECK(!cli::ComparisonOutput(c, f).empty());
    return 0;
}
