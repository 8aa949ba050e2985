// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of the Process view on a load set, each the case as it should
// become: pure functions, so that each is one undo step and can be checked
// alone. False (and c untouched) when the edit changes nothing or cannot be.
#pragma once

#include "CaseModel.h"

#include <string>

namespace merivane::present {

// A typed load after row, named "Load N" with the first free N, the case's
// load Γ; at the end for row -1.
bool AddSetLoad(TCase& c, int row);
bool RemoveSetLoad(TCase& c, int row);
// Moves row by step (-1 up, +1 down).
bool MoveSetLoad(TCase& c, int row, int step);
// A new name, trimmed; an empty one, or one another load has, is refused.
bool RenameSetLoad(TCase& c, int row, const std::string& name);
// A typed load's Γ as merivane-calc's --load takes it; error says why not.
bool RetypeSetLoad(TCase& c, int row, const std::string& text, std::string& error);
// The text a set load's Load cell shows: its REFL, or its file and port.
std::string SetLoadText(const TSetLoad& load);

}  // namespace merivane::present
