// Where the programs look for global.ini: beside themselves, else in the installed data folder.
#include "core/program_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

// A prefix as `cmake --install` lays it out: bin/ and share/tq530/.
struct InstalledTree {
    ScratchDir root;
    std::string bin = root.File("bin");
    std::string data = root.File("share/tq530");
    InstalledTree() {
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(data);
    }
};

TEST(ProgramDirTest, AFolderHoldingGlobalIniIsTheProgramFolderEvenBesideAnInstallation) {
    InstalledTree tree;
    WriteFile(tree.data + "/global.ini", "[model1]\nuse=1\n");
    WriteFile(tree.bin + "/global.ini", "[model1]\nuse=1\n");
    EXPECT_EQ(ProgramDirFor(tree.bin), tree.bin);
}

TEST(ProgramDirTest, AnInstalledProgramFindsItsDataFolder) {
    InstalledTree tree;
    WriteFile(tree.data + "/global.ini", "[model1]\nuse=1\n");
    EXPECT_EQ(ProgramDirFor(tree.bin), tree.data);
    EXPECT_EQ(InstalledDataDirFrom(tree.bin), tree.data);
}

TEST(ProgramDirTest, WithGlobalIniNowhereTheExecutablesFolderStays) {
    InstalledTree tree;
    EXPECT_EQ(ProgramDirFor(tree.bin), tree.bin);
    // A folder called global.ini is no settings file.
    std::filesystem::create_directories(tree.data + "/global.ini");
    EXPECT_EQ(ProgramDirFor(tree.bin), tree.bin);
}

TEST(ProgramDirTest, TheRunningTestFindsItsOwnFolder) {
    // The tests run from tests-bin/, which holds no global.ini and has no share/ beside it.
    const std::string dir = DefaultProgramDir();
    EXPECT_EQ(std::filesystem::path(dir).filename(), "tests-bin");
}

}  // namespace
}  // namespace tq530
