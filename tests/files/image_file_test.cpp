// Image files: exact size and bytes, the acceptance check, every failure and its message.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "files/image_file.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

class ImageFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tq530_image_XXXXXX";
        dir = mkdtemp(pattern);
        ws.ProgramDir = dir;
        NewData(ws);
    }
    void TearDown() override { testing::RemoveDir(dir); }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(const std::string& path, const std::string& data) {
        std::ofstream(path, std::ios::binary) << data;
    }
    std::string dir;
    Workspace ws;
    testing::RecordingHost host;
};

TEST_F(ImageFileTest, SaveWritesTheEncodedImageWithChecksum) {
    ws.Image[0x005F] = 0x00;
    ASSERT_EQ(SaveImageFile(ws, host, Path("a.hex")), Outcome::Ok);
    const std::string data = Read(Path("a.hex"));
    ASSERT_EQ(data.size(), 8192u);
    EXPECT_EQ(static_cast<uint8_t>(data[0]), 0x17);
    EXPECT_EQ(static_cast<uint8_t>(data[1]), 0xE8);
    EXPECT_EQ(static_cast<uint8_t>(data[8190]), 0x17);
    EXPECT_EQ(static_cast<uint8_t>(data[8191]), 0xE8);
    unsigned sum = 0;
    for (int a = 0x42; a <= 0x5E; ++a) {
        sum += static_cast<uint8_t>(data[static_cast<size_t>(a)]);
    }
    EXPECT_EQ(static_cast<uint8_t>(data[0x5F]), sum & 0xFF);
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(ImageFileTest, LoadReplacesTheImageAndDecodes) {
    ws.Model.Usa[0].Enable = kOn;
    ws.Model.DscBasic.UserMmsi = "211234560";
    ASSERT_EQ(SaveImageFile(ws, host, Path("a.hex")), Outcome::Ok);
    Workspace other;
    NewData(other);
    other.DataChanged = true;
    ASSERT_EQ(LoadImageFile(other, host, Path("a.hex")), Outcome::Ok);
    EXPECT_EQ(other.Model.Usa[0].Enable, kOn);
    EXPECT_EQ(other.Model.DscBasic.UserMmsi, "2112345600");
    EXPECT_EQ(other.CurrentFileName, Path("a.hex"));
    EXPECT_FALSE(other.DataChanged);
    EXPECT_EQ(other.Image, ws.Image);
}

TEST_F(ImageFileTest, WrongLengthOrMissingIsABadFile) {
    const std::string good =
        std::string(1, '\x17') + std::string(1, '\xE8') + std::string(8188, '\0') + "\x17\xE8";
    for (const size_t length : {8191u, 8193u, 0u}) {
        std::string data = good;
        data.resize(length, '\0');
        Write(Path("x.hex"), data);
        const RadioImage before = ws.Image;
        EXPECT_EQ(LoadImageFile(ws, host, Path("x.hex")), Outcome::Failed);
        EXPECT_EQ(host.Last(), "bad file!!|PC Program for NR6120");
        EXPECT_EQ(host.Reasons.back(), Path("x.hex") + ": " + std::to_string(length) +
                                           " bytes, not a radio image (8192 bytes)");
        EXPECT_EQ(ws.Image, before);
    }
    EXPECT_EQ(LoadImageFile(ws, host, Path("missing.hex")), Outcome::Failed);
    EXPECT_EQ(host.Last(), "bad file!!|PC Program for NR6120");
    EXPECT_EQ(host.Reasons.back(),
              Path("missing.hex") + ": cannot open: No such file or directory");
    ASSERT_EQ(mkdir(Path("folder.hex").c_str(), 0755), 0);
    EXPECT_EQ(LoadImageFile(ws, host, Path("folder.hex")), Outcome::Failed);
    EXPECT_EQ(host.Last(), "bad file!!|PC Program for NR6120");
    EXPECT_EQ(host.Reasons.back(), Path("folder.hex") + ": cannot open: Is a directory");
    EXPECT_EQ(host.Reasons.size(), host.Messages.size());
    Write(Path("ok.hex"), good);
    EXPECT_EQ(LoadImageFile(ws, host, Path("ok.hex")), Outcome::Ok);
}

TEST_F(ImageFileTest, ModelWordsAndModelTypeAreChecked) {
    std::string data(8192, '\xFF');
    data[0] = '\x17';
    data[1] = '\xE8';
    data[8190] = '\x17';
    data[8191] = '\xE9';
    Write(Path("x.hex"), data);
    const RadioImage before = ws.Image;
    EXPECT_EQ(LoadImageFile(ws, host, Path("x.hex")), Outcome::Failed);
    EXPECT_EQ(host.Last(), "ModelType Error !!|Read from Radio");
    EXPECT_TRUE(ws.CommError);
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_EQ(ws.Image, before);

    data[8191] = '\xE8';
    data[0] = data[8190] = '\x18';  // equal words, but not the model code
    Write(Path("x.hex"), data);
    EXPECT_EQ(LoadImageFile(ws, host, Path("x.hex")), Outcome::Failed);
    EXPECT_EQ(host.Last(), "ModelType Error !!|Read from Radio");

    data[0] = data[8190] = '\x17';
    Write(Path("x.hex"), data);
    ws.SetModelType(4);
    EXPECT_EQ(LoadImageFile(ws, host, Path("x.hex")), Outcome::Failed);
    ws.SetModelType(11);
    EXPECT_EQ(LoadImageFile(ws, host, Path("x.hex")), Outcome::Ok);
    EXPECT_FALSE(ws.CommError);
}

TEST_F(ImageFileTest, UnreadableFileIsAReadError) {
    if (geteuid() == 0) {
        // root reads any file; a directory named like the file fails the same way for root.
        ASSERT_EQ(mkdir(Path("d.hex").c_str(), 0755), 0);
        EXPECT_EQ(ReadImageFile(ws, host, Path("d.hex")), Outcome::Failed);
    } else {
        Write(Path("d.hex"), std::string(8192, '\0'));
        chmod(Path("d.hex").c_str(), 0);
        EXPECT_EQ(ReadImageFile(ws, host, Path("d.hex")), Outcome::Failed);
    }
    EXPECT_EQ(host.Last(), "FileRead Error!!|PC Program for NR6120");
}

TEST_F(ImageFileTest, FailedSaveKeepsTheEarlierFileAndLogs) {
    ws.DiagnosticMode = true;
    Write(Path("keep.hex"), "earlier");
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    const bool refused = access(dir.c_str(), W_OK) != 0;  // root writes anyway
    if (refused) {
        EXPECT_EQ(SaveImageFile(ws, host, Path("keep.hex")), Outcome::Failed);
        EXPECT_EQ(host.Last(), "FileSave Error!!|PC Program for NR6120");
        EXPECT_EQ(Read(Path("keep.hex")), "earlier");
    }
    chmod(dir.c_str(), 0755);

    EXPECT_EQ(SaveImageFile(ws, host, "/dev/full"), Outcome::Failed);
    EXPECT_EQ(host.Last(), "FileSave Error!!|PC Program for NR6120");
    EXPECT_TRUE(ws.CancelRequested);
    EXPECT_EQ(WriteImageFile(ws, host, Path("no/such/folder.hex")), Outcome::Failed);
    const std::string log = Read(Path("err.log"));
    EXPECT_NE(log.find(":frmMain.SaveHexFileAs -> 22Not a regular file"), std::string::npos) << log;
    EXPECT_NE(log.find(":frmMain.SaveHexFileAs -> 2No such file"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}

TEST_F(ImageFileTest, HexDumpText) {
    const std::vector<std::string> lines = BuildHexDumpLines(ws.Image);
    ASSERT_EQ(lines.size(), 514u);
    EXPECT_EQ(lines[0].size(), 54u);
    EXPECT_EQ(lines[0].substr(0, 12), "       00 01");
    EXPECT_EQ(lines[0].substr(48), " 0E 0F");
    EXPECT_EQ(
        lines[1], " ---- " + [] {
            std::string s;
            for (int i = 0; i < 16; ++i)
                s += " --";
            return s;
        }());
    EXPECT_EQ(lines[2].substr(0, 12), " 0000: 17 E8");
    EXPECT_EQ(lines[2].size(), 54u);
    EXPECT_EQ(lines[513].substr(0, 7), " 1FF0: ");
    EXPECT_EQ(lines[513].substr(48), " 17 E8");
}

}  // namespace
}  // namespace tq530
