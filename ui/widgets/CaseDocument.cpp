// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseDocument.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

class TChange final : public QUndoCommand {
public:
    TChange(TCaseDocument& doc, TCaseState before, TCaseState after, const QString& text, int mergeId,
            std::function<void(bool)> also = {})
        : QUndoCommand(text),
          doc_(doc),
          before_(std::move(before)),
          after_(std::move(after)),
          mergeId_(mergeId),
          also_(std::move(also))
    {
    }

    // The change is already in force when it is recorded: the first redo,
    // which pushing it runs, does nothing.
    void redo() override
    {
        if (first_) {
            first_ = false;
            return;
        }
        if (also_) also_(false);
        doc_.Restore(after_);
    }
    void undo() override
    {
        if (also_) also_(true);
        doc_.Restore(before_);
    }

    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (other->id() != id()) return false;
        after_ = static_cast<const TChange*>(other)->after_;
        return true;
    }

private:
    TCaseDocument& doc_;
    TCaseState before_, after_;
    int mergeId_;
    std::function<void(bool)> also_;  // what changes with the case, outside it
    bool first_ = true;
};

}  // namespace

TCaseDocument::TCaseDocument(QObject* parent) : QObject(parent), stack_(new QUndoStack(this))
{
    // nothing is computed before the first case is put in force (Reset)
    state_.c = merivane::present::DefaultCase();
    snapshot_.c = state_.c;
}

void TCaseDocument::Announce(bool outside)
{
    // the one computation of a change: every view shows this snapshot
    snapshot_ = merivane::present::ComputeCase(state_.c);
    if (outside) emit Restored(state_);
    emit Changed(snapshot_);
}

void TCaseDocument::Reset(const TCaseState& s)
{
    state_ = s;
    stack_->clear();
    Announce(false);
}

void TCaseDocument::Edit(const TCaseState& s, const QString& text, int mergeId) { Push(s, text, mergeId, {}, true); }

void TCaseDocument::Record(const TCaseState& s, const QString& text, int mergeId) { Push(s, text, mergeId, {}, false); }

bool TCaseDocument::RecordWith(const TCaseState& s, const QString& text, std::function<void(bool undo)> also)
{
    return Push(s, text, -1, std::move(also), true);
}

bool TCaseDocument::Push(const TCaseState& edited, const QString& text, int mergeId, std::function<void(bool)> also,
                         bool outside)
{
    // a measured load: typing a load detaches it, anything else the load follows
    TCaseState s = edited;
    if (merivane::present::SettleMeasuredLoad(state_.c, s.c)) outside = true;  // the load fields change too
    if (s.c == state_.c) {
        state_.notes = s.notes;  // a note alone is no step
        return false;
    }
    TCaseState before = state_;
    state_ = s;
    stack_->push(new TChange(*this, std::move(before), s, text, mergeId, std::move(also)));
    Announce(outside);
    return true;
}

void TCaseDocument::Restore(const TCaseState& s)
{
    state_ = s;
    Announce(true);
}
