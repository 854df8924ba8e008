// tq530-cli new, convert and dump as a user runs them: files, messages and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "support/cli_run.h"
#include "support/scratch_dir.h"

namespace {

using Result = tq530::testing::CliResult;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tq530_cli_XXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override { tq530::testing::RemoveDir(dir); }

    Result Run(const std::string& args) const {
        return tq530::testing::RunProgramIn(dir, "tq530-cli", args);
    }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    std::string dir;
};

TEST_F(CliTest, NewWritesTheStartUpImage) {
    const Result r = Run("new " + Path("a.hex"));
    EXPECT_EQ(r.Status, 0) << r.Err;
    const std::string image = Slurp(Path("a.hex"));
    ASSERT_EQ(image.size(), 8192u);
    EXPECT_EQ(image.substr(0, 2), "\x17\xE8");
    EXPECT_EQ(static_cast<uint8_t>(image[0x1F]), 0xFE);
    EXPECT_EQ(static_cast<uint8_t>(image[0x06]), 1);  // USA channel 01A, the first enabled
}

TEST_F(CliTest, ConvertIsStableAfterTheFirstPass) {
    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    ASSERT_EQ(Run("convert " + Path("a.hex") + " " + Path("b.hex")).Status, 0);
    ASSERT_EQ(Run("convert " + Path("b.hex") + " " + Path("c.hex")).Status, 0);
    EXPECT_EQ(Slurp(Path("b.hex")), Slurp(Path("c.hex")));
    ASSERT_EQ(Run("--model-type 11 convert " + Path("b.hex") + " " + Path("d.hex")).Status, 0);
}

TEST_F(CliTest, ConvertRefusesBadInputWithTheProgramsMessages) {
    std::ofstream(Path("short.hex"), std::ios::binary) << std::string(8191, '\0');
    Result r = Run("convert " + Path("short.hex") + " " + Path("out.hex"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("bad file!!"), std::string::npos) << r.Err;
    EXPECT_FALSE(std::ifstream(Path("out.hex")).good());

    r = Run("convert " + Path("missing.hex") + " " + Path("out.hex"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("bad file!!"), std::string::npos);

    std::ofstream(Path("zero.hex"), std::ios::binary) << std::string(8192, '\0');
    r = Run("convert " + Path("zero.hex") + " " + Path("out.hex"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("ModelType Error !!"), std::string::npos) << r.Err;

    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    r = Run("convert " + Path("a.hex") + " " + Path("no/folder/out.hex"));
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("FileSave Error!!"), std::string::npos) << r.Err;
}

TEST_F(CliTest, UsageErrors) {
    EXPECT_EQ(Run("").Status, 2);
    EXPECT_EQ(Run("convert " + Path("a.hex")).Status, 2);
    EXPECT_EQ(Run("--model-type 5 new " + Path("a.hex")).Status, 2);
    EXPECT_EQ(Run("--atis maybe new " + Path("a.hex")).Status, 2);
    const Result r = Run("new " + Path("a.bin"));
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("a.bin"), std::string::npos);
}

TEST_F(CliTest, DumpPrintsOneLinePerRow) {
    ASSERT_EQ(Run("new " + Path("a.hex")).Status, 0);
    const Result r = Run("dump " + Path("a.hex"));
    EXPECT_EQ(r.Status, 0) << r.Err;
    size_t lines = 0;
    for (const char c : r.Out) {
        lines += c == '\n' ? 1 : 0;
    }
    EXPECT_EQ(lines, 514u);
    EXPECT_NE(r.Out.find("\n 0000: 17 E8 00 00"), std::string::npos);
    EXPECT_NE(r.Out.find("\n 1FF0: FF"), std::string::npos);
    EXPECT_EQ(Run("dump " + Path("missing.hex")).Status, 1);
}

}  // namespace
