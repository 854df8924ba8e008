// The window program's UiHost: message boxes and questions as Qt message boxes over the main
// window, reason lines in the window that is showing them, the pacing pauses as short event
// loops, the busy pointer as an override cursor.
#pragma once

#include <QMessageBox>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/ui_host.h"

class QWidget;

namespace tq530 {

QMessageBox::Icon MessageBoxIcon(MsgIcon icon);
QMessageBox::StandardButtons MessageBoxButtons(Buttons buttons);
QMessageBox::StandardButton MessageBoxButton(Answer answer);
// The answer of a clicked button; a box closed without one counts as its escape answer.
Answer AnswerOf(QMessageBox::StandardButton button, Buttons buttons);

// The text of a message as a box shows it. The model's own texts are 8-bit Latin-1, while
// paths and the cells of a file quoted in a message are UTF-8: a text that is well-formed
// UTF-8 is read as such (Latin-1 letters of a name never form it), any other as Latin-1.
// The whole text counts, past a NUL too.
QString MessageText(const std::string& text);

// The box a message or question shows; the gallery renders the same boxes.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const std::string& text,
                                             const std::string& title, MsgIcon icon,
                                             Buttons buttons, Answer defaultButton);

// Where a reason line lands: the main window's status bar, the transfer dialog's line.
using ReasonTarget = std::function<void(const QString&)>;

class WidgetHost : public UiHost {
  public:
    // Reasons go to the latest target added and not yet removed; with none they are dropped,
    // as a message box has said what the operator must know.
    int AddReasonTarget(ReasonTarget target);
    void RemoveReasonTarget(int id);

    // Message boxes open over the window; without one they are top-level.
    void SetWindow(QWidget* window) { window_ = window; }
    // Tests run without the pauses that pace the work for the eye.
    void SetPacing(bool on) { pacing_ = on; }
    bool Pacing() const { return pacing_; }

    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override;
    void ShowReason(const std::string& text) override;
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override;
    void PacingPause(int milliseconds) override;
    void Yield() override;
    void SetBusy(bool busy) override;

  private:
    QWidget* window_ = nullptr;
    bool pacing_ = true;
    int busyDepth_ = 0;
    std::vector<std::pair<int, ReasonTarget>> reasonTargets_;
    int nextReasonTarget_ = 0;
};

// Sends the reasons that reach host to target while it lives; nothing for a host other than
// the window program's.
class ReasonRoute {
  public:
    ReasonRoute(UiHost& host, ReasonTarget target);
    ~ReasonRoute();
    ReasonRoute(const ReasonRoute&) = delete;
    ReasonRoute& operator=(const ReasonRoute&) = delete;

  private:
    WidgetHost* host_;
    int id_ = -1;
};

}  // namespace tq530
