// SPDX-License-Identifier: GPL-3.0-or-later
// Export and report out of the window: Ctrl+E writes CSV or JSON by the file
// name's ending, Ctrl+P the one-page PDF report and offers to print it; a page
// of its own adds rows and a chart.
#include "ResultActionsFixture.h"

#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

TEST_F(ResultActionsTest, ExportWritesCsvOrJsonByTheNamesEnding)
{
    ShowWithDialogs();
    EXPECT_EQ(S(Actions().Folder()), S(Home()));
    QDir().mkpath(Temp("out"));

    dialogs->path = Temp("out/case.csv");
    QTest::keyClick(Find<QWidget>("bEvaluate"), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(dialogs->starts.size(), 1u);
    EXPECT_EQ(S(dialogs->starts[0]), S(Home() + "/Merivane.csv"));  // the home folder first
    QFile csv(Temp("out/case.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n');
    ASSERT_EQ(rows.size(), 3);  // header, row, and the empty rest after the last line end
    EXPECT_TRUE(rows[0].startsWith("va,ia,eff,source,load,directivity,Va,Ia,Eff,SrcRfl.Mag,")) << S(rows[0]);
    EXPECT_TRUE(rows[0].contains(",\"Incident Power, Actual Value\","));
    EXPECT_TRUE(rows[1].startsWith("4000,3,85,0.2@0,0.5@90,,4000,3,0.85,0.2,0,")) << S(rows[1]);
    EXPECT_TRUE(rows[1].contains(",10200,")) << S(rows[1]);  // Pmatch
    EXPECT_TRUE(rows[1].contains(",10.1 kW,"));

    // no ending: the chosen filter gives it; and the dialog opens where it was last
    dialogs->path = Temp("out/case");
    dialogs->filter = QStringLiteral("JSON (*.json)");
    Actions().ExportAction()->trigger();
    EXPECT_EQ(S(dialogs->starts[1]), S(Temp("out") + "/Merivane.csv"));
    QFile json(Temp("out/case.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    const QJsonObject doc = QJsonDocument::fromJson(json.readAll()).object();
    EXPECT_EQ(doc.value("results").toObject().value("Pav").toDouble(), 10625);
    EXPECT_EQ(doc.value("results").toObject().value("CplIdeal").toBool(), true);
    EXPECT_EQ(S(doc.value("display").toObject().value("Absorbed Power, Min Value").toString()), "6.32 kW");
    EXPECT_EQ(S(doc.value("inputs").toObject().value("load").toString()), "0.5@90");

    // another ending: said, nothing written
    prompter->errorsExpected = true;
    dialogs->path = Temp("out/case.txt");
    Actions().ExportAction()->trigger();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(S(prompter->errors[0]),
              "Export writes CSV or JSON: choose a file name ending in .csv or .json, not case.txt.");
    EXPECT_FALSE(QFile::exists(Temp("out/case.txt")));

    // cancelled: nothing at all
    dialogs->path.clear();
    Actions().ExportAction()->trigger();
    EXPECT_EQ(prompter->errors.size(), 1u);
}

TEST_F(ResultActionsTest, AnExportThatCannotBeWrittenSaysSo)
{
    ShowWithDialogs();
    prompter->errorsExpected = true;
    dialogs->path = Temp("missing/folder/case.json");
    Actions().ExportAction()->trigger();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(S(prompter->errors[0]), S("Unable to write to " + Temp("missing/folder/case.json") + "."));
    EXPECT_EQ(S(prompter->errorCaptions[0]), "Merivane");
}

// What stands at the chosen path and is not a regular file is never replaced:
// a pipe, or a link to a (private) device, stays as it is and the save says so.
TEST_F(ResultActionsTest, ExportAndReportNeverReplaceAPipeOrADevice)
{
    ShowWithDialogs();
    prompter->errorsExpected = true;
    const QString pipe = Temp("pipe.csv"), node = Temp("null"), link = Temp("link.pdf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const bool haveNode = ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    ASSERT_TRUE(QFile::link(haveNode ? node : pipe, link));

    dialogs->path = pipe;
    Actions().ExportAction()->trigger();
    dialogs->path = link;
    Actions().ReportAction()->trigger();

    ASSERT_EQ(prompter->errors.size(), 2u);
    EXPECT_EQ(S(prompter->errors[0]), S("Unable to write to " + pipe + "."));
    EXPECT_EQ(S(prompter->errors[1]), S("Unable to write to " + link + "."));
    EXPECT_EQ(dialogs->offers, 0) << "no print offered for a report not written";
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat(QFile::encodeName(link).constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    if (haveNode) {
        ASSERT_EQ(::lstat(QFile::encodeName(node).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
}

TEST_F(ResultActionsTest, ReportsFirstPageHoldsTheInputsResultsAndLineSweep)
{
    ShowWithDialogs();
    Radio("rbDbm")->click();
    dialogs->path = Temp("report");  // no ending: ".pdf" is added
    QTest::keyClick(Find<QWidget>("bEvaluate"), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(dialogs->captions.size(), 1u);
    EXPECT_EQ(S(dialogs->captions[0]), "Report");
    EXPECT_EQ(S(dialogs->starts[0]), S(Home() + "/Merivane report.pdf"));
    ASSERT_TRUE(QFile::exists(Temp("report.pdf")));
    EXPECT_EQ(dialogs->offers, 1);

    // the tables and the Line Sweep on the first page, the Smith chart on the second
    const QStringList pages = PdfPages(PdfToText(Temp("report.pdf")));
    ASSERT_EQ(pages.size(), 2);
    const QString& text = pages[0];
    EXPECT_TRUE(text.contains("Power Transmission Report"));
    EXPECT_TRUE(text.contains("Merivane " MERIVANE_VERSION_TEXT));
    EXPECT_TRUE(text.contains(QDate::currentDate().toString(Qt::ISODate)));
    for (const char* title : {"Inputs", "Magnetron Output", "Source Reflection", "Load Reflection", "Transmission",
                              "Power Meas", "Load Meas"})
        EXPECT_TRUE(text.contains(title)) << title;
    EXPECT_TRUE(HasLineWith(text, {"Anode V", "4000 V"})) << S(text);
    EXPECT_TRUE(HasLineWith(text, {"Load Magnitude", "0.5 Mag"}));
    EXPECT_TRUE(HasLineWith(text, {"Directivity", "Ideal"}));
    // 10200 W is 70.09 dBm; the incident power 10099.01 W (8429.75 .. 12592.59) 70.04 (69.26 .. 71) dBm
    EXPECT_TRUE(HasLineWith(text, {"Power to Match", "70.09 dBm"}));
    EXPECT_TRUE(HasLineWith(text, {"Transmission", "Actual Value", "Min Value", "Max Value"}));
    EXPECT_TRUE(HasLineWith(text, {"Incident Power", "70.04 dBm", "69.26 dBm", "71 dBm"}));
    EXPECT_TRUE(HasLineWith(text, {"Interference Factor", "0.99", "0.826", "1.235"}));
    // the Line Sweep chart below the tables: over the added length of the line, in the power unit
    EXPECT_TRUE(text.contains(QString::fromUtf8("Added length (mm)"))) << S(text);
    // and above it what the chart alone cannot say: lg = 173.38 mm, Gs Gl at 90 degrees reaches 0 after lg/8
    EXPECT_TRUE(HasLineWith(text, {"Line Sweep: WR340 at 2450 MHz", QString::fromUtf8("λg = 173.38 mm"),
                                   "add 21.67 mm for the maximum"}))
        << S(text);
    EXPECT_TRUE(text.contains("Power (dBm)")) << S(text);
    // and the absorbed power for a random line phase: mean 7727.27 W = 68.88 dBm,
    // deviation 1098.31 W (in W or kW whatever the unit), 95 % from 6325.54 W
    // (68.01 dBm) to 9437.26 W (69.75 dBm)
    EXPECT_TRUE(HasLineWith(text, {"Random phase", "mean 68.88 dBm", "deviation 1.1 kW", "95 % interval",
                                   "68.01 .. 69.75 dBm"}))
        << S(text);
}

TEST_F(ResultActionsTest, ReportCanBePrintedAsWell)
{
    ShowWithDialogs();
    dialogs->path = Temp("r.pdf");
    dialogs->print = true;
    dialogs->printTo = Temp("printed.pdf");
    Actions().ReportAction()->trigger();
    ASSERT_TRUE(QFile::exists(Temp("printed.pdf")));
    const QString text = PdfToText(Temp("printed.pdf"));
    EXPECT_EQ(PdfPages(text).size(), 2);
    EXPECT_TRUE(HasLineWith(text, {"Incident Power", "10.1 kW", "8.43 kW", "12.59 kW"}));

    // the print dialog cancelled: nothing printed
    dialogs->printTo.clear();
    QFile::remove(Temp("printed.pdf"));
    Actions().ReportAction()->trigger();
    EXPECT_EQ(dialogs->offers, 2);
    EXPECT_FALSE(QFile::exists(Temp("printed.pdf")));
}

TEST_F(ResultActionsTest, APageOfItsOwnAddsRowsAndTheReportsChart)
{
    ShowWithDialogs();
    Actions().SetExtraRegion([] {
        return merivane::present::TExtraRegion{"Sweep", {{"Absorbed Power at 0 deg", "7.57 kW"}}};
    });
    QRectF chartArea;
    Actions().SetChartPainter([&](QPainter& p, const QRectF& area) {
        chartArea = area;
        p.drawText(area, Qt::AlignCenter, QStringLiteral("Chart of the sweep"));
    });

    Actions().CopyResultsAction()->trigger();
    EXPECT_TRUE(Clip().endsWith("\n\nSweep\nAbsorbed Power at 0 deg\t7.57 kW\n")) << S(Clip());

    dialogs->path = Temp("sweep.json");
    Actions().ExportAction()->trigger();
    QFile json(Temp("sweep.json"));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly));
    EXPECT_EQ(S(QJsonDocument::fromJson(json.readAll()).object().value("display").toObject().value("Absorbed Power at 0 deg").toString()),
              "7.57 kW");

    // the report shows that page by its chart, below the window's pages
    dialogs->path = Temp("sweep.pdf");
    Actions().ReportAction()->trigger();
    const QString text = PdfToText(Temp("sweep.pdf"));
    EXPECT_TRUE(text.contains("Chart of the sweep"));
    EXPECT_FALSE(text.contains("Absorbed Power at 0 deg"));
    EXPECT_TRUE(HasLineWith(text, {"Incident Power", "10.1 kW", "8.43 kW", "12.59 kW"}));
    // the chart has the page below the tables, inside the margins of the A4 page (points)
    EXPECT_NEAR(chartArea.left(), 48, 0.01);
    EXPECT_NEAR(chartArea.right(), 595.28 - 48, 0.01);
    EXPECT_NEAR(chartArea.bottom(), 841.89 - 48, 0.01);
    EXPECT_GT(chartArea.top(), 400);
    EXPECT_GT(chartArea.height(), 150);
}

TEST_F(ResultActionsTest, ATallReportFlowsOntoMorePages)
{
    TReport report;
    report.version = QStringLiteral("2.0.5.1");
    report.when = QDateTime(QDate(2026, 12, 9), QTime(14, 3));
    merivane::present::TSection list{"Sweep", {}, {}};
    for (int deg = -180; deg <= 180; deg += 5)  // 73 rows, more than a page holds
        list.rows.push_back({"Absorbed Power at " + std::to_string(deg) + " deg",
                             {merivane::present::TValue{std::to_string(7000 + deg), "W"}}});
    report.sections = {list};
    QRectF chartArea;
    report.chart = [&](QPainter&, const QRectF& area) { chartArea = area; };
    ASSERT_TRUE(WriteReportPdf(Temp("tall.pdf"), report));
    const QString text = PdfToText(Temp("tall.pdf"));
    EXPECT_GE(text.count(QLatin1Char('\f')), 2);
    EXPECT_TRUE(text.contains("2026-12-09 14:03"));
    EXPECT_TRUE(text.contains("Sweep (continued)"));
    EXPECT_TRUE(HasLineWith(text, {"Absorbed Power at -180 deg", "6820 W"}));
    EXPECT_TRUE(HasLineWith(text, {"Absorbed Power at 180 deg", "7180 W"}));
    EXPECT_GE(chartArea.height(), 200 - 0.01);  // the chart keeps its least height, inside the margins
    EXPECT_LE(chartArea.bottom(), 841.89 - 48 + 0.01);
}

TEST_F(ResultActionsTest, TheHelpDescribesTheFourActions)
{
    QFile help(QCoreApplication::applicationDirPath() + "/MerivaneHelp.html");
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(help.readAll());
    for (const char* s : {"name=\"results-out\"", "Copy Value", "Copy Results", "Export", "Report", "Ctrl+Shift+C",
                          "Ctrl+C", "Ctrl+E", "Ctrl+P", "merivane-calc",
                          "Open Case", "Save Case", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(s))) << s;
    // each says that the Line Sweep page goes with it
    const QString out = html.section(QStringLiteral("name=\"results-out\""), 1);
    EXPECT_EQ(out.count(QStringLiteral("Line Sweep")), 3) << "copy, export and report";
    // no preformatted block: at a large scale it would run off the window
    EXPECT_FALSE(html.contains(QStringLiteral("<pre")));
}

}  // namespace
