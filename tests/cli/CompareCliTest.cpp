// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --compare FILE: the case of a case file or of a JSON export is
// the reference, the options' case the current one, and the Compare view's
// rows come out as text, CSV or JSON. A file that cannot be the reference is
// bad usage with the reason.
#include "Calc.h"
#include "RowNames.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <charconv>
#include <cmath>

namespace {

// 5000 V, 2 A, 80 %: Pmatch 8000 W.
const char* const kBenchCase = R"({"format": "merivane-case", "version": 1, "name": "Bench",
 "inputs": {"va": 5000, "ia": 2, "eff": 80, "source": "0.2@0", "load": "0.5@90"}})";

class Compare : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& text)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    // The export of the default case, as --format json writes it.
    QString DefaultExport()
    {
        const TRun r = RunCalc({"--format", "json"});
        EXPECT_EQ(r.status, 0);
        return Write("default.json", QByteArray::fromStdString(r.out));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    static QJsonArray Rows(const TRun& r)
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object().value("comparison").toArray();
    }
    static QJsonObject Row(const QJsonArray& rows, const QString& section, const QString& quantity)
    {
        for (const QJsonValue& v : rows) {
            const QJsonObject o = v.toObject();
            if (o.value("section").toString() == section && o.value("quantity").toString() == quantity) return o;
        }
        ADD_FAILURE() << "no row " << section.toStdString() << " / " << quantity.toStdString();
        return {};
    }
    static double Number(const QString& text)
    {
        const std::string s = text.toStdString();
        double x = NAN;
        std::from_chars(s.data() + (s.starts_with('+') ? 1 : 0), s.data() + s.size(), x);
        return x;
    }

private:
    QTemporaryDir dir_;
};

struct TChange {
    const char* name;
    QStringList args;        // the current case against the default one
    const char* section;
    const char* quantity;
    const char* reference;   // as the current case's units show it
    const char* current;
    double changePercent;    // (current - reference) / reference * 100, by hand
};

class CompareRows : public Compare, public ::testing::WithParamInterface<TChange> {};

TEST_P(CompareRows, ShowTheChangeAgainstTheReference)
{
    const TChange& t = GetParam();
    const TRun r = RunCalc(QStringList{"--compare", DefaultExport(), "--format", "json"} + t.args);
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject row = Row(Rows(r), t.section, t.quantity);
    EXPECT_EQ(row.value("reference").toString(), t.reference);
    EXPECT_EQ(row.value("current").toString(), t.current);
    EXPECT_NEAR(Number(row.value("change_percent").toString()), t.changePercent, 0.005);
    EXPECT_TRUE(row.value("differs").toBool());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CompareRows,
    ::testing::Values(
        // 5000 / 4000 - 1 = +25 %
        TChange{"voltage", {"--va", "5000"}, "Inputs", "Anode V", "4000 V", "5000 V", 25},
        // Pmatch = Va Ia Eff: 5000 * 3 * 0.85 = 12750 W against 10200 W, +25 %
        TChange{"power at 5000 V", {"--va", "5000"}, "Magnetron Output", "Power to Match", "10.2 kW", "12.75 kW", 25},
        // 4000 * 1.5 * 0.85 = 5100 W, -50 %
        TChange{"half the current", {"--ia", "1.5"}, "Magnetron Output", "Power to Match", "10.2 kW", "5.1 kW", -50},
        // the same through --power-to-match 5100: Ia = 5100 / 3400 = 1.5 A, -50 %
        TChange{"power to match", {"--power-to-match", "5100"}, "Inputs", "Anode I", "3 A", "1.5 A", -50},
        // both sides in the current case's unit: 10 log10(10.2e6 mW) = 70.09 dBm against
        // 10 log10(5.1e6 mW) = 67.08 dBm; the change is the power's, -50 %
        TChange{"efficiency in dBm", {"--eff", "42.5", "--power-unit", "dBm"}, "Magnetron Output", "Power to Match",
                "70.09 dBm", "67.08 dBm", -50}),
    ROW_NAMES(std::string(r.name)));

TEST_F(Compare, ACaseAgainstItselfDiffersNowhere)
{
    const QString caseFile = Write("bench.merivane", kBenchCase);
    const QStringList same[] = {{"--compare", DefaultExport()},
                                {"--compare", caseFile, "--case", caseFile}};
    for (const QStringList& args : same) {
        const TRun r = RunCalc(args + QStringList{"--format", "json"});
        ASSERT_EQ(r.status, 0) << r.err;
        const QJsonArray rows = Rows(r);
        ASSERT_FALSE(rows.isEmpty());
        for (const QJsonValue& v : rows) EXPECT_FALSE(v.toObject().value("differs").toBool()) << r.out;
    }
}

TEST_F(Compare, ACaseFileIsAReferenceToo)
{
    // 5000 V, 2 A, 80 %: 8000 W against the default 10200 W, +27.5 %
    const TRun r = RunCalc({"--compare", Write("bench.merivane", kBenchCase), "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject row = Row(Rows(r), "Magnetron Output", "Power to Match");
    EXPECT_EQ(row.value("reference").toString(), "8 kW");
    EXPECT_NEAR(Number(row.value("change_percent").toString()), 27.5, 0.005);
}

TEST_F(Compare, TextCsvAndJsonHoldTheSameRows)
{
    const QString reference = DefaultExport();
    const TRun json = RunCalc({"--compare", reference, "--va", "5000", "--format", "json"});
    const TRun csv = RunCalc({"--compare", reference, "--va", "5000", "--format", "csv"});
    const TRun text = RunCalc({"--compare", reference, "--va", "5000"});
    ASSERT_EQ(json.status + csv.status + text.status, 0) << json.err << csv.err << text.err;
    const std::vector<std::string> lines = TextLines(csv.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "section,quantity,reference,current,difference,change_percent,differs");
    EXPECT_EQ(static_cast<qsizetype>(lines.size() - 1), Rows(json).size());
    EXPECT_EQ(lines[1], "Inputs,Anode V,4000 V,5000 V,+1000 V,+25,1");
    const std::vector<TTextSection> sections = ParseText(text.out);
    ASSERT_FALSE(sections.empty());
    EXPECT_EQ(sections[0].title, "Inputs");
    EXPECT_EQ(sections[0].columns, (std::vector<std::string>{"Reference", "Current", "Difference", "Change %"}));
    std::size_t rows = 0;
    for (const TTextSection& s : sections) rows += s.captions.size();
    EXPECT_EQ(static_cast<qsizetype>(rows), Rows(json).size());
}

struct TBadReference {
    const char* name;
    const char* file;  // nullptr: no such file
    const char* message;
};

class BadReference : public Compare, public ::testing::WithParamInterface<TBadReference> {};

TEST_P(BadReference, IsBadUsageWithTheReason)
{
    const TBadReference& t = GetParam();
    const QString path = t.file ? Write("reference.json", t.file) : Path("missing.json");
    const TRun r = RunCalc({"--compare", path});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("--compare"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(t.message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadReference,
    ::testing::Values(
        TBadReference{"missing", nullptr, "cannot read"},
        TBadReference{"results only", R"({"results": {"Va": 4000, "Pmatch": 10200}})", "without their inputs"},
        TBadReference{"damaged", "{\"inputs\": {\"va\": 40", "damaged"},
        TBadReference{"another format", R"({"format": "spreadsheet"})", "not a Merivane case"}),
    ROW_NAMES(std::string(r.name)));

TEST_F(Compare, IsOneCaseAndNotABatch)
{
    const TRun r = RunCalc({"--compare", DefaultExport(), "--batch", "-"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--compare cannot be used with --batch"), std::string::npos) << r.err;
}

}  // namespace
