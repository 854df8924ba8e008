#include "app/system_clock_link_host.h"

#include <chrono>
#include <thread>

namespace tq530 {

int64_t SystemClockLinkHost::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SystemClockLinkHost::Pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    Yield();
}

}  // namespace tq530
