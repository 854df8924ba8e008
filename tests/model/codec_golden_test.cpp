// The codec against images the program made once and keeps as data (tests/data/golden): a
// new data set, and two with most settings changed, flags on and off in two patterns so that
// a flag stored at another's bit shows in one of them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/workspace.h"
#include "editor/settings_diff.h"
#include "model/image_codec.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

// Every flag of the general area that the image holds.
std::vector<Flag*> ImageFlags(SettingsModel& m) {
    std::vector<Flag*> flags;
    const auto add = [&flags](auto& array) {
        for (Flag& flag : array) {
            flags.push_back(&flag);
        }
    };
    for (UsableGroup& group : m.UsableGroups) {
        flags.push_back(&group.Usable);
    }
    for (Flag* flag :
         {&m.Common.Scan, &m.Common.TimeDisplay, &m.Common.PttScanClear, &m.Common.DualWatch,
          &m.DscDisplay.IndividualAckMenu, &m.DscDisplay.IndividualAckMessageMenu,
          &m.DscDisplay.PosRequestAckMenu, &m.AutoPos.Polling[1].Enable, &m.AutoPos.PosPollOnCch}) {
        flags.push_back(flag);
    }
    add(m.DscBasic.Group);
    add(m.DscBasic.PosRequest);
    flags.push_back(&m.DscBasic.PosRequestTx[2]);  // the first two and the eighth beep are
    flags.push_back(&m.DscBasic.PosRequestTx[3]);  // kept only in the settings file
    for (int i = 0; i < 7; ++i) {
        flags.push_back(&m.DscBasic.BeepOut[i]);
    }
    add(m.DscAdvanced.AllShipsCall);
    add(m.DscAdvanced.AllShipsCallTx);
    add(m.DscAdvanced.GroupCall);
    add(m.DscAdvanced.GroupCallTx);
    add(m.DscAdvanced.IndividualCall);
    add(m.DscAdvanced.IndividualCallTx);
    add(m.Atis.UsableAtisGroup);
    add(m.Atis.UsableAtisKikkerGroup);
    return flags;
}

// A data set of model type 1 with most settings changed. Pattern 0 turns every other flag on,
// pattern 1 every other pair; pattern 0 also writes values the image must clamp.
Workspace Edited(int pattern) {
    Workspace ws;
    ws.SetModelType(1);
    NewData(ws);
    SettingsModel& m = ws.Model;
    const std::vector<Flag*> flags = ImageFlags(m);
    for (size_t i = 0; i < flags.size(); ++i) {
        *flags[i] = ToFlag(((i >> pattern) & 1) != 0);
    }
    const bool clamps = pattern == 0;
    m.Common.TxPoDisplay = 1;
    m.Common.ResumeTime = clamps ? 300 : 7;
    m.Common.Weather = clamps ? -4 : 9;
    m.Common.OffsetTime = clamps ? 30 : -7;
    m.Common.PttScanClear = clamps ? 5 : m.Common.PttScanClear;  // nonzero is on
    for (int g = 0; g < kGroupCount; ++g) {
        if (g < 3) {  // the EXP group keeps no priority channel in the image
            m.UsableGroups[g].PriorityCh = 20 + 3 * g + pattern;
        }
        m.UsableGroups[g].StatusName = std::string("STA").substr(0, 1 + (g + pattern) % 3);
    }
    PollingEntry& poll = m.AutoPos.Polling[1];
    poll.Channel = 40 + pattern;
    poll.Interval = 2 + pattern;
    poll.SelectCall = static_cast<int16_t>(pattern);
    poll.LastAddress = 17 + pattern;
    poll.Mmsi = clamps ? "9876543219" : "9876543200";  // the tenth digit is written 0
    m.DscBasic.UserMmsi = clamps ? "1234567899" : "2111234560";
    m.Atis.AtisCode = clamps ? "9211234567" : "9219876543";

    m.Usa[5].ChTag = clamps ? "PILOT" : "HARBOUR";
    m.Usa[5].ScanMemory = ToFlag(clamps);
    m.Usa[6].LowPower = ToFlag(!clamps);
    m.International[10].Enable = ToFlag(!clamps);
    m.Canada[20].ChTag = "COAST";
    for (ChannelRec& wx : m.Wx) {
        wx.ChTag = "WX " + std::to_string(wx.Position);  // the built-in names do not fit
    }
    m.Wx[pattern].Enable = kOff;
    ChannelRec& exp = m.Exp[3 + pattern];
    exp.Enable = kOn;
    exp.CHDisplayL = "12";
    exp.CHDisplayR = clamps ? "A" : "";
    exp.Rxfreq = 156.025;
    exp.Txfreq = 160.625;
    exp.ChTag = "MARINA";
    for (int i = 0; i <= pattern; ++i) {  // a directory is a run from its first entry
        DirectoryEntry& memory = m.MemoryIds[i];
        memory.Enable = kOn;
        memory.TagName = i == 0 ? "HARBOUR" : "PILOT BOAT";
        memory.Mmsid = "21112345" + std::to_string(i) + "0";
    }
    DirectoryEntry& group = m.GroupIds[0];
    group.Enable = kOn;
    group.TagName = clamps ? "FLEET" : "CLUB";
    group.Mmsid = "0211123450";
    return ws;
}

Workspace NewDataSet() {
    Workspace ws;
    ws.SetModelType(1);
    NewData(ws);
    return ws;
}

struct Golden {
    const char* File;
    Workspace (*Make)();
    const char* ReadBack;  // how the settings read back differ from those encoded
};

const Golden kGoldens[] = {
    {"new-data.hex", NewDataSet, nullptr},  // the built-in weather names do not fit the image
    {"edited-a.hex", [] { return Edited(0); },
     // The encode clamps an offset beyond 12 hours in the image and leaves the model alone.
     "Resume Time: 300 -> 255\nOffset Time:  -> +12:00\nWeather Alert:  -> OFF\n"
     "User MMSI: 1234567899 -> 1234567890\nAuto POS Report MMSI: 9876543219 -> 9876543210\n"},
    {"edited-b.hex", [] { return Edited(1); }, ""},
};

RadioImage Load(const char* file) {
    const std::string bytes = testing::ReadFile(std::string(TQ530_TEST_DATA_DIR "/golden/") + file);
    RadioImage image;
    EXPECT_EQ(bytes.size(), static_cast<size_t>(kImageSize)) << file;
    for (size_t i = 0; i < bytes.size() && i < static_cast<size_t>(kImageSize); ++i) {
        image[static_cast<int>(i)] = static_cast<uint8_t>(bytes[i]);
    }
    return image;
}

// "0x0153: 24 != 20 " for each byte that differs from the golden image.
std::string Differences(const RadioImage& golden, const RadioImage& made) {
    std::string out;
    for (int i = 0; i < kImageSize; ++i) {
        if (golden[i] != made[i]) {
            char line[32];
            std::snprintf(line, sizeof line, "0x%04X: %02X != %02X\n", i, made[i], golden[i]);
            out += line;
        }
    }
    return out;
}

TEST(GoldenImages, EncodeWritesEveryByteAsBefore) {
    for (const Golden& golden : kGoldens) {
        SCOPED_TRACE(golden.File);
        Workspace ws = golden.Make();
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(Differences(Load(golden.File), ws.Image), "");
    }
}

TEST(GoldenImages, DecodeGivesBackTheSettings) {
    for (const Golden& golden : kGoldens) {
        if (golden.ReadBack == nullptr) {
            continue;
        }
        SCOPED_TRACE(golden.File);
        Workspace made = golden.Make();
        EncodeImage(made.Model, made.Image, made.ModelType);  // it may correct the model
        Workspace ws = NewDataSet();
        DecodeImage(ws.Model, Load(golden.File), ws.ModelType);
        std::string differences;
        for (const SettingDifference& d : CompareSettings(made.Model, ws.Model)) {
            differences += DifferenceLine(d) + "\n";
        }
        EXPECT_EQ(differences, golden.ReadBack);
    }
}

// Settings that share a byte with another or move with one: what the patterns cannot show.
TEST(SharedBytes, LastAddressFollowsSelectCall) {
    Workspace ws = NewDataSet();
    ws.Image[0x015A] = 11;
    ws.Image[0x015B] = 22;
    ws.Image[0x015D] = 1;
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].SelectCall, 1);
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].LastAddress, 22);

    ws.Image[0x015D] = 2;  // no slot for multi-station: the value is kept
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Model.AutoPos.Polling[1].LastAddress, 22);

    ws.Model.AutoPos.Polling[1].SelectCall = 0;
    ws.Model.AutoPos.Polling[1].LastAddress = 99;
    EncodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Image[0x015D], 0);
    EXPECT_EQ(ws.Image[0x015A], 99);
    EXPECT_EQ(ws.Image[0x015B], 22);

    ws.Model.AutoPos.Polling[1].SelectCall = 2;
    ws.Model.AutoPos.Polling[1].LastAddress = 55;
    EncodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Image[0x015D], 2);
    EXPECT_EQ(ws.Image[0x015A], 99);
    EXPECT_EQ(ws.Image[0x015B], 22);
}

TEST(SharedBytes, OffsetTimeSharesItsByteWithTimeDisplay) {
    Workspace ws = NewDataSet();
    ws.Model.Common.TimeDisplay = kOn;
    for (const auto& [value, byte] : std::initializer_list<std::pair<int, int>>{
             {5, 0xA5}, {-5, 0x85}, {0, 0xA0}, {24, 0xB8}, {-24, 0x98}, {30, 0xB8}, {-30, 0x98}}) {
        ws.Model.Common.OffsetTime = static_cast<int16_t>(value);
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(ws.Image[0x0023], byte) << value;
    }
    EXPECT_EQ(ws.Model.Common.OffsetTime, -30);  // the encode leaves the model alone
    EXPECT_TRUE(FixModelForEncode(ws.Model, ws.ModelType));
    EXPECT_EQ(ws.Model.Common.OffsetTime, -24);  // the fix-up brings it into range
    ws.Model.Common.TimeDisplay = kOff;
    ws.Model.Common.OffsetTime = 5;
    EncodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Image[0x0023], 0x25);
    ws.Image[0x0023] = 0x7F;  // bit 6 set by somebody else is written 0 again
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Model.Common.OffsetTime, 31);
    EncodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Image[0x0023], 0x38);
}

}  // namespace
}  // namespace tq530
