// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicatorView.h"

#include "ApplicatorEdits.h"
#include "ApplicatorTables.h"
#include "ApplicatorTexts.h"
#include "EntryReader.h"
#include "InputRows.h"
#include "ViewParts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString Lines(const std::vector<std::pair<std::string, std::string>>& rows)
{
    QStringList lines;
    for (const auto& [caption, text] : rows) lines << Q(caption) + QStringLiteral(": ") + Q(text);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

TApplicatorView::TApplicatorView(QWidget* parent) : TCaseView(parent), case_(present::DefaultCase())
{
    open_ = new QPushButton(tr("&Open Applicator\u2026"), this);
    open_->setAccessibleName(tr("Open Applicator"));
    remove_ = new QPushButton(tr("Re&move Applicator"), this);
    remove_->setAccessibleName(tr("Remove Applicator"));
    connect(open_, &QPushButton::clicked, this, &TApplicatorView::AskOpen);
    connect(remove_, &QPushButton::clicked, this, [this] {
        present::TCase c = case_;
        if (present::RemoveApplicator(c)) Propose(c, tr("Remove Applicator"));
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);

    message_ = SelectableLabel(this, "applicatorMessage");
    message_->hide();
    summary_ = SelectableLabel(this, "applicatorSummary");

    feeds_ = new QTableWidget(0, present::kFeedColumns, this);
    SetUpTable(feeds_, "applicatorFeeds", tr("Feeds"));
    connect(feeds_, &QTableWidget::itemChanged, this, &TApplicatorView::CellEdited);

    auto* matrixPanel = new QWidget(this);
    matrix_ = new QTableWidget(0, 0, matrixPanel);
    SetUpTable(matrix_, "applicatorMatrix", tr("S-parameter magnitudes in dB at the case's frequency"));
    matrix_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    couplings_ = SelectableLabel(matrixPanel, "applicatorCouplings");
    auto* matrixLayout = new QVBoxLayout(matrixPanel);
    matrixLayout->setContentsMargins(0, 0, 0, 0);
    matrixLayout->addWidget(matrix_, 1);
    matrixLayout->addWidget(couplings_);

    results_ = new QTableWidget(0, present::kApplicatorColumns, this);
    SetUpTable(results_, "applicatorResults", tr("Power returned to each feed"));
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    totals_ = SelectableLabel(this, "applicatorTotals");

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(feeds_);
    split->addWidget(matrixPanel);
    split->addWidget(results_);
    const int em = fontMetrics().height();
    for (QWidget* w : {static_cast<QWidget*>(feeds_), matrixPanel, static_cast<QWidget*>(results_)})
        w->setMinimumHeight(4 * em);
    split->setSizes({8 * em, 10 * em, 8 * em});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(message_);
    layout->addWidget(summary_);
    // the totals first, where a dock of any height shows them
    layout->addWidget(totals_);
    layout->addWidget(split, 1);
    setTabOrder(open_, remove_);
    setTabOrder(remove_, totals_);
    setTabOrder(totals_, feeds_);
    setTabOrder(feeds_, matrix_);
    setTabOrder(matrix_, couplings_);
    setTabOrder(couplings_, results_);
}

void TApplicatorView::Say(const QString& text)
{
    message_->setText(text);
    message_->show();
}

void TApplicatorView::Propose(const present::TCase& c, const QString& what)
{
    if (showing_ || c == case_) return;
    message_->hide();
    emit Edited(c, what, -1);
}

void TApplicatorView::CellEdited(QTableWidgetItem* item)
{
    if (showing_) return;
    const auto column = static_cast<present::FeedColumn>(item->column());
    present::TCase c = case_;
    std::string error;
    if (present::SetFeedEntry(c, item->row(), column, item->text().toStdString(), error)) {
        const char* caption = present::InputRow(present::FeedInput(column)).caption;
        Propose(c, tr("Change Feed %1 %2").arg(item->row() + 1).arg(Q(caption)));
        return;
    }
    if (!error.empty()) Say(tr("Not changed: %1").arg(Q(error)));
    ShowFeeds();  // back to the text in force
}

void TApplicatorView::AskOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Applicator"), QString(),
                                                      tr("Touchstone files (*.s*p *.S*P *.ts);;All files (*)"));
    if (!path.isEmpty()) OpenApplicator(path);
}

bool TApplicatorView::OpenApplicator(const QString& path)
{
    present::TCase c = case_;
    std::string error;
    if (!present::OpenApplicatorFile(c, path.toStdString(), error) && !error.empty()) {
        Say(tr("%1 was not opened: %2").arg(QFileInfo(path).fileName(), Q(error)));
        return false;
    }
    Propose(c, tr("Open Applicator"));
    return true;
}

void TApplicatorView::ShowFeeds()
{
    const bool was = showing_;
    showing_ = true;
    const int row = feeds_->currentRow(), column = feeds_->currentColumn();
    FillFeeds(feeds_, case_.applicator ? &*case_.applicator : nullptr, caseFrequencyMHz_);
    if (row >= 0 && row < feeds_->rowCount()) feeds_->setCurrentCell(row, std::max(0, column));
    showing_ = was;
}

void TApplicatorView::ShowSnapshot(const present::TSnapshot& s)
{
    showing_ = true;
    case_ = s.c;
    caseFrequencyMHz_ = s.c.line.FreqMHz;
    ShowFeeds();
    remove_->setEnabled(s.c.applicator.has_value());
    const present::TApplicatorSnapshot& a = s.applicator;
    if (!s.c.applicator) {
        summary_->setText(tr("No applicator: open the N-port file (.sNp or .ts) of the cavity the magnetrons feed, "
                             "one feed on each port."));
    } else {
        summary_->setText(Q(present::ApplicatorFileText(*s.c.applicator)));
    }
    FillMatrix(matrix_, s);
    QStringList notes;
    if (!a.couplings.empty())
        notes << tr("|S_ij| in dB at %1 MHz: out of port i (the row) for a wave into port j (the column). %2")
                     .arg(Q(present::LimitText(a.frequencyMHz)), Q(present::StrongestText(a.couplings)));
    if (s.c.applicator) notes << Q(present::OutsideBandText(a, s.c.applicator->data));
    notes.removeAll(QString());
    couplings_->setText(notes.join(QLatin1Char('\n')));
    couplings_->setVisible(!notes.isEmpty());
    FillResults(results_, s);
    const bool computed = a.present && a.error.empty();
    results_->setVisible(!a.present || computed);
    totals_->setText(computed ? Lines(present::ApplicatorTotals(s))
                     : a.present ? tr("Not computed: %1.").arg(Q(a.error))
                                 : QString());
    totals_->setVisible(a.present);
    showing_ = false;
}
