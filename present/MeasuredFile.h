// SPDX-License-Identifier: GPL-3.0-or-later
// A measured load from a Touchstone file and back: port k of a network gives
// the load Γl = Skk at every frequency; the load as the model sees it (after
// the plane shift) is written as a one-port file.
//
// In a waveguide measurement Γ is taken as measured: the reference resistance
// matters only where the file's Y or Z data are converted to S.
#pragma once

#include "GuideInputs.h"
#include "LineSweep.h"
#include "MeasuredLoad.h"
#include "Touchstone.h"

#include <string>

namespace merivane::present {

// The load of port (from 1) of network, named file. False with error set
// for a port the network does not have, or a network without points.
bool LoadFromNetwork(const touchstone::TNetwork& network, int port, const std::string& file, TMeasuredLoad& load,
                     std::string& error);

// Reads path and takes its port: false with error (the file, the line and
// what was expected, or the port) when refused.
bool ReadMeasuredLoad(const std::string& path, int port, TMeasuredLoad& load, std::string& error);

// The load at the model's plane at each of its frequencies, as a one-port
// network (S, 50 ohm) for WriteTouchstone1.
touchstone::TNetwork ModelLoadNetwork(const TMeasuredLoad& load, const TSweepInputs& line, const TGuideInputs& g);

}  // namespace merivane::present
