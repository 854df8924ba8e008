#include "radio/simulated_link.h"

namespace tq530 {

void SimulatedLink::Open(int comNum, const std::string& settings) {
    const PortSettings parsed = ParsePortSettings(settings);
    if (FailOpen) {
        throw SerialError(kErrPortOpenFailed, "Port not found: COM" + std::to_string(comNum));
    }
    if (open_) {
        throw SerialError(kErrPortOpenFailed, "Port already open");
    }
    open_ = true;
    incoming_.clear();
    baud_ = parsed.Baud;
    settings_ = PortSettingsText(parsed);
    Opens.push_back(settings_);
}

void SimulatedLink::CheckUsable() {
    if (!open_) {
        throw SerialError(kErrPortNotOpen, "Operation valid only when the port is open");
    }
    if (radio_.LinkClosed()) {
        throw SerialError(kErrPortReadFailed, "The device is no longer connected");
    }
}

size_t SimulatedLink::BytesWaiting() {
    CheckUsable();
    return incoming_.size();
}

bool SimulatedLink::ReadByte(uint8_t& byte, int timeoutMs) {
    CheckUsable();
    if (incoming_.empty()) {
        clock_.Advance(timeoutMs);
        return false;
    }
    byte = incoming_.front();
    incoming_.pop_front();
    return true;
}

void SimulatedLink::Write(const std::string& bytes) {
    CheckUsable();
    Writes.push_back({clock_.NowMs(), baud_, bytes});
    const std::string reply = radio_.Feed(bytes);
    incoming_.insert(incoming_.end(), reply.begin(), reply.end());
}

}  // namespace tq530
