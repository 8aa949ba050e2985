// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbenchViews.h"

#include "CaseView.h"

std::vector<TViewEntry> WorkbenchViews()
{
    return {};
}
