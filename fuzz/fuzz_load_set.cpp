// SPDX-License-Identifier: GPL-3.0-or-later
// The load set's CSV reader (the window's import and --load-set) on arbitrary text: it never
// crashes, a refusal names a line, and every load it takes has a name and
// either a magnitude within 0 .. 1 or a file with a port from 1.
#include "FuzzInput.h"
#include "LoadSetCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const std::string text = in.Rest();
    std::vector<merivane::present::TLoadSetRow> rows;
    std::string error;
    const bool ok = merivane::present::ParseLoadSetCsv(text, rows, error);
    FUZZ_CHECK(ok == error.empty());
    if (!ok) return 0;
    FUZZ_CHECK(!rows.empty());
    for (const merivane::present::TLoadSetRow& r : rows) {
        FUZZ_CHECK(!r.name.empty() && r.line >= 2);
        if (r.file.empty()) FUZZ_CHECK(r.refl.Mag >= 0 && r.refl.Mag <= 1);
        else FUZZ_CHECK(r.port >= 1);
    }
    return 0;
}
