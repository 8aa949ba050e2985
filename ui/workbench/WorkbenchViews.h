// SPDX-License-Identifier: GPL-3.0-or-later
// The views the Workbench offers beside its inputs, the Line Sweep and
// Compare: each a dock, made when first shown.
#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;
class TCaseView;

struct TViewEntry {
    QString title;       // the dock's caption and the view's accessible name
    QString objectName;  // the dock's name in the saved layout
    std::function<TCaseView*(QWidget* parent)> make;
};

std::vector<TViewEntry> WorkbenchViews();
