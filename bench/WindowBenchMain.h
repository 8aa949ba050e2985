// SPDX-License-Identifier: GPL-3.0-or-later
// What the benchmarks of the windows share: a prompter that answers nothing
// (no box ever waits for a click), and a main that runs them offscreen in a
// home folder of their own.
#pragma once

#include "Environment.h"
#include "Prompter.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

class TSilentPrompter final : public IPrompter {
public:
    bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
    void Error(QWidget*, const QString&, const QString&) override {}
    bool CloseWithoutSaving(QWidget*, const QString&, const QString&) override { return false; }
    SaveChoice SaveChanges(QWidget*, const QString&, const QString&) override { return SaveChoice::Discard; }
};

inline int RunWindowBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    merivane::env::ForceUserDataDir();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
