#include "window/screens/channel_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "core/ui_host.h"
#include "core/workspace.h"
#include "editor/edit_session.h"
#include "editor/help_contexts.h"
#include "editor/screen_tree.h"
#include "model/display_texts.h"
#include "rules/channel_rules.h"
#include "rules/settings_rules.h"
#include "window/screens/field_edit.h"
#include "window/screens/help_context.h"
#include "window/screens/screen_parts.h"

namespace tq530 {

namespace {

QCheckBox* CheckBox(const char* caption, QWidget* parent) {
    return HintedCheckBox(QString::fromLatin1(caption), parent);
}

QLabel* Label(const char* caption, QWidget* buddy, QWidget* parent) {
    return BuddyLabel(QString::fromLatin1(caption), buddy, parent);
}

}  // namespace

ConnectorLine::ConnectorLine(QWidget* parent) : QWidget(parent) {}

QSize ConnectorLine::sizeHint() const {
    return {18, 12};
}

void ConnectorLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::WindowText));
    const int x = 6;
    const int y = height() / 2;
    painter.drawLine(x, 0, x, y);
    painter.drawLine(x, y, width() - 2, y);
}

ChannelScreen::ChannelScreen(EditSession& session, UiHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
    CreateControls();
    LayOut();
    ConnectControls();
    Prepare();
}

void ChannelScreen::CreateControls() {
    heading_ = BoldHeading(this);

    chEnable_ = CheckBox("CH &Enable", this);
    displayFirst_ = new FieldEdit(ChDisplayKey, kChDisplayFirstLength, hint::kChDisplayFirst, this);
    displaySecond_ =
        new FieldEdit(ChDisplayKey, kChDisplaySecondLength, hint::kChDisplaySecond, this);
    displayLabel_ = Label("CH Dis&play", displayFirst_, this);
    rx_ = new FieldEdit(FrequencyKey, kFrequencyMaxLength, hint::kRxFrequency, this);
    rxLabel_ = Label("&Rx Frequency", rx_, this);
    rxUnit_ = new QLabel(QStringLiteral("MHz"), this);
    tx_ = new FieldEdit(FrequencyKey, kFrequencyMaxLength, hint::kTxFrequency, this);
    txLabel_ = Label("&Tx Frequency", tx_, this);
    txUnit_ = new QLabel(QStringLiteral("MHz"), this);
    txEnable_ = CheckBox("T&x Enable", this);
    lowLine_ = new ConnectorLine(this);
    lowPower_ = CheckBox("&Low Power Only", this);
    upLine_ = new ConnectorLine(this);
    powerUp_ = CheckBox("Power &Up", this);
    duplex_ = CheckBox("&Duplex", this);
    scanMemory_ = CheckBox("&Scan Memory", this);
    name_ = new FieldEdit(ChannelNameKey, kChannelNameMaxLength, hint::kChannelName, this);
    nameLabel_ = Label("CH &Name", name_, this);
    scrambler_ = new QComboBox(this);
    SetHint(scrambler_, hint::kChoiceList);
    scramblerLabel_ = Label("Scram&bler", scrambler_, this);
    for (const auto& [control, context] :
         std::initializer_list<std::pair<QWidget*, int>>{{chEnable_, kHelpChannelEnable},
                                                         {txEnable_, kHelpTxEnable},
                                                         {duplex_, kHelpDuplex},
                                                         {lowPower_, kHelpLowPowerOnly},
                                                         {powerUp_, kHelpPowerUp},
                                                         {scanMemory_, kHelpScanMemory},
                                                         {name_, kHelpChannelName},
                                                         {scrambler_, kHelpScrambler}}) {
        SetHelpContext(control, context);
    }
}

void ChannelScreen::LayOut() {
    FitChars(displayFirst_, 2);
    FitChars(displaySecond_, 1);
    FitChars(rx_, 8);
    FitChars(tx_, 8);
    FitChars(name_, 13);

    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(12, 1);
    grid->addWidget(heading_, 0, 0, 1, 4);
    grid->addWidget(chEnable_, 1, 0, 1, 4);
    grid->addWidget(displayLabel_, 2, 0);
    auto* display = new QHBoxLayout;
    display->addWidget(displayFirst_);
    display->addWidget(displaySecond_);
    display->addStretch();
    grid->addLayout(display, 2, 1, 1, 3);
    grid->addWidget(rxLabel_, 3, 0);
    grid->addWidget(rx_, 3, 1);
    grid->addWidget(rxUnit_, 3, 2);
    grid->addWidget(txLabel_, 4, 0);
    grid->addWidget(tx_, 4, 1);
    grid->addWidget(txUnit_, 4, 2);
    grid->addWidget(txEnable_, 5, 0, 1, 4);
    auto* low = new QHBoxLayout;
    low->addSpacing(8);
    low->addWidget(lowLine_);
    low->addWidget(lowPower_);
    low->addStretch();
    grid->addLayout(low, 6, 0, 1, 4);
    auto* up = new QHBoxLayout;
    up->addSpacing(8 + lowLine_->sizeHint().width() + 6);
    up->addWidget(upLine_);
    up->addWidget(powerUp_);
    up->addStretch();
    grid->addLayout(up, 7, 0, 1, 4);
    grid->addWidget(duplex_, 8, 0, 1, 4);
    grid->addWidget(scanMemory_, 9, 0, 1, 4);
    grid->addWidget(nameLabel_, 10, 0);
    grid->addWidget(name_, 10, 1, 1, 3, Qt::AlignLeft);
    grid->addWidget(scramblerLabel_, 11, 0);
    grid->addWidget(scrambler_, 11, 1, 1, 3, Qt::AlignLeft);

    ChainTabOrder({chEnable_, displayFirst_, displaySecond_, rx_, tx_, txEnable_, lowPower_,
                   powerUp_, duplex_, scanMemory_, name_, scrambler_});
}

void ChannelScreen::ConnectControls() {
    connect(chEnable_, &QCheckBox::toggled, this, &ChannelScreen::OnChEnable);
    connect(txEnable_, &QCheckBox::toggled, this, [this] { OnTxOrLowPower(FieldId::TxEnable); });
    connect(lowPower_, &QCheckBox::toggled, this,
            [this] { OnTxOrLowPower(FieldId::LowPowerOnly); });
    connect(powerUp_, &QCheckBox::toggled, this, [this](bool on) {
        const bool exp = Exp();
        Edit(FieldId::PowerUp,
             [on, exp](ChannelRec& ch) { SetChannelFlag(ch, exp, ChannelFlag::PowUp, on); });
    });
    connect(duplex_, &QCheckBox::toggled, this, &ChannelScreen::OnDuplex);
    connect(scanMemory_, &QCheckBox::toggled, this, [this](bool on) {
        Edit(FieldId::ScanMemory, [on](ChannelRec& ch) { ch.ScanMemory = ToFlag(on); });
    });
    connect(scrambler_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        Edit(FieldId::Scrambler, [i](ChannelRec& ch) { ch.Scramble = ScramblerCode(i); });
    });
    connect(name_, &QLineEdit::textChanged, this, [this] {
        const std::string text = name_->Latin1Text();
        Edit(FieldId::ChName, [&text](ChannelRec& ch) { ch.ChTag = text; });
    });
    connect(displayFirst_, &QLineEdit::textChanged, this, [this] {
        if (Exp()) {
            const std::string text = displayFirst_->Latin1Text();
            Edit(FieldId::ChDisplay, [&text](ChannelRec& ch) { ch.CHDisplayL = text; });
        }
    });
    connect(displaySecond_, &QLineEdit::textChanged, this, [this] {
        if (Exp()) {
            const std::string text = displaySecond_->Latin1Text();
            Edit(FieldId::ChDisplay, [&text](ChannelRec& ch) { ch.CHDisplayR = text; });
        }
    });
    for (FieldEdit* box : {rx_, tx_}) {
        connect(box, &FieldEdit::Typed, this, [this, box] {
            session_.FieldEdited = true;
            pending_ = box;
        });
        connect(box, &FieldEdit::FocusLost, this,
                [this, box](Qt::FocusReason reason) { OnFrequencyLost(box, reason); });
    }
}

void ChannelScreen::Prepare() {
    const EditSession::BusyGuard busy(session_);
    scrambler_->clear();
    scrambler_->addItems({"Off", "0", "1", "2", "3"});
    for (QCheckBox* box : {chEnable_, txEnable_, lowPower_, powerUp_, duplex_, scanMemory_}) {
        box->setChecked(false);
    }
    for (FieldEdit* box : {displayFirst_, displaySecond_, rx_, tx_, name_}) {
        box->clear();
    }
    heading_->clear();
    plan_ = PlanId::Usa;
    index_ = -1;
    pending_ = nullptr;
}

const ChannelRec* ChannelScreen::Record() const {
    return ChannelAt(session_.Model(), plan_, index_);
}

void ChannelScreen::Edit(FieldId field, const std::function<void(ChannelRec&)>& edit) {
    if (!isEnabled()) {
        return;
    }
    session_.EditChannel(plan_, index_, field, edit);
}

void ChannelScreen::Show(PlanId plan, int index) {
    plan_ = plan;
    index_ = index;
    pending_ = nullptr;
    const ChannelRec* rec = Record();
    if (rec == nullptr) {
        return;
    }
    {
        const EditSession::BusyGuard busy(session_);
        const bool exp = Exp();
        ChannelRec unmarked = *rec;
        unmarked.Enable = kOff;
        heading_->setText(
            FromModel(exp ? ExpNodeText(index + 1, unmarked) : ChannelNodeText(unmarked)));
        for (FieldEdit* box : {displayFirst_, displaySecond_, rx_, tx_}) {
            box->setReadOnly(!exp);
        }
        txEnable_->setVisible(!exp);
        duplex_->setVisible(!exp);

        const ChannelTexts texts = ChannelScreenTexts(*rec, exp);
        displayFirst_->SetLatin1Text(texts.DisplayFirst);
        displaySecond_->SetLatin1Text(texts.DisplaySecond);
        rx_->SetLatin1Text(texts.Rx);
        tx_->SetLatin1Text(texts.Tx);
        chEnable_->setChecked(rec->Enable != 0);
        txEnable_->setChecked(TxEnableShown(*rec));
        lowPower_->setChecked(rec->LowPower != 0);
        powerUp_->setChecked(rec->PowUp != 0);
        duplex_->setChecked(rec->Duplex != 0);
        scanMemory_->setChecked(rec->ScanMemory != 0);
        name_->SetLatin1Text(rec->ChTag);
        const bool scramble = session_.Ws().ScrambleFeature;
        scrambler_->setVisible(scramble);
        scramblerLabel_->setVisible(scramble);
        if (scramble) {
            scrambler_->setCurrentIndex(ScramblerIndex(rec->Scramble));
        }
    }
    setEnabled(true);
    ApplyEnableRules();
}

void ChannelScreen::ShowTarget(const ScreenTarget& target) {
    Show(target.Plan, target.Plan == PlanId::Exp ? target.Index - 1 : target.Index);
}

void ChannelScreen::ApplyEnableRules() {
    const ChannelRec* rec = Record();
    if (rec == nullptr) {
        return;
    }
    ChannelEnableInput in;
    in.Exp = Exp();
    in.ChEnable = chEnable_->isChecked();
    in.TxEnableChecked = txEnable_->isChecked();
    in.LowPowerChecked = lowPower_->isChecked();
    in.DuplexAllowed = DuplexPossible(*rec);
    in.RxOnly = rec->RxOnly != 0;
    in.ScramblerLocked = rec->Position == kScramblerLockedPosition;
    const ChannelEnables e = ChannelEnableRules(in);
    for (QWidget* w : std::initializer_list<QWidget*>{displayLabel_, displayFirst_, displaySecond_,
                                                      rxLabel_, rx_, rxUnit_, txLabel_, tx_,
                                                      txUnit_, scanMemory_, nameLabel_, name_}) {
        w->setEnabled(e.Fields);
    }
    txEnable_->setEnabled(e.TxEnable);
    lowPower_->setEnabled(e.LowPower);
    lowLine_->setEnabled(e.LowPower);
    powerUp_->setEnabled(e.PowerUp);
    upLine_->setEnabled(e.PowerUp);
    duplex_->setEnabled(e.Duplex);
    scrambler_->setEnabled(e.Scrambler);
    scramblerLabel_->setEnabled(e.Scrambler);
}

void ChannelScreen::OnChEnable(bool checked) {
    if (session_.Busy() || !isEnabled()) {
        return;
    }
    Edit(FieldId::ChEnable, [checked](ChannelRec& ch) { ch.Enable = ToFlag(checked); });
    Show(plan_, index_);
    chEnable_->setFocus();
}

void ChannelScreen::OnTxOrLowPower(FieldId field) {
    if (session_.Busy()) {
        return;
    }
    ApplyEnableRules();
    const bool tx = txEnable_->isChecked();
    const bool low = lowPower_->isChecked();
    const bool exp = Exp();
    Edit(field, [tx, low, exp](ChannelRec& ch) {
        SetChannelFlag(ch, exp, ChannelFlag::TxEnable, tx);
        SetChannelFlag(ch, exp, ChannelFlag::LowPower, low);
    });
}

void ChannelScreen::OnDuplex(bool checked) {
    if (session_.Busy()) {
        return;
    }
    const bool exp = Exp();
    Edit(FieldId::Duplex,
         [checked, exp](ChannelRec& ch) { SetChannelFlag(ch, exp, ChannelFlag::Duplex, checked); });
    const ChannelRec* rec = Record();
    if (!Exp() && rec != nullptr) {
        rx_->SetLatin1Text(FreqText(PresetRxFrequency(*rec)));
    }
}

RuleField ChannelScreen::BoxField(const FieldEdit* box) const {
    return box == rx_ ? RuleField::RxFrequency : RuleField::TxFrequency;
}

void ChannelScreen::StoreFrequency(FieldEdit* box, double mhz) {
    Edit(box == rx_ ? FieldId::RxFrequency : FieldId::TxFrequency,
         [box, mhz, this](ChannelRec& ch) { (box == rx_ ? ch.Rxfreq : ch.Txfreq) = mhz; });
    box->SetLatin1Text(FreqText4(mhz));
    session_.FieldEdited = false;
    pending_ = nullptr;
}

void ChannelScreen::RestoreFrequency(FieldEdit* box) {
    const ChannelRec* rec = Record();
    if (rec != nullptr) {
        box->SetLatin1Text(FreqText4(box == rx_ ? rec->Rxfreq : rec->Txfreq));
    }
    session_.FieldEdited = false;
    pending_ = nullptr;
}

bool ChannelScreen::CheckFrequency(FieldEdit* box) {
    const Ruled<double> mhz = CheckExpFrequency(BoxField(box), box->Latin1Text());
    if (mhz) {
        StoreFrequency(box, *mhz);
        return true;
    }
    checking_ = true;
    host_.ShowMessage(kDataError, box == rx_ ? hint::kRxFrequency : hint::kTxFrequency,
                      MsgIcon::Exclamation);
    checking_ = false;
    box->Refuse(mhz.Why());
    return false;
}

void ChannelScreen::OnFrequencyLost(FieldEdit* box, Qt::FocusReason reason) {
    if (checking_ || !session_.FieldEdited || pending_ != box) {
        return;
    }
    // Wait until the new focus has settled: a click in the tree runs the input check first.
    QTimer::singleShot(0, this, [this, box, reason] {
        if (checking_ || !session_.FieldEdited || pending_ != box || box->hasFocus()) {
            return;
        }
        const bool leftWindow =
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (leftWindow) {
            if (const Ruled<double> mhz = CheckExpFrequency(BoxField(box), box->Latin1Text())) {
                StoreFrequency(box, *mhz);
            } else {
                RestoreFrequency(box);
            }
        } else {
            CheckFrequency(box);
        }
    });
}

bool ChannelScreen::InputCheck() {
    if (session_.FieldEdited && pending_ != nullptr && !CheckFrequency(pending_)) {
        return false;
    }
    if (!Exp() || !chEnable_->isChecked()) {
        return true;
    }
    const std::vector<Refusal> gaps =
        ExpChannelGaps(rx_->Latin1Text(), displayFirst_->Latin1Text());
    if (gaps.empty()) {
        return true;
    }
    host_.ShowMessage(std::string(kDataError) + "\nPlease input correct data.",
                      session_.Ws().TitleText, MsgIcon::Exclamation);
    // The first box that lacks something is where the operator goes on.
    (gaps.front().Field == RuleField::RxFrequency ? rx_ : displayFirst_)->Refuse(gaps.front());
    return false;
}

}  // namespace tq530
