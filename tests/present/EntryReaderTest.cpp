// The one reader of typed numbers and the notes it gives, without a window:
// what each field makes of a text, what is then in force, and the text the
// field is written with.
#include "EntryReader.h"
#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace merivane::present;

struct ReadCase {
    const char* name;
    Input field;
    int representation;
    const char* typed;
    double fallback;
    double value;
    Outcome outcome;
};

class Reading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Reading, GivesTheValueInForceAndWhatHappened)
{
    const ReadCase& c = GetParam();
    const TReading r = ReadEntry(InputRow(c.field), c.typed, c.fallback, c.representation);
    EXPECT_EQ(r.value, c.value);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.kept, r.value == c.fallback && c.outcome != Outcome::Taken && c.outcome != Outcome::Wrapped &&
                          c.outcome != Outcome::ReturnLoss && r.value != (c.outcome == Outcome::Below ? InputRow(c.field).lo
                                                                                                       : InputRow(c.field).hi));
}

constexpr auto T = Outcome::Taken;
constexpr auto N = Outcome::NotANumber;
constexpr auto B = Outcome::Below;
constexpr auto A = Outcome::Above;
constexpr auto W = Outcome::Wrapped;
constexpr auto R = Outcome::ReturnLoss;

INSTANTIATE_TEST_SUITE_P(
    Fields, Reading,
    ::testing::Values(
        ReadCase{"volts", Input::AnodeV, 0, "1500", 4000, 1500, T},
        ReadCase{"volts with a comma", Input::AnodeV, 0, "1,500", 4000, 4000, N},
        ReadCase{"volts too high", Input::AnodeV, 0, "250000", 4000, 100000, A},
        ReadCase{"volts negative", Input::AnodeV, 0, "-10", 4000, 0, B},
        ReadCase{"volts in hex", Input::AnodeV, 0, "$5DC", 4000, 1500, T},
        ReadCase{"kilovolts", Input::AnodeV, 0, "4 kV", 1, 4000, T},
        ReadCase{"kilovolts with a point", Input::AnodeV, 0, "4.5kV", 1, 4500, T},
        ReadCase{"kilovolts not whole", Input::AnodeV, 0, "4.0005 kV", 1, 1, N},
        ReadCase{"kilovolts too high", Input::AnodeV, 0, "200 kV", 1, 100000, A},
        ReadCase{"volts beyond doubles", Input::AnodeV, 0, "1E400", 4000, 4000, N},
        ReadCase{"milliamperes", Input::AnodeI, 0, "300 mA", 3, 0.3, T},
        ReadCase{"kiloamperes clamped", Input::AnodeI, 0, "2 kA", 3, 1000, A},
        ReadCase{"amperes beyond doubles", Input::AnodeI, 0, "1E400", 3, 1000, A},
        ReadCase{"feed kilowatts", Input::FeedPowerW, 0, "3 kW", 0, 3000, T},
        ReadCase{"feed megawatts", Input::FeedPowerW, 0, "1.2MW", 0, 1.2e6, T},
        ReadCase{"feed milliwatts", Input::FeedPowerW, 0, "500 mW", 0, 0.5, T},
        ReadCase{"feed watts", Input::FeedPowerW, 0, "750 W", 0, 750, T},
        ReadCase{"feed dummy rating kilowatts", Input::FeedDummyRatingW, 0, "2.5 kW", 0, 2500, T},
        ReadCase{"dummy rating kilowatts", Input::DummyRating, 0, "2 kW", 0, 2000, T},
        ReadCase{"amperes below doubles", Input::AnodeI, 0, "-1E400", 3, 0, B},
        ReadCase{"amperes many digits", Input::AnodeI, 0, "1.23456", 3, 1.23456, T},
        ReadCase{"amperes word", Input::AnodeI, 0, "abc", 3, 3, N},
        ReadCase{"percent", Input::Effic, 0, "85.7", 85, 85.7, T},
        ReadCase{"percent clamped", Input::Effic, 0, "150", 85, 100, A},
        ReadCase{"phase -200", Input::LoaPha, 0, "-200", 0, 160, W},
        ReadCase{"phase 270", Input::LoaPha, 0, "270", 0, -90, W},
        ReadCase{"phase 720", Input::LoaPha, 0, "720", 5, 0, W},
        ReadCase{"phase 540", Input::SrcPha, 0, "540", 0, 180, W},
        ReadCase{"phase -540", Input::SrcPha, 0, "-540", 0, -180, W},
        ReadCase{"phase 180 stays", Input::SrcPha, 0, "180", 0, 180, T},
        ReadCase{"phase -180 stays", Input::SrcPha, 0, "-180", 0, -180, T},
        ReadCase{"phase 1000.5", Input::SrcPha, 0, "1000.5", 0, -79.5, W},
        ReadCase{"phase beyond doubles", Input::SrcPha, 0, "1E400", 0, 180, A},
        ReadCase{"phase with a degree sign", Input::LoaPha, 0, "45°", 0, 45, T},
        ReadCase{"phase with a word", Input::LoaPha, 0, "45 deg", 7, 7, N},
        ReadCase{"magnitude", Input::LoaMag, 0, "0.9995", 0.5, 0.9995, T},
        ReadCase{"magnitude too high", Input::LoaMag, 0, "1.5", 0.5, 0.5, A},
        ReadCase{"magnitude beyond doubles", Input::LoaMag, 0, "1E400", 0.5, 0.5, A},
        ReadCase{"return loss typed positive", Input::LoaMag, 1, "20", -6, -20, R},
        ReadCase{"return loss at its end", Input::LoaMag, 1, "160", -6, -160, R},
        ReadCase{"return loss negative", Input::LoaMag, 1, "-20", -6, -20, T},
        ReadCase{"return loss zero", Input::LoaMag, 1, "0", -6, 0, T},
        ReadCase{"return loss beyond 160", Input::LoaMag, 1, "170", -6, -6, A},
        ReadCase{"return loss below -160", Input::LoaMag, 1, "-200", -6, -6, B},
        ReadCase{"SWR", Input::SrcMag, 2, "10000", 3, 10000, T},
        ReadCase{"SWR below 1", Input::SrcMag, 2, "0.5", 3, 3, B},
        ReadCase{"directivity", Input::Dire, 0, "26.5", 20, 26.5, T},
        ReadCase{"directivity beyond doubles", Input::Dire, 0, "1E400", 20, 160, A},
        ReadCase{"frequency", Input::SwFreq, 0, "915.5", 2450, 915.5, T},
        ReadCase{"frequency too high", Input::SwFreq, 0, "200000", 2450, 100000, A},
        ReadCase{"frequency in GHz", Input::SwFreq, 0, "2.45 GHz", 915, 2450, T},
        ReadCase{"frequency in MHz", Input::SwFreq, 0, "915MHz", 2450, 915, T},
        ReadCase{"span in kHz", Input::SwSpan, 0, "500 kHz", 0, 0.5, T},
        ReadCase{"frequency in kHz is below", Input::SwFreq, 0, "500 kHz", 2450, 1, B}),
    ROW_NAMES(std::string(r.name)));

struct NoteCase {
    const char* name;
    Input field;
    int representation;
    const char* typed;
    double fallback;
    const char* note;
};

class Notes : public ::testing::TestWithParam<NoteCase> {};

TEST_P(Notes, SayWhatIsInForceAndWhy)
{
    const NoteCase& c = GetParam();
    const TInputRow& inputRow = InputRow(c.field);
    EXPECT_EQ(EntryNote(inputRow, c.typed, ReadEntry(inputRow, c.typed, c.fallback, c.representation), c.representation), c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Notes,
    ::testing::Values(
        NoteCase{"volts taken", Input::AnodeV, 0, "1500", 4000, ""},
        NoteCase{"volts with a comma", Input::AnodeV, 0, "1,500", 4000, "“1,500” is not a whole number of volts: 4000 V kept."},
        NoteCase{"volts too high", Input::AnodeV, 0, "250000", 4000, "“250000” is above 100000 V: 100000 V in force."},
        NoteCase{"volts negative", Input::AnodeV, 0, "-10", 4000, "“-10” is below 0 V: 0 V in force."},
        NoteCase{"kilovolts", Input::AnodeV, 0, "4.5kV", 4000, "“4.5kV” was read as 4500 V."},
        NoteCase{"milliamperes", Input::AnodeI, 0, "300 mA", 3, "“300 mA” was read as 0.3 A."},
        NoteCase{"kiloamperes clamped", Input::AnodeI, 0, "2 kA", 3, "“2 kA” is above 1000 A: 1000 A in force."},
        NoteCase{"amperes beyond doubles", Input::AnodeI, 0, "1E400", 3, "“1E400” is above 1000 A: 1000 A in force."},
        NoteCase{"amperes word", Input::AnodeI, 0, "abc", 1.23456, "“abc” is not a number: 1.23456 A kept."},
        NoteCase{"efficiency clamped", Input::Effic, 0, "150", 85, "“150” is above 100 %: 100 % in force."},
        NoteCase{"efficiency between steps", Input::Effic, 0, "85.5", 85, ""},
        NoteCase{"phase typed between steps", Input::LoaPha, 0, "47", 90, ""},
        NoteCase{"phase one turn less", Input::LoaPha, 0, "270", 90, "“270” is \u221290° (one turn less)"},
        NoteCase{"phase one turn more", Input::LoaPha, 0, "-200", 90, "“-200” is 160° (one turn more)"},
        NoteCase{"phase two turns less", Input::LoaPha, 0, "720", 90, "“720” is 0° (two turns less)"},
        NoteCase{"phase with a unit", Input::SrcPha, 0, "45 deg", 0, "“45 deg” is not a number: 0° kept."},
        NoteCase{"return loss", Input::LoaMag, 1, "20", -6, "“20” read as a return loss of 20 dB"},
        NoteCase{"magnitude too high", Input::LoaMag, 0, "3", 0.5,
                 "“3” is above 1: magnitude 0.5 kept. For an SWR, choose SWR in the list first."},
        NoteCase{"magnitude negative", Input::LoaMag, 0, "-20", 0.5,
                 "“-20” is below 0: magnitude 0.5 kept. For dB, choose dB in the list first."},
        NoteCase{"magnitude word", Input::SrcMag, 0, "abc", 0.5, "“abc” is not a number: magnitude 0.5 kept."},
        NoteCase{"dB below its end", Input::LoaMag, 1, "-200", -6.02, "“-200” is below -160 dB: -6.02 dB kept."},
        NoteCase{"dB beyond 160", Input::LoaMag, 1, "170", -6.02,
                 "“170” is above 0 dB: -6.02 dB kept. For an SWR, choose SWR in the list first."},
        NoteCase{"SWR below 1", Input::LoaMag, 2, "0.5", 3,
                 "“0.5” is below 1: SWR 3 kept. For a magnitude, choose Mag in the list first."},
        NoteCase{"SWR too high", Input::LoaMag, 2, "100001", 3, "“100001” is above 100000: SWR 3 kept."},
        NoteCase{"directivity clamped", Input::Dire, 0, "200", 20, "“200” is above 160 dB: 160 dB in force."},
        NoteCase{"directivity beyond its spinner", Input::Dire, 0, "120", 20, ""},
        NoteCase{"frequency above", Input::SwFreq, 0, "200000", 2450, "“200000” is above 100000 MHz: 100000 MHz in force."},
        NoteCase{"factor below", Input::SwVf, 0, "0.05", 1, "“0.05” is below 0.1: 0.1 in force."},
        NoteCase{"gigahertz", Input::SwFreq, 0, "2.45 GHz", 915, "“2.45 GHz” was read as 2450 MHz."},
        NoteCase{"length decorated", Input::SwLength, 0, "2,5 m", 0, ""},
        NoteCase{"long text cut", Input::AnodeV, 0, "12345678901234567890123456789", 4000,
                 "“123456789012345678901234…” is not a whole number of volts: 4000 V kept."}),
    ROW_NAMES(std::string(r.name)));

// The written-back text reads back to exactly the value in force, and is the
// usual one where that already does.
struct TextCase {
    const char* name;
    Input field;
    int representation;
    double stored;
    const char* text;
};

class WrittenBack : public ::testing::TestWithParam<TextCase> {};

TEST_P(WrittenBack, IsTheShortestTextThatReadsBack)
{
    const TextCase& c = GetParam();
    const TInputRow& inputRow = InputRow(c.field);
    const std::string text = EntryText(inputRow, c.stored, c.representation);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(ToStored(inputRow, ReadEntry(inputRow, text, -1, c.representation).value), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, WrittenBack,
    ::testing::Values(TextCase{"volts", Input::AnodeV, 0, 4000, "4000"},
                      TextCase{"amperes", Input::AnodeI, 0, 3, "3"},
                      TextCase{"amperes many digits", Input::AnodeI, 0, 1.23456, "1.23456"},
                      TextCase{"amperes small", Input::AnodeI, 0, 0.12345, "0.12345"},
                      TextCase{"efficiency", Input::Effic, 0, 0.85, "85"},
                      TextCase{"efficiency tenth", Input::Effic, 0, ToStored(InputRow(Input::Effic), 85.7), "85.7"},
                      TextCase{"magnitude", Input::LoaMag, 0, 0.5, "0.5"},
                      TextCase{"magnitude near one", Input::LoaMag, 0, 0.9995, "0.9995"},
                      TextCase{"magnitude four digits", Input::LoaMag, 0, 0.7071, "0.7071"},
                      TextCase{"phase", Input::LoaPha, 0, 47, "47"},
                      TextCase{"return loss", Input::LoaMag, 1, -20, "-20"},
                      TextCase{"SWR", Input::LoaMag, 2, 1.5, "1.5"},
                      TextCase{"directivity", Input::Dire, 0, 26.5, "26.5"},
                      TextCase{"frequency", Input::SwFreq, 0, 2450, "2450"}),
    ROW_NAMES(std::string(r.name)));

// A value the program computes for a field is rounded to the field's
// decimals before it is in force, so that its text is short and reads back.
class Computed : public ::testing::TestWithParam<TextCase> {};

TEST_P(Computed, IsRoundedToTheFieldsDecimals)
{
    const TextCase& c = GetParam();
    const TInputRow& inputRow = InputRow(c.field);
    const double inForce = RoundedToField(inputRow, c.stored, c.representation);
    const std::string text = EntryText(inputRow, inForce, c.representation);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(ToStored(inputRow, ReadEntry(inputRow, text, -1, c.representation).value), inForce);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Computed,
    // 6287 W at 4000 V and 85 %: 6287 / 3400 = 1.8491176 A; 1 W: 0.000294118 A
    ::testing::Values(TextCase{"power to match", Input::AnodeI, 0, 6287.0 / 3400, "1.849"},
                      // in the window's form of a small number
                      TextCase{"small current keeps four digits", Input::AnodeI, 0, 1.0 / 3400, "2.941E-4"},
                      TextCase{"efficiency in percent", Input::Effic, 0, 6.0 / 7, "85.714"},
                      // |G| = 0.3 as an SWR: 1.3 / 0.7 = 1.857142857
                      TextCase{"magnitude as SWR", Input::LoaMag, 2, 1.3 / 0.7, "1.857"},
                      // |G| = 0.5 in dB: 20 log10 0.5 = -6.0206
                      TextCase{"magnitude in dB", Input::LoaMag, 1, 20 * std::log10(0.5), "-6.02"},
                      TextCase{"a drag's magnitude", Input::LoaMag, 0, 0.61803398875, "0.618"},
                      TextCase{"a drag's phase", Input::LoaPha, 0, -36.8698976458, "-36.87"},
                      TextCase{"already short", Input::AnodeI, 0, 2.5, "2.5"},
                      TextCase{"zero", Input::AnodeI, 0, 0, "0"}),
    ROW_NAMES(std::string(r.name)));

// A change of form puts the magnitude in force as the new form's field shows it.
TEST(FormChange, RoundsInTheNewForm)
{
    merivane::TRefl r;
    SetReflMagnitude(r, 0, 0.3);  // SWR 1.3 / 0.7 = 1.857142857, -10.4576 dB
    EXPECT_EQ(RoundedInForm(r, 2).Swr, 1.857);
    EXPECT_EQ(RoundedInForm(r, 1).Rloss, -10.46);
    EXPECT_NEAR(RoundedInForm(r, 2).Mag, 0.857 / 2.857, 1e-15);  // (SWR - 1) / (SWR + 1) follows
    EXPECT_EQ(RoundedInForm(r, 0).Mag, 0.3);
}

TEST(WrittenBackText, ReadsBackToTheValueForRandomValues)
{
    std::mt19937_64 rng(18);
    for (const TInputRow& inputRow : InputRows()) {
        if (inputRow.forms & kWhole) continue;
        const bool reflection = inputRow.forms & kReflection;
        std::uniform_real_distribution<double> any(reflection ? 0 : inputRow.lo, reflection ? 1 : inputRow.hi);
        for (int i = 0; i < 2000; ++i) {
            const double stored = ToStored(inputRow, any(rng));
            const std::string text = EntryText(inputRow, stored);
            ASSERT_EQ(ToStored(inputRow, ReadEntry(inputRow, text, -1).value), stored) << inputRow.objectName << " " << text;
            ASSERT_LE(text.size(), 24u) << text;
        }
    }
}

TEST(PhaseWrap, TakesWholeTurnsOnlyAndLandsWithinTheRange)
{
    std::mt19937_64 rng(360);
    std::uniform_real_distribution<double> any(-1e7, 1e7);
    const TInputRow& inputRow = InputRow(Input::LoaPha);
    for (int i = 0; i < 20000; ++i) {
        const double typed = any(rng);
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", typed);
        const TReading r = ReadEntry(inputRow, text, 0);
        ASSERT_GE(r.value, -180.0);
        ASSERT_LE(r.value, 180.0);
        const double turns = (typed - r.value) / 360;
        ASSERT_EQ(turns, std::nearbyint(turns)) << text;
    }
}

// A limit changed in the table changes what the reader takes and what the
// note says.
TEST(InputTable, ALimitChangedInTheTableChangesTheReaderAndTheNote)
{
    TInputRow& inputRow = InputRowForTest(Input::AnodeI);
    const double hi = inputRow.hi;
    inputRow.hi = 500;
    const TReading r = ReadEntry(inputRow, "600", 3);
    const std::string note = EntryNote(inputRow, "600", r);
    inputRow.hi = hi;
    EXPECT_EQ(r.value, 500);
    EXPECT_EQ(note, "“600” is above 500 A: 500 A in force.");

    TReflForm& swr = ReflFormForTest(2);
    const double swrHi = swr.hi;
    swr.hi = 50;
    const TReading s = ReadEntry(InputRow(Input::LoaMag), "60", 3, 2);
    swr.hi = swrHi;
    EXPECT_TRUE(s.kept);
    EXPECT_EQ(s.outcome, Outcome::Above);
}

TEST(InputTable, EveryRowIsConsistent)
{
    for (const TInputRow& s : InputRows()) {
        SCOPED_TRACE(s.objectName);
        EXPECT_EQ(&InputRow(s.id), &s);
        EXPECT_LE(s.lo, s.def);
        EXPECT_LE(s.def, s.hi);
        if (s.spinner.objectName) {
            EXPECT_GE(s.spinner.position, s.spinner.min);
            EXPECT_LE(s.spinner.position, s.spinner.max);
            EXPECT_EQ(s.spinner.position, s.def);
        }
    }
}

}  // namespace

#include "Explain.h"

#include <fstream>
#include <sstream>

namespace {

using namespace merivane::present;

TEST(InputTable, ALimitChangedInTheTableChangesTheTooltips)
{
    TInputRow& inputRow = InputRowForTest(Input::AnodeI);
    const double hi = inputRow.hi;
    inputRow.hi = 500;
    const std::string changed = TooltipFor("edAnodeI");
    inputRow.hi = hi;
    const std::string restored = TooltipFor("edAnodeI");
    EXPECT_NE(changed.find("0 to 500"), std::string::npos) << changed;
    EXPECT_NE(restored.find("0 to 1000"), std::string::npos) << restored;
    EXPECT_EQ(restored.find("{range}"), std::string::npos);
}

// Every field's tooltip names the limits the table gives it.
TEST(InputTable, EveryFieldsTooltipNamesItsLimits)
{
    for (const TInputRow& s : InputRows().first(kWindowInputCount)) {
        if (s.forms & kReflection) continue;
        const char* tip = TooltipFor(s.objectName);
        ASSERT_NE(tip, nullptr) << s.objectName;
        std::string lo = LimitText(s.lo);
        if (lo[0] == '-') lo = "\u2212" + lo.substr(1);
        EXPECT_NE(std::string(tip).find(lo + " to " + LimitText(s.hi)), std::string::npos) << s.objectName << ": " << tip;
    }
}

// The help's table of entries gives each main input's range as the table has it.
TEST(InputTable, TheHelpGivesTheTablesRanges)
{
    std::ifstream file(MERIVANE_SOURCE_DIR "/app/MerivaneHelp.html");
    ASSERT_TRUE(file) << "the help document";
    std::stringstream text;
    text << file.rdbuf();
    const std::string help = text.str();
    const auto range = [](double lo, double hi) {
        std::string l = LimitText(lo);
        if (l[0] == '-') l = "\u2212" + l.substr(1);
        return "<td>" + l + " .. " + LimitText(hi) + "</td>";
    };
    for (Input id : {Input::AnodeV, Input::AnodeI, Input::Effic, Input::SrcPha, Input::Dire}) {
        const TInputRow& s = InputRow(id);
        EXPECT_NE(help.find(range(s.lo, s.hi)), std::string::npos) << s.objectName;
    }
    std::string refl = "<td>";
    for (int i = 0; i < 3; ++i) {
        std::string l = LimitText(ReflForm(i).lo);
        if (l[0] == '-') l = "\u2212" + l.substr(1);
        refl += std::string(i ? "; " : "") + ReflForm(i).item + " " + l + " .. " + LimitText(ReflForm(i).hi);
    }
    EXPECT_NE(help.find(refl + "</td>"), std::string::npos) << refl;
}

}  // namespace
