// Automatic backups: their names, the listing, pruning to the newest 100, and a failed save
// that must not fail the transfer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <filesystem>
#include <map>
#include <thread>

#include "app/backups.h"
#include "model/encodings.h"
#include "model/radio_image.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Local time 2026-12-06 20:18:51 plus seconds.
std::time_t At(int seconds) {
    std::tm parts{};
    parts.tm_year = 2026 - 1900;
    parts.tm_mon = 11;
    parts.tm_mday = 6;
    parts.tm_hour = 20;
    parts.tm_min = 18;
    parts.tm_sec = 51 + seconds;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

std::vector<uint8_t> ImageWithMmsi(const std::string& mmsi) {
    RadioImage image;
    BuildDefaultImage(image, 1);
    WriteDigits(image, 0x0142, mmsi, true);
    return std::vector<uint8_t>(image.Bytes.begin(), image.Bytes.begin() + image.Size());
}

std::vector<std::string> Names(const std::vector<BackupEntry>& entries) {
    std::vector<std::string> names;
    for (const BackupEntry& e : entries)
        names.push_back(std::filesystem::path(e.Path).filename().string());
    return names;
}

class BackupsTest : public ::testing::Test {
  protected:
    bool Save(int seconds, const std::string& model, BackupKind kind,
              const std::string& mmsi = "") {
        std::string path;
        FileError error;
        return SaveBackup(dir.Path(), ImageWithMmsi(mmsi), At(seconds), model, kind, kBackupsKept,
                          path, error);
    }
    testing::ScratchDir dir;
};

TEST_F(BackupsTest, NamesCarryDateTimeModelAndKind) {
    EXPECT_EQ(BackupFileName(At(0), "NR6120", BackupKind::Read), "20261206-201851-NR6120-read.hex");
    EXPECT_EQ(BackupFileName(At(70), "NR6120M", BackupKind::Program),
              "20261206-202001-NR6120M-program.hex");
}

TEST_F(BackupsTest, ListingIsNewestFirstWithKindModelAndUserMmsi) {
    ASSERT_TRUE(Save(0, "NR6120", BackupKind::Read, "366123450"));
    ASSERT_TRUE(Save(5, "NR6120M", BackupKind::Program));
    ASSERT_TRUE(Save(5, "NR6120M", BackupKind::Program));  // the same second: a second file
    ASSERT_TRUE(Save(-3600, "NR6120", BackupKind::Read));
    // Files that are not backups are neither listed nor pruned.
    testing::WriteFile(dir.File("notes.txt"), "x");
    testing::WriteFile(dir.File("2026-read.hex"), "x");
    testing::WriteFile(dir.File("20261206-201851-NR6120-copy.hex"), "x");

    const std::vector<BackupEntry> list = ListBackups(dir.Path());
    EXPECT_THAT(
        Names(list),
        ElementsAre("20261206-201856-NR6120M-program-2.hex", "20261206-201856-NR6120M-program.hex",
                    "20261206-201851-NR6120-read.hex", "20261206-191851-NR6120-read.hex"));
    EXPECT_EQ(list[2].Date, "2026-12-06 20:18:51");
    EXPECT_EQ(list[2].Kind, BackupKind::Read);
    EXPECT_EQ(list[2].Model, "NR6120");
    EXPECT_EQ(list[2].UserMmsi, "366123450");
    EXPECT_EQ(list[0].Kind, BackupKind::Program);
    EXPECT_EQ(list[0].Model, "NR6120M");
    EXPECT_EQ(list[0].UserMmsi, "");
    // A backup is an image file of the radio's 8192 bytes.
    EXPECT_EQ(testing::ReadFile(list[2].Path).size(), 8192u);
    EXPECT_TRUE(ListBackups(dir.File("missing")).empty());
}

TEST_F(BackupsTest, OnlyTheNewestHundredAreKept) {
    testing::WriteFile(dir.File("notes.txt"), "x");
    for (int i = 0; i < 103; ++i) {
        ASSERT_TRUE(Save(i * 60, "NR6120", i % 2 ? BackupKind::Program : BackupKind::Read));
    }
    const std::vector<BackupEntry> list = ListBackups(dir.Path());
    ASSERT_EQ(list.size(), kBackupsKept);
    EXPECT_EQ(list.front().Date, "2026-12-06 22:00:51");  // the 103rd, 102 minutes on
    EXPECT_EQ(list.back().Date, "2026-12-06 20:21:51");   // the 4th: the first three are gone
    EXPECT_FALSE(testing::Exists(dir.File("20261206-201851-NR6120-read.hex")));
    EXPECT_TRUE(testing::Exists(dir.File("notes.txt")));
}

TEST_F(BackupsTest, PruningFollowsTheWriteOrderAndSparesWhatItDidNotWrite) {
    namespace fs = std::filesystem;
    // A copied folder, or a clock that was once years ahead: a hundred images named later
    // than anything written now, and files that merely look like backups.
    const std::vector<uint8_t> image = ImageWithMmsi("");
    for (int i = 0; i < 100; ++i) {
        testing::WriteFile(dir.File("2031" + std::to_string(1000 + i) + "-120000-NR6120-read.hex"),
                           std::string(image.begin(), image.end()));
    }
    testing::WriteFile(dir.File("20000101-000000-NR6120-read.hex"), "x");
    testing::WriteFile(dir.File("20000101-000001-NR6120-read.hex"), std::string(8192, 'x'));
    testing::WriteFile(dir.File("outside.hex"), std::string(image.begin(), image.end()));
    fs::create_symlink(dir.File("outside.hex"), dir.File("20000101-000002-NR6120-read.hex"));
    const size_t foreign = 104;

    std::string path;
    FileError error;
    const auto save = [&](int seconds, size_t keep) {
        return SaveBackup(dir.Path(), image, At(seconds), "NR6120", BackupKind::Read, keep, path,
                          error);
    };
    // Written while the clock was ten years ahead, then two at the right time: the two stay
    // and the ahead ones go first, as they were written first.
    ASSERT_TRUE(save(10 * 365 * 86400, 2));
    const std::string ahead = path;
    ASSERT_TRUE(save(0, 2));
    const std::string first = path;
    ASSERT_TRUE(save(1, 2));
    EXPECT_FALSE(testing::Exists(ahead));
    EXPECT_TRUE(testing::Exists(first));
    EXPECT_TRUE(testing::Exists(path));
    // The one just written stays even when nothing may be kept.
    ASSERT_TRUE(save(2, 0));
    EXPECT_TRUE(testing::Exists(path));
    EXPECT_FALSE(testing::Exists(first));

    size_t files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir.Path())) {
        files += e.path().filename().string()[0] != '.';
    }
    EXPECT_EQ(files, foreign + 1);
    EXPECT_EQ(testing::ReadFile(dir.File("outside.hex")).size(), 8192u);
    // With the default count a hundred new backups live beside the hundred foreign ones.
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(save(10 + i, kBackupsKept));
    }
    EXPECT_EQ(ListBackups(dir.Path()).size(), 200u);
}

TEST_F(BackupsTest, ANameTakenMeanwhileGetsTheNextNumberAndNothingIsReplaced) {
    namespace fs = std::filesystem;
    // A link planted at the name is taken, not written through.
    fs::create_symlink(dir.File("elsewhere"), dir.File("20261206-201851-NR6120-read.hex"));
    ASSERT_TRUE(Save(0, "NR6120", BackupKind::Read));
    EXPECT_FALSE(testing::Exists(dir.File("elsewhere")));
    EXPECT_TRUE(testing::Exists(dir.File("20261206-201851-NR6120-read-2.hex")));

    // Two radios finishing in the same second, on two threads: every backup is its own file.
    constexpr int kEach = 40;
    const auto writer = [this](const std::string& mmsi) {
        for (int i = 0; i < kEach; ++i) {
            std::string path;
            FileError error;
            SaveBackup(dir.Path(), ImageWithMmsi(mmsi), At(5), "NR6120M", BackupKind::Program, 1000,
                       path, error);
        }
    };
    std::thread one(writer, "211000001");
    std::thread two(writer, "211000002");
    one.join();
    two.join();
    std::map<std::string, int> byMmsi;
    for (const BackupEntry& e : ListBackups(dir.Path())) {
        ++byMmsi[e.UserMmsi];
    }
    EXPECT_EQ(byMmsi["211000001"], kEach);
    EXPECT_EQ(byMmsi["211000002"], kEach);
}

TEST_F(BackupsTest, OnlyRegularImageFilesAreListed) {
    namespace fs = std::filesystem;
    ASSERT_TRUE(Save(0, "NR6120", BackupKind::Read, "366123450"));
    testing::WriteFile(dir.File("20261206-201852-NR6120-read.hex"), "x");
    testing::WriteFile(dir.File("20261206-201853-NR6120-read.hex"), std::string(8192, '\0'));
    std::string big = testing::ReadFile(dir.File("20261206-201851-NR6120-read.hex"));
    big.resize(16384);
    testing::WriteFile(dir.File("20261206-201854-NR6120-read.hex"), big);
    fs::create_symlink("/etc/passwd", dir.File("20261206-201855-NR6120-read.hex"));
    fs::create_symlink(dir.File("20261206-201851-NR6120-read.hex"),
                       dir.File("20261206-201856-NR6120-read.hex"));
    fs::create_directory(dir.File("20261206-201857-NR6120-read.hex"));
    EXPECT_THAT(Names(ListBackups(dir.Path())), ElementsAre("20261206-201851-NR6120-read.hex"));

    std::vector<BackupEntry> entries;
    FileError error;
    EXPECT_TRUE(ListBackups(dir.File("missing"), entries, error));
    EXPECT_TRUE(entries.empty());
    // A file where the folder should be is not an empty folder.
    testing::WriteFile(dir.File("plain"), "x");
    EXPECT_FALSE(ListBackups(dir.File("plain"), entries, error));
    EXPECT_EQ(error.Text, "Not a directory");
}

TEST_F(BackupsTest, TransfersKeepWhatTheyReadOrSentAndClearsNothing) {
    Workspace ws;
    const std::vector<uint8_t> bytes = ImageWithMmsi("211000001");
    EXPECT_EQ(KeepTransferBackup(ws, TransferMode::Read, bytes, At(0), dir.Path()), "");
    EXPECT_EQ(KeepTransferBackup(ws, TransferMode::Program, bytes, At(1), dir.Path()), "");
    for (TransferMode clear :
         {TransferMode::ClearMmsi, TransferMode::ClearDscLog, TransferMode::ClearDistressLog}) {
        EXPECT_EQ(KeepTransferBackup(ws, clear, bytes, At(2), dir.Path()), "");
    }
    const std::vector<BackupEntry> list = ListBackups(dir.Path());
    EXPECT_THAT(Names(list), ElementsAre("20261206-201852-NR6120-program.hex",
                                         "20261206-201851-NR6120-read.hex"));
    EXPECT_EQ(testing::ReadFile(list[1].Path), std::string(bytes.begin(), bytes.end()));
}

TEST_F(BackupsTest, AFailedSaveIsLoggedAndOnlyReported) {
    Workspace ws;
    ws.DiagnosticMode = true;
    ws.ProgramDir = dir.Path();
    const std::string blocked = dir.File("backups");
    testing::WriteFile(blocked, "a file where the folder should be");
    const std::string notice =
        KeepTransferBackup(ws, TransferMode::Read, ImageWithMmsi(""), At(0), blocked);
    EXPECT_THAT(notice, StartsWith("Backup not saved: "));
    EXPECT_THAT(testing::ReadFile(dir.File("err.log")), HasSubstr("Backup.Save -> "));
    // No folder to keep them in, or nothing to keep, is reported the same way.
    EXPECT_THAT(KeepTransferBackup(ws, TransferMode::Read, ImageWithMmsi(""), At(0), ""),
                StartsWith("Backup not saved: "));
    EXPECT_THAT(KeepTransferBackup(ws, TransferMode::Program, {}, At(0), dir.File("b2")),
                StartsWith("Backup not saved: "));
}

TEST_F(BackupsTest, TheFolderIsBackupsInThePerUserDataFolder) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old != nullptr ? old : "";
    setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(BackupDir(), dir.Path() + "/TQ530/backups");
    // The folder Qt names for the program's own data, once the program calls itself TQ530.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("TQ530");
    EXPECT_EQ(BackupDir(),
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() +
                  "/backups");
    QCoreApplication::setApplicationName(name);
    if (old != nullptr)
        setenv("XDG_DATA_HOME", kept.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace tq530
