// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessView.h"

#include "LoadSetFile.h"
#include "ProcessEdits.h"
#include "ProcessPoints.h"
#include "ProcessTexts.h"
#include "SweepChartLoader.h"
#include "ViewParts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TProcessView::TProcessView(QWidget* parent) : TCaseView(parent), case_(present::DefaultCase())
{
    set_ = new QTableWidget(0, 2, this);
    set_->setObjectName(QStringLiteral("processSet"));
    set_->setAccessibleName(QStringLiteral("Load set"));
    set_->setHorizontalHeaderLabels({tr("Name"), tr("Load (|\u0393|@\u00b0, db:, swr:)")});
    set_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    set_->setSelectionBehavior(QAbstractItemView::SelectRows);
    set_->setSelectionMode(QAbstractItemView::SingleSelection);
    set_->setTabKeyNavigation(false);  // Tab leaves the table, the arrows move within it
    connect(set_, &QTableWidget::itemChanged, this, &TProcessView::CellEdited);

    auto* buttons = new QHBoxLayout;
    const QString captions[5] = {tr("&Add Load"), tr("&Remove"), tr("Move &Up"), tr("Move &Down"),
                                 tr("&Import CSV\u2026")};
    for (int i = 0; i < 5; ++i) {
        buttons_[i] = new QPushButton(captions[i], this);
        buttons->addWidget(buttons_[i]);
    }
    robust_ = new QCheckBox(tr("R&obust tuner setting (the Tuner's method and spacing)"), this);
    buttons->addWidget(robust_);
    buttons->addStretch(1);
    connect(buttons_[0], &QPushButton::clicked, this, [this] {
        present::TCase c = case_;
        if (present::AddSetLoad(c, set_->currentRow())) Propose(c, tr("Add Load"));
    });
    connect(buttons_[1], &QPushButton::clicked, this, [this] {
        present::TCase c = case_;
        if (present::RemoveSetLoad(c, set_->currentRow())) Propose(c, tr("Remove Load"));
    });
    connect(buttons_[2], &QPushButton::clicked, this, [this] { Move(-1); });
    connect(buttons_[3], &QPushButton::clicked, this, [this] { Move(+1); });
    connect(buttons_[4], &QPushButton::clicked, this, &TProcessView::AskImport);
    // clicked, not toggled: showing a snapshot sets the box without an edit
    connect(robust_, &QCheckBox::clicked, this, [this](bool on) {
        present::TCase c = case_;
        c.robust = on;
        Propose(c, on ? tr("Robust Setting On") : tr("Robust Setting Off"));
    });

    summary_ = SelectableLabel(this, "processSummary");
    message_ = SelectableLabel(this, "processMessage");
    message_->hide();

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(set_);
    chart_ = MakeProcessChart(split, chartError_);
    if (chart_) split->addWidget(chart_->Widget());
    model_ = new TProcessPoints(this);
    points_ = PointTable(split, model_, QStringLiteral("Process points"));
    split->addWidget(points_);
    const int em = fontMetrics().height();
    set_->setMinimumHeight(5 * em);
    if (chart_) chart_->Widget()->setMinimumHeight(12 * em);
    points_->setMinimumHeight(5 * em);
    split->setSizes({8 * em, 20 * em, 10 * em});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(message_);
    layout->addWidget(summary_);
    layout->addWidget(split, 1);
}

void TProcessView::Propose(const present::TCase& c, const QString& what)
{
    if (showing_ || c == case_) return;
    message_->hide();
    emit Edited(c, what, -1);
}

void TProcessView::CellEdited(QTableWidgetItem* item)
{
    if (showing_) return;
    present::TCase c = case_;
    const std::string text = item->text().toStdString();
    std::string error;
    const bool changed = item->column() == 0 ? present::RenameSetLoad(c, item->row(), text)
                                             : present::RetypeSetLoad(c, item->row(), text, error);
    const QString name = item->text().trimmed();
    const auto row = static_cast<std::size_t>(item->row());
    if (item->column() == 0 && !changed && !name.isEmpty() && row < case_.loadSet.size() &&
        name != Q(case_.loadSet[row].name))
        error = "another load is named \u201c" + name.toStdString() + "\u201d";
    if (!error.empty()) {
        message_->setText(tr("Not changed: %1").arg(Q(error)));
        message_->show();
    }
    if (changed) Propose(c, item->column() == 0 ? tr("Rename Load") : tr("Change Load"));
    else ShowSet();  // back to the text in force
}

void TProcessView::Move(int step)
{
    present::TCase c = case_;
    const int row = set_->currentRow();
    if (!present::MoveSetLoad(c, row, step)) return;
    Propose(c, step < 0 ? tr("Move Load Up") : tr("Move Load Down"));
    set_->setCurrentCell(row + step, set_->currentColumn());  // the load moved stays chosen
}

void TProcessView::AskImport()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import Load Set"), QString(),
                                                      tr("Load sets (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty()) ImportLoadSet(path);
}

bool TProcessView::ImportLoadSet(const QString& path)
{
    std::vector<present::TSetLoad> loads;
    std::string error;
    if (!present::ReadLoadSetFile(path.toStdString(), loads, error)) {
        message_->setText(tr("%1 was not imported: %2").arg(QFileInfo(path).fileName(), Q(error)));
        message_->show();
        return false;
    }
    present::TCase c = case_;
    c.loadSet = std::move(loads);
    Propose(c, tr("Import Load Set"));
    return true;
}

void TProcessView::ShowSet()
{
    const bool was = showing_;
    showing_ = true;
    const int row = set_->currentRow(), column = std::max(0, set_->currentColumn());
    set_->setRowCount(static_cast<int>(case_.loadSet.size()));
    for (int i = 0; i < set_->rowCount(); ++i) {
        const present::TSetLoad& l = case_.loadSet[static_cast<std::size_t>(i)];
        auto* name = new QTableWidgetItem(Q(l.name));
        auto* load = new QTableWidgetItem(Q(present::SetLoadText(l)));
        if (i == 0) name->setToolTip(tr("The nominal load: the first in the set"));
        if (l.measured) load->setToolTip(tr("Measured: type a reflection to replace it with a typed load"));
        set_->setItem(i, 0, name);
        set_->setItem(i, 1, load);
    }
    if (row >= 0 && row < set_->rowCount()) set_->setCurrentCell(row, column);
    showing_ = was;
}

void TProcessView::ShowSnapshot(const present::TSnapshot& s)
{
    showing_ = true;
    case_ = s.c;
    ShowSet();
    robust_->setChecked(s.c.robust);
    const bool any = !s.c.loadSet.empty();
    for (int i : {1, 2, 3}) buttons_[i]->setEnabled(any);
    QString text;
    for (const auto& [caption, value] : present::ProcessSummary(s)) text += Q(caption) + QStringLiteral(": ") + Q(value) + QLatin1Char('\n');
    if (!s.process.present)
        text = tr("No load set: add loads, or import a CSV of name,load or name,file,port. With a measured load and "
                  "the robust setting on, the band's points are the loads.");
    if (!chart_) text += tr("The chart could not be shown: %1").arg(chartError_);
    summary_->setText(text.trimmed());
    if (chart_) chart_->ShowProcess(s.process, s.c.display.power);
    model_->Show(s.process, s.c.display.power);
    showing_ = false;
}
