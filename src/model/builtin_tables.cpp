#include "model/builtin_tables.h"

#include <initializer_list>

namespace tq530 {

namespace {

// One row of a built-in plan: a tag and its attributes for a list of channel indexes.
struct PlanRow {
    const char* Tag;
    bool RxOnly;
    bool Duplex;
    bool LowPower;
    std::initializer_list<int> Indexes;
};

constexpr bool kRx = true;
constexpr bool kDup = true;
constexpr bool kLow = true;
constexpr bool no = false;

const std::initializer_list<PlanRow> kUsaPlan = {
    {"VTS", no, no, no, {1, 9, 20, 22, 26, 63}},
    {"SAFTY", no, no, no, {10}},
    {"COMMERCIAL", no, no, no, {13, 14, 18, 35, 37, 111, 113}},
    {"CALLING", no, no, no, {16}},
    {"BRG/BRG", no, no, kLow, {24, 70}},
    {"COMMERCIAL", kRx, no, no, {28}},
    {"DISTRESS", no, no, no, {30}},
    {"SAR", no, no, kLow, {32}},
    {"PORT OPR", no, kDup, no, {38}},
    {"PORT OPR", no, no, no, {39, 67, 69, 82, 84}},
    {"CCG", no, no, no, {41, 99, 101}},
    {"USCG", no, no, no, {43, 45, 103}},
    {"TELEPHONE", no, kDup, no, {46, 48, 50, 52, 54, 104, 106, 108}},
    {"SHIP-SHIP", no, no, no, {72, 80, 93, 95, 97}},
    {"PLEASURE", no, no, no, {74, 78}},
    {"DSC", kRx, no, no, {76}},
    {"PORT OPR", no, no, kLow, {86, 88, 90}},
};

const std::initializer_list<PlanRow> kInternationalPlan = {
    {"TELEPHONE", no, kDup, no, {0, 2, 4, 46, 48, 50, 52, 54, 56, 64, 104, 106, 108}},
    {"INTL",
     no,
     kDup,
     no,
     {6, 8, 12, 34, 36, 40, 42, 44, 58, 60, 62, 66, 68, 92, 94, 96, 98, 100, 102}},
    {"SAFTY", no, no, no, {10}},
    {"COMMERCIAL", no, no, no, {14, 18}},
    {"CALLING", no, no, no, {16}},
    {"VTS", no, no, no, {20, 22, 26}},
    {"BRG/BRG", no, no, no, {24, 70}},
    {"COMMERCIAL", no, no, kLow, {28}},
    {"DISTRESS", no, no, no, {30}},
    {"SAR", no, no, kLow, {32}},
    {"PORT OPR", no, kDup, no, {38}},
    {"SHIP-SHIP", no, no, no, {72, 80}},
    {"PLEASURE", no, no, no, {74, 78}},
    {"DSC", kRx, no, no, {76}},
    {"PORT OPR", no, no, no, {82, 84, 90, 110, 112}},
    {"PORT OPR", no, no, kLow, {86, 88}},
};

const std::initializer_list<PlanRow> kCanadaPlan = {
    {"TELEPHONE", no, kDup, no, {0, 2, 4, 46, 48, 50, 52, 54, 56, 64, 104, 106, 108}},
    {"CCG", no, no, no, {7, 41, 59, 61, 99, 101, 103}},
    {"VTS", no, no, no, {9, 20, 22, 26}},
    {"SAFETY", no, no, no, {10}},
    {"COMMERCIAL", no, no, no, {13, 14, 18, 35, 37, 65}},
    {"CALLING", no, no, no, {16}},
    {"BRG/BRG", no, no, kLow, {24}},
    {"COMMERCIAL", no, no, kLow, {28}},
    {"DISTRESS", no, no, no, {30}},
    {"SAR", no, no, kLow, {32}},
    {"PORT OPR", no, kDup, kLow, {38}},
    {"USCG", no, no, no, {43}},
    {"INTL", no, kDup, no, {44}},
    {"SHIP-SHIP", no, no, no, {63, 72, 80, 93, 95, 97}},
    {"PORT OPT", no, no, no, {67}},
    {"PORT OPT", no, no, kLow, {69}},
    {"BRG/BRG", no, no, no, {70}},
    {"PLEASURE", no, no, no, {74, 78}},
    {"DSC", kRx, no, no, {76}},
    {"PORT OPR", no, no, no, {82, 84, 110, 112}},
    {"PORT OPR", no, no, kLow, {86, 88, 90}},
    {"CCG", no, kDup, no, {102}},
};

WxChannelTable BuildWeatherTable() {
    struct Row {
        const char* Name;
        double Mhz;
        const char* Label;
    };
    static constexpr Row kRows[] = {
        {"162.550MHZ", 162.550, "WX01[162.550MHz]"}, {"162.400MHZ", 162.400, "WX02[162.400MHz]"},
        {"162.475MHZ", 162.475, "WX03[162.475MHz]"}, {"162.425MHZ", 162.425, "WX04[162.425MHz]"},
        {"162.450MHZ", 162.450, "WX05[162.450MHz]"}, {"162.500MHZ", 162.500, "WX06[162.500MHz]"},
        {"162.525MHZ", 162.525, "WX07[162.525MHz]"}, {"161.650MHZ", 161.650, "WX08[161.650MHz]"},
        {"161.775MHZ", 161.775, "WX09[161.775MHz]"}, {"163.275MHZ", 163.275, "WX10[163.275MHz]"},
    };
    WxChannelTable table{};
    for (size_t i = 0; i < table.size(); ++i) {
        WxChannelEntry& e = table[i];
        e.Number = static_cast<int>(i) + 1;
        e.Name = kRows[i].Name;
        e.TxFreq = e.RxFreq = kRows[i].Mhz;
        e.DuplexRxFreq = 0.0;
        e.HasDuplex = false;
        e.LowPower = true;
        e.Label = kRows[i].Label;
    }
    return table;
}

}  // namespace

const WxChannelTable& WeatherChannels() {
    static const WxChannelTable table = BuildWeatherTable();
    return table;
}

void BuildDefaultPlan(ChannelPlan& plan, PlanId id) {
    BuildPlan(plan);
    const std::initializer_list<PlanRow>* rows = nullptr;
    switch (id) {
        case PlanId::Usa:
            rows = &kUsaPlan;
            break;
        case PlanId::International:
            rows = &kInternationalPlan;
            break;
        case PlanId::Canada:
            rows = &kCanadaPlan;
            break;
        default:
            return;
    }
    for (const PlanRow& row : *rows) {
        for (const int index : row.Indexes) {
            SetPlanChannel(plan, index, row.RxOnly, row.Duplex, row.LowPower, row.Tag);
        }
    }
}

void BuildWxPlan(ChannelPlan& plan, const WxChannelTable& table) {
    plan.clear();
    for (const WxChannelEntry& e : table) {
        if (e.Number == 0) {
            continue;
        }
        ChannelRec ch;
        ch.Position = static_cast<int16_t>(e.Number);
        ch.Enable = kOn;
        ch.LowPower = ToFlag(e.LowPower);
        ch.PowUp = kOff;
        ch.Duplex = ToFlag(e.HasDuplex);
        ch.DuplexAllowed = kOff;
        ch.TxEnable = kOn;
        ch.DispayA = kOn;
        ch.ScanMemory = kOff;
        ch.ChTag = e.Label;
        plan.push_back(ch);
    }
}

}  // namespace tq530
