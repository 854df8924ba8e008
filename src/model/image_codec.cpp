#include "model/image_codec.h"

#include <algorithm>

#include "model/bit_ops.h"
#include "model/display_texts.h"
#include "model/encodings.h"
#include "model/image_layout.h"
#include "model/model_traits.h"
#include "model/setting_catalogue.h"
#include "model/text_util.h"

namespace tq530 {

namespace {

// Byte settings outside 0-255 can only come from a hand-edited settings file; the radio gets
// the nearest value it can hold.
uint8_t ClampByte(int32_t value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

// The automatic report keeps its last address in the slot of its select call, 0 or 1; -1: none.
int LastAddressSlot(const SettingsModel& model) {
    const int selectCall = NumberOf(RowOf(FieldId::AutoPosSelectCall), model);
    return selectCall == 0 || selectCall == 1 ? selectCall : -1;
}

void EncodeSetting(const SettingRow& row, const SettingsModel& model, RadioImage& image) {
    const ImagePlace& at = row.Image;
    switch (at.How) {
        case Storage::None:
            break;
        case Storage::Bit:
            image.SetBitAt(at.Address, at.BitOrWidth, IsFlagSet(NumberOf(row, model)));
            break;
        case Storage::FlagByte:
            image[at.Address] = static_cast<uint8_t>(IsFlagSet(NumberOf(row, model)));
            break;
        case Storage::Byte:
            image[at.Address] = ClampByte(NumberOf(row, model));
            break;
        case Storage::Name:
            WriteName(image, at.Address, TextOf(row, model), at.BitOrWidth);
            break;
        case Storage::Digits:
            WriteDigits(image, at.Address, TextOf(row, model), at.ZeroLastNibble);
            break;
        case Storage::Offset: {
            const int offset = ClampOffset(NumberOf(row, model));
            uint8_t& byte = image[at.Address];
            byte = static_cast<uint8_t>((byte & 0x80) | EncodeOffset(offset));
            break;
        }
        case Storage::Slot:
            if (const int slot = LastAddressSlot(model); slot >= 0) {
                image[at.Address + slot] = ClampByte(NumberOf(row, model));
            }
            break;
    }
}

// ---- Channel bitmaps, attribute bytes, records. ----

void DecodeBitmap(ChannelPlan& plan, int count, const RadioImage& image, int base, int bytes,
                  Flag ChannelRec::*field) {
    for (int n = 0; n < count && n / 8 < bytes; ++n) {
        plan[static_cast<size_t>(n)].*field = ToFlag(image.Bit(base + n / 8, 7 - n % 8) != 0);
    }
}

void EncodeBitmap(const ChannelPlan& plan, RadioImage& image, int base, int bytes,
                  Flag ChannelRec::*field) {
    const int count = static_cast<int>(plan.size());
    for (int b = 0; b < bytes && b * 8 < count; ++b) {
        uint8_t value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const int n = b * 8 + bit;
            if (n < count && plan[static_cast<size_t>(n)].*field != 0) {
                value = static_cast<uint8_t>(value | (0x80 >> bit));
            }
        }
        image[base + b] = value;
    }
}

// Bits 7-6 of an attribute byte: 0 no transmit, 1 transmit at low power, 3 transmit at high
// power; 2 is never written and reads as no transmit.
void DecodeTxCode(ChannelRec& ch, uint8_t attribute) {
    const int t = attribute >> 6;
    ch.TxEnable = ToFlag(t == 1 || t == 3);
    ch.LowPower = ToFlag(t == 1);
}

uint8_t EncodeTxCode(const ChannelRec& ch) {
    if (ch.TxEnable == 0) {
        return 0x00;
    }
    return ch.LowPower != 0 ? 0x40 : 0xC0;
}

void DecodeNames(ChannelPlan& plan, int count, const RadioImage& image, int base) {
    for (int n = 0; n < count; ++n) {
        plan[static_cast<size_t>(n)].ChTag = ReadName(image, base + kNameWidth * n, kNameWidth);
    }
}

void EncodeNames(const ChannelPlan& plan, RadioImage& image, int base, int maxCount) {
    const int count = std::min(static_cast<int>(plan.size()), maxCount);
    for (int n = 0; n < count; ++n) {
        WriteName(image, base + kNameWidth * n, plan[static_cast<size_t>(n)].ChTag, kNameWidth);
    }
}

int DecodedCount(const ChannelPlan& plan, int channelCount) {
    return std::min(static_cast<int>(plan.size()), channelCount);
}

void EncodePresetPlan(const ChannelPlan& plan, RadioImage& image, const PlanLayout& at) {
    EncodeBitmap(plan, image, at.EnableBase, at.BitmapBytes, &ChannelRec::Enable);
    EncodeBitmap(plan, image, at.ScanBase, at.BitmapBytes, &ChannelRec::ScanMemory);
    EncodeNames(plan, image, at.NameBase, at.ChannelCount);
    const int count = std::min(static_cast<int>(plan.size()), at.ChannelCount);
    for (int n = 0; n < count; ++n) {
        const ChannelRec& ch = plan[static_cast<size_t>(n)];
        uint8_t attribute = EncodeTxCode(ch);
        if ((ch.Duplex & ch.DuplexAllowed) != 0) {
            attribute |= 0x20;
        }
        if (ch.PowUp != 0) {
            attribute |= 0x10;
        }
        image[at.AttributeBase + n] = attribute;
    }
}

void EncodeWxPlan(const ChannelPlan& plan, RadioImage& image) {
    const PlanLayout& at = LayoutOf(PlanId::Wx);
    EncodeBitmap(plan, image, at.EnableBase, at.BitmapBytes, &ChannelRec::Enable);
    EncodeBitmap(plan, image, at.ScanBase, at.BitmapBytes, &ChannelRec::ScanMemory);
    EncodeNames(plan, image, at.NameBase, at.ChannelCount);
}

void EncodeExpPlan(const ChannelPlan& plan, RadioImage& image) {
    const PlanLayout& at = LayoutOf(PlanId::Exp);
    EncodeBitmap(plan, image, at.EnableBase, at.BitmapBytes, &ChannelRec::Enable);
    EncodeBitmap(plan, image, at.ScanBase, at.BitmapBytes, &ChannelRec::ScanMemory);
    EncodeNames(plan, image, at.NameBase, at.ChannelCount);
    const int count = std::min(static_cast<int>(plan.size()), at.ChannelCount);
    for (int i = 0; i < count; ++i) {
        const ChannelRec& ch = plan[static_cast<size_t>(i)];
        const int record = at.AttributeBase + kExpRecordSize * i;
        uint8_t attribute = EncodeTxCode(ch);
        if (ch.PowUp != 0) {
            attribute |= 0x10;
        }
        if (ch.Narrow != 0) {
            attribute |= 0x01;
        }
        image[record] = attribute;
        WriteName(image, record + 1, ExpDisplayText(ch.CHDisplayL, ch.CHDisplayR),
                  kExpDisplayWidth);
        WriteFrequency(image, record + 4, ch.Rxfreq);
        WriteFrequency(image, record + 7, ch.Txfreq);
    }
}

void EncodeDirectory(const DirectoryEntry* entries, int count, RadioImage& image, int base) {
    for (int k = 0; k < count; ++k) {
        const int record = base + kDirectoryRecordSize * k;
        WriteDigits(image, record, entries[k].Mmsid, true);
        WriteName(image, record + 5, entries[k].TagName, kDirectoryNameWidth);
    }
}

}  // namespace

// ---- Decode ----

void DecodeGeneral(SettingsModel& model, const RadioImage& image, int modelType) {
    const ModelTraits& traits = TraitsOf(modelType);
    for (const SettingRow& row : SettingCatalogue()) {
        const ImagePlace& at = row.Image;
        switch (at.How) {
            case Storage::None:
                break;
            case Storage::Bit:
                if (!at.KikkerOnly || traits.DecodesKikkerGroups) {
                    SetNumber(row, model, ToFlag(image.Bit(at.Address, at.BitOrWidth) != 0));
                }
                break;
            case Storage::FlagByte:
                SetNumber(row, model, ToFlag(image[at.Address] != 0));
                break;
            case Storage::Byte:
                SetNumber(row, model, image[at.Address]);
                break;
            case Storage::Name:
                TextOf(row, model) = ReadName(image, at.Address, at.BitOrWidth);
                break;
            case Storage::Digits:
                TextOf(row, model) = ReadDigits(image, at.Address);
                break;
            case Storage::Offset:
                SetNumber(row, model, DecodeOffset(image[at.Address]));
                break;
            case Storage::Slot:
                if (const int slot = LastAddressSlot(model); slot >= 0) {
                    SetNumber(row, model, image[at.Address + slot]);
                }
                break;
        }
    }
}

void DecodePlan(ChannelPlan& plan, const RadioImage& image, int enableBase, int scanBase,
                int nameBase, int attributeBase, int channelCount, int bitmapBytes) {
    const int count = DecodedCount(plan, channelCount);
    DecodeBitmap(plan, count, image, enableBase, bitmapBytes, &ChannelRec::Enable);
    DecodeBitmap(plan, count, image, scanBase, bitmapBytes, &ChannelRec::ScanMemory);
    DecodeNames(plan, count, image, nameBase);
    for (int n = 0; n < count; ++n) {
        ChannelRec& ch = plan[static_cast<size_t>(n)];
        const uint8_t attribute = image[attributeBase + n];
        DecodeTxCode(ch, attribute);
        ch.Duplex = ToFlag((attribute & 0x20) != 0);
        ch.PowUp = ToFlag((attribute & 0x10) != 0);
    }
}

void DecodeWxPlan(ChannelPlan& plan, const RadioImage& image) {
    const PlanLayout& at = LayoutOf(PlanId::Wx);
    const int count = DecodedCount(plan, at.ChannelCount);
    DecodeBitmap(plan, count, image, at.EnableBase, at.BitmapBytes, &ChannelRec::Enable);
    DecodeBitmap(plan, count, image, at.ScanBase, at.BitmapBytes, &ChannelRec::ScanMemory);
    DecodeNames(plan, count, image, at.NameBase);
}

void DecodeExpPlan(ChannelPlan& plan, const RadioImage& image) {
    const PlanLayout& at = LayoutOf(PlanId::Exp);
    const int count = DecodedCount(plan, at.ChannelCount);
    DecodeBitmap(plan, count, image, at.EnableBase, at.BitmapBytes, &ChannelRec::Enable);
    DecodeBitmap(plan, count, image, at.ScanBase, at.BitmapBytes, &ChannelRec::ScanMemory);
    DecodeNames(plan, count, image, at.NameBase);
    for (int i = 0; i < count; ++i) {
        ChannelRec& ch = plan[static_cast<size_t>(i)];
        const int record = at.AttributeBase + kExpRecordSize * i;
        const uint8_t attribute = image[record];
        DecodeTxCode(ch, attribute);
        ch.PowUp = ToFlag((attribute & 0x10) != 0);
        ch.Narrow = ToFlag((attribute & 0x01) != 0);
        ch.CHDisplayL = ReadName(image, record + 1, 2);
        ch.CHDisplayR = ReadName(image, record + 3, 1);
        const double rx = ReadFrequency(image, record + 4);
        const double tx = ReadFrequency(image, record + 7);
        ch.Rxfreq = ExpFrequencyInRange(rx) ? rx : 0.0;
        ch.Txfreq = ExpFrequencyInRange(tx) ? tx : 0.0;
    }
}

void DecodeDirectory(DirectoryEntry* entries, const RadioImage& image, int base, int entryCount) {
    for (int k = 0; k < entryCount; ++k) {
        const int record = base + kDirectoryRecordSize * k;
        entries[k].Mmsid = ReadDigits(image, record);
        entries[k].TagName = ReadName(image, record + 5, kDirectoryNameWidth);
    }
    // A directory is a run of entries from the first; everything after the first entry
    // without an MMSI is empty, whatever the image holds there.
    bool ended = false;
    for (int k = 0; k < entryCount; ++k) {
        ended = ended || entries[k].Mmsid.empty();
        if (ended) {
            entries[k].Enable = kOff;
            entries[k].TagName.clear();
            entries[k].Mmsid.clear();
        } else {
            entries[k].Enable = kOn;
        }
    }
}

void DecodeImage(SettingsModel& model, const RadioImage& image, int modelType) {
    DecodeGeneral(model, image, modelType);
    for (const PlanLayout& at : kPlanLayouts) {
        if (at.Plan == PlanId::Wx || at.Plan == PlanId::Exp) {
            continue;
        }
        DecodePlan(model.Plan(at.Plan), image, at.EnableBase, at.ScanBase, at.NameBase,
                   at.AttributeBase, at.ChannelCount, at.BitmapBytes);
    }
    DecodeWxPlan(model.Wx, image);
    DecodeDirectory(model.MemoryIds.data(), image, kMemoryIdBase, kMemoryIdCount);
    DecodeDirectory(model.GroupIds.data(), image, kGroupIdBase, kGroupIdCount);
    DecodeExpPlan(model.Exp, image);
}

// ---- Encode ----

bool FixModelForEncode(SettingsModel& model, int modelType) {
    const SettingsModel before = model;
    if (TraitsOf(modelType).ChecksUsableGroups) {
        for (int group = 0; group < kGroupCount; ++group) {
            if (PlanHasNoEnabledChannel(model, group)) {
                model.UsableGroups[static_cast<size_t>(group)].Usable = kOff;
            }
        }
    }
    for (const SettingRow& row : SettingCatalogue()) {
        if (row.Image.How == Storage::Offset) {
            SetNumber(row, model, ClampOffset(NumberOf(row, model)));
        }
    }
    return model != before;
}

void EncodeImage(const SettingsModel& given, RadioImage& image, int modelType) {
    // The image holds what the radio can hold; the caller decides whether the model follows.
    SettingsModel model = given;
    FixModelForEncode(model, modelType);
    for (const SettingRow& row : SettingCatalogue()) {
        EncodeSetting(row, model, image);
    }

    for (const PlanId id : {PlanId::Usa, PlanId::International, PlanId::Canada}) {
        EncodePresetPlan(model.Plan(id), image, LayoutOf(id));
    }
    EncodeWxPlan(model.Wx, image);
    EncodeDirectory(model.MemoryIds.data(), kMemoryIdCount, image, kMemoryIdBase);
    EncodeDirectory(model.GroupIds.data(), kGroupIdCount, image, kGroupIdBase);
    EncodeExpPlan(model.Exp, image);
}

// ---- Pre-write fix-ups ----

namespace {

bool GroupUsable(const RadioImage& image, int group) {
    return image.Bit(kUsableGroupsAddress, 3 - group) != 0;
}

bool BitmapBit(const RadioImage& image, int base, int n) {
    return image.Bit(base + n / 8, 7 - n % 8) != 0;
}

void FixCurrentChannel(const SettingsModel& model, RadioImage& image) {
    const int g = image[kCurrentGroupAddress];
    if (g <= 2 && !GroupUsable(image, g)) {
        for (const int other : {(g + 1) % 3, (g + 2) % 3}) {
            if (GroupUsable(image, other)) {
                image[kCurrentGroupAddress] = static_cast<uint8_t>(other);
                break;
            }
        }
    }
    const int group = image[kCurrentGroupAddress];
    if (group > 2) {
        return;
    }
    const int c = image[kCurrentChannelAddress];
    int r = c;
    if (!ChannelValid(image, c, group)) {
        r = FirstEnabledChannel(model.GroupPlan(group));
        if (r < 0) {
            const int exp = FirstEnabledChannel(model.Exp);
            r = exp < 0 ? -1 : kExpChannelNumberBase + 1 + exp;
        }
    }
    if (r >= 0) {
        image[kCurrentChannelAddress] = static_cast<uint8_t>(r);
        image[kCurrentChannelCopyAddress] = static_cast<uint8_t>(r);
    }
}

void FixCurrentWeatherChannel(const SettingsModel& model, RadioImage& image) {
    int w = image[kCurrentWxAddress];
    const bool keep = w > 9 || BitmapBit(image, LayoutOf(PlanId::Wx).EnableBase, w);
    if (!keep) {
        w = FirstEnabledChannel(model.Wx);
    }
    if (w >= 0) {
        image[kCurrentWxAddress] = static_cast<uint8_t>(w);
        image[kCurrentChannelAddress] = static_cast<uint8_t>(w);
    }
}

}  // namespace

bool ChannelValid(const RadioImage& image, int channel, int group) {
    if (channel >= 0 && channel <= 113) {
        if (group < 0 || group > 3 || !GroupUsable(image, group)) {
            return false;
        }
        const PlanId plan = group == 3 ? PlanId::Exp : static_cast<PlanId>(group);
        return BitmapBit(image, LayoutOf(plan).EnableBase, channel);
    }
    const int exp = channel - kExpChannelNumberBase;  // 1-40
    if (exp >= 1 && exp <= kExpChannelCount) {
        return GroupUsable(image, 3) && BitmapBit(image, LayoutOf(PlanId::Exp).EnableBase, exp - 1);
    }
    return false;
}

void PreWriteFixups(const SettingsModel& model, RadioImage& image) {
    switch (image[kOperatingModeAddress]) {
        case 0:
            FixCurrentChannel(model, image);
            break;
        case 1:
            FixCurrentWeatherChannel(model, image);
            break;
        default:
            break;
    }
    for (int g = 0; g < 3; ++g) {
        for (int s = 0; s < kSlotCount; ++s) {
            uint8_t& slot = image[kSlotBases[g] + s];
            if (!ChannelValid(image, slot, g)) {
                slot = 0xFF;
            }
        }
    }
    image[kUserMmsiCountAddress] = Trim(TextOf(RowOf(FieldId::UserMmsi), model)).empty() ? 0 : 1;
}

void PrepareImageForWrite(const SettingsModel& model, RadioImage& image, int modelType) {
    EncodeImage(model, image, modelType);
    PreWriteFixups(model, image);
    StoreChecksum(image);
}

}  // namespace tq530
