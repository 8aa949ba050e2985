// Guidance in the window: a tooltip on every control that screen readers get
// too, a note and a mark on an entry not taken as typed, and F1 at the
// section of the control in question.
#include "EntryMark.h"
#include "RowNames.h"
#include "WindowFixture.h"

#include <QCursor>

namespace {

class Tooltips : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Tooltips, EveryControlExplainsItselfToEyesAndEars)
{
    Create();
    QWidget* c = Find<QWidget>(GetParam());
    ASSERT_NE(c, nullptr);
    EXPECT_GT(c->toolTip().size(), 20) << GetParam();
    EXPECT_EQ(S(c->accessibleDescription()), S(c->toolTip())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Tooltips,
    ::testing::Values(
        // input fields
        "edAnodeV", "edAnodeI", "edEffic", "edSrcMag", "edSrcPha", "edLoaMag", "edLoaPha", "edDire",
        // lists and the check box
        "cbSrcRfl", "cbSrcMism", "cbLoaRfl", "cbLoaMism", "cbMeaRfl", "chIdeal",
        // radio groups and their buttons
        "gbPunit", "rbWatt", "rbDbm", "rbDbW", "rbDbkW", "gbTransUnit", "rbMagTr", "rbPercTr", "rbDbTr", "gbErrUnit",
        "rbPower", "rbPerc", "rbDb",
        // row captions
        "lbPmatch1", "lbAvailPow1", "lbSrcMism1", "lbLoaMism1", "lbInterf1", "lbTrGain1", "lbPinc1", "lbPrefl1",
        "lbPload1", "lbPinc3", "lbPrefl3", "lbPload3", "Label32",
        // a result cell shares its row's text
        "Panel15", "Panel33", "paMagMaxE"),
    ROW_NAMES(std::string(r)));

TEST_F(WindowTest, TheButtonsKeepTheirOwnTooltipsAndCellsTheirRows)
{
    Create();
    EXPECT_EQ(S(Find<QPushButton>("bEvaluate")->toolTip()), "Compute results based on the current inputs");
    EXPECT_EQ(S(Find<QPushButton>("bHelp")->toolTip()), "Open Help file");
    EXPECT_EQ(S(Find<QPushButton>("Button1")->toolTip()), "Terminate program execution");
    EXPECT_EQ(Find<QWidget>("Panel16")->toolTip(), Label("lbInterf1")->toolTip());
    EXPECT_TRUE(Label("lbInterf1")->toolTip().startsWith("Interference factor 1/|1 − Γs·Γl|²"));
    EXPECT_EQ(Label("lbAnodeV")->toolTip(), Edit("edAnodeV")->toolTip());  // a caption explains its field
}

struct EntryCase {
    const char* field;
    int representation;  // of the reflection lists; -1 for other fields
    const char* typed;
    const char* note;  // the first line of the tooltip; "" when taken as typed
};

class EntryNotesInTheWindow : public WindowTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryNotesInTheWindow, TheTooltipStartsWithTheNoteAndTheFieldIsMarked)
{
    const EntryCase& c = GetParam();
    Show();
    Find<QCheckBox>("chIdeal")->setChecked(false);
    const QString base = Edit(c.field)->toolTip();
    if (c.representation >= 0) Choose(c.field == std::string("edSrcMag") ? "cbSrcRfl" : "cbLoaRfl", c.representation);
    TypeAndLeave(c.field, QString::fromUtf8(c.typed));
    QLineEdit* e = Edit(c.field);
    const QString tip = e->toolTip();
    if (std::string(c.note).empty()) {
        EXPECT_EQ(tip, base);
        EXPECT_FALSE(HasEntryMark(e));
    } else {
        EXPECT_EQ(S(tip.section(QLatin1Char('\n'), 0, 0)), c.note);
        EXPECT_EQ(tip.section(QLatin1Char('\n'), 1), base);  // then the usual text
        EXPECT_TRUE(HasEntryMark(e));
        EXPECT_NE(e->palette().color(QPalette::Dark), QApplication::palette(e).color(QPalette::Dark));
    }
    EXPECT_EQ(e->palette().color(QPalette::Base), QColor(Qt::yellow));  // the field keeps its colour
    EXPECT_EQ(e->accessibleDescription(), tip);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryNotesInTheWindow,
    ::testing::Values(EntryCase{"edAnodeV", -1, "1,500", "“1,500” is not a whole number of volts: 4000 V kept."},
                      EntryCase{"edAnodeV", -1, "1500", ""},
                      EntryCase{"edAnodeI", -1, "300 mA", "“300 mA” was read as 0.3 A."},
                      EntryCase{"edAnodeI", -1, "2 kA", "“2 kA” is above 1000 A: 1000 A in force."},
                      // the spinners' steps and ends no longer change what is in force: no note
                      EntryCase{"edEffic", -1, "85.5", ""}, EntryCase{"edSrcPha", -1, "47", ""},
                      EntryCase{"edLoaPha", -1, "270", "“270” is −90° (one turn less)"},
                      EntryCase{"edDire", -1, "120", ""},
                      EntryCase{"edLoaMag", 0, "3", "“3” is above 1: magnitude 0.5 kept. For an SWR, choose SWR in the list first."},
                      EntryCase{"edSrcMag", 1, "3", "“3” read as a return loss of 3 dB"},
                      EntryCase{"edLoaMag", 2, "0.5", "“0.5” is below 1: SWR 3 kept. For a magnitude, choose Mag in the list first."},
                      EntryCase{"edLoaMag", 1, "-20", ""}),
    ROW_NAMES(std::string(r.field) + "_" + r.typed));

// A note stays until the field's own next accepted entry: the cycles of other
// fields, the button and Tab through the field read its written-back text, which
// is not an entry.
TEST_F(WindowTest, TheNoteAndTheMarkGoWithTheNextAcceptedEntry)
{
    Show();
    const QString base = Edit("edAnodeV")->toolTip();
    TypeAndLeave("edAnodeV", "1,500");
    ASSERT_TRUE(HasEntryMark(Edit("edAnodeV")));
    const QString noted = Edit("edAnodeV")->toolTip();
    ASSERT_TRUE(noted.startsWith(QString::fromUtf8("“1,500” is not a whole number of volts: 4000 V kept.")));
    EXPECT_EQ(Model().Va, 4000);  // what is computed does not change

    TypeAndLeave("edAnodeI", "2");  // another field's entry and cycle
    QTest::mouseClick(Find<QPushButton>("bEvaluate"), Qt::LeftButton);
    Edit("edAnodeV")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Edit("edAnodeV"), Qt::Key_Tab);  // through the field, typing nothing
    EXPECT_TRUE(HasEntryMark(Edit("edAnodeV")));
    EXPECT_EQ(Edit("edAnodeV")->toolTip(), noted);
    EXPECT_EQ(Model().Ia, 2);

    TypeAndLeave("edAnodeV", "3000");  // its own accepted entry
    EXPECT_FALSE(HasEntryMark(Edit("edAnodeV")));
    EXPECT_EQ(Edit("edAnodeV")->palette().color(QPalette::Dark), QApplication::palette(Edit("edAnodeV")).color(QPalette::Dark));
    EXPECT_EQ(Edit("edAnodeV")->toolTip(), base);
    EXPECT_EQ(Model().Va, 3000);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no message box, ever
}

// A note says what a cycle did; it stays while another field's cycle leaves
// its value in force, and goes once a spinner's step puts another in force.
TEST_F(WindowTest, AWrappedPhasesNoteStaysUntilItsValueChanges)
{
    Show();
    const QString base = Edit("edSrcPha")->toolTip();
    TypeAndLeave("edSrcPha", "407");  // 47, one turn less
    ASSERT_TRUE(HasEntryMark(Edit("edSrcPha")));
    EXPECT_EQ(Model().SrcRfl.Pha, 47);
    TypeAndLeave("edAnodeI", "2");  // this cycle leaves the 47 in force
    EXPECT_EQ(Model().SrcRfl.Pha, 47);
    EXPECT_TRUE(HasEntryMark(Edit("edSrcPha")));
    Edit("edSrcPha")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Edit("edSrcPha"), Qt::Key_Up);  // from the spinner's 45 to 50
    EXPECT_EQ(Model().SrcRfl.Pha, 50);
    EXPECT_FALSE(HasEntryMark(Edit("edSrcPha")));
    EXPECT_EQ(Edit("edSrcPha")->toolTip(), base);
}

// A step of a field's spinner is an entry of that field: it takes the note away.
TEST_F(WindowTest, ASpinnerStepIsAnEntryOfItsField)
{
    Show();
    const QString base = Edit("edSrcPha")->toolTip();
    TypeAndLeave("edSrcPha", "abc");  // not a number: 0 kept
    ASSERT_TRUE(Edit("edSrcPha")->toolTip().startsWith(QString::fromUtf8("“abc” is not a number: 0° kept.")));
    TypeAndLeave("edAnodeI", "2");
    EXPECT_TRUE(HasEntryMark(Edit("edSrcPha"))) << "another field's cycle keeps it: 0 is still in force";
    Edit("edSrcPha")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Edit("edSrcPha"), Qt::Key_Up);  // 0 + 5
    EXPECT_EQ(Model().SrcRfl.Pha, 5);
    EXPECT_FALSE(HasEntryMark(Edit("edSrcPha")));
    EXPECT_EQ(Edit("edSrcPha")->toolTip(), base);
}

// The hint to choose another representation goes once one is chosen.
TEST_F(WindowTest, ChoosingARepresentationTakesTheReflectionsNoteAway)
{
    Show();
    TypeAndLeave("edLoaMag", "3");
    ASSERT_TRUE(Edit("edLoaMag")->toolTip().contains("For an SWR, choose SWR in the list first."));
    QComboBox* list = Find<QComboBox>("cbLoaRfl");
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down);  // dB
    QTest::keyClick(list, Qt::Key_Down);  // SWR
    ASSERT_EQ(list->currentIndex(), 2);
    EXPECT_FALSE(HasEntryMark(Edit("edLoaMag")));
    EXPECT_FALSE(Edit("edLoaMag")->toolTip().contains("choose SWR"));
    EXPECT_EQ(Model().LoaRfl.Mag, 0.5);  // what is computed does not change
}

// F1 opens the help at the section of the control with the focus.
TEST_F(WindowTest, F1OnThreeControlsOpensThreeSections)
{
    Show();
    const struct {
        const char* control;
        const char* topic;
    } cases[] = {{"edAnodeI", "magnetron-input"}, {"cbLoaMism", "load-reflection"}, {"rbDbm", "power-unit"},
                 {"chIdeal", "couplers"},         {"bEvaluate", "786"}};
    for (const auto& c : cases) {
        QWidget* control = Find<QWidget>(c.control);
        control->setFocus(Qt::OtherFocusReason);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == w.get(); }));
        QTest::keyClick(control, Qt::Key_F1);
        ASSERT_NE(w->HelpBrowser(), nullptr);
        EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), c.topic) << c.control;
        // the section exists in the document
        EXPECT_TRUE(w->HelpBrowser()->document()->toHtml().contains(QStringLiteral("name=\"%1\"").arg(c.topic)))
            << c.topic;
    }
    Find<QPushButton>("bHelp")->click();  // the button stays at the start
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), "786");
}

TEST_F(WindowTest, F1OverAResultCellOpensItsPage)
{
    Show();
    Find<QTabWidget>("pcResults")->setCurrentIndex(1);
    QWidget* cell = Find<QWidget>("Panel26");
    QCursor::setPos(cell->mapToGlobal(cell->rect().center()));
    ASSERT_EQ(QApplication::widgetAt(QCursor::pos())->window(), w.get());
    QTest::keyClick(Edit("edAnodeV"), Qt::Key_F1);  // the focus is elsewhere
    ASSERT_NE(w->HelpBrowser(), nullptr);
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), "power-meas");
    EXPECT_EQ(S(w->HelpTopicFor(Find<QWidget>("lbMagMaxE"))), "load-meas");
    EXPECT_EQ(S(w->HelpTopicFor(Find<QWidget>("rbPercTr"))), "transmission");
}

// A pointer left resting on a cell does not take F1 from the keyboard: after
// the focus moves, the control with the focus wins until the pointer moves.
TEST_F(WindowTest, F1AfterTheFocusMovesAnswersForTheFocus)
{
    Show();
    Find<QTabWidget>("pcResults")->setCurrentIndex(1);
    QWidget* cell = Find<QWidget>("Panel26");
    Find<QWidget>("bEvaluate")->setFocus(Qt::TabFocusReason);
    QCursor::setPos(cell->mapToGlobal(cell->rect().center()));
    QApplication::processEvents();
    Edit("edAnodeV")->setFocus(Qt::TabFocusReason);  // Tab, with the pointer still on the cell
    QApplication::processEvents();
    QTest::keyClick(Edit("edAnodeV"), Qt::Key_F1);
    ASSERT_NE(w->HelpBrowser(), nullptr);
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), S(w->HelpTopicFor(Edit("edAnodeV"))));
    EXPECT_NE(S(w->HelpBrowser()->source().fragment()), "power-meas");
    w->HelpBrowser()->window()->close();  // not in the way of the pointer
    w->activateWindow();
    QApplication::processEvents();
    QCursor::setPos(cell->mapToGlobal(cell->rect().center() + QPoint(2, 0)));  // the pointer moves on the cell
    QTest::keyClick(Edit("edAnodeV"), Qt::Key_F1);
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), "power-meas");
}

}  // namespace
