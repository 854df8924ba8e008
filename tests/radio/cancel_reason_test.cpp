// Cancel between any two frames of a transfer, and the reason lines that say what the
// messages of a failed or cancelled transfer leave unsaid.
#include "radio_fixture.h"

namespace tq530::radiotest {
namespace {

constexpr const char* kPartlyProgrammed = "the radio is partly programmed: program it again";
constexpr const char* kPartlyCleared = "the radio is partly cleared: clear it again";

// "#CEP" frames before the first write: the status query, two model-code reads, the
// product-code read.
constexpr int kChecks = 4;
// A program's write frames: the head bytes 2-63, the blocks at 64 and 128, and those from 320
// up to the one at 6592.
constexpr int kHeadWrites = 62;
constexpr int kProgramWrites = kHeadWrites + 2 + (6592 - 320) / 64 + 1;

int WritesReceived(const RadioSimulator& radio) {
    int writes = 0;
    for (const std::string& r : radio.Received) {
        writes += r.rfind("#CEPWR\t", 0) == 0 ? 1 : 0;
    }
    return writes;
}

// A port with nothing behind it: it opens and takes every byte, and no byte ever comes.
class DeadLink : public SerialLink {
  public:
    explicit DeadLink(VirtualClock& clock) : clock_(clock) {}
    void Open(int, const std::string& settings) override {
        settings_ = settings;
        open_ = true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    std::string Settings() const override { return settings_; }
    size_t BytesWaiting() override { return 0; }
    bool ReadByte(uint8_t&, int timeoutMs) override {
        clock_.Advance(timeoutMs);
        return false;
    }
    void Write(const std::string&) override {}

  private:
    VirtualClock& clock_;
    std::string settings_;
    bool open_ = false;
};

class CancelReasonTest : public RadioTest {
  protected:
    void SetUp() override {
        FillImageWithPattern();
        ws.Model.DscBasic.UserMmsi = "366123456";
        originalImage = ws.Image;
        originalModel = ws.Model;
    }
    RadioImage originalImage;
    SettingsModel originalModel;
};

TEST_F(CancelReasonTest, CancelBetweenTwoFramesStopsBeforeTheNextAndSaysWhatTheRadioHolds) {
    struct Case {
        const char* Name;
        TransferMode Mode;
        int AfterFrame;  // Cancel is pressed in the pause after the radio answered this frame
        int Writes;      // the write frames the radio got
        const char* Reason;
    };
    const Case cases[] = {
        {"before the first write", TransferMode::Program, kChecks, 0, ""},
        {"after the first head byte", TransferMode::Program, kChecks + 1, 1, kPartlyProgrammed},
        {"inside the head bytes", TransferMode::Program, kChecks + 30, 30, kPartlyProgrammed},
        {"after the last head byte", TransferMode::Program, kChecks + kHeadWrites, kHeadWrites,
         kPartlyProgrammed},
        {"after a block", TransferMode::Program, kChecks + kHeadWrites + 2, kHeadWrites + 2,
         kPartlyProgrammed},
        // The steps above the last block send nothing: the radio has all it gets.
        {"after the last block", TransferMode::Program, kChecks + kProgramWrites, kProgramWrites,
         ""},
        {"inside the MMSI clear", TransferMode::ClearMmsi, kChecks + 3, 3, kPartlyCleared},
        {"inside the DSC log clear", TransferMode::ClearDscLog, kChecks + 2, 2, kPartlyCleared},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Bench b(clock, radio);
        const RadioSimulator& fresh = b.radio;
        ws.Image = originalImage;
        ws.Model = originalModel;
        bool pressed = false;
        b.host.OnPause = [&] {
            if (!pressed && fresh.FramesReceived() == c.AfterFrame) {
                pressed = true;
                ws.CancelRequested = true;
            }
        };
        Transfer transfer(ws, b.link, b.host, c.Mode);
        EXPECT_EQ(transfer.Run(), Outcome::Cancelled);
        EXPECT_TRUE(pressed);
        EXPECT_EQ(fresh.FramesReceived(), c.AfterFrame);  // not one frame after the press
        EXPECT_EQ(WritesReceived(fresh), c.Writes);
        EXPECT_TRUE(b.host.Messages.empty()) << b.host.Messages[0].Text;
        EXPECT_TRUE(ws.CancelRequested);
        EXPECT_FALSE(ws.TransferDone);
        EXPECT_EQ(transfer.Reason(), c.Reason);
        if (c.Writes > 0) {
            EXPECT_FALSE(b.link.IsOpen());
        }
        // A cancelled clear puts its bytes back.
        if (c.Mode != TransferMode::Program) {
            EXPECT_TRUE(ws.Image == originalImage);
        }
        EXPECT_TRUE(ws.Model == originalModel);
    }
}

TEST_F(CancelReasonTest, CancelWhileAHeadByteWaitsForItsAnswerEndsTheRun) {
    bool pressed = false;
    host.OnYield = [&] {
        if (!pressed && radio.FramesReceived() == kChecks + 10) {
            pressed = true;
            ws.CancelRequested = true;
        }
    };
    radio.Faults.Frames = {{kChecks + 10, FrameFault::Silent}};
    Transfer transfer(ws, link, host, TransferMode::Program);
    EXPECT_EQ(transfer.Run(), Outcome::Cancelled);
    EXPECT_EQ(WritesReceived(radio), 10);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(transfer.Reason(), kPartlyProgrammed);
}

TEST_F(CancelReasonTest, ReasonLinesSayWhatTheMessagesLeaveUnsaid) {
    // The port does not open: the transfer says nothing of its own.
    link.FailOpen = true;
    Transfer missing(ws, link, host, TransferMode::Read);
    EXPECT_EQ(missing.Run(), Outcome::Failed);
    EXPECT_EQ(missing.Reason(),
              "COM1: cannot open the port: Port not found: COM1; check the port name and the "
              "cable");
    link.FailOpen = false;

    DeadLink dead(clock);
    Transfer silent(ws, dead, host, TransferMode::Read);
    EXPECT_EQ(silent.Run(), Outcome::Failed);
    EXPECT_EQ(silent.Reason(),
              "COM1: the radio did not answer; check the cable and that the radio is in "
              "PC-control mode");

    radio.Faults.SyncRefusals = 1000;
    Transfer refused(ws, link, host, TransferMode::Read);
    EXPECT_EQ(refused.Run(), Outcome::Failed);
    EXPECT_FALSE(refused.Connected());
    EXPECT_EQ(refused.Reason(),
              "COM1: the radio refused the synchronisation (ERROR to #CMDSY); start it again in "
              "PC-control mode and try again");
    EXPECT_TRUE(host.Messages.empty());
    radio.Faults.SyncRefusals = 0;

    // A refused block says "Communication Error!!": that is all there is to say.
    for (int i = 0; i < 3; ++i)
        radio.Faults.Frames[kChecks + 20 + i] = FrameFault::DropCmdOk;
    Transfer failed(ws, link, host, TransferMode::Read);
    EXPECT_EQ(failed.Run(), Outcome::Failed);
    EXPECT_EQ(failed.Reason(), "");
    radio.Faults.Frames.clear();

    Transfer good(ws, link, host, TransferMode::Read);
    EXPECT_EQ(good.Run(), Outcome::Ok);
    EXPECT_EQ(good.Reason(), "");
}

TEST_F(CancelReasonTest, TheWorkIsDoneWhenTheLastBlockIsAnsweredAndNotBefore) {
    host.LinesReceived = [this] { return radio.Received.size(); };
    for (const TransferMode mode :
         {TransferMode::Read, TransferMode::Program, TransferMode::ClearMmsi,
          TransferMode::ClearDscLog, TransferMode::ClearDistressLog}) {
        host.NoReturnAtLine = host.NoReturnAtPause = -1;
        host.PacingPauses = 0;
        ASSERT_TRUE(RunTransfer(mode)) << static_cast<int>(mode);
        // Every line the radio got had come in, and the pause in which a late Cancel used to
        // land was still ahead.
        EXPECT_EQ(host.NoReturnAtLine, static_cast<int>(radio.Received.size()));
        EXPECT_EQ(host.NoReturnAtPause, 0);
        EXPECT_EQ(host.PacingPauses, 1);
    }
    // A read cancelled as its last block is asked for, and one whose cable is pulled then:
    // the work is not done.
    const int start = radio.FramesReceived();
    host.OnPause = [&] {
        if (radio.FramesReceived() - start >= FrameNumberOfReadBlock(8128)) {
            ws.CancelRequested = true;
        }
    };
    host.NoReturnAtLine = -1;
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_EQ(host.NoReturnAtLine, -1);
    host.OnPause = nullptr;
    radio.Faults.Frames[radio.FramesReceived() + FrameNumberOfReadBlock(8128)] =
        FrameFault::CloseLink;
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_EQ(host.NoReturnAtLine, -1);
}

}  // namespace
}  // namespace tq530::radiotest
