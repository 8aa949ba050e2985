// SPDX-License-Identifier: GPL-3.0-or-later
// The report of the case with every option set, written as a PDF and read
// back: a page for each page laid out, every section and its last rows
// there, the charts' texts the size of the tables' and inside the page.
#include "ReportCases.h"

#include "PdfText.h"
#include "ReportLayout.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

std::string S(const QString& q) { return q.toStdString(); }

struct TWord {
    int page = 0;
    QRectF box;  // points, from the page's top left
};

// The words of the PDF where pdftotext finds them, by their text.
std::multimap<QString, TWord> Words(const QString& pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::multimap<QString, TWord> out;
    int page = 0;
    for (auto m = word.globalMatch(html); m.hasNext();) {
        const QRegularExpressionMatch w = m.next();
        if (w.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        const QPointF a(w.captured(1).toDouble(), w.captured(2).toDouble()), b(w.captured(3).toDouble(), w.captured(4).toDouble());
        out.emplace(w.captured(5), TWord{page, QRectF(a, b)});
    }
    return out;
}

// The height of a line of its text: across it, whichever way it runs.
double TextSize(const TWord& w) { return std::min(w.box.width(), w.box.height()); }

class ReportPdf : public ::testing::Test {
protected:
    QString Write(const TReport& r)
    {
        const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
        EXPECT_TRUE(WriteReportPdf(pdf, r));
        return pdf;
    }

private:
    QTemporaryDir dir_;
};

TEST_F(ReportPdf, EveryOptionCaseTakesThePagesLaidOutWithEverySection)
{
    const TReport r = ReportOf(ReportCase(true));
    const QString text = PdfToText(Write(r));
    EXPECT_EQ(text.count(QLatin1Char('\f')), static_cast<qsizetype>(merivane::report::LayoutReportPdf(r).size()));
    for (const char* title : {"Inputs", "Magnetron Output", "Transmission", "Power Meas", "Load Meas", "Tuner", "Guide",
                              "Magnetron", "Uncertainty", "Line Sweep: WR340 at 2450 MHz"})
        EXPECT_TRUE(text.contains(title)) << title;
    // the last rows of the last sections, and the tuner's long text, which
    // wraps in its cell, from its first word
    EXPECT_TRUE(HasLineWith(text, {"Water Load vs Model", "dB"})) << S(text);
    EXPECT_TRUE(HasLineWith(text, {"Rating Check"})) << S(text);
    EXPECT_TRUE(text.contains("Power After the Match")) << S(text);
    EXPECT_TRUE(text.contains("Absorbed now 7.22 kW")) << S(text);
    EXPECT_TRUE(text.contains("Page 1 of ")) << S(text);
}

TEST_F(ReportPdf, TheSweepChartsTextIsTheTablesSizeAndOnThePage)
{
    const std::multimap<QString, TWord> words = Words(Write(ReportOf(ReportCase(true))));
    ASSERT_EQ(words.count(QStringLiteral("Anode")), 2u);  // "Anode V", "Anode I"
    const double table = TextSize(words.find(QStringLiteral("Anode"))->second);
    // the axes' titles (the pulled frequency's at the right, upright), a
    // number of that axis, the legend
    for (const char* piece : {"Added", "(kW)", "(MHz)", "2452", "Coupler"}) {
        SCOPED_TRACE(piece);
        const auto at = words.find(QString::fromUtf8(piece));
        ASSERT_NE(at, words.end());
        EXPECT_NEAR(TextSize(at->second), table, 0.05 * table);
        EXPECT_GE(at->second.box.left(), merivane::report::kMargin - 0.5);
        EXPECT_LE(at->second.box.right(), merivane::report::kPageWidth - merivane::report::kMargin + 0.5);
    }
}

}  // namespace
