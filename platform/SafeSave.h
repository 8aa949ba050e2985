// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a whole file so that it is never left half written and never
// replaces what is not a regular file: the settings files, the export and the
// report all go through it.
#pragma once

#include <QByteArray>
#include <QString>

namespace merivane {

// Where a save of path may write: the path itself, or the end of the chain of
// links there, so that the links stay. Empty when something other than a
// regular file (a device, a pipe, a socket, a folder) stands at either place,
// or the links run in a loop.
QString SaveTarget(const QString& path);

// Writes bytes as the whole new content of path's save target, atomically: the
// file holds the old or the new text, never a part. The number of bytes
// written, the flush and the commit are each checked. False on any failure,
// and then nothing is changed, and reason (when given) says why as the system
// does.
bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

}  // namespace merivane
