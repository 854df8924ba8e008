// Where each plan and directory lies in the radio image.
#pragma once

#include "model/settings_model.h"

namespace tq530 {

struct PlanLayout {
    PlanId Plan;
    int EnableBase;
    int ScanBase;
    int NameBase;
    int AttributeBase;  // attribute bytes, or the 16-byte records of the EXP plan; -1: none
    int ChannelCount;
    int BitmapBytes;
};

constexpr int kNameWidth = 12;
constexpr int kExpRecordSize = 16;
constexpr int kDirectoryRecordSize = 16;
constexpr int kDirectoryNameWidth = 11;
constexpr int kStatusNameWidth = 4;
constexpr int kExpDisplayWidth = 3;

constexpr PlanLayout kPlanLayouts[] = {
    {PlanId::Usa, 0x0040, 0x0080, 0x0580, 0x0180, kPresetChannelCount, 15},
    {PlanId::International, 0x0050, 0x0090, 0x0AE0, 0x0200, kPresetChannelCount, 15},
    {PlanId::Canada, 0x0060, 0x00A0, 0x1040, 0x0280, kPresetChannelCount, 15},
    {PlanId::Wx, 0x0070, 0x00B0, 0x15A0, -1, kWxChannelCount, 2},
    {PlanId::Exp, 0x0072, 0x00B2, 0x1620, 0x0300, kExpChannelCount, 5},
};

inline const PlanLayout& LayoutOf(PlanId id) {
    return kPlanLayouts[static_cast<int>(id)];
}

constexpr int kMemoryIdBase = 0x1800;
constexpr int kGroupIdBase = 0x1980;

// The radio's own state bytes that the pre-write fix-ups repair.
constexpr int kCurrentGroupAddress = 0x0004;
constexpr int kOperatingModeAddress = 0x0005;
constexpr int kCurrentChannelAddress = 0x0006;
constexpr int kCurrentChannelCopyAddress = 0x0007;
constexpr int kCurrentWxAddress = 0x0008;
constexpr int kUsableGroupsAddress = 0x001F;
constexpr int kSlotBases[] = {0x0100, 0x0110, 0x0120};
constexpr int kSlotCount = 8;
// EXP channel n (1-40) is stored as 159 + n where the radio keeps a current channel.
constexpr int kExpChannelNumberBase = 159;

// The settings outside the plans and directories that more than one place names.
constexpr int kPriorityChAddress = 0x0014;  // groups 1-3, a byte each
constexpr int kStatusNameBase = 0x0030;     // groups 1-4, kStatusNameWidth each
constexpr int kTimeSetupAddress = 0x0023;   // bit 7 time display, bits 6-0 offset
constexpr int kDscGroupsAddress = 0x0140;
constexpr int kUserMmsiAddress = 0x0142;
constexpr int kUserMmsiBytes = 5;
// How many more times the radio lets its user MMSI be set (the report's "Count").
constexpr int kUserMmsiCountAddress = 0x0147;
constexpr int kAtisGroupsAddress = 0x0148;
constexpr int kPosRequestAddress = 0x0153;
constexpr int kDscDisplayAddress = 0x0154;
constexpr int kLastAddressSlotBase = 0x015A;  // by the automatic report's select call 0-1

}  // namespace tq530
