// The INI store of the per-user settings: what one run writes, the next reads back unchanged;
// a file edited by hand reads as a person means it; a file that cannot be written loses
// nothing for the run.
#include "app/ini_settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

TEST(IniSettingsStore, WhatOneRunWritesTheNextReadsBackUnchanged) {
    const ScratchDir dir;
    const std::string path = dir.File("roaming/TQ530/TQ530.ini");  // folders made on write
    const std::vector<std::pair<std::string, std::string>> values = {
        {"ComNum", "3"},
        {"padded", "  two spaces each side  "},
        {"quoted", "\"as typed\""},
        {"folder", "C:\\Users\\me\\radio\\"},
        {"lines", "one\ntwo\r\nthree"},
        {"equals", "a=b=c"},
        {"empty", ""},
    };
    {
        IniSettingsStore store(path);
        for (const auto& [key, value] : values) {
            store.SetText("ComPath", key, value);
        }
        store.SetText("IniFilePath", "IniFileName_1", "usa");
        store.SetText("Settings", "lastmodel", "11");
        store.SetText("Settings", "lastmodel", "1");  // the later value wins
    }
    const IniSettingsStore next(path);
    for (const auto& [key, value] : values) {
        EXPECT_EQ(next.GetText("ComPath", key, "unset"), value) << key;
    }
    EXPECT_EQ(next.GetText("IniFilePath", "IniFileName_1", ""), "usa");
    EXPECT_EQ(next.GetText("Settings", "lastmodel", ""), "1");
    EXPECT_EQ(next.GetText("Settings", "ComNum", "default"), "default");  // other section
    EXPECT_EQ(next.GetText("Nowhere", "lastmodel", "default"), "default");
    // One line per value: a value's line break never starts a line of its own.
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("lines=one\\ntwo\\r\\nthree\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Settings]\nlastmodel=1\n"), std::string::npos) << text;
}

TEST(IniSettingsStore, AFileEditedByHandReadsAsMeant) {
    const ScratchDir dir;
    const std::string path = dir.File("TQ530.ini");
    WriteFile(path,
              "; kept by tq530-cli\r\n"
              "stray=before any section\r\n"
              "  [ ComPath ]  \r\n"
              "  ComNum =  2 \r\n"
              "no equals sign here\r\n"
              "=no key\r\n"
              "\r\n"
              "[Settings]\n"
              "# a note\n"
              "backups=D:\\tq530\\new\\x\n"
              "name=\"  spaced  \"\n"
              "lastmodel=11");  // no line break at the end
    const IniSettingsStore store(path);
    EXPECT_EQ(store.GetText("ComPath", "ComNum", ""), "2");
    EXPECT_EQ(store.GetText("", "stray", ""), "before any section");
    EXPECT_EQ(store.GetText("ComPath", "no equals sign here", "unset"), "unset");
    EXPECT_EQ(store.GetText("ComPath", "", "unset"), "unset");
    // A backslash that escapes nothing of ours stays; "\n" is a line break.
    EXPECT_EQ(store.GetText("Settings", "backups", ""), "D:\\tq530\new\\x");
    EXPECT_EQ(store.GetText("Settings", "name", ""), "  spaced  ");
    EXPECT_EQ(store.GetText("Settings", "lastmodel", ""), "11");
}

TEST(IniSettingsStore, AFileThatCannotBeWrittenLosesNothingForTheRun) {
    const ScratchDir dir;
    IniSettingsStore intoFolder(dir.Path());  // a folder where the file should be
    intoFolder.SetText("ComPath", "ComNum", "4");
    EXPECT_EQ(intoFolder.GetText("ComPath", "ComNum", "1"), "4");

    IniSettingsStore nowhere("");
    nowhere.SetText("Settings", "lastmodel", "11");
    EXPECT_EQ(nowhere.GetText("Settings", "lastmodel", "1"), "11");

    // A missing file and one that is no settings file at all read as empty.
    EXPECT_EQ(IniSettingsStore(dir.File("missing.ini")).GetText("ComPath", "ComNum", "1"), "1");
    WriteFile(dir.File("binary.ini"), std::string("\0\xff[\x01=", 5));
    EXPECT_EQ(IniSettingsStore(dir.File("binary.ini")).GetText("ComPath", "ComNum", "1"), "1");
}

// Sets a variable for the test's length and puts back what was there.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = had_ ? old : "";
        setenv(name, value, 1);
    }
    ~EnvVar() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    bool had_;
    std::string old_;
};

TEST(IniSettingsStore, TheFileLivesUnderRoamingAppDataElseTheUserDataFolder) {
    const EnvVar data("XDG_DATA_HOME", "/home/me/.data");
    {
        const EnvVar roaming("APPDATA", "/home/me/AppData/Roaming");
        EXPECT_EQ(DefaultIniSettingsPath(), "/home/me/AppData/Roaming/TQ530/TQ530.ini");
    }
    const EnvVar emptyRoaming("APPDATA", "");
    EXPECT_EQ(DefaultIniSettingsPath(), "/home/me/.data/TQ530/TQ530.ini");
}

}  // namespace
}  // namespace tq530
