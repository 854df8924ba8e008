#include "core/error_log.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <regex>

#include "core/platform_file.h"
#include "core/workspace.h"
#include "support/fifo_deadline.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

// Points the per-user data folder at folder for the life of the object.
class DataHomeAt {
  public:
    explicit DataHomeAt(const std::string& folder) {
        const char* old = std::getenv("XDG_DATA_HOME");
        had_ = old != nullptr;
        old_ = had_ ? old : "";
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~DataHomeAt() {
        if (had_) {
            setenv("XDG_DATA_HOME", old_.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

  private:
    bool had_ = false;
    std::string old_;
};

TEST(ErrorLogTest, NormalModeCreatesNoFile) {
    ScratchDir dir;
    Workspace ws;
    ws.ProgramDir = dir.Path();
    ws.DiagnosticMode = false;
    LogError(ws, "frmMain.SaveFileAs", "61Disk full");
    EXPECT_FALSE(Exists(dir.File("err.log")));
}

TEST(ErrorLogTest, DiagnosticModeAppendsCrLfLinesOldestFirst) {
    ScratchDir dir;
    testing::WriteFile(dir.File("err.log"), "earlier line\r\n");
    Workspace ws;
    ws.ProgramDir = dir.Path();
    ws.DiagnosticMode = true;
    LogError(ws, "frmRadio.PortOpen", "8002Invalid port number");
    LogError(ws, "frmMain.FileRead2", "53File not found");

    const std::string log = ReadFile(dir.File("err.log"));
    const std::regex form(
        "earlier line\r\n"
        R"(\d{4}-\d{2}-\d{2},\d{2}:\d{2}:\d{2}:frmRadio\.PortOpen -> 8002Invalid port number)"
        "\r\n"
        R"(\d{4}-\d{2}-\d{2},\d{2}:\d{2}:\d{2}:frmMain\.FileRead2 -> 53File not found)"
        "\r\n");
    EXPECT_TRUE(std::regex_match(log, form)) << log;
}

TEST(ErrorLogTest, ALogThatIsNoRegularFileIsPassedOverWithoutWaiting) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.File("err.log").c_str(), 0644), 0);
    Workspace ws;
    ws.ProgramDir = dir.Path();
    ws.DiagnosticMode = true;
    EXPECT_TRUE(testing::FinishesWithoutReader(
        {dir.File("err.log")}, [&] { LogError(ws, "frmMain.SaveFileAs", "28No space"); }));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("err.log")));

    // The same refusal where the log is appended, for a folder too; a regular file is
    // created or appended to.
    FileError error;
    EXPECT_FALSE(AppendToRegularFile(dir.File("err.log"), "line", error));
    EXPECT_EQ(error.Text, "Not a regular file");
    EXPECT_FALSE(AppendToRegularFile(dir.Path(), "line", error));
    EXPECT_EQ(error.Number, EISDIR);
    ASSERT_TRUE(AppendToRegularFile(dir.File("other.log"), "one\r\n", error));
    ASSERT_TRUE(AppendToRegularFile(dir.File("other.log"), "two\r\n", error));
    EXPECT_EQ(ReadFile(dir.File("other.log")), "one\r\ntwo\r\n");
}

TEST(ErrorLogTest, UnwritableProgramFolderLogsToUserDataFolder) {
    ScratchDir programDir;
    ScratchDir home;
    chmod(programDir.Path().c_str(), 0555);
    chmod(home.Path().c_str(), 0777);

    Workspace ws;
    ws.ProgramDir = programDir.Path();
    ws.DiagnosticMode = true;
    {
        const DataHomeAt data(home.Path());
        testing::AsUnprivileged nobody;
        EXPECT_EQ(ErrorLogPath(ws), home.Path() + "/TQ530/err.log");
        LogError(ws, "frmMain.SaveFileAs", "75Path/File access error");
    }
    EXPECT_FALSE(Exists(programDir.File("err.log")));
    EXPECT_NE(ReadFile(home.Path() + "/TQ530/err.log").find("frmMain.SaveFileAs -> 75Path"),
              std::string::npos);
}

TEST(ErrorLogTest, WritableLogInAReadOnlyProgramFolderIsAppended) {
    ScratchDir programDir;
    ScratchDir home;
    WriteFile(programDir.File("err.log"), "earlier line\r\n");
    chmod(programDir.File("err.log").c_str(), 0666);
    chmod(programDir.Path().c_str(), 0555);

    Workspace ws;
    ws.ProgramDir = programDir.Path();
    ws.DiagnosticMode = true;
    {
        const DataHomeAt data(home.Path());
        testing::AsUnprivileged nobody;
        EXPECT_EQ(ErrorLogPath(ws), programDir.File("err.log"));
        LogError(ws, "frmMain.FileRead2", "21Is a directory");
    }
    const std::string log = ReadFile(programDir.File("err.log"));
    EXPECT_EQ(log.rfind("earlier line\r\n", 0), 0u);
    EXPECT_NE(log.find("frmMain.FileRead2 -> 21Is a directory\r\n"), std::string::npos);
    EXPECT_FALSE(Exists(home.Path() + "/TQ530/err.log"));
}

}  // namespace
}  // namespace tq530
