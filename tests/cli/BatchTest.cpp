// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --batch: columns in any order or missing, bad rows reported
// by line and skipped, the exit statuses, and memory that stays flat.
#include "Calc.h"
#include "RowNames.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

extern char** environ;

namespace {

using Strings = std::vector<std::string>;

TEST(Batch, MissingColumnsTakeTheDefaultsOrTheOptionsGiven)
{
    // columns in another order; an empty cell is a missing value
    const TRun r = RunCalc({"--batch", "-", "--ia", "2"}, "load,va\n0.3@45,5000\n\"0,4@10\",\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const Strings lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Cells(lines[0]).size(), 62u);  // 6 inputs, 56 model fields
    EXPECT_EQ(Column(r.out, "va"), (Strings{"5000", "4000"}));
    EXPECT_EQ(Column(r.out, "ia"), (Strings{"2", "2"}));
    EXPECT_EQ(Column(r.out, "eff"), (Strings{"85", "85"}));
    EXPECT_EQ(Column(r.out, "source"), (Strings{"0.2@0", "0.2@0"}));
    EXPECT_EQ(Column(r.out, "load"), (Strings{"0.3@45", "0.4@10"}));
    EXPECT_EQ(Column(r.out, "directivity"), (Strings{"", ""}));
    EXPECT_EQ(Column(r.out, "CplIdeal"), (Strings{"1", "1"}));
    // 5000 V * 2 A * 0.85 and 4000 V * 2 A * 0.85
    EXPECT_EQ(Column(r.out, "Pmatch"), (Strings{"8500", "6800"}));
    EXPECT_EQ(Column(r.out, "LoaRfl.Mism"), (Strings{"0.91", "0.84"}));
}

TEST(Batch, BadRowsAreReportedByLineAndSkipped)
{
    const TRun r = RunCalc({"--batch", "-"},
                           "va,source\n"
                           "1000,0.1\n"       // line 2
                           "abc,0.1\n"        // line 3: not a number
                           "\n"               // line 4: empty, passed over
                           "1000,0.1,7\n"     // line 5: a cell too many
                           "2000,1.5\n"       // line 6: a magnitude above 1
                           "3000,db:-20@5\n"  // line 7
                           "250000,0\n");     // line 8: clamped, kept
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "merivane-calc: stdin:3: va \"abc\": not a whole number; row skipped\n"
              "merivane-calc: stdin:5: 3 cells where the header has 2; row skipped\n"
              "merivane-calc: stdin:6: source \"1.5\": magnitude outside 0 .. 1; row skipped\n"
              "merivane-calc: warning: stdin:8: va \"250000\": outside 0 .. 100000, clamped to 100000\n");
    EXPECT_EQ(Column(r.out, "va"), (Strings{"1000", "3000", "100000"}));
    EXPECT_EQ(Column(r.out, "source"), (Strings{"0.1@0", "db:-20@5", "0@0"}));
}

struct TStatus {
    const char* name;
    const char* input;
    int status;
    const char* err;
};

class BatchStatus : public ::testing::TestWithParam<TStatus> {};

TEST_P(BatchStatus, TellsGoodFromBadRowsFromBadUse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cases.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().input);
    f.close();
    const TRun r = RunCalc({"--batch", path});
    EXPECT_EQ(r.status, GetParam().status);
    std::string err = GetParam().err;
    for (std::size_t at = err.find("FILE"); at != std::string::npos; at = err.find("FILE")) err.replace(at, 4, path.toStdString());
    EXPECT_EQ(r.err, err);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BatchStatus,
    ::testing::Values(TStatus{"all good", "va\n1\n2\n", 0, ""},
                      TStatus{"one bad", "va\n1\nx\n", 1, "merivane-calc: FILE:3: va \"x\": not a whole number; row skipped\n"},
                      TStatus{"all bad", "eff\nx\ny\n", 1,
                              "merivane-calc: FILE:2: eff \"x\": not a number; row skipped\n"
                              "merivane-calc: FILE:3: eff \"y\": not a number; row skipped\n"},
                      TStatus{"empty file", "", 0, ""},
                      TStatus{"header only", "va,ia\n", 0, ""},
                      TStatus{"no header", "4000,3\n", 2,
                              "merivane-calc: FILE:1: the header names none of the columns va, ia, eff, source, "
                              "load, directivity, frequency, line, length, span\n"},
                      TStatus{"a column twice", "va,ia,va\n1,2,3\n", 2,
                              "merivane-calc: FILE:1: the column \"va\" appears twice\n"},
                      TStatus{"other columns", "va,note\n1,first\n", 0,
                              "merivane-calc: warning: FILE:1: 1 column that is not an input is ignored: \"note\"\n"},
                      TStatus{"crlf and a byte-order mark", "\xEF\xBB\xBFva,eff\r\n1000,50\r\n", 0, ""}),
    ROW_NAMES(std::string(r.name)));

TEST(Batch, AFolderThatCannotBeReadIsBadUse)
{
    QTemporaryDir dir;
    const TRun r = RunCalc({"--batch", dir.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "merivane-calc: cannot read \"" + dir.path().toStdString() + "\": Is a directory\n");
    EXPECT_EQ(r.out, "") << "no header for rows that were never read";
}

// Output into a private full device (as /dev/full): every write fails with
// ENOSPC, and the program must say so rather than exit as if it had answered.
struct TFullRun {
    const char* name;
    QStringList args;
    QByteArray input;
};

class OutputToAFullDisk : public ::testing::TestWithParam<TFullRun> {
protected:
    // Runs the row's case with its standard output in p (set up by the
    // caller) and expects status 2 with the message naming the error.
    void ExpectFailure(QProcess& p, const std::string& error)
    {
        p.start(QStringLiteral(MERIVANE_CALC), GetParam().args);
        ASSERT_TRUE(p.waitForStarted(10000));
        p.write(GetParam().input);
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 2);
        EXPECT_EQ(p.readAllStandardError().toStdString(), "merivane-calc: cannot write the output: " + error + "\n");
    }
};

TEST_P(OutputToAFullDisk, IsAFailureThatSaysSo)
{
    QTemporaryDir dir;
    const QString full = dir.filePath("full");
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "making a device node needs root";
    QProcess p;
    p.setStandardOutputFile(full);
    ExpectFailure(p, "No space left on device");
}

// The same without root: a file of at most 256 bytes (RLIMIT_FSIZE, with
// SIGXFSZ ignored so that the write fails with EFBIG instead of killing).
TEST_P(OutputToAFullDisk, OrTooLargeAFileIsAFailureThatSaysSo)
{
    QTemporaryDir dir;
    QProcess p;
    p.setStandardOutputFile(dir.filePath("out"));
    p.setChildProcessModifier([] {
        const rlimit small{256, 256};
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_IGN);
    });
    ExpectFailure(p, "File too large");
}

INSTANTIATE_TEST_SUITE_P(Cli, OutputToAFullDisk,
                         ::testing::Values(TFullRun{"one case as text", {"--va", "3000"}, {}},
                                           TFullRun{"one case as json", {"--format", "json"}, {}},
                                           TFullRun{"help", {"--help"}, {}},
                                           TFullRun{"a batch", {"--batch", "-"}, "va\n1000\n2000\n"}),
                         ROW_NAMES(std::string(r.name)));

TEST(Batch, ItsOwnOutputReadsBackAsTheSameCases)
{
    const TRun first = RunCalc({"--batch", "-"},
                               "va,ia,eff,source,load,directivity\n"
                               "1234,0.333,33.3,db:-7.7@-95,swr:1.37@35,17.5\n"
                               "99999,999.9,99.9,0.999@180,db:-0.01@-180,\n"
                               "0,0,0,swr:1@0,0@0,0\n");
    ASSERT_EQ(first.status, 0) << first.err;
    // every model field at full precision: computing the printed inputs again gives the same rows
    const TRun again = RunCalc({"--batch", "-"}, QByteArray::fromStdString(first.out));
    ASSERT_EQ(again.status, 0);
    EXPECT_EQ(again.out, first.out);
    EXPECT_NE(again.err.find("columns that are not inputs are ignored: \"Va\", \"Ia\""), std::string::npos);
}

// The peak resident memory of a running process, in KiB; 0 once it has ended.
long HighWaterKiB(pid_t pid)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

// Runs merivane-calc on a file, its output to /dev/null, and watches its
// peak memory until it ends. (The peak of the process's own image: what a
// child inherits of the test process before exec does not count.)
long PeakKiB(const std::string& file)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string exe = MERIVANE_CALC, batch = "--batch", path = file;
    char* argv[] = {exe.data(), batch.data(), path.data(), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    long peak = 0;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        peak = std::max(peak, HighWaterKiB(pid));
        usleep(2000);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return peak;
}

std::string CasesFile(const QTemporaryDir& dir, int rows)
{
    const QString path = dir.filePath(QString("cases-%1.csv").arg(rows));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("va,ia,eff,source,load,directivity,note\n");
    const QByteArray note(60, 'n');  // a wide column, so that holding the input would show
    for (int i = 0; i < rows; ++i)
        f.write(QByteArray::number(i % 100001) + ",3." + QByteArray::number(i % 997) + ",85,db:-" +
                QByteArray::number(i % 60) + "@" + QByteArray::number(i % 360 - 180) + ",swr:1." +
                QByteArray::number(i % 89) + "@0,20," + note + "\n");
    return path.toStdString();
}

TEST(Batch, AHundredThousandRowsRunInTheMemoryOfTwentyThousand)
{
    QTemporaryDir dir;
    const long small = PeakKiB(CasesFile(dir, 20000));
    const long large = PeakKiB(CasesFile(dir, 100000));  // about 10 MB in, 100 MB out
    EXPECT_GT(small, 0);
    EXPECT_LT(large - small, 4096) << small << " KiB for 20000 rows, " << large << " KiB for 100000";
}

}  // namespace
