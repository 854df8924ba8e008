// The one way the editor changes the settings model: an edit names what it touches, is
// applied, marks DataChanged, is recorded for undo and is announced to every view that shows
// that part, so the tree and the screens refresh themselves. Edits made while the program
// fills its own screens (BusyFlag) are not edits and are dropped.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "editor/undo_history.h"
#include "model/setting_catalogue.h"
#include "model/settings_model.h"

namespace tq530 {

// The part of the model an edit touched. Index is the 0-based index into the plan or
// directory; Field names the field the operator changed, so a view can tell an edit that
// changes its text from one that does not, and undo names the step by the field's caption.
// No field: a change of a whole part (a refresh). Whole: an undo or redo put a whole model
// back, and the caller shows the step's screen. DataSet: the data set was replaced (new data,
// a file, a read, ...), and views start again from "General".
struct Change {
    enum class Part { Channel, UsableGroup, Common, Dsc, Atis, MemoryId, GroupId, Whole, DataSet };
    Part What = Part::Whole;
    PlanId Plan = PlanId::Usa;
    int Index = 0;
    std::optional<FieldId> Field;
};

class EditSession {
  public:
    using Listener = std::function<void(const Change&)>;

    explicit EditSession(Workspace& ws);

    // Applies edit to the model, records it as an undo step of the shown screen and announces
    // it; false (and nothing applied) while the program itself is filling the screens.
    bool Apply(const Change& change, const std::function<void(SettingsModel&)>& edit);
    // Shorthands for the commonest edit: one field of one channel.
    bool EditChannel(PlanId plan, int index, FieldId field,
                     const std::function<void(ChannelRec&)>& edit);

    // The one way to replace the data set as a whole: New, Open, a read from the radio, a
    // destination, a CSV import, a backup, an image file, the fix-ups of a write. When replace
    // changed the model, the image or the file name, the session records one undo step named label
    // (undoing it puts all three back and shows "General") and announces one DataSet change. A
    // replacement that leaves DataChanged clear makes its result the clean point. Returns whether
    // anything changed.
    bool ReplaceAll(const std::string& label, const std::function<void()>& replace);
    // The data set starts again with no history (start-up, a model change): every view
    // rebuilds, and the result is the clean point.
    void Restart();
    // The settings file was saved. DataChanged stays as it is; while it is set no earlier
    // place in the history is what was saved, so no undo or redo clears it any more.
    void Saved();
    // The data changed outside the model (a clear of the radio's MMSI or logs): DataChanged is
    // set, and no undo clears it.
    void MarkDataChanged();

    // The screen shown now: steps made from here on name it.
    void SetShownScreen(const std::string& key) { shownScreen_ = key; }
    // The next edit starts a step of its own, even in the box that was typed into (the focus
    // moved on).
    void SealStep() { history_.Seal(); }

    bool CanUndo() const { return history_.NextUndo() != nullptr; }
    bool CanRedo() const { return history_.NextRedo() != nullptr; }
    std::string UndoLabel() const;
    std::string RedoLabel() const;
    // Puts back the data as they were before the newest step (Undo) or after the next undone
    // one (Redo), sets DataChanged unless that is the clean point, and returns the key of the
    // screen where the step was made; "" when there was nothing to do. Views rebuild: the
    // caller shows that screen.
    std::string Undo();
    std::string Redo();
    const UndoHistory& History() const { return history_; }

    // Listeners hear every change in the order they subscribed. The id unsubscribes.
    int Subscribe(Listener listener);
    void Unsubscribe(int id);

    bool Busy() const;
    // The workspace's busy scope, for the session's screens.
    class BusyGuard : public tq530::BusyGuard {
      public:
        explicit BusyGuard(EditSession& session) : tq530::BusyGuard(session.ws_) {}
    };

    // A keystroke in a checked field (EXP frequency, MMSI, ATIS code) that its check has not
    // yet seen.
    bool FieldEdited = false;

    const SettingsModel& Model() const;
    Workspace& Ws() { return ws_; }

  private:
    void Announce(const Change& change);
    UndoState Snapshot(bool whole) const;
    std::string Restore(const UndoStep* step, const UndoState UndoStep::*side);

    Workspace& ws_;
    UndoHistory history_;
    std::string shownScreen_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextId_ = 1;
};

// What the undo menu calls the step of a change: the caption of its field ("CH Name",
// "Low Power Only"), else its part ("Individual Directory").
std::string StepLabel(const Change& change);

ChannelRec* ChannelAt(SettingsModel& model, PlanId plan, int index);
const ChannelRec* ChannelAt(const SettingsModel& model, PlanId plan, int index);

}  // namespace tq530
