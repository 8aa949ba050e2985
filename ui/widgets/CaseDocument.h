// SPDX-License-Identifier: GPL-3.0-or-later
// The case a window shows, with its undo stack: each change a view makes is
// recorded as a step, and an undo or a redo puts an earlier state back in
// force and announces it to the views.
#pragma once

#include "CaseModel.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QUndoStack;

// A state of the case as the user left it: the case and the notes its
// fields carried.
struct TCaseState {
    merivane::present::TCase c;
    std::vector<std::string> notes;
};

class TCaseDocument : public QObject {
    Q_OBJECT
public:
    explicit TCaseDocument(QObject* parent = nullptr);

    QUndoStack* Stack() const { return stack_; }
    const TCaseState& State() const { return state_; }
    // Puts a state in force without an undo step (start-up).
    void Reset(const TCaseState& s);
    // A change a view made, as one undo step named text; nothing when the
    // case stayed the same. Steps with the same mergeId (>= 0) in a row make
    // one step: the clicks of one spinner.
    void Record(const TCaseState& s, const QString& text, int mergeId = -1);

    // Like Edit, for a change that also changes something outside the case
    // (the file it belongs to): also(true) is called before each undo puts the
    // earlier state back, also(false) before each redo. False when the case
    // stayed the same and no step was recorded.
    bool RecordWith(const TCaseState& s, const QString& text, std::function<void(bool undo)> also);

    // A change made outside the main window (a view, a file opened): one
    // undo step, like Record, and the state put in force as an undo would:
    // Restored, then Changed.
    void Edit(const TCaseState& s, const QString& text, int mergeId = -1);

    // Called by the undo steps.
    void Restore(const TCaseState& s);

    // The results of the state in force, the sweep's curves with them.
    const merivane::present::TSnapshot& Snapshot() const { return snapshot_; }

signals:
    // An undo, a redo or an edit outside the main window put s in force: the
    // main window shows its inputs and choices. Changed follows at once.
    void Restored(const TCaseState& s);
    // Each time the case in force changed, whoever changed it (and at Reset):
    // its results, computed once, for every view and both windows.
    void Changed(const merivane::present::TSnapshot& s);

private:
    QUndoStack* stack_;
    // Computes the state in force; outside: the main window is told first.
    void Announce(bool outside);
    bool Push(const TCaseState& s, const QString& text, int mergeId, std::function<void(bool)> also, bool outside);

    TCaseState state_;
    merivane::present::TSnapshot snapshot_;
};
