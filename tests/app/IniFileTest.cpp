// The settings file object on its own: reading rules, writing, atomic saves.
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using merivane::TIniFile;

class IniFileTest : public ::testing::Test {
protected:
    QString Path() const { return dir_.path() + "/Merivane.ini"; }
    void Write(const QByteArray& bytes)
    {
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Read()
    {
        QFile f(Path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QTemporaryDir dir_;
};

TEST(IniTextToInt, DecimalAndHexadecimal)
{
    const struct {
        const char* text;
        bool ok;
        int value;
    } cases[] = {{"16", true, 16},        {"-16", true, -16}, {"0x10", true, 16},   {"0X10", true, 16}, {"$10", true, 16},
                 {"$ffffffff", true, -1}, {"0x", false, 0},   {"ten", false, 0},    {"", false, 0},     {"1.5", false, 0},
                 {"0", true, 0},          {"00", true, 0},    {"99999999999", false, 0}};
    for (const auto& c : cases) {
        int v = 12345;
        EXPECT_EQ(merivane::IniTextToInt(QString::fromLatin1(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST_F(IniFileTest, CreatingTouchesNoFile)
{
    {
        TIniFile ini(Path());
        EXPECT_EQ(ini.ReadString("Merivane", "x", "d"), "d");
    }
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(IniFileTest, ReadsWithDefaults)
{
    Write("[Merivane]\nA=hello world\nB=2\nC=-1\nD=true\nE=0\n[merivane2]\nF=1\n");
    TIniFile ini(Path());
    EXPECT_EQ(ini.ReadString("Merivane", "A", "x"), "hello world");
    EXPECT_EQ(ini.ReadString("Merivane", "missing", "x"), "x");
    EXPECT_EQ(ini.ReadString("Nope", "A", "x"), "x");
    EXPECT_TRUE(ini.ReadBool("Merivane", "B", false));
    EXPECT_TRUE(ini.ReadBool("Merivane", "C", false));
    EXPECT_FALSE(ini.ReadBool("Merivane", "D", false));  // a word takes the default
    EXPECT_TRUE(ini.ReadBool("Merivane", "D", true));
    EXPECT_FALSE(ini.ReadBool("Merivane", "E", true));
    EXPECT_EQ(ini.ReadInteger("Merivane", "A", 7), 7);
    EXPECT_EQ(ini.ReadSections(), QStringList({"Merivane", "merivane2"}));
}

TEST_F(IniFileTest, WritesKeysInOrderWithoutLineBreaksInValues)
{
    Write("[Old]\nk=v\n");
    TIniFile ini(Path());
    for (const QString& s : ini.ReadSections()) ini.EraseSection(s);
    ini.WriteString("Merivane", "edAnodeV", "12\r\n[Evil]\nx=1");
    ini.WriteInteger("Merivane", "Top", -5);
    ini.WriteBool("Merivane", "chIdeal", true);
    ini.WriteBool("Merivane", "rbDb", false);
    ini.UpdateFile();
    EXPECT_EQ(Read(), QByteArray("[Merivane]\nedAnodeV=12[Evil]x=1\nTop=-5\nchIdeal=1\nrbDb=0\n"));
    TIniFile again(Path());
    EXPECT_EQ(again.ReadSections(), QStringList({"Merivane"}));
}

TEST_F(IniFileTest, AFailedSaveLeavesTheOldFileAndReportsThePath)
{
    Write("[Merivane]\nA=1\n");
    const QString blocked = dir_.path() + "/sub";
    ASSERT_TRUE(QDir().mkpath(blocked + "/Merivane.ini"));  // a folder in the file's place
    TIniFile ini(blocked + "/Merivane.ini");
    ini.WriteString("Merivane", "A", "2");
    try {
        ini.UpdateFile();
        FAIL() << "no error";
    } catch (const merivane::EWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + (blocked + "/Merivane.ini").toStdString());
    }
    EXPECT_TRUE(QDir(blocked + "/Merivane.ini").exists());
    EXPECT_EQ(Read(), QByteArray("[Merivane]\nA=1\n"));
}

TEST_F(IniFileTest, FileVariantsReadTheSame)
{
    const QByteArray variants[] = {
        "[Merivane]\r\nudEff=42\r\nedAnodeV=1500\r\n",     // CRLF
        "\xEF\xBB\xBF[Merivane]\nudEff=42\nedAnodeV=1500",  // byte-order mark, no final newline
        "[merivane]\nUDEFF=42\nedAnodeV=1500\n",           // other letter case
        "[Merivane]\nudEff=1\nudEff=42\nedAnodeV=1500\n",  // a key repeated: the last counts
        "[Merivane]\n; a comment\nudEff = 42\nedAnodeV= 1500 \n",
        QByteArray("[Merivane]\nudEff=42\0\nedAnodeV=1500\n", 35),  // a NUL byte
    };
    for (const QByteArray& v : variants) {
        Write(v);
        TIniFile ini(Path());
        EXPECT_EQ(ini.ReadInteger("Merivane", "udEff", 85), 42) << v.toStdString();
        EXPECT_EQ(ini.ReadString("Merivane", "edAnodeV", "4000"), "1500") << v.toStdString();
    }
}

}  // namespace
