// The catalogue of settings: one row for each field id, and every row a setting that the
// model's equality sees and that the image carries where the row places it.
#include "model/setting_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "core/workspace.h"
#include "model/encodings.h"
#include "model/image_codec.h"

namespace tq530 {
namespace {

Workspace Fresh() {
    Workspace ws;
    ws.SetModelType(1);
    NewData(ws);
    return ws;
}

// A value of the row's kind other than the current one that the image can hold.
void ChangeValue(const SettingRow& row, SettingsModel& m) {
    switch (row.Kind) {
        case ValueKind::OnOff:
            SetNumber(row, m, NumberOf(row, m) != 0 ? kOff : kOn);
            return;
        case ValueKind::Number: {
            const int32_t value = NumberOf(row, m);
            const int32_t limit = row.Image.How == Storage::Offset ? kOffsetLimit : 255;
            SetNumber(row, m, value == 3 ? 4 : 3);
            EXPECT_LE(NumberOf(row, m), limit);
            return;
        }
        case ValueKind::Text: {
            std::string& text = TextOf(row, m);
            const bool digits = row.Image.How == Storage::Digits;
            text = text == (digits ? "1234567890" : "AB") ? (digits ? "9876543210" : "CD")
                                                          : (digits ? "1234567890" : "AB");
            return;
        }
    }
}

TEST(SettingCatalogue, OneRowForEachFieldIdInOrderWithItsOwnCaption) {
    const std::vector<SettingRow>& rows = SettingCatalogue();
    ASSERT_EQ(rows.size(), static_cast<size_t>(FieldId::Count));
    std::set<std::string> captions;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(static_cast<size_t>(rows[i].Id), i);
        EXPECT_EQ(&RowOf(rows[i].Id), &rows[i]);
        EXPECT_TRUE(captions.insert(rows[i].Caption).second) << rows[i].Caption;
        const SettingAccess& a = rows[i].Access;
        EXPECT_EQ((a.Short != nullptr) + (a.Long != nullptr) + (a.Text != nullptr), 1);
        EXPECT_EQ(rows[i].Kind == ValueKind::Text, a.Text != nullptr) << rows[i].Caption;
    }
}

// The fields outside the catalogue are named by their controls; a new id without a caption
// would make an undo step without a name.
TEST(SettingCatalogue, EveryFieldIdHasACaption) {
    EXPECT_STREQ(FieldCaption(FieldId::PttScanClear), "PTT SCAN Clear");
    EXPECT_STREQ(FieldCaption(FieldId::LowPowerOnly), "Low Power Only");
    EXPECT_STREQ(FieldCaption(FieldId::StationName), "Station Name");
    for (int i = static_cast<int>(FieldId::Count) + 1;
         i <= static_cast<int>(FieldId::DirectoryMmsi); ++i) {
        EXPECT_STRNE(FieldCaption(static_cast<FieldId>(i)), "") << i;
    }
}

TEST(SettingCatalogue, EveryRowIsSeenByEqualityAndCarriedByTheImage) {
    const Workspace base = Fresh();
    for (const SettingRow& row : SettingCatalogue()) {
        SCOPED_TRACE(row.Caption);
        Workspace ws = base;
        // The last address is kept in the slot of select call 0 or 1 only.
        SetNumber(RowOf(FieldId::AutoPosSelectCall), ws.Model, 1);
        const SettingsModel before = ws.Model;
        ChangeValue(row, ws.Model);
        EXPECT_NE(ws.Model, before);
        // The comparison of data sets tells the change by the stored text.
        EXPECT_NE(StoredText(row, ws.Model), StoredText(row, before));
        if (row.Image.How == Storage::None) {
            continue;
        }
        // Model 11 keeps the usable flags as set; model 1 decodes every bit of the image.
        EncodeImage(ws.Model, ws.Image, 11);
        SettingsModel decoded = before;
        DecodeImage(decoded, ws.Image, 1);
        if (row.Kind == ValueKind::Text) {
            EXPECT_EQ(TextOf(row, decoded), TextOf(row, ws.Model));
        } else {
            EXPECT_EQ(NumberOf(row, decoded) != 0, NumberOf(row, ws.Model) != 0);
            if (row.Kind == ValueKind::Number) {
                EXPECT_EQ(NumberOf(row, decoded), NumberOf(row, ws.Model));
            }
        }
    }
}

TEST(SettingCatalogue, EqualitySeesTheFieldsOfChannelsDirectoriesAndCallSigns) {
    const Workspace base = Fresh();
    auto differs = [&](void (*change)(SettingsModel&)) {
        SettingsModel m = base.Model;
        change(m);
        return m != base.Model;
    };
    EXPECT_TRUE(differs([](SettingsModel& m) { m.Usa[5].DuplexAllowed ^= 1; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.Canada[7].Scramble = 9; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.Exp[39].Txfreq = 157.5; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.Exp[0].CHDisplayR = "Z"; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.Wx.pop_back(); }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.MemoryIds[23].Channels[79] = kOn; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.GroupIds[7].Mmsid = "1"; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.CallSigns[31].Disp = "X"; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.AutoPos.MenuDisplay = kOn; }));
    EXPECT_TRUE(differs([](SettingsModel& m) { m.AutoPos.Polling[0].RcEnable = kOn; }));
}

}  // namespace
}  // namespace tq530
