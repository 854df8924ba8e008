// tq530-cli with settings files, report text, global.ini, per-user settings and destination
// files, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <random>

#include "support/cli_run.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

using testing::ReadFile;
using testing::WriteFile;

using Result = testing::CliResult;

// Each test has its own program folder and its own per-user settings.
class CliSettingsTest : public ::testing::Test {
  protected:
    CliSettingsTest() { WriteFile(dir.File("global.ini"), "[model1]\r\nuse=1\r\natis=true\r\n"); }
    Result Run(const std::string& args) const {
        return testing::RunProgramIn(dir.Path(), "tq530-cli",
                                     "--program-dir '" + dir.Path() + "' " + args);
    }
    std::string File(const std::string& name) const { return dir.File(name); }

    testing::ScratchDir dir;
};

TEST_F(CliSettingsTest, NewDatConvertBackAndReport) {
    ASSERT_EQ(Run("new a.dat").Status, 0);
    const std::string dat = ReadFile(File("a.dat"));
    EXPECT_EQ(dat.rfind("[MAIN]\r\nMODEL=#NR6120\r\nTYPE=#KCP\r\nVERSION=#1.00\r\nMODELTYPE=1\r\n"
                        "[Usable CH Group Setup]\r\n",
                        0),
              0u);
    EXPECT_NE(dat.find("[ATIS Setup (Call Sign)]\r\nMID1=\r\n"), std::string::npos);

    ASSERT_EQ(Run("convert a.dat b.dat").Status, 0);
    EXPECT_TRUE(ReadFile(File("b.dat")) == dat);
    ASSERT_EQ(Run("convert a.dat b.hex").Status, 0);
    EXPECT_EQ(ReadFile(File("b.hex")).size(), 8192u);
    ASSERT_EQ(Run("convert b.hex c.dat").Status, 0);
    ASSERT_EQ(Run("convert c.dat c2.dat").Status, 0);
    EXPECT_TRUE(ReadFile(File("c2.dat")) == ReadFile(File("c.dat")));

    const Result report = Run("report c.dat");
    ASSERT_EQ(report.Status, 0) << report.Err;
    EXPECT_EQ(report.Out.substr(0, 37), "\r\n##### Usable CH Group Setup #####\r\n");
    EXPECT_EQ(report.Out.substr(report.Out.size() - 4), "--\r\n");
    ASSERT_EQ(Run("report c.dat r.txt").Status, 0);
    EXPECT_TRUE(ReadFile(File("r.txt")) == report.Out);
    ASSERT_EQ(Run("convert c.dat s.txt").Status, 0);
    EXPECT_TRUE(ReadFile(File("s.txt")) == report.Out);
}

TEST_F(CliSettingsTest, RefusalsAndTheirExitStatus) {
    WriteFile(File("m11.dat"), "[MAIN]\r\nMODELTYPE=11\r\n[Common Setup]\r\nSCAN=1\r\n");
    Result r = Run("convert m11.dat x.hex");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("ModelType Error !!"), std::string::npos) << r.Err;
    EXPECT_FALSE(testing::Exists(File("x.hex")));
    EXPECT_EQ(Run("--model-type 11 convert m11.dat x.hex").Status, 0);

    // Only the model type line can be read: nothing is written, and the reason says why.
    WriteFile(File("tabs.dat"), "[MAIN]\r\nMODELTYPE=1\r\n[Common Setup]\r\nSCAN\t1\r\n");
    r = Run("convert tabs.dat tabs.hex");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err,
              "PC Program for NR6120: FileRead Error!!\ntabs.dat: no known setting beyond "
              "[MAIN] (1 line has a key and a value without \"=\" between them: "
              "tab-separated?)\n");
    EXPECT_FALSE(testing::Exists(File("tabs.hex")));

    ASSERT_EQ(Run("new kept.dat").Status, 0);

    symlink("/dev/full", File("full.dat").c_str());
    r = Run("--diagnostic convert kept.dat full.dat");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("FileSave Error!!"), std::string::npos) << r.Err;
    EXPECT_NE(ReadFile(File("err.log")).find("frmMain.SaveFileAs -> "), std::string::npos);

    EXPECT_EQ(Run("convert kept.dat out.ini").Status, 2);
    EXPECT_EQ(Run("report kept.txt").Status, 2);
}

TEST_F(CliSettingsTest, ModelAndAtisComeFromGlobalIniAndTheUserSettings) {
    WriteFile(File("global.ini"), "[model1]\r\nuse=1\r\natis=false\r\n");
    ASSERT_EQ(Run("new plain.dat").Status, 0);
    EXPECT_EQ(ReadFile(File("plain.dat")).find("ATIS"), std::string::npos);
    ASSERT_EQ(Run("--atis on new atis.dat").Status, 0);
    EXPECT_NE(ReadFile(File("atis.dat")).find("[ATIS Setup (Common)]"), std::string::npos);

    WriteFile(File("global.ini"), "[model1]\r\nuse=1\r\n[model2]\r\nuse=1\r\n");
    mkdir(File("config").c_str(), 0755);
    mkdir(File("config/TQ530").c_str(), 0755);
    WriteFile(File("config/TQ530/TQ530.conf"), "[Settings]\nlastmodel=1\n");
    EXPECT_EQ(Run("new one.dat").Status, 0);
    WriteFile(File("config/TQ530/TQ530.conf"), "[Settings]\nlastmodel=7\n");
    EXPECT_EQ(Run("new two.dat").Status, 2);  // the last offered model, 2: not for the CLI

    WriteFile(File("global.ini"), "[model2]\r\nuse=1\r\n");
    const Result r = Run("new none.dat");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Unknown model!!"), std::string::npos) << r.Err;
    EXPECT_EQ(Run("--model-type 1 new given.dat").Status, 0);
}

TEST_F(CliSettingsTest, RememberedDestinationGivesTheDefaults) {
    ASSERT_EQ(Run("new builtin.dat").Status, 0);
    std::string image(8192, '\0');
    std::mt19937 random(6120);
    for (char& byte : image) {
        byte = static_cast<char>(random());
    }
    image[0] = image[8190] = '\x17';
    image[1] = image[8191] = '\xE8';
    WriteFile(File("eur_17E8.ini"), image);
    ASSERT_EQ(Run("new usa.dat").Status, 0);  // "usa" is remembered, there is no such file
    EXPECT_TRUE(ReadFile(File("usa.dat")) == ReadFile(File("builtin.dat")));

    mkdir(File("config").c_str(), 0755);
    mkdir(File("config/TQ530").c_str(), 0755);
    WriteFile(File("config/TQ530/TQ530.conf"), "[IniFilePath]\nIniFileName_1=EUR\n");
    ASSERT_EQ(Run("new eur.dat").Status, 0);
    EXPECT_FALSE(ReadFile(File("eur.dat")) == ReadFile(File("builtin.dat")));
}

}  // namespace
}  // namespace tq530
