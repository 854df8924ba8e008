#include "window/screens/usable_screen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "rules/channel_rules.h"
#include "window/screens/field_edit.h"
#include "window/screens/screen_parts.h"

namespace tq530 {

namespace {

constexpr int kExpGroup = 3;

Change GroupChange(int group, FieldId field) {
    return {Change::Part::UsableGroup, PlanId::Usa, group, field};
}

constexpr FieldId kUsableFields[kGroupCount] = {FieldId::Group1Usable, FieldId::Group2Usable,
                                                FieldId::Group3Usable, FieldId::ExpUsable};
constexpr FieldId kPriorityFields[kGroupCount] = {
    FieldId::Group1PriorityCh, FieldId::Group2PriorityCh, FieldId::Group3PriorityCh,
    FieldId::ExpPriorityCh};
constexpr FieldId kStatusFields[kGroupCount] = {FieldId::Group1StatusName,
                                                FieldId::Group2StatusName,
                                                FieldId::Group3StatusName, FieldId::ExpStatusName};

}  // namespace

UsableScreen::UsableScreen(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    QGroupBox* usable = TitledGroup("Usable Channel Groups", this);
    QGroupBox* exp = TitledGroup("Expansion Channel Groups", this);
    auto* usableGrid = new QGridLayout(usable);
    auto* expGrid = new QGridLayout(exp);
    std::vector<QWidget*> order;
    for (int g = 0; g < kGroupCount; ++g) {
        Row& row = rows_[static_cast<size_t>(g)];
        QGroupBox* frame = g == kExpGroup ? exp : usable;
        QGridLayout* grid = g == kExpGroup ? expGrid : usableGrid;
        const int r = g == kExpGroup ? 0 : g;
        row.Usable = HintedCheckBox(QString::fromLatin1(UsableGroupCaption(g).c_str()), frame);
        grid->addWidget(row.Usable, r, 0);
        if (g != kExpGroup) {
            const auto i = static_cast<size_t>(g);
            row.Priority = new BoundList(
                session_, GroupChange(g, kPriorityFields[g]),
                [i](SettingsModel& m) { return m.UsableGroups[i].PriorityCh; },
                [i](SettingsModel& m, int value) { m.UsableGroups[i].PriorityCh = value; }, frame);
            row.PriorityLabel = BuddyLabel(QStringLiteral("Priority CH"), row.Priority, frame);
            grid->addWidget(row.PriorityLabel, r, 1);
            grid->addWidget(row.Priority, r, 2);
        }
        row.Status = new FieldEdit(StatusNameKey, kStatusNameLength, hint::kStatusName, frame);
        FitChars(row.Status, 5);
        row.StatusLabel = BuddyLabel(QStringLiteral("Status Name"), row.Status, frame);
        grid->addWidget(row.StatusLabel, r, 3);
        grid->addWidget(row.Status, r, 4);
        grid->setColumnStretch(5, 1);
        order.insert(order.end(), {row.Usable, row.Priority, row.Status});

        connect(row.Usable, &QCheckBox::toggled, this, [this, g](bool on) {
            ApplyEnableRules(g);
            if (!session_.Busy() && isEnabled()) {
                session_.Apply(GroupChange(g, kUsableFields[g]), [g, on](SettingsModel& m) {
                    m.UsableGroups[static_cast<size_t>(g)].Usable = ToFlag(on);
                });
            }
        });
        connect(row.Status, &FieldEdit::FocusLost, this, [this, g] { StoreStatusName(g); });
    }
    ChainTabOrder(order);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(usable);
    layout->addWidget(exp);
    layout->addStretch();
}

void UsableScreen::Show() {
    const EditSession::BusyGuard busy(session_);
    const SettingsModel& model = session_.Model();
    for (int g = 0; g < kGroupCount; ++g) {
        const Row& row = rows_[static_cast<size_t>(g)];
        const UsableGroup& group = model.UsableGroups[static_cast<size_t>(g)];
        if (row.Priority != nullptr) {
            row.Priority->SetItems(PriorityChannelItems(model, g));
            row.Priority->ShowValue();
        }
        row.Usable->setChecked(group.Usable != 0);
        row.Status->SetLatin1Text(group.StatusName);
        ApplyEnableRules(g);
    }
}

void UsableScreen::ApplyEnableRules(int group) {
    const Row& row = rows_[static_cast<size_t>(group)];
    const bool on = row.Usable->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{row.PriorityLabel, row.Priority,
                                                      row.StatusLabel, row.Status}) {
        if (w != nullptr) {
            w->setEnabled(on);
        }
    }
}

void UsableScreen::StoreStatusName(int group) {
    FieldEdit* box = rows_[static_cast<size_t>(group)].Status;
    const std::string name = StatusNameToStore(box->Latin1Text());
    box->SetLatin1Text(name);
    const auto i = static_cast<size_t>(group);
    if (name == session_.Model().UsableGroups[i].StatusName) {
        return;
    }
    session_.Apply(GroupChange(group, kStatusFields[group]),
                   [i, &name](SettingsModel& m) { m.UsableGroups[i].StatusName = name; });
}

bool UsableScreen::InputCheck() {
    for (int g = 0; g < kGroupCount; ++g) {
        if (rows_[static_cast<size_t>(g)].Status->hasFocus()) {
            StoreStatusName(g);
        }
    }
    return true;
}

}  // namespace tq530
