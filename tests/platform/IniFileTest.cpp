// The settings file object on its own: reading rules, writing, atomic saves.
#include "IniFile.h"
#include "RowNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    } cases[] = {{"16", true, 16},        {"-16", true, -16},  {"0x10", true, 16},   {"0X10", true, 16},
                 {"$10", true, 16},       {"$ffffffff", true, -1}, {"0x", false, 0}, {"ten", false, 0},
                 {"", false, 0},          {"1.5", false, 0},   {"0", true, 0},       {"00", true, 0},
                 {"99999999999", false, 0}, {"x10", false, 0}, {"X10", false, 0},    {"-0x10", false, 0},
                 {"+$10", false, 0},      {"-$10", false, 0},  {"-2147483648", true, -2147483648},
                 {"2147483648", false, 0}, {"$100000000", false, 0}};
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

// What stands at the settings path, or at the end of the link there.
enum class Kind { Fifo, Device, Folder };

const char* KindName(Kind k) { return k == Kind::Fifo ? "fifo" : k == Kind::Device ? "device" : "folder"; }

// Makes a node of that kind; false when this user may not (a device needs root).
bool MakeNode(const QString& path, Kind k)
{
    const QByteArray p = QFile::encodeName(path);
    switch (k) {
    case Kind::Fifo: return ::mkfifo(p.constData(), 0600) == 0;
    case Kind::Device: return ::mknod(p.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;  // a private null device
    case Kind::Folder: return QDir().mkpath(path);
    }
    return false;
}

bool IsKind(const QString& path, Kind k)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    switch (k) {
    case Kind::Fifo: return S_ISFIFO(st.st_mode);
    case Kind::Device: return S_ISCHR(st.st_mode);
    case Kind::Folder: return S_ISDIR(st.st_mode);
    }
    return false;
}

bool IsLink(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

struct NodeCase {
    Kind kind;
    bool throughLink;
};

class NotARegularFile : public IniFileTest, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(NotARegularFile, TheSaveFailsAndChangesNothing)
{
    const NodeCase& c = GetParam();
    const QString node = c.throughLink ? dir_.path() + "/elsewhere" : Path();
    if (!MakeNode(node, c.kind)) GTEST_SKIP() << "cannot make a " << KindName(c.kind) << " as this user";
    if (c.throughLink) {
        ASSERT_TRUE(QFile::link(node, Path()));
    }
    TIniFile ini(Path());
    ini.WriteString("Merivane", "A", "2");
    try {
        ini.UpdateFile();
        FAIL() << "no error";
    } catch (const merivane::EWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path().toStdString());
    }
    EXPECT_TRUE(IsKind(node, c.kind));
    EXPECT_EQ(IsLink(Path()), c.throughLink);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(),
              c.throughLink ? 2 : 1);  // no temporary file left behind
}

INSTANTIATE_TEST_SUITE_P(Nodes, NotARegularFile,
                         ::testing::Values(NodeCase{Kind::Fifo, false}, NodeCase{Kind::Fifo, true},
                                           NodeCase{Kind::Device, false}, NodeCase{Kind::Device, true},
                                           NodeCase{Kind::Folder, true}),
                         ROW_NAMES(std::string(KindName(r.kind)) + (r.throughLink ? "_through_a_link" : "")));

TEST_F(IniFileTest, ALinkToARegularFileStaysALinkAndItsTargetTakesTheText)
{
    QTemporaryDir other;
    const QString target = other.path() + "/kept.ini";
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Merivane]\nA=1\n");
    }
    const struct {
        const char* name;
        QString linkText;
    } links[] = {{"absolute", target}, {"relative", QDir(dir_.path()).relativeFilePath(target)}};
    for (const auto& l : links) {
        QFile::remove(Path());
        ASSERT_EQ(::symlink(QFile::encodeName(l.linkText).constData(), QFile::encodeName(Path()).constData()), 0);
        TIniFile ini(Path());
        EXPECT_EQ(ini.ReadString("Merivane", "A", "x"), "1") << l.name;
        ini.WriteString("Merivane", "A", l.name);
        ini.UpdateFile();
        EXPECT_TRUE(IsLink(Path())) << l.name;
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("[Merivane]\nA=") + l.name + "\n") << l.name;
        // put the first text back for the next link
        f.close();
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Merivane]\nA=1\n");
    }
}

TEST_F(IniFileTest, ALinkToNothingYetCreatesItsTarget)
{
    const QString target = dir_.path() + "/later.ini";
    ASSERT_TRUE(QFile::link(target, Path()));
    TIniFile ini(Path());
    ini.WriteString("Merivane", "A", "3");
    ini.UpdateFile();
    EXPECT_TRUE(IsLink(Path()));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Merivane]\nA=3\n"));
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
