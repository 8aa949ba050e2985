// SPDX-License-Identifier: GPL-3.0-or-later
// Results out of the window: Ctrl+C and the context menu copy the case, a
// right-click on a cell copies its value, Ctrl+S exports, Ctrl+P makes the
// PDF report and offers to print it.
#include "PdfText.h"
#include "ResultActions.h"
#include "ResultDialogs.h"
#include "RowNames.h"
#include "WindowFixture.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTimer>

#include <functional>

namespace {

// Answers the file, print question and print dialogs, and records how they
// were opened.
class TFakeDialogs final : public IResultDialogs {
public:
    QString path;          // the file chosen; empty: cancelled
    QString filter;        // the filter chosen
    bool print = false;    // the answer to "Print it as well?"
    QString printTo;       // the PDF the printer writes; empty: the print dialog is cancelled
    std::vector<QString> starts, captions;
    int offers = 0;

    QString SaveFile(QWidget*, const QString& caption, const QString& startPath, const QString&, QString* selected) override
    {
        captions.push_back(caption);
        starts.push_back(startPath);
        if (selected) *selected = filter;
        return path;
    }
    bool OfferPrint(QWidget*, const QString&) override
    {
        ++offers;
        return print;
    }
    bool SetUpPrinter(QWidget*, QPrinter& printer) override
    {
        if (printTo.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
};

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n')); }

class ResultActionsTest : public WindowTest {
protected:
    TResultActions& Actions() { return *w->ResultActions(); }
    void ShowWithDialogs()
    {
        Show();
        dialogs = std::make_shared<TFakeDialogs>();
        Actions().SetDialogs(dialogs);
        QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
    }
    QString Clip() const { return QGuiApplication::clipboard()->text(); }
    QString Temp(const QString& name) const { return tmp_.filePath(name); }

    // Right-clicks the control and returns the texts and shortcuts of the
    // menu that opens; `inMenu` runs while it is open.
    QStringList OpenMenu(QWidget* control, const std::function<void(QMenu*)>& inMenu = {})
    {
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (const QAction* a : menu->actions())
                items << (a->isSeparator() ? QStringLiteral("-")
                                           : a->text() + QLatin1Char('|') + a->shortcut().toString());
            if (inMenu) inMenu(menu);
            menu->close();
        });
        const QPoint at = control->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
        QApplication::sendEvent(control, &event);
        QTest::qWait(20);  // a field's menu pops up without a loop of its own
        return items;
    }

    std::shared_ptr<TFakeDialogs> dialogs;

private:
    QTemporaryDir tmp_;
};

// The first cell of every line the copy has, in order, for the window's
// defaults.
const QStringList kCopyLines = {
    "Inputs", "Anode V", "Anode I", "Efficiency", "Source Magnitude", "Source Phase", "Load Magnitude", "Load Phase",
    "Directivity", "", "Magnetron Output", "Power to Match", "(Available Power)", "", "Source Reflection", "Mismatch",
    "", "Load Reflection", "Mismatch", "", "Transmission", "Interference Factor", "Transducer Gain", "Incident Power",
    "Reflected Power", "Absorbed Power", "", "Power Meas", "Incident Power", "Reflected Power", "Absorbed Power", "",
    "Load Meas", "Load Reflection Coefficient Magnitude", ""};

QStringList FirstCells(const QString& tsv)
{
    QStringList out;
    for (const QString& line : Lines(tsv)) out << line.section(QLatin1Char('\t'), 0, 0);
    return out;
}

class CtrlCAwayFromTheFields : public ResultActionsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(CtrlCAwayFromTheFields, CopiesTheWholeCaseAsTextAndHtml)
{
    ShowWithDialogs();
    QWidget* control = Find<QWidget>(GetParam());
    control->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
    const QString tsv = Clip();
    EXPECT_EQ(FirstCells(tsv), kCopyLines) << S(tsv);
    const QStringList lines = Lines(tsv);
    EXPECT_TRUE(lines.contains("Anode V\t4000\tV"));
    EXPECT_TRUE(lines.contains("Source Magnitude\t0.2\tMag"));
    EXPECT_TRUE(lines.contains("Directivity\tIdeal"));
    EXPECT_TRUE(lines.contains("Transmission\tActual Value\t\tMin Value\t\tMax Value"));
    EXPECT_TRUE(lines.contains("Incident Power\t10.1\tkW\t8.43\tkW\t12.59\tkW"));  // 10099.01 (8429.75 .. 12592.59) W
    EXPECT_TRUE(lines.contains("Absorbed Power\t7.57\tkW\t7.57\tkW\t7.57\tkW\t0\tW\t0\tW"));  // ideal couplers
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime->hasHtml());
    EXPECT_TRUE(mime->html().contains("<td>Incident Power</td><td align=\"right\">10.1</td><td>kW</td>"));
}

INSTANTIATE_TEST_SUITE_P(Focus, CtrlCAwayFromTheFields, ::testing::Values("bEvaluate", "cbSrcRfl", "chIdeal", "rbDbm"),
                         ROW_NAMES(std::string(r)));

TEST_F(ResultActionsTest, CtrlCInAFieldCopiesItsSelectedText)
{
    ShowWithDialogs();
    QLineEdit* e = Edit("edAnodeI");
    e->setFocus(Qt::TabFocusReason);
    e->setText(QStringLiteral("2.5"));
    e->selectAll();
    QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(S(Clip()), "2.5");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml());
}

TEST_F(ResultActionsTest, ACopyFirstReadsAFieldTypedButNotLeft)
{
    ShowWithDialogs();
    QLineEdit* e = Edit("edAnodeV");
    e->setFocus(Qt::TabFocusReason);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, QStringLiteral("5000"));
    Actions().CopyResultsAction()->trigger();
    const QStringList lines = Lines(Clip());
    EXPECT_TRUE(lines.contains("Anode V\t5000\tV"));
    EXPECT_TRUE(lines.contains("Power to Match\t12.75\tkW")) << S(Clip());  // 5000 V * 3 A * 0.85
    EXPECT_EQ(S(Text("lbPmatch2")), "12.75");  // the window shows the same
    // nothing typed since: a second copy reads nothing again
    Edit("edSrcPha")->setText(QStringLiteral("47"));
    Actions().CopyResultsAction()->trigger();
    EXPECT_TRUE(Lines(Clip()).contains("Source Phase\t0\tdeg"));
}

struct CellClick {
    const char* control;  // what is right-clicked
    int page;             // the result page shown
    const char* value;    // what "Copy Value" copies; nullptr: not offered
};

class RightClick : public ResultActionsTest, public ::testing::WithParamInterface<CellClick> {};

TEST_P(RightClick, OffersCopyValueOnACellAndTheShortcutsEverywhere)
{
    ShowWithDialogs();
    Find<QTabWidget>("pcResults")->setCurrentIndex(GetParam().page);
    QString copied;
    const QStringList items = OpenMenu(Find<QWidget>(GetParam().control), [&](QMenu* menu) {
        if (menu->actions().front()->text() == QStringLiteral("Copy Value")) {
            menu->actions().front()->trigger();
            copied = Clip();
        }
    });
    QStringList expected = {"Copy Results|Ctrl+C", "-", QStringLiteral("Export\u2026|Ctrl+S"),
                            QStringLiteral("Report\u2026|Ctrl+P")};
    if (GetParam().value) expected.prepend("Copy Value|Ctrl+Shift+C");
    EXPECT_EQ(S(items.join(" / ")), S(expected.join(" / ")));
    if (GetParam().value) {
        EXPECT_EQ(S(copied), GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, RightClick,
                         ::testing::Values(CellClick{"lbPinc2", 0, "10.1 kW"}, CellClick{"Panel11", 0, "10.2 kW"},
                                           CellClick{"lbIntMax2", 0, "1.235"}, CellClick{"lbSrcMism2", 0, "0.96 Mag"},
                                           CellClick{"lbPloadMaxE", 1, "0 W"}, CellClick{"lbMagMax", 2, "0.5 Mag"},
                                           CellClick{"gbMgInput", 0, nullptr}, CellClick{"bEvaluate", 0, nullptr},
                                           CellClick{"lbAnodeV", 0, nullptr}, CellClick{"gbErrUnit", 1, nullptr}),
                         ROW_NAMES(std::string(r.control)));

TEST_F(ResultActionsTest, RightClickInAFieldKeepsItsOwnTextMenu)
{
    ShowWithDialogs();
    const QStringList items = OpenMenu(Edit("edLoaPha"));
    ASSERT_FALSE(items.isEmpty());
    EXPECT_FALSE(items.join(' ').contains("Copy Results"));
    EXPECT_TRUE(items.join(' ').contains("Select All")) << S(items.join(' '));
}

TEST_F(ResultActionsTest, CopyValueShortcutTakesTheCellUnderThePointer)
{
    ShowWithDialogs();
    Find<QWidget>("bEvaluate")->setFocus(Qt::TabFocusReason);
    QWidget* cell = Find<QWidget>("Panel1");  // (Available Power)
    QCursor::setPos(cell->mapToGlobal(cell->rect().center()));
    QTest::keyClick(Find<QWidget>("bEvaluate"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(S(Clip()), "10.63 kW");  // 10625 W
    QCursor::setPos(w->mapToGlobal(Find<QWidget>("gbMgInput")->geometry().center()));
    QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
    QTest::keyClick(Find<QWidget>("bEvaluate"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(S(Clip()), "sentinel");  // no cell there: nothing copied
}

TEST_F(ResultActionsTest, ExportWritesCsvOrJsonByTheNamesEnding)
{
    ShowWithDialogs();
    EXPECT_EQ(S(Actions().Folder()), S(Home()));
    QDir().mkpath(Temp("out"));

    dialogs->path = Temp("out/case.csv");
    QTest::keyClick(Find<QWidget>("bEvaluate"), Qt::Key_S, Qt::ControlModifier);
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

TEST_F(ResultActionsTest, ReportIsOnePdfPageWithTheInputsAndResults)
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

    const QString text = PdfToText(Temp("report.pdf"));
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1) << "one page";
    EXPECT_TRUE(text.contains("Power Transmission Report"));
    EXPECT_TRUE(text.contains("Merivane 2.0.5.1"));
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
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1);
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

TEST_F(ResultActionsTest, ATallReportIsDrawnSmallerOnItsOnePage)
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
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1);
    EXPECT_TRUE(text.contains("2026-12-09 14:03"));
    EXPECT_TRUE(HasLineWith(text, {"Absorbed Power at -180 deg", "6820 W"}));
    EXPECT_TRUE(HasLineWith(text, {"Absorbed Power at 180 deg", "7180 W"}));
    EXPECT_GE(chartArea.height(), 200 - 0.01);  // the chart keeps its least height
    EXPECT_NEAR(chartArea.bottom(), 841.89 - 48, 0.01);
}

TEST_F(ResultActionsTest, TheHelpDescribesTheFourActions)
{
    QFile help(QCoreApplication::applicationDirPath() + "/MerivaneHelp.html");
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(help.readAll());
    for (const char* s : {"name=\"results-out\"", "Copy Value", "Copy Results", "Export", "Report", "Ctrl+Shift+C",
                          "Ctrl+C", "Ctrl+S", "Ctrl+P", "merivane-calc"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(s))) << s;
}

}  // namespace
