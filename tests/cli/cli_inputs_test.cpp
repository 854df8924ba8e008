// tq530-cli given what a careless or hostile user gives it: folders, FIFOs and devices for
// files, outputs over inputs, empty or dead ports, a full stdout; and the line of reason it
// adds to each failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "core/version_text.h"
#include "support/cli_run.h"
#include "support/fifo_deadline.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ReadFile;
using testing::WriteFile;

using Result = testing::CliResult;

class CliInputsTest : public ::testing::Test {
  protected:
    CliInputsTest() { WriteFile(dir.File("global.ini"), "[model1]\r\nuse=1\r\natis=true\r\n"); }
    Result Run(const std::string& args, const std::string& stdoutTo = "stdout") const {
        return testing::RunProgramIn(dir.Path(), "tq530-cli", "--program-dir . " + args, stdoutTo);
    }
    std::string File(const std::string& name) const { return dir.File(name); }

    testing::ScratchDir dir;
};

constexpr const char* kModelTypeError = "PC Program for NR6120: ModelType Error !!\n";
constexpr const char* kBadFile = "PC Program for NR6120: bad file!!\n";
constexpr const char* kSaveError = "PC Program for NR6120: FileSave Error!!\n";

TEST_F(CliInputsTest, FilesThatAreNoFilesTakeTheUnreadablePath) {
    std::filesystem::create_directory(File("folder.dat"));
    std::filesystem::create_directory(File("folder.hex"));

    Result r = Run("convert folder.dat out.hex");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, std::string(kModelTypeError) + "folder.dat: cannot read: Is a directory\n");
    r = Run("convert folder.hex out.dat");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, std::string(kBadFile) + "folder.hex: cannot open: Is a directory\n");
    EXPECT_FALSE(testing::Exists(File("out.hex")));
    EXPECT_FALSE(testing::Exists(File("out.dat")));

    // global.ini that is a folder offers no model.
    testing::ScratchDir other;
    std::filesystem::create_directory(other.File("global.ini"));
    r = testing::RunProgramIn(other.Path(), "tq530-cli", "--program-dir . new a.hex");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "TQ530: Unknown model!!\n./global.ini: cannot read: Is a directory\n");

    r = testing::RunProgramIn(dir.Path(), "nr6120-sim", "--image folder.hex");
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, "nr6120-sim: folder.hex: Is a directory\n");
}

TEST_F(CliInputsTest, NoCommandWritesOverAnyOfItsInputsUnderAnyName) {
    ASSERT_EQ(Run("new boat.hex").Status, 0);
    ASSERT_EQ(Run("new a.dat").Status, 0);
    ASSERT_EQ(Run("export-csv a.dat t.csv --table usa").Status, 0);
    std::filesystem::create_directory(File("sub"));
    std::filesystem::create_symlink("t.csv", File("link.dat"));
    std::filesystem::create_symlink("boat.hex", File("boat.csv"));
    std::filesystem::create_hard_link(File("t.csv"), File("sub/hard.hex"));
    std::filesystem::create_hard_link(File("a.dat"), File("sub/a.txt"));
    WriteFile(File("other.hex"), "someone's image");
    const std::vector<std::string> inputs = {"boat.hex", "a.dat", "t.csv", "other.hex"};
    std::vector<std::string> before;
    for (const std::string& name : inputs) {
        before.push_back(ReadFile(File(name)));
    }
    const std::string sameFile = ": is the input file; write the output to another file\n";
    const struct {
        const char* Args;
        std::string Err;
    } cases[] = {
        {"export-csv boat.hex boat.hex --table usa",
         "boat.hex: a CSV export is written to a file ending in \".csv\"\n"},
        {"export-csv boat.hex boat.csv --table usa", "boat.csv" + sameFile},
        {"import-csv a.dat t.csv link.dat --table usa", "link.dat" + sameFile},
        {"import-csv a.dat t.csv sub/hard.hex --table usa", "sub/hard.hex" + sameFile},
        {"convert a.dat sub/../a.dat", "sub/../a.dat" + sameFile},
        {"report a.dat sub/a.txt", "sub/a.txt" + sameFile},
        {"report a.dat other.hex", "other.hex: a report is written to a file ending in \".txt\"\n"},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.Args);
        EXPECT_EQ(r.Status, 2) << c.Args;
        EXPECT_EQ(r.Err, c.Err) << c.Args;
    }
    for (size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(ReadFile(File(inputs[i])), before[i]) << inputs[i];
    }
    EXPECT_TRUE(std::filesystem::is_symlink(File("link.dat")));
    EXPECT_TRUE(std::filesystem::is_symlink(File("boat.csv")));
}

TEST_F(CliInputsTest, OutputsThatAreNoRegularFilesAreRefusedAndNothingWaits) {
    ASSERT_EQ(Run("new a.dat").Status, 0);
    ASSERT_EQ(Run("export-csv a.dat t.csv --table usa").Status, 0);
    for (const char* fifo : {"f.txt", "f.hex", "f.dat", "f.csv", "err.log"}) {
        ASSERT_EQ(mkfifo(File(fifo).c_str(), 0644), 0);
    }
    const std::string refused = ": Not a regular file\n";
    const std::string saveError = std::string(kSaveError);
    const std::string reportError = "PC Program for NR6120: Not a regular file\n";
    // Diagnostic mode logs each failure: into err.log, which is a FIFO too.
    const struct {
        const char* Args;
        std::string Err;
    } cases[] = {
        {"report a.dat f.txt", reportError + "f.txt" + refused},
        {"convert a.dat f.hex", saveError + "f.hex" + refused},
        {"convert a.dat f.txt", reportError + "f.txt" + refused},
        {"new f.dat", saveError + "f.dat" + refused},
        {"import-csv a.dat t.csv f.dat --table usa", saveError + "f.dat" + refused},
        {"export-csv a.dat f.csv --table usa", "Export CSV: f.csv: Not a regular file\n"},
        {"read --port /dev/nonexistent-tty f.dat", saveError + "f.dat" + refused},
        {"new no/such/folder/x.hex",
         saveError + "no/such/folder/x.hex: No such file or directory\n"},
    };
    const std::vector<std::string> fifos = {File("f.txt"), File("f.hex"), File("f.dat"),
                                            File("f.csv"), File("err.log")};
    for (const auto& c : cases) {
        Result r;
        EXPECT_TRUE(testing::FinishesWithoutReader(fifos, [&] {
            r = Run(std::string("--diagnostic ") + c.Args);
        })) << c.Args;
        EXPECT_EQ(r.Status, 1) << c.Args;
        EXPECT_EQ(r.Err, c.Err) << c.Args;
    }
    for (const std::string& fifo : fifos) {
        EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << fifo;
    }
}

TEST_F(CliInputsTest, CommandLineMistakesAreNamed) {
    Result r = Run("frob a.hex");
    EXPECT_EQ(r.Status, 2);
    // Every command is named, in the order of --help.
    EXPECT_EQ(r.Err.rfind("frob: no such command; the commands are new, convert, report, dump, "
                          "read, program, clear",
                          0),
              0u)
        << r.Err;
    EXPECT_EQ(r.Err.back(), '\n');
    for (const char* args :
         {"", "convert a.hex", "--model-type 5 new a.hex", "--atis maybe new a.hex", "new a.bin"}) {
        EXPECT_EQ(Run(args).Status, 2) << args;
    }

    r = Run("--version");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out.rfind("tq530-cli " + ReleaseVersion() + "\n", 0), 0u) << r.Out;
    EXPECT_NE(r.Out.find("GPL-3.0-or-later"), std::string::npos) << r.Out;

    // The global options also after the command.
    r = Run("new m11.dat --model-type 11 --atis off");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(ReadFile(File("m11.dat")).find("MODELTYPE=11\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(File("m11.dat")).find("[ATIS"), std::string::npos);

    // An empty port is no port, not the first serial port of the machine.
    const auto start = std::chrono::steady_clock::now();
    r = Run("read --port '' out.dat");
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, "--port: not a device or COM number: \n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(CliInputsTest, EveryFailureSaysWhyAndWhere) {
    WriteFile(File("short.hex"), std::string(100, '\0'));
    Result r = Run("dump short.hex");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err,
              std::string(kBadFile) + "short.hex: 100 bytes, not a radio image (8192 bytes)\n");

    ASSERT_EQ(Run("new a.hex").Status, 0);
    r = Run("report a.hex", "/dev/full");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "stdout: No space left on device\n");
    r = Run("dump a.hex", "/dev/full");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "stdout: No space left on device\n");
    r = Run("dump a.hex");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 514);
}

TEST_F(CliInputsTest, ReadFindsAnUnwritableOutputBeforeItTalksToTheRadio) {
    // The port does not exist either: a read that tried it would say so.
    const Result r = Run("read --port /dev/nonexistent-tty no/such/folder/out.dat");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err,
              std::string(kSaveError) + "no/such/folder/out.dat: No such file or directory\n");
}

TEST_F(CliInputsTest, PortThatCannotBeOpenedIsNamed) {
    const Result r = Run("read --port /dev/nonexistent-tty out.dat");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Read from Radio: not completed\n/dev/nonexistent-tty: cannot open the "
                         "port: "),
              std::string::npos)
        << r.Err;
    EXPECT_NE(r.Err.find("; check the port name and the cable\n"), std::string::npos) << r.Err;
    EXPECT_FALSE(testing::Exists(File("out.dat")));
}

TEST_F(CliInputsTest, PulledCableIsAFailedPortNotACancel) {
    // A pseudo-terminal whose other end goes away while the programmer waits on it; only
    // the test holds that end.
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string device = ptsname(master);
    std::thread pull([master] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        close(master);
    });
    const Result r = Run("read --port " + device + " out.dat");
    pull.join();
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err.find("cancelled"), std::string::npos) << r.Err;
    // The system's text says how the port failed, the reason line what that means.
    EXPECT_NE(r.Err.find("\n" + device + ": the port failed ("), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("): check the cable\n"), std::string::npos) << r.Err;
}

}  // namespace
}  // namespace tq530
