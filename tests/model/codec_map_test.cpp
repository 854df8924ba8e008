// Every flag, byte, name and digit field of the general settings, checked at its own address
// and bit in both directions, and checked not to touch any other bit of the image.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/workspace.h"
#include "model/image_codec.h"

namespace tq530 {
namespace {

struct BitCase {
    int Address;
    int Bit;
    const char* Name;
    std::function<Flag&(SettingsModel&)> Field;
};

#define F(expr) [](SettingsModel& m) -> Flag& { return m.expr; }

// The address map, written out from the radio's memory layout.
const BitCase kBits[] = {
    {0x001F, 3, "Usable USA", F(UsableGroups[0].Usable)},
    {0x001F, 2, "Usable International", F(UsableGroups[1].Usable)},
    {0x001F, 1, "Usable Canada", F(UsableGroups[2].Usable)},
    {0x001F, 0, "Usable EXP", F(UsableGroups[3].Usable)},
    {0x0017, 0, "Scan", F(Common.Scan)},
    {0x0017, 4, "DualWatch", F(Common.DualWatch)},
    {0x0023, 7, "TimeDisplay", F(Common.TimeDisplay)},
    {0x0140, 3, "DSC Group 0", F(DscBasic.Group[0])},
    {0x0140, 2, "DSC Group 1", F(DscBasic.Group[1])},
    {0x0140, 1, "DSC Group 2", F(DscBasic.Group[2])},
    {0x0140, 0, "DSC Group 3", F(DscBasic.Group[3])},
    {0x0153, 2, "PosRequest 0", F(DscBasic.PosRequest[0])},
    {0x0153, 3, "PosRequest 1", F(DscBasic.PosRequest[1])},
    {0x0153, 7, "PosRequest 2", F(DscBasic.PosRequest[2])},
    {0x0153, 5, "PosRequest 3", F(DscBasic.PosRequest[3])},
    {0x0153, 6, "PosRequestTx 2", F(DscBasic.PosRequestTx[2])},
    {0x0153, 4, "PosRequestTx 3", F(DscBasic.PosRequestTx[3])},
    {0x0154, 7, "BeepOut 0", F(DscBasic.BeepOut[0])},
    {0x0155, 7, "BeepOut 1", F(DscBasic.BeepOut[1])},
    {0x0155, 4, "BeepOut 2", F(DscBasic.BeepOut[2])},
    {0x0155, 5, "BeepOut 3", F(DscBasic.BeepOut[3])},
    {0x0155, 6, "BeepOut 4", F(DscBasic.BeepOut[4])},
    {0x0155, 3, "BeepOut 5", F(DscBasic.BeepOut[5])},
    {0x0155, 2, "BeepOut 6", F(DscBasic.BeepOut[6])},
    {0x0154, 3, "IndividualAckMenu", F(DscDisplay.IndividualAckMenu)},
    {0x0154, 2, "IndividualAckMessageMenu", F(DscDisplay.IndividualAckMessageMenu)},
    {0x0154, 1, "PosRequestAckMenu", F(DscDisplay.PosRequestAckMenu)},
    {0x0150, 7, "AllShipsCall 0", F(DscAdvanced.AllShipsCall[0])},
    {0x0150, 4, "AllShipsCall 3", F(DscAdvanced.AllShipsCall[3])},
    {0x0150, 3, "AllShipsCallTx 0", F(DscAdvanced.AllShipsCallTx[0])},
    {0x0150, 0, "AllShipsCallTx 3", F(DscAdvanced.AllShipsCallTx[3])},
    {0x0151, 6, "GroupCall 1", F(DscAdvanced.GroupCall[1])},
    {0x0151, 1, "GroupCallTx 2", F(DscAdvanced.GroupCallTx[2])},
    {0x0152, 5, "IndividualCall 2", F(DscAdvanced.IndividualCall[2])},
    {0x0152, 2, "IndividualCallTx 1", F(DscAdvanced.IndividualCallTx[1])},
    {0x0148, 7, "UsableAtisGroup 0", F(Atis.UsableAtisGroup[0])},
    {0x0148, 4, "UsableAtisGroup 3", F(Atis.UsableAtisGroup[3])},
    {0x0148, 3, "UsableAtisKikkerGroup 0", F(Atis.UsableAtisKikkerGroup[0])},
    {0x0148, 0, "UsableAtisKikkerGroup 3", F(Atis.UsableAtisKikkerGroup[3])},
};

// Whole bytes that hold a flag: nonzero reads as on, written as 1 or 0.
const BitCase kFlagBytes[] = {
    {0x0019, 0, "PttScanClear", F(Common.PttScanClear)},
    {0x0160, 0, "AutoPos Enable", F(AutoPos.Polling[1].Enable)},
    {0x0141, 0, "PosPollOnCch", F(AutoPos.PosPollOnCch)},
};
#undef F

Workspace Fresh(int modelType = 11) {
    Workspace ws;
    ws.SetModelType(static_cast<int16_t>(modelType));
    NewData(ws);
    return ws;
}

// The image bytes that differ between two images, as "addr:old->new" for messages.
std::string Differences(const RadioImage& a, const RadioImage& b) {
    std::string out;
    for (int i = 0; i < kImageSize; ++i) {
        if (a[i] != b[i]) {
            out +=
                std::to_string(i) + ":" + std::to_string(a[i]) + "->" + std::to_string(b[i]) + " ";
        }
    }
    return out;
}

TEST(AddressMap, EachFlagBitEncodesAtItsOwnBitOnly) {
    // Model type 11 keeps the usable flags as they are set (no empty-plan rule).
    for (const BitCase& c : kBits) {
        SCOPED_TRACE(c.Name);
        for (const Flag value : {kOn, kOff}) {
            Workspace ws = Fresh();
            c.Field(ws.Model) = value == kOn ? kOff : kOn;
            EncodeImage(ws.Model, ws.Image, ws.ModelType);
            RadioImage before = ws.Image;
            c.Field(ws.Model) = value;
            EncodeImage(ws.Model, ws.Image, ws.ModelType);
            const uint8_t mask = static_cast<uint8_t>(1u << c.Bit);
            EXPECT_EQ((ws.Image[c.Address] & mask) != 0, value == kOn);
            before[c.Address] =
                static_cast<uint8_t>((before[c.Address] & ~mask) | (ws.Image[c.Address] & mask));
            EXPECT_EQ(Differences(before, ws.Image), "");
        }
    }
}

TEST(AddressMap, EachFlagBitDecodesFromItsOwnBit) {
    for (const BitCase& c : kBits) {
        SCOPED_TRACE(c.Name);
        Workspace ws = Fresh(1);
        RadioImage image;
        image.Bytes.fill(0x00);
        DecodeImage(ws.Model, image, 1);
        EXPECT_EQ(c.Field(ws.Model), kOff);
        image[c.Address] = static_cast<uint8_t>(1u << c.Bit);
        DecodeImage(ws.Model, image, 1);
        EXPECT_EQ(c.Field(ws.Model), kOn);
        // Every other bit of the byte set, this one clear: off.
        image[c.Address] = static_cast<uint8_t>(~(1u << c.Bit));
        DecodeImage(ws.Model, image, 1);
        EXPECT_EQ(c.Field(ws.Model), kOff);
    }
}

TEST(AddressMap, FlagBytesReadNonzeroAsOnAndWriteOneOrZero) {
    for (const BitCase& c : kFlagBytes) {
        SCOPED_TRACE(c.Name);
        Workspace ws = Fresh();
        ws.Image[c.Address] = 0x80;
        DecodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(c.Field(ws.Model), kOn);
        c.Field(ws.Model) = 5;  // any nonzero value is on
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(ws.Image[c.Address], 1);
        c.Field(ws.Model) = kOff;
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(ws.Image[c.Address], 0);
    }
}

TEST(AddressMap, ByteFieldsAtTheirAddressesWithClamping) {
    struct ByteCase {
        int Address;
        const char* Name;
        std::function<void(SettingsModel&, int)> Set;
        std::function<int(const SettingsModel&)> Get;
    };
    const ByteCase cases[] = {
        {0x0009, "TxPoDisplay", [](SettingsModel& m, int v) { m.Common.TxPoDisplay = int16_t(v); },
         [](const SettingsModel& m) { return int(m.Common.TxPoDisplay); }},
        {0x001A, "ResumeTime", [](SettingsModel& m, int v) { m.Common.ResumeTime = int16_t(v); },
         [](const SettingsModel& m) { return int(m.Common.ResumeTime); }},
        {0x001C, "Weather", [](SettingsModel& m, int v) { m.Common.Weather = int16_t(v); },
         [](const SettingsModel& m) { return int(m.Common.Weather); }},
        {0x0014, "PriorityCh 0", [](SettingsModel& m, int v) { m.UsableGroups[0].PriorityCh = v; },
         [](const SettingsModel& m) { return int(m.UsableGroups[0].PriorityCh); }},
        {0x0015, "PriorityCh 1", [](SettingsModel& m, int v) { m.UsableGroups[1].PriorityCh = v; },
         [](const SettingsModel& m) { return int(m.UsableGroups[1].PriorityCh); }},
        {0x0016, "PriorityCh 2", [](SettingsModel& m, int v) { m.UsableGroups[2].PriorityCh = v; },
         [](const SettingsModel& m) { return int(m.UsableGroups[2].PriorityCh); }},
        {0x0161, "Channel", [](SettingsModel& m, int v) { m.AutoPos.Polling[1].Channel = v; },
         [](const SettingsModel& m) { return int(m.AutoPos.Polling[1].Channel); }},
        {0x0162, "Interval", [](SettingsModel& m, int v) { m.AutoPos.Polling[1].Interval = v; },
         [](const SettingsModel& m) { return int(m.AutoPos.Polling[1].Interval); }},
    };
    for (const ByteCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Workspace ws = Fresh();
        ws.Image[c.Address] = 0xC3;
        DecodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(c.Get(ws.Model), 0xC3);
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        const RadioImage before = ws.Image;
        c.Set(ws.Model, 77);
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(ws.Image[c.Address], 77);
        RadioImage expected = before;
        expected[c.Address] = 77;
        EXPECT_EQ(Differences(expected, ws.Image), "");
        c.Set(ws.Model, 300);
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(ws.Image[c.Address], 255);
        c.Set(ws.Model, -4);
        EncodeImage(ws.Model, ws.Image, ws.ModelType);
        EXPECT_EQ(ws.Image[c.Address], 0);
    }
}

TEST(AddressMap, LastAddressFollowsSelectCall) {
    Workspace ws = Fresh();
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

TEST(AddressMap, NamesAndDigitFields) {
    Workspace ws = Fresh();
    ws.Model.UsableGroups[0].StatusName = "AB";
    ws.Model.UsableGroups[3].StatusName = "WXYZ";
    ws.Model.DscBasic.UserMmsi = "123456789";
    ws.Model.AutoPos.Polling[1].Mmsi = "987654321";
    ws.Model.Atis.AtisCode = "9211234567";
    EncodeImage(ws.Model, ws.Image, ws.ModelType);
    const uint8_t status0[] = {'A', 'B', 0xFF, 0xFF};
    const uint8_t status3[] = {'W', 'X', 'Y', 'Z'};
    const uint8_t mmsi[] = {0x12, 0x34, 0x56, 0x78, 0x90};
    const uint8_t poll[] = {0x98, 0x76, 0x54, 0x32, 0x10};
    const uint8_t atis[] = {0x92, 0x11, 0x23, 0x45, 0x67};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ws.Image[0x0030 + i], status0[i]) << i;
        EXPECT_EQ(ws.Image[0x003C + i], status3[i]) << i;
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ws.Image[0x0142 + i], mmsi[i]) << i;
        EXPECT_EQ(ws.Image[0x0163 + i], poll[i]) << i;
        EXPECT_EQ(ws.Image[0x0149 + i], atis[i]) << i;
    }
    // The tenth nibble of an MMSI is always 0; the ATIS code keeps all ten.
    ws.Model.DscBasic.UserMmsi = "1234567899";
    ws.Model.Atis.AtisCode = "1234567899";
    EncodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Image[0x0146], 0x90);
    EXPECT_EQ(ws.Image[0x014D], 0x99);
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    EXPECT_EQ(ws.Model.DscBasic.UserMmsi, "1234567890");
    EXPECT_EQ(ws.Model.UsableGroups[0].StatusName, "AB");
}

TEST(AddressMap, OffsetTimeSharesItsByteWithTimeDisplay) {
    Workspace ws = Fresh();
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
    EXPECT_FALSE(FixModelForEncode(ws.Model, ws.ModelType));
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
