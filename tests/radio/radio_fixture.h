// A transfer against the in-process radio simulator on a virtual clock, with a host that
// records what the operator would see and answers questions from a script.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/link_host.h"
#include "core/workspace.h"
#include "radio/simulated_link.h"
#include "radio/transfer.h"

namespace tq530::radiotest {

struct Shown {
    std::string Text;
    std::string Title;
    MsgIcon Icon;
    Buttons ButtonSet = Buttons::Ok;
    Answer DefaultButton = Answer::Ok;
};

class LinkRecordingHost : public LinkHost {
  public:
    explicit LinkRecordingHost(VirtualClock& clock) : clock_(clock) {}

    std::vector<Shown> Messages;
    std::vector<Shown> Questions;
    std::deque<Answer> Answers;  // Cancel once they run out
    std::vector<std::string> Monitor;
    std::vector<int> ProgressSeen;
    std::vector<int> Pauses;
    int PacingPauses = 0;
    // When the transfer said its work was done: the radio's received lines and the pacing
    // pauses up to then; -1 while it has not.
    int NoReturnAtLine = -1;
    int NoReturnAtPause = -1;
    std::function<size_t()> LinesReceived;
    std::function<void()> OnYield;
    // Runs after each of the radio's pauses, as the window and the terminal look at Cancel
    // then: the moment between two frames.
    std::function<void()> OnPause;

    int64_t NowMs() override { return clock_.NowMs(); }
    void Pause(int ms) override {
        Pauses.push_back(ms);
        clock_.Advance(ms);
        if (OnPause)
            OnPause();
    }
    void PacingPause(int) override { ++PacingPauses; }
    void PastNoReturn() override {
        NoReturnAtLine = LinesReceived ? static_cast<int>(LinesReceived()) : 0;
        NoReturnAtPause = PacingPauses;
    }
    void Yield() override {
        if (OnYield)
            OnYield();
    }
    void ShowMonitor(const std::string& text) override { Monitor.push_back(text); }
    void SetProgress(int percent) override { ProgressSeen.push_back(percent); }
    void ShowMessage(const std::string& text, const std::string& title, MsgIcon icon) override {
        Messages.push_back({text, title, icon});
    }
    Answer Ask(const std::string& text, const std::string& title, MsgIcon icon, Buttons buttons,
               Answer defaultButton) override {
        Questions.push_back({text, title, icon, buttons, defaultButton});
        if (Answers.empty())
            return Answer::Cancel;
        const Answer a = Answers.front();
        Answers.pop_front();
        return a;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const Shown& m : Messages)
            texts.push_back(m.Text);
        return texts;
    }

  private:
    VirtualClock& clock_;
};

// A radio of its own, with its link and host: one case of a table of faults.
struct Bench {
    Bench(VirtualClock& clock, const RadioSimulator& from)
        : radio(from), link(radio, clock), host(clock) {}
    Outcome Run(Workspace& ws, TransferMode mode) {
        Transfer transfer(ws, link, host, mode);
        return transfer.Run();
    }
    RadioSimulator radio;
    SimulatedLink link;
    LinkRecordingHost host;
};

class RadioTest : public ::testing::Test {
  protected:
    RadioTest() : link(radio, clock), host(clock) {
        ws.Image.Bytes.fill(0);
        for (int a = 0; a < kImageSize; ++a) {
            radio.Eeprom[static_cast<size_t>(a)] = static_cast<uint8_t>(a * 7 + (a >> 8));
        }
        radio.SetIdentity(6120, 6120, "RB274V");
    }

    // An image of the radio's model whose bytes all differ from their neighbours', so that a
    // byte in the wrong place shows.
    void FillImageWithPattern() {
        ws.Image[0] = 0x17;
        ws.Image[1] = 0xE8;
        for (int a = 2; a < kImageSize; ++a)
            ws.Image[a] = static_cast<uint8_t>(a % 251);
    }

    // Runs the whole OK-button sequence for mode.
    bool RunTransfer(TransferMode mode) {
        Transfer transfer(ws, link, host, mode);
        return transfer.Run() == Outcome::Ok;
    }

    // The lines and single bytes the radio received, from the first "#CEP" frame on.
    std::vector<std::string> FramesFromStatus() const {
        std::vector<std::string> out;
        bool started = false;
        for (const std::string& r : radio.Received) {
            started = started || r.rfind("#CEPSR", 0) == 0;
            if (started)
                out.push_back(r);
        }
        return out;
    }

    // The number of the frame ("#CEP..." counted from 1) that reads or writes address.
    static int FrameNumberOfReadBlock(int address) {
        // status, two model-code reads, product-code read, then the blocks
        return 4 + address / 64 + 1;
    }

    VirtualClock clock;
    RadioSimulator radio;
    SimulatedLink link;
    LinkRecordingHost host;
    Workspace ws;
};

}  // namespace tq530::radiotest
