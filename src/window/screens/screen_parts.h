// The parts the settings and directory screens are built from: captioned controls that
// carry their status-bar hint, a choice list bound to one model value, and the check that
// runs when a digit box is left after typing.
#pragma once

#include <QComboBox>
#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/edit_session.h"
#include "rules/refusal.h"
#include "rules/settings_rules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tq530 {

class FieldEdit;
class UiHost;

QCheckBox* HintedCheckBox(const QString& caption, QWidget* parent);
QLabel* BuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent);
QPushButton* HintedButton(const QString& caption, const char* hint, QWidget* parent);
QGroupBox* TitledGroup(const char* title, QWidget* parent);
// The bold line that names the record a screen shows.
QLabel* BoldHeading(QWidget* parent);
// Tab visits the controls in this order; null entries are skipped.
void ChainTabOrder(const std::vector<QWidget*>& order);
// Wide enough for n characters of the box's font and its frame.
void FitChars(QLineEdit* box, int n);

// A choice list that shows one value of the model and stores the value of the item the
// operator chooses, through the edit session. Items are (re)filled by the screen.
class BoundList : public QComboBox {
    Q_OBJECT

  public:
    using Getter = std::function<int(SettingsModel&)>;
    using Setter = std::function<void(SettingsModel&, int value)>;

    BoundList(EditSession& session, Change change, Getter get, Setter set, QWidget* parent);
    // A list of two items ("Off"/"On", "Low"/"Hi") over a flag.
    static BoundList* ForFlag(EditSession& session, Change change, FixedList list,
                              std::function<Flag&(SettingsModel&)> flag, QWidget* parent);

    void SetItems(const ChoiceItems& items);
    // Selects the item holding the model's value, none when no item holds it.
    void ShowValue();
    // The chosen item's value, -1 when none is chosen.
    int Value() const;

  signals:
    // The operator chose an item and it was stored.
    void Stored(int value);

  private:
    EditSession& session_;
    Change change_;
    Getter get_;
    Setter set_;
};

// The check of a digit box, run when the box is left after typing. Leaving it for another
// control of the window runs the checked variant: a refusal shows "Data Error!!" with the
// caption and keeps the focus in the box, whose note says what the rule wants. When another window
// takes the focus the silent variant runs: a refused text is replaced by the stored one. A box
// without a caption refuses silently in both variants and keeps what was typed.
class FieldCheck : public QObject {
    Q_OBJECT

  public:
    struct Rule {
        std::function<Ruled<std::string>(const std::string& text)> Validate;
        std::function<void(const std::string& stored)> Store;
        std::function<std::string()> Shown;  // the box text of the stored value
        const char* Caption = nullptr;
    };
    FieldCheck(EditSession& session, UiHost& host, FieldEdit* box, Rule rule);

    // Typed into since its last check.
    bool Pending() const { return pending_; }
    // The checked variant when the box was typed into; false after a refusal's message.
    bool RunIfPending();
    // The screen was shown again: what was typed is gone.
    void Forget() { pending_ = false; }

    // The rule of a box over one text of the model, stored (and announced as change) only
    // when it differs; shown maps the stored text to what the box shows.
    static Rule TextField(EditSession& session, Change change,
                          std::function<Ruled<std::string>(const std::string&)> validate,
                          std::function<std::string&(SettingsModel&)> field,
                          std::function<std::string(const std::string&)> shown,
                          const char* caption);

  private:
    bool Run(bool silent);

    EditSession& session_;
    UiHost& host_;
    FieldEdit* box_;
    Rule rule_;
    bool pending_ = false;
    bool checking_ = false;  // a refusal's message is up
};

}  // namespace tq530
