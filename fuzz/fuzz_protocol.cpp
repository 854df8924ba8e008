// The PC side of the radio link against a radio that may answer anything. The first byte
// picks the transfer; then, for each transmission of the PC, one control byte decides the
// radio's answer: below 0x40 the simulated radio's own, 0x40-0x7F the radio's own followed
// by up to 63 bytes of the input, 0x80 and up up to 127 bytes of the input in its place.
// Once the input is used up the simulated radio answers alone. Waits cost no real time.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "core/link_host.h"
#include "core/workspace.h"
#include "fuzz/fuzz_support.h"
#include "radio/radio_simulator.h"
#include "radio/serial_link.h"
#include "radio/simulated_link.h"
#include "radio/transfer.h"

namespace {

using namespace tq530;

class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ == size_; }
    uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    std::string Bytes(size_t count) {
        count = std::min(count, size_ - at_);
        std::string out(reinterpret_cast<const char*>(data_ + at_), count);
        at_ += count;
        return out;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

class FuzzedRadioLink : public SerialLink {
  public:
    FuzzedRadioLink(RadioSimulator& radio, VirtualClock& clock, Input& input)
        : radio_(radio), clock_(clock), input_(input) {}

    void Open(int, const std::string& settings) override {
        settings_ = PortSettingsText(ParsePortSettings(settings));
        open_ = true;
        incoming_.clear();
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::string Settings() const override { return settings_; }
    size_t BytesWaiting() override {
        Check();
        return incoming_.size();
    }
    bool ReadByte(uint8_t& byte, int timeoutMs) override {
        Check();
        if (incoming_.empty()) {
            clock_.Advance(timeoutMs);
            return false;
        }
        byte = static_cast<uint8_t>(incoming_.front());
        incoming_.pop_front();
        return true;
    }
    void Write(const std::string& bytes) override {
        Check();
        std::string reply = radio_.Feed(bytes);
        const uint8_t control = input_.Byte();
        if (control >= 0x80) {
            reply = input_.Bytes(control & 0x7F);
        } else if (control >= 0x40) {
            reply += input_.Bytes(control & 0x3F);
        }
        incoming_.insert(incoming_.end(), reply.begin(), reply.end());
    }

  private:
    void Check() const {
        if (!open_) {
            throw SerialError(kErrPortNotOpen, "Operation valid only when the port is open");
        }
    }

    RadioSimulator& radio_;
    VirtualClock& clock_;
    Input& input_;
    std::deque<char> incoming_;
    std::string settings_;
    bool open_ = false;
};

// Nobody attends: questions are answered as the command line's --yes answers them.
class UnattendedHost : public LinkHost {
  public:
    explicit UnattendedHost(VirtualClock& clock) : clock_(clock) {}
    int64_t NowMs() override { return clock_.NowMs(); }
    void Pause(int ms) override { clock_.Advance(ms); }
    void ShowMessage(const std::string&, const std::string&, MsgIcon) override {}
    Answer Ask(const std::string& text, const std::string&, MsgIcon, Buttons buttons,
               Answer) override {
        const Answer answer = busy_.Next(text);
        if (buttons == Buttons::RetryCancel) {
            return answer == Answer::Ok ? Answer::Retry : Answer::Cancel;
        }
        return answer;
    }
    Answer AskResync(const std::string&, const std::string&, const std::string& frame) override {
        return resync_.Next(frame);
    }

  private:
    VirtualClock& clock_;
    ResyncAnswerLimit busy_;
    ResyncAnswerLimit resync_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    const auto mode = static_cast<TransferMode>(input.Byte() % 5);
    RadioSimulator radio;
    for (size_t a = 0; a < radio.Eeprom.size(); ++a) {
        radio.Eeprom[a] = static_cast<uint8_t>(a * 7 + (a >> 8));
    }
    radio.SetIdentity(6120, 6120, "RB274V");
    VirtualClock clock;
    FuzzedRadioLink link(radio, clock, input);
    UnattendedHost host(clock);
    Workspace ws;
    NewData(ws);
    const RadioImage before = ws.Image;
    const bool done = Transfer(ws, link, host, mode).Run() == Outcome::Ok;
    if (mode == TransferMode::Read) {
        if (!done) {
            fuzz::Require(ws.Image.Bytes == before.Bytes, "a failed read leaves the image");
        } else {
            fuzz::Require(std::equal(before.Bytes.begin(), before.Bytes.begin() + 2,
                                     ws.Image.Bytes.begin()) &&
                              std::equal(before.Bytes.begin() + kNotReadStart,
                                         before.Bytes.begin() + kNotReadEnd,
                                         ws.Image.Bytes.begin() + kNotReadStart),
                          "a read keeps bytes 0-1 and 1024-1279");
        }
    }
    if (mode == TransferMode::ClearMmsi || mode == TransferMode::ClearDscLog ||
        mode == TransferMode::ClearDistressLog) {
        fuzz::Require(done || ws.Image.Bytes == before.Bytes, "a failed clear puts the image back");
    }
    return 0;
}
