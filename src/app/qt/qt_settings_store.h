// The per-user settings in the platform's own store (registry, plist or ~/.config), under the
// organisation and application "TQ530".
#pragma once

#include <memory>

#include "app/settings_store.h"

class QSettings;

namespace tq530 {

class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    std::string GetText(const std::string& section, const std::string& key,
                        const std::string& defaultText) const override;
    void SetText(const std::string& section, const std::string& key,
                 const std::string& value) override;

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tq530
