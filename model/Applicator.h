// SPDX-License-Identifier: GPL-3.0-or-later
// Several magnetrons feeding one applicator: the power each feed gets back,
// from the applicator's own reflection and from the other feeds, what the
// load absorbs, and what each feed's isolator passes on to its tube.
//
// The applicator is an N-port measured over frequency; feed i drives port i
// with P_i at its own frequency f_i. Free-running magnetrons have
// uncorrelated phases, so the powers of their waves add:
//   P_ret,i = Σ_j |S_ij(f_j)|² P_j
// with each column j of S taken at the frequency of the feed that drives it.
// Should the tubes lock to each other, the waves add in phase at worst:
//   P_ret,i ≤ (Σ_j |S_ij(f_j)| √P_j)²
// S between two measured frequencies is linear in its real and imaginary
// parts.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace merivane {

// The applicator as measured; the layout of the Touchstone reader's TNetwork.
struct TApplicatorData {
    int ports = 0;
    std::vector<double> frequencyHz;  // ascending; at a repeated frequency the later point counts
    // ports*ports per frequency, row by row: s[k*N*N + i*N + j] is
    // S(i+1)(j+1) at frequencyHz[k].
    std::vector<std::complex<double>> s;
};

// One magnetron and its isolator, on the port of the same index.
struct TFeed {
    double powerW = 0;
    double frequencyHz = 0;
    double isolationDb = 0;   // 0: no isolator, the tube takes all it gets back
    double dummyRatingW = 0;  // the isolator's dummy load's rating; 0 when not set
};

struct TApplicatorFeed {
    int port = 0;  // from 1
    double powerW = 0;
    double frequencyHz = 0;
    double returnedW = 0;       // P_ret,i
    double selfW = 0;           // |S_ii(f_i)|² P_i, the applicator's own reflection of this feed
    double coupledW = 0;        // the rest: what the other feeds send into this port
    double worstReturnedW = 0;  // the in-phase bound (Σ_j |S_ij| √P_j)²
    // √(P_ret,i / P_i), the reflection the tube sees in power; none at P_i = 0.
    // Above 1 when the other feeds send more into the port than it sends out.
    std::optional<double> seenMag;
    std::optional<double> seenSwr;  // (1 + g) / (1 - g); none at g ≥ 1
    double magnetronW = 0;          // P_ret,i 10^(-I/10), what passes the isolator back to the tube
    double dummyW = 0;              // the rest, taken by the dummy load
    // 10 log10(rating / dummyW): negative when overloaded; none when no
    // rating is set or nothing reaches the dummy load
    std::optional<double> dummyMarginDb;
};

struct TApplicatorResult {
    int ports = 0;
    std::vector<TApplicatorFeed> feeds;  // empty when ValidateApplicator refuses the input
    double absorbedW = 0;                // Σ P_j - Σ P_ret,i
    double returnedW = 0;                // Σ P_ret,i
    std::optional<double> efficiency;    // absorbedW / Σ P_j; none when no feed has power
    std::size_t worstFeed = 0;           // index into feeds of the largest returnedW, the first of equals
};

// A feed's frequency counts as inside the file's band [first, last] within
// this fraction of the band's end: a one-point file is usable at its own
// frequency ± 1 ppm, and a frequency typed as 2450 MHz meets a file's
// 2.45e9 written with rounding. Inside the tolerance the end's S is used.
inline constexpr double kApplicatorBandTolerance = 1e-6;

// What is wrong with the input, in words the caller prefixes with the option
// or field it came from: "3 powers for 4 ports", "power 2 is negative
// (-5 W)", "frequency 1 (2600 MHz) lies outside the file's band 2400 ..
// 2500 MHz". Empty when fine. Also refuses a negative isolation or rating
// and malformed data (no port, no frequency, a wrong count of S values,
// descending frequencies).
std::string ValidateApplicator(const TApplicatorData& data, const std::vector<TFeed>& feeds);

// The powers of every feed, one per port in port order. Each column j of S
// is interpolated once, at f_j.
TApplicatorResult ComputeApplicator(const TApplicatorData& data, const std::vector<TFeed>& feeds);

// S at one frequency, ports*ports row by row, interpolated as above; outside
// the band the nearer end's. data must hold at least one frequency.
std::vector<std::complex<double>> ApplicatorSAt(const TApplicatorData& data, double fHz);

// 20 log10 |S_ij| at one frequency, row by row, floored at -160 dB (the
// numerics' MagToDb), for the shaded matrix.
std::vector<double> ApplicatorMatrixDb(const TApplicatorData& data, double fHz);

struct TCoupling {
    int portA = 0, portB = 0;  // from 1, portA < portB
    double mag = 0;            // max(|S_ab|, |S_ba|)
    double db = 0;             // 20 log10 mag, floored at -160
};

// The couplings between distinct ports at one frequency, strongest first (at
// equal strength in port order), at most count of them (0: all). Data that
// are not reciprocal couple a pair by the stronger direction,
// max(|S_ab|, |S_ba|).
std::vector<TCoupling> StrongestCouplings(const TApplicatorData& data, double fHz, std::size_t count = 0);

}  // namespace merivane
