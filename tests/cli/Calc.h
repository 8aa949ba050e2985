// SPDX-License-Identifier: GPL-3.0-or-later
// Runs merivane-calc as a user does, and reads its text output back into
// sections: each a header (the title and the column headers) and its rows.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

struct TRun {
    int status = -1;
    std::string out, err;
};

inline TRun RunCalc(const QStringList& args, const QByteArray& input = {},
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MERIVANE_CALC), args);
    EXPECT_TRUE(p.waitForStarted(10000));
    if (!input.isEmpty()) p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000));
    TRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

inline std::vector<std::string> TextLines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The cells of one CSV line, split at every comma (no quoting).
inline std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ',')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// The value of a named column in each data row of a batch's output.
inline std::vector<std::string> Column(const std::string& out, const std::string& name)
{
    const std::vector<std::string> lines = TextLines(out);
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) return {};
    const std::vector<std::string> header = Cells(lines[0]);
    const auto at = std::find(header.begin(), header.end(), name);
    EXPECT_NE(at, header.end()) << name;
    std::vector<std::string> values;
    for (std::size_t i = 1; i < lines.size(); ++i) values.push_back(Cells(lines[i]).at(static_cast<std::size_t>(at - header.begin())));
    return values;
}

struct TTextSection {
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> cells;  // per row, per column
};

inline std::string Trim(std::string s)
{
    while (!s.empty() && s.back() == ' ') s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    return s;
}

// A section's columns start where its header's cells start; a list of single
// values has its value after the first run of two blanks.
inline std::vector<TTextSection> ParseText(const std::string& text)
{
    std::vector<TTextSection> out;
    std::vector<std::string> block;
    const auto flush = [&] {
        if (block.empty()) return;
        TTextSection s;
        const std::string& head = block[0];
        std::vector<std::size_t> starts = {0};
        for (std::size_t i = head.find("  "); i != std::string::npos; i = head.find("  ", i)) {
            const std::size_t next = head.find_first_not_of(' ', i);
            if (next == std::string::npos) break;
            starts.push_back(next);
            i = next;
        }
        s.title = Trim(head.substr(0, starts.size() > 1 ? starts[1] : std::string::npos));
        for (std::size_t c = 1; c < starts.size(); ++c)
            s.columns.push_back(Trim(head.substr(starts[c], c + 1 < starts.size() ? starts[c + 1] - starts[c] : std::string::npos)));
        for (std::size_t r = 1; r < block.size(); ++r) {
            const std::string& line = block[r];
            std::vector<std::string> cells;
            if (starts.size() > 1) {
                s.captions.push_back(Trim(line.substr(0, starts[1])));
                for (std::size_t c = 1; c < starts.size(); ++c) {
                    const std::size_t from = std::min(starts[c], line.size());
                    const std::size_t to = c + 1 < starts.size() ? std::min(starts[c + 1], line.size()) : line.size();
                    cells.push_back(Trim(line.substr(from, to - from)));
                }
            } else {
                const std::size_t gap = line.find("  ");
                s.captions.push_back(Trim(line.substr(0, gap)));
                cells.push_back(gap == std::string::npos ? std::string() : Trim(line.substr(gap)));
            }
            s.cells.push_back(cells);
        }
        out.push_back(s);
        block.clear();
    };
    for (const std::string& line : TextLines(text)) {
        if (line.empty())
            flush();
        else
            block.push_back(line);
    }
    flush();
    return out;
}
