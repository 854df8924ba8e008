#include "editor/edit_session.h"

#include <algorithm>

#include "core/workspace.h"

namespace tq530 {

EditSession::EditSession(Workspace& ws) : ws_(ws) {}

bool EditSession::Apply(const Change& change, const std::function<void(SettingsModel&)>& edit) {
    if (ws_.BusyFlag) {
        return false;
    }
    edit(ws_.Model);
    ws_.DataChanged = true;
    Announce(change);
    return true;
}

bool EditSession::EditChannel(PlanId plan, int index, const std::string& field,
                              const std::function<void(ChannelRec&)>& edit) {
    if (ChannelAt(ws_.Model, plan, index) == nullptr) {
        return false;
    }
    return Apply({Change::Part::Channel, plan, index, field},
                 [&](SettingsModel& model) { edit(*ChannelAt(model, plan, index)); });
}

void EditSession::ModelReplaced() {
    FieldEdited = false;
    Announce({});
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

EditSession::BusyGuard::BusyGuard(EditSession& session)
    : ws_(session.ws_), before_(session.ws_.BusyFlag) {
    ws_.BusyFlag = true;
}

EditSession::BusyGuard::~BusyGuard() {
    ws_.BusyFlag = before_;
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
