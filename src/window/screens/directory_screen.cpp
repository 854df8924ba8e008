#include "window/screens/directory_screen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "core/ui_host.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/help_contexts.h"
#include "editor/screen_tree.h"
#include "rules/channel_rules.h"
#include "rules/directory_rules.h"
#include "window/screens/field_edit.h"
#include "window/screens/help_context.h"
#include "window/screens/screen_parts.h"

namespace tq530 {

DirectoryScreen::DirectoryScreen(EditSession& session, UiHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
    heading_ = BoldHeading(this);
    add_ = HintedCheckBox(QStringLiteral("&Add"), this);
    delete_ = HintedCheckBox(QStringLiteral("&Delete"), this);
    name_ = new FieldEdit(DirectoryNameKey, kDirectoryNameMaxLength, hint::kDirectoryName, this);
    FitChars(name_, kDirectoryNameMaxLength + 2);
    nameLabel_ = BuddyLabel(QString(), name_, this);
    mmsi_ = new FieldEdit(DigitKey, kIndividualMmsiLength, hint::kMmsi, this);
    FitChars(mmsi_, kIndividualMmsiLength + 1);
    mmsiLabel_ = BuddyLabel(QStringLiteral("&MMSI"), mmsi_, this);
    // A group MMSI always begins with "0": the box takes the eight digits behind it.
    prefix_ = new QLabel(QStringLiteral("0"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(heading_, 0, 0, 1, 3);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(add_);
    boxes->addSpacing(24);
    boxes->addWidget(delete_);
    boxes->addStretch();
    grid->addLayout(boxes, 1, 0, 1, 3);
    grid->addWidget(nameLabel_, 2, 0);
    grid->addWidget(name_, 2, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(mmsiLabel_, 3, 0);
    auto* mmsiRow = new QHBoxLayout;
    mmsiRow->setSpacing(2);
    mmsiRow->addWidget(prefix_);
    mmsiRow->addWidget(mmsi_);
    mmsiRow->addStretch();
    grid->addLayout(mmsiRow, 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    ChainTabOrder({add_, delete_, name_, mmsi_});
    SetHelpContext(add_, kHelpDirectoryAddDelete);
    SetHelpContext(delete_, kHelpDirectoryAddDelete);
    SetHelpContext(heading_, kHelpDirectoryEntryNumber);
    SetHelpContext(mmsi_, kHelpDirectoryMmsi);

    connect(add_, &QCheckBox::toggled, this, &DirectoryScreen::OnAdd);
    connect(delete_, &QCheckBox::toggled, this, &DirectoryScreen::OnDelete);
    connect(name_, &FieldEdit::FocusLost, this, [this] { StoreName(); });
    mmsiCheck_ = new FieldCheck(
        session_, host_, mmsi_,
        {[this](const std::string& text) { return CheckDirectoryMmsi(text, group_); },
         [this](const std::string& stored) { StoreMmsi(stored); },
         [this] {
             const DirectoryEntry* entries = Entries();
             return n_ >= 1 && n_ <= Count() ? MmsiBoxText(entries[n_ - 1].Mmsid, group_)
                                             : std::string();
         },
         nullptr});
    Prepare();
}

void DirectoryScreen::Prepare() {
    const EditSession::BusyGuard busy(session_);
    heading_->clear();
    add_->setChecked(false);
    delete_->setChecked(false);
    name_->clear();
    mmsi_->clear();
    n_ = 0;
    mmsiCheck_->Forget();
}

DirectoryEntry* DirectoryScreen::Entries() const {
    SettingsModel& m = session_.Ws().Model;
    return group_ ? m.GroupIds.data() : m.MemoryIds.data();
}

int DirectoryScreen::Count() const {
    return group_ ? kGroupIdCount : kMemoryIdCount;
}

void DirectoryScreen::Edit(FieldId field, const std::function<void(DirectoryEntry*, int)>& edit) {
    const Change change{group_ ? Change::Part::GroupId : Change::Part::MemoryId, PlanId::Usa,
                        n_ - 1, field};
    session_.Apply(change, [this, &edit](SettingsModel& m) {
        edit(group_ ? m.GroupIds.data() : m.MemoryIds.data(), Count());
    });
}

void DirectoryScreen::Show(bool group, int n) {
    group_ = group;
    n_ = n;
    mmsiCheck_->Forget();
    if (n < 1 || n > Count()) {
        return;
    }
    const DirectoryEntry* entries = Entries();
    const EntryControls c = EntryControlRules(entries, Count(), n);
    {
        const EditSession::BusyGuard busy(session_);
        DirectoryEntry unmarked = entries[n - 1];
        unmarked.Enable = kOff;
        heading_->setText(FromModel(DirectoryNodeText(group, n, unmarked)));
        prefix_->setVisible(group);
        mmsi_->setMaxLength(group ? kGroupMmsiLength : kIndividualMmsiLength);
        nameLabel_->setText(QString::fromLatin1(DirectoryNameCaption(group))
                                .replace(QStringLiteral(" Name"), QStringLiteral(" &Name")));
        name_->SetLatin1Text(entries[n - 1].TagName);
        mmsi_->SetLatin1Text(MmsiBoxText(entries[n - 1].Mmsid, group));
        add_->setEnabled(c.AddEnabled);
        add_->setChecked(c.AddChecked);
        delete_->setEnabled(c.DeleteEnabled);
        delete_->setChecked(c.DeleteChecked);
        for (QWidget* w :
             std::initializer_list<QWidget*>{nameLabel_, name_, mmsiLabel_, mmsi_, prefix_}) {
            w->setEnabled(c.Fields);
        }
    }
    if (c.AddRefused) {
        host_.ShowMessage(kDataError, DirectoryCaption(group), MsgIcon::Exclamation);
    }
}

void DirectoryScreen::ShowTarget(const ScreenTarget& target) {
    Show(target.Kind == ScreenKind::GroupIdEntry, target.Index);
}

void DirectoryScreen::OnAdd(bool checked) {
    if (session_.Busy() || !checked || n_ < 1) {
        return;
    }
    const int n = n_;
    Edit(FieldId::DirectoryAdd,
         [n](DirectoryEntry* entries, int count) { AddEntry(entries, count, n); });
    Show(group_, n_);
}

void DirectoryScreen::OnDelete(bool checked) {
    if (session_.Busy() || !checked || !isEnabled() || n_ < 1) {
        return;
    }
    const Answer answer = host_.Ask(kAreYouSure, session_.Ws().TitleText, MsgIcon::Critical,
                                    Buttons::YesNo, Answer::Yes);
    if (answer != Answer::Yes) {
        const EditSession::BusyGuard busy(session_);
        delete_->setChecked(false);
        return;
    }
    const int n = n_;
    Edit(FieldId::DirectoryDelete,
         [n](DirectoryEntry* entries, int count) { DeleteEntry(entries, count, n); });
    Show(group_, n_);
}

void DirectoryScreen::StoreName() {
    if (n_ < 1 || n_ > Count() || !name_->isEnabled()) {
        return;
    }
    const std::optional<std::string> name = CheckDirectoryName(name_->Latin1Text()).Stored();
    if (!name || *name == Entries()[n_ - 1].TagName) {
        return;
    }
    const int n = n_;
    Edit(group_ ? FieldId::GroupName : FieldId::StationName,
         [n, &name](DirectoryEntry* entries, int) { entries[n - 1].TagName = *name; });
}

void DirectoryScreen::StoreMmsi(const std::string& stored) {
    if (n_ < 1 || n_ > Count()) {
        return;
    }
    const int n = n_;
    if (!stored.empty() && stored == Entries()[n - 1].Mmsid) {
        return;
    }
    Edit(FieldId::DirectoryMmsi, [n, &stored](DirectoryEntry* entries, int count) {
        StoreEntryMmsi(entries, count, n, stored);
    });
    if (stored.empty()) {
        Show(group_, n);  // the entry went and the next one moved into its place
    }
}

bool DirectoryScreen::InputCheck() {
    if (name_->hasFocus()) {
        StoreName();
    }
    return mmsiCheck_->RunIfPending();
}

}  // namespace tq530
