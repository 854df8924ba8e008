// What the core layers need of the user interface: messages, questions, pacing pauses, the
// busy pointer and a chance for the window system to run. The GUI, the CLI and the tests
// each supply their own.
#pragma once

#include <string>

namespace tq530 {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// The button a set starts with, which Enter presses unless a question names another.
constexpr Answer FirstButton(Buttons buttons) {
    switch (buttons) {
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::Yes;
        case Buttons::RetryCancel:
            return Answer::Retry;
        case Buttons::Ok:
        case Buttons::OkCancel:
            break;
    }
    return Answer::Ok;
}

// What a host answers for a question it could not put: Cancel, or No where there is none.
constexpr Answer DismissAnswer(Buttons buttons) {
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

class UiHost {
  public:
    virtual ~UiHost() = default;
    virtual void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) = 0;
    // defaultButton is the one Enter presses; it is one of the set's buttons.
    virtual Answer Ask(const std::string& text, const std::string& title, MsgIcon icon,
                       Buttons buttons, Answer defaultButton) = 0;
    // The pauses that pace the GUI after file operations; the CLI and tests skip them.
    virtual void PacingPause(int milliseconds) { (void)milliseconds; }
    // Lets the window system run during long work.
    virtual void Yield() {}
    virtual void SetBusy(bool busy) { (void)busy; }
};

// A host that says nothing and dismisses every question.
class SilentHost : public UiHost {
  public:
    void ShowMessage(const std::string&, const std::string&, MsgIcon) override {}
    Answer Ask(const std::string&, const std::string&, MsgIcon, Buttons buttons, Answer) override {
        return DismissAnswer(buttons);
    }
};

}  // namespace tq530
