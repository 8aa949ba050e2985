// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbenchViews.h"

#include "CaseView.h"
#include "GuideView.h"
#include "TunerView.h"

std::vector<TViewEntry> WorkbenchViews()
{
    return {
        {QStringLiteral("Tuner"), QStringLiteral("wbDockTuner"), [](QWidget* p) -> TCaseView* { return new TTunerView(p); }},
        {QStringLiteral("Guide"), QStringLiteral("wbDockGuide"), [](QWidget* p) -> TCaseView* { return new TGuideView(p); }},
    };
}
