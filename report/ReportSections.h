// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of a report made from a case's snapshot: the inputs and the
// result pages as the window shows them, then a section for each view of the
// Workbench whose inputs the case sets (the Tuner, the Guide, the Magnetron,
// the Uncertainty), with the texts that view shows.
#pragma once

#include "Case.h"
#include "CaseModel.h"

#include <vector>

std::vector<merivane::present::TSection> SnapshotSections(const merivane::present::TSnapshot& s);
