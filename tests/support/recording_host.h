// A UiHost for tests: records every message and question and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/ui_host.h"

namespace tq530::testing {

struct ShownMessage {
    std::string Text;
    std::string Title;
    MsgIcon Icon;
};

class RecordingHost : public UiHost {
  public:
    std::vector<ShownMessage> Messages;
    std::vector<std::string> Questions;
    std::vector<Buttons> QuestionButtons;  // parallel to Questions
    std::vector<Answer> DefaultButtons;
    std::deque<Answer> Answers;  // Cancel once they run out
    int PausedMilliseconds = 0;

    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override {
        Messages.push_back({text, title, icon});
    }
    Answer Ask(const std::string& text, const std::string&, MsgIcon, Buttons buttons,
               Answer defaultButton) override {
        Questions.push_back(text);
        QuestionButtons.push_back(buttons);
        DefaultButtons.push_back(defaultButton);
        if (Answers.empty()) {
            return Answer::Cancel;
        }
        const Answer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void PacingPause(int milliseconds) override { PausedMilliseconds += milliseconds; }

    // The last message as "text|title", or "" when none was shown.
    std::string Last() const {
        return Messages.empty() ? std::string()
                                : Messages.back().Text + "|" + Messages.back().Title;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : Messages) {
            texts.push_back(m.Text);
        }
        return texts;
    }
};

}  // namespace tq530::testing
