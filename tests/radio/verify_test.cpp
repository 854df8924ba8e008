// Program with verify: the read-back inside the same connection, what it catches, and that a
// program without it sends exactly what it always sent.
#include <algorithm>

#include "model/image_layout.h"
#include "model/setting_names.h"
#include "radio_fixture.h"

namespace tq530::radiotest {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The frames and lines the radio received after the last write frame.
std::vector<std::string> AfterLastWrite(const RadioSimulator& radio) {
    const auto last = std::find_if(radio.Received.rbegin(), radio.Received.rend(),
                                   [](const std::string& r) { return r.rfind("#CEPWR", 0) == 0; });
    return {last.base(), radio.Received.end()};
}

// The blocks a program writes, as the read-back must read them: the head block at 0, then
// 64, 128 and 320 up to 6592.
std::vector<int> WrittenBlocks() {
    std::vector<int> blocks = {0, 64, 128};
    for (int a = 320; a <= 6592; a += 64)
        blocks.push_back(a);
    return blocks;
}

class VerifyTest : public RadioTest {
  protected:
    void SetUp() override { FillImageWithPattern(); }
    Outcome Program(bool verify) {
        Transfer transfer(ws, link, host, TransferMode::Program);
        transfer.SetVerify(verify);
        const Outcome outcome = transfer.Run();
        verified = transfer.Verified();
        radioBytes = transfer.RadioBytes();
        return outcome;
    }
    VerifyResult verified;
    std::vector<uint8_t> radioBytes;
};

TEST_F(VerifyTest, ReadsBackEveryWrittenBlockBeforeThePortCloses) {
    ASSERT_EQ(Program(true), Outcome::Ok);
    EXPECT_TRUE(verified.Ran);
    EXPECT_TRUE(verified.Differences.empty());
    // Each block: the read frame, then the PC's acknowledgement of the data; nothing else.
    std::vector<std::string> expected;
    for (int block : WrittenBlocks()) {
        const std::string frame =
            BuildFrame("#CEPRD", AddressField(block), LengthField(64), std::string());
        expected.push_back(frame.substr(0, frame.size() - 2));
        expected.push_back("#CMDOK");
    }
    EXPECT_EQ(AfterLastWrite(radio), expected);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Complete!!"));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(ws.TransferDone);
    // What the radio holds is what was sent; that is what a backup keeps.
    ASSERT_EQ(radioBytes.size(), 8192u);
    EXPECT_TRUE(std::equal(radioBytes.begin(), radioBytes.end(), ws.Image.Bytes.begin()));
}

TEST_F(VerifyTest, WithoutVerifyNothingIsReadBackAndProgressIsUnchanged) {
    ASSERT_EQ(Program(false), Outcome::Ok);
    EXPECT_FALSE(verified.Ran);
    EXPECT_TRUE(AfterLastWrite(radio).empty());
    const std::vector<int> plain = host.ProgressSeen;
    EXPECT_EQ(*std::max_element(plain.begin(), plain.end()), 99);  // 8128 of 8191

    // With verify the write fills the first half of the bar and the read-back the second.
    host.ProgressSeen.clear();
    ASSERT_EQ(Program(true), Outcome::Ok);
    const std::vector<int>& both = host.ProgressSeen;
    EXPECT_TRUE(std::is_sorted(both.begin() + 1, both.end() - 1));
    // The write's last step (8128) and the read-back's blocks at 0 and 64 stand at 50.
    EXPECT_EQ(std::count(both.begin(), both.end(), 50), 3);
    EXPECT_EQ(*std::max_element(both.begin(), both.end()), 90);  // the last read, 6592
    EXPECT_EQ(both.back(), 0);
}

TEST_F(VerifyTest, ByteChangedBehindTheProgramsBackFailsWithTheSettingNamed) {
    // The radio's cell under the 4th character of the name of USA channel 16 fails to keep
    // what it acknowledged.
    const int usa16 = 0x0580 + kNameWidth * 30 + 3;  // index 30: 01, 01A ... 16
    ASSERT_EQ(SettingNameAt(usa16), "USA CH 16: name");
    radio.AlterAfterWrite = usa16;
    EXPECT_EQ(Program(true), Outcome::Failed);
    EXPECT_TRUE(verified.Ran);
    EXPECT_THAT(verified.Differences, ElementsAre(usa16));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Text, "Verify failed: 1 byte differs\n0x06EB USA CH 16: name");
    EXPECT_EQ(host.Messages[0].Title, "Program to Radio");
    EXPECT_EQ(host.Messages[0].Icon, MsgIcon::Critical);
    EXPECT_TRUE(ws.CommError);
    EXPECT_FALSE(ws.TransferDone);
    EXPECT_TRUE(radioBytes.empty());  // nothing to keep as the radio's image
}

TEST_F(VerifyTest, HeadBytesAreComparedButNotTheModelWord) {
    // A head byte changed after its single-byte write is caught; the model word at 0-1 was
    // never written and is not compared.
    radio.AlterAfterWrite = 0x001A;
    EXPECT_EQ(Program(true), Outcome::Failed);
    EXPECT_THAT(verified.Differences, ElementsAre(0x001A));
    EXPECT_THAT(host.Messages[0].Text, HasSubstr("0x001A Common Setup: Resume Time"));
}

TEST_F(VerifyTest, CancelDuringTheReadBackSendsCanAndIsACancel) {
    int reads = 0;
    host.OnYield = [&] {
        if (!radio.Received.empty() && radio.Received.back().rfind("#CEPRD\t0180", 0) == 0 &&
            ++reads == 1)
            ws.CancelRequested = true;
    };
    EXPECT_EQ(Program(true), Outcome::Cancelled);
    EXPECT_FALSE(verified.Ran);
    EXPECT_EQ(radio.Received.back(), "\x18");
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_FALSE(ws.TransferDone);
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(VerifyTest, FailedReadBackIsACommunicationError) {
    // Frames: status, 3 identity reads, 62 head bytes, 101 blocks; the 3rd read-back block
    // stays silent on every try.
    const int firstRead = 4 + 62 + 101 + 1;
    for (int n = 0; n < 3; ++n)
        radio.Faults.Frames[firstRead + 2 + n] = FrameFault::Silent;
    EXPECT_EQ(Program(true), Outcome::Failed);
    EXPECT_FALSE(verified.Ran);
    EXPECT_THAT(host.MessageTexts(), ElementsAre("Communication Error!!"));
    EXPECT_TRUE(ws.CommError);
}

}  // namespace
}  // namespace tq530::radiotest
