#pragma once
// The undo and redo steps of one project: whole-document states, each reached
// by a named change ("Interrupts", "Reset All", "Code Format: Asm").  Whole
// states rather than per-page changes, so every sheet can be undone whatever
// its pages do.  A project's state is a few kilobytes; the history keeps the
// last `limit` steps.

#include <cstddef>
#include <string>
#include <vector>

namespace regsmith::host {

class UndoHistory {
public:
    explicit UndoHistory(std::size_t limit = 100);

    // Starts over at `state` with no steps; it is also the saved state.
    void Reset(const std::string& state);
    // The state the document is in.
    const std::string& Current() const { return entries_[current_].state; }

    // A change from Current() to `state`, named `label`.  Nothing happens when
    // the state did not change; otherwise the redo steps are dropped.
    // Returns whether a step was added.
    bool Record(const std::string& label, const std::string& state);

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < entries_.size(); }
    // The name of the change Undo or Redo would take back or make again
    // (empty when there is none).
    const std::string& UndoLabel() const;
    const std::string& RedoLabel() const;
    // Moves one step back or forward and returns the state to put back.
    // Current() when there is no step to take.
    const std::string& Undo();
    const std::string& Redo();

    // The state last written to (or read from) the project file: a document
    // in that state has no unsaved changes.
    void MarkSaved(const std::string& state);
    bool IsSaved(const std::string& state) const { return hasSaved_ && state == saved_; }
    // No state is the saved one (a project restored after a crash).
    void ForgetSaved() { hasSaved_ = false; }

    // Steps that can be undone plus steps that can be redone.
    std::size_t StepCount() const { return entries_.size() - 1; }

private:
    struct Entry {
        std::string label;  // the change that led to this state (empty for the first)
        std::string state;
    };
    std::vector<Entry> entries_;
    std::size_t current_ = 0;
    std::size_t limit_;
    std::string saved_;
    bool hasSaved_ = false;
};

}  // namespace regsmith::host
