// SPDX-License-Identifier: GPL-3.0-or-later
#include "Records.h"

#include <cmath>
#include <string>
#include <utility>

namespace merivane::touchstone {

namespace {

constexpr std::size_t kNoiseValues = 4;  // Fmin, |Gopt|, angle Gopt, Rn after the frequency

std::string UnitName(int exponent)
{
    switch (exponent) {
    case 0: return "Hz";
    case 3: return "kHz";
    case 6: return "MHz";
    default: return "GHz";
    }
}

// The n(n+1)/2 values of a triangle, row by row at the front of m, spread to
// their places in the full matrix and mirrored into the other triangle.
void FillTriangle(std::complex<double>* m, std::size_t n, bool lower)
{
    std::size_t source = n * (n + 1) / 2;
    for (std::size_t i = n; i-- > 0;) {
        const std::size_t from = lower ? 0 : i, to = lower ? i + 1 : n;
        for (std::size_t j = to; j-- > from;) m[i * n + j] = m[--source];  // never ahead of what is still to move
    }
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            if (lower)
                m[i * n + j] = m[j * n + i];
            else
                m[j * n + i] = m[i * n + j];
        }
}

}  // namespace

TRecordReader::TRecordReader(const TLayout& layout, TNetwork& network)
    : layout_(layout), network_(network), n_(static_cast<std::size_t>(layout.ports))
{
    perRecord_ = ValuesPerRecord();
}

std::size_t TRecordReader::ValuesPerRecord() const
{
    if (noise_) return kNoiseValues;
    return layout_.matrix == TMatrixFormat::Full ? 2 * n_ * n_ : n_ * (n_ + 1);
}

void TRecordReader::Take(TWords& words, int line)
{
    std::string_view word;
    std::optional<double> value;
    while (words.NextNumber(inRecord_ ? 0 : layout_.options.unitExponent, word, value)) {
        if (!inRecord_) {
            StartRecord(word, value, line);
            continue;
        }
        if (!value) RefuseWord(line, "a number", word);
        TakeValue(*value, word, line);
    }
}

void TRecordReader::StartRecord(std::string_view word, std::optional<double> f, int line)
{
    if (!f) RefuseWord(line, "a frequency", word);
    if (*f < 0) RefuseWord(line, "a frequency of 0 or more", word);
    if (anyOfKind_ && *f < lastFrequency_) {
        if (noise_ || !layout_.noiseAfterDecrease)
            RefuseWord(line, "a frequency not below the one before (" + std::string(lastText_) + ")", word);
        noise_ = true;  // version 1: the noise parameters of a two-port begin here
        anyOfKind_ = false;
        perRecord_ = ValuesPerRecord();
        network_.noise.emplace();
    }
    const std::optional<std::size_t>& limit = noise_ ? layout_.noiseFrequencies : layout_.frequencies;
    const std::size_t count = noise_ ? network_.noise->size() : network_.frequencyHz.size();
    if (limit && count == *limit) {
        Refuse(line, std::string(noise_ ? "[Number of Noise Frequencies]" : "[Number of Frequencies]") + " gives " +
                         std::to_string(*limit) + ", a further frequency was found: " + Quoted(word));
    }
    if (!noise_) network_.frequencyHz.push_back(*f);
    lastFrequency_ = *f;
    lastText_ = word;
    anyOfKind_ = true;
    inRecord_ = true;
    taken_ = 0;
    recordLine_ = line;
}

void TRecordReader::TakeValue(double value, std::string_view word, int line)
{
    if (noise_) {
        noiseValues_[taken_++] = value;
        if (taken_ == kNoiseValues) FinishNoise();
        return;
    }
    if (taken_ % 2 == 0) {
        first_ = value;
    } else {
        const std::complex<double> v = FromPair(first_, value, layout_.options.format);
        if (layout_.options.format == TFormat::DB && !(std::isfinite(v.real()) && std::isfinite(v.imag())))  // 7000 dB
            RefuseWord(line, "a value within the range of a double", word);
        network_.s.push_back(v);
    }
    if (++taken_ == perRecord_) FinishMatrix();
}

void TRecordReader::FinishMatrix()
{
    inRecord_ = false;
    const std::size_t block = n_ * n_;
    const std::size_t k = network_.frequencyHz.size() - 1;
    if (layout_.matrix != TMatrixFormat::Full) network_.s.resize((k + 1) * block);
    std::complex<double>* m = network_.s.data() + k * block;
    if (layout_.matrix != TMatrixFormat::Full)
        FillTriangle(m, n_, layout_.matrix == TMatrixFormat::Lower);
    else if (n_ == 2 && layout_.twoPort21First)
        std::swap(m[1], m[2]);  // N11 N21 N12 N22 into row order
    if (!ToScattering(m, layout_.ports, layout_.options.parameter, layout_.normalised, layout_.refs, scratch_)) {
        Refuse(recordLine_, "a " + std::string(1, layout_.options.parameter) + " matrix with an S was expected at " +
                                std::string(lastText_) + " " + UnitName(layout_.options.unitExponent) +
                                ", a singular one was found (it has no S against the reference resistances)");
    }
}

void TRecordReader::FinishNoise()
{
    inRecord_ = false;
    const double rn = layout_.normalised ? noiseValues_[3] * layout_.refs[0] : noiseValues_[3];
    if (!std::isfinite(rn))
        Refuse(recordLine_, "an Rn within the range of a double was expected at " + Quoted(lastText_) +
                                ", a larger one was found");
    network_.noise->push_back({lastFrequency_, noiseValues_[0], noiseValues_[1], noiseValues_[2], rn});
}

void TRecordReader::BeginNoise()
{
    End();
    noise_ = true;
    anyOfKind_ = false;
    perRecord_ = ValuesPerRecord();
    network_.noise.emplace();
}

void TRecordReader::End()
{
    if (!inRecord_) return;
    const std::string what = noise_ ? "noise values" : "numbers";
    Refuse(recordLine_, std::to_string(perRecord_) + " " + what + " after the frequency " + Quoted(lastText_) +
                            " were expected, " + Found(taken_));
}

void ResolveReferences(TLayout& layout)
{
    const std::vector<double>& given = layout.options.resistances;
    const auto ports = static_cast<std::size_t>(layout.ports);
    if (layout.refs.size() == ports) {
        // given by [Reference]
    } else if (given.size() == 1) {
        layout.refs.assign(ports, given[0]);
    } else if (given.size() == ports) {
        layout.refs = given;
    } else {
        Refuse(layout.options.line, "1 or " + std::to_string(ports) + " reference resistances were expected after R, " +
                                        Found(given.size()));
    }
    const char p = layout.options.parameter;
    if ((p == 'H' || p == 'G') && ports != 2) {
        Refuse(layout.options.line, "a two-port was expected for " + std::string(1, p) + " parameters, a file of " +
                                        std::to_string(ports) + " ports was found");
    }
}

}  // namespace merivane::touchstone
