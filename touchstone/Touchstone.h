// SPDX-License-Identifier: GPL-3.0-or-later
// Touchstone files (.s1p ... .sNp, .ts) read into scattering parameters, and
// a network written back as a version 1 file.
//
// What is read: versions 1.0 and 1.1 (an option line and records counted by
// numbers, not lines), 2.0 and 2.1 (the keywords in brackets). Y, Z, H and G
// data come out as S against the reference resistances of the ports. A file
// that cannot be read whole is refused, with the file, the line and what was
// expected there; nothing of it is handed on.
//
// Numbers are read and written in the C locale's form whatever the program's
// locale is (std::from_chars, std::to_chars).
#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merivane::touchstone {

// One frequency of a two-port's noise parameters.
struct TNoisePoint {
    double frequencyHz = 0;
    double fminDb = 0;       // the minimum noise figure
    double gammaOptMag = 0;  // the source reflection that gives it, magnitude
    double gammaOptDeg = 0;  // and angle in degrees
    double rnOhm = 0;        // the equivalent noise resistance, in ohms

    bool operator==(const TNoisePoint&) const = default;
};

struct TNetwork {
    std::string version;    // "1.0", "1.1" (per-port R on the option line), "2.0", "2.1"
    int ports = 0;
    std::string parameter;  // as the file gives it: "S", "Y", "Z", "H" or "G" (upper case)
    std::string format;     // as the file gives it: "RI", "MA" or "DB" (upper case)
    std::vector<double> referenceOhm;  // one per port
    std::vector<double> frequencyHz;   // never decreasing; a repeated frequency stays
    // S whatever the parameter was, ports*ports per frequency, row by row:
    // s[k*N*N + i*N + j] is S(i+1)(j+1) at frequencyHz[k].
    std::vector<std::complex<double>> s;
    std::optional<std::vector<TNoisePoint>> noise;  // two-ports only

    std::complex<double> S(std::size_t k, int i, int j) const  // i, j from 1
    {
        const auto n = static_cast<std::size_t>(ports);
        return s[k * n * n + static_cast<std::size_t>(i - 1) * n + static_cast<std::size_t>(j - 1)];
    }
    bool operator==(const TNetwork&) const = default;
};

struct TReadResult {
    std::optional<TNetwork> network;  // set when the file was read
    // When refused: "load.s2p, line 12: a number was expected, "abc" was
    // found". line is the line the message names (from 1), or 0 when the
    // refusal concerns the file as a whole.
    std::string error;
    int line = 0;

    bool ok() const { return network.has_value(); }
};

// The largest port count read, and the largest file ReadTouchstoneFile opens.
inline constexpr int kMaxPorts = 10000;
inline constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;

// The port count a file name gives: N for ".sNp" (letters in any case), 0
// for ".ts" (the file gives it in [Number of Ports]), nothing for any other
// name or for N outside 1..kMaxPorts.
std::optional<int> PortsFromFileName(std::string_view fileName);

// Reads the bytes of a file named fileName (its extension gives the port
// count of a version 1 file; only its last path component is shown in
// messages). Never throws for any bytes.
TReadResult ReadTouchstone(std::string_view bytes, std::string_view fileName);

// Reads the file at path as bytes. A file larger than kMaxFileBytes is
// refused before anything is read; so is one that cannot be opened.
TReadResult ReadTouchstoneFile(const std::filesystem::path& path);

// The network as a version 1 file of S in RI, frequencies in MHz:
//   # MHz S RI R 50          (or "R 50 75 ..." when the ports differ)
// Every number reads back as the same double, bit for bit: the S values and
// resistances in std::to_chars' shortest round-trip form; each frequency as
// the shortest decimal of its value in Hz, with the decimal point moved six
// places, which the reader moves back in the decimal text before converting
// (so no multiplication or division by 1e6 rounds anything). The noise
// points of a two-port follow the records, Rn normalised to port 1's
// resistance as version 1 has it: that one number may read back one unit in
// the last place away. Version 1 knows the noise block by a first frequency
// below the last record's: noise that begins higher is not written. The
// parameter and format fields are not consulted: s is always S.
std::string WriteTouchstone1(const TNetwork& network);

}  // namespace merivane::touchstone
