// Whole-file reads and the replacing write, and the platform services under them.
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/platform_file.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::ScratchDir;

TEST(FileIoTest, ReplacingWriteSwapsTheWholeFileAndLeavesNoTemporary) {
    ScratchDir dir;
    const std::string path = dir.File("data.dat");
    testing::WriteFile(path, std::string(100, 'o'));
    FileError error;
    ASSERT_TRUE(WriteFileReplacing(path, std::string("new\0data", 8), error));
    EXPECT_EQ(ReadFile(path), std::string("new\0data", 8));
    EXPECT_FALSE(Exists(path + ".tq530-tmp"));

    std::string read;
    ASSERT_TRUE(ReadWholeFile(path, read, error));
    EXPECT_EQ(read, std::string("new\0data", 8));
    EXPECT_EQ(FileLength(path), 8);
}

TEST(FileIoTest, FailuresReportTheSystemErrorAndKeepTheOldFile) {
    ScratchDir dir;
    FileError error;
    EXPECT_FALSE(WriteFileReplacing(dir.File("no/such/folder.dat"), "x", error));
    EXPECT_EQ(error.Number, ENOENT);
    EXPECT_EQ(error.Text, std::strerror(ENOENT));

    std::string read = "left alone";
    error = FileError{};
    EXPECT_FALSE(ReadWholeFile(dir.Path(), read, error));  // a folder
    EXPECT_EQ(error.Number, EISDIR);
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), read, error));
    EXPECT_EQ(error.Number, ENOENT);
    EXPECT_EQ(FileLength(dir.Path()), -1);
    EXPECT_EQ(FileLength(dir.File("missing")), -1);

    // A target that is a folder: the temporary is written, the swap fails and is undone.
    std::filesystem::create_directory(dir.File("taken"));
    testing::WriteFile(dir.File("taken/inside"), "kept");
    EXPECT_FALSE(WriteFileReplacing(dir.File("taken"), "x", error));
    EXPECT_FALSE(Exists(dir.File("taken.tq530-tmp")));
    EXPECT_EQ(ReadFile(dir.File("taken/inside")), "kept");
}

TEST(FileIoTest, DevicesAreWrittenInPlace) {
    FileError error;
    EXPECT_TRUE(WriteFileReplacing("/dev/null", "report text", error));
    EXPECT_TRUE(Exists("/dev/null"));
}

TEST(FileIoTest, PathInJoinsInsideTheFolder) {
    EXPECT_EQ(PathIn("", "global.ini"), "./global.ini");
    EXPECT_EQ(PathIn("/opt/tq530", "err.log"), "/opt/tq530/err.log");
    EXPECT_EQ(PathIn("/opt/tq530/", "err.log"), "/opt/tq530/err.log");
    EXPECT_EQ(PathIn("/opt/tq530", "/usa_17E8.ini"), "/opt/tq530/usa_17E8.ini");
}

TEST(PlatformFileTest, ExecutablePathNamesThisTestProgram) {
    const std::filesystem::path self = ExecutablePath();
    EXPECT_TRUE(self.is_absolute()) << self;
    EXPECT_EQ(self.filename(), "tq530_tests");
}

TEST(PlatformFileTest, WritableFolderIsDecidedByTheEffectiveRights) {
    ScratchDir dir;
    EXPECT_TRUE(DirectoryWritable(dir.Path()));
    EXPECT_FALSE(DirectoryWritable(dir.File("missing")));
    std::filesystem::permissions(
        dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    testing::AsUnprivileged nobody;
    EXPECT_FALSE(DirectoryWritable(dir.Path()));
}

}  // namespace
}  // namespace tq530
