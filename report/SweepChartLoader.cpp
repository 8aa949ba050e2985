// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepChartLoader.h"

#include "Report.h"
#include "ReportTable.h"
#include "SweepTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPainter>
#include <QStringList>

namespace {

struct TLoaded {
    TMakeSweepChart make = nullptr;
    TPaintSweepChart paint = nullptr;
    TMakeBandChart band = nullptr;
    TMakeProcessChart process = nullptr;
    QString error;
};

// Beside the program's real file (a link on the PATH is followed): installed,
// in the build tree, and for the tests' programs, whose build copies it there.
// No build-tree path is compiled in.
TLoaded Load()
{
    TLoaded out;
    const QStringList places{QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(kSweepChartFile)};
    for (const QString& path : places) {
        if (!QFileInfo(path).isFile()) continue;
        QLibrary lib(path);  // stays loaded: the library object does not unload it
        out.make = reinterpret_cast<TMakeSweepChart>(lib.resolve(kMakeSweepChartSymbol));
        out.paint = reinterpret_cast<TPaintSweepChart>(lib.resolve(kPaintSweepChartSymbol));
        out.band = reinterpret_cast<TMakeBandChart>(lib.resolve(kMakeBandChartSymbol));
        out.process = reinterpret_cast<TMakeProcessChart>(lib.resolve(kMakeProcessChartSymbol));
        if (out.make && out.paint && out.band && out.process) return out;
        out.error = lib.isLoaded() ? path + QStringLiteral(" lacks its entry points") : lib.errorString();
        out.make = nullptr;
        out.paint = nullptr;
        out.band = nullptr;
        out.process = nullptr;
    }
    if (out.error.isEmpty()) out.error = QString::fromLatin1(kSweepChartFile) + QStringLiteral(" was not found beside the program");
    return out;
}

const TLoaded& Loaded()
{
    static const TLoaded loaded = Load();
    return loaded;
}

}  // namespace

ISweepChart* MakeSweepChart(bool roomy, QWidget* parent, QString& error)
{
    error = Loaded().error;
    return Loaded().make ? Loaded().make(roomy, parent) : nullptr;
}

IBandChart* MakeBandChart(QWidget* parent, QString& error)
{
    error = Loaded().error;
    return Loaded().band ? Loaded().band(parent) : nullptr;
}

IProcessChart* MakeProcessChart(QWidget* parent, QString& error)
{
    error = Loaded().error;
    return Loaded().process ? Loaded().process(parent) : nullptr;
}

bool PaintSweepChartLoaded(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                           merivane::present::PowerUnit unit, bool ideal, QString& error,
                           const merivane::present::TTubeResult* tube)
{
    error = Loaded().error;
    if (!Loaded().paint) return false;
    Loaded().paint(painter, rect, c, unit, ideal, tube);
    return true;
}

bool PaintSweepReportPart(QPainter& painter, const QRectF& rect, const merivane::TSweepCase& c,
                          merivane::present::PowerUnit unit, bool ideal, QString& error,
                          const merivane::present::TTubeResult* tube)
{
    // what the chart cannot say: the line's figures, and the absorbed power
    // to expect when the line's phase is not known (a spread past 360 deg)
    const merivane::TSweepResult r = merivane::CalcLineSweep(c, 0);
    const std::string summary =
        merivane::present::SweepSummary(c.In, r) + "\n" + merivane::present::RandomPhaseLine(r, unit);
    painter.save();
    painter.setFont(ReportFont(painter, merivane::report::kTableFontSize));
    const QString text = QString::fromStdString(summary);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    // the font is sized for the device; measure in the painter's units
    const QRectF used = painter.boundingRect(rect, flags, text);
    painter.drawText(rect, flags, text);
    painter.restore();
    const double gap = 4;  // points
    const QRectF below(rect.left(), used.bottom() + gap, rect.width(), std::max(0.0, rect.bottom() - used.bottom() - gap));
    return PaintSweepChartLoaded(painter, below, c, unit, ideal, error, tube);
}
