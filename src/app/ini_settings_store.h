// The per-user settings in an INI file of their own, for builds without the toolkit's store
// (the command line on Windows keeps them in %APPDATA%\TQ530\TQ530.ini). The file can be read
// and edited by hand: "[Section]" lines, "key=value" lines, spaces around both ignored.
#pragma once

#include <map>
#include <string>

#include "app/settings_store.h"

namespace tq530 {

class IniSettingsStore : public SettingsStore {
  public:
    // Reads what path holds now; a missing or unreadable file holds nothing. An empty path
    // keeps the settings for this run only.
    explicit IniSettingsStore(std::string path);

    std::string GetText(const std::string& section, const std::string& key,
                        const std::string& defaultText) const override;
    // Writes the whole file at once, making its folder when missing. A file that cannot be
    // written loses nothing else: the value holds for this run, as a store that cannot save
    // must let the program go on.
    void SetText(const std::string& section, const std::string& key,
                 const std::string& value) override;

    // The file's text for the values, and the values a text holds (what parsing made of it,
    // for a file written by hand).
    using Values = std::map<std::string, std::map<std::string, std::string>>;
    static std::string Format(const Values& values);
    static Values Parse(const std::string& text);

  private:
    std::string path_;
    Values values_;
};

// The file the command line keeps its settings in: TQ530\TQ530.ini under %APPDATA%, else
// under the per-user data folder; "" when the environment names neither.
std::string DefaultIniSettingsPath();

}  // namespace tq530
