// SPDX-License-Identifier: GPL-3.0-or-later
// The Applicator view's three tables filled from the case and its snapshot:
// the feeds as typed, the |S| matrix shaded by strength, and the results a
// row per feed with the worst one marked. Colours come from the table's own
// palette, so that they read in dark palettes too.
#pragma once

#include "CaseModel.h"

#include <QString>

class QTableWidget;

// The feeds' cells as typed, editable; a frequency that follows the case
// shows the case's, greyed.
void FillFeeds(QTableWidget* table, const merivane::present::TApplicatorCase* a, double caseFrequencyMHz);
// |S_ij| in dB, read-only, stronger darker; empty without a matrix.
void FillMatrix(QTableWidget* table, const merivane::present::TSnapshot& s);
// A row per feed; the worst feed bold on a highlight-tinted background, an
// overloaded dummy load's margin marked.
void FillResults(QTableWidget* table, const merivane::present::TSnapshot& s);

// A table the view shows: a name for screen readers, rows chosen whole or by
// cell, Tab leaving it.
void SetUpTable(QTableWidget* table, const char* objectName, const QString& accessibleName);
