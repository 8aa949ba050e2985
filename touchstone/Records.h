// SPDX-License-Identifier: GPL-3.0-or-later
// The network data read by counting numbers, not lines: a record is a
// frequency and the values of one matrix, on as many lines as it takes, and
// a frequency is looked for only where a record starts.
#pragma once

#include "OptionLine.h"
#include "TextScan.h"
#include "ToScattering.h"
#include "Touchstone.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace merivane::touchstone {

// Which entries of the matrix a record holds, in what order.
enum class TMatrixFormat { Full, Lower, Upper };

struct TLayout {
    int ports = 1;
    TOptions options;
    std::vector<double> refs;      // one per port
    bool twoPort21First = true;    // a two-port's N21 before N12: version 1, and 21_12
    TMatrixFormat matrix = TMatrixFormat::Full;
    bool normalised = true;        // Y, Z, H, G and Rn divided by R: version 1
    bool noiseAfterDecrease = false;  // version 1 two-port: a lower frequency starts the noise
    std::optional<std::size_t> frequencies, noiseFrequencies;  // the counts a version 2 file gives
};

class TRecordReader {
public:
    TRecordReader(const TLayout& layout, TNetwork& network);

    // The words of a line of the data.
    void Take(TWords& words, int line);
    // [Noise Data]: the records that follow are noise parameters.
    void BeginNoise();
    // The data end here: a record cut short is refused.
    void End();

    std::size_t Frequencies() const { return network_.frequencyHz.size(); }

private:
    void StartRecord(std::string_view word, std::optional<double> frequency, int line);
    void TakeValue(double value, std::string_view word, int line);
    void FinishMatrix();
    void FinishNoise();
    std::size_t ValuesPerRecord() const;

    const TLayout& layout_;
    TNetwork& network_;
    TScratch scratch_;
    std::size_t n_;             // ports
    std::size_t perRecord_;     // numbers after the frequency
    bool noise_ = false;        // reading noise records
    bool inRecord_ = false;     // a frequency was read, its values not all
    std::size_t taken_ = 0;     // numbers of the record so far, the frequency aside
    int recordLine_ = 0;        // where the record began
    double first_ = 0;          // the first number of a pair
    double noiseValues_[4] = {};
    double lastFrequency_ = 0;  // in Hz, of the records of the same kind so far
    std::string_view lastText_;  // as the file writes it
    bool anyOfKind_ = false;     // a record of the kind read now (network or noise) came before
};

// The layout's references from the option line (one for all ports, or one
// per port) unless it has them already (from [Reference]), checked against
// the port count, as are H and G (two-ports only). Refusals name the option
// line.
void ResolveReferences(TLayout& layout);

}  // namespace merivane::touchstone
