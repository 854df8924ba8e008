#include "model/channel_number_table.h"

#include <cstdio>

namespace tq530 {

namespace {

struct ChannelRun {
    int First;
    int Last;
    double FirstFreq;
};

// The two runs of marine channel numbers; each channel is followed by its simplex "A" twin.
constexpr ChannelRun kRuns[] = {{1, 28, 156.050}, {60, 88, 156.025}};
constexpr double kChannelStep = 0.05;
constexpr double kDuplexShift = 4.6;

}  // namespace

ChannelNumberTable BuildChannelNumberTable() {
    ChannelNumberTable table{};
    size_t index = 0;
    for (const ChannelRun& run : kRuns) {
        // A running sum, as the radio's own tables were made: the rounding of each step is kept.
        double f = run.FirstFreq;
        for (int n = run.First; n <= run.Last; ++n) {
            char name[8];
            std::snprintf(name, sizeof name, "%02d", n);
            ChannelNumberEntry& main = table[index++];
            main.Name = name;
            main.TxFreq = main.RxFreq = f;
            main.DuplexRxFreq = f + kDuplexShift;
            main.HasDuplex = true;
            ChannelNumberEntry& twin = table[index++];
            twin.Name = std::string(name) + "A";
            twin.TxFreq = twin.RxFreq = f;
            twin.DuplexRxFreq = 0.0;
            twin.HasDuplex = false;
            f += kChannelStep;
        }
    }
    return table;
}

const ChannelNumberTable& Channels() {
    static const ChannelNumberTable table = BuildChannelNumberTable();
    return table;
}

}  // namespace tq530
