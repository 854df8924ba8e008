// What the core layers need of the user interface: messages, questions, pacing pauses, the
// busy pointer and a chance for the window system to run. The GUI, the CLI and the tests
// each supply their own.
#pragma once

#include <string>

namespace tq530 {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

class UiHost {
  public:
    virtual ~UiHost() = default;
    virtual void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) = 0;
    virtual Answer Ask(const std::string& text, const std::string& title, MsgIcon icon,
                       Buttons buttons) = 0;
    // The pauses that pace the GUI after file operations; the CLI and tests skip them.
    virtual void PacingPause(int milliseconds) { (void)milliseconds; }
    // Lets the window system run during long work.
    virtual void Yield() {}
    virtual void SetBusy(bool busy) { (void)busy; }
};

// A host that says nothing and answers every question with Cancel.
class SilentHost : public UiHost {
  public:
    void ShowMessage(const std::string&, const std::string&, MsgIcon) override {}
    Answer Ask(const std::string&, const std::string&, MsgIcon, Buttons) override {
        return Answer::Cancel;
    }
};

}  // namespace tq530
