// The window program's UiHost: message boxes and questions as Qt message boxes over the main
// window, the pacing pauses as short event loops, the busy pointer as an override cursor.
#pragma once

#include <QMessageBox>
#include <memory>

#include "core/ui_host.h"

class QWidget;

namespace tq530 {

QMessageBox::Icon MessageBoxIcon(MsgIcon icon);
QMessageBox::StandardButtons MessageBoxButtons(Buttons buttons);
QMessageBox::StandardButton MessageBoxButton(Answer answer);
// The answer of a clicked button; a box closed without one counts as its escape answer.
Answer AnswerOf(QMessageBox::StandardButton button, Buttons buttons);

// The box a message or question shows; the gallery renders the same boxes.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const std::string& text,
                                             const std::string& title, MsgIcon icon,
                                             Buttons buttons, Answer defaultButton);

class WidgetHost : public UiHost {
  public:
    // Message boxes open over the window; without one they are top-level.
    void SetWindow(QWidget* window) { window_ = window; }
    // Tests run without the pauses that pace the work for the eye.
    void SetPacing(bool on) { pacing_ = on; }
    bool Pacing() const { return pacing_; }

    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override;
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override;
    void PacingPause(int milliseconds) override;
    void Yield() override;
    void SetBusy(bool busy) override;

  private:
    QWidget* window_ = nullptr;
    bool pacing_ = true;
    int busyDepth_ = 0;
};

}  // namespace tq530
