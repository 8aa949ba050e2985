// SPDX-License-Identifier: GPL-3.0-or-later
// The screw calibration CSV on arbitrary bytes: reading never crashes; a
// refused table says why and holds no rows; a table read passes the checks
// again, and every depth interpolated for a susceptance within it lies
// within the table's depths.
#include "FuzzInput.h"
#include "ScrewTable.h"

#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace merivane::present;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TScrewTableRead r = ReadScrewTable(text);
    if (!r.ok) {
        FUZZ_CHECK(!r.error.empty());
        FUZZ_CHECK(r.points.empty());
        return 0;
    }
    std::string error;
    FUZZ_CHECK(CheckScrewTable(r.points, error));
    const double lo = r.points.front().depthMm, hi = r.points.back().depthMm;
    const double tol = 1e-9 * (hi + 1);  // rounding of the cubic
    for (std::size_t i = 0; i + 1 < r.points.size(); ++i) {
        const double b = 0.5 * (r.points[i].susceptance + r.points[i + 1].susceptance);
        const std::optional<double> d = DepthForSusceptance(r.points, b);
        FUZZ_CHECK(d.has_value());
        FUZZ_CHECK(*d >= lo - tol && *d <= hi + tol);
    }
    return 0;
}
