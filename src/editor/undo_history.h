// The editor's undo history: every committed change of the data set as the whole settings
// model before and after it, with the screen where it was made. Whole models keep the steps
// simple and always right (a field, a directory entry and a new data set are undone alike);
// a model is small enough to copy on every edit (about 85 KB with its texts), and a step
// shares the model it starts from with the step before it. The history also remembers its clean
// point, the step at which the data are what was last read or started from.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "model/radio_image.h"
#include "model/settings_model.h"

namespace tq530 {

constexpr size_t kUndoLimit = 100;

// The data one side of a step puts back. Only a replacement of the whole data set (new data,
// a file, a read) carries the image and the file name: field edits leave both alone, and the
// next encode brings the image up to date from the model.
struct UndoState {
    std::shared_ptr<const SettingsModel> Model;
    std::shared_ptr<const RadioImage> Image;  // null: the image stays as it is
    std::string FileName;                     // with Image
};

struct UndoStep {
    std::string Label;   // "CH Name", "New", ...
    std::string Screen;  // the screen key where it was made
    // Edits stored keystroke by keystroke carry a key: the next edit with the same key extends
    // this step until the history is sealed. Empty: a step of its own.
    std::string MergeKey;
    UndoState Before;
    UndoState After;
};

class UndoHistory {
  public:
    explicit UndoHistory(size_t limit = kUndoLimit);

    // Adds a step after the current one; what was undone before it can no longer be redone.
    // The oldest step goes when the history is full.
    void Record(UndoStep step);
    // The next step starts a step of its own whatever its merge key.
    void Seal() { sealed_ = true; }
    void Clear();

    const UndoStep* NextUndo() const;
    const UndoStep* NextRedo() const;
    // Moves one step back or forward and returns the step whose Before or After the caller
    // puts back; nullptr when there is none.
    const UndoStep* Undo();
    const UndoStep* Redo();

    // The current place is clean: the data are what was last read or started from.
    void MarkClean() { clean_ = position_; }
    // No place in the history is clean any more (the data left the program another way).
    void ForgetClean() { clean_.reset(); }
    bool AtClean() const { return clean_ == position_; }

    size_t Size() const { return steps_.size(); }
    size_t Position() const { return position_; }

  private:
    std::deque<UndoStep> steps_;
    size_t position_ = 0;  // steps_[0, position_) are done
    std::optional<size_t> clean_ = size_t{0};
    size_t limit_;
    bool sealed_ = true;
};

}  // namespace tq530
