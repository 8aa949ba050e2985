// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicatorEdits.h"

#include "EntryReader.h"

namespace merivane::present {

namespace {

void Put(TFeedCase& f, FeedColumn column, double value)
{
    switch (column) {
    case FeedColumn::Power: f.powerW = value; return;
    case FeedColumn::Frequency: f.frequencyMHz = value; return;
    case FeedColumn::Isolation: f.isolationDb = value; return;
    case FeedColumn::DummyRating: f.dummyRatingW = value; return;
    }
}

bool Blank(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

Input FeedInput(FeedColumn column)
{
    switch (column) {
    case FeedColumn::Power: return Input::FeedPowerW;
    case FeedColumn::Frequency: return Input::FeedFrequencyMHz;
    case FeedColumn::Isolation: return Input::FeedIsolationDb;
    case FeedColumn::DummyRating: break;
    }
    return Input::FeedDummyRatingW;
}

bool OpenApplicatorFile(TCase& c, const std::string& path, std::string& error)
{
    TApplicatorCase a;
    if (!ReadApplicatorFile(path, a, error, CaseMatchedPowerW(c.inputs))) return false;
    if (c.applicator == a) return false;
    c.applicator = std::move(a);
    return true;
}

bool RemoveApplicator(TCase& c)
{
    if (!c.applicator) return false;
    c.applicator.reset();
    return true;
}

bool SetFeedEntry(TCase& c, int feed, FeedColumn column, const std::string& text, std::string& error)
{
    if (!c.applicator || feed < 0 || static_cast<std::size_t>(feed) >= c.applicator->feeds.size()) return false;
    TFeedCase f = c.applicator->feeds[static_cast<std::size_t>(feed)];
    const TInputRow& row = InputRow(FeedInput(column));
    const std::string where = "feed " + std::to_string(feed + 1) + ", " + row.caption + ": ";
    if (column == FeedColumn::Frequency && Blank(text)) {
        f.frequencyMHz.reset();
    } else {
        const TReading r = ReadEntry(row, text, 0);
        if (r.outcome == Outcome::NotANumber) {
            error = where + QuoteTyped(text) + " is not a number";
            return false;
        }
        if (r.outcome == Outcome::Below || r.outcome == Outcome::Above) {
            error = where + QuoteTyped(text) + " lies outside " + LimitText(row.lo) + " \u2026 " + LimitText(row.hi) +
                    row.unit;
            return false;
        }
        Put(f, column, r.value);
    }
    TFeedCase& in = c.applicator->feeds[static_cast<std::size_t>(feed)];
    if (f == in) return false;
    in = f;
    return true;
}

std::string FeedEntryText(const TFeedCase& feed, FeedColumn column)
{
    // in full, not in the field's usual text: a power of 10200 W reads 10200, not 1.02E+4
    switch (column) {
    case FeedColumn::Power: return LimitText(feed.powerW);
    case FeedColumn::Frequency: return feed.frequencyMHz ? LimitText(*feed.frequencyMHz) : std::string();
    case FeedColumn::Isolation: return LimitText(feed.isolationDb);
    case FeedColumn::DummyRating: break;
    }
    return LimitText(feed.dummyRatingW);
}

}  // namespace merivane::present
