// SPDX-License-Identifier: GPL-3.0-or-later
// Where a whole-file save writes when links stand in the way: a relative link
// is followed from the folder the system finds it in, which after a linked
// folder is not the folder its path names by text.
#include "SafeSave.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void Link(const QString& to, const QString& at)
{
    ASSERT_EQ(::symlink(QFile::encodeName(to).constData(), QFile::encodeName(at).constData()), 0) << at.toStdString();
}

class LinkedFolders : public ::testing::TestWithParam<bool> {
protected:
    // t/work -> real/sub, and real/sub/out.csv -> ../shared/out.csv: the
    // system reaches t/real/shared/out.csv; by text t/shared/out.csv.
    void SetUp() override
    {
        root_ = dir_.path();
        ASSERT_TRUE(QDir().mkpath(root_ + "/real/sub"));
        ASSERT_TRUE(QDir().mkpath(root_ + "/real/shared"));
        ASSERT_TRUE(QDir().mkpath(root_ + "/shared"));  // the decoy the text points at
        Link("real/sub", root_ + "/work");
        Link("../shared/out.csv", root_ + "/real/sub/out.csv");
    }
    QTemporaryDir dir_;
    QString root_;
};

TEST_P(LinkedFolders, ARelativeLinkLeadsWhereTheSystemFollowsIt)
{
    const bool exists = GetParam();
    if (exists) Write(root_ + "/real/shared/out.csv", "old\n");
    EXPECT_EQ(merivane::SaveTarget(root_ + "/work/out.csv"), QDir(root_).canonicalPath() + "/real/shared/out.csv");
    ASSERT_TRUE(merivane::SaveWholeFile(root_ + "/work/out.csv", "new\n"));
    EXPECT_EQ(ReadAll(root_ + "/real/shared/out.csv"), QByteArray("new\n"));
    EXPECT_FALSE(QFile::exists(root_ + "/shared/out.csv")) << "nothing written where the text points";
    EXPECT_EQ(ReadAll(root_ + "/work/out.csv"), QByteArray("new\n"));  // read back through the links
    EXPECT_TRUE(QFileInfo(root_ + "/real/sub/out.csv").isSymLink()) << "the link stays";
}

INSTANTIATE_TEST_SUITE_P(Targets, LinkedFolders, ::testing::Values(true, false),
                         [](const auto& i) { return std::string(i.param ? "existing" : "not_yet_there"); });

TEST(SafeSave, ALoopOfLinksOrAMissingFolderIsRefused)
{
    QTemporaryDir dir;
    Link(dir.filePath("b"), dir.filePath("a"));
    Link(dir.filePath("a"), dir.filePath("b"));
    EXPECT_EQ(merivane::SaveTarget(dir.filePath("a")), QString());
    EXPECT_FALSE(merivane::SaveWholeFile(dir.filePath("a"), "x"));
    EXPECT_FALSE(merivane::SaveWholeFile(dir.filePath("no/such/folder/file"), "x"));
    EXPECT_TRUE(merivane::SaveWholeFile(dir.filePath("plain"), "x"));
    EXPECT_EQ(ReadAll(dir.filePath("plain")), QByteArray("x"));
}

}  // namespace
