// The built-in channel settings of the USA, International and Canada plans and the weather
// channel table that give a new data set its plans.
#pragma once

#include <array>
#include <string>

#include "model/settings_model.h"

namespace tq530 {

struct WxChannelEntry {
    int Number = 0;
    std::string Name;  // the frequency text
    double TxFreq = 0.0;
    double RxFreq = 0.0;
    double DuplexRxFreq = 0.0;
    bool HasDuplex = false;
    bool LowPower = true;
    std::string Label;
};

using WxChannelTable = std::array<WxChannelEntry, 10>;
const WxChannelTable& WeatherChannels();

// BuildPlan and the built-in channel settings of a preset plan (USA, International, Canada).
void BuildDefaultPlan(ChannelPlan& plan, PlanId id);
// The WX plan from the weather channel table.
void BuildWxPlan(ChannelPlan& plan, const WxChannelTable& table);

}  // namespace tq530
