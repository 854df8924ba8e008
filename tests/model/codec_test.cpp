// Decode and encode of the plans, directories and EXP records, the pre-write fix-ups, and
// round trips over many generated images.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/workspace.h"
#include "model/image_codec.h"

namespace tq530 {
namespace {

Workspace Fresh(int modelType = 1) {
    Workspace ws;
    ws.SetModelType(static_cast<int16_t>(modelType));
    NewData(ws);
    return ws;
}

RadioImage Filled(uint8_t value) {
    RadioImage image;
    image.Bytes.fill(value);
    return image;
}

TEST(Decode, AllOnesImage) {
    Workspace ws = Fresh();
    ws.Model.MemoryIds[0].Mmsid = "1";  // something to clear
    DecodeImage(ws.Model, Filled(0xFF), 1);
    const SettingsModel& m = ws.Model;
    EXPECT_EQ(m.Common.OffsetTime, 31);
    EXPECT_EQ(m.Common.TimeDisplay, kOn);
    EXPECT_EQ(m.Common.TxPoDisplay, 255);
    EXPECT_EQ(m.UsableGroups[1].PriorityCh, 255);
    EXPECT_EQ(m.AutoPos.Polling[1].SelectCall, 255);
    EXPECT_EQ(m.DscBasic.UserMmsi, "");
    EXPECT_EQ(m.Atis.AtisCode, "");
    EXPECT_EQ(m.UsableGroups[2].StatusName, "");
    EXPECT_EQ(m.Atis.UsableAtisKikkerGroup[2], kOn);
    for (const ChannelPlan* plan : {&m.Usa, &m.International, &m.Canada, &m.Wx, &m.Exp}) {
        for (const ChannelRec& ch : *plan) {
            EXPECT_EQ(ch.Enable, kOn);
            EXPECT_EQ(ch.ScanMemory, kOn);
            EXPECT_EQ(ch.ChTag, "");
        }
    }
    EXPECT_EQ(m.Usa[5].TxEnable, kOn);
    EXPECT_EQ(m.Usa[5].LowPower, kOff);
    EXPECT_EQ(m.Usa[5].Duplex, kOn);
    for (const ChannelRec& ch : m.Exp) {
        EXPECT_EQ(ch.Rxfreq, 0.0);
        EXPECT_EQ(ch.Txfreq, 0.0);
        EXPECT_EQ(ch.Narrow, kOn);
    }
    for (const DirectoryEntry& e : m.MemoryIds) {
        EXPECT_EQ(e.Enable, kOff);
        EXPECT_EQ(e.Mmsid, "");
    }
}

TEST(Decode, KikkerGroupsOnlyForModelOne) {
    Workspace ws = Fresh(11);
    ws.Model.Atis.UsableAtisKikkerGroup = {kOff, kOn, kOff, kOn};
    DecodeImage(ws.Model, Filled(0x00), 11);
    EXPECT_EQ(ws.Model.Atis.UsableAtisKikkerGroup, (Flags4{kOff, kOn, kOff, kOn}));
    DecodeImage(ws.Model, Filled(0xFF), 1);
    EXPECT_EQ(ws.Model.Atis.UsableAtisKikkerGroup, (Flags4{kOn, kOn, kOn, kOn}));
}

TEST(Decode, DirectoryIsARunFromTheFirstEntry) {
    Workspace ws = Fresh();
    RadioImage& image = ws.Image;
    auto put = [&](int k, const std::string& mmsi, const std::string& name) {
        ws.Model.MemoryIds[static_cast<size_t>(k - 1)].Mmsid = mmsi;
        ws.Model.MemoryIds[static_cast<size_t>(k - 1)].TagName = name;
    };
    put(1, "2111111110", "ONE");
    put(2, "2222222220", "TWO");
    put(4, "2444444440", "FOUR");
    EncodeImage(ws.Model, image, 1);
    EXPECT_EQ(image[0x1800 + 48], 0x24);  // entry 4 is in the image
    DecodeImage(ws.Model, image, 1);
    const MemoryIdDirectory& d = ws.Model.MemoryIds;
    EXPECT_EQ(d[0].Enable, kOn);
    EXPECT_EQ(d[1].Enable, kOn);
    EXPECT_EQ(d[1].TagName, "TWO");
    EXPECT_EQ(d[2].Enable, kOff);
    EXPECT_EQ(d[3].Enable, kOff);
    EXPECT_EQ(d[3].Mmsid, "");
    EXPECT_EQ(d[3].TagName, "");
}

TEST(Decode, GroupDirectoryRecordLayout) {
    Workspace ws = Fresh();
    RadioImage& image = ws.Image;
    const uint8_t record[16] = {0x01, 0x23, 0x45, 0x67, 0x80, 'G',  'R',  'P',
                                ' ',  'A',  0xFF, 'X',  0xFF, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 16; ++i) {
        image[0x1980 + 16 * 7 + i] = record[i];
        image[0x1980 + i] = record[i];
    }
    DecodeImage(ws.Model, image, 1);
    EXPECT_EQ(ws.Model.GroupIds[0].Mmsid, "0123456780");
    EXPECT_EQ(ws.Model.GroupIds[0].TagName, "GRP A");
    EXPECT_EQ(ws.Model.GroupIds[7].Enable, kOff);  // entry 2 is empty, so 8 is dropped
}

TEST(PresetPlans, BitmapsAttributesAndNames) {
    Workspace ws = Fresh();
    ChannelPlan& usa = ws.Model.Usa;
    for (ChannelRec& ch : usa) {
        ch.Enable = kOff;
        ch.ScanMemory = kOff;
    }
    usa[0].Enable = kOn;
    usa[9].ScanMemory = kOn;
    usa[112].Enable = kOn;
    usa[113].Enable = kOn;
    usa[3] = ChannelRec{};
    usa[3].TxEnable = kOn;
    usa[3].LowPower = kOn;
    usa[3].PowUp = kOn;
    usa[3].Duplex = kOn;
    usa[3].DuplexAllowed = kOff;  // an "A" channel: duplex never reaches the radio
    usa[4].TxEnable = kOn;
    usa[4].Duplex = kOn;
    usa[4].DuplexAllowed = kOn;
    usa[5].TxEnable = kOff;
    usa[5].LowPower = kOn;
    usa[7].ChTag = "CH 16";
    EncodeImage(ws.Model, ws.Image, 1);
    const RadioImage& im = ws.Image;
    EXPECT_EQ(im[0x0040], 0x80);
    EXPECT_EQ(im[0x004E], 0xC0);  // channels 112 and 113; the unused bits are 0
    EXPECT_EQ(im[0x0081], 0x40);
    EXPECT_EQ(im[0x0183], 0x50);
    EXPECT_EQ(im[0x0184], 0xE0);
    EXPECT_EQ(im[0x0185], 0x00);
    EXPECT_EQ(im[0x0580 + 12 * 7 + 2], ' ');
    EXPECT_EQ(im[0x0580 + 12 * 7 + 4], '6');
    EXPECT_EQ(im[0x0580 + 12 * 7 + 5], 0xFF);
    DecodeImage(ws.Model, ws.Image, 1);
    EXPECT_EQ(usa[3].Duplex, kOff);
    EXPECT_EQ(usa[3].LowPower, kOn);
    EXPECT_EQ(usa[4].Duplex, kOn);
    EXPECT_EQ(usa[4].LowPower, kOff);
    EXPECT_EQ(usa[7].ChTag, "CH 16");
    EXPECT_EQ(usa[112].Enable, kOn);
    EXPECT_EQ(usa[111].Enable, kOff);

    // Transmit code 2 is never written and reads as no transmit; bits 3-0 are ignored.
    ws.Image[0x0200 + 6] = 0x8F;
    DecodeImage(ws.Model, ws.Image, 1);
    EXPECT_EQ(ws.Model.International[6].TxEnable, kOff);
    EXPECT_EQ(ws.Model.International[6].LowPower, kOff);
    EncodeImage(ws.Model, ws.Image, 1);
    EXPECT_EQ(ws.Image[0x0200 + 6], 0x00);
}

TEST(ExpPlan, RecordLayoutAndFrequencies) {
    Workspace ws = Fresh();
    ChannelRec& ch = ws.Model.Exp[2];
    ch.Enable = kOn;
    ch.TxEnable = kOn;
    ch.LowPower = kOn;
    ch.PowUp = kOn;
    ch.Narrow = kOn;
    ch.Duplex = kOn;  // not stored for EXP channels
    ch.DuplexAllowed = kOn;
    ch.CHDisplayL = "7";
    ch.CHDisplayR = "XB";
    ch.Rxfreq = 156.025;
    ch.Txfreq = 160.6250;
    ch.ChTag = "EXP3";
    ws.Model.Exp[39].Rxfreq = 0;
    ws.Model.Exp[39].Txfreq = 250.0;
    EncodeImage(ws.Model, ws.Image, 1);
    const int r = 0x0300 + 16 * 2;
    const uint8_t expected[10] = {0x51, '7', ' ', 'B', 0x56, 0x02, 0x50, 0x60, 0x62, 0x50};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ws.Image[r + i], expected[i]) << i;
    }
    EXPECT_EQ(ws.Image[0x0072], 0x20);
    const int last = 0x0300 + 16 * 39;
    EXPECT_EQ(ws.Image[last + 4], 0x00);
    EXPECT_EQ(ws.Image[last + 5], 0x00);
    EXPECT_EQ(ws.Image[last + 6], 0x00);

    DecodeImage(ws.Model, ws.Image, 1);
    const ChannelRec& back = ws.Model.Exp[2];
    EXPECT_EQ(back.CHDisplayL, "7");
    EXPECT_EQ(back.CHDisplayR, "B");
    EXPECT_DOUBLE_EQ(back.Rxfreq, 156.025);
    EXPECT_DOUBLE_EQ(back.Txfreq, 160.625);
    EXPECT_EQ(back.LowPower, kOn);
    EXPECT_EQ(back.Narrow, kOn);
    EXPECT_EQ(ws.Model.Exp[39].Rxfreq, 0.0);  // 100 MHz is out of range
}

TEST(Encode, EmptyPlansLoseUsableOnlyForModelOne) {
    for (const int modelType : {1, 11}) {
        Workspace ws = Fresh(modelType);
        for (ChannelRec& ch : ws.Model.Canada) {
            ch.Enable = kOff;
        }
        ws.Model.UsableGroups[2].Usable = kOn;
        ws.Model.UsableGroups[3].Usable = kOn;  // the EXP plan starts empty
        EncodeImage(ws.Model, ws.Image, modelType);
        const bool cleared = modelType == 1;
        EXPECT_EQ(ws.Model.UsableGroups[2].Usable, kOn) << modelType;  // the image only
        EXPECT_EQ(ws.Image.Bit(0x001F, 1), cleared ? 0 : 1) << modelType;
        EXPECT_EQ(FixModelForEncode(ws.Model, modelType), cleared) << modelType;
        EXPECT_EQ(ws.Model.UsableGroups[2].Usable, cleared ? kOff : kOn) << modelType;
        EXPECT_EQ(ws.Model.UsableGroups[3].Usable, cleared ? kOff : kOn) << modelType;
        EXPECT_EQ(ws.Model.UsableGroups[0].Usable, kOn);
    }
}

// ---- Pre-write fix-ups ----

class Fixups : public ::testing::Test {
  protected:
    void SetUp() override {
        ws = Fresh();
        EncodeImage(ws.Model, ws.Image, 1);
    }
    void SetUsable(int group, bool on) { ws.Image.SetBitAt(0x001F, 3 - group, on ? 1 : 0); }
    void SetEnabled(int base, int n, bool on) { ws.Image.SetBitAt(base + n / 8, 7 - n % 8, on); }
    Workspace ws;
};

TEST_F(Fixups, GroupMovesToTheNextUsableGroup) {
    struct Case {
        int Group;
        std::array<bool, 3> Usable;
        int Expected;
    };
    const Case cases[] = {
        {0, {false, true, true}, 1},   {0, {false, false, true}, 2}, {1, {true, false, true}, 2},
        {1, {true, false, false}, 0},  {2, {true, true, false}, 0},  {2, {false, true, false}, 1},
        {2, {false, false, false}, 2}, {1, {true, true, true}, 1},
    };
    for (const Case& c : cases) {
        for (int g = 0; g < 3; ++g) {
            SetUsable(g, c.Usable[static_cast<size_t>(g)]);
        }
        ws.Image[0x0005] = 0;
        ws.Image[0x0004] = static_cast<uint8_t>(c.Group);
        PreWriteFixups(ws.Model, ws.Image);
        EXPECT_EQ(ws.Image[0x0004], c.Expected) << "group " << c.Group;
    }
}

TEST_F(Fixups, ChannelOfTheCurrentGroup) {
    ws.Image[0x0005] = 0;
    ws.Image[0x0004] = 1;
    ws.Image[0x0006] = 16;  // International 16 (CALLING) is enabled
    ws.Image[0x0007] = 99;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0006], 16);
    EXPECT_EQ(ws.Image[0x0007], 16);

    ws.Image[0x0006] = 0xFF;  // never valid: the plan's first enabled channel
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0006], 0);  // International 0 (TELEPHONE)
    EXPECT_EQ(ws.Image[0x0007], 0);

    ws.Image[0x0006] = 1;  // International 1 is off
    SetEnabled(0x0050, 1, false);
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0006], 0);
}

TEST_F(Fixups, EmptyPlanFallsBackToTheFirstExpChannel) {
    for (ChannelRec& ch : ws.Model.Usa) {
        ch.Enable = kOff;
    }
    ws.Model.Exp[4].Enable = kOn;
    ws.Image[0x0005] = 0;
    ws.Image[0x0004] = 0;
    SetUsable(0, true);
    SetUsable(1, false);
    SetUsable(2, false);
    ws.Image[0x0006] = 50;  // not enabled in the image bitmap below
    SetEnabled(0x0040, 50, false);
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0006], 164);  // EXP channel 5
    EXPECT_EQ(ws.Image[0x0007], 164);

    ws.Model.Exp[4].Enable = kOff;  // nothing enabled anywhere: the bytes stay
    ws.Image[0x0006] = 50;
    ws.Image[0x0007] = 51;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0006], 50);
    EXPECT_EQ(ws.Image[0x0007], 51);
}

TEST_F(Fixups, ChannelModeWithGroupAboveTwoChangesNothing) {
    ws.Image[0x0005] = 0;
    ws.Image[0x0004] = 3;
    ws.Image[0x0006] = 0xEE;
    ws.Image[0x0007] = 0xDD;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0004], 3);
    EXPECT_EQ(ws.Image[0x0006], 0xEE);
    EXPECT_EQ(ws.Image[0x0007], 0xDD);
}

TEST_F(Fixups, WeatherMode) {
    ws.Image[0x0005] = 1;
    ws.Image[0x0004] = 7;  // not touched in weather mode
    ws.Image[0x0008] = 12;
    ws.Image[0x0006] = 3;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0008], 12);  // outside 0-9: kept
    EXPECT_EQ(ws.Image[0x0006], 12);
    EXPECT_EQ(ws.Image[0x0004], 7);

    ws.Image[0x0008] = 9;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0008], 9);

    SetEnabled(0x0070, 9, false);
    ws.Model.Wx[0].Enable = kOff;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0008], 1);  // the first enabled weather channel of the model
    EXPECT_EQ(ws.Image[0x0006], 1);

    for (ChannelRec& ch : ws.Model.Wx) {
        ch.Enable = kOff;
    }
    ws.Image[0x0008] = 9;
    ws.Image[0x0006] = 40;
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0008], 9);
    EXPECT_EQ(ws.Image[0x0006], 40);
}

TEST_F(Fixups, OtherModesSkipTheChannelFixes) {
    ws.Image[0x0005] = 2;
    ws.Image[0x0004] = 0;
    ws.Image[0x0006] = 0xFF;
    ws.Image[0x0008] = 0;
    SetUsable(0, false);
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0004], 0);
    EXPECT_EQ(ws.Image[0x0006], 0xFF);
}

TEST_F(Fixups, ChannelSlots) {
    SetUsable(0, true);
    SetUsable(3, true);
    SetEnabled(0x0072, 10, true);
    SetEnabled(0x0040, 16, true);
    SetEnabled(0x0040, 17, false);
    const uint8_t slots[8] = {16, 17, 170, 171, 0xFF, 114, 200, 159};
    for (int i = 0; i < 8; ++i) {
        ws.Image[0x0100 + i] = slots[i];
        ws.Image[0x0120 + i] = 16;
    }
    SetUsable(2, false);
    PreWriteFixups(ws.Model, ws.Image);
    const uint8_t expected[8] = {16, 0xFF, 170, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ws.Image[0x0100 + i], expected[i]) << i;
        EXPECT_EQ(ws.Image[0x0120 + i], 0xFF) << "Canada is not usable";
    }
    ws.Image[0x0100] = 170;
    SetUsable(3, false);
    PreWriteFixups(ws.Model, ws.Image);
    EXPECT_EQ(ws.Image[0x0100], 0xFF);
}

TEST_F(Fixups, UserMmsiPresentByte) {
    for (const auto& [mmsi, expected] : std::initializer_list<std::pair<const char*, int>>{
             {"", 0}, {"   ", 0}, {"2111", 1}, {" 1 ", 1}}) {
        ws.Model.DscBasic.UserMmsi = mmsi;
        PreWriteFixups(ws.Model, ws.Image);
        EXPECT_EQ(ws.Image[0x0147], expected) << '"' << mmsi << '"';
    }
}

TEST(ChannelValidTest, Boundaries) {
    RadioImage image = Filled(0x00);
    image[0x001F] = 0x0F;
    image[0x004E] = 0x40;  // USA 113
    image[0x0076] = 0x01;  // EXP channel 40 (bitmap position 39)
    image[0x0072] = 0x80;  // EXP channel 1
    EXPECT_TRUE(ChannelValid(image, 113, 0));
    EXPECT_FALSE(ChannelValid(image, 112, 0));
    EXPECT_TRUE(ChannelValid(image, 199, 0));
    EXPECT_TRUE(ChannelValid(image, 160, 2));
    EXPECT_FALSE(ChannelValid(image, 200, 0));
    EXPECT_FALSE(ChannelValid(image, 159, 0));
    EXPECT_FALSE(ChannelValid(image, 114, 0));
    EXPECT_FALSE(ChannelValid(image, 113, 4));
    EXPECT_TRUE(ChannelValid(image, 0, 3));  // channel 0 of group 3 reads the EXP bitmap
    image[0x001F] = 0x07;
    EXPECT_FALSE(ChannelValid(image, 113, 0));
    image[0x001F] = 0x0E;
    EXPECT_FALSE(ChannelValid(image, 199, 0));
}

TEST(Checksum, SumOfTheEnableBitmapBytes) {
    RadioImage image = Filled(0xFF);
    StoreChecksum(image);
    EXPECT_EQ(image[0x005F], 0xE3);
    image[0x0041] = 0x00;  // outside the summed range
    image[0x005E] = 0x00;
    StoreChecksum(image);
    EXPECT_EQ(image[0x005F], (28 * 255) & 0xFF);
}

// ---- Round trips over generated images ----

// The bytes the codec never writes, and the bits of shared bytes it keeps.
bool UntouchedByte(int a) {
    static const std::pair<int, int> kRanges[] = {
        {0x0000, 0x0003}, {0x000A, 0x0013}, {0x0018, 0x0018}, {0x001B, 0x001B}, {0x001D, 0x001E},
        {0x0020, 0x0022}, {0x0024, 0x002F}, {0x004F, 0x004F}, {0x006F, 0x006F}, {0x0077, 0x0079},
        {0x008F, 0x008F}, {0x009F, 0x009F}, {0x00AF, 0x00AF}, {0x00B7, 0x00FF}, {0x0108, 0x010F},
        {0x0118, 0x011F}, {0x0128, 0x013F}, {0x0156, 0x0159}, {0x015C, 0x015C}, {0x015E, 0x015F},
        {0x0168, 0x017F}, {0x01F2, 0x01FF}, {0x0272, 0x027F}, {0x02F2, 0x02FF}, {0x0AD8, 0x0ADF},
        {0x1038, 0x103F}, {0x1598, 0x159F}, {0x1618, 0x161F}, {0x1A00, 0x1FFD},
    };
    for (const auto& [first, last] : kRanges) {
        if (a >= first && a <= last) {
            return true;
        }
    }
    return a >= 0x0300 && a < 0x0580 && (a - 0x0300) % 16 >= 10;
}

class RoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(RoundTrip, DecodeEncodeIsStableAndKeepsForeignBytes) {
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    for (int round = 0; round < 25; ++round) {
        const int modelType = round % 2 == 0 ? 1 : 11;
        Workspace ws = Fresh(modelType);
        RadioImage original;
        for (int a = 0; a < kImageSize; ++a) {
            // Bias towards the values that matter: 0x00, 0xFF and decimal-looking bytes.
            const unsigned r = rng();
            original[a] = r % 4 == 0   ? 0xFF
                          : r % 4 == 1 ? static_cast<uint8_t>(r >> 8)
                                       : static_cast<uint8_t>((r >> 8) % 0xA0);
        }
        ws.Image = original;
        DecodeImage(ws.Model, ws.Image, modelType);
        EncodeImage(ws.Model, ws.Image, modelType);
        for (int a = 0; a < kImageSize; ++a) {
            if (UntouchedByte(a)) {
                ASSERT_EQ(ws.Image[a], original[a]) << "address " << a;
            }
        }
        EXPECT_EQ(ws.Image[0x0017] & 0xEE, original[0x0017] & 0xEE);
        EXPECT_EQ(ws.Image[0x0140] & 0xF0, original[0x0140] & 0xF0);
        for (int a = kImageSize; a < kImageBufferSize; a += 997) {
            EXPECT_EQ(ws.Image[a], original[a]);
        }

        // The first pass normalises what the radio may hold but the program never writes
        // (duplex on a channel without duplex, transmit code 2, unused bits); from then on
        // decode and encode reproduce each other exactly.
        const RadioImage encoded = ws.Image;
        DecodeImage(ws.Model, ws.Image, modelType);
        const SettingsModel decoded = ws.Model;
        EncodeImage(ws.Model, ws.Image, modelType);
        EXPECT_EQ(ws.Image, encoded);
        DecodeImage(ws.Model, ws.Image, modelType);
        EXPECT_TRUE(ws.Model == decoded);
        PrepareImageForWrite(ws.Model, ws.Image, modelType);
        const RadioImage prepared = ws.Image;
        PrepareImageForWrite(ws.Model, ws.Image, modelType);
        EXPECT_EQ(ws.Image, prepared) << "fix-ups settle in one pass";
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoundTrip, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace tq530
