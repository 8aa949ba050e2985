// SPDX-License-Identifier: GPL-3.0-or-later
// The Guide view's readouts as texts: the peak field and the breakdown
// margin, the attenuation and the power the line turns into heat. The view
// shows them, the report and merivane-calc's guide output write the same.
// Powers follow the cells' rule (PowerCell) in the display's power unit;
// texts are UTF-8.
#pragma once

#include "Case.h"
#include "CaseModel.h"

#include <string>

namespace merivane::present {

inline constexpr const char* kGuideTitle = "Guide";

// The readouts in the view's order.
enum class GuideReadout { PeakField, PeakFieldMax, Margin, PincMax, Attenuation, LineLoss, Absorbed, Note };
inline constexpr int kGuideReadoutCount = 8;

// "Peak field", "Peak field at highest Pinc", "Breakdown margin", "Highest
// incident power", "Attenuation", "Power lost in the line", "Power absorbed
// by the load", "Note".
const char* GuideReadoutCaption(GuideReadout id);

struct TGuideReadouts {
    // index by GuideReadout: "23.929" "kV/m", "125.37 (41.96 dB)", "1" "kW",
    // "n/a: below cut-off"; the note's text is empty when there is none
    TValue value[kGuideReadoutCount];
    const TValue& operator[](GuideReadout id) const { return value[static_cast<int>(id)]; }
};

TGuideReadouts GuideReadouts(const TGuideResult& g, PowerUnit unit);
TGuideReadouts GuideReadouts(const TSnapshot& s);

// "Guide": the line's loss and the breakdown field as entered, the readouts
// (the note when there is one), and the reflection seen at the source end.
TSection GuideSection(const TGuideResult& g, const TGuideInputs& in, PowerUnit unit);
TSection GuideSection(const TSnapshot& s);

}  // namespace merivane::present
