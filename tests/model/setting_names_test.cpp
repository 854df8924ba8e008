// The names a verify gives to differing addresses: right for the settings people look for,
// and nothing the decoder reads left as anonymous radio data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/workspace.h"
#include "model/image_codec.h"
#include "model/model_traits.h"
#include "model/setting_names.h"

namespace tq530 {
namespace {

using ::testing::ElementsAre;

TEST(SettingNames, NameTheSettingsOfPlansDirectoriesAndTheGeneralArea) {
    const struct {
        int Address;
        const char* Name;
    } cases[] = {
        {0x0580, "USA CH 01: name"},                   // first byte of the first name
        {0x058B, "USA CH 01: name"},                   // its last byte
        {0x058C, "USA CH 01A: name"},                  // the twin's first byte
        {0x0580 + 12 * 113 + 11, "USA CH 88A: name"},  // the very last USA name byte
        {0x0AE0 + 12 * 30, "International CH 16: name"},
        {0x0180 + 30, "USA CH 16: TX, LOW, UP, DUP"},
        {0x0040, "USA CH 01-04A: enable"},
        {0x0080 + 14, "USA CH 88-88A: MEM"},  // the last bitmap byte holds 2 channels
        {0x0071, "Wx CH 9-10: enable"},
        {0x0072 + 4, "EXP CH 33-40: enable"},
        {0x15A0 + 12 * 9, "Wx CH 10: name"},
        {0x0300, "EXP CH 1: TX, LOW, UP, narrow"},
        {0x0300 + 16 * 39 + 4, "EXP CH 40: RX"},
        {0x0300 + 16 * 39 + 9, "EXP CH 40: TX frequency"},
        {0x1800, "Memory ID 1: MMSI"},
        {0x1800 + 16 * 23 + 15, "Memory ID 24: name"},
        {0x1980 + 16 * 7 + 5, "Group ID 8: name"},
        {0x001A, "Common Setup: Resume Time"},
        {0x0146, "DSC Setup (Basic Setup): User MMSI"},
        {0x0147, "DSC Setup (Basic Setup): User MMSI Count"},
        {0x0002, kUnnamedData},
        {0x0010, kUnnamedData},
        {0x0400, "EXP CH 17: TX, LOW, UP, narrow"},  // the records run on to 0x057F
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingNameAt(c.Address), c.Name) << std::hex << c.Address;
    }
}

TEST(SettingNames, EveryByteTheDecoderReadsHasAName) {
    // Whatever changes the decoded settings when its byte changes must be told by name.
    int model = 1;
    for (int type = 1; type <= kModelMenuEntries + 1; ++type) {
        if (TraitsOf(type).Supported && TraitsOf(type).DecodesKikkerGroups) {
            model = type;
        }
    }
    Workspace ws;
    ws.SetModelType(static_cast<int16_t>(model));
    NewData(ws);  // the plans and directories the decoder fills
    const RadioImage base = ws.Image;
    SettingsModel before = ws.Model;
    DecodeImage(before, base, model);
    int named = 0;
    for (int address = 2; address < 8190; ++address) {
        // A letter or a digit where a name holds none, a flipped bit, all bits flipped.
        const uint8_t was = base[address];
        for (const uint8_t value :
             {uint8_t{'A'}, uint8_t{0x12}, uint8_t(was ^ 0x01), uint8_t(was ^ 0xFF)}) {
            RadioImage image = base;
            image[address] = value;
            SettingsModel after = before;
            DecodeImage(after, image, model);
            if (!(after == before)) {
                ASSERT_NE(SettingNameAt(address), kUnnamedData) << "address " << address;
                ++named;
                break;
            }
        }
    }
    // Not a vacuous pass: flags, bytes, digits and the used positions of every name count.
    EXPECT_GT(named, 2000);
}

TEST(SettingNames, DescribeGroupsRunsOfOneSettingAndCountsWhatDoesNotFit) {
    EXPECT_THAT(DescribeAddresses({0x0580, 0x0581, 0x0582, 0x058C, 0x001A}, 10),
                ElementsAre("0x0580-0x0582 USA CH 01: name", "0x058C USA CH 01A: name",
                            "0x001A Common Setup: Resume Time"));
    // Adjacent addresses of two settings stay apart; a gap starts a new run.
    EXPECT_THAT(DescribeAddresses({0x058B, 0x058C, 0x058E}, 10),
                ElementsAre("0x058B USA CH 01: name", "0x058C USA CH 01A: name",
                            "0x058E USA CH 01A: name"));
    EXPECT_THAT(
        DescribeAddresses({0x1800, 0x1810, 0x1820, 0x1830}, 2),
        ElementsAre("0x1800 Memory ID 1: MMSI", "0x1810 Memory ID 2: MMSI", "... and 2 more"));
    EXPECT_TRUE(DescribeAddresses({}, 5).empty());
}

}  // namespace
}  // namespace tq530
