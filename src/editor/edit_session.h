// The one way the editor changes the settings model: an edit names what it touches, is
// applied, marks DataChanged and is announced to every view that shows that part, so the
// tree and the screens refresh themselves. Edits made while the program fills its own
// screens (BusyFlag) are not edits and are dropped.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/settings_model.h"

namespace tq530 {

struct Workspace;

// The part of the model an edit touched. Index is the 0-based index into the plan or
// directory; Field names the record's field ("Enable", "ChTag", ...) so a view can tell an
// edit that changes its text from one that does not.
struct Change {
    enum class Part { Channel, UsableGroup, Common, Dsc, Atis, MemoryId, GroupId, Whole };
    Part What = Part::Whole;
    PlanId Plan = PlanId::Usa;
    int Index = 0;
    std::string Field;
};

class EditSession {
  public:
    using Listener = std::function<void(const Change&)>;

    explicit EditSession(Workspace& ws);

    // Applies edit to the model and announces it; false (and nothing applied) while the
    // program itself is filling the screens. Being the one door into the model, this is where
    // an undo step (the touched record as it was) gets recorded.
    bool Apply(const Change& change, const std::function<void(SettingsModel&)>& edit);
    // Shorthands for the commonest edit: one field of one channel.
    bool EditChannel(PlanId plan, int index, const std::string& field,
                     const std::function<void(ChannelRec&)>& edit);

    // The model was replaced as a whole (new data, a file, a read): views rebuild, and
    // nothing was edited.
    void ModelReplaced();

    // Listeners hear every change in the order they subscribed. The id unsubscribes.
    int Subscribe(Listener listener);
    void Unsubscribe(int id);

    bool Busy() const;
    // Sets BusyFlag for the lifetime of the guard and puts back what it was.
    class BusyGuard {
      public:
        explicit BusyGuard(EditSession& session);
        ~BusyGuard();
        BusyGuard(const BusyGuard&) = delete;
        BusyGuard& operator=(const BusyGuard&) = delete;

      private:
        Workspace& ws_;
        bool before_;
    };

    // A keystroke in a checked field (EXP frequency, MMSI, ATIS code) that its check has not
    // yet seen.
    bool FieldEdited = false;

    const SettingsModel& Model() const;
    Workspace& Ws() { return ws_; }

  private:
    void Announce(const Change& change);

    Workspace& ws_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextId_ = 1;
};

ChannelRec* ChannelAt(SettingsModel& model, PlanId plan, int index);
const ChannelRec* ChannelAt(const SettingsModel& model, PlanId plan, int index);

}  // namespace tq530
