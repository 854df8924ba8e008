// The recent-file list: order, length, pruning, and what survives a restart.
#include "app/recent_files.h"

#include <gtest/gtest.h>

#include <set>

#include "app/settings_store.h"
#include "app/window_command_line.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

struct FakeDisk {
    std::set<std::string> Files;
    FileExists Exists() const {
        return [this](const std::string& path) { return Files.count(path) != 0; };
    }
};

TEST(RecentFilesTest, NewestFirstOnceEachAtMostEight) {
    MemorySettingsStore store;
    FakeDisk disk;
    for (int i = 1; i <= 10; ++i) {
        disk.Files.insert("/d/f" + std::to_string(i) + ".dat");
        NoteRecentFile(store, "/d/f" + std::to_string(i) + ".dat", disk.Exists());
    }
    // Opened again: moves to the front instead of appearing twice; another spelling of the
    // same path counts as the same file.
    const auto files = NoteRecentFile(store, "/d/x/../f5.dat", disk.Exists());
    const std::vector<std::string> expected = {"/d/f5.dat", "/d/f10.dat", "/d/f9.dat", "/d/f8.dat",
                                               "/d/f7.dat", "/d/f6.dat",  "/d/f4.dat", "/d/f3.dat"};
    EXPECT_EQ(files, expected);
    // What a restart reads back from the per-user store.
    EXPECT_EQ(ReadRecentFiles(store, disk.Exists()), expected);
}

TEST(RecentFilesTest, FilesThatAreGoneLeaveTheList) {
    MemorySettingsStore store;
    FakeDisk disk;
    disk.Files = {"/a.dat", "/b.hex", "/c.dat"};
    for (const char* path : {"/a.dat", "/b.hex", "/c.dat"}) {
        NoteRecentFile(store, path, disk.Exists());
    }
    disk.Files.erase("/b.hex");
    EXPECT_EQ(ReadRecentFiles(store, disk.Exists()),
              (std::vector<std::string>{"/c.dat", "/a.dat"}));
    // The next note stores the pruned list: a file that comes back later stays out.
    NoteRecentFile(store, "/c.dat", disk.Exists());
    disk.Files.insert("/b.hex");
    EXPECT_EQ(ReadRecentFiles(store, disk.Exists()),
              (std::vector<std::string>{"/c.dat", "/a.dat"}));
}

TEST(RecentFilesTest, RealFilesOnDisk) {
    testing::ScratchDir dir;
    MemorySettingsStore store;
    testing::WriteFile(dir.File("boat.dat"), "[MAIN]\r\n");
    NoteRecentFile(store, dir.File("boat.dat"));
    NoteRecentFile(store, dir.Path());  // a folder is no data set
    EXPECT_EQ(ReadRecentFiles(store), std::vector<std::string>{dir.File("boat.dat")});
}

TEST(RecentFilesTest, CaptionsCarryNumberedAccessKeys) {
    EXPECT_EQ(RecentFileCaption(0, "/home/u/Documents/myboat.dat"), "&1 myboat.dat");
    EXPECT_EQ(RecentFileCaption(7, "/x/Tom & Jerry.hex"), "&8 Tom && Jerry.hex");
}

TEST(WindowFileArgumentTest, ADataSetNamedBesideTheSwitchesIsOpenedNotReadAsASwitch) {
    const auto parse = [](std::vector<std::string> args) { return ParseWindowCommandLine(args); };
    auto line = parse({"boat.dat"});
    EXPECT_EQ(line.FileToOpen, "boat.dat");
    EXPECT_EQ(line.SwitchLine, "");
    line = parse({"/D", "/home/u/Radio.HEX"});
    EXPECT_EQ(line.FileToOpen, "/home/u/Radio.HEX");
    EXPECT_EQ(line.SwitchLine, "/D");
    // Words that name no file stay in the switch line, where they select nothing as before.
    line = parse({"D", "/E"});
    EXPECT_EQ(line.FileToOpen, "");
    EXPECT_EQ(line.SwitchLine, "D /E");
    // An existing file of another kind is still the file to open (and then refused).
    testing::ScratchDir dir;
    testing::WriteFile(dir.File("notes.txt"), "x");
    EXPECT_EQ(parse({dir.File("notes.txt")}).FileToOpen, dir.File("notes.txt"));
}

}  // namespace
}  // namespace tq530
