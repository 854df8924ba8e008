#include "window/screens/atis_screen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "rules/channel_rules.h"
#include "window/screens/field_edit.h"
#include "window/screens/screen_parts.h"

namespace tq530 {

namespace {

Change AtisChange(FieldId field, int index = 0) {
    return {Change::Part::Atis, PlanId::Usa, index, field};
}

constexpr FieldId kGroupFields[kGroupCount] = {FieldId::AtisGroup1, FieldId::AtisGroup2,
                                               FieldId::AtisGroup3, FieldId::AtisExp};

}  // namespace

AtisScreen::AtisScreen(EditSession& session, UiHost& host, QWidget* parent)
    : QWidget(parent), session_(session) {
    QGroupBox* frame = TitledGroup("Usable ATIS CH Group", this);
    auto* grid = new QVBoxLayout(frame);
    for (int g = 0; g < kGroupCount; ++g) {
        QCheckBox*& box = groups_[static_cast<size_t>(g)];
        box = HintedCheckBox(QString(), frame);
        grid->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this, g](bool on) {
            if (!session_.Busy() && isEnabled()) {
                session_.Apply(AtisChange(kGroupFields[g], g), [g, on](SettingsModel& m) {
                    m.Atis.UsableAtisGroup[static_cast<size_t>(g)] = ToFlag(on);
                });
            }
        });
    }
    code_ = new FieldEdit(DigitKey, kAtisCodeLength, hint::kAtisCode, this);
    FitChars(code_, kAtisCodeLength + 1);
    codeLabel_ = BuddyLabel(QStringLiteral("ATIS &Code"), code_, this);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel_);
    codeRow->addWidget(code_);
    codeRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(codeRow);
    layout->addStretch();
    std::vector<QWidget*> order(groups_.begin(), groups_.end());
    order.push_back(code_);
    ChainTabOrder(order);

    codeCheck_ =
        new FieldCheck(session_, host, code_,
                       FieldCheck::TextField(
                           session_, AtisChange(FieldId::AtisCode), CheckAtisCode,
                           [](SettingsModel& m) -> std::string& { return m.Atis.AtisCode; },
                           [](const std::string& code) { return code; }, kAtisCodeCaption));
}

void AtisScreen::Show() {
    const EditSession::BusyGuard busy(session_);
    const SettingsModel& m = session_.Model();
    for (int g = 0; g < kGroupCount; ++g) {
        const size_t i = static_cast<size_t>(g);
        QCheckBox* box = groups_[i];
        const UsableGroup& group = m.UsableGroups[i];
        // Only the first group box gets an access key: the captions differ by a digit.
        QString caption = FromModel(AtisGroupCaption(g, group.StatusName));
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (g == 0) {
            caption.prepend(QLatin1Char('&'));
        }
        box->setText(caption);
        box->setChecked(m.Atis.UsableAtisGroup[i] != 0);
        box->setEnabled(group.Usable != 0);
    }
    const bool code = AnyGroupUsable(m);
    code_->SetLatin1Text(m.Atis.AtisCode);
    code_->setEnabled(code);
    codeLabel_->setEnabled(code);
    codeCheck_->Forget();
}

bool AtisScreen::InputCheck() {
    return codeCheck_->RunIfPending();
}

}  // namespace tq530
