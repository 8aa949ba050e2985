// SPDX-License-Identifier: GPL-3.0-or-later
// The batch's rows, a block at a time: a block of lines in, the rows and the
// messages they give out. Blocks are independent of each other, so the batch
// computes several at once and writes them in the order they were read.
#pragma once

#include "Inputs.h"
#include "MagnetronCase.h"
#include "TubeOptions.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace merivane {

// What the header settled, the same for every row.
struct TBatchColumns {
    std::string name;                              // the input's, for messages
    char sep = ',';
    std::vector<std::optional<InputId>> columns;   // the input each cell is, if any
    std::optional<std::size_t> idColumn;
    bool sweep = false;                            // the line's columns are written
    bool tubeOut = false;                          // the tube's columns are written
    TTubeColumns tubeColumns;                      // the magnetron's inputs among the cells
    std::optional<std::size_t> loadFileColumn;     // "load_file": a measured load per row
    std::optional<std::size_t> portColumn;         // "port": its port, 1 when empty
    const TCliCase* defaults = nullptr;            // the options' case: every row starts from it
};

// Lines read from the input, with their numbers, in one buffer.
class TBatchLines {
public:
    void Add(std::string_view line, long long lineNo);
    std::size_t Count() const { return lines_.size(); }
    std::string_view Line(std::size_t i) const { return {text_.data() + lines_[i].begin, lines_[i].size}; }
    long long LineNo(std::size_t i) const { return lines_[i].lineNo; }
    void Clear()  // empty, its memory kept
    {
        text_.clear();
        lines_.clear();
    }

private:
    struct TSpan {
        std::size_t begin, size;
        long long lineNo;
    };
    std::string text_;
    std::vector<TSpan> lines_;
};

// What a block gives: its rows, its messages for standard error, the count
// of rows skipped.
struct TBatchOut {
    std::string rows;
    std::string messages;
    long long bad = 0;
};

// A block of lines and what it gave; used again for block after block.
struct TBatchWork {
    TBatchLines lines;
    TBatchOut out;
};

// The header line of the output, newline included.
std::string BatchOutputHeader(const TBatchColumns& cols);

// Each line of work.lines: read, computed and written to work.out, or skipped
// with its message there. Touches nothing shared but cols, which it only
// reads: blocks may run on several threads.
void RunBatchLines(const TBatchColumns& cols, TBatchWork& work);

}  // namespace merivane
