// The per-user settings: small text values under a section and a key (last model, serial
// port, remembered destination per model, window geometry). The platform's own store keeps
// them between runs; tests use the in-memory one.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace tq530 {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultText when the key was never written.
    virtual std::string GetText(const std::string& section, const std::string& key,
                                const std::string& defaultText) const = 0;
    virtual void SetText(const std::string& section, const std::string& key,
                         const std::string& value) = 0;
};

class MemorySettingsStore : public SettingsStore {
  public:
    std::string GetText(const std::string& section, const std::string& key,
                        const std::string& defaultText) const override;
    void SetText(const std::string& section, const std::string& key,
                 const std::string& value) override;
    bool Has(const std::string& section, const std::string& key) const;

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace tq530
