// SPDX-License-Identifier: GPL-3.0-or-later
#include "TubeWidgets.h"

#include "MagnetronTexts.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include <cmath>

using namespace merivane::present;

TTubeSpinner::TTubeSpinner(TubeInput id, QWidget* parent) : QDoubleSpinBox(parent), id_(id)
{
    const TTubeRow& row = TubeRow(id);
    setObjectName(QString::fromLatin1(row.key));
    setAccessibleName(QString::fromUtf8(row.name));
    setDecimals(row.decimals);
    setRange(row.lo, row.hi);
    setSingleStep(row.step);
    setSuffix(QString::fromUtf8(row.unit));
    setSpecialValueText(tr("not set"));  // at the minimum, 0
    SetTip(this, QString::fromStdString(TubeInputTip(id)));
    setKeyboardTracking(false);
    setAccelerated(true);
    // room for the widest value in characters of the font, whatever its size
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
}

void TTubeSpinner::Show(double value)
{
    const QSignalBlocker quiet(this);
    setValue(value);
}

TValueTable::TValueTable(const QString& accessibleName, const QStringList& headers, QWidget* parent)
    : QTableWidget(0, static_cast<int>(headers.size()), parent)
{
    setAccessibleName(accessibleName);
    setHorizontalHeaderLabels(headers);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setTabKeyNavigation(false);  // Tab leaves the table; the arrows walk it
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setWordWrap(true);
}

void TValueTable::ShowRows(const std::vector<TCaseRow>& rows)
{
    setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TCaseRow& row = rows[static_cast<std::size_t>(r)];
        const char* tip = TubeResultTip(row.caption);
        const auto cell = [tip](const std::string& text) {
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            if (tip) item->setToolTip(QString::fromUtf8(tip));
            return item;
        };
        setItem(r, 0, cell(row.caption));
        for (int c = 0; c < static_cast<int>(row.values.size()) && c + 1 < columnCount(); ++c)
            setItem(r, c + 1, cell(row.values[static_cast<std::size_t>(c)].Joined()));
    }
    resizeRowsToContents();
}

QString TValueTable::ValueOf(const QString& caption, int column) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (item(r, 0) && item(r, 0)->text() == caption) return item(r, column) ? item(r, column)->text() : QString();
    return QString();
}

void SetTip(QWidget* w, const QString& tip)
{
    w->setToolTip(tip);
    w->setAccessibleDescription(tip);
}

QLabel* BuddyLabel(TTubeSpinner* spinner, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(TubeRow(spinner->Id()).name) + QObject::tr(":"), parent);
    label->setBuddy(spinner);
    label->setToolTip(spinner->toolTip());  // the caption explains what the field does
    return label;
}

namespace {

// Where an input lives in the case, const or not.
template <class Tube>
auto Field(Tube& t, TubeInput id) -> decltype(&t.magnetron.pullingMHz)
{
    switch (id) {
    case TubeInput::Pulling: return &t.magnetron.pullingMHz;
    case TubeInput::Qext: return &t.magnetron.qext;
    case TubeInput::Isolation: return &t.magnetron.isolationDb;
    case TubeInput::DummyRating: return &t.magnetron.dummyRatingW;
    case TubeInput::Coupling: return &t.measurement.couplingPct;
    case TubeInput::Sensor: return &t.measurement.sensorPct;
    case TubeInput::Trip: return &t.measurement.tripPct;
    case TubeInput::WaterFlow: return &t.measurement.waterFlowLpm;
    case TubeInput::WaterRise: return &t.measurement.waterRiseK;
    }
    return &t.magnetron.pullingMHz;
}

}  // namespace

double TubeValue(const TTubeCase& t, TubeInput id) { return *Field(t, id); }

void SetTubeValue(TTubeCase& t, TubeInput id, double value) { *Field(t, id) = value; }
