// SPDX-License-Identifier: GPL-3.0-or-later
// Every change a Workbench view asks for, recorded in order.
#pragma once

#include "CaseView.h"

#include <QObject>

#include <vector>

// Every change a view asks for, as it asks for it.
struct TEdits {
    struct TEdit {
        merivane::present::TCase c;
        QString what;
        int mergeId;
    };
    std::vector<TEdit> list;
    explicit TEdits(TCaseView& view)
    {
        QObject::connect(&view, &TCaseView::Edited,
                         [this](const merivane::present::TCase& c, const QString& what, int mergeId) {
                             list.push_back({c, what, mergeId});
                         });
    }
    int count() const { return static_cast<int>(list.size()); }
};
