// Whole-file reads and the replacing write, and the platform services under them.
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/platform_file.h"
#include "support/fifo_deadline.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::ScratchDir;

size_t EntriesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(FileIoTest, ReplacingWriteSwapsTheWholeFileAndLeavesNoTemporary) {
    ScratchDir dir;
    const std::string path = dir.File("data.dat");
    testing::WriteFile(path, std::string(100, 'o'));
    FileError error;
    ASSERT_TRUE(WriteFileReplacing(path, std::string("new\0data", 8), error));
    EXPECT_EQ(ReadFile(path), std::string("new\0data", 8));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

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

TEST(FileIoTest, OnlyRegularFilesOfASettingsFileSizeAreRead) {
    ScratchDir dir;
    std::string read = "left alone";
    FileError error;
    // A FIFO is refused before it is opened: opening it would wait for a writer for ever.
    ASSERT_EQ(mkfifo(dir.File("fifo.dat").c_str(), 0644), 0);
    EXPECT_FALSE(ReadWholeFile(dir.File("fifo.dat"), read, error));
    EXPECT_EQ(error.Text, "Not a regular file");
    EXPECT_FALSE(CheckInputFile(dir.File("fifo.dat"), error));
    // A device without end, also behind a link.
    std::filesystem::create_symlink("/dev/zero", dir.File("zero.dat"));
    EXPECT_FALSE(ReadWholeFile(dir.File("zero.dat"), read, error));
    EXPECT_EQ(error.Text, "Not a regular file");
    EXPECT_EQ(read, "left alone");

    testing::WriteFile(dir.File("big.dat"), std::string(kMaxInputFileSize + 1, 'x'));
    EXPECT_FALSE(ReadWholeFile(dir.File("big.dat"), read, error));
    EXPECT_EQ(error.Number, EFBIG);
    EXPECT_EQ(error.Text, "File too large (the limit is 4194304 bytes)");
    testing::WriteFile(dir.File("limit.dat"), std::string(kMaxInputFileSize, 'x'));
    EXPECT_TRUE(ReadWholeFile(dir.File("limit.dat"), read, error));
    EXPECT_EQ(read.size(), static_cast<size_t>(kMaxInputFileSize));
}

TEST(FileIoTest, SaveNeverWritesThroughAPlantedTemporary) {
    ScratchDir dir;
    const std::string path = dir.File("data.dat");
    testing::WriteFile(path, "old");
    testing::WriteFile(dir.File("victim"), "precious");
    // Where the temporary of a save used to be: a link to someone else's file.
    std::filesystem::create_symlink(dir.File("victim"), path + ".tq530-tmp");
    FileError error;
    ASSERT_TRUE(WriteFileReplacing(path, "new", error)) << error.Text;
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(ReadFile(dir.File("victim")), "precious");
    EXPECT_EQ(EntriesIn(dir.Path()), 3u);  // data.dat, the victim and the planted link
}

TEST(FileIoTest, SaveKeepsThePermissionsAndFollowsALinkedTarget) {
    ScratchDir dir;
    const std::string path = dir.File("private.dat");
    testing::WriteFile(path, "old");
    chmod(path.c_str(), 0600);
    FileError error;
    ASSERT_TRUE(WriteFileReplacing(path, "new", error));
    EXPECT_EQ(ModeOf(path), 0600u);
    chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(path, "newer", error));
    EXPECT_EQ(ModeOf(path), 0640u);

    // The link stays a link; the file it names gets the data.
    std::filesystem::create_directory(dir.File("real"));
    testing::WriteFile(dir.File("real/target.dat"), "old");
    std::filesystem::create_symlink("real/target.dat", dir.File("link.dat"));
    ASSERT_TRUE(WriteFileReplacing(dir.File("link.dat"), "through", error));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.dat")));
    EXPECT_EQ(ReadFile(dir.File("real/target.dat")), "through");
    EXPECT_EQ(EntriesIn(dir.File("real")), 1u);
}

TEST(FileIoTest, NamesUpToTheFileSystemLimitAreSaved) {
    ScratchDir dir;
    for (const size_t length : {240u, 246u, 250u, 255u}) {
        const std::string path = dir.File(std::string(length - 4, 'n') + ".dat");
        FileError error;
        EXPECT_TRUE(WriteFileReplacing(path, "data", error)) << length << ": " << error.Text;
        EXPECT_EQ(ReadFile(path), "data");
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 4u);
}

TEST(FileIoTest, OutputCheckTellsBeforeAnythingIsWritten) {
    ScratchDir dir;
    FileError error;
    EXPECT_TRUE(CheckOutputFile(dir.File("new.dat"), error));
    EXPECT_FALSE(Exists(dir.File("new.dat")));
    EXPECT_EQ(EntriesIn(dir.Path()), 0u);
    EXPECT_FALSE(CheckOutputFile("/dev/null", error));
    EXPECT_FALSE(CheckOutputFile(dir.Path(), error));
    EXPECT_EQ(error.Number, EISDIR);
    EXPECT_FALSE(CheckOutputFile(dir.File("no/such/folder.dat"), error));
    EXPECT_EQ(error.Number, ENOENT);
    std::filesystem::create_directory(dir.File("ro"));
    chmod(dir.File("ro").c_str(), 0555);
    testing::AsUnprivileged nobody;
    EXPECT_FALSE(CheckOutputFile(dir.File("ro/out.dat"), error));
    EXPECT_EQ(error.Number, EACCES);
}

TEST(FileIoTest, SameFileSeesThroughLinksAndOtherSpellings) {
    ScratchDir dir;
    testing::WriteFile(dir.File("a.hex"), "x");
    testing::WriteFile(dir.File("b.hex"), "x");
    std::filesystem::create_directory(dir.File("sub"));
    std::filesystem::create_symlink("a.hex", dir.File("link.txt"));
    std::filesystem::create_hard_link(dir.File("a.hex"), dir.File("sub/hard.dat"));
    EXPECT_TRUE(SameFile(dir.File("a.hex"), dir.File("link.txt")));
    EXPECT_TRUE(SameFile(dir.File("a.hex"), dir.Path() + "/./a.hex"));
    EXPECT_TRUE(SameFile(dir.File("a.hex"), dir.File("sub/../a.hex")));
    EXPECT_TRUE(SameFile(dir.File("sub/hard.dat"), dir.File("link.txt")));
    EXPECT_TRUE(SameFile(dir.File("new.dat"), dir.File("sub/../new.dat")));
    EXPECT_FALSE(SameFile(dir.File("a.hex"), dir.File("b.hex")));
    EXPECT_FALSE(SameFile(dir.File("a.hex"), dir.File("missing.hex")));
    EXPECT_FALSE(SameFile(dir.File("new.dat"), dir.File("sub/new.dat")));
}

bool MakeSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::strcpy(address.sun_path, path.c_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool made =
        fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) {
        close(fd);
    }
    return made;
}

TEST(FileIoTest, OnlyRegularFilesAreReplacedAndOthersAreNeverOpened) {
    ScratchDir dir;
    ASSERT_EQ(mkfifo(dir.File("fifo.txt").c_str(), 0644), 0);
    std::filesystem::create_symlink("fifo.txt", dir.File("to-fifo.dat"));
    std::filesystem::create_symlink("/dev/null", dir.File("null.hex"));
    ASSERT_TRUE(MakeSocket(dir.File("socket.csv")));
    const size_t entries = EntriesIn(dir.Path());
    for (const char* name : {"fifo.txt", "to-fifo.dat", "null.hex", "socket.csv"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        FileError written;
        FileError checked;
        bool writeOk = true;
        bool checkOk = true;
        EXPECT_TRUE(testing::FinishesWithoutReader({dir.File("fifo.txt")}, [&] {
            writeOk = WriteFileReplacing(path, "report text", written);
            checkOk = CheckOutputFile(path, checked);
        }));
        EXPECT_FALSE(writeOk);
        EXPECT_FALSE(checkOk);
        EXPECT_EQ(written.Text, "Not a regular file");
        EXPECT_EQ(written.Number, EINVAL);
        EXPECT_EQ(checked.Text, "Not a regular file");
    }
    EXPECT_EQ(EntriesIn(dir.Path()), entries);  // nothing replaced, no temporary left
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo.txt")));
    EXPECT_TRUE(std::filesystem::is_socket(dir.File("socket.csv")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("null.hex")));
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
