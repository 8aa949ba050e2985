// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces the Workbench's views are built of alike: a text a reader can
// select and reach with the keyboard, and a table of points over a model.
#pragma once

#include <QString>

class QAbstractItemModel;
class QLabel;
class QTableView;
class QWidget;

// A wrapping label whose text can be selected by mouse and keyboard, and
// which takes the focus so a screen reader reads it out. Without an
// accessible name a screen reader reads its text.
QLabel* SelectableLabel(QWidget* parent, const char* objectName, const QString& accessibleName = QString());

// A read-only table of model's rows, selected by the row, its columns
// sharing the width; its rows of a fixed height, so that a table of ten
// thousand points lays out at once.
QTableView* PointTable(QWidget* parent, QAbstractItemModel* model, const QString& accessibleName);
