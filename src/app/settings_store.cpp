#include "app/settings_store.h"

namespace tq530 {

std::string MemorySettingsStore::GetText(const std::string& section, const std::string& key,
                                         const std::string& defaultText) const {
    const auto it = values_.find({section, key});
    return it == values_.end() ? defaultText : it->second;
}

void MemorySettingsStore::SetText(const std::string& section, const std::string& key,
                                  const std::string& value) {
    values_[{section, key}] = value;
}

bool MemorySettingsStore::Has(const std::string& section, const std::string& key) const {
    return values_.count({section, key}) != 0;
}

}  // namespace tq530
