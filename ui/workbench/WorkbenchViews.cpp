// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbenchViews.h"

#include "ApplicatorView.h"
#include "BandView.h"
#include "CaseView.h"
#include "GuideView.h"
#include "MagnetronView.h"
#include "ProcessView.h"
#include "SmithView.h"
#include "UncertaintyView.h"
#include "TunerView.h"

std::vector<TViewEntry> WorkbenchViews()
{
    return {
        {QStringLiteral("Smith Chart"), QStringLiteral("wbDockSmith"),
         [](QWidget* p) -> TCaseView* { return new TSmithView(p); }},
        {QStringLiteral("Tuner"), QStringLiteral("wbDockTuner"), [](QWidget* p) -> TCaseView* { return new TTunerView(p); }},
        {QStringLiteral("Guide"), QStringLiteral("wbDockGuide"), [](QWidget* p) -> TCaseView* { return new TGuideView(p); }},
        {QStringLiteral("Magnetron"), QStringLiteral("wbDockMagnetron"),
         [](QWidget* p) -> TCaseView* { return new TMagnetronView(p); }},
        {QStringLiteral("Uncertainty"), QStringLiteral("wbDockUncertainty"),
         [](QWidget* p) -> TCaseView* { return new TUncertaintyView(p); }},
        {QStringLiteral("Band"), QStringLiteral("wbDockBand"), [](QWidget* p) -> TCaseView* { return new TBandView(p); }},
        {QStringLiteral("Process"), QStringLiteral("wbDockProcess"),
         [](QWidget* p) -> TCaseView* { return new TProcessView(p); }},
        {QStringLiteral("Applicator"), QStringLiteral("wbDockApplicator"),
         [](QWidget* p) -> TCaseView* { return new TApplicatorView(p); }},
    };
}
