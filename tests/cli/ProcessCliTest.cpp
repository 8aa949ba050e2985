// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's process: --load-set with --robust and --match gives the
// one setting for the whole set, never worse than the nominal one, with the
// envelope; and the options and files it refuses, naming the line.
//
// The pair worked by symmetry: y = 1 + 0.8j and y = 1 - 0.2j. An E-H tuner's
// shunt of -0.3 leaves 1 +- 0.5j, |G| = 0.5 / sqrt(4 + 0.25) = 0.242536 at
// both: the robust setting is at most that. Matched on the first
// alone with the shunt first (-0.8), the second keeps y = 1 - 1j: |G| = 1 / sqrt(5) = 0.447214.
#include "Calc.h"

#include "RowNames.h"
#include "TempFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cmath>

namespace {

QJsonObject Json(const TRun& r)
{
    EXPECT_EQ(r.status, 0) << r.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

class ProcessCli : public ::testing::Test {
protected:
    QString Write(const char* name, const char* text) { return WriteTempFile(dir_, name, text); }
    // G = (1 - y) / (1 + y): y = 1 + 0.8j is 0.371391 at -111.801 deg, y = 1 - 0.2j 0.099504 at 95.711 deg
    QString Pair()
    {
        return Write("pair.csv", "name,load\nstart,0.3713906764@-111.80140949\nend,0.0995037190@95.71059314\n");
    }
    QTemporaryDir dir_;
};

TEST_F(ProcessCli, TheRobustSettingMeetsBothLoadsHalfWay)
{
    const QJsonObject o = Json(RunCalc({"--load-set", Pair(), "--robust", "--match", "eh", "--format", "json"}));
    const QJsonObject robust = o.value("robust").toObject();
    EXPECT_EQ(robust.value("method").toString(), "eh");
    EXPECT_LE(robust.value("worst_gamma_mag").toDouble(), 0.5 / std::sqrt(4.25) + 1e-9);
    // matched on the first alone (1 / sqrt 5 with the shunt first), the second is left far worse
    EXPECT_GT(robust.value("nominal_worst_gamma_mag").toDouble(), 0.4);
    const QJsonArray loads = robust.value("loads").toArray();
    ASSERT_EQ(loads.size(), 2);
    EXPECT_EQ(loads[0].toObject().value("name").toString(), "start");
    EXPECT_EQ(loads[1].toObject().value("name").toString(), "end");
    // both loads left at the same |Gin| by symmetry
    EXPECT_NEAR(loads[0].toObject().value("gamma_mag_after").toDouble(),
                loads[1].toObject().value("gamma_mag_after").toDouble(), 1e-5);
    // the envelope: nothing set for the trip, the dummy load nor the water load
    const QJsonObject envelope = o.value("envelope").toObject();
    EXPECT_LE(envelope.value("absorbed_min_w").toDouble(), envelope.value("absorbed_max_w").toDouble());
    EXPECT_TRUE(envelope.value("trip_margin_db").isNull());
}

TEST_F(ProcessCli, OneLoadIsMatchedExactly)
{
    const QString one = Write("one.csv", "name,load\nnominal,0.5@90\n");
    for (const char* method : {"single-stub", "three-stub", "eh", "double-stub"}) {
        const QJsonObject robust =
            Json(RunCalc({"--load-set", one, "--robust", "--match", method, "--format", "json"})).value("robust").toObject();
        EXPECT_LT(robust.value("worst_gamma_mag").toDouble(), 1e-9) << method;
    }
}

// With a screw table the robust three-stub setting names each screw's
// depth. The table is linear, b = 0.1 d up to 20 mm: a depth is 10 b, null
// for a b beyond 2, 0 for a screw out (b = 0).
TEST_F(ProcessCli, TheRobustScrewsStandWhereTheTablePutsThem)
{
    const QString one = Write("one.csv", "name,load\nnominal,0.5@90\n");
    const QString table = Write("screws.csv", "depth_mm,susceptance\n0,0\n20,2\n");
    const QJsonObject settings = Json(RunCalc({"--load-set", one, "--robust", "--match", "three-stub",
                                               "--screw-table", table, "--format", "json"}))
                                     .value("robust").toObject().value("settings").toObject();
    const QJsonArray b = settings.value("susceptances").toArray();
    const QJsonArray depth = settings.value("screw_depths_mm").toArray();
    ASSERT_EQ(b.size(), 3);
    ASSERT_EQ(depth.size(), 3);
    for (int k = 0; k < 3; ++k) {
        if (b[k].toDouble() > 2)
            EXPECT_TRUE(depth[k].isNull()) << k;
        else
            EXPECT_NEAR(depth[k].toDouble(), 10 * b[k].toDouble(), 1e-9) << k;
    }
}

// The E-H tuner and the single stub have no spacing: null, as the match
// writes it; the guide wavelength is the line's, WR340 at 2450 MHz:
// lambda_g = lambda0 / sqrt(1 - (lambda0 / 2a)^2) = 173.38 mm.
TEST_F(ProcessCli, ATunerWithoutSpacingHasNoneAndTheLinesWavelength)
{
    for (const char* method : {"eh", "single-stub"}) {
        const QJsonObject robust =
            Json(RunCalc({"--load-set", Pair(), "--robust", "--match", method, "--format", "json"})).value("robust").toObject();
        EXPECT_TRUE(robust.value("spacing_mm").isNull()) << method;
        EXPECT_NEAR(robust.value("guide_wavelength_mm").toDouble(), 173.38, 0.01) << method;
    }
}

// A case file's set and robust flag stand: --robust alone takes the case's
// tuner, and a saved robust case needs no option at all.
TEST_F(ProcessCli, ACaseFilesSetIsComputedWithItsTuner)
{
    const auto caseWith = [this](const char* name, bool robust) {
        return Write(name, (std::string("{\"format\": \"merivane-case\", \"version\": 1, \"tuner\": {\"method\": \"eh\"},\n"
                                        " \"load_set\": {\"robust\": ") +
                            (robust ? "true" : "false") +
                            ", \"loads\": [{\"name\": \"start\", \"load\": \"0.3713906764@-111.80140949\"},"
                            " {\"name\": \"end\", \"load\": \"0.0995037190@95.71059314\"}]}}\n")
                               .c_str());
    };
    const QJsonObject saved = Json(RunCalc({"--case", caseWith("robust.merivane", true), "--format", "json"}));
    const QJsonObject asked = Json(RunCalc({"--case", caseWith("plain.merivane", false), "--robust", "--format", "json"}));
    for (const QJsonObject& o : {saved, asked}) {
        const QJsonObject robust = o.value("robust").toObject();
        EXPECT_EQ(robust.value("method").toString(), "eh");
        EXPECT_LE(robust.value("worst_gamma_mag").toDouble(), 0.5 / std::sqrt(4.25) + 1e-9);
    }
}

// --band narrows a measured set load to the case's frequency +- the
// half-width: of 2400 .. 2500 MHz in 10 MHz steps, 2430 .. 2470 are within 20.
TEST_F(ProcessCli, TheBandNarrowsTheSetsMeasuredLoads)
{
    std::string s1p = "# MHz S RI R 50\n";
    for (int f = 2400; f <= 2500; f += 10) s1p += std::to_string(f) + " 0.3 0.1\n";
    Write("product.s1p", s1p.c_str());
    const QString set = Write("measured.csv", "name,file,port\nproduct,product.s1p,1\n");
    const QJsonObject robust =
        Json(RunCalc({"--load-set", set, "--robust", "--match", "eh", "--band", "20", "--format", "json"}))
            .value("robust").toObject();
    EXPECT_EQ(robust.value("loads").toArray().size(), 5);
}

struct TRefused {
    const char* name;
    QStringList args;  // SET is the file below
    const char* set;
    const char* words;
};
class ProcessRefused : public ProcessCli, public ::testing::WithParamInterface<TRefused> {};

TEST_P(ProcessRefused, WithTheReason)
{
    QStringList args = GetParam().args;
    for (QString& a : args)
        if (a == "SET") a = Write("set.csv", GetParam().set);
    const TRun r = RunCalc(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().words), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, ProcessRefused,
    ::testing::Values(
        TRefused{"robust_without_match", {"--load-set", "SET", "--robust"}, "name,load\na,0.5\n", "--robust needs --match"},
        TRefused{"set_without_robust", {"--load-set", "SET", "--match", "eh"}, "name,load\na,0.5\n", "needs --robust"},
        TRefused{"bad_load", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,load\na,0.5\nb,abc\n", "line 3"},
        TRefused{"no_name", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,load\n,0.5\n", "line 2: a load needs a name"},
        TRefused{"bad_header", {"--load-set", "SET", "--robust", "--match", "eh"}, "title,load\na,0.5\n", "line 1"},
        TRefused{"no_loads", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,load\n", "no load"},
        TRefused{"missing_file", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,file\na,none.s1p\n", "line 2"},
        TRefused{"column_twice", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,load,load\na,0.5,0.3\n",
                 "line 1: the header names the column \"load\" twice"},
        TRefused{"cell_beyond_the_header", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,load\na,0.5,extra\n",
                 "line 2: the cell \"extra\" lies beyond"},
        TRefused{"name_twice", {"--load-set", "SET", "--robust", "--match", "eh"}, "name,load\na,0.5\nb,0.3\na,0.2\n",
                 "line 4: the name \"a\" is line 2's already"},
        TRefused{"in_a_batch", {"--batch", "SET", "--load-set", "SET", "--robust", "--match", "eh"}, "name,load\na,0.5\n",
                 "--load-set cannot be used with --batch"},
        TRefused{"band_without_measured", {"--load-set", "SET", "--robust", "--match", "eh", "--band", "20"},
                 "name,load\na,0.5\n", "--band needs a measured load"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
