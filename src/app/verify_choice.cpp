#include "app/verify_choice.h"

#include "files/number_text.h"

namespace tq530 {

namespace {
constexpr const char* kSection = "Settings";
constexpr const char* kKey = "verifyafterprogram";
}  // namespace

bool ReadVerifyAfterProgram(const SettingsStore& store) {
    return ParseBoolText(store.GetText(kSection, kKey, "False")).value_or(false);
}

void StoreVerifyAfterProgram(SettingsStore& store, bool on) {
    store.SetText(kSection, kKey, on ? "True" : "False");
}

}  // namespace tq530
