#include "app/destinations.h"

#include <gtest/gtest.h>

#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::RecordingHost;
using testing::ScratchDir;

// A factory image the acceptance check takes, with a marker byte to recognise it by.
std::string DestinationImage(uint8_t marker) {
    std::string bytes(kImageSize, '\0');
    bytes[0] = bytes[8190] = '\x17';
    bytes[1] = bytes[8191] = '\xE8';
    bytes[4000] = static_cast<char>(marker);
    return bytes;
}

class DestinationsTest : public ::testing::Test {
  protected:
    DestinationsTest() {
        ws.ProgramDir = dir.Path();
        ws.SetModelType(1);
    }
    void AddFile(const std::string& name, const std::string& bytes) {
        testing::WriteFile(dir.File(name), bytes);
    }
    std::vector<std::string> VisibleCaptions() const {
        std::vector<std::string> captions;
        for (const MenuEntry& entry : menu.Entries) {
            if (entry.Visible) {
                captions.push_back(entry.Caption);
            }
        }
        return captions;
    }

    ScratchDir dir;
    Workspace ws;
    MemorySettingsStore store;
    RecordingHost host;
    DestinationMenu menu;
};

TEST_F(DestinationsTest, SuffixAndFileNames) {
    EXPECT_EQ(DestinationSuffix(1), "_17E8");
    EXPECT_EQ(DestinationSuffix(11), "-M_17E8");
    EXPECT_EQ(DestinationSuffix(3), "");
    EXPECT_EQ(DestinationFileName(ws, "USA"), dir.File("USA_17E8.ini"));
    EXPECT_EQ(DestinationFileName(ws, "eur-m"), dir.File("eur_17E8.ini"));
    EXPECT_EQ(DestinationFileName(ws, "-M"), dir.File("-M_17E8.ini"));
    ws.SetModelType(11);
    EXPECT_EQ(DestinationFileName(ws, "USA-M"), dir.File("USA-M_17E8.ini"));
    EXPECT_EQ(DestinationNameOf("usa-M_17E8.ini"), "USA-M");
    EXPECT_EQ(DestinationNameOf("a_b_17E8.ini"), "A");
}

TEST_F(DestinationsTest, NamesSortedIgnoringCaseAndRememberedOneLoaded) {
    AddFile("usa_17E8.ini", DestinationImage(0x11));
    AddFile("Eur_17E8.ini", DestinationImage(0x22));
    AddFile("global.ini", "[model1]\nuse=1\n");
    AddFile("uk-M_17E8.ini.bak", DestinationImage(0x33));
    BuildDestinationMenu(ws, store, host, menu);

    EXPECT_TRUE(menu.Enabled);
    EXPECT_EQ(VisibleCaptions(), (std::vector<std::string>{"EUR", "USA"}));
    EXPECT_EQ(menu.CheckedIndex(), 1);  // nothing remembered: "usa"
    EXPECT_EQ(ws.Image[4000], 0x11);
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(DestinationsTest, TwelveFilesGiveTenEntriesAndTheEleventhStaysHidden) {
    for (char c = 'a'; c < 'a' + 12; ++c) {
        AddFile(std::string(1, c) + "_17E8.ini", DestinationImage(0));
    }
    BuildDestinationMenu(ws, store, host, menu);
    EXPECT_EQ(VisibleCaptions(),
              (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}));
    EXPECT_FALSE(menu.Entries[10].Visible);
    EXPECT_EQ(menu.Entries[10].Caption, "");
    EXPECT_EQ(menu.CheckedIndex(), -1);  // "usa" is not among them
}

TEST_F(DestinationsTest, NoFilesLeaveTheMenuDisabledAndTheDefaults) {
    const RadioImage before = ws.Image;
    AddFile("usa-M_17E8.ini.txt", DestinationImage(1));
    BuildDestinationMenu(ws, store, host, menu);
    EXPECT_FALSE(menu.Enabled);
    EXPECT_TRUE(ws.Image == before);
}

TEST_F(DestinationsTest, NrM6120FilesCarryTheMSuffixInTheirNames) {
    ws.SetModelType(11);
    AddFile("usa-M_17E8.ini", DestinationImage(0x44));
    AddFile("usa_17E8.ini", DestinationImage(0x55));
    store.SetText("IniFilePath", "IniFileName_11", "USA-M");
    BuildDestinationMenu(ws, store, host, menu);
    EXPECT_EQ(VisibleCaptions(), (std::vector<std::string>{"USA-M"}));
    EXPECT_EQ(ws.Image[4000], 0x44);
    // The remembered name loses its "-M" before it is compared with the captions.
    EXPECT_EQ(menu.CheckedIndex(), -1);
}

TEST_F(DestinationsTest, RefusedFileIsSilentAtStartUp) {
    std::string wrong = DestinationImage(0x66);
    wrong[8191] = '\xE9';
    AddFile("usa_17E8.ini", wrong);
    AddFile("eur_17E8.ini", DestinationImage(0x77) + "x");  // one byte too long
    const RadioImage before = ws.Image;
    BuildDestinationMenu(ws, store, host, menu);
    EXPECT_TRUE(menu.Enabled);
    EXPECT_EQ(menu.CheckedIndex(), -1);
    EXPECT_TRUE(ws.Image == before);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_FALSE(LoadDestinationImage(ws, host, dir.File("eur_17E8.ini")));
}

TEST_F(DestinationsTest, ChoosingARefusedFileReportsAndRestoresTheCheck) {
    AddFile("usa_17E8.ini", DestinationImage(0x11));
    std::string wrong = DestinationImage(0x22);
    wrong[0] = '\x00';
    AddFile("eur_17E8.ini", wrong);
    BuildDestinationMenu(ws, store, host, menu);
    ASSERT_EQ(menu.CheckedIndex(), 1);

    host.Answers.push_back(Answer::Ok);
    ChooseDestination(ws, store, host, menu, 0);
    ASSERT_EQ(host.Questions.size(), 1u);
    EXPECT_EQ(host.Questions[0], "Do you want to change to EUR?");
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "IniFileRead Error!!");
    EXPECT_EQ(host.Messages[0].Title, "PC Program for NR6120");
    EXPECT_EQ(menu.CheckedIndex(), 1);
    EXPECT_NE(ws.Image[4000], 0x11);  // the data are the built-in defaults now
    EXPECT_EQ(store.GetText("IniFilePath", "IniFileName_1", "none"), "none");
}

TEST_F(DestinationsTest, SecondUnderscoreNamesAFileThatMayNotExist) {
    AddFile("a_b_17E8.ini", DestinationImage(0x11));
    BuildDestinationMenu(ws, store, host, menu);
    ASSERT_EQ(VisibleCaptions(), (std::vector<std::string>{"A"}));
    host.Answers.push_back(Answer::Ok);
    ChooseDestination(ws, store, host, menu, 0);
    EXPECT_EQ(host.MessageTexts(), (std::vector<std::string>{"IniFileRead Error!!"}));
    EXPECT_EQ(menu.CheckedIndex(), -1);
}

TEST_F(DestinationsTest, ChosenDestinationIsLoadedAndRemembered) {
    AddFile("usa_17E8.ini", DestinationImage(0x11));
    AddFile("eur_17E8.ini", DestinationImage(0x22));
    BuildDestinationMenu(ws, store, host, menu);

    host.Answers.push_back(Answer::Cancel);
    ChooseDestination(ws, store, host, menu, 0);
    EXPECT_EQ(ws.Image[4000], 0x11);  // cancelled: nothing happens

    host.Answers.push_back(Answer::Ok);
    ws.DataChanged = true;
    ChooseDestination(ws, store, host, menu, 0);
    EXPECT_EQ(ws.Image[4000], 0x22);
    EXPECT_EQ(menu.CheckedIndex(), 0);
    EXPECT_FALSE(ws.DataChanged);
    EXPECT_EQ(store.GetText("IniFilePath", "IniFileName_1", ""), "EUR");
    EXPECT_TRUE(host.Messages.empty());

    // The checked entry reloads without a question and discards edits.
    const size_t questions = host.Questions.size();
    ws.DataChanged = true;
    ws.Image[4000] = 0;
    ChooseDestination(ws, store, host, menu, 0);
    EXPECT_EQ(host.Questions.size(), questions);
    EXPECT_EQ(ws.Image[4000], 0x22);
    EXPECT_FALSE(ws.DataChanged);

    // The next new-data sequence brings the remembered destination back.
    NewDataSet(ws, store, host, menu);
    EXPECT_EQ(ws.Image[4000], 0x22);
    EXPECT_EQ(menu.CheckedIndex(), 0);
}

}  // namespace
}  // namespace tq530
