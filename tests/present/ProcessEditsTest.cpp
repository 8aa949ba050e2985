// SPDX-License-Identifier: GPL-3.0-or-later
// The Process view's edits of a load set, each a case as it should become:
// what each does at the ends of the set, and what it refuses.
#include "ProcessEdits.h"
#include "ProcessTexts.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <functional>

namespace merivane::present {
namespace {

std::string Names(const TCase& c)
{
    std::string o;
    for (const TSetLoad& l : c.loadSet) o += (o.empty() ? "" : ",") + l.name;
    return o;
}

TCase Set(std::initializer_list<const char*> names)
{
    TCase c = DefaultCase();
    for (const char* n : names) c.loadSet.push_back({n, c.inputs.LoaRfl, std::nullopt});
    return c;
}

struct TEditRow {
    const char* name;
    std::function<bool(TCase&)> edit;
    bool changes;
    const char* after;
};

class SetEdit : public ::testing::TestWithParam<TEditRow> {};

TEST_P(SetEdit, GivesTheSetInItsNewOrder)
{
    TCase c = Set({"frozen", "thawed", "hot"});
    EXPECT_EQ(GetParam().edit(c), GetParam().changes);
    EXPECT_EQ(Names(c), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Process, SetEdit,
    ::testing::Values(
        TEditRow{"add_after_the_first", [](TCase& c) { return AddSetLoad(c, 0); }, true, "frozen,Load 1,thawed,hot"},
        TEditRow{"add_at_the_end", [](TCase& c) { return AddSetLoad(c, -1); }, true, "frozen,thawed,hot,Load 1"},
        TEditRow{"add_twice_takes_the_next_free_name",
                 [](TCase& c) { return AddSetLoad(c, -1) && AddSetLoad(c, -1); }, true,
                 "frozen,thawed,hot,Load 1,Load 2"},
        TEditRow{"remove_the_nominal", [](TCase& c) { return RemoveSetLoad(c, 0); }, true, "thawed,hot"},
        TEditRow{"remove_beyond_the_end", [](TCase& c) { return RemoveSetLoad(c, 3); }, false, "frozen,thawed,hot"},
        TEditRow{"move_the_last_up", [](TCase& c) { return MoveSetLoad(c, 2, -1); }, true, "frozen,hot,thawed"},
        TEditRow{"move_the_first_up", [](TCase& c) { return MoveSetLoad(c, 0, -1); }, false, "frozen,thawed,hot"},
        TEditRow{"move_the_last_down", [](TCase& c) { return MoveSetLoad(c, 2, 1); }, false, "frozen,thawed,hot"},
        TEditRow{"rename_trims", [](TCase& c) { return RenameSetLoad(c, 1, "  \u22125 \u00b0C "); }, true,
                 "frozen,\u22125 \u00b0C,hot"},
        TEditRow{"rename_to_nothing", [](TCase& c) { return RenameSetLoad(c, 1, "  "); }, false, "frozen,thawed,hot"},
        TEditRow{"rename_to_the_same", [](TCase& c) { return RenameSetLoad(c, 1, "thawed"); }, false,
                 "frozen,thawed,hot"},
        TEditRow{"rename_to_another_loads", [](TCase& c) { return RenameSetLoad(c, 1, " hot"); }, false,
                 "frozen,thawed,hot"}),
    ROW_NAMES(std::string(r.name)));

TEST(ProcessEdits, ARetypedLoadReadsAsTheLoadFieldDoesAndReplacesAMeasurement)
{
    TCase c = Set({"frozen", "thawed"});
    c.loadSet[1].measured = TMeasuredLoad{};
    c.loadSet[1].measured->file = "thawed.s1p";
    c.loadSet[1].measured->freqHz = {2.45e9};
    c.loadSet[1].measured->gamma = {0.3};
    EXPECT_EQ(SetLoadText(c.loadSet[1]), "thawed.s1p, port 1");
    std::string error;
    // SWR 3 is |G| 0.5
    ASSERT_TRUE(RetypeSetLoad(c, 1, "swr:3@90", error)) << error;
    EXPECT_FALSE(c.loadSet[1].measured);
    EXPECT_DOUBLE_EQ(c.loadSet[1].refl.Mag, 0.5);
    EXPECT_EQ(c.loadSet[1].refl.Pha, 90);
    // not a reflection: refused with the reason, the load kept
    const TCase before = c;
    EXPECT_FALSE(RetypeSetLoad(c, 0, "half", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(c, before);
}

}  // namespace
}  // namespace merivane::present
