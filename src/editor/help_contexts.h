// The help topics of the editor's controls: F1 on a control opens the help at its number.
#pragma once

namespace tq530 {

constexpr int kHelpScreenTree = 1054;
constexpr int kHelpDirectoryAddDelete = 1049;
constexpr int kHelpDirectoryEntryNumber = 1050;
constexpr int kHelpDirectoryMmsi = 1051;
constexpr int kHelpChannelEnable = 1028;
constexpr int kHelpTxEnable = 1029;
constexpr int kHelpDuplex = 1030;
constexpr int kHelpLowPowerOnly = 1031;
constexpr int kHelpPowerUp = 1032;
constexpr int kHelpScanMemory = 1033;
constexpr int kHelpChannelName = 1034;
constexpr int kHelpScrambler = 1064;
constexpr int kHelpChannelGrid = 1077;

}  // namespace tq530
