// tq530-cli backups over a folder that holds more than backups, and nr6120-sim refusing
// numbers it cannot use.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/cli_run.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class CliBackupsTest : public ::testing::Test {
  protected:
    CliBackupsTest() {
        WriteFile(dir.File("global.ini"), "[model1]\r\nuse=1\r\natis=true\r\n");
        setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
        backups = dir.File("data/TQ530/backups");
    }
    ~CliBackupsTest() override { unsetenv("XDG_DATA_HOME"); }
    testing::CliResult Run(const std::string& args) const {
        return testing::RunProgramIn(dir.Path(), "tq530-cli", "--program-dir . " + args);
    }

    testing::ScratchDir dir;
    std::string backups;
};

TEST_F(CliBackupsTest, ListsOnlyImagesAndPrintsNamesSafely) {
    namespace fs = std::filesystem;
    ASSERT_EQ(Run("new image.hex").Status, 0);
    const std::string image = ReadFile(dir.File("image.hex"));
    fs::create_directories(backups);
    WriteFile(backups + "/20261206-201851-NR6120-read.hex", image);
    WriteFile(backups + "/20261206-201852-NR\x1b]0;owned\x07-program.hex", image);
    WriteFile(backups + "/20261206-201853-NR6120-read.hex", "x");
    fs::create_symlink("/etc/passwd", backups + "/20261206-201854-NR6120-read.hex");
    const std::string huge = backups + "/20261206-201855-NR6120-read.hex";
    WriteFile(huge, image);
    fs::resize_file(huge, 1024u * 1024 * 1024);  // sparse: it costs no disk

    const testing::CliResult r = Run("backups");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out,
              "Date                 Kind     Model     User MMSI  File\n"
              "2026-12-06 20:18:52  program  NR\\x1b]0;owned\\x07  -          " +
                  backups +
                  "/20261206-201852-NR\\x1b]0;owned\\x07-program.hex\n"
                  "2026-12-06 20:18:51  read     NR6120    -          " +
                  backups + "/20261206-201851-NR6120-read.hex\n");
}

TEST_F(CliBackupsTest, AFileWhereTheFolderShouldBeIsAFailure) {
    namespace fs = std::filesystem;
    testing::CliResult r = Run("backups");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, "No backups in " + backups + "\n");
    fs::create_directories(dir.File("data/TQ530"));
    WriteFile(backups, "not a folder");
    r = Run("backups");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "backups: cannot list " + backups + ": Not a directory\n");
}

TEST_F(CliBackupsTest, TheSimulatorRefusesNumbersItCannotUse) {
    for (const std::string options :
         {"--alter-after-write -1", "--alter-after-write 8192", "--busy -1", "--refuse-sync -2",
          "--model-code 65536", "--second-model-code -2", "--fault refuse@0", "--fault refuse@x",
          "--fault refuse@5-2", "--fault silent@99999999999"}) {
        // One that takes the options starts and is stopped after a second: status 137.
        const std::string command = "cd '" + dir.Path() + "' && timeout -s KILL 1 " +
                                    TQ530_BIN_DIR + "/nr6120-sim --image radio.hex " + options +
                                    " >stdout 2>stderr </dev/null";
        const int raw = std::system(command.c_str());
        testing::CliResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "",
                             ReadFile(dir.File("stderr"))};
        EXPECT_EQ(r.Status, 2) << options << ": " << r.Err;
        EXPECT_NE(r.Err, "") << options;
    }
}

TEST_F(CliBackupsTest, TheSimulatorRefusesALogItWouldWaitOn) {
    // A FIFO with no reader held the simulator before its first answer.
    ASSERT_EQ(mkfifo(dir.File("log").c_str(), 0600), 0);
    const std::string command = "cd '" + dir.Path() + "' && timeout -s KILL 5 " + TQ530_BIN_DIR +
                                "/nr6120-sim --speed-log log >stdout 2>stderr </dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_NE(ReadFile(dir.File("stderr")).find("log: Not a regular file"), std::string::npos);
}

}  // namespace
}  // namespace tq530
