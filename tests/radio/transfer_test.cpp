// The read, program and clear procedures end to end against the in-process radio.
#include <algorithm>

#include "model/image_codec.h"
#include "radio_fixture.h"
#include "support/scratch_dir.h"

namespace tq530::radiotest {
namespace {

using ::testing::ElementsAre;

std::string ReadFrame(int address, int length) {
    const std::string f = BuildFrame("#CEPRD", AddressField(address), LengthField(length), "");
    return f.substr(0, f.size() - 2);
}

// "#CEPWR" frames the radio received, as (address, length).
std::vector<std::pair<int, int>> Writes(const RadioSimulator& radio) {
    std::vector<std::pair<int, int>> out;
    for (const std::string& r : radio.Received) {
        if (r.rfind("#CEPWR\t", 0) == 0) {
            out.emplace_back(ParseHex(r.substr(7, 4)), ParseHex(r.substr(12, 2)));
        }
    }
    return out;
}

class TransferTest : public RadioTest {
  protected:
    void SetUp() override {
        FillImageWithPattern();
        originalImage = ws.Image;
        originalModel = ws.Model;
        originalEeprom = radio.Eeprom;
    }
    void ExpectNothingChanged() {
        EXPECT_TRUE(ws.Image == originalImage);
        EXPECT_TRUE(ws.Model == originalModel);
        EXPECT_FALSE(ws.TransferDone);
    }
    std::string ReadLog() const { return testing::ReadFile(ws.ProgramDir + "/err.log"); }
    void UseLog(const std::string& name) {
        ws.DiagnosticMode = true;
        ws.ProgramDir = ::testing::TempDir() + "/" + name;
        testing::MakeEmptyDir(ws.ProgramDir);
    }

    RadioImage originalImage;
    SettingsModel originalModel;
    std::array<uint8_t, kSimEepromSize> originalEeprom{};
};

// ---- read ----

TEST_F(TransferTest, ReadChecksIdentityThenReadsEveryBlockInOrder) {
    ASSERT_TRUE(RunTransfer(TransferMode::Read));
    std::vector<std::string> expected = {"#CEPSR\t00\t74",   "#CMDOK", ReadFrame(0, 2),   "#CMDOK",
                                         ReadFrame(8190, 2), "#CMDOK", ReadFrame(304, 7), "#CMDOK"};
    for (int a = 0; a < kImageSize; a += 64) {
        expected.push_back(ReadFrame(a, 64));
        expected.push_back("#CMDOK");
    }
    EXPECT_EQ(FramesFromStatus(), expected);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Complete!!"));
    EXPECT_EQ(host.Messages[0].Title, "Read from Radio");
    EXPECT_EQ(host.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(host.ProgressSeen.back(), 0);
    EXPECT_EQ(*std::max_element(host.ProgressSeen.begin(), host.ProgressSeen.end()), 99);
    EXPECT_EQ(host.PacingPauses, 1);
}

TEST_F(TransferTest, ReadKeepsModelWordAndTheUnreadAreaOfTheImage) {
    ASSERT_TRUE(RunTransfer(TransferMode::Read));
    for (int a = 0; a < kImageSize; ++a) {
        const bool kept = a < 2 || (a >= 1024 && a < 1280);
        const uint8_t expected = kept ? originalImage[a] : radio.Eeprom[static_cast<size_t>(a)];
        ASSERT_EQ(ws.Image[a], expected) << "address " << a;
    }
    SettingsModel decoded = originalModel;
    DecodeImage(decoded, ws.Image, ws.ModelType);
    EXPECT_TRUE(ws.Model == decoded);
}

TEST_F(TransferTest, FailedReadsLeaveImageAndModelAlone) {
    struct Case {
        FrameFault Fault;
        std::vector<std::string> Messages;
        const char* SentAfter;  // what the PC answers to the faulty reply
    };
    const int block = FrameNumberOfReadBlock(640);
    const Case cases[] = {
        {FrameFault::BadChecksum, {"Communication Error!!"}, "#CMDSM"},
        {FrameFault::WrongName, {"Communication Error!!"}, "#CMDER"},
        {FrameFault::OtherAddress, {"address error!!", "Communication Error!!"}, nullptr},
        {FrameFault::WrongLength, {"data error!!", "Communication Error!!"}, nullptr},
        {FrameFault::ShortData, {"data error!!", "Communication Error!!"}, nullptr},
        {FrameFault::OkOnly, {"time out!!", "Communication Error!!"}, nullptr},
        {FrameFault::Truncated, {"time out!!", "Communication Error!!"}, nullptr},
        {FrameFault::DropCmdOk, {"Communication Error!!"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Fault));
        Bench b(clock, radio);
        b.radio.Faults.Frames = {{block, c.Fault}};
        EXPECT_NE(b.Run(ws, TransferMode::Read), Outcome::Ok);
        EXPECT_EQ(b.host.MessageTexts(), c.Messages);
        EXPECT_TRUE(ws.CommError);
        ExpectNothingChanged();
        // The faulty block is the last frame; nothing acknowledges it, nothing is retried.
        EXPECT_EQ(b.radio.FramesReceived(), block);
        EXPECT_EQ(b.radio.Received.back(), c.SentAfter ? c.SentAfter : ReadFrame(640, 64));
        EXPECT_FALSE(b.link.IsOpen());
    }
}

TEST_F(TransferTest, SilentBlockIsRetriedTwiceMoreAndThenFails) {
    const int block = FrameNumberOfReadBlock(64);
    radio.Faults.Frames = {{block, FrameFault::Silent}, {block + 1, FrameFault::Silent}};
    ASSERT_TRUE(RunTransfer(TransferMode::Read));  // the third try gets through
    EXPECT_GE(clock.NowMs(), 20000);

    radio.Faults.Frames.clear();
    const int next = radio.FramesReceived() + FrameNumberOfReadBlock(64);
    for (int i = 0; i < 3; ++i)
        radio.Faults.Frames[next + i] = FrameFault::Silent;
    ws.Image = originalImage;
    ws.Model = originalModel;
    host.Messages.clear();
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!"));
    EXPECT_EQ(radio.FramesReceived(), next + 2);
    ExpectNothingChanged();
}

TEST_F(TransferTest, ThreeRefusalsAskForSyncAndCancelFails) {
    // A refusal in small letters counts as one in capitals.
    for (const bool lowercase : {false, true}) {
        SCOPED_TRACE(lowercase);
        Bench b(clock, radio);
        b.radio.Faults.LowercaseRefusal = lowercase;
        const int block = FrameNumberOfReadBlock(128);
        for (int i = 0; i < 3; ++i)
            b.radio.Faults.Frames[block + i] = FrameFault::Refuse;
        EXPECT_NE(b.Run(ws, TransferMode::Read), Outcome::Ok);
        ASSERT_EQ(b.host.Questions.size(), 1u);
        EXPECT_EQ(b.host.Questions[0].Text, "confirm the synchronization of the communication");
        EXPECT_EQ(b.host.Questions[0].Icon, MsgIcon::Question);
        EXPECT_EQ(b.host.Questions[0].Title, "Read from Radio");
        EXPECT_THAT(b.host.MessageTexts(), ElementsAre("Communication Error!!"));
        EXPECT_EQ(b.radio.FramesReceived(), block + 2);
        ExpectNothingChanged();
    }
}

TEST_F(TransferTest, SyncAfterRefusalsGivesExactlyOneMoreTry) {
    const int block = FrameNumberOfReadBlock(128);
    for (int i = 0; i < 3; ++i)
        radio.Faults.Frames[block + i] = FrameFault::Refuse;
    host.Answers = {Answer::Ok};
    ASSERT_TRUE(RunTransfer(TransferMode::Read));
    const std::vector<std::string> frames = FramesFromStatus();
    const auto firstTry = std::find(frames.begin(), frames.end(), ReadFrame(128, 64));
    ASSERT_NE(firstTry, frames.end());
    EXPECT_EQ(std::vector<std::string>(firstTry, firstTry + 8),
              (std::vector<std::string>{ReadFrame(128, 64), ReadFrame(128, 64), ReadFrame(128, 64),
                                        "#CMDSY", "#CMDSY", ReadFrame(128, 64), "#CMDOK",
                                        ReadFrame(192, 64)}));

    // Refused once more after the sync: asked again, and Cancel ends it.
    ws.Image = originalImage;
    ws.Model = originalModel;
    host.Questions.clear();
    const int next = radio.FramesReceived() + block;
    for (int i = 0; i < 4; ++i)
        radio.Faults.Frames[next + i] = FrameFault::Refuse;
    host.Answers = {Answer::Ok, Answer::Cancel};
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_EQ(host.Questions.size(), 2u);
    EXPECT_EQ(radio.FramesReceived(), next + 3);
    ExpectNothingChanged();
}

TEST_F(TransferTest, FailedSyncAfterRefusalsFailsTheBlock) {
    // The re-synchronisation fails in both passes, or only in the second after a first pass
    // whose "#CMDOK" cleared the error flag: either way the block has failed.
    for (const bool firstPassOk : {false, true}) {
        SCOPED_TRACE(firstPassOk);
        Bench b(clock, radio);
        RadioSimulator& fresh = b.radio;
        LinkRecordingHost& freshHost = b.host;
        const int block = FrameNumberOfReadBlock(64);
        for (int i = 0; i < 3; ++i)
            fresh.Faults.Frames[block + i] = FrameFault::Refuse;
        freshHost.Answers = {Answer::Ok};
        freshHost.OnYield = [&] {
            if (fresh.FramesReceived() != block + 2)
                return;
            // Two "#CMDSY" came with the connection; the next ones re-synchronise.
            const auto syncs = std::count(fresh.Received.begin(), fresh.Received.end(), "#CMDSY");
            if (syncs == 2)
                fresh.Faults.SyncRefusals = firstPassOk ? 0 : 100;
            else if (syncs == 3 && firstPassOk)
                fresh.Faults.SyncRefusals = 3;
        };
        EXPECT_NE(b.Run(ws, TransferMode::Read), Outcome::Ok);
        EXPECT_TRUE(ws.CommError);
        EXPECT_THAT(freshHost.MessageTexts(), ElementsAre("Communication Error!!"));
        EXPECT_EQ(fresh.FramesReceived(), block + 2);
        ExpectNothingChanged();
    }
}

TEST_F(TransferTest, OnlyAWriteRetryFlushesWhatFollowedARefusal) {
    // The CR LF after "ERROR" is still waiting when a read block is sent again and spoils
    // its acknowledgement; a write block flushes it first.
    radio.Faults.ErrorWithCrLf = true;
    const int block = FrameNumberOfReadBlock(0);
    radio.Faults.Frames = {{block, FrameFault::Refuse}};
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_EQ(radio.FramesReceived(), block + 1);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!"));

    host.Messages.clear();
    radio.Faults.Frames = {{radio.FramesReceived() + block, FrameFault::Refuse}};
    EXPECT_TRUE(RunTransfer(TransferMode::Program));
    EXPECT_EQ(Writes(radio).front(), Writes(radio)[1]);
}

TEST_F(TransferTest, CancelDuringReadSendsCanAndWaitsForAck) {
    const int block = FrameNumberOfReadBlock(1024);
    radio.Faults.Frames = {{block, FrameFault::OkOnly}};
    int yields = 0;
    host.OnYield = [&] {
        if (radio.FramesReceived() == block && ++yields == 50)
            ws.CancelRequested = true;
    };
    radio.Faults.Noise = true;
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_EQ(radio.Received.back(), "\x18");
    EXPECT_THAT(host.MessageTexts(), ElementsAre("cancel!!"));
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_LT(clock.NowMs(), 20000);
    ExpectNothingChanged();
}

TEST_F(TransferTest, CancelInsideADataReplyLineEndsTheReadWithoutAMessage) {
    const int block = FrameNumberOfReadBlock(640);
    radio.Faults.Frames = {{block, FrameFault::Truncated}};
    int yields = 0;
    host.OnYield = [&] {
        if (radio.FramesReceived() == block && ++yields == 200)
            ws.CancelRequested = true;
    };
    Transfer transfer(ws, link, host, TransferMode::Read);
    EXPECT_EQ(transfer.Run(), Outcome::Cancelled);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(radio.Received.back(), "\x18");
    EXPECT_TRUE(ws.CancelRequested);
    ExpectNothingChanged();
}

TEST_F(TransferTest, CancelWithoutAckStillEndsAfterTenSeconds) {
    radio.Faults.NoAckToCan = true;
    const int block = FrameNumberOfReadBlock(64);
    radio.Faults.Frames = {{block, FrameFault::Silent}};
    bool done = false;
    host.OnYield = [&] {
        if (!done && radio.FramesReceived() == block) {
            done = true;
            ws.CancelRequested = true;
        }
    };
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_EQ(radio.Received.back(), "\x18");
    EXPECT_TRUE(host.Messages.empty());
    const auto& can = link.Writes.back();
    EXPECT_EQ(can.Bytes, "\x18");
    EXPECT_GE(clock.NowMs() - can.AtMs, 10000);
    ExpectNothingChanged();
}

// Each procedure logs under its own name; the reason line says what the radio holds.
TEST_F(TransferTest, PulledCableIsAFailedPortThatIsLoggedAndCancels) {
    const std::string failed =
        "COM1: the port failed (The device is no longer connected): check the cable";
    const struct {
        TransferMode Mode;
        int Frame;
        const char* Log;
        std::string Reason;
    } cases[] = {
        {TransferMode::Read, FrameNumberOfReadBlock(2048),
         ":frmRadio.ReadData -> 8006The device is no longer connected\r\n", failed},
        {TransferMode::Program, 5 + 62 + 10, ":frmRadio.WriteData -> 8006",
         failed + "; the radio is partly programmed: program it again"},
        {TransferMode::ClearDistressLog, 5 + 2, ":frmRadio.ClearDataDistress -> 8006", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Log);
        UseLog("pulled" + std::to_string(static_cast<int>(c.Mode)));
        ws.CancelRequested = false;
        ws.Image = originalImage;
        ws.Model = originalModel;
        Bench b(clock, radio);
        b.radio.Faults.Frames = {{c.Frame, FrameFault::CloseLink}};
        Transfer transfer(ws, b.link, b.host, c.Mode);
        EXPECT_NE(transfer.Run(), Outcome::Ok);
        ASSERT_EQ(b.host.Messages.size(), 1u);
        EXPECT_EQ(b.host.Messages[0].Text, "8006\n\nThe device is no longer connected");
        EXPECT_EQ(b.host.Messages[0].Title, "SerialPort");
        EXPECT_TRUE(ws.CancelRequested);
        EXPECT_FALSE(b.link.IsOpen());
        EXPECT_TRUE(transfer.PortFailed());
        if (!c.Reason.empty()) {
            EXPECT_EQ(transfer.Reason(), c.Reason);
        }
        EXPECT_NE(ReadLog().find(c.Log), std::string::npos);
        if (c.Mode != TransferMode::Program) {
            ExpectNothingChanged();
        }
    }
}

// ---- identity checks ----

TEST_F(TransferTest, IdentityChecksRefuseWrongRadiosAndModels) {
    struct Case {
        uint16_t First, Second;
        std::string Product;
        int ModelType;
        uint8_t LastProductByte;
    };
    const Case cases[] = {
        {6121, 6121, "RB274V", 1, 0xFF},  // another model
        {6120, 6121, "RB274V", 1, 0xFF},  // copies differ
        {6121, 6120, "RB274V", 1, 0xFF},
        {6120, 6120, "RB274V", 5, 0xFF},  // a model type we do not support
        {6120, 6120, "RB274X", 1, 0xFF},  // another product
        {6120, 6120, "RB274V", 1, 0x00},  // even the final 0xFF counts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.First * 100 + c.ModelType);
        Bench b(clock, radio);
        b.radio.SetIdentity(c.First, c.Second, c.Product);
        b.radio.Eeprom[310] = c.LastProductByte;
        ws.ModelType = static_cast<int16_t>(c.ModelType);
        EXPECT_NE(b.Run(ws, TransferMode::Read), Outcome::Ok);
        EXPECT_THAT(b.host.MessageTexts(), ElementsAre("ModelType Error !!"));
        EXPECT_EQ(b.host.Messages[0].Title, "Read from Radio");
        EXPECT_EQ(b.radio.FramesReceived(), 4);  // both checks run, no block follows
        EXPECT_TRUE(ws.CommError);
    }
    ws.ModelType = 11;
    EXPECT_TRUE(RunTransfer(TransferMode::Read));
}

TEST_F(TransferTest, DiagnosticModeShowsTheFirstProductDifference) {
    ws.DiagnosticMode = true;
    ws.ProgramDir = ::testing::TempDir();
    radio.SetIdentity(6120, 6120, "RB27XX");
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    ASSERT_EQ(host.Messages.size(), 2u);
    EXPECT_EQ(host.Messages[0].Text, "address: 0x134 -> 0x58");
    EXPECT_EQ(host.Messages[0].Title, "Product Code Error!");
    EXPECT_EQ(host.Messages[1].Text, "ModelType Error !!");

    host.Messages.clear();
    radio.SetIdentity(6120, 6120, "RB274V");
    radio.Eeprom[310] = 0x00;
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_EQ(host.Messages[0].Text, "address: 0x136 -> 0x0");
}

TEST_F(TransferTest, ModelCheckThatCannotReadReportsCommunicationError) {
    for (int i = 2; i <= 7; ++i)
        radio.Faults.Frames[i] = FrameFault::Silent;
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!", "Communication Error!!"));
    EXPECT_EQ(host.Messages[0].Title, "Model Check");
    EXPECT_EQ(host.Messages[1].Title, "Model Check");
}

TEST_F(TransferTest, CancelDuringTheModelCheckStaysCancelled) {
    // The product-code check still runs, and ends before its frame: Cancel stands.
    radio.Faults.Frames = {{2, FrameFault::Silent}};
    bool pressed = false;
    host.OnYield = [&] {
        if (!pressed && radio.FramesReceived() == 2) {
            pressed = true;
            ws.CancelRequested = true;
        }
    };
    EXPECT_FALSE(RunTransfer(TransferMode::Program));
    EXPECT_EQ(radio.FramesReceived(), 2);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_TRUE(Writes(radio).empty());
}

TEST_F(TransferTest, RadioNotReadyEndsWithoutCommError) {
    radio.Faults.BusyReplies = 1;
    EXPECT_FALSE(RunTransfer(TransferMode::Read));
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Radio not ready!!"));
    EXPECT_FALSE(ws.CommError);
    EXPECT_EQ(radio.FramesReceived(), 1);
}

// ---- program ----

TEST_F(TransferTest, ProgramSendsHeadBytesThenBlocksAndSkipsProtectedAreas) {
    ASSERT_TRUE(RunTransfer(TransferMode::Program));
    std::vector<std::pair<int, int>> expected;
    for (int a = 2; a < 64; ++a)
        expected.emplace_back(a, 1);
    expected.emplace_back(64, 64);
    expected.emplace_back(128, 64);
    for (int a = 320; a <= 6592; a += 64)
        expected.emplace_back(a, 64);
    EXPECT_EQ(Writes(radio), expected);
    // The radio holds the prepared image where it was written, its own bytes elsewhere.
    for (int a = 0; a < kImageSize; ++a) {
        const bool written = (a >= 2 && a < 192) || (a >= 320 && a < 6656);
        ASSERT_EQ(radio.Eeprom[static_cast<size_t>(a)],
                  written ? ws.Image[a] : originalEeprom[static_cast<size_t>(a)])
            << "address " << a;
    }
    EXPECT_EQ(ws.Image[kChecksumAddress], Checksum(ws.Image, kChecksumStart, kChecksumCount));
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Complete!!"));
    EXPECT_EQ(host.Messages[0].Title, "Program to Radio");
    // 2 skipped steps at 192-319 and 24 from 6656 on, each paced like a block.
    const long transmissions = static_cast<long>(link.Writes.size());
    EXPECT_EQ(std::count(host.Pauses.begin(), host.Pauses.end(), 10), transmissions + 26);
}

TEST_F(TransferTest, ProgramEncodesBeforeTheFirstFrame) {
    ws.Model.DscBasic.UserMmsi = "366123456";
    ASSERT_TRUE(RunTransfer(TransferMode::Program));
    RadioImage expected = originalImage;
    SettingsModel model = ws.Model;
    PrepareImageForWrite(model, expected, ws.ModelType);
    EXPECT_TRUE(ws.Image == expected);
    EXPECT_EQ(radio.Eeprom[kMmsiStatus], 1);
}

TEST_F(TransferTest, RefusedHeadByteStillSendsTheRestButFailsTheProgram) {
    const int first = 5 + 10;  // status, three reads, then the byte at 2 is frame 5
    for (int i = 0; i < 3; ++i)
        radio.Faults.Frames[first + i] = FrameFault::Refuse;
    EXPECT_FALSE(RunTransfer(TransferMode::Program));
    std::vector<std::pair<int, int>> expected;
    for (int a = 2; a < 64; ++a) {
        expected.emplace_back(a, 1);
        if (a == 12) {
            expected.emplace_back(a, 1);
            expected.emplace_back(a, 1);
        }
    }
    EXPECT_EQ(Writes(radio), expected);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!"));
    EXPECT_EQ(host.Messages[0].Title, "Program to Radio");
    EXPECT_FALSE(ws.TransferDone);
}

TEST_F(TransferTest, ProgramStopsAtAFailedBlock) {
    const int block320 = 5 + 62 + 2;
    for (int i = 0; i < 3; ++i)
        radio.Faults.Frames[block320 + i] = FrameFault::DropCmdOk;
    EXPECT_FALSE(RunTransfer(TransferMode::Program));
    const auto writes = Writes(radio);
    EXPECT_EQ(writes.back(), std::make_pair(320, 64));
    EXPECT_EQ(writes.size(), 62u + 2 + 3);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!"));
}

// ---- clears ----

TEST_F(TransferTest, MmsiClearWritesSixSingleBytes) {
    ws.Model.DscBasic.UserMmsi = "366123456";
    ASSERT_TRUE(RunTransfer(TransferMode::ClearMmsi));
    EXPECT_EQ(Writes(radio), (std::vector<std::pair<int, int>>{
                                 {322, 1}, {323, 1}, {324, 1}, {325, 1}, {326, 1}, {327, 1}}));
    for (int a = 322; a <= 326; ++a)
        EXPECT_EQ(radio.Eeprom[static_cast<size_t>(a)], 0xFF);
    EXPECT_EQ(radio.Eeprom[327], 0);
    EXPECT_EQ(ws.Image[327], 0);
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "");
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Complete!!"));
    EXPECT_EQ(host.Messages[0].Title, "Clear MMSI Data");
    EXPECT_EQ(host.ProgressSeen.end()[-2], 100);
}

TEST_F(TransferTest, FailedMmsiClearPutsTheBytesBack) {
    ws.Model.DscBasic.UserMmsi = "366123456";
    originalModel = ws.Model;
    for (int i = 0; i < 3; ++i)
        radio.Faults.Frames[5 + 2 + i] = FrameFault::Refuse;
    EXPECT_FALSE(RunTransfer(TransferMode::ClearMmsi));
    EXPECT_EQ(Writes(radio).size(), 6u + 2);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!"));
    EXPECT_EQ(host.Messages[0].Title, "Clear Data");
    ExpectNothingChanged();
}

TEST_F(TransferTest, LogClearsSendTheirWholeArea) {
    struct Case {
        TransferMode Mode;
        int First, End;
        const char* Monitor;
    };
    const Case cases[] = {
        {TransferMode::ClearDscLog, 6656, 7680, "radio clear DSC..."},
        {TransferMode::ClearDistressLog, 7680, 8160, "radio clear Distress..."},
    };
    for (const Case& c : cases) {
        Bench b(clock, radio);
        const RadioSimulator& fresh = b.radio;
        const LinkRecordingHost& freshHost = b.host;
        ws.Image = originalImage;
        ASSERT_EQ(b.Run(ws, c.Mode), Outcome::Ok);
        std::vector<std::pair<int, int>> expected;
        for (int a = c.First; a + 64 <= c.End; a += 64)
            expected.emplace_back(a, 64);
        if (c.End % 64 != 0)
            expected.emplace_back(c.End - 64, 64);
        EXPECT_EQ(Writes(fresh), expected);
        for (int a = 0; a < kImageSize; ++a) {
            const bool area = a >= c.First && a < c.End;
            ASSERT_EQ(ws.Image[a], area ? 0xFF : originalImage[a]) << a;
            ASSERT_EQ(fresh.Eeprom[static_cast<size_t>(a)],
                      area ? 0xFF : originalEeprom[static_cast<size_t>(a)])
                << a;
        }
        EXPECT_NE(std::find(freshHost.Monitor.begin(), freshHost.Monitor.end(), c.Monitor),
                  freshHost.Monitor.end());
        EXPECT_THAT(freshHost.MessageTexts(), ElementsAre("Complete!!"));
        // Each of the 128 steps that sends no block waits 10 ms, like a transmission.
        const auto pauses = std::count(freshHost.Pauses.begin(), freshHost.Pauses.end(), 10);
        EXPECT_EQ(pauses, static_cast<long>(b.link.Writes.size() + 128 - expected.size()));
        // Progress moves with the loop address over the last address, to the nearest percent.
        std::vector<int> progress = {0};
        for (int a = 0; a < kImageSize; a += 64)
            progress.push_back(static_cast<int>(a * 100.0 / 8191 + 0.5));
        progress.push_back(0);
        EXPECT_EQ(freshHost.ProgressSeen, progress);
    }
}

TEST_F(TransferTest, CancelledDscClearRestoresTheWholeImage) {
    host.OnYield = [&] {
        if (radio.FramesReceived() == 5 + 3)
            ws.CancelRequested = true;
    };
    EXPECT_FALSE(RunTransfer(TransferMode::ClearDscLog));
    EXPECT_EQ(Writes(radio).size(), 4u);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(std::count(radio.Received.begin(), radio.Received.end(), "\x18"), 0);
    ExpectNothingChanged();
}

}  // namespace
}  // namespace tq530::radiotest
