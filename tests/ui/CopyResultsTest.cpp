// SPDX-License-Identifier: GPL-3.0-or-later
// Copying out of the window: Ctrl+C and the context menu copy the case, a
// right-click on a cell or Ctrl+Shift+C copies its value, and in an input field
// Ctrl+C stays the field's own.
#include "ResultActionsFixture.h"
#include "RowNames.h"

#include <QTabBar>

namespace {

const QStringList kCopyLines = {
    "Inputs", "Anode V", "Anode I", "Efficiency", "Source Magnitude", "Source Phase", "Load Magnitude", "Load Phase",
    "Directivity", "", "Magnetron Output", "Power to Match", "(Available Power)", "", "Source Reflection", "Mismatch",
    "", "Load Reflection", "Mismatch", "", "Transmission", "Interference Factor", "Transducer Gain", "Incident Power",
    "Reflected Power", "Absorbed Power", "", "Power Meas", "Incident Power", "Reflected Power", "Absorbed Power", "",
    "Load Meas", "Load Reflection Coefficient Magnitude", "", "Line Sweep", "Frequency", "Line Type", "Waveguide Width",
    "Velocity Factor", "Line Length", "Frequency Span", "Guide Wavelength", "Length per Period", "Add for Maximum",
    "Add for Minimum", "Phase Spread", "Mean Absorbed Power", "Absorbed Power Deviation", "Absorbed Power 95 % Interval",
    ""};

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
    // the Line Sweep page: WR340 at 2450 MHz, lg = 173.38 mm; Gs Gl at 90 degrees reaches 0 after lg/8
    // and 180 after 3 lg/8; with r = 0.1 the mean absorbed power is 7650 W / (1 - r^2)
    EXPECT_TRUE(lines.contains("Line Type\tWR340"));
    EXPECT_TRUE(lines.contains("Frequency Span\t\u00b10 MHz"));
    EXPECT_TRUE(lines.contains("Guide Wavelength\t173.38 mm"));
    EXPECT_TRUE(lines.contains("Add for Maximum\t21.67 mm"));
    EXPECT_TRUE(lines.contains("Add for Minimum\t65.02 mm"));
    EXPECT_TRUE(lines.contains("Mean Absorbed Power\t7.73 kW"));
    EXPECT_TRUE(lines.contains("Absorbed Power 95 % Interval\t6.33 .. 9.44 kW"));
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

// A click on a result cell or on a tab leaves the field typed into: its cycle
// runs once, as the FocusOut of any other move would run it, and Ctrl+C then
// copies the case, not the field's text.
class CountFocusOut final : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::FocusOut;
        return false;
    }
};

struct AwayClick {
    const char* name;
    bool tab;  // a tab of the results, else a result cell
};

class ClickAwayFromAField : public ResultActionsTest, public ::testing::WithParamInterface<AwayClick> {};

TEST_P(ClickAwayFromAField, TakesTheFocusAndCtrlCCopiesTheCase)
{
    ShowWithDialogs();
    QLineEdit* e = Edit("edAnodeV");
    e->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, QStringLiteral("5000"));
    e->selectAll();
    CountFocusOut outs;
    e->installEventFilter(&outs);
    if (GetParam().tab) {
        QTabBar* bar = Find<QTabWidget>("pcResults")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    } else {
        QTest::mouseClick(Label("lbPmatch2")->parentWidget(), Qt::LeftButton, {}, QPoint(3, 3));
    }
    e->removeEventFilter(&outs);
    EXPECT_FALSE(e->hasFocus());
    EXPECT_EQ(outs.count, 1);
    // the cycle of leaving the field has run: 5000 V * 3 A * 0.85
    EXPECT_NEAR(Model().Pmatch, 12750, 1e-9);
    EXPECT_EQ(S(Text("lbPmatch2")), "12.75");
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = Lines(Clip());
    EXPECT_TRUE(lines.contains("Anode V\t5000\tV")) << S(Clip());
    EXPECT_TRUE(lines.contains("Power to Match\t12.75\tkW")) << S(Clip());
}

INSTANTIATE_TEST_SUITE_P(
    Focus, ClickAwayFromAField,
    ::testing::Values(AwayClick{"result_cell", false}, AwayClick{"tab", true}),
    ROW_NAMES(std::string(r.name)));

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
    QStringList expected = {"Copy Results|Ctrl+C",
                            "-",
                            QStringLiteral("Open Case\u2026|Ctrl+O"),
                            "Save Case|Ctrl+S",
                            QStringLiteral("Save Case As\u2026|Ctrl+Shift+S"),
                            QStringLiteral("Open Measured Load\u2026|Ctrl+Shift+O"),
                            "-",
                            QStringLiteral("Export\u2026|Ctrl+E"),
                            QStringLiteral("Report\u2026|Ctrl+P"),
                            "-",
                            "Workbench|Ctrl+B",
                            "-",
                            "Undo|Ctrl+Z",
                            "Redo|Ctrl+Shift+Z"};
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

// The menu without a mouse: Shift+F10 or the Menu key on the control with the focus.
struct MenuKey {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

class MenuFromTheKeyboard : public ResultActionsTest, public ::testing::WithParamInterface<MenuKey> {};

TEST_P(MenuFromTheKeyboard, OpensTheWindowsMenu)
{
    ShowWithDialogs();
    QWidget* radio = Find<QWidget>("rbDbm");
    radio->setFocus(Qt::TabFocusReason);
    QStringList items;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* a : menu->actions())
                if (!a->isSeparator()) items << a->text();
            menu->close();
        }
    });
    QTest::keyClick(radio, GetParam().key, GetParam().modifiers);
    QTest::qWait(20);
    EXPECT_EQ(S(items.join(" / ")), S(QStringLiteral("Copy Results / Open Case\u2026 / Save Case / Save Case As\u2026 / Open Measured Load\u2026 / Export\u2026 / "
                                                     "Report\u2026 / Workbench / Undo / Redo")));
}

INSTANTIATE_TEST_SUITE_P(Keys, MenuFromTheKeyboard,
                         ::testing::Values(MenuKey{"shift_f10", Qt::Key_F10, Qt::ShiftModifier},
                                           MenuKey{"menu_key", Qt::Key_Menu, Qt::NoModifier}),
                         ROW_NAMES(std::string(r.name)));

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

}  // namespace
