// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareView.h"

#include "Compare.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace present = merivane::present;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TCompareView::TCompareView(QWidget* parent) : TCaseView(parent)
{
    setObjectName(QStringLiteral("wbCompare"));
    setAccessibleName(QStringLiteral("Compare"));
    auto* layout = new QVBoxLayout(this);
    origin_ = new QLabel(QStringLiteral("No reference: choose Pin as Reference (Ctrl+R) or Compare With…"), this);
    origin_->setWordWrap(true);
    layout->addWidget(origin_);
    table_ = new QTableWidget(0, 5, this);
    table_->setObjectName(QStringLiteral("wbCompareTable"));
    table_->setAccessibleName(QStringLiteral("Comparison"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Quantity"), QStringLiteral("Reference"), QStringLiteral("Current"),
                                       QStringLiteral("Difference"), QStringLiteral("Change %")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("Copy Comparison"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &TCompareView::CopyTable);
    table_->addAction(copy);
    addAction(copy);
    layout->addWidget(table_);
}

void TCompareView::ShowSnapshot(const present::TSnapshot& s)
{
    current_ = s;
    if (isVisible() || reference_) Render();
}

void TCompareView::SetReference(const present::TSnapshot& reference, const QString& origin)
{
    reference_ = reference;
    origin_->setText(QStringLiteral("Reference: %1").arg(origin));
    Render();
    emit ReferenceSet();
}

void TCompareView::Render()
{
    if (!reference_ || !current_) return;
    const present::TComparison c = present::Compare(*reference_, *current_);
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(c.rows.size()));
    QFont bold = table_->font();
    bold.setBold(true);
    int r = 0;
    for (const present::TComparisonRow& row : c.rows) {
        const QString texts[] = {Q(row.section) + QStringLiteral(": ") + Q(row.caption), Q(row.reference), Q(row.current),
                                 Q(row.difference), Q(row.change)};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(texts[col]);
            if (col > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // a differing row is bold and says so to a screen reader
            if (row.differs) {
                item->setFont(bold);
                if (col == 0) item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("differs"));
            }
            table_->setItem(r, col, item);
        }
        ++r;
    }
}

QString TCompareView::TableText() const
{
    if (!reference_ || !current_) return QString();
    return Q(present::ComparisonTable(present::Compare(*reference_, *current_)));
}

void TCompareView::CopyTable() const
{
    const QString text = TableText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}
