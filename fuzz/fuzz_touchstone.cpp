// SPDX-License-Identifier: GPL-3.0-or-later
// The Touchstone reader on arbitrary bytes, the first byte choosing the file
// name ("0" .s1p, "1" .s2p, "2" .s3p, "3" .s4p, "4" .ts): reading never
// crashes; a refused file says where; a network read is whole, and written
// as version 1 it reads back as the same S, bit for bit.
#include "FuzzInput.h"
#include "Touchstone.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace ts = merivane::touchstone;

namespace {

bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void CheckWhole(const ts::TNetwork& n)
{
    const auto ports = static_cast<std::size_t>(n.ports);
    FUZZ_CHECK(n.ports >= 1 && n.ports <= ts::kMaxPorts);
    FUZZ_CHECK(!n.frequencyHz.empty());
    FUZZ_CHECK(n.s.size() == n.frequencyHz.size() * ports * ports);
    FUZZ_CHECK(n.referenceOhm.size() == ports);
    for (const double r : n.referenceOhm) FUZZ_CHECK(r > 0 && std::isfinite(r));
    for (std::size_t k = 1; k < n.frequencyHz.size(); ++k) FUZZ_CHECK(n.frequencyHz[k - 1] <= n.frequencyHz[k]);
    for (const auto& v : n.s) FUZZ_CHECK(std::isfinite(v.real()) && std::isfinite(v.imag()));
    FUZZ_CHECK(!n.noise || n.ports == 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kNames[8] = {"f.s1p", "f.s2p", "f.s3p", "f.s4p", "f.ts", "f.S1P", "f.s2p", "f.TS"};
    FuzzInput in(data, size);
    const auto pick = in.Take<uint8_t>();
    const std::string name = kNames[pick % 8];
    const std::string bytes = in.Rest();
    const ts::TReadResult r = ts::ReadTouchstone(bytes, name);
    if (!r.ok()) {
        const std::string where = r.line > 0 ? name + ", line " + std::to_string(r.line) + ": " : name + ": ";
        FUZZ_CHECK(r.error.rfind(where, 0) == 0);
        FUZZ_CHECK(r.line >= 0);
        return 0;
    }
    CheckWhole(*r.network);
    const std::string written = ts::WriteTouchstone1(*r.network);
    const ts::TReadResult again = ts::ReadTouchstone(written, "again.s" + std::to_string(r.network->ports) + "p");
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.network->frequencyHz.size() == r.network->frequencyHz.size());
    for (std::size_t k = 0; k < r.network->frequencyHz.size(); ++k)
        FUZZ_CHECK(Same(again.network->frequencyHz[k], r.network->frequencyHz[k]));
    for (std::size_t i = 0; i < r.network->s.size(); ++i) {
        FUZZ_CHECK(Same(again.network->s[i].real(), r.network->s[i].real()));
        FUZZ_CHECK(Same(again.network->s[i].imag(), r.network->s[i].imag()));
    }
    FUZZ_CHECK(again.network->referenceOhm == r.network->referenceOhm);
    return 0;
}
