#include "model/model_traits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/workspace.h"
#include "model/image_codec.h"
#include "model/radio_image.h"

namespace tq530 {
namespace {

TEST(ModelTraits, KnownVariantsAndEveryOtherTypeAsUnknown) {
    EXPECT_STREQ(TraitsOf(1).Name, "NR6120");
    EXPECT_STREQ(TraitsOf(1).MenuCaption, "NR6120");
    EXPECT_STREQ(TraitsOf(11).Name, "NR6120M");
    EXPECT_STREQ(TraitsOf(11).MenuCaption, "");
    for (int type : {-1, 0, 2, 3, 10, 12, 32767}) {
        SCOPED_TRACE(type);
        const ModelTraits& t = TraitsOf(type);
        EXPECT_STREQ(t.Name, "Unknown model");
        EXPECT_STREQ(t.MenuCaption, "");
        EXPECT_FALSE(t.Supported);
        EXPECT_STREQ(t.DestinationSuffix, "");
        // Another type must not change the size of an image read or loaded afterwards.
        EXPECT_EQ(t.ImageSize, kImageSize);
    }
}

TEST(ModelTraits, DestinationSuffixesCarryTheModelCodeInHex) {
    char code[8];
    std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(kModelCode));
    EXPECT_EQ(std::string(TraitsOf(1).DestinationSuffix), std::string("_") + code);
    EXPECT_EQ(std::string(TraitsOf(11).DestinationSuffix), std::string("-M_") + code);
}

// The rows drive the image and the codec: a supported type builds its default image, any
// other leaves the image alone; only the rows that say so decode the Kikker groups and clear
// the Usable flag of an empty plan.
TEST(ModelTraits, RowsDecideWhatTheImageAndTheCodecDo) {
    for (int type : {1, 2, 11}) {
        SCOPED_TRACE(type);
        const ModelTraits& t = TraitsOf(type);
        Workspace ws;
        ws.SetModelType(static_cast<int16_t>(type));
        EXPECT_EQ(ws.ModelName, t.Name);
        ws.Image.Bytes.fill(0x5A);
        NewData(ws);
        EXPECT_EQ(ws.Image[0x0002] == 0x00, t.Supported);  // a byte the codec leaves alone
        EXPECT_EQ(ws.Image.Size(), t.ImageSize);

        ws.Image[0x0148] = 0x0F;  // the four Kikker bits set, the four ATIS group bits clear
        ws.Model.Atis.UsableAtisKikkerGroup.fill(kOff);
        DecodeGeneral(ws.Model, ws.Image, type);
        EXPECT_EQ(ws.Model.Atis.UsableAtisKikkerGroup[2] == kOn, t.DecodesKikkerGroups);

        ws.Model.UsableGroups[3].Usable = kOn;  // the EXP plan has no enabled channel
        FixModelForEncode(ws.Model, type);
        EXPECT_EQ(ws.Model.UsableGroups[3].Usable == kOff, t.ChecksUsableGroups);
    }
}

}  // namespace
}  // namespace tq530
