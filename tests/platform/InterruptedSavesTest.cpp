// Saves cut short by a kill: the settings file is always whole.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The settings file is replaced whole: a save killed at any moment leaves the
// old file or the new one, never a part of either.
TEST(InterruptedSaves, TheFileIsAlwaysCompleteOldOrNew)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Merivane.ini";
    const QString helper = QCoreApplication::applicationDirPath() + "/settings_save_loop";
    ASSERT_TRUE(QFile::exists(helper));
    QRandomGenerator rng(2026);
    int previous = 0, advanced = 0, unchanged = 0;
    for (int run = 0; run < 200; ++run) {
        QProcess p;
        p.start(helper, {path});
        ASSERT_TRUE(p.waitForStarted());
        ASSERT_TRUE(p.waitForReadyRead(60000)) << "run " << run << ": the helper never began to save";
        QThread::usleep(rng.bounded(60000));  // into the saves, at any moment of one
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished();

        const QByteArray text = ReadAll(path);
        if (text.isEmpty()) {  // killed before its first save: nothing written yet
            ASSERT_EQ(previous, 0) << "run " << run << ": a written file disappeared";
            continue;
        }
        ASSERT_TRUE(text.startsWith("[Merivane]\nVersion=")) << "run " << run;
        ASSERT_TRUE(text.endsWith("\n")) << "run " << run;
        const QList<QByteArray> lines = text.split('\n');
        ASSERT_EQ(lines.size(), 204) << "run " << run;
        const int version = lines[1].mid(8).toInt();
        ASSERT_EQ(lines[202], "End=" + QByteArray::number(version)) << "run " << run;
        for (int k = 0; k < 200; ++k)
            ASSERT_EQ(lines[2 + k], "Key" + QByteArray::number(k) + "=" + QByteArray(100, char('a' + (version + k) % 26)));
        ASSERT_GE(version, previous);
        (version > previous ? advanced : unchanged)++;
        previous = version;
    }
    RecordProperty("versions_written", previous);
    std::printf("interrupted saves: 200 kills, file complete every time; last version %d, advanced %d, unchanged %d\n",
                previous, advanced, unchanged);
    EXPECT_GT(previous, 0);
}

}  // namespace
