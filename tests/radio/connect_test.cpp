// Connecting, synchronising and the status query against the simulated radio.
#include <algorithm>

#include "radio_fixture.h"
#include "support/scratch_dir.h"

namespace tq530::radiotest {
namespace {

using ::testing::ElementsAre;

class ConnectTest : public RadioTest {
  protected:
    bool Connect() {
        RadioLink radioLink(ws, link, host, "Read from Radio");
        return radioLink.Connect();
    }
    int Count(const std::string& line) const {
        return static_cast<int>(std::count(radio.Received.begin(), radio.Received.end(), line));
    }
    const SimulatedLink::Sent& FirstWrite(const std::string& bytes) const {
        for (const auto& w : link.Writes) {
            if (w.Bytes == bytes)
                return w;
        }
        static const SimulatedLink::Sent none{-1, 0, ""};
        return none;
    }
};

TEST_F(ConnectTest, ProbesAdapterThenSwitchesSpeedAndSyncsTwice) {
    ASSERT_TRUE(Connect());
    EXPECT_THAT(radio.Received, ElementsAre("P", "0", "ACMD:002", "#CMDSY", "#CMDSY"));
    EXPECT_THAT(link.Opens, ElementsAre("19200,N,8,1", "57600,N,8,1"));
    const auto& adapter = FirstWrite("ACMD:002\r\n");
    const auto& sync = FirstWrite("#CMDSY\r\n");
    EXPECT_EQ(adapter.Baud, 19200);
    EXPECT_EQ(sync.Baud, 57600);
    EXPECT_GE(sync.AtMs - adapter.AtMs, 1000 + 10);
    // Every transmission is preceded by its 10 ms pause.
    EXPECT_EQ(std::count(host.Pauses.begin(), host.Pauses.end(), 10),
              static_cast<long>(link.Writes.size()));
}

TEST_F(ConnectTest, LowSpeedKeepsTheDataPhaseAt19200) {
    ws.LowSpeedLink = true;
    ASSERT_TRUE(Connect());
    EXPECT_THAT(link.Opens, ElementsAre("19200,N,8,1", "19200,N,8,1"));
}

TEST_F(ConnectTest, MissingEchoIsProbedThreeTimesAndIgnored) {
    radio.Faults.NoProbeEcho = true;
    ASSERT_TRUE(Connect());
    EXPECT_THAT(radio.Received, ElementsAre("P", "P", "P", "ACMD:002", "#CMDSY", "#CMDSY"));
    EXPECT_NE(std::find(host.Monitor.begin(), host.Monitor.end(), "sync failed!!"),
              host.Monitor.end());
    EXPECT_GE(clock.NowMs(), 3000);
}

TEST_F(ConnectTest, StrayBytesBeforeTheEchoAreDropped) {
    radio.Faults.Noise = true;
    ASSERT_TRUE(Connect());
    EXPECT_EQ(Count("P"), 1);
}

TEST_F(ConnectTest, AdapterAnswers) {
    struct Case {
        AdapterAnswer Answer;
        bool Connected;
        std::vector<std::string> Messages;
    };
    const Case cases[] = {
        {AdapterAnswer::Error, false, {"ACMD Command error!!"}},
        {AdapterAnswer::Other, false, {"error!!"}},
        {AdapterAnswer::Garbled, true, {"error!!"}},
        {AdapterAnswer::Silent, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Answer));
        Bench b(clock, radio);
        b.radio.Faults.Adapter = c.Answer;
        RadioLink radioLink(ws, b.link, b.host, "Program to Radio");
        EXPECT_EQ(radioLink.Connect(), c.Connected);
        EXPECT_EQ(b.host.MessageTexts(), c.Messages);
        for (const Shown& m : b.host.Messages) {
            EXPECT_EQ(m.Title, "Program to Radio");
            EXPECT_EQ(m.Icon, MsgIcon::Critical);
        }
        const auto& got = b.radio.Received;
        const bool synced = std::count(got.begin(), got.end(), "#CMDSY") > 0;
        EXPECT_EQ(synced, c.Connected);
    }
}

TEST_F(ConnectTest, EachSyncPassTriesThreeTimesAndBothPassesRun) {
    struct Case {
        int Refusals;
        bool CrLfAfterError;  // never read, so the retry sees it as an unexpected answer
        bool Connected;
        int Syncs;
    };
    for (const Case& c :
         {Case{2, false, true, 4}, Case{3, false, false, 4}, Case{1, true, false, 2}}) {
        SCOPED_TRACE(c.Refusals);
        Bench b(clock, radio);
        b.radio.Faults.SyncRefusals = c.Refusals;
        b.radio.Faults.ErrorWithCrLf = c.CrLfAfterError;
        EXPECT_EQ(RadioLink(ws, b.link, b.host, "Read from Radio").Connect(), c.Connected);
        EXPECT_EQ(std::count(b.radio.Received.begin(), b.radio.Received.end(), "#CMDSY"), c.Syncs);
        if (c.Refusals == 3) {
            EXPECT_EQ(b.host.Monitor.back(), "can'not Receive '#CMDOK' !!");
        }
    }
}

TEST_F(ConnectTest, PortThatDoesNotOpenFailsAndIsLogged) {
    ws.DiagnosticMode = true;
    ws.ProgramDir = ::testing::TempDir() + "/connect_log";
    testing::MakeEmptyDir(ws.ProgramDir);
    link.FailOpen = true;
    EXPECT_FALSE(Connect());
    EXPECT_TRUE(radio.Received.empty());
    RadioLink radioLink(ws, link, host, "Read from Radio");
    EXPECT_FALSE(radioLink.PortOpen());
    const std::string log = testing::ReadFile(ws.ProgramDir + "/err.log");
    const size_t init = log.find(":frmRadio.PortInit -> 8002Port not found");
    const size_t open = log.find(":frmRadio.PortOpen -> 8002Port not found");
    EXPECT_NE(init, std::string::npos) << log;
    EXPECT_NE(open, std::string::npos) << log;
    EXPECT_LT(init, open);
}

class StatusTest : public RadioTest {
  protected:
    bool Status() {
        RadioLink radioLink(ws, link, host, "Clear MMSI Data");
        link.Open(1, kSettingsData);
        return radioLink.StatusCheck();
    }
};

TEST_F(StatusTest, ReadyRadioIsAcknowledged) {
    EXPECT_TRUE(Status());
    EXPECT_THAT(radio.Received, ElementsAre("#CEPSR\t00\t74", "#CMDOK"));
    EXPECT_EQ(host.Monitor.back(), "status check.. OK");
}

TEST_F(StatusTest, BusyRadioAsksAndRetryQueriesAgain) {
    radio.Faults.BusyReplies = 1;
    host.Answers = {Answer::Retry};
    EXPECT_TRUE(Status());
    ASSERT_EQ(host.Questions.size(), 1u);
    EXPECT_EQ(host.Questions[0].Text, "Radio is busy!!");
    EXPECT_EQ(host.Questions[0].Icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.Questions[0].Title, "Clear MMSI Data");
    EXPECT_EQ(host.Questions[0].ButtonSet, Buttons::RetryCancel);
    EXPECT_EQ(host.Questions[0].DefaultButton, Answer::Cancel);  // Enter must not retry
    EXPECT_EQ(radio.FramesReceived(), 2);
}

TEST_F(StatusTest, BusyRadioWithCancelIsNotReady) {
    radio.Faults.BusyReplies = 5;
    host.Answers = {Answer::Retry, Answer::Cancel};
    EXPECT_FALSE(Status());
    EXPECT_EQ(radio.FramesReceived(), 2);
    EXPECT_EQ(host.Monitor.back(), "status check.. NG!!");
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(StatusTest, BadRepliesAreAnsweredAndNotRetried) {
    const std::pair<FrameFault, const char*> cases[] = {
        {FrameFault::WrongName, "#CMDUN"},
        {FrameFault::BadChecksum, "#CMDSM"},
    };
    for (const auto& [fault, answer] : cases) {
        radio.Received.clear();
        radio.Faults.Frames = {{radio.FramesReceived() + 1, fault}};
        EXPECT_FALSE(Status());
        EXPECT_THAT(radio.Received, ElementsAre("#CEPSR\t00\t74", answer));
        EXPECT_TRUE(host.Messages.empty());
        link.Close();
    }
}

TEST_F(StatusTest, SilenceIsRetriedThreeTimesWithoutMessage) {
    radio.Faults.Frames = {
        {1, FrameFault::Silent}, {2, FrameFault::Silent}, {3, FrameFault::Silent}};
    EXPECT_FALSE(Status());
    EXPECT_EQ(radio.FramesReceived(), 3);
    EXPECT_GE(clock.NowMs(), 30000);
    EXPECT_LT(clock.NowMs(), 31000);
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(StatusTest, ReplyThatNeverComesOrEndsTimesOut) {
    for (FrameFault fault : {FrameFault::OkOnly, FrameFault::Truncated}) {
        host.Messages.clear();
        radio.Faults.Frames = {{radio.FramesReceived() + 1, fault}};
        const int64_t start = clock.NowMs();
        EXPECT_FALSE(Status());
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"time out!!"});
        EXPECT_GE(clock.NowMs() - start, 10000);
        link.Close();
    }
}

TEST_F(StatusTest, CancelDuringTheReplyIsReported) {
    // Before the reply's name, and inside its line after the name.
    for (FrameFault fault : {FrameFault::OkOnly, FrameFault::Truncated}) {
        host.Messages.clear();
        ws.CancelRequested = false;
        radio.Faults.Frames = {{radio.FramesReceived() + 1, fault}};
        int yields = 0;
        host.OnYield = [&] {
            if (++yields == 200)
                ws.CancelRequested = true;
        };
        EXPECT_FALSE(Status());
        EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"cancel!!"});
        link.Close();
    }
}

}  // namespace
}  // namespace tq530::radiotest
