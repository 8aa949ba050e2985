// SPDX-License-Identifier: GPL-3.0-or-later
// The "Line Sweep" page in its own resizable window, at a comfortable size.
// Esc closes it.
#pragma once

#include <QWidget>

class TSweepView;

class TSweepWindow : public QWidget {
    Q_OBJECT
public:
    explicit TSweepWindow(QWidget* owner);
    TSweepView* View() const { return view_; }
    // A comfortable size that fits the work area of the owner's screen,
    // centred on the owner.
    void PlaceOver(QWidget* owner);

private:
    TSweepView* view_;
};
