// tq530-cli as a script that programs many radios uses it: mistyped options, stdout as the
// output file, confirmation of a clear.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/cli_run.h"
#include "support/scratch_dir.h"

namespace {

using Result = tq530::testing::CliResult;

class CliFleetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The backups of the transfers go to the test's folder, never the user's.
        setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    }
    void TearDown() override {
        for (const pid_t pid : sims) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        unsetenv("XDG_DATA_HOME");
    }

    // Starts a simulator whose device is also the link dir/name; returns that path.
    std::string StartSim(const std::string& name) {
        const std::string link = Path(name);
        const pid_t pid = fork();
        if (pid == 0) {
            const std::string cmd = "exec " + std::string(TQ530_BIN_DIR) + "/nr6120-sim --image '" +
                                    link + ".eeprom' --link '" + link + "' >/dev/null 2>&1";
            execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        sims.push_back(pid);
        for (int i = 0; i < 300 && access(link.c_str(), F_OK) != 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(access(link.c_str(), F_OK), 0) << "no device from nr6120-sim";
        return link;
    }
    // The value of key in entry i of the JSON array in file, as Python prints it.
    std::string JsonValue(const std::string& file, int i, const std::string& key) const {
        return JsonEval(file, "d[" + std::to_string(i) + "][\"" + key + "\"]");
    }
    // What Python prints for expression over the JSON in file, named d.
    std::string JsonEval(const std::string& file, const std::string& expression) const {
        const std::string cmd =
            "python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); "
            "print(" +
            expression + ")' '" + file + "' >'" + Path("json.out") + "' 2>&1";
        const int raw = std::system(cmd.c_str());
        std::string value = tq530::testing::ReadFile(Path("json.out"));
        return WIFEXITED(raw) && WEXITSTATUS(raw) == 0 ? value : "error: " + value;
    }
    std::vector<pid_t> sims;

    Result Run(const std::string& args) const {
        return tq530::testing::RunProgramIn(dir, "tq530-cli", args);
    }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    tq530::testing::ScratchDir scratch;
    const std::string dir = scratch.Path();
};

TEST_F(CliFleetTest, AMistypedOptionIsNamedAsUnknown) {
    Result r = Run("read --prot /dev/null " + Path("a.hex"));
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("--prot: unknown option"), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find("required"), std::string::npos) << r.Err;
    // Before the command, after it, with a value joined by "=".
    for (const char* args : {"--yess new x.hex", "new x.hex --model=1", "--port=3 ports"}) {
        r = Run(args);
        EXPECT_EQ(r.Status, 2) << args;
        EXPECT_NE(r.Err.find("unknown option"), std::string::npos) << args << ": " << r.Err;
    }
    // Values that begin with a dash are no options, known ones still parse.
    EXPECT_EQ(Run("--model-type 1 --atis on new " + Path("b.hex")).Status, 0);
    r = Run("-V");
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Out, Run("--version").Out);
    EXPECT_NE(r.Out.find("tq530-cli"), std::string::npos);
}

TEST_F(CliFleetTest, DashAsOutWritesToStdout) {
    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    const Result plain = Run("report " + Path("a.hex"));
    const Result dash = Run("report " + Path("a.hex") + " -");
    EXPECT_EQ(dash.Status, 0) << dash.Err;
    EXPECT_GT(dash.Out.size(), 1000u);
    EXPECT_EQ(dash.Out, plain.Out);

    ASSERT_EQ(Run("export-csv " + Path("a.hex") + " " + Path("a.csv") + " --table usa").Status, 0);
    const Result csv = Run("export-csv " + Path("a.hex") + " - --table usa");
    EXPECT_EQ(csv.Status, 0) << csv.Err;
    EXPECT_EQ(csv.Out, tq530::testing::ReadFile(Path("a.csv")));
    EXPECT_EQ(tq530::testing::ReadFile(Path("-")), "");  // no file named "-"
}

TEST_F(CliFleetTest, ClearWithoutTerminalOrYesErasesNothing) {
    // The port does not exist: a clear that went on would fail on it instead.
    const std::string port = Path("no-such-port");
    Result r = Run("clear --port " + port + " mmsi");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Erase the user MMSI in the radio on " + port + "? [y/N] [cancelled"),
              std::string::npos)
        << r.Err;
    EXPECT_NE(r.Err.find("cancelled"), std::string::npos);
    r = Run("clear --port " + port + " distress-log");
    EXPECT_NE(r.Err.find("Erase the distress log"), std::string::npos) << r.Err;
    // --yes goes on to the port, which then fails.
    r = Run("--yes clear --port " + port + " dsc-log");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err.find("Erase"), std::string::npos) << r.Err;
}

TEST_F(CliFleetTest, JsonListsParse) {
    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    std::string image = tq530::testing::ReadFile(Path("a.hex"));
    image.replace(0x0580, 4, "PIER");  // the first USA channel name
    std::ofstream(Path("b.hex"), std::ios::binary) << image;
    Result r =
        tq530::testing::RunProgramIn(dir, "tq530-cli", "diff --json a.hex b.hex", "diff.json");
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_NE(JsonValue(Path("diff.json"), 0, "b").find("PIER"), std::string::npos);
    r = tq530::testing::RunProgramIn(dir, "tq530-cli", "ports --json", "ports.json");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(JsonEval(Path("ports.json"), "type(d).__name__"), "list\n");
}

TEST_F(CliFleetTest, SeveralPortsRunAtOnceWithASummary) {
    const std::string a = StartSim("radioA");
    const std::string b = StartSim("radioB");
    ASSERT_EQ(Run("new " + Path("start.hex")).Status, 0);
    Result r = Run("program --port " + a + " --port " + b + " " + Path("start.hex"));
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Err.find(a + ": Program to Radio: Complete!!\n"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find(b + ": Program to Radio: Complete!!\n"), std::string::npos) << r.Err;
    EXPECT_EQ(r.Out.rfind("Port ", 0), 0u) << r.Out;
    EXPECT_NE(r.Out.find("\n" + a + " "), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("\n" + b + " "), std::string::npos) << r.Out;

    // Each read to a file of its own; a port that is not there fails the command, not the rest.
    r = tq530::testing::RunProgramIn(dir, "tq530-cli",
                                     "read --json --port " + a + " --port " + Path("gone") +
                                         " --port " + b + " " + Path("back.hex"),
                                     "summary.json");
    EXPECT_EQ(r.Status, 1) << r.Err;
    EXPECT_EQ(JsonValue(Path("summary.json"), 0, "port"), a + "\n");
    EXPECT_EQ(JsonValue(Path("summary.json"), 0, "result"), "ok\n");
    EXPECT_EQ(JsonValue(Path("summary.json"), 1, "result"), "failed\n");
    EXPECT_EQ(JsonValue(Path("summary.json"), 2, "result"), "ok\n");
    const std::string sent = tq530::testing::ReadFile(Path("start.hex"));
    EXPECT_EQ(tq530::testing::ReadFile(Path("back-radioA.hex")).size(), 8192u);
    EXPECT_EQ(tq530::testing::ReadFile(Path("back-radioB.hex")).substr(0x580, 16),
              sent.substr(0x580, 16));
    EXPECT_EQ(tq530::testing::ReadFile(Path("back-gone.hex")), "");
    r = tq530::testing::RunProgramIn(dir, "tq530-cli", "backups --json", "backups.json");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(
        JsonEval(Path("backups.json"), "[b[\"kind\"] for b in d[\"backups\"]].count(\"read\")"),
        "2\n");

    // The same port twice is refused before anything runs.
    r = Run("read --port " + a + " --port " + a + " " + Path("twice.hex"));
    EXPECT_EQ(r.Status, 2);
}

}  // namespace
