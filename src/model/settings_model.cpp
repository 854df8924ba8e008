#include "model/settings_model.h"

#include "model/channel_number_table.h"

#include <utility>

namespace tq530 {

namespace {

// The size a struct of these members has when laid out in order with natural alignment. A
// member missing from a Tie() makes it differ from the struct's own size.
template <typename... M>
constexpr size_t LaidOutSize() {
    size_t size = 0;
    size_t align = 1;
    ((size = (size + alignof(M) - 1) / alignof(M) * alignof(M) + sizeof(M),
      align = alignof(M) > align ? alignof(M) : align),
     ...);
    return (size + align - 1) / align * align;
}

template <typename... M>
constexpr size_t TiedSize(std::tuple<const M&...>*) {
    return LaidOutSize<M...>();
}

template <typename S>
constexpr bool TiesEveryMember() {
    return TiedSize(static_cast<decltype(std::declval<const S&>().Tie())*>(nullptr)) == sizeof(S);
}

static_assert(TiesEveryMember<ChannelRec>());
static_assert(TiesEveryMember<UsableGroup>());
static_assert(TiesEveryMember<CommonSetup>());
static_assert(TiesEveryMember<DscBasicSetup>());
static_assert(TiesEveryMember<DscAdvancedSetup>());
static_assert(TiesEveryMember<DscDisplaySetup>());
static_assert(TiesEveryMember<PollingEntry>());
static_assert(TiesEveryMember<AutoPosSetup>());
static_assert(TiesEveryMember<AtisSetup>());
static_assert(TiesEveryMember<AtisCallSignEntry>());
static_assert(TiesEveryMember<DirectoryEntry>());
static_assert(TiesEveryMember<SettingsModel>());

}  // namespace

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
