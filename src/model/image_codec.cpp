#include "model/image_codec.h"

#include <algorithm>
#include <type_traits>

#include "model/bit_ops.h"
#include "model/display_texts.h"
#include "model/encodings.h"
#include "model/image_layout.h"
#include "model/model_traits.h"
#include "model/text_util.h"

namespace tq530 {

namespace {

// ---- The address map of the settings outside the plans and directories. ----

using FlagRef = Flag& (*)(SettingsModel&);
using TextRef = std::string& (*)(SettingsModel&);

struct BitField {
    int Address;
    int Bit;
    FlagRef Field;
    bool KikkerGroup = false;  // read only by the models that decode them
};

struct FlagByte {  // a whole byte holding a flag: nonzero is on, written as 1 or 0
    int Address;
    FlagRef Field;
};

struct ByteField {
    int Address;
    int32_t (*Get)(const SettingsModel&);
    void (*Set)(SettingsModel&, int32_t);
};

struct NameField {
    int Address;
    int Width;
    TextRef Field;
};

struct DigitField {
    int Address;
    bool ZeroLastNibble;
    TextRef Field;
};

#define TQ_FLAG(expr) [](SettingsModel& m) -> Flag& { return m.expr; }
#define TQ_TEXT(expr) [](SettingsModel& m) -> std::string& { return m.expr; }
#define TQ_BYTE(expr)                                                                           \
    [](const SettingsModel& m) -> int32_t { return m.expr; }, [](SettingsModel& m, int32_t v) { \
        m.expr = static_cast<std::remove_reference_t<decltype(m.expr)>>(v);                     \
    }

const BitField kBitFields[] = {
    {0x001F, 3, TQ_FLAG(UsableGroups[0].Usable)},
    {0x001F, 2, TQ_FLAG(UsableGroups[1].Usable)},
    {0x001F, 1, TQ_FLAG(UsableGroups[2].Usable)},
    {0x001F, 0, TQ_FLAG(UsableGroups[3].Usable)},
    {0x0017, 0, TQ_FLAG(Common.Scan)},
    {0x0017, 4, TQ_FLAG(Common.DualWatch)},
    {0x0023, 7, TQ_FLAG(Common.TimeDisplay)},
    {0x0140, 3, TQ_FLAG(DscBasic.Group[0])},
    {0x0140, 2, TQ_FLAG(DscBasic.Group[1])},
    {0x0140, 1, TQ_FLAG(DscBasic.Group[2])},
    {0x0140, 0, TQ_FLAG(DscBasic.Group[3])},
    {0x0153, 2, TQ_FLAG(DscBasic.PosRequest[0])},
    {0x0153, 3, TQ_FLAG(DscBasic.PosRequest[1])},
    {0x0153, 7, TQ_FLAG(DscBasic.PosRequest[2])},
    {0x0153, 5, TQ_FLAG(DscBasic.PosRequest[3])},
    {0x0153, 6, TQ_FLAG(DscBasic.PosRequestTx[2])},
    {0x0153, 4, TQ_FLAG(DscBasic.PosRequestTx[3])},
    {0x0154, 7, TQ_FLAG(DscBasic.BeepOut[0])},
    {0x0155, 7, TQ_FLAG(DscBasic.BeepOut[1])},
    {0x0155, 4, TQ_FLAG(DscBasic.BeepOut[2])},
    {0x0155, 5, TQ_FLAG(DscBasic.BeepOut[3])},
    {0x0155, 6, TQ_FLAG(DscBasic.BeepOut[4])},
    {0x0155, 3, TQ_FLAG(DscBasic.BeepOut[5])},
    {0x0155, 2, TQ_FLAG(DscBasic.BeepOut[6])},
    {0x0150, 7, TQ_FLAG(DscAdvanced.AllShipsCall[0])},
    {0x0150, 6, TQ_FLAG(DscAdvanced.AllShipsCall[1])},
    {0x0150, 5, TQ_FLAG(DscAdvanced.AllShipsCall[2])},
    {0x0150, 4, TQ_FLAG(DscAdvanced.AllShipsCall[3])},
    {0x0150, 3, TQ_FLAG(DscAdvanced.AllShipsCallTx[0])},
    {0x0150, 2, TQ_FLAG(DscAdvanced.AllShipsCallTx[1])},
    {0x0150, 1, TQ_FLAG(DscAdvanced.AllShipsCallTx[2])},
    {0x0150, 0, TQ_FLAG(DscAdvanced.AllShipsCallTx[3])},
    {0x0151, 7, TQ_FLAG(DscAdvanced.GroupCall[0])},
    {0x0151, 6, TQ_FLAG(DscAdvanced.GroupCall[1])},
    {0x0151, 5, TQ_FLAG(DscAdvanced.GroupCall[2])},
    {0x0151, 4, TQ_FLAG(DscAdvanced.GroupCall[3])},
    {0x0151, 3, TQ_FLAG(DscAdvanced.GroupCallTx[0])},
    {0x0151, 2, TQ_FLAG(DscAdvanced.GroupCallTx[1])},
    {0x0151, 1, TQ_FLAG(DscAdvanced.GroupCallTx[2])},
    {0x0151, 0, TQ_FLAG(DscAdvanced.GroupCallTx[3])},
    {0x0152, 7, TQ_FLAG(DscAdvanced.IndividualCall[0])},
    {0x0152, 6, TQ_FLAG(DscAdvanced.IndividualCall[1])},
    {0x0152, 5, TQ_FLAG(DscAdvanced.IndividualCall[2])},
    {0x0152, 4, TQ_FLAG(DscAdvanced.IndividualCall[3])},
    {0x0152, 3, TQ_FLAG(DscAdvanced.IndividualCallTx[0])},
    {0x0152, 2, TQ_FLAG(DscAdvanced.IndividualCallTx[1])},
    {0x0152, 1, TQ_FLAG(DscAdvanced.IndividualCallTx[2])},
    {0x0152, 0, TQ_FLAG(DscAdvanced.IndividualCallTx[3])},
    {0x0154, 1, TQ_FLAG(DscDisplay.PosRequestAckMenu)},
    {0x0154, 2, TQ_FLAG(DscDisplay.IndividualAckMessageMenu)},
    {0x0154, 3, TQ_FLAG(DscDisplay.IndividualAckMenu)},
    {0x0148, 7, TQ_FLAG(Atis.UsableAtisGroup[0])},
    {0x0148, 6, TQ_FLAG(Atis.UsableAtisGroup[1])},
    {0x0148, 5, TQ_FLAG(Atis.UsableAtisGroup[2])},
    {0x0148, 4, TQ_FLAG(Atis.UsableAtisGroup[3])},
    {0x0148, 3, TQ_FLAG(Atis.UsableAtisKikkerGroup[0]), true},
    {0x0148, 2, TQ_FLAG(Atis.UsableAtisKikkerGroup[1]), true},
    {0x0148, 1, TQ_FLAG(Atis.UsableAtisKikkerGroup[2]), true},
    {0x0148, 0, TQ_FLAG(Atis.UsableAtisKikkerGroup[3]), true},
};

const FlagByte kFlagBytes[] = {
    {0x0019, TQ_FLAG(Common.PttScanClear)},
    {0x0160, TQ_FLAG(AutoPos.Polling[1].Enable)},
    {0x0141, TQ_FLAG(AutoPos.PosPollOnCch)},
};

const ByteField kByteFields[] = {
    {0x0014, TQ_BYTE(UsableGroups[0].PriorityCh)},
    {0x0015, TQ_BYTE(UsableGroups[1].PriorityCh)},
    {0x0016, TQ_BYTE(UsableGroups[2].PriorityCh)},
    {0x0009, TQ_BYTE(Common.TxPoDisplay)},
    {0x001A, TQ_BYTE(Common.ResumeTime)},
    {0x001C, TQ_BYTE(Common.Weather)},
    {0x0161, TQ_BYTE(AutoPos.Polling[1].Channel)},
    {0x0162, TQ_BYTE(AutoPos.Polling[1].Interval)},
    {0x015D, TQ_BYTE(AutoPos.Polling[1].SelectCall)},
};

const NameField kNameFields[] = {
    {0x0030, kStatusNameWidth, TQ_TEXT(UsableGroups[0].StatusName)},
    {0x0034, kStatusNameWidth, TQ_TEXT(UsableGroups[1].StatusName)},
    {0x0038, kStatusNameWidth, TQ_TEXT(UsableGroups[2].StatusName)},
    {0x003C, kStatusNameWidth, TQ_TEXT(UsableGroups[3].StatusName)},
};

const DigitField kDigitFields[] = {
    {0x0142, true, TQ_TEXT(DscBasic.UserMmsi)},
    {0x0163, true, TQ_TEXT(AutoPos.Polling[1].Mmsi)},
    {0x0149, false, TQ_TEXT(Atis.AtisCode)},
};

#undef TQ_FLAG
#undef TQ_TEXT
#undef TQ_BYTE

constexpr int kOffsetTimeAddress = 0x0023;
constexpr int kLastAddressSlots[] = {0x015A, 0x015B};  // by SelectCall 0 and 1

// Byte settings outside 0-255 can only come from a hand-edited settings file; the radio gets
// the nearest value it can hold.
uint8_t ClampByte(int32_t value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
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
    for (const BitField& f : kBitFields) {
        if (f.KikkerGroup && !traits.DecodesKikkerGroups) {
            continue;
        }
        f.Field(model) = ToFlag(image.Bit(f.Address, f.Bit) != 0);
    }
    for (const FlagByte& f : kFlagBytes) {
        f.Field(model) = ToFlag(image[f.Address] != 0);
    }
    for (const ByteField& f : kByteFields) {
        f.Set(model, image[f.Address]);
    }
    for (const NameField& f : kNameFields) {
        f.Field(model) = ReadName(image, f.Address, f.Width);
    }
    for (const DigitField& f : kDigitFields) {
        f.Field(model) = ReadDigits(image, f.Address);
    }
    model.Common.OffsetTime = static_cast<int16_t>(DecodeOffset(image[kOffsetTimeAddress]));
    PollingEntry& polling = model.AutoPos.Polling[1];
    if (polling.SelectCall == 0 || polling.SelectCall == 1) {
        polling.LastAddress = image[kLastAddressSlots[polling.SelectCall]];
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

void EncodeImage(SettingsModel& model, RadioImage& image, int modelType) {
    if (TraitsOf(modelType).ChecksUsableGroups) {
        for (int group = 0; group < kGroupCount; ++group) {
            if (PlanHasNoEnabledChannel(model, group)) {
                model.UsableGroups[static_cast<size_t>(group)].Usable = kOff;
            }
        }
    }
    model.Common.OffsetTime = static_cast<int16_t>(ClampOffset(model.Common.OffsetTime));

    for (const BitField& f : kBitFields) {
        image.SetBitAt(f.Address, f.Bit, IsFlagSet(f.Field(model)));
    }
    for (const FlagByte& f : kFlagBytes) {
        image[f.Address] = static_cast<uint8_t>(IsFlagSet(f.Field(model)));
    }
    for (const ByteField& f : kByteFields) {
        image[f.Address] = ClampByte(f.Get(model));
    }
    for (const NameField& f : kNameFields) {
        WriteName(image, f.Address, f.Field(model), f.Width);
    }
    for (const DigitField& f : kDigitFields) {
        WriteDigits(image, f.Address, f.Field(model), f.ZeroLastNibble);
    }
    uint8_t& offset = image[kOffsetTimeAddress];
    offset = static_cast<uint8_t>((offset & 0x80) | EncodeOffset(model.Common.OffsetTime));
    const PollingEntry& polling = model.AutoPos.Polling[1];
    if (polling.SelectCall == 0 || polling.SelectCall == 1) {
        image[kLastAddressSlots[polling.SelectCall]] = ClampByte(polling.LastAddress);
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
            r = exp < 0 ? -1 : kExpChannelBase + exp;
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
    if (channel >= kExpChannelBase && channel < kExpChannelBase + kExpChannelCount) {
        return GroupUsable(image, 3) &&
               BitmapBit(image, LayoutOf(PlanId::Exp).EnableBase, channel - kExpChannelBase);
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
    image[kUserMmsiPresentAddress] = Trim(model.DscBasic.UserMmsi).empty() ? 0 : 1;
}

void PrepareImageForWrite(SettingsModel& model, RadioImage& image, int modelType) {
    EncodeImage(model, image, modelType);
    PreWriteFixups(model, image);
    StoreChecksum(image);
}

}  // namespace tq530
