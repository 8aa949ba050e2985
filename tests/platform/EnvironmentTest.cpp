// The environment: the per-user folder, the executable's folder, the version.
#include "Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string S(const QString& q) { return q.toStdString(); }

// Each test gets a home folder of its own.
class EnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        qputenv("HOME", home_.path().toLocal8Bit());
    }
    QString Home() const { return home_.path(); }

private:
    QTemporaryDir home_;
};

TEST_F(EnvironmentTest, TheDataFolderIsCreatedBelowHomeAndEndsInASeparator)
{
    merivane::env::ForceUserDataDir();
    EXPECT_EQ(S(merivane::env::UserDataDir), S(Home() + "/"));
    merivane::env::ForceUserDataDir(QStringLiteral("Halvik/Merivane"));
    EXPECT_EQ(S(merivane::env::UserDataDir), S(Home() + "/Halvik/Merivane/"));
    EXPECT_TRUE(QDir(Home() + "/Halvik/Merivane").exists());
}

TEST_F(EnvironmentTest, AFolderThatCannotBeCreatedKeepsItsPath)
{
    QFile blocker(Home() + "/Halvik");  // a file where a folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    merivane::env::ForceUserDataDir(QStringLiteral("Halvik/Merivane"));
    EXPECT_EQ(S(merivane::env::UserDataDir), S(Home() + "/Halvik/Merivane/"));
}

TEST_F(EnvironmentTest, ExecutableFolderAndVersion)
{
    EXPECT_EQ(S(merivane::env::GetExeDir()), S(QCoreApplication::applicationDirPath() + "/"));
    EXPECT_EQ(S(merivane::env::GetFileVersionString()), MERIVANE_VERSION_TEXT);
}

// A per-user folder whose full path, closing separator included, reaches 248
// characters is not created; the data go to the home folder itself.
TEST_F(EnvironmentTest, AFolderPathOf248CharactersFallsBackToHome)
{
    const QString home = Home() + "/";
    const int room = 247 - static_cast<int>(home.size()) - 1;  // the sub-path that makes 247 with both separators
    ASSERT_GT(room, 10);
    const QString fits = QString(room, QLatin1Char('a'));
    merivane::env::ForceUserDataDir(fits);
    EXPECT_EQ(merivane::env::UserDataDir.size(), 247);
    EXPECT_EQ(S(merivane::env::UserDataDir), S(home + fits + "/"));
    EXPECT_TRUE(QDir(home + fits).exists());
    const QString tooLong = QString(room + 1, QLatin1Char('b'));
    merivane::env::ForceUserDataDir(tooLong);
    EXPECT_EQ(S(merivane::env::UserDataDir), S(home));
    EXPECT_FALSE(QDir(home + tooLong).exists());
    merivane::env::ForceUserDataDir(fits);  // an existing folder is kept as it is
    EXPECT_EQ(merivane::env::UserDataDir.size(), 247);
}

}  // namespace
