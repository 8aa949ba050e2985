// The window's layout, order of focus, captions and accessible names.
#include "WindowFixture.h"
#include "RowNames.h"
#include "Cells.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

struct Place {
    const char* name;
    int x, y, wd, h;
};

class GeometryTable : public WindowTest, public ::testing::WithParamInterface<Place> {};

TEST_P(GeometryTable, ControlsStandWhereTheLayoutPutsThem)
{
    const Place& p = GetParam();
    Create(false);
    QWidget* c = Find<QWidget>(p.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->geometry(), QRect(p.x, p.y, p.wd, p.h)) << p.name;
}

INSTANTIATE_TEST_SUITE_P(
    Layout, GeometryTable,
    ::testing::Values(Place{"gbMgInput", 4, 4, 149, 93}, Place{"gbSrcRho", 160, 4, 185, 93}, Place{"gbMgOutput", 352, 4, 189, 93},
                      Place{"gbCpl", 4, 104, 149, 93}, Place{"GroupBox4", 160, 104, 185, 93}, Place{"gbPunit", 352, 104, 81, 93},
                      Place{"bEvaluate", 466, 104, 75, 25}, Place{"bHelp", 466, 136, 75, 25}, Place{"Button1", 466, 168, 75, 25},
                      Place{"pcResults", 4, 204, 537, 169}, Place{"edAnodeV", 64, 16, 50, 21}, Place{"edEffic", 64, 64, 34, 21},
                      Place{"udEff", 98, 64, 16, 21}, Place{"edSrcMag", 68, 16, 53, 21}, Place{"udSrcPha", 105, 40, 16, 21},
                      Place{"cbSrcRfl", 124, 16, 53, 21}, Place{"Panel2", 68, 64, 53, 21}, Place{"Panel14", 68, 64, 53, 21},
                      Place{"Panel11", 100, 28, 82, 21}, Place{"chIdeal", 8, 20, 49, 17}, Place{"edDire", 60, 48, 45, 21},
                      Place{"udDire", 105, 48, 16, 21}, Place{"rbDbkW", 4, 68, 57, 17}, Place{"Panel35", 280, 116, 82, 21},
                      Place{"gbTransUnit", 368, 100, 161, 37}, Place{"Memo1", 368, -3, 161, 100},
                      Place{"Panel33", 448, 64, 82, 21}, Place{"gbErrUnit", 360, 96, 170, 41}, Place{"rbDb", 126, 16, 37, 17},
                      Place{"paMagMaxE", 360, 46, 70, 21}, Place{"cbMeaRfl", 436, 46, 67, 21}, Place{"lbPloadMaxV", 4, 4, 51, 13}),
    ROW_NAMES(std::string(r.name)));

TEST_F(WindowTest, ClientAreaCaptionAndFirstState)
{
    Create(false);
    EXPECT_EQ(S(w->windowTitle()), "Microwave Power Transmission Calculator");
    w->FormCreate();
    EXPECT_EQ(w->size(), QSize(545, 375));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());  // fixed: no resizing by dragging
    EXPECT_EQ(S(w->windowTitle()), "HALVIK Power Transmission Calculator V " MERIVANE_VERSION_TEXT);
    EXPECT_EQ(Find<QTabWidget>("pcResults")->currentIndex(), 0);
    Show();
    EXPECT_TRUE(Edit("edAnodeV")->hasFocus());
}

TEST_F(WindowTest, CaptionsItemsAndTooltips)
{
    Create(false);
    const auto* tabs = Find<QTabWidget>("pcResults");
    EXPECT_EQ(S(tabs->tabText(0)), "Transmission");
    EXPECT_EQ(S(tabs->tabText(1)), "Power Meas");
    EXPECT_EQ(S(tabs->tabText(2)), "Load Meas");
    const auto items = [&](const char* n) {
        QStringList l;
        for (int i = 0; i < Combo(n)->count(); ++i) l << Combo(n)->itemText(i);
        return S(l.join('|'));
    };
    EXPECT_EQ(items("cbSrcRfl"), "Mag|dB|SWR");
    EXPECT_EQ(items("cbLoaMism"), "Mag|dB|%");
    EXPECT_EQ(items("cbMeaRfl"), "Mag|dB|SWR");
    EXPECT_EQ(Combo("cbSrcRfl")->currentIndex(), -1);
    EXPECT_EQ(S(Text("lbAnodeI")), "Anode  I");
    EXPECT_EQ(S(Find<QPushButton>("bEvaluate")->toolTip()), "Compute results based on the current inputs");
    EXPECT_EQ(S(Find<QPushButton>("bHelp")->toolTip()), "Open Help file");
    EXPECT_EQ(S(Find<QPushButton>("Button1")->toolTip()), "Terminate program execution");
    EXPECT_TRUE(Find<QPushButton>("bEvaluate")->isDefault());
    EXPECT_EQ(S(Find<QPushButton>("Button1")->text()), "&Close");
    const auto* memo = Find<QPlainTextEdit>("Memo1");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->document()->blockCount(), 7);
    EXPECT_EQ(S(memo->document()->findBlockByNumber(4).text()), "coefficients, obtained e.g. by ");
    EXPECT_EQ(S(Edit("edAnodeV")->text()), "edAnodeV");  // placeholder until start-up
    EXPECT_TRUE(Find<QCheckBox>("chIdeal")->isChecked());
    EXPECT_TRUE(Radio("rbWatt")->isChecked());
    EXPECT_TRUE(Find<QGroupBox>("gbPunit")->font().bold());
    EXPECT_FALSE(Radio("rbWatt")->font().bold());
    EXPECT_FALSE(Find<QGroupBox>("gbErrUnit")->font().bold());
    EXPECT_EQ(Edit("edAnodeV")->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(Find<QFrame>("Panel7")->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(Find<QFrame>("Panel7")->lineWidth(), 2);
}

TEST_F(WindowTest, TabMovesThroughTheControlsInTheLayoutsOrder)
{
    Show();
    const char* order[] = {"edAnodeV", "edAnodeI", "edEffic",  "edLoaMag", "cbLoaRfl",  "edLoaPha", "cbLoaMism",
                           "bEvaluate", "bHelp",   "edDire",   "chIdeal",  "Button1",   "rbWatt",   "edSrcMag",
                           "edSrcPha", "cbSrcRfl", "cbSrcMism"};
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);  // the directivity takes the focus
    Edit("edAnodeV")->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(S(QApplication::focusWidget()->objectName()), order[i]) << "after " << order[i - 1];
    }
}

TEST_F(WindowTest, SpinnersAndCellsTakeNoFocus)
{
    Create(false);
    for (const char* n : {"udEff", "udSrcPha", "udLoaPha", "udDire"}) {
        EXPECT_EQ(Spinner(n)->focusPolicy(), Qt::NoFocus) << n;
        for (QWidget* c : Spinner(n)->findChildren<QWidget*>()) EXPECT_EQ(c->focusPolicy(), Qt::NoFocus) << n;
    }
    // a cell is not a stop of Tab; a click on it only takes the focus from a field
    EXPECT_EQ(Find<QFrame>("Panel15")->focusPolicy(), Qt::ClickFocus);
}

// In every result cell the unit stands on the line of its value.
TEST_F(WindowTest, UnitsStandOnTheLineOfTheirValues)
{
    Create(false);
    int checked = 0;
    for (const merivane::present::TResultCell& c : merivane::present::ResultCells()) {
        if (!c.unitLabel) continue;
        const QLabel* value = Label(c.valueLabel);
        const QLabel* unit = Label(c.unitLabel);
        EXPECT_EQ(unit->geometry().top(), value->geometry().top()) << c.unitLabel;
        EXPECT_EQ(unit->geometry().height(), value->geometry().height()) << c.unitLabel;
        EXPECT_EQ(unit->alignment() & Qt::AlignVertical_Mask, value->alignment() & Qt::AlignVertical_Mask) << c.unitLabel;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

struct Accessible {
    const char* name;
    const char* accessibleName;
};

class AccessibleNames : public WindowTest, public ::testing::WithParamInterface<Accessible> {};

TEST_P(AccessibleNames, NameTheControlForScreenReaders)
{
    Create(false);
    EXPECT_EQ(S(Find<QWidget>(GetParam().name)->accessibleName()), GetParam().accessibleName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AccessibleNames,
    ::testing::Values(Accessible{"Panel6", "Incident Power, Actual Value"}, Accessible{"Panel33", "Absorbed Power, Max Error"},
                      Accessible{"Panel37", "Load Reflection Coefficient Magnitude, Min Meas"},
                      Accessible{"Panel11", "Power to Match"}, Accessible{"Panel1", "Available Power"},
                      Accessible{"Panel2", "Source Mismatch"}, Accessible{"Panel14", "Load Mismatch"},
                      Accessible{"Panel28", "Transducer Gain, Min Value"}, Accessible{"edAnodeV", "Anode V"},
                      Accessible{"edAnodeI", "Anode I"}, Accessible{"edEffic", "Efficiency"},
                      Accessible{"edSrcMag", "Source Magnitude"}, Accessible{"edSrcPha", "Source Phase"},
                      Accessible{"edLoaMag", "Load Magnitude"}, Accessible{"edLoaPha", "Load Phase"},
                      Accessible{"edDire", "Directivity"}, Accessible{"cbSrcRfl", "Source Representation"},
                      Accessible{"cbSrcMism", "Source Mismatch Representation"}, Accessible{"cbLoaRfl", "Load Representation"},
                      Accessible{"cbLoaMism", "Load Mismatch Representation"},
                      Accessible{"cbMeaRfl", "Measured Reflection Representation"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace

namespace {

// Screen readers hear each list by its own name, and its item as the value.
TEST_F(WindowTest, ListsAreAnnouncedByTheirNamesWithTheItemAsValue)
{
    Create();
    const struct {
        const char* list;
        const char* name;
    } lists[] = {{"cbSrcRfl", "Source Representation"},
                 {"cbSrcMism", "Source Mismatch Representation"},
                 {"cbLoaRfl", "Load Representation"},
                 {"cbLoaMism", "Load Mismatch Representation"},
                 {"cbMeaRfl", "Measured Reflection Representation"}};
    for (const auto& l : lists) {
        QComboBox* cb = Combo(l.list);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(cb);
        ASSERT_NE(iface, nullptr) << l.list;
        EXPECT_EQ(iface->role(), QAccessible::ComboBox) << l.list;
        EXPECT_EQ(S(iface->text(QAccessible::Name)), l.name);
        EXPECT_EQ(S(iface->text(QAccessible::Value)), "Mag") << l.list;
        cb->setCurrentIndex(2);
        EXPECT_EQ(S(iface->text(QAccessible::Name)), l.name);
        EXPECT_EQ(S(iface->text(QAccessible::Value)), S(cb->itemText(2))) << l.list;
    }
}

}  // namespace

namespace {

// Every widget of the window, the sweep page and the tab bar's own buttons
// included, in the same regular 11-pixel font, but for the captions of the six
// group boxes and of the result tabs, in bold.
TEST_F(WindowTest, EveryWidgetHasTheRegularFontButTheBoldCaptions)
{
    Create(false);
    w->FormCreate();
    Show();
    const QStringList bold{"gbMgInput", "gbSrcRho", "gbMgOutput", "gbCpl", "GroupBox4", "gbPunit", "pcResults"};
    const QWidget* tabs = Find<QTabWidget>("pcResults")->tabBar();
    const QFont regular = w->font();
    EXPECT_FALSE(regular.bold());
    EXPECT_EQ(regular.pixelSize(), 11);
    int checked = 0;
    for (const QWidget* c : w->findChildren<QWidget*>()) {
        const bool isBold = c == tabs || bold.contains(c->objectName());
        QFont expected = regular;
        expected.setBold(isBold);
        EXPECT_EQ(S(c->font().toString()), S(expected.toString()))
            << c->metaObject()->className() << " " << S(c->objectName()) << " in "
            << (c->parentWidget() ? S(c->parentWidget()->objectName()) : std::string());
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

}  // namespace
