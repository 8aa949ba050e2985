// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --report: the PDF written where no display exists, holding
// the inputs and every result as the text output shows them.
#include "Calc.h"
#include "PdfText.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

QStringList Q(const std::vector<std::string>& pieces)
{
    QStringList out;
    for (const std::string& p : pieces) out << QString::fromStdString(p);
    return out;
}

TEST(Report, IsWrittenWithoutADisplayAndHoldsEveryRow)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("case.pdf");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");  // a display platform: the program must not use it
    const TRun r = RunCalc({"--report", pdf, "--directivity", "20", "--power-unit", "dBm", "--meas-unit", "%"}, {}, env);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    ASSERT_TRUE(QFile::exists(pdf));

    // every row and the Line Sweep on the first page; the Smith chart after it
    const QStringList pages = PdfPages(PdfToText(pdf));
    ASSERT_EQ(pages.size(), 2);
    const QString& text = pages[0];
    EXPECT_TRUE(text.contains("Power Transmission Report"));
    EXPECT_TRUE(text.contains("Merivane " MERIVANE_VERSION_TEXT));
    EXPECT_TRUE(text.contains(QDate::currentDate().toString(Qt::ISODate)));
    int rows = 0;
    for (const TTextSection& s : ParseText(r.out)) {
        std::vector<std::string> head = {s.title};
        head.insert(head.end(), s.columns.begin(), s.columns.end());
        EXPECT_TRUE(HasLineWith(text, Q(head))) << s.title;
        for (std::size_t i = 0; i < s.captions.size(); ++i) {
            std::vector<std::string> values;
            for (const std::string& v : s.cells[i])
                if (!v.empty()) values.push_back(v);
            std::vector<std::string> row = {s.captions[i]};
            row.insert(row.end(), values.begin(), values.end());
            // a caption too long for its column wraps: then its values stand on a line of their own
            EXPECT_TRUE(HasLineWith(text, Q(row)) || (text.contains(QString::fromStdString(s.captions[i]).section(' ', 0, 1)) &&
                                                   HasLineWith(text, Q(values))))
                << s.title << ": " << s.captions[i];
            ++rows;
        }
    }
    EXPECT_EQ(rows, 8 + 13) << r.out;  // the inputs, then every result row
    // the inputs and two results, for the case that they were lost above
    EXPECT_TRUE(HasLineWith(text, {"Directivity", "20 dB"}));
    EXPECT_TRUE(HasLineWith(text, {"Power to Match", "70.09 dBm"}));          // 10200 W
    EXPECT_TRUE(HasLineWith(text, {"Absorbed Power", "68.79 dBm", "72.33 %"}));  // 7574.26 W; 5478.71 / 7574.26
    // the sweep chart: nothing is known of the line, so it runs over the round-trip phase
    EXPECT_TRUE(text.contains(QString::fromUtf8("Round-trip phase change (°)"))) << text.toStdString();
    EXPECT_TRUE(text.contains("Power (dBm)"));
    // Gs Gl at 0 + 90 degrees: the maximum a quarter turn on, the minimum three quarters
    EXPECT_TRUE(text.contains(QString::fromUtf8("Line Sweep over the round-trip phase: add 90° for the maximum, 270° for the minimum")))
        << text.toStdString();
}

TEST(Report, ThatCannotBeWrittenIsBadUsage)
{
    const TRun r = RunCalc({"--report", "/no/such/folder/case.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "merivane-calc: Unable to write to /no/such/folder/case.pdf\n");
    EXPECT_EQ(r.out, "");
}

TEST(Report, NeverReplacesAPipe)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("case.pdf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const TRun r = RunCalc({"--report", pipe});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "merivane-calc: Unable to write to " + pipe.toStdString() + "\n");
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is still a pipe";
}

}  // namespace

namespace {

// With the line given, the report's chart runs over the added length, and its
// summary names the line and the lengths to add: lg / 8 and 3 lg / 8 for the
// 90 degrees of Gs Gl, lg = 173.38 mm (WR340 at 2450 MHz).
TEST(Report, WithALineChartsOverTheAddedLength)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("line.pdf");
    const TRun r = RunCalc({"--report", pdf, "--line", "WR340", "--length", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QString text = PdfToText(pdf);
    EXPECT_TRUE(text.contains("Added length (mm)")) << text.toStdString();
    EXPECT_FALSE(text.contains("Round-trip phase change"));
    // the summary wraps within the page: one space for any line break
    EXPECT_TRUE(text.simplified().contains(QString::fromUtf8("add 21.67 mm for the maximum, 65.02 mm for the minimum")))
        << text.toStdString();
}

}  // namespace
