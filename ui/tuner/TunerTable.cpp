// SPDX-License-Identifier: GPL-3.0-or-later
// The Tuner view's table of solutions: one row a solution, the columns the
// method's settings, and the screws' depths when a calibration is loaded.
#include "TunerView.h"

#include <QTableWidget>

#include <cmath>

namespace present = merivane::present;
using merivane::MatchMethod;

namespace {

QString Number(double x, int decimals) { return QString::number(x, 'f', decimals); }

QString Depth(const present::TScrewSetting& s)
{
    switch (s.kind) {
    case present::ScrewDepth::Out: return QStringLiteral("out");
    case present::ScrewDepth::Depth: return Number(s.depthMm, 2);
    case present::ScrewDepth::Beyond: return QStringLiteral("beyond the table");
    default: return QString();
    }
}

QStringList Headers(MatchMethod m, bool withScrews)
{
    switch (m) {
    case MatchMethod::SingleStub: return {"Distance (mm)", "b", "Stub Length (mm)"};
    case MatchMethod::EH: return {"Order", "x (series)", "b (shunt)"};
    case MatchMethod::ThreeStub:
        return withScrews ? QStringList{"b1", "b2", "b3", "Depth 1 (mm)", "Depth 2 (mm)", "Depth 3 (mm)"}
                          : QStringList{"b1", "b2", "b3"};
    case MatchMethod::DoubleStub:
        return withScrews ? QStringList{"bA", "bB", "Depth A (mm)", "Depth B (mm)"} : QStringList{"bA", "bB"};
    }
    return {};
}

}  // namespace

void TTunerView::FillTable(const present::TTunerResult& t, bool withScrews)
{
    const merivane::TMatchResult& r = t.match;
    const QStringList headers = Headers(r.Method, withScrews);
    table_->clear();
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(r.SolutionCount);
    for (int i = 0; i < r.SolutionCount; ++i) {
        table_->setVerticalHeaderItem(i, new QTableWidgetItem(QStringLiteral("Solution %1").arg(i + 1)));
        const merivane::TMatchSolution& s = r.Solutions[i];
        QStringList cells;
        switch (r.Method) {
        case MatchMethod::SingleStub:
            cells = {Number(s.DistanceMm, 2), Number(s.Susceptance, 4), Number(s.StubLengthMm, 2)};
            break;
        case MatchMethod::EH:
            cells = {QString::fromLatin1(s.Order), Number(s.Reactance, 4), Number(s.Susceptance, 4)};
            break;
        default:
            for (int k = 0; k < s.SusceptanceCount; ++k) cells << Number(s.Susceptances[k], 4);
            if (withScrews)
                for (int k = 0; k < s.SusceptanceCount; ++k) cells << Depth(t.screws[i][k]);
            break;
        }
        for (int k = 0; k < cells.size(); ++k) {
            auto* item = new QTableWidgetItem(cells[k]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, k, item);
        }
    }
}
