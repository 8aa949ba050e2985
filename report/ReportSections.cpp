// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportSections.h"

#include "MeasuredTexts.h"

#include "ApplicatorTexts.h"
#include "GuideTexts.h"
#include "MagnetronTexts.h"
#include "ProcessTexts.h"
#include "TunerTexts.h"

std::vector<merivane::present::TSection> SnapshotSections(const merivane::present::TSnapshot& s)
{
    namespace present = merivane::present;
    std::vector<present::TSection> sections = present::CaseSections(s.m, s.c.display);
    // the Workbench's views in their order: the Tuner, the Guide, then the tube's
    if (s.c.tuner != present::TTunerInputs{}) sections.push_back(present::TunerSection(s));
    if (s.c.guide != present::TGuideInputs{}) sections.push_back(present::GuideSection(s));
    for (present::TSection& t : present::TubeSections(s)) sections.push_back(std::move(t));
    // a measured load, with its band over the magnetron's pulling range
    for (present::TSection& t : present::MeasuredSections(s))
        sections.push_back(std::move(t));
    // the process: the load set, the robust setting and the envelope
    for (present::TSection& t : present::ProcessSections(s)) sections.push_back(std::move(t));
    // the applicator: what each feed gets back, the totals, the strongest couplings
    for (present::TSection& t : present::ApplicatorSections(s)) sections.push_back(std::move(t));
    return sections;
}
