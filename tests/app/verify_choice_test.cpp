// "Verify after Program" is remembered per user and off for a user who never chose it.
#include <gtest/gtest.h>

#include "app/verify_choice.h"

namespace tq530 {
namespace {

TEST(VerifyChoice, OffUntilChosenThenRemembered) {
    MemorySettingsStore store;
    EXPECT_FALSE(ReadVerifyAfterProgram(store));
    StoreVerifyAfterProgram(store, true);
    EXPECT_EQ(store.GetText("Settings", "verifyafterprogram", ""), "True");
    EXPECT_TRUE(ReadVerifyAfterProgram(store));
    StoreVerifyAfterProgram(store, false);
    EXPECT_FALSE(ReadVerifyAfterProgram(store));
    store.SetText("Settings", "verifyafterprogram", "maybe");
    EXPECT_FALSE(ReadVerifyAfterProgram(store));
}

}  // namespace
}  // namespace tq530
