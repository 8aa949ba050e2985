// The notes on entries not taken as typed, without a window: what the field
// read, what is now in force, and why.
#include "EntryNotes.h"
#include "RowNames.h"

#include <gtest/gtest.h>

namespace {

using namespace merivane::present;

struct NoteCase {
    const char* name;
    EntryKind kind;
    const char* typed;
    double inForce;
    const char* shown;
    const char* note;
};

class EntryNotes : public ::testing::TestWithParam<NoteCase> {};

TEST_P(EntryNotes, SayWhatHappenedAndWhatIsInForce)
{
    const NoteCase& c = GetParam();
    EXPECT_EQ(EntryNote(c.kind, c.typed, c.inForce, c.shown), c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EntryNotes,
    ::testing::Values(
        NoteCase{"volts taken", EntryKind::Volts, "1500", 1500, "1500", ""},
        NoteCase{"volts with a comma", EntryKind::Volts, "1,500", 4000, "4000", "“1,500” is not a whole number of volts: 4000 V kept."},
        NoteCase{"volts too high", EntryKind::Volts, "250000", 100000, "100000", "“250000” is above 100000 V: 100000 V in force."},
        NoteCase{"volts negative", EntryKind::Volts, "-10", 0, "0", "“-10” is below 0 V: 0 V in force."},
        NoteCase{"volts in hex", EntryKind::Volts, "$5DC", 1500, "1500", ""},
        NoteCase{"milliamperes", EntryKind::Amperes, "300 mA", 0.3, "0.3", "“300 mA” was read as 0.3 A."},
        NoteCase{"kiloamperes clamped", EntryKind::Amperes, "2 kA", 1000, "1000", "“2 kA” is above 1000 A: 1000 A in force."},
        NoteCase{"amperes decorated", EntryKind::Amperes, "2.5 A", 2.5, "2.5", ""},
        NoteCase{"amperes word", EntryKind::Amperes, "abc", 3, "3", "“abc” is not a number: 3 A kept."},
        NoteCase{"efficiency clamped", EntryKind::Percent, "150", 100, "100", "“150” is above 100 %: 100 % in force."},
        NoteCase{"efficiency rounded by the spinner", EntryKind::Percent, "85.5", 85.5, "86",
                 "85.5 was computed; the spinner shows its step, 86, for the next cycle."},
        NoteCase{"efficiency between steps", EntryKind::Percent, "85.4", 85.4, "85.4", ""},
        NoteCase{"phase moved by the spinner", EntryKind::Degrees, "47", 47, "45",
                 "47 was computed; the spinner shows its step, 45, for the next cycle."},
        NoteCase{"phase clamped", EntryKind::Degrees, "270", 180, "180", "“270” is above 180°: 180° in force."},
        NoteCase{"phase with a unit", EntryKind::Degrees, "45 deg", 0, "0", "“45 deg” is not a number: 0° kept."},
        NoteCase{"phase kept and moved", EntryKind::Degrees, "x", 47, "45",
                 "“x” is not a number: 47° kept; the spinner shows its step, 45, for the next cycle."},
        NoteCase{"directivity beyond the spinner", EntryKind::Decibels, "120", 120, "100",
                 "120 was computed; the spinner stops at 100, the value the next cycle takes."},
        NoteCase{"directivity clamped and beyond the spinner", EntryKind::Decibels, "200", 160, "100",
                 "“200” is above 160 dB: 160 dB in force; the spinner stops at 100, the value the next cycle takes."},
        NoteCase{"directivity typed twice", EntryKind::Decibels, "120", 120, "120", ""},
        NoteCase{"overflow left to the cycle", EntryKind::Amperes, "1E400", 3, "1E400", ""},
        NoteCase{"long text cut", EntryKind::Volts, "12345678901234567890123456789", 4000, "4000",
                 "“123456789012345678901234…” is not a whole number of volts: 4000 V kept."}),
    ROW_NAMES(std::string(r.name)));

merivane::TRefl Refl(double mag, double rloss, double swr)
{
    merivane::TRefl r;
    r.Mag = mag;
    r.Rloss = rloss;
    r.Swr = swr;
    return r;
}

struct ReflNoteCase {
    int representation;
    const char* typed;
    const char* note;
};

class ReflectionNotes : public ::testing::TestWithParam<ReflNoteCase> {};

TEST_P(ReflectionNotes, NameTheValueKeptAndTheRepresentationThatWouldFit)
{
    const ReflNoteCase& c = GetParam();
    EXPECT_EQ(ReflectionNote(c.representation, c.typed, Refl(0.5, -6.0205999, 3)), c.note);
}

INSTANTIATE_TEST_SUITE_P(
    Representations, ReflectionNotes,
    ::testing::Values(
        ReflNoteCase{0, "0.3", ""}, ReflNoteCase{0, "1", ""},
        ReflNoteCase{0, "3", "“3” is above 1: magnitude 0.5 kept. For an SWR, choose SWR in the list first."},
        ReflNoteCase{0, "-20", "“-20” is below 0: magnitude 0.5 kept. For dB, choose dB in the list first."},
        ReflNoteCase{-1, "-20", "“-20” is below 0: magnitude 0.5 kept. For dB, choose dB in the list first."},
        ReflNoteCase{0, "abc", "“abc” is not a number: magnitude 0.5 kept."},
        ReflNoteCase{1, "-20", ""}, ReflNoteCase{1, "-160", ""},
        ReflNoteCase{1, "3", "“3” is above 0 dB: -6.02 dB kept. For an SWR, choose SWR in the list first."},
        ReflNoteCase{1, "0.5", "“0.5” is above 0 dB: -6.02 dB kept. For a magnitude, choose Mag in the list first."},
        ReflNoteCase{1, "-200", "“-200” is below -160 dB: -6.02 dB kept."},
        ReflNoteCase{2, "10000", ""},
        ReflNoteCase{2, "0.5", "“0.5” is below 1: SWR 3 kept. For a magnitude, choose Mag in the list first."},
        ReflNoteCase{2, "-20", "“-20” is below 1: SWR 3 kept. For dB, choose dB in the list first."},
        ReflNoteCase{2, "100001", "“100001” is above 100000: SWR 3 kept."}),
    ROW_NAMES(std::to_string(r.representation) + "_" + r.typed));

// The Line Sweep page's fields: plain numbers clamped to their limits.
struct RangeCase {
    const char* name;
    const char* typed;
    double inForce, lo, hi;
    const char* unit;
    const char* note;
};

class RangeNotes : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeNotes, SayWhatHappenedAndWhatIsInForce)
{
    const RangeCase& c = GetParam();
    EXPECT_EQ(RangeNote(c.typed, c.inForce, c.lo, c.hi, c.unit), c.note);
}

INSTANTIATE_TEST_SUITE_P(
    SweepFields, RangeNotes,
    ::testing::Values(RangeCase{"taken", "915.5", 915.5, 1, 100000, " MHz", ""},
                      RangeCase{"at the limit", "100000", 100000, 1, 100000, " MHz", ""},
                      RangeCase{"no number", "abc", 2450, 1, 100000, " MHz", "“abc” is not a number: 2450 MHz kept."},
                      RangeCase{"above", "200000", 100000, 1, 100000, " MHz", "“200000” is above 100000 MHz: 100000 MHz in force."},
                      RangeCase{"below", "-1", 0, 0, 10000, " m", "“-1” is below 0 m: 0 m in force."},
                      RangeCase{"factor below", "0.05", 0.1, 0.1, 1, "", "“0.05” is below 0.1: 0.1 in force."},
                      RangeCase{"decorated", "2,5 m", 2.5, 0, 10000, " m", ""}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
