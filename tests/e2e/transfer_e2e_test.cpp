// nr6120-sim and tq530-cli over a real pseudo-terminal, run the way a user runs them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/data_set.h"
#include "core/workspace.h"
#include "support/scratch_dir.h"
#include "support/sim_process.h"

namespace {

using tq530::testing::ReadFile;
using tq530::testing::WriteFile;

class TransferE2e : public ::testing::Test {
  protected:
    // Starts the simulator on the EEPROM file radio.hex; returns the device it listens on.
    std::string StartSim(const std::string& options = "") {
        const std::string device = sim.Start(dir, options);
        if (device.empty()) {
            ADD_FAILURE() << "nr6120-sim printed no device";
        }
        return device;
    }
    // Stops the simulator, which saves its EEPROM.
    void StopSim() { sim.Stop(); }
    std::string SimLog() const { return sim.Log(); }

    struct Result {
        int Status = -1;
        std::string Err;
        std::string Out;
    };
    // The per-user data folder (backups) is the test's own, never the user's.
    Result Cli(const std::string& args, int interruptAfterMs = -1, const std::string& env = "") {
        const std::string err = dir + "/cli.err";
        const std::string out = dir + "/cli.out";
        const pid_t pid = fork();
        if (pid == 0) {
            const std::string cmd = "export XDG_DATA_HOME='" + dir + "/data' " + env + "; exec " +
                                    std::string(TQ530_BIN_DIR) + "/tq530-cli " + args + " 2>" +
                                    err + " >" + out + " </dev/null";
            execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (interruptAfterMs >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(interruptAfterMs));
            kill(pid, SIGINT);
        }
        int raw = 0;
        waitpid(pid, &raw, 0);
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(err), ReadFile(out)};
    }

    tq530::testing::ScratchDir scratch;
    const std::string dir = scratch.Path();
    tq530::testing::SimProcess sim;
};

TEST_F(TransferE2e, ProgramThenReadGivesBackTheSameSettings) {
    // A data set that differs from the radio's own contents.
    ASSERT_EQ(Cli("new '" + dir + "/start.hex'").Status, 0);
    std::string image = ReadFile(dir + "/start.hex");
    ASSERT_EQ(image.size(), 8192u);
    const std::string name = "HARBOUR 1234";
    image.replace(0x0580, name.size(), name);  // the first USA channel name
    WriteFile(dir + "/program.hex", image);

    const std::string device = StartSim();
    const Result program = Cli("program --port " + device + " '" + dir + "/program.hex'");
    EXPECT_EQ(program.Status, 0) << program.Err;
    EXPECT_EQ(program.Err, "Program to Radio: Complete!!\n");
    const Result read = Cli("read --port " + device + " '" + dir + "/back.hex'");
    EXPECT_EQ(read.Status, 0) << read.Err;
    EXPECT_EQ(read.Err, "Read from Radio: Complete!!\n");

    tq530::SilentHost host;
    tq530::Workspace programmed, readBack;
    tq530::MemorySettingsStore store;
    tq530::DestinationMenu menu;
    ASSERT_EQ(tq530::LoadDataSet(programmed, host, dir + "/program.hex", store, menu),
              tq530::Outcome::Ok);
    ASSERT_EQ(tq530::LoadDataSet(readBack, host, dir + "/back.hex", store, menu),
              tq530::Outcome::Ok);
    EXPECT_TRUE(programmed.Model == readBack.Model);
    EXPECT_EQ(ReadFile(dir + "/back.hex").substr(0x0580, name.size()), name);

    // The radio kept its own protected area and logs.
    StopSim();
    const std::string radio = ReadFile(dir + "/radio.hex");
    ASSERT_EQ(radio.size(), 8192u);
    EXPECT_EQ(radio.substr(304, 7), "RB274V\xFF");
    EXPECT_EQ(radio.substr(6656, 8190 - 6656), std::string(8190 - 6656, '\xFF'));
}

TEST_F(TransferE2e, SettingsFileSurvivesProgramAndRead) {
    ASSERT_EQ(Cli("new '" + dir + "/start.dat'").Status, 0);
    const std::string device = StartSim();
    ASSERT_EQ(Cli("program --port " + device + " '" + dir + "/start.dat'").Status, 0);
    ASSERT_EQ(Cli("read --port " + device + " '" + dir + "/first.dat'").Status, 0);
    ASSERT_EQ(Cli("program --port " + device + " '" + dir + "/first.dat'").Status, 0);
    ASSERT_EQ(Cli("read --port " + device + " '" + dir + "/second.dat'").Status, 0);
    const std::string first = ReadFile(dir + "/first.dat");
    EXPECT_GT(first.size(), 1000u);
    EXPECT_EQ(first, ReadFile(dir + "/second.dat"));
}

TEST_F(TransferE2e, ClearsReachTheRadio) {
    WriteFile(dir + "/radio.hex", std::string(8192, '\x11'));
    const std::string device = StartSim("--model-code 6120");
    for (const char* what : {"mmsi", "distress-log"}) {
        const Result r = Cli("--yes --low-speed clear --port " + device + " " + what);
        EXPECT_EQ(r.Status, 0) << what << ": " << r.Err;
    }
    StopSim();
    const std::string radio = ReadFile(dir + "/radio.hex");
    EXPECT_EQ(radio.substr(322, 6), std::string("\xFF\xFF\xFF\xFF\xFF\x00", 6));
    EXPECT_EQ(radio.substr(7680, 480), std::string(480, '\xFF'));
    EXPECT_EQ(radio.substr(8160, 30), std::string(30, '\x11'));
    EXPECT_EQ(radio.substr(6656, 1024), std::string(1024, '\x11'));
    const std::string log = SimLog();
    EXPECT_NE(log.find("line at 19200 baud"), std::string::npos) << log.substr(0, 400);
    EXPECT_EQ(log.find("line at 57600 baud"), std::string::npos);
}

TEST_F(TransferE2e, BusyRadioIsRetriedThreeTimesWithYesAndCancelledWithoutIt) {
    const auto count = [](const std::string& text, const std::string& part) {
        int n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    };
    std::string device = StartSim("--busy 4");
    Result r = Cli("read --port " + device + " '" + dir + "/busy.hex'");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Radio is busy!! [cancelled: nobody to answer]"), std::string::npos);
    EXPECT_NE(r.Err.find("Read from Radio: Radio not ready!!"), std::string::npos) << r.Err;
    r = Cli("--yes clear --port " + device + " dsc-log");  // busy three times more
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(count(r.Err, "Radio is busy!! [answered by --yes]"), 3) << r.Err;

    // A radio that stays busy is given up, not queried for ever.
    StopSim();
    device = StartSim("--busy 4");
    r = Cli("--yes clear --port " + device + " dsc-log");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(count(r.Err, "Radio is busy!! [answered by --yes]"), 3) << r.Err;
    EXPECT_NE(r.Err.find("Radio is busy!! [cancelled: asked too often]"), std::string::npos);
    EXPECT_NE(r.Err.find("Radio not ready!!"), std::string::npos);
}

TEST_F(TransferE2e, InterruptedReadSendsCanAndKeepsNothing) {
    const std::string device = StartSim("--pace");
    const Result r = Cli("read --port " + device + " '" + dir + "/out.hex'", 2000);
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_NE(r.Err.find("cancelled"), std::string::npos) << r.Err;
    EXPECT_NE(SimLog().find("<18>"), std::string::npos);
    EXPECT_FALSE(std::ifstream(dir + "/out.hex").good());
}

TEST_F(TransferE2e, InterruptedProgramIsCancelledAndSaysTheRadioIsPartlyProgrammed) {
    ASSERT_EQ(Cli("new '" + dir + "/start.hex'").Status, 0);
    const std::string device = StartSim("--pace");
    const Result r = Cli("program --port " + device + " '" + dir + "/start.hex'", 2000);
    StopSim();
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_EQ(r.Err.find("Communication Error!!"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("Program to Radio: cancelled\n"), std::string::npos) << r.Err;
    // The radio got part of it: the operator must not take it for unchanged.
    ASSERT_NE(SimLog().find("#CEPWR"), std::string::npos);
    EXPECT_NE(r.Err.find("\nthe radio is partly programmed: program it again\n"), std::string::npos)
        << r.Err;
}

TEST_F(TransferE2e, RefusedSynchronisationIsNamed) {
    const std::string device = StartSim("--refuse-sync 100");
    const Result r = Cli("read --port " + device + " '" + dir + "/out.hex'");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "Read from Radio: not completed\n" + device +
                         ": the radio refused the synchronisation (ERROR to #CMDSY); start it "
                         "again in PC-control mode and try again\n");
}

// The simulator's record of the PC's bytes: each with the line speed when it had crossed the
// wire.
struct SpeedLog {
    std::string Bytes;
    std::vector<int> Bauds;
};

SpeedLog ReadSpeedLog(const std::string& path) {
    SpeedLog log;
    std::ifstream in(path);
    int baud = 0;
    std::string hex;
    while (in >> baud >> hex) {
        log.Bauds.push_back(baud);
        log.Bytes += static_cast<char>(std::stoi(hex, nullptr, 16));
    }
    return log;
}

TEST_F(TransferE2e, EveryByteOfTheDataPhaseLeavesAtItsSpeedUpToTheLast) {
    // A complete read, and one that ends after the identity checks have failed.
    for (const std::string options : {"", "--model-code 1234"}) {
        SCOPED_TRACE(options);
        const std::string speeds = dir + "/speeds.log";
        const std::string device = StartSim("--pace --speed-log '" + speeds + "' " + options);
        const Result r = Cli("read --port " + device + " '" + dir + "/out.hex'");
        EXPECT_EQ(r.Status, options.empty() ? 0 : 1) << r.Err;
        StopSim();

        const SpeedLog log = ReadSpeedLog(speeds);
        const size_t dataPhase = log.Bytes.find("#CMDSY");
        ASSERT_NE(dataPhase, std::string::npos) << log.Bytes;
        const std::string last = "#CMDOK\r\n";
        ASSERT_GE(log.Bytes.size(), last.size());
        EXPECT_EQ(log.Bytes.substr(log.Bytes.size() - last.size()), last);
        EXPECT_EQ(log.Bauds[dataPhase - 1], 19200);  // "ACMD:002" before the switch
        size_t wrong = 0;
        for (size_t i = dataPhase; i < log.Bauds.size(); ++i) {
            if (log.Bauds[i] != 57600) {
                ADD_FAILURE() << "byte " << i << " of " << log.Bauds.size() << " at "
                              << log.Bauds[i] << " baud";
                if (++wrong == 3)
                    break;
            }
        }
    }
}

TEST_F(TransferE2e, MissingRadioFailsQuietlyAndDiagnosticModeSaysWhy) {
    Result r = Cli("read --port /dev/nonexistent-tty '" + dir + "/out.hex'");
    EXPECT_EQ(r.Status, 1);
    WriteFile(dir + "/global.ini", ReadFile(std::string(TQ530_BIN_DIR) + "/global.ini"));
    r = Cli("--diagnostic --program-dir '" + dir + "' read --port /dev/nonexistent-tty '" + dir +
            "/out.hex'");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("monitor: can not syncing!!"), std::string::npos) << r.Err;
    EXPECT_NE(ReadFile(dir + "/err.log").find(":frmRadio.PortInit -> 80"), std::string::npos);
}

}  // namespace

TEST_F(TransferE2e, VerifyCatchesAByteTheRadioChangedAndBackupsListTheTransfers) {
    ASSERT_EQ(Cli("new '" + dir + "/start.hex'").Status, 0);
    std::string device = StartSim();
    Result r = Cli("program --verify --port " + device + " '" + dir + "/start.hex'");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "Program to Radio: Complete!!\n");
    r = Cli("read --port " + device + " '" + dir + "/back.hex'");
    EXPECT_EQ(r.Status, 0) << r.Err;

    // The simulator's cell under the name of USA channel 16 (0x06E8) keeps another byte.
    StopSim();
    device = StartSim("--alter-after-write 1771");
    r = Cli("program --verify --port " + device + " '" + dir + "/start.hex'");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "Program to Radio: Verify failed: 1 byte differs\n0x06EB USA CH 16: name\n");
    // Without --verify the same radio is reported programmed: nothing was read back.
    r = Cli("program --port " + device + " '" + dir + "/start.hex'");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(SimLog().find("#CEPRD<TAB>0040"), SimLog().rfind("#CEPRD<TAB>0040"));

    // The two good programs and the read were kept, newest first; the failed verify was not.
    r = Cli("backups");
    EXPECT_EQ(r.Status, 0) << r.Err;
    const auto lineStarts = [](const std::string& text) {
        std::vector<std::string> kinds;
        for (size_t at = text.find('\n'); at != std::string::npos && at + 1 < text.size();
             at = text.find('\n', at + 1))
            kinds.push_back(text.substr(at + 22, 7));
        return kinds;
    };
    EXPECT_EQ(lineStarts(r.Out), (std::vector<std::string>{"program", "read   ", "program"}))
        << r.Out;
    EXPECT_NE(r.Out.find(dir + "/data/TQ530/backups/"), std::string::npos) << r.Out;
}

TEST_F(TransferE2e, PortsShowTheDeviceEachComNumberOpens) {
    const std::string device = StartSim();
    const Result r = Cli("ports", -1, "TQ530_COM3='" + device + "'");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("COM3   " + device), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("set by TQ530_COM3"), std::string::npos) << r.Out;
    // Programming COM3 reaches that device.
    ASSERT_EQ(Cli("new '" + dir + "/start.hex'").Status, 0);
    const Result program =
        Cli("program --port COM3 '" + dir + "/start.hex'", -1, "TQ530_COM3='" + device + "'");
    EXPECT_EQ(program.Status, 0) << program.Err;
}
