// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicatorTables.h"

#include "ApplicatorEdits.h"
#include "ApplicatorTexts.h"
#include "EntryReader.h"
#include "InputRows.h"

#include <QHeaderView>
#include <QTableWidget>

namespace present = merivane::present;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// t of the way from a to b, channel by channel
QColor Blend(const QColor& a, const QColor& b, double t)
{
    const auto mix = [t](float x, float y) { return x + static_cast<float>(t) * (y - x); };
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()), mix(a.blueF(), b.blueF()));
}

QTableWidgetItem* Shown(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QStringList FeedNames(int n)
{
    QStringList names;
    for (int i = 1; i <= n; ++i) names << QObject::tr("Feed %1").arg(i);
    return names;
}

// How much of the highlight the worst feed's row and the strongest cell take.
constexpr double kWorstTint = 0.35, kStrongestTint = 0.85;

}  // namespace

void SetUpTable(QTableWidget* table, const char* objectName, const QString& accessibleName)
{
    table->setObjectName(QString::fromLatin1(objectName));
    table->setAccessibleName(accessibleName);
    table->setTabKeyNavigation(false);  // Tab leaves the table, the arrows move within it
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void FillFeeds(QTableWidget* table, const present::TApplicatorCase* a, double caseFrequencyMHz)
{
    const int n = a ? static_cast<int>(a->feeds.size()) : 0;
    table->setColumnCount(present::kFeedColumns);
    QStringList captions;
    for (int c = 0; c < present::kFeedColumns; ++c) {
        const auto& row = present::InputRow(present::FeedInput(static_cast<present::FeedColumn>(c)));
        captions << Q(row.caption);
        if (row.help) table->model()->setHeaderData(c, Qt::Horizontal, Q(row.help), Qt::ToolTipRole);
    }
    table->setHorizontalHeaderLabels(captions);
    table->setRowCount(n);
    table->setVerticalHeaderLabels(FeedNames(n));
    const QColor followed = table->palette().color(QPalette::PlaceholderText);
    const std::string caseText = present::LimitText(caseFrequencyMHz);
    for (int i = 0; i < n; ++i) {
        const present::TFeedCase& f = a->feeds[static_cast<std::size_t>(i)];
        for (int c = 0; c < present::kFeedColumns; ++c) {
            const auto column = static_cast<present::FeedColumn>(c);
            auto* item = new QTableWidgetItem(Q(present::FeedEntryText(f, column)));
            if (column == present::FeedColumn::Frequency && !f.frequencyMHz) {
                item->setText(Q(caseText));
                item->setForeground(followed);
                QFont italic = item->font();
                italic.setItalic(true);
                item->setFont(italic);
                item->setToolTip(QObject::tr("The case's frequency; type one for this feed alone, or clear the cell "
                                             "to follow the case again."));
            }
            table->setItem(i, c, item);
        }
    }
}

void FillMatrix(QTableWidget* table, const present::TSnapshot& s)
{
    const std::vector<double>& db = s.applicator.matrixDb;
    const int n = s.c.applicator && !db.empty() ? s.c.applicator->data.ports : 0;
    table->setRowCount(n);
    table->setColumnCount(n);
    QStringList ports;
    for (int i = 1; i <= n; ++i) ports << QString::number(i);
    table->setHorizontalHeaderLabels(ports);
    table->setVerticalHeaderLabels(ports);
    const QPalette& p = table->palette();
    const QColor base = p.color(QPalette::Base), strong = p.color(QPalette::Highlight);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double v = db[static_cast<std::size_t>(i * n + j)];
            const double t = kStrongestTint * present::MatrixStrength(v);
            auto* item = Shown(Q(present::MatrixDbText(v)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setBackground(Blend(base, strong, t));
            item->setForeground(p.color(t > 0.5 ? QPalette::HighlightedText : QPalette::Text));
            const QString name = n > 9 ? QStringLiteral("S%1,%2").arg(i + 1).arg(j + 1)
                                       : QStringLiteral("S%1%2").arg(i + 1).arg(j + 1);
            item->setData(Qt::AccessibleTextRole, QObject::tr("%1: %2 dB").arg(name, item->text()));
            table->setItem(i, j, item);
        }
}

void FillResults(QTableWidget* table, const present::TSnapshot& s)
{
    const merivane::TApplicatorResult& r = s.applicator.result;
    const int n = s.c.applicator ? static_cast<int>(r.feeds.size()) : 0;
    table->setColumnCount(present::kApplicatorColumns);
    QStringList captions;
    for (int c = 0; c < present::kApplicatorColumns; ++c) captions << Q(present::ApplicatorColumnCaption(c));
    table->setHorizontalHeaderLabels(captions);
    table->setRowCount(n);
    table->setVerticalHeaderLabels(FeedNames(n));
    const QPalette& p = table->palette();
    const QColor worst = Blend(p.color(QPalette::Base), p.color(QPalette::Highlight), kWorstTint);
    const QColor over = Blend(p.color(QPalette::Base), QColor(220, 40, 40), kWorstTint);
    for (int i = 0; i < n; ++i) {
        const merivane::TApplicatorFeed& f = r.feeds[static_cast<std::size_t>(i)];
        const present::TFeedCase& in = s.c.applicator->feeds[static_cast<std::size_t>(i)];
        const bool isWorst = static_cast<std::size_t>(i) == r.worstFeed && f.returnedW > 0;
        for (int c = 0; c < present::kApplicatorColumns; ++c) {
            auto* item = Shown(Q(present::ApplicatorCell(f, in, c, s.c.display.power)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QFont font = item->font();
            font.setBold(isWorst);
            if (isWorst) item->setBackground(worst);
            if (c == present::kApplicatorColumns - 1 && present::DummyOverloaded(f, in)) {
                font.setBold(true);
                item->setBackground(over);
                item->setToolTip(QObject::tr("The dummy load takes more than its rating."));
            }
            item->setFont(font);
            table->setItem(i, c, item);
        }
    }
}
