// SPDX-License-Identifier: GPL-3.0-or-later
// The Tuner view's table of solutions: present's table (SolutionTable), one
// row a solution.
#include "TunerView.h"

#include <QTableWidget>

namespace present = merivane::present;

void TTunerView::FillTable(const present::TTunerResult& t, bool withScrews)
{
    const present::TSolutionTable texts = present::SolutionTable(t, withScrews);
    QStringList headers;
    for (const std::string& h : texts.headers) headers << QString::fromStdString(h);
    table_->clear();
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(texts.rows.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        table_->setVerticalHeaderItem(i, new QTableWidgetItem(QString::fromStdString(present::SolutionCaption(i))));
        const std::vector<std::string>& cells = texts.rows[static_cast<std::size_t>(i)];
        for (std::size_t k = 0; k < cells.size(); ++k) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[k]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, static_cast<int>(k), item);
        }
    }
}
