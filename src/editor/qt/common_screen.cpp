#include "editor/qt/common_screen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/edit_session.h"
#include "editor/qt/channel_screen.h"
#include "editor/qt/screen_parts.h"

namespace tq530 {

namespace {

Change CommonChange(const char* field) {
    return {Change::Part::Common, PlanId::Usa, 0, field};
}

// A list over a whole-number field of the common settings that stores the item's value.
template <typename T>
BoundList* NumberList(EditSession& session, const char* field, T CommonSetup::*member,
                      const ChoiceItems& items, QWidget* parent) {
    auto* list = new BoundList(
        session, CommonChange(field),
        [member](SettingsModel& m) { return static_cast<int>(m.Common.*member); },
        [member](SettingsModel& m, int value) { m.Common.*member = static_cast<T>(value); },
        parent);
    list->SetItems(items);
    return list;
}

BoundList* FlagList(EditSession& session, const char* field, Flag CommonSetup::*member,
                    FixedList items, QWidget* parent) {
    return BoundList::ForFlag(
        session, CommonChange(field), items,
        [member](SettingsModel& m) -> Flag& { return m.Common.*member; }, parent);
}

}  // namespace

CommonScreen::CommonScreen(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    QGroupBox* start = TitledGroup("Starting TX Mode", this);
    QGroupBox* scanning = TitledGroup("Scanning Function", this);
    QGroupBox* timeSetup = TitledGroup("Time Setup", this);
    QGroupBox* weatherFn = TitledGroup("Weather CH Function", this);

    txPo_ = NumberList(session_, "TxPoDisplay", &CommonSetup::TxPoDisplay,
                       FixedItems(FixedList::TxPoDisplay), start);
    scan_ = FlagList(session_, "Scan", &CommonSetup::Scan, FixedList::OffOn, scanning);
    resume_ = NumberList(session_, "ResumeTime", &CommonSetup::ResumeTime,
                         FixedItems(FixedList::ResumeTime), scanning);
    ptt_ =
        FlagList(session_, "PttScanClear", &CommonSetup::PttScanClear, FixedList::OffOn, scanning);
    dual_ = FlagList(session_, "DualWatch", &CommonSetup::DualWatch, FixedList::OffOn, scanning);
    time_ = FlagList(session_, "TimeDisplay", &CommonSetup::TimeDisplay, FixedList::TimeDisplay,
                     timeSetup);
    offset_ =
        NumberList(session_, "OffsetTime", &CommonSetup::OffsetTime, OffsetTimeItems(), timeSetup);
    weather_ = NumberList(session_, "Weather", &CommonSetup::Weather,
                          FixedItems(FixedList::WeatherAlert), weatherFn);

    auto* startGrid = new QGridLayout(start);
    startGrid->addWidget(BuddyLabel(QStringLiteral("TX &Po Display"), txPo_, start), 0, 0);
    startGrid->addWidget(txPo_, 0, 1, Qt::AlignLeft);
    startGrid->setColumnStretch(1, 1);

    // "Resume Time" and "PTT SCAN Clear" hang from "SCAN" by lines that grey out with them.
    auto* scanGrid = new QGridLayout(scanning);
    scanGrid->addWidget(BuddyLabel(QStringLiteral("&SCAN"), scan_, scanning), 0, 0, 1, 2);
    scanGrid->addWidget(scan_, 0, 2, Qt::AlignLeft);
    resumeLine_ = new ConnectorLine(scanning);
    resumeLabel_ = BuddyLabel(QStringLiteral("&Resume Time"), resume_, scanning);
    scanGrid->addWidget(resumeLine_, 1, 0);
    scanGrid->addWidget(resumeLabel_, 1, 1);
    scanGrid->addWidget(resume_, 1, 2, Qt::AlignLeft);
    pttLine_ = new ConnectorLine(scanning);
    pttLabel_ = BuddyLabel(QStringLiteral("P&TT SCAN Clear"), ptt_, scanning);
    scanGrid->addWidget(pttLine_, 2, 0);
    scanGrid->addWidget(pttLabel_, 2, 1);
    scanGrid->addWidget(ptt_, 2, 2, Qt::AlignLeft);
    scanGrid->addWidget(BuddyLabel(QStringLiteral("&Dual Watch"), dual_, scanning), 3, 0, 1, 2);
    scanGrid->addWidget(dual_, 3, 2, Qt::AlignLeft);
    scanGrid->setColumnStretch(2, 1);

    auto* timeGrid = new QGridLayout(timeSetup);
    timeGrid->addWidget(BuddyLabel(QStringLiteral("T&ime Display"), time_, timeSetup), 0, 0);
    timeGrid->addWidget(time_, 0, 1, Qt::AlignLeft);
    timeGrid->addWidget(BuddyLabel(QStringLiteral("&Offset Time"), offset_, timeSetup), 1, 0);
    timeGrid->addWidget(offset_, 1, 1, Qt::AlignLeft);
    timeGrid->setColumnStretch(1, 1);

    auto* weatherGrid = new QGridLayout(weatherFn);
    weatherGrid->addWidget(BuddyLabel(QStringLiteral("&Weather Alert"), weather_, weatherFn), 0, 0);
    weatherGrid->addWidget(weather_, 0, 1, Qt::AlignLeft);
    weatherGrid->setColumnStretch(1, 1);

    // Labels of one width line the lists up across the frames.
    int labelWidth = 0;
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    }
    for (QGridLayout* grid : {startGrid, timeGrid, weatherGrid}) {
        grid->setColumnMinimumWidth(0, labelWidth + resumeLine_->sizeHint().width() + 6);
    }

    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* frame : {start, scanning, timeSetup, weatherFn}) {
        layout->addWidget(frame);
    }
    layout->addStretch();

    ChainTabOrder({txPo_, scan_, resume_, ptt_, dual_, time_, offset_, weather_});
    connect(scan_, &BoundList::Stored, this, [this] { ApplyEnableRules(); });
}

void CommonScreen::Show() {
    for (BoundList* list : {txPo_, scan_, resume_, ptt_, dual_, time_, offset_, weather_}) {
        list->ShowValue();
    }
    ApplyEnableRules();
}

void CommonScreen::ApplyEnableRules() {
    const bool on = DependentEnabled(scan_->Value());
    for (QWidget* w : std::initializer_list<QWidget*>{resume_, resumeLabel_, resumeLine_, ptt_,
                                                      pttLabel_, pttLine_}) {
        w->setEnabled(on);
    }
}

}  // namespace tq530
