// What each control of the window means, in a tooltip, and where the help
// document explains it.
#pragma once

#include "Cells.h"

#include <span>
#include <string_view>

namespace merivane::present {

// A control by its name, and its tooltip: what the quantity is, its unit and
// range, and how it is computed, in one or two short lines.
struct TControlTip {
    const char* control;
    const char* tooltip;
};

// Every input field, list, check box, radio group and radio button, row
// caption and column header of the window.
std::span<const TControlTip> ControlTips();
// The tooltip of a control; nullptr for a control without one.
const char* TooltipFor(std::string_view control);

// The caption label of a result cell's row, whose tooltip the cell shares.
const char* RowCaptionOf(Region region, int row);

// The help topic of the Help button, and of a control without a topic.
inline constexpr const char* kHelpMainTopic = "786";
// The anchor of a group or page in the help document; nullptr for any other
// name. A control's topic is that of the nearest group or page around it.
const char* HelpTopicOf(std::string_view container);

}  // namespace merivane::present
