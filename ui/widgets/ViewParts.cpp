// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewParts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>

QLabel* SelectableLabel(QWidget* parent, const char* objectName, const QString& accessibleName)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(objectName));
    if (!accessibleName.isEmpty()) l->setAccessibleName(accessibleName);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    l->setFocusPolicy(Qt::StrongFocus);
    return l;
}

QTableView* PointTable(QWidget* parent, QAbstractItemModel* model, const QString& accessibleName)
{
    auto* t = new QTableView(parent);
    t->setAccessibleName(accessibleName);
    t->setModel(model);
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    return t;
}
