// SPDX-License-Identifier: GPL-3.0-or-later
// An applicator in the case: the N-port measurement of the cavity, copied
// from its Touchstone file so that a case sent to a colleague stays whole,
// and the feeds, one magnetron with its isolator on each port. The snapshot's
// part holds what every view shows of it: the model's powers (Applicator.h)
// at each feed's frequency, why there are none when the feeds do not fit the
// data, and the |S| matrix and the strongest couplings at the case's
// frequency.
#pragma once

#include "Applicator.h"
#include "Model.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace merivane {

namespace touchstone {
struct TNetwork;
}

// Two measurements the same, number for number (the model keeps no
// comparison of its own).
bool operator==(const TApplicatorData& a, const TApplicatorData& b);

}  // namespace merivane

namespace merivane::present {

// One feed as the user gives it; the limits are the input table's rows
// FeedPowerW, FeedFrequencyMHz, FeedIsolationDb and FeedDummyRatingW.
struct TFeedCase {
    double powerW = 0;
    std::optional<double> frequencyMHz;  // empty: the case's frequency (its line's)
    double isolationDb = 0;              // 0: no isolator
    double dummyRatingW = 0;             // 0: not set
    bool operator==(const TFeedCase&) const = default;
};

struct TApplicatorCase {
    std::string file;               // the name of the file the data came from, without its folder
    TApplicatorData data;           // S of every port pair at every measured frequency
    std::vector<TFeedCase> feeds;   // one per port, in port order
    bool operator==(const TApplicatorCase&) const = default;
};

// The network's ports, frequencies and S, as they stand.
TApplicatorData ApplicatorFromNetwork(const touchstone::TNetwork& network);

// Reads any .sNp (or .ts) file into a: its data, its file name, and one feed
// per port, each at feedPowerW, the case's frequency, without an isolator.
// The caller chooses the power: the window gives each feed the case's own
// magnetron (CaseMatchedPowerW), merivane-calc takes --feed-powers over it.
// False with error (the file, the line and what was expected there; or a
// file without points) and a unchanged when refused.
bool ReadApplicatorFile(const std::string& path, TApplicatorCase& a, std::string& error, double feedPowerW = 0);

// The power the case's magnetron gives a matched load, Pmatch = Va Ia Eff,
// as the transmission model computes it.
double CaseMatchedPowerW(const TInputs& inputs);

// Every feed as the model takes it: its frequency, or the case's, in Hz.
std::vector<TFeed> ModelFeeds(const TApplicatorCase& a, double caseFrequencyMHz);

// The feeds against the data at their frequencies: ValidateApplicator's
// words, empty when the model can compute them.
std::string ValidateApplicatorCase(const TApplicatorCase& a, double caseFrequencyMHz);

// The strongest couplings the snapshot keeps.
inline constexpr std::size_t kShownCouplings = 5;

struct TApplicatorSnapshot {
    bool present = false;                  // the case has an applicator
    std::vector<double> feedFrequencyMHz;  // each feed's own frequency, or the case's
    std::string error;                     // why result has no feeds (ValidateApplicatorCase); empty when it has
    TApplicatorResult result;
    double frequencyMHz = 0;               // the case's, where the matrix and the couplings are taken
    bool inside = true;                    // that frequency lies within the file's band
    std::vector<double> matrixDb;          // 20 log10 |S_ij| there, row by row; empty for damaged data
    std::vector<TCoupling> couplings;      // the kShownCouplings strongest there, strongest first
};

// The applicator's part of the snapshot at the case's frequency.
TApplicatorSnapshot ComputeApplicatorCase(const TApplicatorCase& a, double caseFrequencyMHz);

}  // namespace merivane::present
