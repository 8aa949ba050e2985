// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --batch over many thousand rows, which it computes in blocks
// on several threads: rows and messages come out in the order of the lines,
// each row the same as when it is computed alone.
#include "Calc.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 9000;  // several blocks' worth

bool IsBad(int i) { return i % 997 == 3; }       // a row that is not a case
bool IsClamped(int i) { return i % 1013 == 7; }  // a row whose va is clamped

// id, va, load: row i has va = i volts, unless it is bad or clamped.
std::string Rows(bool reversed)
{
    std::string text = "id,va,load\n";
    for (int k = 0; k < kRows; ++k) {
        const int i = reversed ? kRows - 1 - k : k;
        const std::string va = IsBad(i) ? "abc" : IsClamped(i) ? "250000" : std::to_string(i);
        text += "r" + std::to_string(i) + "," + va + "," + std::to_string(i % 90) + "e-2@" +
                std::to_string(i % 360 - 180) + "\n";
    }
    return text;
}

std::vector<std::string> DataLines(const std::string& out)
{
    std::vector<std::string> lines = TextLines(out);
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
}

std::string FirstCell(const std::string& line) { return line.substr(0, line.find(',')); }

TEST(BatchOrder, RowsAndMessagesComeOutInTheOrderOfTheLines)
{
    const TRun r = RunCalc({"--batch", "-", "--ia", "1"}, QByteArray::fromStdString(Rows(false)));
    ASSERT_EQ(r.status, 1) << "some rows are bad";
    // every good row, in the order read; its Pmatch is va * 1 A * 85 %
    const std::vector<std::string> lines = DataLines(r.out);
    std::vector<std::string> ids;
    std::string expectedErr;
    for (int i = 0; i < kRows; ++i) {
        const std::string line = std::to_string(i + 2);  // after the header, counted from 1
        if (IsBad(i)) {
            expectedErr += "merivane-calc: stdin:" + line + ": va \"abc\": not a whole number; row skipped\n";
            continue;
        }
        if (IsClamped(i))
            expectedErr += "merivane-calc: warning: stdin:" + line +
                           ": va \"250000\": outside 0 .. 100000, clamped to 100000\n";
        ids.push_back("r" + std::to_string(i));
    }
    EXPECT_EQ(r.err, expectedErr);
    ASSERT_EQ(lines.size(), ids.size());
    const std::vector<std::string> pmatch = Column(r.out, "Pmatch");
    ASSERT_EQ(pmatch.size(), ids.size());
    for (std::size_t k = 0; k < ids.size(); ++k) {
        ASSERT_EQ(FirstCell(lines[k]), ids[k]) << "row " << k;
        const int i = std::atoi(ids[k].c_str() + 1);
        const double volts = IsClamped(i) ? 100000 : i;
        EXPECT_NEAR(std::strtod(pmatch[k].c_str(), nullptr), volts * 0.85, 1e-9 * volts) << ids[k];
    }
}

TEST(BatchOrder, EachRowIsTheSameWhateverItsNeighbours)
{
    // the same rows forwards and backwards: each lands in another block, beside
    // other rows, and must come out the same, tuner solution included
    const QStringList args{"--batch", "-", "--match", "three-stub"};
    const TRun forwards = RunCalc(args, QByteArray::fromStdString(Rows(false)));
    const TRun backwards = RunCalc(args, QByteArray::fromStdString(Rows(true)));
    ASSERT_EQ(forwards.status, 1);
    ASSERT_EQ(backwards.status, 1);
    std::vector<std::string> a = DataLines(forwards.out);
    std::vector<std::string> b = DataLines(backwards.out);
    std::reverse(b.begin(), b.end());
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t k = 0; k < a.size(); ++k) ASSERT_EQ(a[k], b[k]) << "row " << k;
}

}  // namespace
