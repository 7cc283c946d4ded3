#include "host/undo_history.h"

#include <algorithm>

namespace regsmith::host {

UndoHistory::UndoHistory(std::size_t limit) : limit_(std::max<std::size_t>(limit, 1)) { entries_.push_back({}); }

void UndoHistory::Reset(const std::string& state) {
    entries_.assign(1, Entry{{}, state});
    current_ = 0;
    MarkSaved(state);
}

bool UndoHistory::Record(const std::string& label, const std::string& state) {
    if (state == Current()) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, entries_.end());
    entries_.push_back(Entry{label, state});
    if (entries_.size() > limit_ + 1) entries_.erase(entries_.begin());
    current_ = entries_.size() - 1;
    return true;
}

const std::string& UndoHistory::UndoLabel() const {
    static const std::string none;
    return CanUndo() ? entries_[current_].label : none;
}

const std::string& UndoHistory::RedoLabel() const {
    static const std::string none;
    return CanRedo() ? entries_[current_ + 1].label : none;
}

const std::string& UndoHistory::Undo() {
    if (CanUndo()) --current_;
    return Current();
}

const std::string& UndoHistory::Redo() {
    if (CanRedo()) ++current_;
    return Current();
}

void UndoHistory::MarkSaved(const std::string& state) {
    saved_ = state;
    hasSaved_ = true;
}

}  // namespace regsmith::host
