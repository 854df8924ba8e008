#include "radio/watched_link.h"

namespace tq530 {

void WatchedLink::Reset() {
    Opened = false;
    Answered = false;
    OpenFailure.clear();
    PortFailure.clear();
}

template <typename F>
auto WatchedLink::Watch(F f) -> decltype(f()) {
    try {
        return f();
    } catch (const SerialError& e) {
        // A port that was never open has not failed: the open said why.
        if (PortFailure.empty() && open_) {
            PortFailure = e.what();
        }
        throw;
    }
}

void WatchedLink::Open(int comNum, const std::string& settings) {
    try {
        open_ = false;
        inner_.Open(comNum, settings);
        Opened = open_ = true;
    } catch (const SerialError& e) {
        OpenFailure = e.what();
        throw;
    }
}

void WatchedLink::Close() {
    open_ = false;
    inner_.Close();
}

size_t WatchedLink::BytesWaiting() {
    return Watch([&] { return inner_.BytesWaiting(); });
}

bool WatchedLink::ReadByte(uint8_t& byte, int timeoutMs) {
    const bool got = Watch([&] { return inner_.ReadByte(byte, timeoutMs); });
    Answered = Answered || got;
    return got;
}

void WatchedLink::Write(const std::string& bytes) {
    Watch([&] {
        inner_.Write(bytes);
        return true;
    });
}

}  // namespace tq530
