// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicatorCase.h"

#include "Touchstone.h"
#include "Transmission.h"

#include <cmath>
#include <filesystem>

namespace merivane {

bool operator==(const TApplicatorData& a, const TApplicatorData& b)
{
    return a.ports == b.ports && a.frequencyHz == b.frequencyHz && a.s == b.s;
}

}  // namespace merivane

namespace merivane::present {

TApplicatorData ApplicatorFromNetwork(const touchstone::TNetwork& network)
{
    TApplicatorData d;
    d.ports = network.ports;
    d.frequencyHz = network.frequencyHz;
    d.s = network.s;
    return d;
}

bool ReadApplicatorFile(const std::string& path, TApplicatorCase& a, std::string& error, double feedPowerW)
{
    const touchstone::TReadResult r = touchstone::ReadTouchstoneFile(path);
    if (!r.ok()) {
        error = r.error;
        return false;
    }
    const std::string file = std::filesystem::path(path).filename().string();
    if (r.network->frequencyHz.empty()) {
        error = file + ": the file has no measured points";
        return false;
    }
    TApplicatorCase read;
    read.file = file;
    read.data = ApplicatorFromNetwork(*r.network);
    TFeedCase feed;
    feed.powerW = feedPowerW;
    read.feeds.assign(static_cast<std::size_t>(read.data.ports), feed);
    a = std::move(read);
    return true;
}

double CaseMatchedPowerW(const TInputs& inputs)
{
    TModel m;
    static_cast<TInputs&>(m) = inputs;
    CalcTransmission(m, true);
    return m.Pmatch;
}

std::vector<TFeed> ModelFeeds(const TApplicatorCase& a, double caseFrequencyMHz)
{
    std::vector<TFeed> feeds;
    feeds.reserve(a.feeds.size());
    for (const TFeedCase& f : a.feeds)
        feeds.push_back({f.powerW, f.frequencyMHz.value_or(caseFrequencyMHz) * 1e6, f.isolationDb, f.dummyRatingW});
    return feeds;
}

std::string ValidateApplicatorCase(const TApplicatorCase& a, double caseFrequencyMHz)
{
    return ValidateApplicator(a.data, ModelFeeds(a, caseFrequencyMHz));
}

TApplicatorSnapshot ComputeApplicatorCase(const TApplicatorCase& a, double caseFrequencyMHz)
{
    TApplicatorSnapshot out;
    out.present = true;
    out.frequencyMHz = caseFrequencyMHz;
    const std::vector<TFeed> feeds = ModelFeeds(a, caseFrequencyMHz);
    for (const TFeedCase& f : a.feeds) out.feedFrequencyMHz.push_back(f.frequencyMHz.value_or(caseFrequencyMHz));
    out.error = ValidateApplicator(a.data, feeds);
    out.result = ComputeApplicator(a.data, feeds);
    // the matrix and the couplings at the case's frequency, the nearer end's
    // outside the band; inside within the model's tolerance at either end
    const double fHz = caseFrequencyMHz * 1e6;
    out.matrixDb = ApplicatorMatrixDb(a.data, fHz);
    if (out.matrixDb.empty()) return out;  // data the model refuses: no matrix either
    const double first = a.data.frequencyHz.front(), last = a.data.frequencyHz.back();
    out.inside = fHz >= first - kApplicatorBandTolerance * std::abs(first) &&
                 fHz <= last + kApplicatorBandTolerance * std::abs(last);
    out.couplings = StrongestCouplings(a.data, fHz, kShownCouplings);
    return out;
}

}  // namespace merivane::present
