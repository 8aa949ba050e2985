// SPDX-License-Identifier: GPL-3.0-or-later
// Reading case files that are not as Merivane writes them: damaged, newer,
// of another format, with unknown or missing keys, with numbers beyond their
// limits or values of the wrong type, typed as a user types; and the
// window's JSON export.
#include "CaseFile.h"
#include "EntryReader.h"
#include "Export.h"
#include "InputValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using namespace merivane;
using namespace merivane::present;

// A case file of the given sections after the header.
std::string File(const std::string& body)
{
    return "{\"format\": \"merivane-case\", \"version\": 1" + (body.empty() ? "" : ", " + body) + "}";
}

struct TRefusedRow {
    const char* name;
    std::string text;
    std::vector<std::string> says;  // what the message holds
};

const TRefusedRow kRefused[] = {
    // the comma after 1 is missing: the parser stops at the quote opening "name"
    {"DamagedMissingComma", "{\n  \"format\": \"merivane-case\",\n  \"version\": 1\n  \"name\": \"x\"\n}",
     {"damaged", "line 4, column 3"}},
    // x at the 18th character of the third line
    {"DamagedBadNumber", "{\n\"format\": \"merivane-case\",\n\"inputs\": {\"va\": x}\n}", {"damaged", "line 3, column 18"}},
    {"DamagedTextAfterTheEnd", "{\"format\": \"merivane-case\"} x", {"damaged", "line 1, column 29"}},
    // columns count characters, not bytes: é is one
    {"DamagedAfterAnAccent", "{\"name\": \"é\" \"x\"}", {"damaged", "line 1, column 14"}},
    {"Empty", "", {"damaged", "line 1, column 1"}},
    {"NewerVersion", "{\"format\": \"merivane-case\", \"version\": 2}", {"version 2", "newer"}},
    {"VersionNotANumber", "{\"format\": \"merivane-case\", \"version\": \"1\"}", {"version"}},
    {"OtherFormat", "{\"format\": \"other-program\", \"version\": 1}", {"\"other-program\"", "not a Merivane case"}},
    {"NoFormat", "{\"inputs\": {\"va\": 4000}}", {"not a Merivane case"}},
    {"NotAnObject", "[1, 2]", {"not a Merivane case"}},
    {"NumberOfTheWrongType", File("\"inputs\": {\"va\": true}"), {"inputs.va", "number is expected"}},
    {"SectionOfTheWrongType", File("\"inputs\": [1]"), {"inputs", "object is expected"}},
    {"IdealOfTheWrongType", File("\"inputs\": {\"ideal\": \"yes\"}"), {"inputs.ideal"}},
    {"NameOfTheWrongType", File("\"name\": 5"), {"name"}},
    {"TextThatIsNoNumber", File("\"inputs\": {\"ia\": \"three\"}"), {"inputs.ia", "\"three\": not a number"}},
    {"VoltsNotWhole", File("\"inputs\": {\"va\": 4000.5}"), {"inputs.va", "not a whole number"}},
    {"ReflectionBeyondItsLimits", File("\"inputs\": {\"source\": \"1.5@0\"}"), {"inputs.source", "magnitude outside 0 .. 1"}},
    {"UnknownPowerUnit", File("\"display\": {\"power_unit\": \"kW\"}"), {"display.power_unit", "\"kW\""}},
    {"UnknownLine", File("\"line\": {\"line\": \"WR999\"}"), {"line.line", "\"WR999\""}},
    {"LineWidthNotANumber", File("\"line\": {\"line\": \"waveguide:wide\"}"), {"line.line", "not a number"}},
};

class RefusedFile : public testing::TestWithParam<TRefusedRow> {};

TEST_P(RefusedFile, IsRefusedWithAMessageAndNothingRead)
{
    const TRefusedRow& t = GetParam();
    const TCaseReadResult r = ReadCaseFile(t.text);
    EXPECT_FALSE(r.ok);
    for (const std::string& s : t.says) EXPECT_NE(r.error.find(s), std::string::npos) << r.error << "\nlacks: " << s;
    EXPECT_TRUE(r.c == DefaultCase());
    EXPECT_EQ(r.warning, "");
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFile, testing::ValuesIn(kRefused),
                         [](const auto& i) { return std::string(i.param.name); });

struct TReadRow {
    const char* name;
    std::string text;
    std::function<void(TCase&)> expect;  // the change from the default case
    std::vector<std::string> warns;      // what the warning holds; none: no warning
};

const TReadRow kReads[] = {
    {"OnlyTheHeaderGivesTheDefaults", File(""), [](TCase&) {}, {}},
    {"NullSectionsGiveTheDefaults", File("\"inputs\": null, \"line\": null, \"display\": null"), [](TCase&) {}, {}},
    {"AMissingKeyTakesItsDefault", File("\"inputs\": {\"va\": 5000}"), [](TCase& c) { c.inputs.Va = 5000; }, {}},
    {"NoVersionReadsAsTheFirst", "{\"format\": \"merivane-case\", \"name\": \"n\"}", [](TCase& c) { c.name = "n"; }, {}},
    {"UnknownKeysNamedInOneWarning",
     File("\"colour\": \"red\", \"inputs\": {\"va\": 4000, \"vb\": 1}, \"display\": {\"theme\": 1}"), [](TCase&) {},
     {"colour", "inputs.vb", "display.theme"}},
    {"VoltsAboveTheLimitClamped", File("\"inputs\": {\"va\": 200000}"), [](TCase& c) { c.inputs.Va = 100000; },
     {"inputs.va", "clamped to 100000"}},
    {"EfficiencyAboveTheLimitClamped", File("\"inputs\": {\"eff\": 150}"), [](TCase& c) { c.inputs.Eff = 1.0; },
     {"inputs.eff", "clamped to 100"}},
    {"FrequencyBelowTheLimitClamped", File("\"line\": {\"frequency\": 0}"), [](TCase& c) { c.line.FreqMHz = 1; },
     {"line.frequency", "clamped to 1"}},
    {"KilovoltsAndMilliamperesAsTyped", File("\"inputs\": {\"va\": \"4.5 kV\", \"ia\": \"300 mA\"}"),
     [](TCase& c) {
         c.inputs.Va = 4500;
         c.inputs.Ia = 0.3;
     },
     {}},
    // |G| = 10^(-20/20) = 0.1; 370 degrees is 10
    {"PositiveDbIsAReturnLossAndThePhaseWraps", File("\"inputs\": {\"source\": \"db:20@370\"}"),
     [](TCase& c) {
         SetFieldValue(c.inputs, Input::SrcMag, -20, 1);
         c.inputs.SrcRfl.Pha = 10;
         c.display.srcRfl = 1;
     },
     {}},
    {"TheListsFormWinsOverTheTexts", File("\"inputs\": {\"load\": \"swr:3@90\"}, \"display\": {\"load_form\": \"mag\"}"),
     [](TCase& c) {
         // an SWR of 3 is a magnitude of 0.5, held as entered in Mag
         SetFieldValue(c.inputs, Input::LoaMag, 3, 2);
         SetFieldValue(c.inputs, Input::LoaMag, c.inputs.LoaRfl.Mag);
     },
     {}},
    // the default source of magnitude 0.2 under a dB list: the magnitude stays
    // exactly 0.2, as the window keeps a magnitude when its list changes
    {"AListsFormWithoutItsReflection", File("\"display\": {\"source_form\": \"dB\"}"),
     [](TCase& c) { c.display.srcRfl = 1; },
     {}},
    {"DirectivityNullIsIdeal", File("\"inputs\": {\"directivity\": null}"), [](TCase& c) { c.ideal = true; }, {}},
    {"ADirectivityAloneIsACoupler", File("\"inputs\": {\"directivity\": 30}"),
     [](TCase& c) {
         c.ideal = false;
         c.inputs.CplDirDb = 30;
     },
     {}},
    {"IdealBesideADirectivityKeepsIt", File("\"inputs\": {\"directivity\": 30, \"ideal\": true}"),
     [](TCase& c) { c.inputs.CplDirDb = 30; }, {}},
    {"CustomWaveguide", File("\"line\": {\"line\": \"waveguide:72.14\"}"),
     [](TCase& c) {
         c.line.Line = LineType::CustomWaveguide;
         c.line.WidthMm = 72.14;
     },
     {}},
    {"CoaxWinsOverItsKey", File("\"line\": {\"line\": \"coax:0.66\", \"vf\": 0.8}"),
     [](TCase& c) {
         c.line.Line = LineType::Coax;
         c.line.Vf = 0.66;
     },
     {}},
    {"PresetInSmallLetters", File("\"line\": {\"line\": \"wr430\"}"), [](TCase& c) { c.line.Line = LineType::WR430; }, {}},
    {"ChoicesInAnyCase", File("\"display\": {\"power_unit\": \"DBM\", \"factor_unit\": \"db\", \"meas_unit\": \"%\"}"),
     [](TCase& c) {
         c.display.power = PowerUnit::Dbm;
         c.factorUnit = 2;
         c.measUnit = 1;
     },
     {}},
    {"AByteOrderMarkIsSkipped", "\xEF\xBB\xBF" + File("\"name\": \"bom\""), [](TCase& c) { c.name = "bom"; }, {}},
};

class ReadFile : public testing::TestWithParam<TReadRow> {};

TEST_P(ReadFile, ReadsTheCaseWithTheRightWarning)
{
    const TReadRow& t = GetParam();
    const TCaseReadResult r = ReadCaseFile(t.text);
    ASSERT_TRUE(r.ok) << r.error;
    TCase expected = DefaultCase();
    t.expect(expected);
    EXPECT_TRUE(r.c == expected) << t.text;
    if (t.warns.empty()) {
        EXPECT_EQ(r.warning, "");
    }
    for (const std::string& s : t.warns) EXPECT_NE(r.warning.find(s), std::string::npos) << r.warning << "\nlacks: " << s;
}

INSTANTIATE_TEST_SUITE_P(Files, ReadFile, testing::ValuesIn(kReads),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(ReadCaseFile, UnknownKeysMakeOneWarningOfOneLine)
{
    const TCaseReadResult r = ReadCaseFile(File("\"a\": 1, \"b\": 2, \"line\": {\"c\": 3}"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.warning.find('\n'), std::string::npos) << r.warning;
    for (const char* k : {"a", "b", "line.c"}) EXPECT_NE(r.warning.find(k), std::string::npos) << k;
}

struct TExportRow {
    const char* name;
    std::function<void(TCase&)> make;
};

const TExportRow kExports[] = {
    {"Default", [](TCase&) {}},
    {"CouplersInDbAndSwr",
     [](TCase& c) {
         SetFieldValue(c.inputs, Input::AnodeV, 5200);
         SetFieldValue(c.inputs, Input::AnodeI, 1.75);
         SetFieldValue(c.inputs, Input::Effic, 72);
         SetFieldValue(c.inputs, Input::SrcMag, -9.5, 1);
         c.inputs.SrcRfl.Pha = -45;
         c.display.srcRfl = 1;
         SetFieldValue(c.inputs, Input::LoaMag, 1.8, 2);
         c.inputs.LoaRfl.Pha = 135;
         c.display.loaRfl = 2;
         c.inputs.CplDirDb = 25;
         c.ideal = false;
     }},
};

class ExportAsCase : public testing::TestWithParam<TExportRow> {};

TEST_P(ExportAsCase, TheWindowsExportOpensWithTheSameInputs)
{
    TCase c = DefaultCase();
    GetParam().make(c);
    const TSnapshot s = ComputeCase(c);
    const TCaseReadResult r = ReadCaseFile(CaseJson(s.m, c.display));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.warning, "");
    // the export holds the inputs and the reflections' forms; the rest is the default
    TCase expected = DefaultCase();
    expected.inputs = c.inputs;
    expected.ideal = c.ideal;
    expected.display.srcRfl = c.display.srcRfl;
    expected.display.loaRfl = c.display.loaRfl;
    if (c.ideal) expected.inputs.CplDirDb = DefaultCase().inputs.CplDirDb;  // the export writes null
    EXPECT_TRUE(r.c == expected);
    const TSnapshot back = ComputeCase(r.c);
    EXPECT_EQ(back.m.Pload, s.m.Pload);
    EXPECT_EQ(back.m.Prefl, s.m.Prefl);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportAsCase, testing::ValuesIn(kExports),
                         [](const auto& i) { return std::string(i.param.name); });

}  // namespace
