#include "window/screens/dsc_screen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/screen_tree.h"
#include "model/image_layout.h"
#include "radio/transfer.h"
#include "rules/channel_rules.h"
#include "window/screens/field_edit.h"
#include "window/screens/screen_parts.h"

namespace tq530 {

namespace {

Change DscChange(FieldId field) {
    return {Change::Part::Dsc, PlanId::Usa, 0, field};
}

using FlagOf = std::function<Flag&(SettingsModel&)>;

BoundList* FlagList(EditSession& session, FieldId field, FixedList list, FlagOf flag,
                    QWidget* parent) {
    return BoundList::ForFlag(session, DscChange(field), list, std::move(flag), parent);
}

// One element of a four-flag array of a DSC record.
template <typename Record>
FlagOf Element(Record SettingsModel::*record, Flags4 Record::*array, int i) {
    return [record, array, i](SettingsModel& m) -> Flag& {
        return ((m.*record).*array)[static_cast<size_t>(i)];
    };
}

// Each tab scrolls when the window is too small for it, rather than cut its lists off.
QWidget* Scrolled(QWidget* page) {
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
    return BuddyLabel(QString::fromLatin1(text), buddy, parent);
}

PollingEntry& Report(SettingsModel& m) {
    return m.AutoPos.Polling[1];
}

class CompactTabStyle : public QProxyStyle {
  public:
    explicit CompactTabStyle(QObject* parent) { setParent(parent); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? base / 2 : base;
    }
};

constexpr const char* kCallRows[] = {"Distress", "Urgency", "Safety", "Routine"};

using I = FieldId;
constexpr FieldId kGroupFields[kGroupCount] = {I::DscGroup1, I::DscGroup2, I::DscGroup3, I::DscExp};
constexpr FieldId kBeepFields[] = {I::BeepSendDistress, I::BeepAllShips,   I::BeepIndividual,
                                   I::BeepGroup,        I::BeepGeographic, I::BeepPosRequest,
                                   I::BeepPosReporting};

}  // namespace

DscScreen::DscScreen(EditSession& session, UiHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
    tabs_ = new QTabWidget(this);
    tabs_->addTab(Scrolled(BuildBasic()), QStringLiteral("Basic Setup"));
    tabs_->addTab(Scrolled(BuildAdvanced()), QStringLiteral("Advanced Setup"));
    tabs_->addTab(Scrolled(BuildDisplay()), QStringLiteral("Display Setup"));
    tabs_->addTab(Scrolled(BuildAutoPos()), QStringLiteral("Auto POS Setup"));
    // Four captions side by side: a narrower tab keeps them all in view at the smallest size.
    tabs_->tabBar()->setStyle(new CompactTabStyle(tabs_->tabBar()));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 3) {
            ShowAutoPos();
        }
    });
}

QWidget* DscScreen::BuildBasic() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    std::vector<QWidget*> order;

    QGroupBox* groups = TitledGroup("Usable DSC CH Group", page);
    auto* groupGrid = new QGridLayout(groups);
    for (int g = 0; g < kGroupCount; ++g) {
        BoundList*& list = groups_[static_cast<size_t>(g)];
        list = FlagList(session_, kGroupFields[g], FixedList::OffOn,
                        Element(&SettingsModel::DscBasic, &DscBasicSetup::Group, g), groups);
        const int row = g / 2;
        const int column = (g % 2) * 3;
        groupGrid->addWidget(Caption(UsableGroupCaption(g).c_str(), list, groups), row, column);
        groupGrid->addWidget(list, row, column + 1, Qt::AlignLeft);
        order.push_back(list);
    }
    groupGrid->setColumnMinimumWidth(2, 12);
    groupGrid->setColumnStretch(5, 1);
    layout->addWidget(groups);

    layout->addLayout(BuildRadioRows(page, order));
    layout->addLayout(BuildPositionCalls(page, order));
    layout->addWidget(BuildBeeps(page, order));
    layout->addStretch();

    ChainTabOrder(order);
    return page;
}

// The radio's own MMSI and the transfers that clear what the radio keeps.
QLayout* DscScreen::BuildRadioRows(QWidget* page, std::vector<QWidget*>& order) {
    auto* radio = new QGridLayout;
    userMmsi_ = new FieldEdit(DigitKey, kMmsiLength, hint::kMmsi, page);
    FitChars(userMmsi_, kMmsiLength + 1);
    mmsiClear_ = HintedButton(QStringLiteral("MMSI &Clear"), kMmsiClearHint, page);
    count_ = new QLineEdit(page);
    count_->setReadOnly(true);
    count_->setFocusPolicy(Qt::NoFocus);
    FitChars(count_, 3);
    dscLogClear_ = HintedButton(QStringLiteral("&Log Clear"), kLogClearHint, page);
    distressLogClear_ = HintedButton(QStringLiteral("Log Cl&ear"), kLogClearHint, page);
    radio->addWidget(Caption("&UserMMSI", userMmsi_, page), 0, 0);
    radio->addWidget(userMmsi_, 0, 1, Qt::AlignLeft);
    radio->addWidget(mmsiClear_, 0, 2);
    auto* count = new QHBoxLayout;
    count->addWidget(Caption("Count", count_, page));
    count->addWidget(count_);
    radio->addLayout(count, 0, 3, Qt::AlignLeft);
    radio->addWidget(new QLabel(QStringLiteral("DSC Log"), page), 1, 0);
    radio->addWidget(dscLogClear_, 1, 1, Qt::AlignLeft);
    radio->addWidget(new QLabel(QStringLiteral("Distress Log"), page), 1, 2, Qt::AlignRight);
    radio->addWidget(distressLogClear_, 1, 3, Qt::AlignLeft);
    radio->setColumnStretch(4, 1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{userMmsi_, mmsiClear_, dscLogClear_, distressLogClear_}) {
        order.push_back(w);
    }
    userMmsiCheck_ = new FieldCheck(
        session_, host_, userMmsi_,
        FieldCheck::TextField(
            session_, DscChange(FieldId::UserMmsi),
            [](const std::string& text) { return CheckMmsi(RuleField::UserMmsi, text); },
            [](SettingsModel& m) -> std::string& { return m.DscBasic.UserMmsi; },
            [](const std::string& mmsi) { return MmsiBoxText(mmsi); }, kUserMmsiCaption));
    connect(mmsiClear_, &QPushButton::clicked, this,
            [this] { emit ClearRequested(static_cast<int>(TransferMode::ClearMmsi)); });
    connect(dscLogClear_, &QPushButton::clicked, this,
            [this] { emit ClearRequested(static_cast<int>(TransferMode::ClearDscLog)); });
    connect(distressLogClear_, &QPushButton::clicked, this,
            [this] { emit ClearRequested(static_cast<int>(TransferMode::ClearDistressLog)); });

    return radio;
}

// Position calls: PosRequest 0, 2 and 3; the last two with their TX level.
QLayout* DscScreen::BuildPositionCalls(QWidget* page, std::vector<QWidget*>& order) {
    auto* posGrid = new QGridLayout;
    const struct {
        const char* Caption;
        int Index;
        FieldId Field;
        FieldId TxField;
    } rows[] = {{"Distress Cancel Call", 0, I::DistressCancelCall, I::DistressCancelCallTx},
                {"POS Request", 2, I::PosRequest, I::PosRequestTx},
                {"POS Reporting", 3, I::PosReporting, I::PosReportingTx}};
    for (int r = 0; r < 3; ++r) {
        const size_t i = static_cast<size_t>(r);
        pos_[i] = FlagList(
            session_, rows[r].Field, FixedList::OffOn,
            Element(&SettingsModel::DscBasic, &DscBasicSetup::PosRequest, rows[r].Index), page);
        posGrid->addWidget(Caption(rows[r].Caption, pos_[i], page), r, 0);
        posGrid->addWidget(pos_[i], r, 1);
        order.push_back(pos_[i]);
        if (r > 0) {
            posTx_[i] = FlagList(
                session_, rows[r].TxField, FixedList::LowHi,
                Element(&SettingsModel::DscBasic, &DscBasicSetup::PosRequestTx, rows[r].Index),
                page);
            posGrid->addWidget(posTx_[i], r, 2);
            order.push_back(posTx_[i]);
            connect(pos_[i], &BoundList::Stored, this, [this] { ApplyEnableRules(); });
        }
    }
    posGrid->setColumnStretch(3, 1);

    return posGrid;
}

QWidget* DscScreen::BuildBeeps(QWidget* page, std::vector<QWidget*>& order) {
    QGroupBox* beep = TitledGroup("DSC Beep Output", page);
    auto* beepGrid = new QGridLayout(beep);
    const char* const beepRows[] = {
        "Send Distress Alert", "Received All Ships",   "Received Individual",   "Received Group",
        "Received Geographic", "Received POS Request", "Received POS Reporting"};
    for (int b = 0; b < 7; ++b) {
        const size_t i = static_cast<size_t>(b);
        beep_[i] = FlagList(
            session_, kBeepFields[b], FixedList::OffOn,
            [b](SettingsModel& m) -> Flag& { return m.DscBasic.BeepOut[static_cast<size_t>(b)]; },
            beep);
        beepGrid->addWidget(Caption(beepRows[b], beep_[i], beep), b, 0);
        beepGrid->addWidget(beep_[i], b, 1, Qt::AlignLeft);
        order.push_back(beep_[i]);
    }
    beepGrid->setColumnStretch(2, 1);
    return beep;
}

QWidget* DscScreen::BuildAdvanced() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    const struct {
        const char* Title;
        FieldId Fields[4];  // in the order of kCallRows
        FieldId TxFields[4];
        Flags4 DscAdvancedSetup::*Call;
        Flags4 DscAdvancedSetup::*Tx;
    } blocks[] = {
        {"ALL Ships Call",
         {I::AllShipsDistress, I::AllShipsUrgency, I::AllShipsSafety, I::AllShipsRoutine},
         {I::AllShipsDistressTx, I::AllShipsUrgencyTx, I::AllShipsSafetyTx, I::AllShipsRoutineTx},
         &DscAdvancedSetup::AllShipsCall,
         &DscAdvancedSetup::AllShipsCallTx},
        {"Group Call",
         {I::GroupCallDistress, I::GroupCallUrgency, I::GroupCallSafety, I::GroupCallRoutine},
         {I::GroupCallDistressTx, I::GroupCallUrgencyTx, I::GroupCallSafetyTx,
          I::GroupCallRoutineTx},
         &DscAdvancedSetup::GroupCall,
         &DscAdvancedSetup::GroupCallTx},
        {"Individual Call",
         {I::IndividualDistress, I::IndividualUrgency, I::IndividualSafety, I::IndividualRoutine},
         {I::IndividualDistressTx, I::IndividualUrgencyTx, I::IndividualSafetyTx,
          I::IndividualRoutineTx},
         &DscAdvancedSetup::IndividualCall,
         &DscAdvancedSetup::IndividualCallTx},
    };
    std::vector<QWidget*> order;
    int labelWidth = 0;
    std::vector<QGridLayout*> grids;
    for (int b = 0; b < 3; ++b) {
        QGroupBox* frame = TitledGroup(blocks[b].Title, page);
        auto* grid = new QGridLayout(frame);
        grids.push_back(grid);
        for (int r = 0; r < 4; ++r) {
            const size_t i = Slot(b, r);
            calls_[i] = FlagList(session_, blocks[b].Fields[r], FixedList::OffOn,
                                 Element(&SettingsModel::DscAdvanced, blocks[b].Call, r), frame);
            callsTx_[i] = FlagList(session_, blocks[b].TxFields[r], FixedList::LowHi,
                                   Element(&SettingsModel::DscAdvanced, blocks[b].Tx, r), frame);
            QLabel* label = Caption(kCallRows[r], calls_[i], frame);
            labelWidth = std::max(labelWidth, label->sizeHint().width());
            grid->addWidget(label, r, 0);
            grid->addWidget(calls_[i], r, 1);
            grid->addWidget(callsTx_[i], r, 2);
            order.insert(order.end(), {calls_[i], callsTx_[i]});
            connect(calls_[i], &BoundList::Stored, this, [this] { ApplyEnableRules(); });
        }
        grid->setColumnStretch(3, 1);
        layout->addWidget(frame);
    }
    for (QGridLayout* grid : grids) {
        grid->setColumnMinimumWidth(0, labelWidth);
    }
    ChainTabOrder(order);
    layout->addStretch();
    return page;
}

QWidget* DscScreen::BuildDisplay() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const struct {
        const char* Caption;
        FieldId Field;
        Flag DscDisplaySetup::*Member;
    } rows[] = {
        {"Individual ACK Menu", I::IndividualAckMenu, &DscDisplaySetup::IndividualAckMenu},
        {"Individual ACK Message Menu", I::IndividualAckMessageMenu,
         &DscDisplaySetup::IndividualAckMessageMenu},
        {"POS Request ACK Menu", I::PosRequestAckMenu, &DscDisplaySetup::PosRequestAckMenu},
    };
    for (int r = 0; r < 3; ++r) {
        const auto member = rows[r].Member;
        BoundList*& list = display_[static_cast<size_t>(r)];
        list = FlagList(
            session_, rows[r].Field, FixedList::OffOn,
            [member](SettingsModel& m) -> Flag& { return m.DscDisplay.*member; }, page);
        grid->addWidget(Caption(rows[r].Caption, list, page), r, 0);
        grid->addWidget(list, r, 1);
        if (r > 0) {
            setTabOrder(display_[static_cast<size_t>(r - 1)], list);
        }
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* DscScreen::BuildAutoPos() {
    autoPage_ = new QWidget;
    auto* layout = new QVBoxLayout(autoPage_);
    QGroupBox* report = TitledGroup("Auto POS Report", autoPage_);
    auto* grid = new QGridLayout(report);
    autoEnable_ = HintedCheckBox(QStringLiteral("&Enable"), report);
    grid->addWidget(autoEnable_, 0, 0, 1, 2);

    autoChannel_ = new BoundList(
        session_, DscChange(I::AutoPosChannel), [](SettingsModel& m) { return Report(m).Channel; },
        [](SettingsModel& m, int value) { Report(m).Channel = value; }, report);
    autoInterval_ = new BoundList(
        session_, DscChange(I::AutoPosInterval),
        [](SettingsModel& m) { return Report(m).Interval; },
        [](SettingsModel& m, int value) { Report(m).Interval = value; }, report);
    autoInterval_->SetItems(FixedItems(FixedList::Interval));
    autoSelect_ = new BoundList(
        session_, DscChange(I::AutoPosSelectCall),
        [](SettingsModel& m) { return static_cast<int>(Report(m).SelectCall); },
        [](SettingsModel& m, int value) { Report(m).SelectCall = static_cast<int16_t>(value); },
        report);
    autoSelect_->SetItems(FixedItems(FixedList::SelectCall));
    // Choosing a name takes its MMSI as the station polled.
    autoDir_ = new BoundList(
        session_, DscChange(I::AutoPosLastAddress),
        [](SettingsModel& m) { return Report(m).LastAddress; },
        [](SettingsModel& m, int value) {
            Report(m).LastAddress = value;
            Report(m).Mmsi = DirectoryMmsi(m, Report(m).SelectCall, value);
        },
        report);
    autoMmsi_ = new FieldEdit(DigitKey, kMmsiLength, hint::kMmsi, report);
    FitChars(autoMmsi_, kMmsiLength + 1);
    const std::pair<const char*, QWidget*> rows[] = {{"Channel &NO#.", autoChannel_},
                                                     {"&Interval", autoInterval_},
                                                     {"Select C&all", autoSelect_},
                                                     {"Dir Na&me", autoDir_}};
    for (size_t r = 0; r < std::size(rows); ++r) {
        autoLabels_[r] = Caption(rows[r].first, rows[r].second, report);
        grid->addWidget(autoLabels_[r], static_cast<int>(r) + 1, 0);
        grid->addWidget(rows[r].second, static_cast<int>(r) + 1, 1, Qt::AlignLeft);
    }
    autoMmsiLabel_ = Caption("MMSI", autoMmsi_, report);
    grid->addWidget(autoMmsiLabel_, 5, 0);
    grid->addWidget(autoMmsi_, 5, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    layout->addWidget(report);

    QGroupBox* poll = TitledGroup("POS Polling on Current Channel", autoPage_);
    auto* pollLayout = new QVBoxLayout(poll);
    pollOnCch_ = HintedCheckBox(QStringLiteral("Ena&ble"), poll);
    pollLayout->addWidget(pollOnCch_);
    layout->addWidget(poll);
    layout->addStretch();

    ChainTabOrder(
        {autoEnable_, autoChannel_, autoInterval_, autoSelect_, autoDir_, autoMmsi_, pollOnCch_});

    ConnectAutoPos();
    return autoPage_;
}

// What the automatic position report's controls store, and what follows from it.
void DscScreen::ConnectAutoPos() {
    connect(autoEnable_, &QCheckBox::toggled, this, [this](bool on) {
        ApplyEnableRules();
        if (!session_.Busy() && isEnabled()) {
            // The request and the report entry are never both on.
            session_.Apply(DscChange(I::AutoPosEnable), [on](SettingsModel& m) {
                Report(m).Enable = ToFlag(on);
                m.AutoPos.Polling[0].Enable = kOff;
            });
        }
    });
    connect(pollOnCch_, &QCheckBox::toggled, this, [this](bool on) {
        if (!session_.Busy() && isEnabled()) {
            session_.Apply(DscChange(I::PosPollOnCch),
                           [on](SettingsModel& m) { m.AutoPos.PosPollOnCch = ToFlag(on); });
        }
    });
    connect(autoSelect_, &BoundList::Stored, this, [this] { FillDirNames(); });
    connect(autoDir_, &BoundList::Stored, this, [this] {
        autoMmsi_->SetLatin1Text(MmsiBoxText(session_.Model().AutoPos.Polling[1].Mmsi));
    });
    autoMmsiCheck_ = new FieldCheck(
        session_, host_, autoMmsi_,
        FieldCheck::TextField(
            session_, DscChange(I::AutoPosMmsi),
            [](const std::string& text) { return CheckMmsi(RuleField::AutoPosMmsi, text); },
            [](SettingsModel& m) -> std::string& { return Report(m).Mmsi; },
            [](const std::string& mmsi) { return MmsiBoxText(mmsi); }, kAutoPosMmsiCaption));
}

void DscScreen::FillDirNames() {
    const EditSession::BusyGuard busy(session_);
    const SettingsModel& m = session_.Model();
    autoDir_->SetItems(DirectoryNameItems(m, m.AutoPos.Polling[1].SelectCall));
    autoDir_->ShowValue();
}

void DscScreen::ShowAutoPos() {
    const EditSession::BusyGuard busy(session_);
    const SettingsModel& m = session_.Model();
    autoChannel_->SetItems(AutoPosChannelItems(m));
    for (BoundList* list : {autoChannel_, autoInterval_, autoSelect_}) {
        list->ShowValue();
    }
    FillDirNames();
    autoEnable_->setChecked(m.AutoPos.Polling[1].Enable != 0);
    autoMmsi_->SetLatin1Text(MmsiBoxText(m.AutoPos.Polling[1].Mmsi));
    pollOnCch_->setChecked(m.AutoPos.PosPollOnCch != 0);
    autoMmsiCheck_->Forget();
    ApplyEnableRules();
}

void DscScreen::Show() {
    {
        const EditSession::BusyGuard busy(session_);
        const SettingsModel& m = session_.Model();
        for (BoundList* list : groups_) {
            list->ShowValue();
        }
        for (size_t i = 0; i < pos_.size(); ++i) {
            pos_[i]->ShowValue();
            if (posTx_[i] != nullptr) {
                posTx_[i]->ShowValue();
            }
        }
        for (BoundList* list : beep_) {
            list->ShowValue();
        }
        for (size_t i = 0; i < calls_.size(); ++i) {
            calls_[i]->ShowValue();
            callsTx_[i]->ShowValue();
        }
        for (BoundList* list : display_) {
            list->ShowValue();
        }
        userMmsi_->SetLatin1Text(MmsiBoxText(m.DscBasic.UserMmsi));
        userMmsiCheck_->Forget();
        count_->setText(QString::number(session_.Ws().Image[kUserMmsiCountAddress]));
    }
    ShowAutoPos();
}

void DscScreen::ApplyEnableRules() {
    for (size_t i = 1; i < pos_.size(); ++i) {
        posTx_[i]->setEnabled(DependentEnabled(pos_[i]->Value()));
    }
    for (size_t i = 0; i < calls_.size(); ++i) {
        callsTx_[i]->setEnabled(DependentEnabled(calls_[i]->Value()));
    }
    const AutoPosEnables e =
        AutoPosEnableRules(autoEnable_->isChecked(), session_.Model().AutoPos.Polling[1].RcEnable);
    for (QWidget* w : std::initializer_list<QWidget*>{autoChannel_, autoInterval_, autoSelect_,
                                                      autoDir_, autoLabels_[0], autoLabels_[1],
                                                      autoLabels_[2], autoLabels_[3]}) {
        w->setEnabled(e.Fields);
    }
    autoMmsi_->setEnabled(e.Mmsi);
    autoMmsiLabel_->setEnabled(e.Mmsi);
}

bool DscScreen::InputCheck() {
    return userMmsiCheck_->RunIfPending() && autoMmsiCheck_->RunIfPending();
}

}  // namespace tq530
