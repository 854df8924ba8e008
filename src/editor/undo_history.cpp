#include "editor/undo_history.h"

namespace tq530 {

UndoHistory::UndoHistory(size_t limit) : limit_(limit == 0 ? 1 : limit) {}

void UndoHistory::Record(UndoStep step) {
    if (position_ < steps_.size()) {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
        sealed_ = true;
    }
    if (clean_ && *clean_ > position_) {
        clean_.reset();  // the clean place was undone and is now out of reach
    }
    const bool merge = !sealed_ && !steps_.empty() && !step.MergeKey.empty() &&
                       step.MergeKey == steps_.back().MergeKey;
    sealed_ = false;
    if (merge) {
        steps_.back().After = std::move(step.After);
        if (clean_ == position_) {
            clean_.reset();  // the step that ends at the clean place no longer ends there
        }
        return;
    }
    if (!steps_.empty() && steps_.back().After.Model && step.Before.Model &&
        *steps_.back().After.Model == *step.Before.Model) {
        step.Before.Model = steps_.back().After.Model;  // one copy where one step meets the next
    }
    steps_.push_back(std::move(step));
    ++position_;
    if (steps_.size() > limit_) {
        steps_.pop_front();
        --position_;
        if (clean_) {
            if (*clean_ == 0) {
                clean_.reset();
            } else {
                --*clean_;
            }
        }
    }
}

void UndoHistory::Clear() {
    steps_.clear();
    position_ = 0;
    clean_ = size_t{0};
    sealed_ = true;
}

const UndoStep* UndoHistory::NextUndo() const {
    return position_ == 0 ? nullptr : &steps_[position_ - 1];
}

const UndoStep* UndoHistory::NextRedo() const {
    return position_ == steps_.size() ? nullptr : &steps_[position_];
}

const UndoStep* UndoHistory::Undo() {
    sealed_ = true;
    if (position_ == 0) {
        return nullptr;
    }
    return &steps_[--position_];
}

const UndoStep* UndoHistory::Redo() {
    sealed_ = true;
    if (position_ == steps_.size()) {
        return nullptr;
    }
    return &steps_[position_++];
}

}  // namespace tq530
