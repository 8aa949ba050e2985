// Hostile settings files and hostile typing, through the real window.
#include "WindowFixture.h"
#include "RowNames.h"

#include "NumberText.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <cmath>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A saved file holds one section and the 26 keys, one line each.
void ExpectCleanFile(const QByteArray& text)
{
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 28) << text.left(200).toStdString();  // 27 lines and the empty rest
    EXPECT_EQ(lines[0], "[Merivane]");
    const char* keys[] = {"edAnodeV", "edAnodeI", "edSrcMag", "edLoaMag", "Top",      "Left",     "udEff",
                          "udSrcPha", "udDire",   "udLoaPha", "cbSrcRfl", "cbSrcMism", "cbLoaRfl", "cbLoaMism",
                          "cbMeaRfl", "rbWatt",   "rbDbm",    "rbDbW",    "rbDbkW",   "rbMagTr",  "rbPercTr",
                          "rbDbTr",   "rbPower",  "rbPerc",   "rbDb",     "chIdeal"};
    for (int i = 0; i < 26; ++i) EXPECT_TRUE(lines[i + 1].startsWith(QByteArray(keys[i]) + "=")) << lines[i + 1].toStdString();
    EXPECT_TRUE(lines[27].isEmpty());
}

struct HostileFile {
    const char* name;
    QByteArray (*make)();
    const char* anodeV;  // what the anode voltage field shows after start-up
    const char* effic;
};

QByteArray TenMegabytes()
{
    QByteArray b = "[Merivane]\nedAnodeV=1500\n";
    while (b.size() < 10 * 1024 * 1024) b += "junk" + QByteArray::number(b.size()) + "=" + QByteArray(60, 'z') + "\n";
    return b + "udEff=50\n";
}
QByteArray Garbage()
{
    QRandomGenerator rng(42);
    QByteArray b(200000, '\0');
    for (auto& c : b) c = static_cast<char>(rng.bounded(256));
    return b;
}
QByteArray Nuls() { return QByteArray("[Merivane]\nedAnodeV=15\0\0 00\nudEff=50\n", 36); }
QByteArray NoFinalNewline() { return "[Merivane]\nedAnodeV=1500\nudEff=50"; }
QByteArray ManySections()
{
    QByteArray b;
    for (int i = 0; i < 100000; ++i) b += "[S" + QByteArray::number(i) + "]\na=1\n";
    return b + "[Merivane]\nedAnodeV=1500\nudEff=50\n";
}
QByteArray RepeatedKey() { return "[Merivane]\nedAnodeV=1\nudEff=10\nedAnodeV=1500\nudEff=50\n"; }
QByteArray Crlf() { return "[Merivane]\r\nedAnodeV=1500\r\nudEff=50\r\n"; }
QByteArray Bom() { return "\xEF\xBB\xBF[Merivane]\nedAnodeV=1500\nudEff=50\n"; }
QByteArray BrokenKeys() { return "[Merivane]\nedAnodeV\nudEff==5\n=7\n[Merivane\nudDire=x\ncbSrcRfl=2147483648\nTop=$\n"; }

class HostileFiles : public WindowTest, public ::testing::WithParamInterface<HostileFile> {};

TEST_P(HostileFiles, StartUpTakesTheDefaultsAndTheNextSaveIsClean)
{
    const HostileFile& c = GetParam();
    WriteSettings(c.make());
    Show();
    EXPECT_EQ(S(Edit("edAnodeV")->text()), c.anodeV) << c.name;
    EXPECT_EQ(S(Edit("edEffic")->text()), c.effic) << c.name;
    for (const char* lb : {"lbPmatch2", "lbPav", "lbPload2", "lbPloadMinV"}) {
        const QString t = Text(lb);
        EXPECT_FALSE(t.contains("nan", Qt::CaseInsensitive) || t.contains("inf", Qt::CaseInsensitive)) << c.name;
    }
    w->close();
    EXPECT_FALSE(w->isVisible()) << c.name;
    ExpectCleanFile(ReadAll(SettingsPath()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFiles,
    ::testing::Values(HostileFile{"10 MB", TenMegabytes, "1500", "50"}, HostileFile{"garbage", Garbage, "4000", "85"},
                      HostileFile{"NUL bytes", Nuls, "15", "50"}, HostileFile{"no final newline", NoFinalNewline, "1500", "50"},
                      HostileFile{"100000 sections", ManySections, "1500", "50"},
                      HostileFile{"repeated key", RepeatedKey, "1500", "50"}, HostileFile{"CRLF", Crlf, "1500", "50"},
                      HostileFile{"byte-order mark", Bom, "1500", "50"}, HostileFile{"broken keys", BrokenKeys, "4000", "85"}),
    ROW_NAMES(std::string(r.name)));

// Every text of the number tables, and worse, into every input field: the
// model keeps to its limits and no result reads as a NaN or an infinity.
TEST_F(WindowTest, HostileTypingIntoEveryField)
{
    Show();
    const QString texts[] = {"1,5", " 12.5 A", "x=3", "2e3", "-3", ".", "abc", "", "-", "1e", "1.2.3", "1,234.5", "45 deg",
                             "45deg", QString::fromUtf8("45\u00B0"), "1E-400", "1500", " 1500", "+1500", "$5DC", "0x5DC",
                             "-10", "250000", "1500 ", "1500.5", "15e2", "99999999999", QString(10000, QLatin1Char('7')),
                             QString(10000, QLatin1Char('x')), QString::fromUtf8("\x01\t 12\x7f"), QString::fromUtf8("\uFF11\uFF12"),
                             QString::fromUtf8("12\u20AC"), "NaN", "inf", "-Infinity", "1e308", "-1e308", "0x7FFFFFFF"};
    const char* fields[] = {"edAnodeV", "edAnodeI", "edEffic", "edSrcMag", "edSrcPha", "edLoaMag", "edLoaPha", "edDire"};
    w->findChild<QCheckBox*>("chIdeal")->setChecked(false);
    int tried = 0;
    for (const char* field : fields) {
        for (const QString& t : texts) {
            Edit(field)->setText(t);
            Edit(field)->setModified(true);  // as typing or pasting would
            w->findChild<QPushButton*>("bEvaluate")->click();
            ++tried;
            const merivane::TModel& m = Model();
            EXPECT_TRUE(m.Va >= 0 && m.Va <= 100000);
            EXPECT_TRUE(m.Ia >= 0 && m.Ia <= 1000);
            EXPECT_TRUE(m.Eff >= 0 && m.Eff <= 1);
            EXPECT_TRUE(m.SrcRfl.Mag >= 0 && m.SrcRfl.Mag <= 1);
            EXPECT_TRUE(m.LoaRfl.Mag >= 0 && m.LoaRfl.Mag <= 1);
            EXPECT_TRUE(std::fabs(m.SrcRfl.Pha) <= 180 && std::fabs(m.LoaRfl.Pha) <= 180);
            EXPECT_TRUE(m.CplDirDb >= 0 && m.CplDirDb <= 160);
            for (QLabel* l : w->findChildren<QLabel*>()) {
                EXPECT_FALSE(l->text().contains("nan", Qt::CaseInsensitive)) << field << " " << S(t.left(20));
                EXPECT_FALSE(l->text().contains("inf", Qt::CaseInsensitive)) << field << " " << S(t.left(20));
            }
            Edit(field)->setText("1");
            Edit(field)->setModified(true);
            w->bEvaluateClick();
        }
    }
    EXPECT_EQ(tried, 8 * 38);
    // a number beyond the double range ("1E400"-like: the 10000 sevens) is
    // clamped like any other: no box (the prompter fails on any)
    EXPECT_TRUE(prompter->errors.empty());
}

TEST_F(WindowTest, FieldsEndWithTheValueTheRulesGive)
{
    Show();
    const struct {
        const char* field;
        const char* text;
        const char* shown;
    } cases[] = {{"edAnodeV", "\t1500", "4000"},       {"edAnodeV", "0x7FFFFFFF", "100000"}, {"edAnodeI", "\x01\t 12\x7f", "12"},
                 {"edAnodeI", "12\xE2\x82\xAC", "12"}, {"edAnodeI", "NaN", "12"},            {"edAnodeI", "-Infinity", "12"},
                 // 1e308 is a whole number of degrees: 1e308 mod 360 = 296, one turn less -64
                 {"edSrcMag", "\xEF\xBC\x91", "0.2"},  {"edLoaPha", "1e308", "-64"},         {"edEffic", "-1e308", "0"}};
    for (const auto& c : cases) {
        Edit(c.field)->setText(QString::fromUtf8(c.text));
        Edit(c.field)->setModified(true);  // as pasting would
        w->bEvaluateClick();
        EXPECT_EQ(S(Edit(c.field)->text()), c.shown) << c.field << " " << c.text;
    }
}

}  // namespace
