// The keys of the screen tree's fixed nodes, and the codes that start the keys of its numbered
// nodes ("PU 5", "SM 3", "E 12"). Every place that names a node uses these.
#pragma once

namespace tq530::key {

constexpr const char* kGeneral = "General";
constexpr const char* kUsable = "Usable";
constexpr const char* kCommon = "Common";
constexpr const char* kDsc = "DSC";
constexpr const char* kAtis = "ATIS";
constexpr const char* kProgram = "Program";
constexpr const char* kUsa = "PU";
constexpr const char* kInternational = "PI";
constexpr const char* kCanada = "PC";
constexpr const char* kWeather = "PW";
constexpr const char* kDscSetting = "DSCSetting";
constexpr const char* kMemoryIds = "SM";
constexpr const char* kGroupIds = "SG";
constexpr const char* kExpChannel = "ExpChannel";
// The code of the EXP channels' own nodes, under kExpChannel.
constexpr const char* kExp = "E";

}  // namespace tq530::key
