// tq530-cli as a script that programs many radios uses it: mistyped options, stdout as the
// output file, confirmation of a clear.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "support/cli_run.h"
#include "support/scratch_dir.h"

namespace {

using Result = tq530::testing::CliResult;

class CliFleetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tq530_fleet_XXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override { tq530::testing::RemoveDir(dir); }

    Result Run(const std::string& args) const {
        return tq530::testing::RunProgramIn(dir, "tq530-cli", args);
    }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    std::string dir;
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

}  // namespace
