// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportSections.h"

#include "MagnetronTexts.h"

std::vector<merivane::present::TSection> SnapshotSections(const merivane::present::TSnapshot& s)
{
    namespace present = merivane::present;
    std::vector<present::TSection> sections = present::CaseSections(s.m, s.c.display);
    for (present::TSection& t : present::TubeSections(s)) sections.push_back(std::move(t));
    return sections;
}
