// The settings the operator edits: channel plans, usable groups, common, DSC and ATIS
// settings and the two MMSI directories. One instance lives in the Workspace.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace tq530 {

// Settings flags hold -1 for on and 0 for off; any nonzero value counts as on.
using Flag = int16_t;
constexpr Flag kOn = -1;
constexpr Flag kOff = 0;
inline Flag ToFlag(bool on) {
    return on ? kOn : kOff;
}

struct ChannelRec {
    int16_t Position = 0;
    Flag Enable = kOff;
    Flag LowPower = kOff;
    Flag PowUp = kOff;
    Flag Duplex = kOff;
    Flag DuplexAllowed = kOff;
    Flag TxEnable = kOff;
    Flag DispayA = kOff;
    Flag ScanMemory = kOff;
    std::string ChTag;
    int16_t Scramble = 0;
    Flag RxOnly = kOff;
    Flag Narrow = kOff;
    std::string CHDisplayL;
    std::string CHDisplayR;
    double Txfreq = 0.0;
    double Rxfreq = 0.0;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const {
        return std::tie(Position, Enable, LowPower, PowUp, Duplex, DuplexAllowed, TxEnable, DispayA,
                        ScanMemory, ChTag, Scramble, RxOnly, Narrow, CHDisplayL, CHDisplayR, Txfreq,
                        Rxfreq);
    }
    bool operator==(const ChannelRec& o) const { return Tie() == o.Tie(); }
    bool operator!=(const ChannelRec& o) const { return !(*this == o); }
};

using ChannelPlan = std::vector<ChannelRec>;

// The five plans. USA, International and Canada are also the usable groups 0-2; EXP is group 3.
enum class PlanId { Usa = 0, International = 1, Canada = 2, Wx = 3, Exp = 4 };

constexpr int kPresetChannelCount = 114;
constexpr int kWxChannelCount = 10;
constexpr int kExpChannelCount = 40;
constexpr int kGroupCount = 4;
constexpr int kMemoryIdCount = 24;
constexpr int kGroupIdCount = 8;
constexpr int kCallSignCount = 32;
constexpr int kDirectoryChannelFlags = 80;

struct UsableGroup {
    Flag Usable = kOff;
    int32_t PriorityCh = 0;
    std::string StatusName;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const { return std::tie(Usable, PriorityCh, StatusName); }
    bool operator==(const UsableGroup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const UsableGroup& o) const { return !(*this == o); }
};

struct CommonSetup {
    int16_t TxPoDisplay = 0;
    Flag Scan = kOff;
    Flag TimeDisplay = kOff;
    int16_t ResumeTime = 0;
    Flag PttScanClear = kOff;
    Flag DualWatch = kOff;
    int16_t OffsetTime = 0;
    int16_t Weather = 0;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const {
        return std::tie(TxPoDisplay, Scan, TimeDisplay, ResumeTime, PttScanClear, DualWatch,
                        OffsetTime, Weather);
    }
    bool operator==(const CommonSetup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const CommonSetup& o) const { return !(*this == o); }
};

using Flags4 = std::array<Flag, 4>;

struct DscBasicSetup {
    Flags4 Group{};
    std::string UserMmsi;
    Flags4 PosRequest{};
    Flags4 PosRequestTx{};
    std::array<Flag, 8> BeepOut{};

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const { return std::tie(Group, UserMmsi, PosRequest, PosRequestTx, BeepOut); }
    bool operator==(const DscBasicSetup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const DscBasicSetup& o) const { return !(*this == o); }
};

struct DscAdvancedSetup {
    Flags4 AllShipsCall{};
    Flags4 AllShipsCallTx{};
    Flags4 GroupCall{};
    Flags4 GroupCallTx{};
    Flags4 IndividualCall{};
    Flags4 IndividualCallTx{};

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const {
        return std::tie(AllShipsCall, AllShipsCallTx, GroupCall, GroupCallTx, IndividualCall,
                        IndividualCallTx);
    }
    bool operator==(const DscAdvancedSetup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const DscAdvancedSetup& o) const { return !(*this == o); }
};

struct DscDisplaySetup {
    Flag IndividualAckMenu = kOff;
    Flag IndividualAckMessageMenu = kOff;
    Flag PosRequestAckMenu = kOff;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const {
        return std::tie(IndividualAckMenu, IndividualAckMessageMenu, PosRequestAckMenu);
    }
    bool operator==(const DscDisplaySetup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const DscDisplaySetup& o) const { return !(*this == o); }
};

struct PollingEntry {
    std::string Mmsi;
    Flag Enable = kOff;
    Flag RcEnable = kOff;
    int32_t Channel = 0;
    int32_t Interval = 0;
    int16_t SelectCall = 0;
    int32_t LastAddress = 0;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const {
        return std::tie(Mmsi, Enable, RcEnable, Channel, Interval, SelectCall, LastAddress);
    }
    bool operator==(const PollingEntry& o) const { return Tie() == o.Tie(); }
    bool operator!=(const PollingEntry& o) const { return !(*this == o); }
};

struct AutoPosSetup {
    Flag MenuDisplay = kOff;
    std::array<PollingEntry, 2> Polling{};
    Flag PosPollOnCch = kOff;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const { return std::tie(MenuDisplay, Polling, PosPollOnCch); }
    bool operator==(const AutoPosSetup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const AutoPosSetup& o) const { return !(*this == o); }
};

struct AtisSetup {
    Flags4 UsableAtisGroup{};
    std::string AtisCode;
    Flags4 UsableAtisKikkerGroup{};

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const { return std::tie(UsableAtisGroup, AtisCode, UsableAtisKikkerGroup); }
    bool operator==(const AtisSetup& o) const { return Tie() == o.Tie(); }
    bool operator!=(const AtisSetup& o) const { return !(*this == o); }
};

struct AtisCallSignEntry {
    std::string Mid;
    std::string Disp;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const { return std::tie(Mid, Disp); }
    bool operator==(const AtisCallSignEntry& o) const { return Tie() == o.Tie(); }
    bool operator!=(const AtisCallSignEntry& o) const { return !(*this == o); }
};
using AtisCallSign = std::array<AtisCallSignEntry, kCallSignCount>;  // entries 1-32 at 0-31

struct DirectoryEntry {
    Flag Enable = kOff;
    std::string TagName;
    std::string Mmsid;
    std::array<Flag, kDirectoryChannelFlags> Channels{};  // channel flags 1-80 at 0-79

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const { return std::tie(Enable, TagName, Mmsid, Channels); }
    bool operator==(const DirectoryEntry& o) const { return Tie() == o.Tie(); }
    bool operator!=(const DirectoryEntry& o) const { return !(*this == o); }
};
using MemoryIdDirectory = std::array<DirectoryEntry, kMemoryIdCount>;  // entries 1-24 at 0-23
using GroupIdDirectory = std::array<DirectoryEntry, kGroupIdCount>;    // entries 1-8 at 0-7

struct SettingsModel {
    ChannelPlan Usa;
    ChannelPlan International;
    ChannelPlan Canada;
    ChannelPlan Wx;   // weather channels 1-10 at 0-9
    ChannelPlan Exp;  // EXP channels 1-40 at 0-39
    std::array<UsableGroup, kGroupCount> UsableGroups{};
    CommonSetup Common;
    DscBasicSetup DscBasic;
    DscAdvancedSetup DscAdvanced;
    DscDisplaySetup DscDisplay;
    AutoPosSetup AutoPos;
    AtisSetup Atis;
    AtisCallSign CallSigns{};
    MemoryIdDirectory MemoryIds{};
    GroupIdDirectory GroupIds{};

    ChannelPlan& Plan(PlanId id);
    const ChannelPlan& Plan(PlanId id) const;
    // The plan of usable group 0-3 (USA, International, Canada, EXP).
    ChannelPlan& GroupPlan(int group);
    const ChannelPlan& GroupPlan(int group) const;

    // Every member, in order: equality compares them all (settings_model.cpp checks that
    // none is left out).
    auto Tie() const {
        return std::tie(Usa, International, Canada, Wx, Exp, UsableGroups, Common, DscBasic,
                        DscAdvanced, DscDisplay, AutoPos, Atis, CallSigns, MemoryIds, GroupIds);
    }
    bool operator==(const SettingsModel& o) const { return Tie() == o.Tie(); }
    bool operator!=(const SettingsModel& o) const { return !(*this == o); }
};

// Plan building and queries of the model.
void BuildPlan(ChannelPlan& plan);
void SetPlanChannel(ChannelPlan& plan, int index, bool rxOnly, bool duplex, bool lowPower,
                    const std::string& tag);
void ResetDirectory(DirectoryEntry* entries, int count);
template <size_t N>
void ResetDirectory(std::array<DirectoryEntry, N>& directory) {
    ResetDirectory(directory.data(), static_cast<int>(N));
}
int FirstEnabledChannel(const ChannelPlan& plan);
bool PlanHasNoEnabledChannel(const SettingsModel& model, int group);

}  // namespace tq530
