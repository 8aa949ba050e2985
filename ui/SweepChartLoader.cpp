// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepChartLoader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace {

struct TLoaded {
    TMakeSweepChart make = nullptr;
    QString error;
};

// Beside the program (as installed and in the build tree), else where the
// build put it, for the tests' programs in their own folder.
TLoaded Load()
{
    TLoaded out;
    QStringList places{QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(kSweepChartFile)};
#ifdef MERIVANE_SWEEPCHART_BUILT
    places << QStringLiteral(MERIVANE_SWEEPCHART_BUILT);
#endif
    for (const QString& path : places) {
        if (!QFileInfo(path).isFile()) continue;
        QLibrary lib(path);  // stays loaded: the library object does not unload it
        out.make = reinterpret_cast<TMakeSweepChart>(lib.resolve(kMakeSweepChartSymbol));
        if (out.make) return out;
        out.error = lib.errorString();
    }
    if (out.error.isEmpty()) out.error = QString::fromLatin1(kSweepChartFile) + QStringLiteral(" was not found beside the program");
    return out;
}

}  // namespace

ISweepChart* MakeSweepChart(bool roomy, QWidget* parent, QString& error)
{
    static const TLoaded loaded = Load();
    error = loaded.error;
    return loaded.make ? loaded.make(roomy, parent) : nullptr;
}
