// The settings file on arbitrary bytes: reading never crashes, and every value
// handed on is the default or follows the reading rules: texts of at most 2047
// characters, integers read from decimal or hexadecimal text, booleans from
// integers. A save of what was read gives a file that reads back the same.
#include "FuzzInput.h"
#include "IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char* const kTexts[] = {"edAnodeV", "edAnodeI", "edSrcMag", "edLoaMag"};
const char* const kInts[] = {"Top", "Left", "udEff", "udSrcPha", "udDire", "udLoaPha",
                             "cbSrcRfl", "cbSrcMism", "cbLoaRfl", "cbLoaMism", "cbMeaRfl"};
const char* const kBools[] = {"rbWatt", "rbDbm", "rbDbW", "rbDbkW", "rbMagTr", "rbPercTr",
                              "rbDbTr", "rbPower", "rbPerc", "rbDb", "chIdeal"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Merivane.ini");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const QString sec = QStringLiteral("Merivane");
    const QString missing = QStringLiteral("\x01missing");
    merivane::TIniFile ini(path);
    QStringList texts;
    for (const char* k : kTexts) {
        const QString v = ini.ReadString(sec, QString::fromLatin1(k), missing);
        FUZZ_CHECK(v.size() <= 2047);
        texts << v;
    }
    for (const char* k : kInts) {
        const QString raw = ini.ReadString(sec, QString::fromLatin1(k), missing);
        const int v = ini.ReadInteger(sec, QString::fromLatin1(k), 4242);
        int parsed = 0;
        if (raw == missing || !merivane::IniTextToInt(raw, parsed))
            FUZZ_CHECK(v == 4242);
        else
            FUZZ_CHECK(v == parsed);
    }
    for (const char* k : kBools) {
        const QString raw = ini.ReadString(sec, QString::fromLatin1(k), missing);
        const bool v = ini.ReadBool(sec, QString::fromLatin1(k), true);
        int parsed = 0;
        if (raw != missing && merivane::IniTextToInt(raw, parsed)) FUZZ_CHECK(v == (parsed != 0));
        else FUZZ_CHECK(v);
    }
    // saving what was read and reading it again gives the same texts
    for (const QString& s : ini.ReadSections()) ini.EraseSection(s);
    for (int i = 0; i < 4; ++i) ini.WriteString(sec, QString::fromLatin1(kTexts[i]), texts[i] == missing ? QString() : texts[i]);
    {
        // the text a save would write (UpdateFile's sync to disk would make the run crawl)
        const std::string text = ini.Text();
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    merivane::TIniFile again(path);
    FUZZ_CHECK(again.ReadSections().size() == 1);
    for (int i = 0; i < 4; ++i) {
        QString expect = texts[i] == missing ? QString() : texts[i];
        expect.remove(QLatin1Char('\r'));
        expect.remove(QLatin1Char('\n'));
        expect.replace(QChar(0), QLatin1Char(' '));
        FUZZ_CHECK(again.ReadString(sec, QString::fromLatin1(kTexts[i]), missing) == expect.trimmed() ||
                   again.ReadString(sec, QString::fromLatin1(kTexts[i]), missing) == expect);
    }
    return 0;
}
