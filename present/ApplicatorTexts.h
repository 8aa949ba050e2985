// SPDX-License-Identifier: GPL-3.0-or-later
// The applicator as texts: a row per feed with what it gets back and where
// that goes after its isolator, the |S| matrix in dB with the strength that
// shades it, the strongest couplings, the totals and the worst feed. The
// Applicator view and the report show these. Powers follow the cells' rule
// (PowerCell). UTF-8.
#pragma once

#include "Case.h"
#include "CaseModel.h"

#include <string>
#include <utility>
#include <vector>

namespace merivane::present {

// The table of results, a row per feed: returned, self, coupled, the
// in-phase bound, the seen |Γ| and SWR, to the magnetron, to the dummy load
// and the dummy load's margin.
inline constexpr int kApplicatorColumns = 9;
const char* ApplicatorColumnCaption(int column);
std::string ApplicatorCell(const TApplicatorFeed& f, const TFeedCase& in, int column, PowerUnit unit);
// The dummy load takes more than its rating.
bool DummyOverloaded(const TApplicatorFeed& f, const TFeedCase& in);

// "bench.s3p: 3 ports, 11 frequencies 2400 … 2500 MHz"
std::string ApplicatorFileText(const TApplicatorCase& a);

// A matrix cell: 20 log10 |S| with one decimal, "−10.0".
std::string MatrixDbText(double db);
// How strongly a cell is shaded: 0 at and below -40 dB, 1 at 0 dB and
// above, linear in dB between.
inline constexpr double kMatrixShadeFloorDb = -40;
double MatrixStrength(double db);
// "S21"; "S12,3" once a port's number has two digits.
std::string CouplingName(const TCoupling& c);
// "Strongest: S21 −10.0 dB, S31 −20.0 dB"; empty without couplings.
std::string StrongestText(const std::vector<TCoupling>& couplings);
// Why the matrix is the band's end's: "2600 MHz lies outside the file's
// band 2400 … 2500 MHz: the matrix is taken at its nearer end." Empty inside.
std::string OutsideBandText(const TApplicatorSnapshot& a, const TApplicatorData& data);

// The lines under the table: absorbed, returned, efficiency, the worst feed.
// Empty when the result has no feeds.
std::vector<std::pair<std::string, std::string>> ApplicatorTotals(const TSnapshot& s);

// The report's sections: "Applicator" (the file, the totals, the couplings)
// and "Applicator Feeds"; none without an applicator.
std::vector<TSection> ApplicatorSections(const TSnapshot& s);

}  // namespace merivane::present
