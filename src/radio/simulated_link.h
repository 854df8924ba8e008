// An in-process serial link to a RadioSimulator, on a virtual clock: the radio answers at
// once, and a wait for bytes that never come costs no real time.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "radio/radio_simulator.h"
#include "radio/serial_link.h"

namespace tq530 {

class VirtualClock {
  public:
    int64_t NowMs() const { return now_; }
    void Advance(int64_t ms) { now_ += ms; }

  private:
    int64_t now_ = 0;
};

class SimulatedLink : public SerialLink {
  public:
    // One write of the PC: when, at which speed, what.
    struct Sent {
        int64_t AtMs;
        int Baud;
        std::string Bytes;
    };

    SimulatedLink(RadioSimulator& radio, VirtualClock& clock) : radio_(radio), clock_(clock) {}

    // Every Open fails, as for a port that is not there.
    bool FailOpen = false;
    std::vector<Sent> Writes;
    std::vector<std::string> Opens;  // settings text of each successful open

    void Open(int comNum, const std::string& settings) override;
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::string Settings() const override { return settings_; }
    size_t BytesWaiting() override;
    bool ReadByte(uint8_t& byte, int timeoutMs) override;
    void Write(const std::string& bytes) override;

  private:
    void CheckUsable();

    RadioSimulator& radio_;
    VirtualClock& clock_;
    std::deque<uint8_t> incoming_;
    bool open_ = false;
    std::string settings_;
    int baud_ = 0;
};

}  // namespace tq530
