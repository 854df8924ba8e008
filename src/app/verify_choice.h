// The user's choice "Verify after Program", kept in the per-user settings: off until the user
// turns it on, so that a program sends what it always sent.
#pragma once

#include "app/settings_store.h"

namespace tq530 {

// "Settings"/"verifyafterprogram", written "True" or "False"; a text that is no truth value
// reads as off.
bool ReadVerifyAfterProgram(const SettingsStore& store);
void StoreVerifyAfterProgram(SettingsStore& store, bool on);

}  // namespace tq530
