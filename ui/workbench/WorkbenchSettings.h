// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench's own settings file, MerivaneWorkbench.ini beside the main
// settings file: the window's place and its docks' layout, and the five most
// recent cases. The main settings file is not touched.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

inline constexpr int kRecentCases = 5;

QString WorkbenchSettingsPath();

// The recent cases, the latest first; files that are gone are left out.
QStringList ReadRecentCases();
// Puts path first in the recent list (once), keeping five; saved at once.
// False, with the reason, when the file could not be written.
bool NoteRecentCase(const QString& path, QString* reason = nullptr);

struct TWorkbenchLayout {
    QByteArray geometry;  // QWidget::saveGeometry
    QByteArray state;     // QMainWindow::saveState
};
TWorkbenchLayout ReadWorkbenchLayout();
bool WriteWorkbenchLayout(const TWorkbenchLayout& layout, QString* reason = nullptr);
