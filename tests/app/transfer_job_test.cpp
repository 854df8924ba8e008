// The transfer both front ends run: on a copy, with the backup kept, committed only when the
// transfer completed.
#include "app/transfer_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/backups.h"
#include "radio/radio_fixture.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using ::testing::StartsWith;

class TransferJobTest : public radiotest::RadioTest {
  protected:
    TransferJobTest() { FillImageWithPattern(); }

    TransferJobResult RunJob(TransferMode mode, const std::string& backupDir) {
        TransferJob job(ws, mode);
        host.OnPause = [&] {
            if (cancelAfterPauses_ > 0 && --cancelAfterPauses_ == 0)
                job.Work().CancelRequested = true;
        };
        const TransferJobResult result = job.Run(link, host, backupDir);
        imageBeforeCommit = ws.Image.Bytes;
        job.CommitTo(ws);
        return result;
    }

    testing::ScratchDir dir;
    int cancelAfterPauses_ = 0;
    decltype(RadioImage::Bytes) imageBeforeCommit{};
};

TEST_F(TransferJobTest, ACompletedReadKeepsItsBackupAndCommitsTheImage) {
    const auto before = ws.Image.Bytes;
    const TransferJobResult result = RunJob(TransferMode::Read, dir.Path());
    ASSERT_EQ(result.Result, Outcome::Ok);
    EXPECT_TRUE(result.Connected);
    EXPECT_EQ(result.BackupNotice, "");
    // The read worked on the copy: the workspace changed only when it was committed.
    EXPECT_EQ(imageBeforeCommit, before);
    EXPECT_EQ(ws.Image[2000], radio.Eeprom[2000]);
    EXPECT_TRUE(ws.TransferDone);
    EXPECT_FALSE(link.IsOpen());

    const std::vector<BackupEntry> backups = ListBackups(dir.Path());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].Path, result.BackupPath);
    EXPECT_EQ(backups[0].Kind, BackupKind::Read);
    const std::string kept = testing::ReadFile(result.BackupPath);
    ASSERT_EQ(kept.size(), static_cast<size_t>(kImageSize));
    EXPECT_EQ(static_cast<uint8_t>(kept[2000]), radio.Eeprom[2000]);
}

TEST_F(TransferJobTest, AFailedOrCancelledTransferKeepsNoBackupAndLeavesTheData) {
    struct Case {
        const char* Name;
        TransferMode Mode;
        int FaultFrame;  // 0: none
        int CancelAfterPauses;
        const char* ProductCode;
        Outcome Expected;
        bool PortFailed;
    };
    const Case cases[] = {
        {"cable pulled in a read", TransferMode::Read, FrameNumberOfReadBlock(4096), 0, "RB274V",
         Outcome::Cancelled, true},
        {"cable pulled in a program", TransferMode::Program, 20, 0, "RB274V", Outcome::Cancelled,
         true},
        {"another radio", TransferMode::Program, 0, 0, "XX999Z", Outcome::Failed, false},
        {"cancel in a program", TransferMode::Program, 0, 30, "RB274V", Outcome::Cancelled, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        radio = RadioSimulator();
        radio.SetIdentity(6120, 6120, c.ProductCode);
        if (c.FaultFrame > 0)
            radio.Faults.Frames[c.FaultFrame] = FrameFault::CloseLink;
        cancelAfterPauses_ = c.CancelAfterPauses;
        ws.Model.Common.OffsetTime = 3;
        const auto image = ws.Image.Bytes;
        const SettingsModel model = ws.Model;
        ws.CommError = false;
        ws.CancelRequested = false;

        const TransferJobResult result = RunJob(c.Mode, dir.Path());
        EXPECT_EQ(result.Result, c.Expected);
        EXPECT_EQ(result.PortFailed, c.PortFailed);
        EXPECT_EQ(result.BackupPath, "");
        EXPECT_TRUE(ListBackups(dir.Path()).empty());
        EXPECT_EQ(ws.Image.Bytes, image);
        EXPECT_TRUE(ws.Model == model);
        EXPECT_FALSE(ws.TransferDone);
        // The flags of the copy reach the workspace: the front ends say what happened by them.
        EXPECT_EQ(ws.CancelRequested, c.Expected == Outcome::Cancelled);
        EXPECT_TRUE(ws.CommError);
    }
}

TEST_F(TransferJobTest, ABackupThatCannotBeSavedIsNotedAndTheTransferStillCounts) {
    const std::string blocked = dir.File("backups");
    testing::WriteFile(blocked, "a file where the folder should be");
    const TransferJobResult result = RunJob(TransferMode::Program, blocked);
    EXPECT_EQ(result.Result, Outcome::Ok);
    EXPECT_EQ(result.BackupPath, "");
    EXPECT_THAT(result.BackupNotice, StartsWith("Backup not saved: "));
    EXPECT_TRUE(ws.TransferDone);
    // What was programmed is what the workspace holds now.
    EXPECT_EQ(ws.Image[2000], radio.Eeprom[2000]);
}

}  // namespace
}  // namespace tq530
