#include "window/screens/weather_screen.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>

#include "editor/edit_session.h"
#include "editor/help_contexts.h"
#include "editor/screen_tree.h"
#include "model/builtin_tables.h"
#include "rules/channel_rules.h"
#include "window/screens/field_edit.h"
#include "window/screens/help_context.h"

namespace tq530 {

namespace {

// A focused row's boxes show ">" as their caption, the others a blank.
const QString kFocusCaption = QStringLiteral(">");
const QString kIdleCaption = QStringLiteral(" ");

}  // namespace

WeatherScreen::WeatherScreen(EditSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    auto* grid = new QGridLayout(this);
    QLabel* headers[] = {
        new QLabel(QStringLiteral("Weather CH"), this), new QLabel(QStringLiteral("Enable"), this),
        new QLabel(QStringLiteral("Scan"), this), new QLabel(QStringLiteral("CH Name"), this)};
    for (int c = 0; c < 4; ++c) {
        QFont bold = headers[c]->font();
        bold.setBold(true);
        headers[c]->setFont(bold);
        grid->addWidget(headers[c], 0, c);
    }
    const WxChannelTable& table = WeatherChannels();
    QWidget* previous = nullptr;
    for (int r = 0; r < kWxChannelCount; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        row.Label = new QLabel(FromModel(table[static_cast<size_t>(r)].Name), this);
        row.Enable = new QCheckBox(kIdleCaption, this);
        SetHint(row.Enable, hint::kWeatherEnable);
        row.Scan = new QCheckBox(kIdleCaption, this);
        SetHint(row.Scan, hint::kCheckBox);
        row.Name = new FieldEdit(ChannelNameKey, kChannelNameMaxLength, hint::kChannelName, this);
        SetHelpContext(row.Enable, kHelpChannelEnable);
        SetHelpContext(row.Scan, kHelpScanMemory);
        SetHelpContext(row.Name, kHelpChannelName);
        row.Name->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QLatin1Char('W')) * 9);
        for (QCheckBox* box : {row.Enable, row.Scan}) {
            // The focus caption must not widen its column: the names beside it stay put.
            box->setText(kFocusCaption);
            box->setMinimumWidth(box->sizeHint().width());
            box->setText(kIdleCaption);
            box->installEventFilter(this);
        }
        grid->addWidget(row.Label, r + 1, 0);
        grid->addWidget(row.Enable, r + 1, 1);
        grid->addWidget(row.Scan, r + 1, 2);
        grid->addWidget(row.Name, r + 1, 3);
        for (QWidget* w : std::initializer_list<QWidget*>{row.Enable, row.Scan, row.Name}) {
            if (previous != nullptr) {
                setTabOrder(previous, w);
            }
            previous = w;
        }

        connect(row.Enable, &QCheckBox::toggled, this, [this, r](bool on) {
            if (session_.EditChannel(PlanId::Wx, r, FieldId::ChEnable,
                                     [on](ChannelRec& ch) { ch.Enable = ToFlag(on); })) {
                ApplyRowRule(r);
            }
        });
        connect(row.Scan, &QCheckBox::toggled, this, [this, r](bool on) {
            session_.EditChannel(PlanId::Wx, r, FieldId::ScanMemory,
                                 [on](ChannelRec& ch) { ch.ScanMemory = ToFlag(on); });
        });
        connect(row.Name, &QLineEdit::textChanged, this, [this, r] {
            const std::string text = rows_[static_cast<size_t>(r)].Name->Latin1Text();
            session_.EditChannel(PlanId::Wx, r, FieldId::ChName,
                                 [&text](ChannelRec& ch) { ch.ChTag = text; });
        });
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(kWxChannelCount + 1, 1);
}

void WeatherScreen::Show() {
    const EditSession::BusyGuard busy(session_);
    const ChannelPlan& wx = session_.Model().Wx;
    for (int r = 0; r < kWxChannelCount; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        const bool present = r < static_cast<int>(wx.size());
        row.Enable->setEnabled(present);
        if (!present) {
            row.Enable->setChecked(false);
            row.Scan->setChecked(false);
            row.Name->clear();
            ApplyRowRule(r);
            continue;
        }
        const ChannelRec& ch = wx[static_cast<size_t>(r)];
        row.Enable->setChecked(ch.Enable != 0);
        row.Scan->setChecked(ch.ScanMemory != 0);
        row.Name->SetLatin1Text(ch.ChTag);
        ApplyRowRule(r);
    }
}

void WeatherScreen::ApplyRowRule(int r) {
    Row& row = rows_[static_cast<size_t>(r)];
    const bool on = row.Enable->isChecked();
    row.Scan->setEnabled(on);
    row.Name->setEnabled(on);
}

bool WeatherScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        if (auto* box = qobject_cast<QCheckBox*>(watched)) {
            box->setText(event->type() == QEvent::FocusIn ? kFocusCaption : kIdleCaption);
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tq530
