// SPDX-License-Identifier: GPL-3.0-or-later
// A view of the case in the Workbench: it shows each snapshot the case
// document announces, and asks for changes by emitting the whole case as it
// should become. It never reaches into another view or a window.
#pragma once

#include "CaseModel.h"

#include <QString>
#include <QWidget>

class TCaseView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows every input and result of a snapshot; called after each change,
    // undo and redo, whoever made it. Showing never emits Edited.
    virtual void ShowSnapshot(const merivane::present::TSnapshot& s) = 0;

    // The help document's section for this view (F1).
    virtual QString HelpAnchor() const { return QString(); }

signals:
    // The user changed the case: c is the case as it should become, what
    // names the change for the undo list. Changes with the same mergeId
    // (>= 0) in a row make one undo step: one drag, one spinner's clicks.
    void Edited(const merivane::present::TCase& c, const QString& what, int mergeId);
};

// The merge ids of the views, one range each, apart from the main window's
// spinners (0..99).
inline constexpr int kSmithMergeBase = 1000;
inline constexpr int kTunerMergeBase = 2000;
inline constexpr int kMagnetronMergeBase = 3000;
inline constexpr int kWorkbenchMergeBase = 4000;
