#include "editor/edit_session.h"

#include <algorithm>

#include "model/screen_keys.h"

namespace tq530 {

namespace {

constexpr const char* kReplacedScreen = key::kGeneral;

// The boxes that store every keystroke: one typing is one step.
bool PerKeystroke(const std::optional<FieldId>& field) {
    return field == FieldId::ChName || field == FieldId::ChDisplay;
}

std::string MergeKeyOf(const Change& change, const std::string& screen) {
    if (change.What != Change::Part::Channel || !PerKeystroke(change.Field)) {
        return std::string();
    }
    return std::to_string(static_cast<int>(change.Plan)) + "/" + std::to_string(change.Index) +
           "/" + std::to_string(static_cast<int>(*change.Field)) + "@" + screen;
}

Change DataSetChange() {
    Change change;
    change.What = Change::Part::DataSet;
    return change;
}

}  // namespace

std::string StepLabel(const Change& change) {
    if (change.Field) {
        return FieldCaption(*change.Field);
    }
    switch (change.What) {
        case Change::Part::Channel:
            return "Channel";
        case Change::Part::UsableGroup:
            return "Usable CH Group";
        case Change::Part::Common:
            return "Common Setup";
        case Change::Part::Dsc:
            return "DSC Setup";
        case Change::Part::Atis:
            return "ATIS Setup";
        case Change::Part::MemoryId:
            return "Individual Directory";
        case Change::Part::GroupId:
            return "Group Directory";
        case Change::Part::Whole:
        case Change::Part::DataSet:
            break;
    }
    return std::string();
}

EditSession::EditSession(Workspace& ws) : ws_(ws) {
    if (ws_.DataChanged) {
        history_.ForgetClean();
    }
}

bool EditSession::Apply(const Change& change, const std::function<void(SettingsModel&)>& edit) {
    if (ws_.BusyFlag) {
        return false;
    }
    UndoStep step;
    step.Before = Snapshot(false);
    edit(ws_.Model);
    ws_.DataChanged = true;
    if (ws_.Model != *step.Before.Model) {
        step.Label = StepLabel(change);
        step.Screen = shownScreen_;
        step.MergeKey = MergeKeyOf(change, shownScreen_);
        step.After = Snapshot(false);
        history_.Record(std::move(step));
    }
    Announce(change);
    return true;
}

bool EditSession::EditChannel(PlanId plan, int index, FieldId field,
                              const std::function<void(ChannelRec&)>& edit) {
    if (ChannelAt(ws_.Model, plan, index) == nullptr) {
        return false;
    }
    return Apply({Change::Part::Channel, plan, index, field},
                 [&](SettingsModel& model) { edit(*ChannelAt(model, plan, index)); });
}

bool EditSession::ReplaceAll(const std::string& label, const std::function<void()>& replace) {
    UndoStep step;
    step.Label = label;
    step.Screen = kReplacedScreen;
    step.Before = Snapshot(true);
    replace();
    step.After = Snapshot(true);
    const bool changed = *step.After.Model != *step.Before.Model ||
                         *step.After.Image != *step.Before.Image ||
                         step.After.FileName != step.Before.FileName;
    if (changed) {
        history_.Record(std::move(step));
    }
    history_.Seal();
    if (!ws_.DataChanged) {
        history_.MarkClean();
    }
    if (changed) {
        FieldEdited = false;
        Announce(DataSetChange());
    }
    return changed;
}

void EditSession::Restart() {
    FieldEdited = false;
    history_.Clear();
    Announce(DataSetChange());
}

void EditSession::Saved() {
    if (ws_.DataChanged) {
        history_.ForgetClean();
    }
}

void EditSession::MarkDataChanged() {
    ws_.DataChanged = true;
    history_.ForgetClean();
}

std::string EditSession::UndoLabel() const {
    const UndoStep* step = history_.NextUndo();
    return step == nullptr ? std::string() : step->Label;
}

std::string EditSession::RedoLabel() const {
    const UndoStep* step = history_.NextRedo();
    return step == nullptr ? std::string() : step->Label;
}

std::string EditSession::Undo() {
    return Restore(history_.Undo(), &UndoStep::Before);
}

std::string EditSession::Redo() {
    return Restore(history_.Redo(), &UndoStep::After);
}

UndoState EditSession::Snapshot(bool whole) const {
    UndoState state;
    state.Model = std::make_shared<const SettingsModel>(ws_.Model);
    if (whole) {
        state.Image = std::make_shared<const RadioImage>(ws_.Image);
        state.FileName = ws_.CurrentFileName;
    }
    return state;
}

std::string EditSession::Restore(const UndoStep* step, const UndoState UndoStep::*side) {
    if (step == nullptr) {
        return std::string();
    }
    const UndoState& state = step->*side;
    ws_.Model = *state.Model;
    if (state.Image) {
        ws_.Image = *state.Image;
        ws_.CurrentFileName = state.FileName;
    }
    ws_.DataChanged = !history_.AtClean();
    FieldEdited = false;
    Announce({});
    return step->Screen.empty() ? kReplacedScreen : step->Screen;
}

int EditSession::Subscribe(Listener listener) {
    listeners_.emplace_back(nextId_, std::move(listener));
    return nextId_++;
}

void EditSession::Unsubscribe(int id) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [id](const auto& l) { return l.first == id; }),
                     listeners_.end());
}

bool EditSession::Busy() const {
    return ws_.BusyFlag;
}

const SettingsModel& EditSession::Model() const {
    return ws_.Model;
}

void EditSession::Announce(const Change& change) {
    // A listener may subscribe or unsubscribe while it runs: walk a copy.
    const auto listeners = listeners_;
    for (const auto& l : listeners) {
        l.second(change);
    }
}

ChannelRec* ChannelAt(SettingsModel& model, PlanId plan, int index) {
    ChannelPlan& p = model.Plan(plan);
    return index >= 0 && index < static_cast<int>(p.size()) ? &p[static_cast<size_t>(index)]
                                                            : nullptr;
}

const ChannelRec* ChannelAt(const SettingsModel& model, PlanId plan, int index) {
    const ChannelPlan& p = model.Plan(plan);
    return index >= 0 && index < static_cast<int>(p.size()) ? &p[static_cast<size_t>(index)]
                                                            : nullptr;
}

}  // namespace tq530
