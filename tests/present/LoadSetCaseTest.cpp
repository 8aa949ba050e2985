// SPDX-License-Identifier: GPL-3.0-or-later
// The process's load set in the case file: kept bit for bit, typed and
// measured loads in their order; a damaged section refused with its place.
#include "CaseFile.h"
#include "CaseModel.h"
#include "ReflectionText.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <complex>

namespace merivane::present {
namespace {

TSetLoad Typed(const char* name, const char* refl)
{
    TSetLoad l{name, {}, std::nullopt};
    int form = 0;
    EXPECT_TRUE(ReadReflectionInput(refl, Input::LoaMag, Input::LoaPha, l.refl, form).ok) << refl;
    return l;
}

TEST(LoadSetCaseFile, HoldsTheSetInItsOrderBitForBit)
{
    TCase c = DefaultCase();
    c.robust = true;
    TSetLoad thawed{"thawed", {}, TMeasuredLoad{}};
    thawed.measured->file = "thawed.s1p";
    thawed.measured->port = 2;
    thawed.measured->freqHz = {2.44e9, 2.46e9};
    thawed.measured->gamma = {std::complex<double>(0.1 + 0.2, -1.0 / 3), std::complex<double>(-0.25, 0.5)};
    c.loadSet = {Typed("frozen", "0.62@-140"), Typed("\u22125 \u00b0C", "db:-6.5@170"), thawed,
                 Typed("hot", "swr:1.8@60")};
    const TCaseReadResult r = ReadCaseFile(CaseFileText(c));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty()) << r.warning;
    EXPECT_EQ(r.c.loadSet, c.loadSet);
    EXPECT_TRUE(r.c.robust);
    // a case without a set writes no section, and reads back with none
    const std::string plain = CaseFileText(DefaultCase());
    EXPECT_EQ(plain.find("\"load_set\""), std::string::npos);
    EXPECT_TRUE(ReadCaseFile(plain).c.loadSet.empty());
}

struct TDamaged {
    const char* name;
    const char* section;
    const char* words;
};

class DamagedLoadSet : public ::testing::TestWithParam<TDamaged> {};

TEST_P(DamagedLoadSet, IsRefusedWithWhereAndWhat)
{
    std::string text = CaseFileText(DefaultCase());
    text.insert(text.rfind('}'), std::string(",\n  \"load_set\": ") + GetParam().section + "\n");
    const TCaseReadResult r = ReadCaseFile(text);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().words), std::string::npos) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    CaseFile, DamagedLoadSet,
    ::testing::Values(
        TDamaged{"not_an_object", "[1]", "load_set: an object is expected"},
        TDamaged{"robust_a_number", "{\"robust\": 1}", "load_set.robust: true or false"},
        TDamaged{"loads_an_object", "{\"loads\": {}}", "load_set.loads: a list is expected"},
        TDamaged{"no_name", "{\"loads\": [{\"load\": \"0.5@0\"}]}", "load_set.loads[0].name"},
        TDamaged{"both_kinds", "{\"loads\": [{\"name\": \"a\", \"load\": \"0.5@0\", \"measured\": {}}]}",
                 "load_set.loads[0]: either"},
        TDamaged{"neither_kind", "{\"loads\": [{\"name\": \"a\"}, {\"name\": \"b\"}]}", "load_set.loads[0]: either"},
        TDamaged{"a_bad_reflection", "{\"loads\": [{\"name\": \"a\", \"load\": \"0.5@0\"}, {\"name\": \"b\", \"load\": \"x\"}]}",
                 "load_set.loads[1].load"},
        TDamaged{"a_bad_measurement", "{\"loads\": [{\"name\": \"a\", \"measured\": {\"points\": []}}]}",
                 "load_set.loads[0].measured.points"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
}  // namespace merivane::present
