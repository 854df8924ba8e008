#include "window/screens/field_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTimer>

namespace tq530 {

namespace {

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y: the keys of the editor's Undo and Redo.
bool IsHistoryKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool z = event->key() == Qt::Key_Z && (mods == Qt::ControlModifier ||
                                                 mods == (Qt::ControlModifier | Qt::ShiftModifier));
    const bool y = event->key() == Qt::Key_Y && mods == Qt::ControlModifier;
    return z || y;
}

}  // namespace

QString FromModel(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToModel(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void SetHint(QWidget* widget, const char* hint) {
    widget->setProperty(kHintProperty, QString::fromLatin1(hint));
}

FieldEdit::FieldEdit(KeyFilter filter, int maxLength, const char* hint, QWidget* parent)
    : QLineEdit(parent), filter_(filter) {
    setMaxLength(maxLength);
    SetHint(this, hint);
    // Pasting goes through the key filter below; the context menu would bypass it.
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
}

std::string FieldEdit::Latin1Text() const {
    return ToModel(text());
}

void FieldEdit::SetLatin1Text(const std::string& text) {
    setText(FromModel(text));
}

QString FieldEdit::Filtered(const QString& text) const {
    QString out;
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF && filter_(static_cast<char>(c.unicode()))) {
            out.append(c);
        }
    }
    return out;
}

bool FieldEdit::event(QEvent* event) {
    // A box's own undo would take back the text without the model's history knowing: the
    // window's shortcut gets these keys even while a box has the focus.
    if (event->type() == QEvent::ShortcutOverride && IsHistoryKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QLineEdit::event(event);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (IsHistoryKey(event)) {
        event->ignore();  // nothing to undo: the key does nothing here either
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter never reaches a field.
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        const QString admitted = Filtered(QApplication::clipboard()->text());
        if (!isReadOnly() && !admitted.isEmpty()) {
            insert(admitted);
            emit Typed();
        }
        event->accept();
        return;
    }
    // Control combinations are commands (select all, copy, undo), never typed characters.
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool command =
        mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
    const QString text = event->text();
    const bool printable = !command && !text.isEmpty() && text.at(0).isPrint();
    if (printable) {
        if (Filtered(text) != text) {
            event->accept();
            return;
        }
    }
    const QString before = this->text();
    QLineEdit::keyPressEvent(event);
    if (!isReadOnly() && this->text() != before) {
        emit Typed();
    }
}

void FieldEdit::Refuse(const Refusal& refusal) {
    const QString note = QString::fromLatin1(RuleFieldCaption(refusal.Field)) +
                         QStringLiteral(": ") + FromModel(refusal.Text);
    setProperty(kRefusalProperty, note);
    setFocus(Qt::OtherFocusReason);
    selectAll();
    emit Refused(note);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A mouse click places the cursor after the focus arrives; select once it has.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) {
            selectAll();
        }
    });
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    // A message box that says why takes the focus for a moment; the note stays for the box's
    // return and goes when the operator moves on.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        setProperty(kRefusalProperty, QVariant());
    }
    QLineEdit::focusOutEvent(event);
    emit FocusLost(event->reason());
}

}  // namespace tq530
