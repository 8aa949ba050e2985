// The window shows, in every result cell, what the catalogue of the
// presentation rules gives for that cell: the same text, unit caption and
// unit-label place, under every display choice.
#include "Cells.h"
#include "RowNames.h"
#include "WindowFixture.h"

namespace {

using namespace merivane::present;

struct DisplayCase {
    const char* name;
    const char* powerButton;
    const char* factorButton;
    const char* measButton;
    int mismIndex, meaRflIndex;
    bool ideal;
    const char* loadMag;
};

class CatalogueInTheWindow : public WindowTest, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(CatalogueInTheWindow, EveryCellShowsWhatTheRulesGive)
{
    const DisplayCase& c = GetParam();
    Create();
    Find<QCheckBox>("chIdeal")->setChecked(c.ideal);
    Edit("edLoaMag")->setText(c.loadMag);
    Edit("edLoaMag")->setModified(true);  // as typing would
    Radio(c.powerButton)->click();  // a power unit runs the cycle
    Radio(c.factorButton)->click();
    Radio(c.measButton)->click();
    for (const char* list : {"cbSrcMism", "cbLoaMism", "cbMeaRfl"}) Combo(list)->setCurrentIndex(-1);
    Combo("cbSrcMism")->setCurrentIndex(c.mismIndex);
    Combo("cbLoaMism")->setCurrentIndex(c.mismIndex);
    Combo("cbMeaRfl")->setCurrentIndex(c.meaRflIndex);
    w->ShowResults();

    const TDisplay display = w->Display();
    int checked = 0;
    for (const TResultCell& entry : ResultCells()) {
        const TCell cell = entry.render(Model(), display);
        auto* panel = Find<QFrame>(entry.panel);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(S(panel->accessibleName()), entry.accessibleName);
        EXPECT_EQ(S(Text(entry.valueLabel)), cell.text) << c.name << ": " << entry.accessibleName;
        if (entry.unitLabel) {
            if (cell.writesUnit) {
                EXPECT_EQ(S(Text(entry.unitLabel)), cell.Caption()) << c.name << ": " << entry.accessibleName;
            }
            if (cell.unitLeft >= 0) {
                EXPECT_EQ(Label(entry.unitLabel)->x(), cell.unitLeft) << c.name << ": " << entry.accessibleName;
            }
        }
        if (cell.colour != CellColour::Unchanged) {
            const bool white = panel->palette().color(QPalette::Window) == QColor(Qt::white);
            EXPECT_EQ(white, cell.colour == CellColour::White) << c.name << ": " << entry.accessibleName;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 39);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, CatalogueInTheWindow,
    ::testing::Values(DisplayCase{"defaults", "rbWatt", "rbMagTr", "rbPower", 0, 0, true, "0.5"},
                      DisplayCase{"real coupler", "rbWatt", "rbMagTr", "rbPower", 0, 0, false, "0.5"},
                      DisplayCase{"dBm percent", "rbDbm", "rbPercTr", "rbPerc", 2, 1, false, "0.5"},
                      DisplayCase{"dBW dB", "rbDbW", "rbDbTr", "rbDb", 1, 2, false, "0.9"},
                      DisplayCase{"dBkW power", "rbDbkW", "rbPercTr", "rbPower", 2, 0, false, "0.05"},
                      DisplayCase{"matched load", "rbWatt", "rbDbTr", "rbPerc", 1, 1, false, "0"},
                      DisplayCase{"full reflection", "rbDbm", "rbMagTr", "rbDb", 0, 2, false, "1"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
