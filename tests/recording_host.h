// A host for tests: records every message and answers questions from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/ui_host.h"

namespace tq530::test {

class RecordingHost : public UiHost {
  public:
    std::vector<std::string> Messages;  // "text|title"
    std::vector<std::string> Questions;
    std::deque<Answer> Answers;  // Cancel when empty
    int PausedMs = 0;

    void ShowMessage(const std::string& text, const std::string& title, MsgIcon) override {
        Messages.push_back(text + "|" + title);
    }
    Answer Ask(const std::string& text, const std::string& title, MsgIcon, Buttons) override {
        Questions.push_back(text + "|" + title);
        if (Answers.empty()) {
            return Answer::Cancel;
        }
        const Answer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    void PacingPause(int ms) override { PausedMs += ms; }
    std::string Last() const { return Messages.empty() ? std::string() : Messages.back(); }
};

}  // namespace tq530::test
