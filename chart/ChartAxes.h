// SPDX-License-Identifier: GPL-3.0-or-later
// What the charts' axes share: steps of 1, 2 or 5 times a power of ten, and
// an axis set only where it changes.
#pragma once

#include <QString>

class QChart;
class QPalette;
class QValueAxis;

// The smallest of 1, 2 or 5 times a power of ten that cuts span into at most
// parts steps.
double NiceStep(double span, int parts);
// Sets range, ticks, title and label format where they change; true when
// anything changed. Fixed ticks from lo to hi when lo is a whole step.
bool SetAxis(QValueAxis* axis, double lo, double hi, double step, const QString& title);
// The chart in the palette's colours: its background, texts and grid.
void FollowPalette(QChart* chart, const QPalette& p);
