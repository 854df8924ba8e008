#include "model/settings_model.h"

#include "model/channel_number_table.h"

namespace tq530 {

bool ChannelRec::operator==(const ChannelRec& o) const {
    return Position == o.Position && Enable == o.Enable && LowPower == o.LowPower &&
           PowUp == o.PowUp && Duplex == o.Duplex && DuplexAllowed == o.DuplexAllowed &&
           TxEnable == o.TxEnable && DispayA == o.DispayA && ScanMemory == o.ScanMemory &&
           ChTag == o.ChTag && Scramble == o.Scramble && RxOnly == o.RxOnly && Narrow == o.Narrow &&
           CHDisplayL == o.CHDisplayL && CHDisplayR == o.CHDisplayR && Txfreq == o.Txfreq &&
           Rxfreq == o.Rxfreq;
}

bool CommonSetup::operator==(const CommonSetup& o) const {
    return TxPoDisplay == o.TxPoDisplay && Scan == o.Scan && TimeDisplay == o.TimeDisplay &&
           ResumeTime == o.ResumeTime && PttScanClear == o.PttScanClear &&
           DualWatch == o.DualWatch && OffsetTime == o.OffsetTime && Weather == o.Weather;
}

bool DscBasicSetup::operator==(const DscBasicSetup& o) const {
    return Group == o.Group && UserMmsi == o.UserMmsi && PosRequest == o.PosRequest &&
           PosRequestTx == o.PosRequestTx && BeepOut == o.BeepOut;
}

bool DscAdvancedSetup::operator==(const DscAdvancedSetup& o) const {
    return AllShipsCall == o.AllShipsCall && AllShipsCallTx == o.AllShipsCallTx &&
           GroupCall == o.GroupCall && GroupCallTx == o.GroupCallTx &&
           IndividualCall == o.IndividualCall && IndividualCallTx == o.IndividualCallTx;
}

bool DscDisplaySetup::operator==(const DscDisplaySetup& o) const {
    return IndividualAckMenu == o.IndividualAckMenu &&
           IndividualAckMessageMenu == o.IndividualAckMessageMenu &&
           PosRequestAckMenu == o.PosRequestAckMenu;
}

bool PollingEntry::operator==(const PollingEntry& o) const {
    return Mmsi == o.Mmsi && Enable == o.Enable && RcEnable == o.RcEnable && Channel == o.Channel &&
           Interval == o.Interval && SelectCall == o.SelectCall && LastAddress == o.LastAddress;
}

bool AutoPosSetup::operator==(const AutoPosSetup& o) const {
    return MenuDisplay == o.MenuDisplay && Polling == o.Polling && PosPollOnCch == o.PosPollOnCch;
}

bool AtisSetup::operator==(const AtisSetup& o) const {
    return UsableAtisGroup == o.UsableAtisGroup && AtisCode == o.AtisCode &&
           UsableAtisKikkerGroup == o.UsableAtisKikkerGroup;
}

bool DirectoryEntry::operator==(const DirectoryEntry& o) const {
    return Enable == o.Enable && TagName == o.TagName && Mmsid == o.Mmsid && Channels == o.Channels;
}

bool SettingsModel::operator==(const SettingsModel& o) const {
    return Usa == o.Usa && International == o.International && Canada == o.Canada && Wx == o.Wx &&
           Exp == o.Exp && UsableGroups == o.UsableGroups && Common == o.Common &&
           DscBasic == o.DscBasic && DscAdvanced == o.DscAdvanced && DscDisplay == o.DscDisplay &&
           AutoPos == o.AutoPos && Atis == o.Atis && CallSigns == o.CallSigns &&
           MemoryIds == o.MemoryIds && GroupIds == o.GroupIds;
}

ChannelPlan& SettingsModel::Plan(PlanId id) {
    return const_cast<ChannelPlan&>(static_cast<const SettingsModel&>(*this).Plan(id));
}

const ChannelPlan& SettingsModel::Plan(PlanId id) const {
    switch (id) {
        case PlanId::Usa:
            return Usa;
        case PlanId::International:
            return International;
        case PlanId::Canada:
            return Canada;
        case PlanId::Wx:
            return Wx;
        case PlanId::Exp:
            break;
    }
    return Exp;
}

ChannelPlan& SettingsModel::GroupPlan(int group) {
    return const_cast<ChannelPlan&>(static_cast<const SettingsModel&>(*this).GroupPlan(group));
}

const ChannelPlan& SettingsModel::GroupPlan(int group) const {
    return group == 3 ? Exp : Plan(static_cast<PlanId>(group));
}

void BuildPlan(ChannelPlan& plan) {
    const ChannelNumberTable& table = Channels();
    plan.assign(table.size(), ChannelRec{});
    for (size_t i = 0; i < table.size(); ++i) {
        ChannelRec& ch = plan[i];
        ch.Position = static_cast<int16_t>(i);
        ch.DuplexAllowed = ToFlag(table[i].HasDuplex);
        ch.TxEnable = kOn;
    }
}

void SetPlanChannel(ChannelPlan& plan, int index, bool rxOnly, bool duplex, bool lowPower,
                    const std::string& tag) {
    ChannelRec& ch = plan.at(static_cast<size_t>(index));
    ch.RxOnly = ToFlag(rxOnly);
    if (rxOnly) {
        ch.DuplexAllowed = kOff;
    }
    ch.TxEnable = ToFlag(!rxOnly);
    ch.ChTag = tag;
    ch.Enable = kOn;
    ch.Duplex = ToFlag(duplex);
    ch.LowPower = ToFlag(lowPower);
}

void ResetDirectory(DirectoryEntry* entries, int count) {
    for (int k = 0; k < count; ++k) {
        entries[k] = DirectoryEntry{};
    }
}

int FirstEnabledChannel(const ChannelPlan& plan) {
    for (size_t i = 0; i < plan.size(); ++i) {
        if (plan[i].Enable != 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool PlanHasNoEnabledChannel(const SettingsModel& model, int group) {
    if (group < 0 || group > 3) {
        return false;
    }
    return FirstEnabledChannel(model.GroupPlan(group)) == -1;
}

}  // namespace tq530
