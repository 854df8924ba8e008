#include "model/model_traits.h"

#include <gtest/gtest.h>

#include "core/workspace.h"
#include "model/image_codec.h"
#include "model/radio_image.h"

namespace tq530 {
namespace {

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
        // Another type must not change the size of an image read or loaded afterwards.
        EXPECT_EQ(ws.Image.Size(), kImageSize);

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
