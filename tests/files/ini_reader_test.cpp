#include "files/ini_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/scratch_dir.h"

namespace tq530 {
namespace {

TEST(IniReaderTest, SectionAndKeyMatchInAnyCaseWithBlanksAround) {
    const std::string text = "[Model1]\r\n  USE = 1 \r\n[model2]\r\nuse=0\r\n";
    EXPECT_EQ(PrivateProfileLookup(text, "model1", "use", "<NONE>", 128), "1");
    EXPECT_EQ(PrivateProfileLookup(text, "MODEL2", "Use", "<NONE>", 128), "0");
    EXPECT_EQ(PrivateProfileLookup(text, "model3", "use", "<NONE>", 128), "<NONE>");
    EXPECT_EQ(PrivateProfileLookup(text, "model1", "atis", "<NONE>", 128), "<NONE>");
}

TEST(IniReaderTest, FirstSectionAndFirstKeyOfANameWin) {
    const std::string text = "[a]\nk=1\nk=2\n[b]\nk=3\n[a]\nk=4\nother=5\n";
    EXPECT_EQ(PrivateProfileLookup(text, "a", "k", "", 128), "1");
    // A second section of the same name is never looked into.
    EXPECT_EQ(PrivateProfileLookup(text, "a", "other", "none", 128), "none");
}

TEST(IniReaderTest, EnclosingQuotesGoAndLongValuesAreCut) {
    EXPECT_EQ(PrivateProfileLookup("[s]\nk=\"quoted text\"\n", "s", "k", "", 128), "quoted text");
    EXPECT_EQ(PrivateProfileLookup("[s]\nk='x\"\n", "s", "k", "", 128), "'x\"");
    const std::string longValue(200, 'v');
    EXPECT_EQ(PrivateProfileLookup("[s]\nk=" + longValue + "\n", "s", "k", "", 128),
              std::string(127, 'v'));
}

TEST(IniReaderTest, ReadIniStringMapsNoneAndOneLeadingHash) {
    testing::ScratchDir dir;
    const std::string path = dir.File("settings.dat");
    testing::WriteFile(path,
                       "[MAIN]\r\nMODEL=#NR6120\r\nTWICE=##x\r\nEMPTY=\r\nMODELTYPE=1\r\n"
                       "NUL=ab\0cd\r\nLITERAL=<NONE>\r\n");
    EXPECT_EQ(ReadIniString(path, "MAIN", "MODEL"), "NR6120");
    EXPECT_EQ(ReadIniString(path, "MAIN", "TWICE"), "#x");
    EXPECT_EQ(ReadIniString(path, "main", "modeltype"), "1");
    EXPECT_EQ(ReadIniString(path, "MAIN", "EMPTY"), "");
    EXPECT_EQ(ReadIniString(path, "MAIN", "MISSING"), "");
    EXPECT_EQ(ReadIniString(path, "MAIN", "LITERAL"), "");
    EXPECT_EQ(ReadIniString(dir.File("absent.ini"), "MAIN", "MODEL"), "");
}

TEST(IniReaderTest, ValueIsCutAtNul) {
    testing::ScratchDir dir;
    const std::string path = dir.File("nul.ini");
    testing::WriteFile(path, std::string("[s]\r\nk=ab\0cd\r\n", 14));
    EXPECT_EQ(ReadIniString(path, "s", "k"), "ab");
}

TEST(IniReaderTest, WhatIsNoReadableFileHasNoValues) {
    testing::ScratchDir dir;
    // global.ini as a folder, a FIFO nobody writes to, an endless device: "" every time,
    // at once, and without an exception.
    std::filesystem::create_directory(dir.File("global.ini"));
    ASSERT_EQ(mkfifo(dir.File("fifo.ini").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.ini"));
    for (const char* name : {"global.ini", "fifo.ini", "zero.ini", "missing.ini"}) {
        EXPECT_EQ(ReadIniString(dir.File(name), "model1", "use"), "") << name;
    }
    testing::WriteFile(dir.File("real.ini"), "[model1]\r\nuse=1\r\n");
    EXPECT_EQ(ReadIniString(dir.File("real.ini"), "model1", "use"), "1");
}

}  // namespace
}  // namespace tq530
