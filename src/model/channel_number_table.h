// The fixed table of the 114 marine channel numbers and frequencies of the preset plans.
#pragma once

#include <array>
#include <string>

namespace tq530 {

struct ChannelNumberEntry {
    std::string Name;
    double TxFreq = 0.0;
    double RxFreq = 0.0;
    double DuplexRxFreq = 0.0;
    bool HasDuplex = false;
};

using ChannelNumberTable = std::array<ChannelNumberEntry, 114>;

// Builds the table: channels 01-28 and 60-88, each followed by its "A" twin.
ChannelNumberTable BuildChannelNumberTable();

// The table, built once on first use and never changed afterwards.
const ChannelNumberTable& Channels();

}  // namespace tq530
