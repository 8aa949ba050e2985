// SPDX-License-Identifier: GPL-3.0-or-later
// The text of a PDF as pdftotext lays it out, its pages, and a test for a
// line that holds given pieces in order.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

inline QString PdfToText(const QString& pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    EXPECT_FALSE(tool.isEmpty()) << "pdftotext not found: bash scripts/deps.sh installs poppler-utils";
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text's pages, as pdftotext ends each with a form feed.
inline QStringList PdfPages(const QString& text)
{
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

inline bool HasLineWith(const QString& text, const QStringList& pieces)
{
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        qsizetype at = 0;
        bool all = true;
        for (const QString& p : pieces) {
            at = line.indexOf(p, at);
            if (at < 0) {
                all = false;
                break;
            }
            at += p.size();
        }
        if (all) return true;
    }
    return false;
}
