// SPDX-License-Identifier: GPL-3.0-or-later
// The painter's parts for the tuner's path and the pulled frequency, used by
// PaintSmithForeground; inside the chart's library.
#pragma once

#include "SmithPainter.h"

namespace merivane::smith {

// The tuner's path: turns along the line solid, the tuner's steps dashed.
void PaintTunerPath(QPainter& p, const TSmithFrame& f, const TSmithScene& sc, const TSmithPalette& pal);
// The locus coloured by the pulled frequency; false (nothing drawn) without one.
bool PaintPulledLocus(QPainter& p, const TSmithFrame& f, const TSmithScene& sc, const TSmithPalette& pal);
// The colour scale's legend in the bottom left corner of area.
void PaintPullLegend(QPainter& p, const QRectF& area, double em, const TSmithScene& sc, const TSmithPalette& pal);

}  // namespace merivane::smith
