// SPDX-License-Identifier: GPL-3.0-or-later
// The case file: cases written and read back give the same case and the same
// results bit for bit; each kind of bad file is refused or warned about as
// the format says; the window's JSON export opens as a case.
#include "CaseFile.h"
#include "EntryReader.h"
#include "Export.h"
#include "Fields.h"
#include "InputValues.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

namespace {

using namespace merivane;
using namespace merivane::present;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameResults(const TCase& a, const TCase& b)
{
    const TSnapshot x = ComputeCase(a), y = ComputeCase(b);
    for (const TFieldSpec& f : ModelFields()) EXPECT_TRUE(SameBits(f.value(x.m), f.value(y.m))) << f.name;
    EXPECT_TRUE(SameBits(x.sweep.AddForMax, y.sweep.AddForMax));
    EXPECT_TRUE(SameBits(x.sweep.SpreadDeg, y.sweep.SpreadDeg));
    ASSERT_EQ(x.sweep.Points.size(), y.sweep.Points.size());
    for (std::size_t i = 0; i < x.sweep.Points.size(); ++i) EXPECT_TRUE(SameBits(x.sweep.Points[i].Pload, y.sweep.Points[i].Pload));
}

struct TCaseRow {
    const char* name;
    std::function<void(TCase&)> make;
};

const TCaseRow kCases[] = {
    {"Default", [](TCase&) {}},
    {"EveryChoiceAwayFromItsDefault",
     [](TCase& c) {
         c.name = "Line 3 \"after\" tuning\n\tnäher";
         SetFieldValue(c.inputs, Input::AnodeV, 3999);
         SetFieldValue(c.inputs, Input::AnodeI, 0.1 + 0.2);
         SetFieldValue(c.inputs, Input::Effic, 85.7);
         SetFieldValue(c.inputs, Input::SrcMag, -13.5, 1);
         c.display.srcRfl = 1;
         c.inputs.SrcRfl.Pha = -179.99;
         SetFieldValue(c.inputs, Input::LoaMag, 2.7, 2);
         c.display.loaRfl = 2;
         c.inputs.LoaRfl.Pha = 123.456789;
         c.inputs.CplDirDb = 27.3;
         c.ideal = false;
         c.line.FreqMHz = 915;
         c.line.Line = LineType::CustomWaveguide;
         c.line.WidthMm = 72.14;
         c.line.LengthM = 3.25;
         c.line.SpanMHz = 7.5;
         c.display.power = PowerUnit::Dbm;
         c.display.srcMism = 2;
         c.display.loaMism = 1;
         c.display.meaRfl = 2;
         c.factorUnit = 2;
         c.measUnit = 1;
     }},
    {"CoaxWithIdealCouplersKeepingADirectivity",
     [](TCase& c) {
         c.line.Line = LineType::Coax;
         c.line.Vf = 0.66;
         c.line.WidthMm = 109.22;
         c.inputs.CplDirDb = 35;
         c.ideal = true;
         c.display.power = PowerUnit::DbkW;
         c.factorUnit = 1;
         c.measUnit = 2;
     }},
    {"ExtremesAndNoSelection",
     [](TCase& c) {
         SetFieldValue(c.inputs, Input::AnodeV, 100000);
         SetFieldValue(c.inputs, Input::AnodeI, 1.234567890123e-5);
         SetFieldValue(c.inputs, Input::Effic, 100.0 / 3);
         SetFieldValue(c.inputs, Input::SrcMag, 0);
         SetFieldValue(c.inputs, Input::LoaMag, 1);
         c.inputs.LoaRfl.Pha = 180;
         c.line.Line = LineType::WR975;
         c.line.FreqMHz = 100000;
         c.line.LengthM = 1.0 / 7;
         c.display.power = PowerUnit::None;
         c.display.srcRfl = -1;
         c.display.loaRfl = -1;
         c.display.srcMism = -1;
         c.display.meaRfl = -1;
     }},
    {"ReturnLossAtItsFloorAndSwrOfAFullReflection",
     [](TCase& c) {
         SetFieldValue(c.inputs, Input::SrcMag, -160, 1);
         c.display.srcRfl = 1;
         SetFieldValue(c.inputs, Input::LoaMag, 9999.999, 2);
         c.display.loaRfl = 2;
         c.line.Line = LineType::WR284;
         c.display.power = PowerUnit::DbW;
     }},
};

class CaseRoundTrip : public testing::TestWithParam<TCaseRow> {};

TEST_P(CaseRoundTrip, ReadsBackTheSameCaseAndComputesTheSameResultsBitForBit)
{
    TCase c = DefaultCase();
    GetParam().make(c);
    const std::string text = CaseFileText(c);
    const TCaseReadResult r = ReadCaseFile(text);
    ASSERT_TRUE(r.ok) << r.error << "\n" << text;
    EXPECT_EQ(r.warning, "") << text;
    EXPECT_TRUE(r.c == c) << text;
    ExpectSameResults(r.c, c);
    // and writing what was read gives the same text again
    EXPECT_EQ(CaseFileText(r.c), text);
}

INSTANTIATE_TEST_SUITE_P(Cases, CaseRoundTrip, testing::ValuesIn(kCases),
                         [](const auto& i) { return std::string(i.param.name); });

// The example of the format: the default case in the forms merivane-calc takes.
TEST(CaseFileText, TheDefaultCaseIsWrittenAsTheFormatShowsIt)
{
    TCase c = DefaultCase();
    c.name = "Line 3 after tuning";
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(CaseFileText(c)), &e);
    ASSERT_EQ(e.error, QJsonParseError::NoError);
    const QJsonObject o = doc.object();
    EXPECT_EQ(o["format"].toString(), "merivane-case");
    EXPECT_EQ(o["version"].toInt(), 1);
    EXPECT_EQ(o["name"].toString(), "Line 3 after tuning");
    const QJsonObject in = o["inputs"].toObject();
    EXPECT_EQ(in["va"].toDouble(), 4000.0);
    EXPECT_EQ(in["ia"].toDouble(), 3.0);
    EXPECT_EQ(in["eff"].toDouble(), 85.0);
    EXPECT_EQ(in["source"].toString(), "0.2@0");
    EXPECT_EQ(in["load"].toString(), "0.5@90");
    EXPECT_EQ(in["directivity"].toDouble(), 20.0);
    EXPECT_TRUE(in["ideal"].toBool());
    const QJsonObject line = o["line"].toObject();
    EXPECT_EQ(line["frequency"].toDouble(), 2450.0);
    EXPECT_EQ(line["line"].toString(), "WR340");
    EXPECT_EQ(line["length"].toDouble(), 0.0);
    EXPECT_EQ(line["span"].toDouble(), 0.0);
    const QJsonObject d = o["display"].toObject();
    EXPECT_EQ(d["power_unit"].toString(), "W");
    EXPECT_EQ(d["factor_unit"].toString(), "mag");
    EXPECT_EQ(d["meas_unit"].toString(), "power");
    for (const char* k : {"source_form", "load_form", "source_mismatch", "load_mismatch", "meas_reflection"})
        EXPECT_EQ(d[k].toString(), "mag") << k;
}

TEST(CaseFileText, TheLineIsWrittenAsTheCommandLineTakesIt)
{
    TCase c = DefaultCase();
    c.line.Line = LineType::CustomWaveguide;
    c.line.WidthMm = 72.14;
    EXPECT_NE(CaseFileText(c).find("\"line\": \"waveguide:72.14\""), std::string::npos);
    c.line.Line = LineType::Coax;
    c.line.Vf = 0.66;
    EXPECT_NE(CaseFileText(c).find("\"line\": \"coax:0.66\""), std::string::npos);
}

TEST(SaveCaseFile, WritesTheWholeTextAndRefusesAFolderThatIsNotThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TCase c = DefaultCase();
    c.name = "saved";
    const QString path = dir.filePath("a.merivane");
    QString reason;
    ASSERT_TRUE(SaveCaseFile(path, c, &reason)) << reason.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), CaseFileText(c));
    EXPECT_FALSE(SaveCaseFile(dir.filePath("missing/b.merivane"), c, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

}  // namespace

namespace {

using namespace merivane::present;

// A magnitude typed as Mag and then shown in dB or SWR is written in the form
// it was typed in, so that it reads back exactly, whatever the list shows.
TEST(CaseFileForms, AReflectionShownInAnotherFormReadsBackExactly)
{
    for (int list : {0, 1, 2}) {
        for (int typed : {0, 1, 2}) {
            TCase c = DefaultCase();
            const double value[] = {0.35, -9.5, 2.7};
            SetReflMagnitude(c.inputs.LoaRfl, typed, value[typed]);
            c.display.loaRfl = list;
            const TCaseReadResult r = ReadCaseFile(CaseFileText(c));
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_TRUE(r.c == c) << "typed " << typed << ", shown " << list;
            EXPECT_EQ(ComputeCase(r.c).m.Pload, ComputeCase(c).m.Pload);
        }
    }
}

}  // namespace
