// A serial link watched for what a transfer's messages leave unsaid: whether the port opened
// at all, whether the radio ever sent a byte, and whether the open port itself failed (a
// pulled cable).
#pragma once

#include <string>

#include "radio/serial_link.h"

namespace tq530 {

class WatchedLink : public SerialLink {
  public:
    explicit WatchedLink(SerialLink& inner) : inner_(inner) {}

    bool Opened = false;
    bool Answered = false;
    std::string OpenFailure;  // the system's text of the last failed opening
    std::string PortFailure;  // the first failure of the open port

    // Forgets what an earlier transfer saw.
    void Reset();

    void Open(int comNum, const std::string& settings) override;
    void Close() override;
    bool IsOpen() const override { return inner_.IsOpen(); }
    std::string Settings() const override { return inner_.Settings(); }
    size_t BytesWaiting() override;
    bool ReadByte(uint8_t& byte, int timeoutMs) override;
    void Write(const std::string& bytes) override;
    std::string PortName(int comNum) const override { return inner_.PortName(comNum); }

  private:
    template <typename F>
    auto Watch(F f) -> decltype(f());

    SerialLink& inner_;
    bool open_ = false;
};

}  // namespace tq530
