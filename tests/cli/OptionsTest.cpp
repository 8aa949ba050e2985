// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's options: what is an error (the option and the text named,
// status 2), what is clamped with a warning, and what the outputs hold.
#include "Calc.h"
#include "InputRows.h"
#include "RowNames.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct TUsage {
    const char* name;
    QStringList args;
    int status;
    const char* err;  // the whole of standard error
};

class Usage : public ::testing::TestWithParam<TUsage> {};

TEST_P(Usage, SaysWhichOptionAndWhichText)
{
    const TRun r = RunCalc(GetParam().args);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_EQ(r.err, GetParam().err);
    if (GetParam().status == 2) {
        EXPECT_EQ(r.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, Usage,
    ::testing::Values(
        TUsage{"voltage not a number", {"--va", "abc"}, 2, "merivane-calc: --va \"abc\": not a whole number\n"},
        TUsage{"voltage with decimals", {"--va", "1500.5"}, 2, "merivane-calc: --va \"1500.5\": not a whole number\n"},
        TUsage{"current not a number", {"--ia", "x"}, 2, "merivane-calc: --ia \"x\": not a number\n"},
        TUsage{"efficiency beyond doubles", {"--eff", "1E400"}, 0,
               "merivane-calc: warning: --eff \"1E400\": outside 0 .. 100, clamped to 100\n"},
        TUsage{"magnitude above 1", {"--source", "1.5"}, 2, "merivane-calc: --source \"1.5\": magnitude outside 0 .. 1\n"},
        TUsage{"positive dB is a return loss", {"--load", "db:3@10"}, 0, ""},
        TUsage{"return loss beyond 160 dB", {"--load", "db:200@10"}, 2,
               "merivane-calc: --load \"db:200@10\": return loss outside -160 .. 0 dB\n"},
        TUsage{"magnitude beyond doubles", {"--load", "1E400"}, 2,
               "merivane-calc: --load \"1E400\": magnitude outside 0 .. 1\n"},
        TUsage{"SWR below 1", {"--load", "swr:0.5"}, 2, "merivane-calc: --load \"swr:0.5\": SWR outside 1 .. 100000\n"},
        TUsage{"phase not a number", {"--source", "0.2@north"}, 2,
               "merivane-calc: --source \"0.2@north\": the phase \"north\" is not a number\n"},
        TUsage{"magnitude missing", {"--load", "@45"}, 2,
               "merivane-calc: --load \"@45\": the magnitude \"\" is not a number\n"},
        TUsage{"directivity not a number", {"--directivity", "high"}, 2,
               "merivane-calc: --directivity \"high\": not a number\n"},
        TUsage{"power unit", {"--power-unit", "kW"}, 2,
               "merivane-calc: --power-unit \"kW\": not one of W, dBm, dBW, dBkW\n"},
        TUsage{"factor unit", {"--factor-unit", "ratio"}, 2,
               "merivane-calc: --factor-unit \"ratio\": not one of mag, %, dB\n"},
        TUsage{"format", {"--format", "xml"}, 2, "merivane-calc: --format \"xml\": not one of text, csv, json\n"},
        TUsage{"unknown option", {"--volts", "5"}, 2, "merivane-calc: Unknown option 'volts'.\n"},
        TUsage{"stray argument", {"5000"}, 2, "merivane-calc: unexpected argument \"5000\"\n"},
        TUsage{"batch and report", {"--batch", "-", "--report", "r.pdf"}, 2,
               "merivane-calc: --report cannot be used with --batch\n"},
        TUsage{"batch as json", {"--batch", "-", "--format", "json"}, 2,
               "merivane-calc: --batch writes CSV; --format \"json\" cannot be used with it\n"},
        TUsage{"batch file missing", {"--batch", "/no/such/cases.csv"}, 2,
               "merivane-calc: cannot read \"/no/such/cases.csv\": No such file or directory\n"},
        TUsage{"voltage clamped", {"--va", "250000"}, 0,
               "merivane-calc: warning: --va \"250000\": outside 0 .. 100000, clamped to 100000\n"},
        TUsage{"kA clamped", {"--ia", "2kA"}, 0, "merivane-calc: warning: --ia \"2kA\": outside 0 .. 1000, clamped to 1000\n"},
        TUsage{"phase wraps silently", {"--source", "0.2@270"}, 0, ""},
        TUsage{"efficiency clamped", {"--eff", "-5"}, 0,
               "merivane-calc: warning: --eff \"-5\": outside 0 .. 100, clamped to 0\n"},
        TUsage{"directivity clamped", {"--directivity", "200"}, 0,
               "merivane-calc: warning: --directivity \"200\": outside 0 .. 160, clamped to 160\n"},
        TUsage{"units in any case", {"--power-unit", "DBM", "--factor-unit", "Db", "--meas-unit", "POWER"}, 0, ""},
        // options the chosen mode does not use
        TUsage{"batch and power unit", {"--batch", "-", "--power-unit", "dBm"}, 2,
               "merivane-calc: --power-unit cannot be used with --batch\n"},
        TUsage{"batch and factor unit", {"--factor-unit", "dB", "--batch", "-"}, 2,
               "merivane-calc: --factor-unit cannot be used with --batch\n"},
        TUsage{"batch and meas unit", {"--batch", "-", "--meas-unit", "%"}, 2,
               "merivane-calc: --meas-unit cannot be used with --batch\n"},
        TUsage{"batch takes the line options", {"--batch", "-", "--line", "WR430", "--frequency", "915"}, 0, ""},
        // the line's options, read by the input table
        TUsage{"frequency not a number", {"--frequency", "GHz"}, 2, "merivane-calc: --frequency \"GHz\": not a number\n"},
        TUsage{"frequency clamped", {"--frequency", "0"}, 0,
               "merivane-calc: warning: --frequency \"0\": outside 1 .. 100000, clamped to 1\n"},
        TUsage{"length clamped", {"--length", "-1"}, 0,
               "merivane-calc: warning: --length \"-1\": outside 0 .. 10000, clamped to 0\n"},
        TUsage{"span not a number", {"--span", "wide"}, 2, "merivane-calc: --span \"wide\": not a number\n"},
        TUsage{"unknown line", {"--line", "WR650"}, 2,
               "merivane-calc: --line \"WR650\": neither waveguide:WIDTH_MM nor coax:VF, and not one of WR284, WR340, WR430, WR975, coax\n"},
        TUsage{"waveguide width not a number", {"--line", "waveguide:wide"}, 2,
               "merivane-calc: --line \"waveguide:wide\": the width \"wide\" is not a number\n"},
        TUsage{"waveguide width clamped", {"--line", "waveguide:0.5"}, 0,
               "merivane-calc: warning: --line \"waveguide:0.5\": width outside 1 .. 10000, clamped to 1\n"},
        TUsage{"velocity factor clamped", {"--line", "coax:1.5"}, 0,
               "merivane-calc: warning: --line \"coax:1.5\": velocity factor outside 0.1 .. 1, clamped to 1\n"},
        TUsage{"velocity factor not a number", {"--line", "COAX:fast"}, 2,
               "merivane-calc: --line \"COAX:fast\": the velocity factor \"fast\" is not a number\n"},
        // at most 40 characters of a bad text, counted as characters, then "…"
        TUsage{"long text quoted short", {"--ia", QString(50, QLatin1Char('x'))}, 2,
               "merivane-calc: --ia \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026\": not a number\n"},
        TUsage{"40 characters quoted whole", {"--ia", QString(40, QLatin1Char('x'))}, 2,
               "merivane-calc: --ia \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\": not a number\n"},
        TUsage{"two-byte characters counted once", {"--span", QString(41, QChar(0xE9))}, 2,
               "merivane-calc: --span \"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"
               "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"
               "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u2026\": not a number\n"},
        TUsage{"choice quoted short", {"--power-unit", QString(45, QLatin1Char('k'))}, 2,
               "merivane-calc: --power-unit \"kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk\u2026\": not one of W, dBm, dBW, dBkW\n"},
        TUsage{"unknown option quoted short", {"--" + QString(41, QLatin1Char('v'))}, 2,
               "merivane-calc: Unknown option 'vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv\u2026'.\n"},
        TUsage{"stray argument quoted short", {QString(41, QLatin1Char('7'))}, 2,
               "merivane-calc: unexpected argument \"7777777777777777777777777777777777777777\u2026\"\n"}),
    ROW_NAMES(std::string(r.name)));

TEST(Options, ClampedAndWrappedValuesAreTheOnesComputed)
{
    const TRun r = RunCalc({"--va", "250000", "--source", "0.2@270", "--format", "json"});
    ASSERT_EQ(r.status, 0);
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    EXPECT_EQ(doc.value("inputs").toObject().value("va").toInt(), 100000);
    EXPECT_EQ(doc.value("results").toObject().value("SrcRfl.Pha").toDouble(), -90);  // 270 - 360
    // 100000 V * 3 A * 0.85
    EXPECT_EQ(doc.value("results").toObject().value("Pmatch").toDouble(), 255000);
}

TEST(Options, ReflectionsInEachFormAndAPhaseKeptWhenLeftOut)
{
    // -20 dB is |G| 0.1; SWR 3 is |G| 0.5; without a phase the load keeps its 90 degrees
    const TRun r = RunCalc({"--source", "DB:-20@45", "--load", "swr:3", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject results = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object().value("results").toObject();
    EXPECT_NEAR(results.value("SrcRfl.Mag").toDouble(), 0.1, 1e-15);
    EXPECT_EQ(results.value("SrcRfl.Rloss").toDouble(), -20);
    EXPECT_EQ(results.value("SrcRfl.Pha").toDouble(), 45);
    EXPECT_EQ(results.value("LoaRfl.Mag").toDouble(), 0.5);
    EXPECT_EQ(results.value("LoaRfl.Swr").toDouble(), 3);
    EXPECT_EQ(results.value("LoaRfl.Pha").toDouble(), 90);
    // an SWR of 10000 is a full reflection; -160 dB none
    const TRun full = RunCalc({"--load", "swr:10000", "--source", "db:-160", "--format", "json"});
    const QJsonObject f = QJsonDocument::fromJson(QByteArray::fromStdString(full.out)).object().value("results").toObject();
    EXPECT_EQ(f.value("LoaRfl.Mag").toDouble(), 1);
    EXPECT_EQ(f.value("SrcRfl.Mag").toDouble(), 0);
    EXPECT_EQ(f.value("Pav").toDouble(), f.value("Pmatch").toDouble());  // a matched source
}

TEST(Options, HelpAndVersion)
{
    const TRun help = RunCalc({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* s : {"Usage: ", "--va <VOLTS>", "--source <REFL>", "--directivity <DB>", "--power-unit <U>",
                          "--batch <FILE>", "--report <FILE.pdf>", "db:RLOSS", "db:20",
                          "--frequency <MHZ>", "--line <LINE>", "--length <M>", "--span <MHZ>", "waveguide:WIDTH_MM",
                          "coax[:VF]", "guide_wavelength_mm", "absorbed_p97_5_w", "\"id\"", "\";\"", "Exit status: 0 success, 1 some batch rows bad, 2 bad usage, or a file or the"})
        EXPECT_NE(help.out.find(s), std::string::npos) << s;
    const TRun version = RunCalc({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "merivane-calc " MERIVANE_VERSION_TEXT "\n");
}

// --help's defaults are the input table's: a default changed in the table
// changes in the help too. The defaults by hand: 4000 V, 3 A, 85 %, 0.2 at
// 0 deg, 0.5 at 90 deg, 2450 MHz, WR340, 0 m, 0 MHz.
TEST(Options, TheHelpsDefaultsAreTheTablesDefaults)
{
    using merivane::present::Input;
    using merivane::present::InputRow;
    EXPECT_EQ(InputRow(Input::AnodeV).def, 4000);
    EXPECT_EQ(InputRow(Input::Effic).def, 85);
    EXPECT_EQ(InputRow(Input::LoaPha).def, 90);
    std::string help = RunCalc({"--help"}).out;
    // the help wraps its lines: one space for any run of blanks
    for (std::size_t at; (at = help.find("\n")) != std::string::npos;) help[at] = ' ';
    for (std::size_t at; (at = help.find("  ")) != std::string::npos;) help.erase(at, 1);
    const char* rows[] = {"--va <VOLTS> Anode voltage, whole volts (default 4000).",
                          "in A, or with mA or kA (default 3).",
                          "--eff <PERCENT> Efficiency in percent (default 85).",
                          "--source <REFL> Source reflection (default 0.2@0).",
                          "--load <REFL> Load reflection (default 0.5@90).",
                          "frequency in MHz (default 2450).",
                          "--line <LINE> Line Sweep: the line (default WR340).",
                          "line length in m (default 0).",
                          "Power unit: W, dBm, dBW or dBkW (default W).",
                          "factors: mag, % or dB (default mag).",
                          "measurements: power, % or dB (default power).",
                          "MAG (0 .. 1), db:RLOSS (-160 .. 0) or swr:SWR (1 .. 100000),",
                          "waveguide:WIDTH_MM (1 .. 10000) or coax[:VF] (0.1 .. 1, default 1).",
                          "attenuation in dB/m (0 .. 100).",
                          "breakdown field in kV/m (default 3000,",
                          "height in mm (default 43.18);"};
    for (const char* r : rows) EXPECT_NE(help.find(r), std::string::npos) << r;
}

}  // namespace
