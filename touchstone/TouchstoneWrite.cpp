// SPDX-License-Identifier: GPL-3.0-or-later
// A network written as a version 1 file whose numbers read back bit for bit.
#include "Touchstone.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string_view>

namespace merivane::touchstone {

namespace {

constexpr int kMHz = 6;          // the written unit as a power of ten
constexpr std::size_t kPairsPerLine = 4;

void Append(std::string& out, double x)
{
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, x);  // the shortest text that reads back as x
    out.append(buffer, static_cast<std::size_t>(r.ptr - buffer));
}

// x / 10^shift written exactly in decimal: the shortest digits of x in Hz
// with the point moved, so that reading the text and moving the point back
// gives the digits of x again, and so x.
void AppendShifted(std::string& out, double x, int shift)
{
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific);
    std::string_view text(buffer, static_cast<std::size_t>(r.ptr - buffer));  // "-d.ddde+XX"
    if (text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    std::string digits(1, text[0]);
    if (e > 2) digits.append(text.substr(2, e - 2));
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + (text[e + 1] == '+' ? 2 : 1));
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    exponent -= shift;
    if (digits == "0") {
        out += '0';
        return;
    }
    const auto size = static_cast<int>(digits.size());
    if (exponent < -7 || exponent > 15) {  // far from the units: d.ddde-XX
        out += digits[0];
        if (size > 1) out.append(".").append(digits, 1);
        out.append("e").append(std::to_string(exponent));
        return;
    }
    const int point = exponent + 1;  // the digits before the point
    if (point <= 0) {
        out.append("0.").append(static_cast<std::size_t>(-point), '0').append(digits);
    } else if (point >= size) {
        out.append(digits).append(static_cast<std::size_t>(point - size), '0');
    } else {
        const auto before = static_cast<std::size_t>(point);
        out.append(digits, 0, before).append(".").append(digits, before);
    }
}

void AppendPair(std::string& out, std::complex<double> v)
{
    out += ' ';
    Append(out, v.real());
    out += ' ';
    Append(out, v.imag());
}

// One frequency's matrix in the order of version 1: a two-port N11 N21 N12
// N22 on one line; from three ports row by row, four pairs a line at most.
void AppendRecord(std::string& out, const TNetwork& network, std::size_t k)
{
    const auto n = static_cast<std::size_t>(network.ports);
    const std::complex<double>* m = network.s.data() + k * n * n;
    AppendShifted(out, network.frequencyHz[k], kMHz);
    if (n <= 2) {
        for (std::size_t j = 0; j < n; ++j)
            for (std::size_t i = 0; i < n; ++i) AppendPair(out, m[i * n + j]);
        out += '\n';
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (j > 0 && j % kPairsPerLine == 0) out += "\n ";
            AppendPair(out, m[i * n + j]);
        }
        out += i + 1 < n ? "\n " : "\n";
    }
}

}  // namespace

std::string WriteTouchstone1(const TNetwork& network)
{
    const auto n = static_cast<std::size_t>(std::max(network.ports, 1));
    std::vector<double> refs = network.referenceOhm;
    if (refs.size() != n) refs.assign(n, refs.empty() ? 50.0 : refs[0]);
    std::string out = "! S parameters written by Merivane\n# MHz S RI R";
    const bool same = std::all_of(refs.begin(), refs.end(), [&](double r) { return r == refs[0]; });
    for (std::size_t p = 0; p < (same ? 1 : n); ++p) {
        out += ' ';
        Append(out, refs[p]);
    }
    out += '\n';
    const std::size_t records = std::min(network.frequencyHz.size(), network.s.size() / (n * n));
    out.reserve(out.size() + records * (n * n * 50 + 24));
    for (std::size_t k = 0; k < records; ++k) AppendRecord(out, network, k);
    // version 1 tells the noise block by its first frequency, below the last record's
    const bool noiseReadsBack = network.noise && !network.noise->empty() && n == 2 && records > 0 &&
                                network.noise->front().frequencyHz < network.frequencyHz[records - 1];
    if (noiseReadsBack) {
        out += "! noise: frequency, Fmin (dB), |Gopt|, angle of Gopt (degrees), Rn / R\n";
        for (const TNoisePoint& p : *network.noise) {
            AppendShifted(out, p.frequencyHz, kMHz);
            for (const double v : {p.fminDb, p.gammaOptMag, p.gammaOptDeg, p.rnOhm / refs[0]}) {
                out += ' ';
                Append(out, v);
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace merivane::touchstone
