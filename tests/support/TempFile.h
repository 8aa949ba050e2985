// SPDX-License-Identifier: GPL-3.0-or-later
// A file written by hand into a test's own folder.
#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline QString WriteTempFile(const QTemporaryDir& dir, const char* name, const QByteArray& text)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
}
