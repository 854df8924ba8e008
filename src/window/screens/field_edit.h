// A text box over the model's 8-bit text: one byte a character, Latin-1. It takes only the
// typed characters its key filter admits (never one outside Latin-1), selects its text when
// it gets the focus and reports focus changes with their reason, for the field checks. Undo
// and redo keys belong to the window's history, not to the box.
#pragma once

#include <QLineEdit>
#include <string>

#include "rules/refusal.h"

namespace tq530 {

using KeyFilter = bool (*)(char);

class FieldEdit : public QLineEdit {
    Q_OBJECT

  public:
    FieldEdit(KeyFilter filter, int maxLength, const char* hint, QWidget* parent = nullptr);

    std::string Latin1Text() const;
    void SetLatin1Text(const std::string& text);

    // Text that may enter the box: the admitted Latin-1 characters of text, in order.
    QString Filtered(const QString& text) const;

    // The box's text was refused: the focus comes back to it with the text selected, and
    // while it keeps the focus the status bar says what the rule wants instead of the hint.
    void Refuse(const Refusal& refusal);

  signals:
    // After Refuse: note is the line for the status bar.
    void Refused(const QString& note);
    // A character the filter admitted was typed or pasted, or one was erased.
    void Typed();
    void FocusLost(Qt::FocusReason reason);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    KeyFilter filter_;
};

// The Latin-1 conversions of the widget boundary.
QString FromModel(const std::string& text);
std::string ToModel(const QString& text);

// The property through which a control tells the panel its status-bar hint, and the one a
// refused box carries until it loses the focus, which the panel shows in the hint's place.
constexpr const char* kHintProperty = "tq530Hint";
constexpr const char* kRefusalProperty = "tq530Refusal";
void SetHint(QWidget* widget, const char* hint);

}  // namespace tq530
