// The interrupt key as a count of presses while a transfer runs, and the program's own
// handling back afterwards.
#include <gtest/gtest.h>

#include <csignal>

#include "core/platform_file.h"

namespace tq530 {
namespace {

volatile std::sig_atomic_t gOwnHandlerCalls = 0;

void OwnHandler(int) {
    gOwnHandlerCalls = gOwnHandlerCalls + 1;
}

TEST(InterruptCounterTest, CountsPressesAndGivesTheKeyBack) {
    std::signal(SIGINT, OwnHandler);
    int seen = 0;
    {
        InterruptCounter counter;
        seen = counter.Presses();
        std::raise(SIGINT);
        EXPECT_EQ(counter.Presses(), seen + 1);
        std::raise(SIGINT);
        EXPECT_EQ(counter.Presses(), seen + 2);
        EXPECT_EQ(gOwnHandlerCalls, 0);
        seen = counter.Presses();
    }
    // Afterwards the handler that was there before answers again, and nothing is counted.
    std::raise(SIGINT);
    EXPECT_EQ(gOwnHandlerCalls, 1);
    InterruptCounter again;
    EXPECT_EQ(again.Presses(), seen);
    std::raise(SIGINT);
    EXPECT_EQ(again.Presses(), seen + 1);
    EXPECT_EQ(gOwnHandlerCalls, 1);
}

}  // namespace
}  // namespace tq530
