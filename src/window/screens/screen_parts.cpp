#include "window/screens/screen_parts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "core/ui_host.h"
#include "core/workspace.h"
#include "editor/screen_tree.h"
#include "window/screens/field_edit.h"

namespace tq530 {

QCheckBox* HintedCheckBox(const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    SetHint(box, hint::kCheckBox);
    return box;
}

QLabel* BuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

QPushButton* HintedButton(const QString& caption, const char* hint, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    SetHint(button, hint);
    // A button takes the focus when clicked, so that its hint shows and a typed field is
    // checked before the button acts.
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QGroupBox* TitledGroup(const char* title, QWidget* parent) {
    return new QGroupBox(QString::fromLatin1(title), parent);
}

QLabel* BoldHeading(QWidget* parent) {
    auto* heading = new QLabel(parent);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    return heading;
}

void ChainTabOrder(const std::vector<QWidget*>& order) {
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (w == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, w);
        }
        previous = w;
    }
}

void FitChars(QLineEdit* box, int n) {
    const QFontMetrics metrics(box->font());
    box->setFixedWidth(metrics.horizontalAdvance(QLatin1Char('0')) * n + 16);
}

BoundList::BoundList(EditSession& session, Change change, Getter get, Setter set, QWidget* parent)
    : QComboBox(parent),
      session_(session),
      change_(std::move(change)),
      get_(std::move(get)),
      set_(std::move(set)) {
    SetHint(this, hint::kChoiceList);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (session_.Busy() || index < 0 || !isEnabled()) {
            return;
        }
        const int value = itemData(index).toInt();
        if (session_.Apply(change_, [this, value](SettingsModel& m) { set_(m, value); })) {
            emit Stored(value);
        }
    });
}

BoundList* BoundList::ForFlag(EditSession& session, Change change, FixedList list,
                              std::function<Flag&(SettingsModel&)> flag, QWidget* parent) {
    auto* box = new BoundList(
        session, std::move(change), [flag](SettingsModel& m) { return FlagIndex(flag(m)); },
        [flag](SettingsModel& m, int value) { flag(m) = FlagOfIndex(value); }, parent);
    box->SetItems(FixedItems(list));
    return box;
}

void BoundList::SetItems(const ChoiceItems& items) {
    const EditSession::BusyGuard busy(session_);
    clear();
    for (const ChoiceItem& item : items) {
        addItem(QString::fromLatin1(item.Text.c_str()), item.Value);
    }
}

void BoundList::ShowValue() {
    const EditSession::BusyGuard busy(session_);
    setCurrentIndex(findData(get_(session_.Ws().Model)));
}

int BoundList::Value() const {
    return currentIndex() < 0 ? -1 : currentData().toInt();
}

FieldCheck::FieldCheck(EditSession& session, UiHost& host, FieldEdit* box, Rule rule)
    : QObject(box), session_(session), host_(host), box_(box), rule_(std::move(rule)) {
    connect(box_, &FieldEdit::Typed, this, [this] {
        session_.FieldEdited = true;
        pending_ = true;
    });
    connect(box_, &FieldEdit::FocusLost, this, [this](Qt::FocusReason reason) {
        if (checking_ || !pending_) {
            return;
        }
        // Wait until the new focus has settled: a click in the tree runs the input check
        // first, and a check that already ran leaves nothing pending.
        QTimer::singleShot(0, this, [this, reason] {
            if (checking_ || !pending_ || box_->hasFocus()) {
                return;
            }
            Run(reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason);
        });
    });
}

FieldCheck::Rule FieldCheck::TextField(
    EditSession& session, Change change,
    std::function<Ruled<std::string>(const std::string&)> validate,
    std::function<std::string&(SettingsModel&)> field,
    std::function<std::string(const std::string&)> shown, const char* caption) {
    Rule rule;
    rule.Validate = std::move(validate);
    rule.Store = [&session, change, field](const std::string& stored) {
        if (stored != field(session.Ws().Model)) {
            session.Apply(change, [&field, &stored](SettingsModel& m) { field(m) = stored; });
        }
    };
    rule.Shown = [&session, field, shown] { return shown(field(session.Ws().Model)); };
    rule.Caption = caption;
    return rule;
}

bool FieldCheck::RunIfPending() {
    return !pending_ || Run(false);
}

bool FieldCheck::Run(bool silent) {
    const Ruled<std::string> checked = rule_.Validate(box_->Latin1Text());
    const std::optional<std::string> stored = checked.Stored();
    if (stored || rule_.Caption == nullptr || silent) {
        pending_ = false;
        session_.FieldEdited = false;
        if (stored) {
            rule_.Store(*stored);
        }
        if (stored || rule_.Caption != nullptr) {
            box_->SetLatin1Text(rule_.Shown());
        }
        return true;
    }
    checking_ = true;
    host_.ShowMessage(kDataError, rule_.Caption, MsgIcon::Exclamation);
    checking_ = false;
    // The box may sit on a tab the operator has left.
    for (QWidget* page = box_; page != nullptr; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* tabs = stack == nullptr ? nullptr : qobject_cast<QTabWidget*>(stack->parentWidget());
        if (tabs != nullptr && tabs->indexOf(page) >= 0) {
            tabs->setCurrentWidget(page);
            break;
        }
    }
    box_->Refuse(checked.Why());
    return false;
}

}  // namespace tq530
