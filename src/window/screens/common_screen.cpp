#include "window/screens/common_screen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "editor/edit_session.h"
#include "model/setting_catalogue.h"
#include "window/screens/channel_screen.h"
#include "window/screens/screen_parts.h"

namespace tq530 {

namespace {

Change CommonChange(FieldId id) {
    return {Change::Part::Common, PlanId::Usa, 0, id};
}

// A list over a whole-number setting that stores the item's value.
BoundList* NumberList(EditSession& session, FieldId id, const ChoiceItems& items, QWidget* parent) {
    const SettingRow& row = RowOf(id);
    auto* list = new BoundList(
        session, CommonChange(id),
        [&row](SettingsModel& m) { return static_cast<int>(NumberOf(row, m)); },
        [&row](SettingsModel& m, int value) { SetNumber(row, m, value); }, parent);
    list->SetItems(items);
    return list;
}

BoundList* FlagList(EditSession& session, FieldId id, FixedList items, QWidget* parent) {
    const SettingRow& row = RowOf(id);
    return BoundList::ForFlag(
        session, CommonChange(id), items,
        [&row](SettingsModel& m) -> Flag& { return row.Access.Short(m); }, parent);
}

}  // namespace

CommonScreen::CommonScreen(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    QGroupBox* start = TitledGroup("Starting TX Mode", this);
    QGroupBox* scanning = TitledGroup("Scanning Function", this);
    QGroupBox* timeSetup = TitledGroup("Time Setup", this);
    QGroupBox* weatherFn = TitledGroup("Weather CH Function", this);

    txPo_ = NumberList(session_, FieldId::TxPoDisplay, FixedItems(FixedList::TxPoDisplay), start);
    scan_ = FlagList(session_, FieldId::Scan, FixedList::OffOn, scanning);
    resume_ =
        NumberList(session_, FieldId::ResumeTime, FixedItems(FixedList::ResumeTime), scanning);
    ptt_ = FlagList(session_, FieldId::PttScanClear, FixedList::OffOn, scanning);
    dual_ = FlagList(session_, FieldId::DualWatch, FixedList::OffOn, scanning);
    time_ = FlagList(session_, FieldId::TimeDisplay, FixedList::TimeDisplay, timeSetup);
    offset_ = NumberList(session_, FieldId::OffsetTime, OffsetTimeItems(), timeSetup);
    weather_ =
        NumberList(session_, FieldId::Weather, FixedItems(FixedList::WeatherAlert), weatherFn);

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

    // The frames scroll when the window is too small for them, rather than squeeze their lists.
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (QGroupBox* frame : {start, scanning, timeSetup, weatherFn}) {
        layout->addWidget(frame);
    }
    layout->addStretch();
    auto* area = new QScrollArea(this);
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);

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
