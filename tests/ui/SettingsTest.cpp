// The settings file through the real start-up and close of the window.
#include "CaseDocument.h"
#include "RowNames.h"
#include "WindowFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray DefaultFile(int top, int left)
{
    return "[Merivane]\nedAnodeV=4000\nedAnodeI=3\nedSrcMag=0.2\nedLoaMag=0.5\nTop=" + QByteArray::number(top) +
           "\nLeft=" + QByteArray::number(left) +
           "\nudEff=85\nudSrcPha=0\nudDire=20\nudLoaPha=90\ncbSrcRfl=0\ncbSrcMism=0\ncbLoaRfl=0\ncbLoaMism=0\n"
           "cbMeaRfl=0\nrbWatt=1\nrbDbm=0\nrbDbW=0\nrbDbkW=0\nrbMagTr=1\nrbPercTr=0\nrbDbTr=0\nrbPower=1\nrbPerc=0\n"
           "rbDb=0\nchIdeal=1\n";
}

TEST_F(WindowTest, FirstStartCreatesTheFolderAndShowsTheDefaults)
{
    ASSERT_FALSE(QDir(SettingsDir()).exists());
    Create();
    EXPECT_TRUE(QDir(SettingsDir()).exists());
    EXPECT_EQ(S(w->GetAutoIniFilepath()), S(SettingsPath()));
    EXPECT_FALSE(QFile::exists(SettingsPath()));  // nothing written before the close
    const char* fields[][2] = {{"edAnodeV", "4000"}, {"edAnodeI", "3"}, {"edSrcMag", "0.2"}, {"edLoaMag", "0.5"},
                               {"edEffic", "85"},    {"edSrcPha", "0"}, {"edLoaPha", "90"},  {"edDire", "20"}};
    for (const auto& f : fields) EXPECT_EQ(S(Edit(f[0])->text()), f[1]) << f[0];
    for (const char* cb : {"cbSrcRfl", "cbSrcMism", "cbLoaRfl", "cbLoaMism", "cbMeaRfl"}) EXPECT_EQ(Combo(cb)->currentIndex(), 0) << cb;
    EXPECT_TRUE(Radio("rbWatt")->isChecked());
    EXPECT_TRUE(Radio("rbMagTr")->isChecked());
    EXPECT_TRUE(Radio("rbPower")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("chIdeal")->isChecked());
    EXPECT_FALSE(Edit("edDire")->isEnabled());
    EXPECT_EQ(Model().Va, 4000);
    EXPECT_EQ(S(Text("lbPmatch2")), "10.2");
    EXPECT_EQ(S(Text("lbPload2")), "7.57");
}

TEST_F(WindowTest, NoKeepsTheFileAndYesWritesTheSection)
{
    WriteSettings("[Merivane]\nedAnodeV=1234\n");
    Show();
    prompter->answer = false;
    w->close();
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->AutoIniFile, nullptr);
    EXPECT_EQ(ReadAll(SettingsPath()), QByteArray("[Merivane]\nedAnodeV=1234\n"));

    Edit("edAnodeV")->setText("4000");
    prompter->answer = true;
    const int top = w->y(), left = w->x();
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->AutoIniFile, nullptr);
    EXPECT_EQ(ReadAll(SettingsPath()), DefaultFile(top, left));
    EXPECT_EQ(prompter->confirms.size(), 2u);
}

TEST_F(WindowTest, ASavedStateComesBack)
{
    Show();
    TypeAndLeave("edAnodeI", "2.5");
    Choose("cbLoaRfl", 1);
    Choose("cbMeaRfl", 2);
    Radio("rbDbm")->click();
    Radio("rbDbTr")->click();
    Radio("rbPerc")->click();
    Find<QCheckBox>("chIdeal")->click();
    TypeAndLeave("edLoaPha", "-47");
    w->close();
    ASSERT_FALSE(w->isVisible());

    Create();
    EXPECT_EQ(Edit("edAnodeI")->text(), "2.5");
    EXPECT_EQ(Combo("cbLoaRfl")->currentIndex(), 1);
    EXPECT_EQ(Edit("edLoaMag")->text(), "-6.02");
    EXPECT_EQ(Combo("cbMeaRfl")->currentIndex(), 2);
    EXPECT_TRUE(Radio("rbDbm")->isChecked());
    EXPECT_EQ(Model().SelUnit, 2);
    EXPECT_EQ(Model().SelErrUnit, 1);
    EXPECT_FALSE(Find<QCheckBox>("chIdeal")->isChecked());
    EXPECT_TRUE(Edit("edDire")->isEnabled());
    EXPECT_EQ(Edit("edLoaPha")->text(), "-47");  // a whole number in the field is the spinner's position saved
    EXPECT_EQ(S(Text("lbPmatchUnit")), "dBm");
    EXPECT_EQ(S(Text("lbPmatch2")), "69.29");  // 10 log10 (8500 W / 1 mW)
}

TEST_F(WindowTest, AForeignSectionDisappearsAtTheNextSave)
{
    WriteSettings("[Other]\nx=1\n[Merivane]\nedAnodeV=3000\nJunk=5\n[Third]\ny=2\n");
    Show();
    w->close();
    const QByteArray text = ReadAll(SettingsPath());
    EXPECT_FALSE(text.contains("Other"));
    EXPECT_FALSE(text.contains("Third"));
    EXPECT_FALSE(text.contains("Junk"));
    EXPECT_TRUE(text.startsWith("[Merivane]\nedAnodeV=3000\n"));
    EXPECT_EQ(text.count('\n'), 27);
}

// Loads a file into a window that has not started, so that the values that
// loading applies can be seen before the first computation and placement.
class LoadTest : public WindowTest {
protected:
    void Load(const QByteArray& text)
    {
        WriteSettings(text);
        Create(false);
        cycles_ = std::make_unique<QSignalSpy>(w.get(), &TForm1::ResultsRendered);
        merivane::TIniFile ini(SettingsPath());
        w->LoadSettings(ini);
    }
    // The cycles the loading ran.
    qsizetype Cycles() const { return cycles_->count(); }

private:
    std::unique_ptr<QSignalSpy> cycles_;
};

TEST_F(LoadTest, WindowPositionIsLimitedToThePrimaryScreen)
{
    Load("[Merivane]\nTop=-50\nLeft=100000\n");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w->y(), 0);
    EXPECT_EQ(w->x(), screen.width() - 10);
}

// Integers in the file: hexadecimal only after a leading "0x", "0X" (with
// more after it) or "$"; otherwise decimal with an optional sign. The source
// phase spinner shows the value read: its range -180..180 holds every row and
// its default is 0.
struct IniIntegerCase {
    const char* stored;
    int loaded;
};

class IniIntegers : public LoadTest, public ::testing::WithParamInterface<IniIntegerCase> {};

TEST_P(IniIntegers, ReadThroughTheLoader)
{
    const IniIntegerCase& c = GetParam();
    Load(QByteArray("[Merivane]\nudSrcPha=") + c.stored + "\n");
    EXPECT_EQ(Spinner("udSrcPha")->Position(), c.loaded) << c.stored;
    EXPECT_EQ(S(Edit("edSrcPha")->text()), std::to_string(c.loaded)) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniIntegers,
    ::testing::Values(IniIntegerCase{"0x1E", 30}, IniIntegerCase{"0X1e", 30}, IniIntegerCase{"$1E", 30},
                      IniIntegerCase{"-7", -7}, IniIntegerCase{"+7", 7}, IniIntegerCase{"16", 16},
                      IniIntegerCase{"x10", 0}, IniIntegerCase{"X10", 0}, IniIntegerCase{"+$10", 0},
                      IniIntegerCase{"-$10", 0}, IniIntegerCase{"-0x10", 0}, IniIntegerCase{"+0x10", 0},
                      IniIntegerCase{"0x", 0}, IniIntegerCase{"$", 0}, IniIntegerCase{"ten", 0}, IniIntegerCase{"", 0},
                      IniIntegerCase{"1 0", 0}, IniIntegerCase{"-0", 0}, IniIntegerCase{"0x-5", 0},
                      IniIntegerCase{"$FFFFFFF9", -7}),
    ROW_NAMES(std::string(r.stored)));

TEST_F(LoadTest, IntegersInDecimalOrHexadecimal)
{
    const struct {
        const char* value;
        const char* shown;
    } cases[] = {{"0x10", "16"}, {"$10", "16"}, {"ten", "85"}, {"0X1e", "30"}, {"-0", "0"}, {"", "85"}, {"1 0", "85"}};
    for (const auto& c : cases) {
        Load(QByteArray("[Merivane]\nudEff=") + c.value + "\n");
        EXPECT_EQ(S(Edit("edEffic")->text()), c.shown) << c.value;
        EXPECT_EQ(Spinner("udEff")->Position(), std::stoi(c.shown)) << c.value;
    }
}

// A directivity is clamped (to 160 dB, then the spinner's 100); a phase wraps
// by whole turns: -1000 + 3 x 360 = 80.
TEST_F(LoadTest, SpinnerPositionsAreLimitedOrWrappedWhenLoaded)
{
    Load("[Merivane]\nudDire=500\nudSrcPha=-1000\n");
    EXPECT_EQ(Edit("edDire")->text(), "100");
    EXPECT_EQ(Edit("edSrcPha")->text(), "80");
}

TEST_F(LoadTest, IdealAsAWordKeepsTheDefaultAndZeroUnticks)
{
    Load("[Merivane]\nchIdeal=true\n");
    EXPECT_TRUE(Find<QCheckBox>("chIdeal")->isChecked());
    Load("[Merivane]\nchIdeal=0\n");
    EXPECT_FALSE(Find<QCheckBox>("chIdeal")->isChecked());
    EXPECT_TRUE(Edit("edDire")->isEnabled());  // chIdealClick ran
    EXPECT_EQ(Edit("edDire")->palette().color(QPalette::Base), QColor(Qt::yellow));
    Load("[Merivane]\nchIdeal=-1\n");
    EXPECT_TRUE(Find<QCheckBox>("chIdeal")->isChecked());
}

TEST_F(LoadTest, AStoredDbmRunsOneCycleWhileLoading)
{
    Load("[Merivane]\nrbDbm=1\nedAnodeV=2000\n");
    EXPECT_TRUE(Radio("rbDbm")->isChecked());
    EXPECT_FALSE(Radio("rbWatt")->isChecked());
    EXPECT_EQ(Cycles(), 1);
    EXPECT_EQ(S(Text("lbPmatchUnit")), "dBm");
    // a loaded text is the program's, not an entry: the start-up's reading of
    // every field takes it
    EXPECT_EQ(w->Document()->Snapshot().c.inputs.Va, merivane::present::DefaultCase().inputs.Va);
    merivane::TInputs in;
    w->ReadInputs(in, true);
    EXPECT_EQ(in.Va, 2000);
}

// Watts is the layout's own choice: loading it selects nothing new and runs
// no cycle. A stored dBkW selects it, and choosing dBkW runs the cycle like
// the other power units.
TEST_F(LoadTest, StoredWattsRunsNoCycleAndStoredDbkwRunsOne)
{
    Load("[Merivane]\nedAnodeV=2000\n");
    EXPECT_EQ(Cycles(), 0);
    Load("[Merivane]\nrbDbkW=1\nrbWatt=0\nedAnodeV=2000\n");
    EXPECT_TRUE(Radio("rbDbkW")->isChecked());
    EXPECT_EQ(Cycles(), 1);
    EXPECT_EQ(S(Text("lbPmatchUnit")), "dBkW");
}

TEST_F(LoadTest, TwoButtonsOfAGroupTheLaterWins)
{
    Load("[Merivane]\nrbMagTr=1\nrbPercTr=1\nrbDbTr=0\nrbDbm=1\nrbDbW=1\n");
    EXPECT_TRUE(Radio("rbPercTr")->isChecked());
    EXPECT_FALSE(Radio("rbMagTr")->isChecked());
    EXPECT_EQ(Model().SelUnit, 1);
    EXPECT_TRUE(Radio("rbDbW")->isChecked());
    EXPECT_FALSE(Radio("rbDbm")->isChecked());
}

TEST_F(LoadTest, AGroupAllZeroSelectsNothing)
{
    Load("[Merivane]\nrbPower=0\nrbPerc=0\nrbDb=0\nrbMagTr=0\nrbWatt=0\n");
    for (const char* b : {"rbPower", "rbPerc", "rbDb", "rbMagTr", "rbPercTr", "rbDbTr", "rbWatt", "rbDbm", "rbDbW", "rbDbkW"})
        EXPECT_FALSE(Radio(b)->isChecked()) << b;
    EXPECT_EQ(Model().SelErrUnit, 0);
    EXPECT_EQ(Model().SelUnit, 0);
}

TEST_F(LoadTest, AMeasurementUnitDefaultsToTheStateWhenRead)
{
    // rbPerc selects %, which clears Power before Power's key (absent) is read
    Load("[Merivane]\nrbPerc=1\n");
    EXPECT_TRUE(Radio("rbPerc")->isChecked());
    EXPECT_EQ(Model().SelErrUnit, 1);
}

TEST_F(LoadTest, AnIndexOutsideTheListGivesTheDefault)
{
    Load("[Merivane]\ncbSrcRfl=7\ncbLoaMism=-1\ncbMeaRfl=2\n");
    EXPECT_EQ(Combo("cbSrcRfl")->currentIndex(), 0);
    EXPECT_EQ(Combo("cbLoaMism")->currentIndex(), 0);
    EXPECT_EQ(Combo("cbMeaRfl")->currentIndex(), 2);
}

TEST_F(LoadTest, LongTextsAreCut)
{
    Load("[Merivane]\nedAnodeV=" + QByteArray(3000, '7') + "\n");
    EXPECT_EQ(Edit("edAnodeV")->text(), QString(2047, QLatin1Char('7')));
}

TEST_F(WindowTest, AnUnwritableFolderKeepsTheWindowOpenAndARetrySucceeds)
{
    // a file where the folder should be: nothing can be written below it, as root too
    QFile blocker(Home() + "/Halvik");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Show();
    prompter->errorsExpected = true;
    w->close();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(FirstLine(prompter->errors[0]), "Unable to write to " + S(SettingsPath()) + ".");
    EXPECT_EQ(S(prompter->errorCaptions[0]), "Merivane");
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->AutoIniFile, nullptr);

    ASSERT_TRUE(QFile::remove(Home() + "/Halvik"));
    ASSERT_TRUE(QDir().mkpath(SettingsDir()));
    w->close();
    EXPECT_EQ(prompter->errors.size(), 1u);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(ReadAll(SettingsPath()).startsWith("[Merivane]\nedAnodeV=4000\n"));
}

// The box names the system's reason on a second line, and its second button
// ends the program without the settings.
TEST_F(WindowTest, AFailedSaveAtClosingCanCloseWithoutSaving)
{
    QFile blocker(Home() + "/Halvik");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Show();
    prompter->errorsExpected = true;
    prompter->closeWithoutSaving = false;  // Cancel
    w->close();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(w->isVisible());
    const QStringList lines = prompter->errors[0].split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << S(prompter->errors[0]);
    EXPECT_FALSE(lines[1].trimmed().isEmpty());

    prompter->closeWithoutSaving = true;  // Close Without Saving
    w->close();
    EXPECT_EQ(prompter->errors.size(), 2u);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFileInfo(Home() + "/Halvik").isFile());  // nothing was written in its place
}

TEST_F(WindowTest, ASettingsFileReplacedByAFolderIsLeftAlone)
{
    ASSERT_TRUE(QDir().mkpath(SettingsPath() + "/inner"));
    Show();
    prompter->errorsExpected = true;
    w->close();
    EXPECT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(QDir(SettingsPath() + "/inner").exists());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(WindowTest, AReadOnlyFolderFailsTheSaveAndKeepsTheOldFile)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root; covered by the folder-is-a-file case";
    WriteSettings("[Merivane]\nedAnodeV=1\n");
    ASSERT_TRUE(QFile::setPermissions(SettingsDir(), QFile::ReadOwner | QFile::ExeOwner));
    Show();
    prompter->errorsExpected = true;
    w->close();
    EXPECT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(ReadAll(SettingsPath()), QByteArray("[Merivane]\nedAnodeV=1\n"));
    QFile::setPermissions(SettingsDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(WindowTest, ASettingsPathLinkedToAPipeFailsTheCloseAndKeepsThePipe)
{
    ASSERT_TRUE(QDir().mkpath(SettingsDir()));
    const QString pipe = Home() + "/pipe";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(pipe, SettingsPath()));
    Show();
    prompter->errorsExpected = true;
    w->close();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_EQ(FirstLine(prompter->errors[0]), "Unable to write to " + S(SettingsPath()) + ".");
    EXPECT_TRUE(w->isVisible());
    EXPECT_NE(w->AutoIniFile, nullptr);
    EXPECT_TRUE(QFileInfo(SettingsPath()).isSymLink());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace

namespace {

TEST_F(WindowTest, FirstShowIsCentredOnTheMonitorsWorkArea)
{
    WriteSettings("[Merivane]\nTop=5\nLeft=7\n");
    Create();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(w->x(), std::max(work.left(), work.left() + (work.width() - w->width()) / 2));
    EXPECT_EQ(w->y(), std::max(work.top(), work.top() + (work.height() - w->height()) / 2));
}

}  // namespace
