// What a transfer needs of its surroundings beyond messages and questions: a clock, the
// radio's pauses, the monitor line and the progress bar. The GUI, the CLI and the tests
// each supply their own.
#pragma once

#include <cstdint>
#include <string>

#include "core/ui_host.h"

namespace tq530 {

class LinkHost : public UiHost {
  public:
    // A monotonic clock in milliseconds.
    virtual int64_t NowMs() = 0;
    // The pauses the radio needs (before each transmission, after the speed switch); every
    // host keeps them.
    virtual void Pause(int milliseconds) = 0;
    // The diagnostic monitor line; hosts that show it pace it as they see fit.
    virtual void ShowMonitor(const std::string& text) { (void)text; }
    virtual void SetProgress(int percent) { (void)percent; }
    // The radio has answered the transfer's last block: its work is done, and a Cancel from
    // now on would only throw it away. A host with a Cancel button stops taking it here.
    virtual void PastNoReturn() {}
    // The question asked after a frame was refused three times. frame tells the host which
    // frame it is about, so that an unattended host can give up on a frame the radio keeps
    // refusing.
    virtual Answer AskResync(const std::string& text, const std::string& title,
                             const std::string& frame) {
        (void)frame;
        return Ask(text, title, MsgIcon::Question, Buttons::OkCancel, Answer::Ok);
    }
};

// How a host that nobody attends answers a question the radio can keep bringing up (the
// synchronisation question for one frame, "Radio is busy!!"): OK at most three times for
// the same key, then Cancel, so that such a radio cannot hold the transfer forever.
class ResyncAnswerLimit {
  public:
    static constexpr int kMaxAnswers = 3;
    Answer Next(const std::string& frame) {
        if (frame != frame_) {
            frame_ = frame;
            count_ = 0;
        }
        return ++count_ <= kMaxAnswers ? Answer::Ok : Answer::Cancel;
    }

  private:
    std::string frame_;
    int count_ = 0;
};

}  // namespace tq530
