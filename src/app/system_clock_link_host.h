// The radio link's clock and pauses on the system's clock, for the front ends that talk to a
// real port; the tests' hosts run on a virtual clock instead.
#pragma once

#include <cstdint>

#include "core/link_host.h"

namespace tq530 {

class SystemClockLinkHost : public LinkHost {
  public:
    // The steady clock: a change of the wall time never stretches or cuts a time-out.
    int64_t NowMs() override;
    // Sleeps, then looks at Cancel, so that a press during a pause counts at once.
    void Pause(int milliseconds) override;
};

}  // namespace tq530
