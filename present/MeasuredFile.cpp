// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeasuredFile.h"

#include "MeasuredCase.h"

#include <filesystem>

namespace merivane::present {

bool LoadFromNetwork(const touchstone::TNetwork& network, int port, const std::string& file, TMeasuredLoad& load,
                     std::string& error)
{
    if (port < 1 || port > network.ports) {
        error = file + ": there is no port " + std::to_string(port) + " in a file of " + std::to_string(network.ports) +
                (network.ports == 1 ? " port" : " ports");
        return false;
    }
    if (network.frequencyHz.empty()) {
        error = file + ": the file has no measured points";
        return false;
    }
    TMeasuredLoad read;
    read.file = file;
    read.port = port;
    read.freqHz = network.frequencyHz;
    read.gamma.reserve(network.frequencyHz.size());
    for (std::size_t k = 0; k < network.frequencyHz.size(); ++k) read.gamma.push_back(network.S(k, port, port));
    read.planeShiftMm = load.planeShiftMm;
    load = std::move(read);
    return true;
}

bool ReadMeasuredLoad(const std::string& path, int port, TMeasuredLoad& load, std::string& error)
{
    const touchstone::TReadResult r = touchstone::ReadTouchstoneFile(path);
    if (!r.ok()) {
        error = r.error;
        return false;
    }
    return LoadFromNetwork(*r.network, port, std::filesystem::path(path).filename().string(), load, error);
}

touchstone::TNetwork ModelLoadNetwork(const TMeasuredLoad& load, const TSweepInputs& line, const TGuideInputs& g)
{
    touchstone::TNetwork n;
    n.version = "1.0";
    n.ports = 1;
    n.parameter = "S";
    n.format = "RI";
    n.referenceOhm = {50.0};
    n.frequencyHz = load.freqHz;
    n.s.reserve(load.freqHz.size());
    for (std::size_t k = 0; k < load.freqHz.size(); ++k) n.s.push_back(MeasuredPointAt(load, k, line, g));
    return n;
}

}  // namespace merivane::present
