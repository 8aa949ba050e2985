// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of the Applicator view, each the case as it should become: the
// applicator opened from its file or removed, and a feed's number typed into
// its column. Pure but for the file's reading, so that each is one undo step
// and can be checked alone. False (and c untouched) when the edit changes
// nothing or cannot be; error then says why, where there is a reason.
#pragma once

#include "CaseModel.h"
#include "InputRows.h"

#include <string>

namespace merivane::present {

// The columns of the feeds' list, in the order the view shows them.
enum class FeedColumn { Power, Frequency, Isolation, DummyRating };
inline constexpr int kFeedColumns = 4;

// The input table's row a column reads by: its caption, unit and limits.
Input FeedInput(FeedColumn column);

// Reads an .sNp (.ts) file into the case's applicator in place of the one
// there, each feed given the case's matched power (CaseMatchedPowerW) at the
// case's frequency, without an isolator. error: the reader's.
bool OpenApplicatorFile(TCase& c, const std::string& path, std::string& error);
bool RemoveApplicator(TCase& c);

// A feed's number as typed: read by its row of the input table (a frequency
// also in GHz or kHz), refused beyond the row's limits rather than clamped.
// An empty frequency makes the feed follow the case's frequency again.
bool SetFeedEntry(TCase& c, int feed, FeedColumn column, const std::string& text, std::string& error);

// The text a feed's cell holds, in full, reading back to the value in force; empty for
// a frequency that follows the case's.
std::string FeedEntryText(const TFeedCase& feed, FeedColumn column);

}  // namespace merivane::present
