// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandView.h"

#include "BandTable.h"
#include "EntryReader.h"
#include "MeasuredTexts.h"
#include "SweepChartLoader.h"
#include "ViewParts.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace present = merivane::present;
using present::Input;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

double& ValueOf(merivane::TMeasuredLoad& load, Input id)
{
    return id == Input::BandHalfMHz ? load.bandHalfMHz : load.planeShiftMm;
}

}  // namespace

TBandView::TBandView(QWidget* parent) : TCaseView(parent), case_(present::DefaultCase())
{
    auto* inputs = new QHBoxLayout;
    const auto add = [&](Input id, const QString& caption) {
        QLineEdit* f = MakeField(id);
        auto* label = new QLabel(caption, this);
        label->setBuddy(f);
        inputs->addWidget(label);
        inputs->addWidget(f);
        return f;
    };
    half_ = add(Input::BandHalfMHz, tr("Band &half-width (\u00b1 MHz, 0 the pulling range)"));
    shift_ = add(Input::PlaneShiftMm, tr("&Plane shift (mm)"));
    inputs->addStretch(1);

    summary_ = SelectableLabel(this, "bandSummary");

    auto* split = new QSplitter(Qt::Vertical, this);
    chart_ = MakeBandChart(split, chartError_);
    if (chart_) split->addWidget(chart_->Widget());
    model_ = new TBandTable(this);
    table_ = PointTable(split, model_, QStringLiteral("Band table"));
    split->addWidget(table_);
    // the chart readable, the table a few rows at least; the chart takes what is left
    const int em = fontMetrics().height();
    if (chart_) chart_->Widget()->setMinimumHeight(14 * em);
    table_->setMinimumHeight(6 * em);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({30 * em, 12 * em});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(summary_);
    layout->addWidget(split, 1);
}

QLineEdit* TBandView::MakeField(Input id)
{
    const present::TInputRow& row = present::InputRow(id);
    auto* f = new QLineEdit(this);
    f->setObjectName(QString::fromLatin1(row.key));
    f->setAccessibleName(QString::fromUtf8(row.name));
    if (row.help) f->setToolTip(QString::fromUtf8(row.help));
    f->setMaximumWidth(f->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    f->installEventFilter(this);
    connect(f, &QLineEdit::returnPressed, this, [this, id, f] { NumberEdited(id, f); });
    return f;
}

bool TBandView::eventFilter(QObject* watched, QEvent* event)
{
    // a field left by any means commits, as Enter does
    if (event->type() == QEvent::FocusOut) {
        if (watched == half_) NumberEdited(Input::BandHalfMHz, half_);
        if (watched == shift_) NumberEdited(Input::PlaneShiftMm, shift_);
    }
    return TCaseView::eventFilter(watched, event);
}

void TBandView::NumberEdited(Input id, QLineEdit* field)
{
    if (showing_ || !case_.measured) return;
    present::TCase c = case_;
    double& value = ValueOf(*c.measured, id);
    const present::TInputRow& row = present::InputRow(id);
    const std::string typed = field->text().toStdString();
    const present::TReading r = present::ReadEntry(row, typed, value);
    // not a number keeps the value in force; beyond the limits takes the nearer one
    value = r.value;
    field->setText(Q(present::EntryText(row, value)));
    field->setToolTip(Q(present::EntryNote(row, typed, r)) + (row.help ? "\n" + QString::fromUtf8(row.help) : QString()));
    if (c == case_) return;
    emit Edited(c, QString::fromUtf8(row.name), kBandMergeBase + static_cast<int>(id));
}

void TBandView::ShowSnapshot(const present::TSnapshot& s)
{
    showing_ = true;
    case_ = s.c;
    const bool measured = s.c.measured && s.measured.present;
    for (QLineEdit* f : {half_, shift_}) f->setEnabled(measured);
    if (measured) {
        half_->setText(Q(present::EntryText(present::InputRow(Input::BandHalfMHz), s.c.measured->bandHalfMHz)));
        shift_->setText(Q(present::EntryText(present::InputRow(Input::PlaneShiftMm), s.c.measured->planeShiftMm)));
    }
    const present::PowerUnit unit = s.c.display.power;
    QString summary = measured ? Q(present::BandSummary(s.band, unit))
                               : tr("No measured load: open one with File \u25b8 Open Measured Load\u2026 (Ctrl+Shift+O).");
    if (!chart_) summary += QStringLiteral("\n") + tr("The chart could not be shown: %1").arg(chartError_);
    summary_->setText(summary);
    const present::TBandResult none;
    const present::TBandResult& band = measured ? s.band : none;
    if (chart_) {
        const present::TPulledRange pulled = present::PulledRangeMHz(s);
        chart_->ShowBand(band, s.c.line.FreqMHz, pulled.loMHz, pulled.hiMHz, unit);
    }
    model_->Show(band, unit);
    showing_ = false;
}
