#include "model/setting_catalogue.h"

#include <type_traits>
#include <utility>

#include "model/display_texts.h"
#include "model/image_layout.h"
#include "model/screen_keys.h"

namespace tq530 {

namespace {

// Accessors into the model, typed by the member's width.
#define TQ_SHORT(expr)                                                        \
    {                                                                         \
        [](SettingsModel& m) -> int16_t& { return m.expr; }, nullptr, nullptr \
    }
#define TQ_LONG(expr)                                                         \
    {                                                                         \
        nullptr, [](SettingsModel& m) -> int32_t& { return m.expr; }, nullptr \
    }
#define TQ_TEXT(expr)                                                             \
    {                                                                             \
        nullptr, nullptr, [](SettingsModel& m) -> std::string& { return m.expr; } \
    }

std::string OnOff(int32_t v) {
    return OnOffText(v != 0);
}
std::string HiLow(int32_t v) {
    return HiLowText(v != 0);
}
std::string TimeDisplay(int32_t v) {
    return TimeDisplayText(v != 0);
}
std::string PriorityCh(int32_t v) {
    return PriorityChText(v);
}
std::string TxPo(int32_t v) {
    return TxPoDisplayText(v);
}
std::string Resume(int32_t v) {
    return ResumeTimeText(v);
}
std::string Offset(int32_t v) {
    return OffsetTimeText(v);
}
std::string Weather(int32_t v) {
    return WeatherAlertText(v);
}

constexpr ValueKind F = ValueKind::OnOff;
constexpr ValueKind N = ValueKind::Number;
constexpr ValueKind T = ValueKind::Text;

ImagePlace Bit(int address, int bit, bool kikker = false) {
    return {Storage::Bit, address, bit, false, kikker};
}
ImagePlace At(Storage how, int address, int width = 0, bool zeroLastNibble = false) {
    return {how, address, width, zeroLastNibble, false};
}
const ImagePlace kNotStored{};

constexpr const char* kUsable = "Usable CH Group Setup";
constexpr const char* kCommon = "Common Setup";
constexpr const char* kBasic = "DSC Setup (Basic Setup)";
constexpr const char* kAdvanced = "DSC Setup (Advanced Setup)";
constexpr const char* kDisplay = "DSC Setup (Display Setup)";
constexpr const char* kAtis = "ATIS Setup (Common)";

FilePlace Key(const char* section, const char* key, FileForm form) {
    return {section, key, form};
}
const FilePlace kNoFile{};

constexpr FileForm kFlag = FileForm::FlagValue;
constexpr FileForm kInt = FileForm::Integer;
constexpr FileForm kAbs = FileForm::AbsInteger;
constexpr FileForm kText = FileForm::Text;
constexpr FileForm kHash = FileForm::HashText;

// The rows in the settings file's order; the rows the file does not hold sit where the
// comparison of data sets lists them.
std::vector<SettingRow> BuildRows() {
    using I = FieldId;
    return {
        // Usable CH Group Setup
        {I::Group1Usable, "Group1 Enable", key::kUsable, F, TQ_SHORT(UsableGroups[0].Usable),
         Bit(kUsableGroupsAddress, 3), Key(kUsable, "Group1", kFlag), false, "Enable", OnOff,
         nullptr},
        {I::Group2Usable, "Group2 Enable", key::kUsable, F, TQ_SHORT(UsableGroups[1].Usable),
         Bit(kUsableGroupsAddress, 2), Key(kUsable, "Group2", kFlag), false, "Enable", OnOff,
         nullptr},
        {I::Group3Usable, "Group3 Enable", key::kUsable, F, TQ_SHORT(UsableGroups[2].Usable),
         Bit(kUsableGroupsAddress, 1), Key(kUsable, "Group3", kFlag), false, "Enable", OnOff,
         nullptr},
        {I::ExpUsable, "EXP CH Enable", key::kUsable, F, TQ_SHORT(UsableGroups[3].Usable),
         Bit(kUsableGroupsAddress, 0), Key(kUsable, "Exp CH", kFlag), false, "Enable", OnOff,
         nullptr},
        {I::Group1PriorityCh, "Group1 Priority CH", key::kUsable, N,
         TQ_LONG(UsableGroups[0].PriorityCh), At(Storage::Byte, kPriorityChAddress),
         Key(kUsable, "Priority CH 0", kAbs), false, "Priority CH", PriorityCh, nullptr},
        {I::Group2PriorityCh, "Group2 Priority CH", key::kUsable, N,
         TQ_LONG(UsableGroups[1].PriorityCh), At(Storage::Byte, kPriorityChAddress + 1),
         Key(kUsable, "Priority CH 1", kAbs), false, "Priority CH", PriorityCh, nullptr},
        {I::Group3PriorityCh, "Group3 Priority CH", key::kUsable, N,
         TQ_LONG(UsableGroups[2].PriorityCh), At(Storage::Byte, kPriorityChAddress + 2),
         Key(kUsable, "Priority CH 2", kAbs), false, "Priority CH", PriorityCh, nullptr},
        // The EXP group has no priority channel of its own in the radio.
        {I::ExpPriorityCh, "EXP CH Priority CH", nullptr, N, TQ_LONG(UsableGroups[3].PriorityCh),
         kNotStored, Key(kUsable, "Priority CH 3", kAbs), false, nullptr, PriorityCh, nullptr},
        {I::Group1StatusName, "Group1 Status Name", key::kUsable, T,
         TQ_TEXT(UsableGroups[0].StatusName), At(Storage::Name, kStatusNameBase, kStatusNameWidth),
         Key(kUsable, "Status name 0", kText), false, "Status Name", nullptr, StatusNameText},
        {I::Group2StatusName, "Group2 Status Name", key::kUsable, T,
         TQ_TEXT(UsableGroups[1].StatusName),
         At(Storage::Name, kStatusNameBase + kStatusNameWidth, kStatusNameWidth),
         Key(kUsable, "Status name 1", kText), false, "Status Name", nullptr, StatusNameText},
        {I::Group3StatusName, "Group3 Status Name", key::kUsable, T,
         TQ_TEXT(UsableGroups[2].StatusName),
         At(Storage::Name, kStatusNameBase + 2 * kStatusNameWidth, kStatusNameWidth),
         Key(kUsable, "Status name 2", kText), false, "Status Name", nullptr, StatusNameText},
        {I::ExpStatusName, "EXP CH Status Name", key::kUsable, T,
         TQ_TEXT(UsableGroups[3].StatusName),
         At(Storage::Name, kStatusNameBase + 3 * kStatusNameWidth, kStatusNameWidth),
         Key(kUsable, "Status name 3", kText), false, "Status Name", nullptr, StatusNameText},

        // Common Setup
        {I::TxPoDisplay, "TX Po Display", key::kCommon, N, TQ_SHORT(Common.TxPoDisplay),
         At(Storage::Byte, 0x0009), Key(kCommon, "TX Po Display", kAbs), false,
         "TX Po Display:", TxPo, nullptr},
        {I::Scan, "SCAN", key::kCommon, F, TQ_SHORT(Common.Scan), Bit(0x0017, 0),
         Key(kCommon, "SCAN", kFlag), false, "SCAN:", OnOff, nullptr},
        {I::ResumeTime, "Resume Time", key::kCommon, N, TQ_SHORT(Common.ResumeTime),
         At(Storage::Byte, 0x001A), Key(kCommon, "Resume Time", kInt), false,
         "Resume Time:", Resume, nullptr},
        {I::PttScanClear, "PTT SCAN Clear", key::kCommon, F, TQ_SHORT(Common.PttScanClear),
         At(Storage::FlagByte, 0x0019), Key(kCommon, "PTT SCAN Clear", kFlag), false,
         "PTT SCAN Clear:", OnOff, nullptr},
        {I::DualWatch, "Dual Watch", key::kCommon, F, TQ_SHORT(Common.DualWatch), Bit(0x0017, 4),
         Key(kCommon, "Dual Watch", kFlag), false, "Dual Watch:", OnOff, nullptr},
        {I::OffsetTime, "Offset Time", key::kCommon, N, TQ_SHORT(Common.OffsetTime),
         At(Storage::Offset, kTimeSetupAddress), Key(kCommon, "Offset Time", kInt), false,
         "Offset Time:", Offset, nullptr},
        {I::TimeDisplay, "Time Display", key::kCommon, F, TQ_SHORT(Common.TimeDisplay),
         Bit(kTimeSetupAddress, 7), Key(kCommon, "Time Display", kFlag), false,
         "Time Display:", TimeDisplay, nullptr},
        {I::Weather, "Weather Alert", key::kCommon, N, TQ_SHORT(Common.Weather),
         At(Storage::Byte, 0x001C), Key(kCommon, "Weater", kAbs), false, "Weather Alert:", Weather,
         nullptr},

        // DSC Setup (Basic Setup)
        {I::DscGroup1, "Usable DSC CH Group Group1", key::kDsc, F, TQ_SHORT(DscBasic.Group[0]),
         Bit(kDscGroupsAddress, 3), Key(kBasic, "Group1", kFlag), false, nullptr, OnOff, nullptr},
        {I::DscGroup2, "Usable DSC CH Group Group2", key::kDsc, F, TQ_SHORT(DscBasic.Group[1]),
         Bit(kDscGroupsAddress, 2), Key(kBasic, "Group2", kFlag), false, nullptr, OnOff, nullptr},
        {I::DscGroup3, "Usable DSC CH Group Group3", key::kDsc, F, TQ_SHORT(DscBasic.Group[2]),
         Bit(kDscGroupsAddress, 1), Key(kBasic, "Group3", kFlag), false, nullptr, OnOff, nullptr},
        {I::DscExp, "Usable DSC CH Group EXP CH", key::kDsc, F, TQ_SHORT(DscBasic.Group[3]),
         Bit(kDscGroupsAddress, 0), kNoFile, false, nullptr, OnOff, nullptr},
        {I::UserMmsi, "User MMSI", key::kDsc, T, TQ_TEXT(DscBasic.UserMmsi),
         At(Storage::Digits, kUserMmsiAddress, 0, true), Key(kBasic, "User MMSI", kHash), false,
         "User MMSI:", nullptr, nullptr},
        {I::DistressCancelCall, "Distress Cancel Call", key::kDsc, F,
         TQ_SHORT(DscBasic.PosRequest[0]), Bit(kPosRequestAddress, 2),
         Key(kBasic, "PosRequest0", kFlag), false, "Distress Cancel Call:", OnOff, nullptr},
        {I::DistressCancelCallTx, "Distress Cancel Call TX", nullptr, F,
         TQ_SHORT(DscBasic.PosRequestTx[0]), kNotStored, Key(kBasic, "PosRequestTX0", kFlag), false,
         nullptr, HiLow, nullptr},
        {I::PosRequest1, "POS Request 1", nullptr, F, TQ_SHORT(DscBasic.PosRequest[1]),
         Bit(kPosRequestAddress, 3), Key(kBasic, "PosRequest1", kFlag), false, nullptr, OnOff,
         nullptr},
        {I::PosRequestTx1, "POS Request 1 TX", nullptr, F, TQ_SHORT(DscBasic.PosRequestTx[1]),
         kNotStored, Key(kBasic, "PosRequestTX1", kFlag), false, nullptr, HiLow, nullptr},
        {I::PosRequest, "POS Request", key::kDsc, F, TQ_SHORT(DscBasic.PosRequest[2]),
         Bit(kPosRequestAddress, 7), Key(kBasic, "PosRequest2", kFlag), false,
         "POS Request:", OnOff, nullptr},
        {I::PosRequestTx, "POS Request TX", key::kDsc, F, TQ_SHORT(DscBasic.PosRequestTx[2]),
         Bit(kPosRequestAddress, 6), Key(kBasic, "PosRequestTX2", kFlag), false, nullptr, HiLow,
         nullptr},
        {I::PosReporting, "POS Reporting", key::kDsc, F, TQ_SHORT(DscBasic.PosRequest[3]),
         Bit(kPosRequestAddress, 5), Key(kBasic, "PosRequest3", kFlag), false,
         "POS Reporting:", OnOff, nullptr},
        {I::PosReportingTx, "POS Reporting TX", key::kDsc, F, TQ_SHORT(DscBasic.PosRequestTx[3]),
         Bit(kPosRequestAddress, 4), Key(kBasic, "PosRequestTX3", kFlag), false, nullptr, HiLow,
         nullptr},
        {I::BeepSendDistress, "Send Distress Alert", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[0]),
         Bit(0x0154, 7), Key(kBasic, "BeepOut0", kFlag), false, "Send Distress Alert:", OnOff,
         nullptr},
        {I::BeepAllShips, "Received All Ships", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[1]),
         Bit(0x0155, 7), Key(kBasic, "BeepOut1", kFlag), false, "Received All Ships:", OnOff,
         nullptr},
        {I::BeepIndividual, "Received Individual", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[2]),
         Bit(0x0155, 4), Key(kBasic, "BeepOut2", kFlag), false, "Received Individual:", OnOff,
         nullptr},
        {I::BeepGroup, "Received Group", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[3]),
         Bit(0x0155, 5), Key(kBasic, "BeepOut3", kFlag), false, "Received Group:", OnOff, nullptr},
        {I::BeepGeographic, "Received Geografic", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[4]),
         Bit(0x0155, 6), Key(kBasic, "BeepOut4", kFlag), false, "Received Geografic:", OnOff,
         nullptr},
        {I::BeepPosRequest, "Received POS Request", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[5]),
         Bit(0x0155, 3), Key(kBasic, "BeepOut5", kFlag), false, "Received POS Request:", OnOff,
         nullptr},
        {I::BeepPosReporting, "Received POS Reporting", key::kDsc, F, TQ_SHORT(DscBasic.BeepOut[6]),
         Bit(0x0155, 2), Key(kBasic, "BeepOut6", kFlag), false, "Received POS Reporting:", OnOff,
         nullptr},
        {I::Beep7, "DSC Beep Output 8", nullptr, F, TQ_SHORT(DscBasic.BeepOut[7]), kNotStored,
         Key(kBasic, "BeepOut7", kFlag), false, nullptr, OnOff, nullptr},

        // DSC Setup (Advanced Setup)
        {I::AllShipsDistress, "All Ships Call Distress", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCall[0]), Bit(0x0150, 7),
         Key(kAdvanced, "All Ships Call0", kFlag), false, "Distress:", OnOff, nullptr},
        {I::AllShipsDistressTx, "All Ships Call Distress TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCallTx[0]), Bit(0x0150, 3),
         Key(kAdvanced, "All Ships CallTX0", kFlag), false, nullptr, HiLow, nullptr},
        {I::AllShipsUrgency, "All Ships Call Urgency", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCall[1]), Bit(0x0150, 6),
         Key(kAdvanced, "All Ships Call1", kFlag), false, "Urgency:", OnOff, nullptr},
        {I::AllShipsUrgencyTx, "All Ships Call Urgency TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCallTx[1]), Bit(0x0150, 2),
         Key(kAdvanced, "All Ships CallTX1", kFlag), false, nullptr, HiLow, nullptr},
        {I::AllShipsSafety, "All Ships Call Safty", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCall[2]), Bit(0x0150, 5),
         Key(kAdvanced, "All Ships Call2", kFlag), false, "Safty:", OnOff, nullptr},
        {I::AllShipsSafetyTx, "All Ships Call Safty TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCallTx[2]), Bit(0x0150, 1),
         Key(kAdvanced, "All Ships CallTX2", kFlag), false, nullptr, HiLow, nullptr},
        {I::AllShipsRoutine, "All Ships Call Routine", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCall[3]), Bit(0x0150, 4),
         Key(kAdvanced, "All Ships Call3", kFlag), false, "Routine:", OnOff, nullptr},
        {I::AllShipsRoutineTx, "All Ships Call Routine TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.AllShipsCallTx[3]), Bit(0x0150, 0),
         Key(kAdvanced, "All Ships CallTX3", kFlag), false, nullptr, HiLow, nullptr},
        {I::GroupCallDistress, "Group Call Distress", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCall[0]), Bit(0x0151, 7), Key(kAdvanced, "Group Call0", kFlag),
         false, "Distress:", OnOff, nullptr},
        {I::GroupCallDistressTx, "Group Call Distress TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCallTx[0]), Bit(0x0151, 3),
         Key(kAdvanced, "Group CallTX0", kFlag), false, nullptr, HiLow, nullptr},
        {I::GroupCallUrgency, "Group Call Urgency", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCall[1]), Bit(0x0151, 6), Key(kAdvanced, "Group Call1", kFlag),
         false, "Urgency:", OnOff, nullptr},
        {I::GroupCallUrgencyTx, "Group Call Urgency TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCallTx[1]), Bit(0x0151, 2),
         Key(kAdvanced, "Group CallTX1", kFlag), false, nullptr, HiLow, nullptr},
        {I::GroupCallSafety, "Group Call Safty", key::kDsc, F, TQ_SHORT(DscAdvanced.GroupCall[2]),
         Bit(0x0151, 5), Key(kAdvanced, "Group Call2", kFlag), false, "Safty:", OnOff, nullptr},
        {I::GroupCallSafetyTx, "Group Call Safty TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCallTx[2]), Bit(0x0151, 1),
         Key(kAdvanced, "Group CallTX2", kFlag), false, nullptr, HiLow, nullptr},
        {I::GroupCallRoutine, "Group Call Routine", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCall[3]), Bit(0x0151, 4), Key(kAdvanced, "Group Call3", kFlag),
         false, "Routine:", OnOff, nullptr},
        {I::GroupCallRoutineTx, "Group Call Routine TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.GroupCallTx[3]), Bit(0x0151, 0),
         Key(kAdvanced, "Group CallTX3", kFlag), false, nullptr, HiLow, nullptr},
        {I::IndividualDistress, "Individual Call Distress", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCall[0]), Bit(0x0152, 7),
         Key(kAdvanced, "Individual Call0", kFlag), false, "Distress:", OnOff, nullptr},
        {I::IndividualDistressTx, "Individual Call Distress TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCallTx[0]), Bit(0x0152, 3),
         Key(kAdvanced, "Individual CallTX0", kFlag), false, nullptr, HiLow, nullptr},
        {I::IndividualUrgency, "Individual Call Urgency", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCall[1]), Bit(0x0152, 6),
         Key(kAdvanced, "Individual Call1", kFlag), false, "Urgency:", OnOff, nullptr},
        {I::IndividualUrgencyTx, "Individual Call Urgency TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCallTx[1]), Bit(0x0152, 2),
         Key(kAdvanced, "Individual CallTX1", kFlag), false, nullptr, HiLow, nullptr},
        {I::IndividualSafety, "Individual Call Safty", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCall[2]), Bit(0x0152, 5),
         Key(kAdvanced, "Individual Call2", kFlag), false, "Safty:", OnOff, nullptr},
        {I::IndividualSafetyTx, "Individual Call Safty TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCallTx[2]), Bit(0x0152, 1),
         Key(kAdvanced, "Individual CallTX2", kFlag), false, nullptr, HiLow, nullptr},
        {I::IndividualRoutine, "Individual Call Routine", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCall[3]), Bit(0x0152, 4),
         Key(kAdvanced, "Individual Call3", kFlag), false, "Routine:", OnOff, nullptr},
        {I::IndividualRoutineTx, "Individual Call Routine TX", key::kDsc, F,
         TQ_SHORT(DscAdvanced.IndividualCallTx[3]), Bit(0x0152, 0),
         Key(kAdvanced, "Individual CallTX3", kFlag), false, nullptr, HiLow, nullptr},

        // DSC Setup (Display Setup)
        {I::IndividualAckMenu, "Individual ACK Menu", key::kDsc, F,
         TQ_SHORT(DscDisplay.IndividualAckMenu), Bit(kDscDisplayAddress, 3),
         Key(kDisplay, "Individual ACK Menu", kFlag), false, "Individual ACK Menu:", OnOff,
         nullptr},
        {I::IndividualAckMessageMenu, "Individual ACK Message Menu", key::kDsc, F,
         TQ_SHORT(DscDisplay.IndividualAckMessageMenu), Bit(kDscDisplayAddress, 2),
         Key(kDisplay, "Individual ACK Message Menu", kFlag), false,
         "Individual ACK Message Menu:", OnOff, nullptr},
        {I::PosRequestAckMenu, "POS Request ACK Menu", key::kDsc, F,
         TQ_SHORT(DscDisplay.PosRequestAckMenu), Bit(kDscDisplayAddress, 1),
         Key(kDisplay, "POS Request ACK Menu", kFlag), false, "POS Request ACK Menu:", OnOff,
         nullptr},

        // The automatic position report: on the DSC screen, in neither the file nor the report.
        {I::AutoPosEnable, "Auto POS Report Enable", key::kDsc, F,
         TQ_SHORT(AutoPos.Polling[1].Enable), At(Storage::FlagByte, 0x0160), kNoFile, false,
         nullptr, OnOff, nullptr},
        {I::AutoPosChannel, "Auto POS Report Channel NO#.", key::kDsc, N,
         TQ_LONG(AutoPos.Polling[1].Channel), At(Storage::Byte, 0x0161), kNoFile, false, nullptr,
         nullptr, nullptr},
        {I::AutoPosInterval, "Auto POS Report Interval", key::kDsc, N,
         TQ_LONG(AutoPos.Polling[1].Interval), At(Storage::Byte, 0x0162), kNoFile, false, nullptr,
         nullptr, nullptr},
        {I::AutoPosSelectCall, "Auto POS Report Select Call", key::kDsc, N,
         TQ_SHORT(AutoPos.Polling[1].SelectCall), At(Storage::Byte, 0x015D), kNoFile, false,
         nullptr, nullptr, nullptr},
        {I::AutoPosLastAddress, "Auto POS Report Dir Name", key::kDsc, N,
         TQ_LONG(AutoPos.Polling[1].LastAddress), At(Storage::Slot, kLastAddressSlotBase, 2),
         kNoFile, false, nullptr, nullptr, nullptr},
        {I::AutoPosMmsi, "Auto POS Report MMSI", key::kDsc, T, TQ_TEXT(AutoPos.Polling[1].Mmsi),
         At(Storage::Digits, 0x0163, 0, true), kNoFile, false, nullptr, nullptr, nullptr},
        {I::PosPollOnCch, "POS Polling on Current Channel", key::kDsc, F,
         TQ_SHORT(AutoPos.PosPollOnCch), At(Storage::FlagByte, 0x0141), kNoFile, false, nullptr,
         OnOff, nullptr},

        // ATIS Setup (Common)
        {I::AtisGroup1, "Usable ATIS CH Group Group1", key::kAtis, F,
         TQ_SHORT(Atis.UsableAtisGroup[0]), Bit(kAtisGroupsAddress, 7),
         Key(kAtis, "Usable ATIS CH Group0", kFlag), true, "Usable ATIS CH Group:", OnOff, nullptr},
        {I::AtisGroup2, "Usable ATIS CH Group Group2", key::kAtis, F,
         TQ_SHORT(Atis.UsableAtisGroup[1]), Bit(kAtisGroupsAddress, 6),
         Key(kAtis, "Usable ATIS CH Group1", kFlag), true, "Usable ATIS CH Group:", OnOff, nullptr},
        {I::AtisGroup3, "Usable ATIS CH Group Group3", key::kAtis, F,
         TQ_SHORT(Atis.UsableAtisGroup[2]), Bit(kAtisGroupsAddress, 5),
         Key(kAtis, "Usable ATIS CH Group2", kFlag), true, "Usable ATIS CH Group:", OnOff, nullptr},
        {I::AtisExp, "Usable ATIS CH Group EXP CH", key::kAtis, F,
         TQ_SHORT(Atis.UsableAtisGroup[3]), Bit(kAtisGroupsAddress, 4),
         Key(kAtis, "Usable ATIS CH Group3", kFlag), true, "Usable ATIS CH Group:", OnOff, nullptr},
        {I::AtisCode, "ATIS Code", key::kAtis, T, TQ_TEXT(Atis.AtisCode),
         At(Storage::Digits, 0x0149), Key(kAtis, "Atis Code", kHash), true, "ATIS Code:", nullptr,
         nullptr},
        {I::KikkerGroup1, "Usable ATIS Kikker CH Group Group1", nullptr, F,
         TQ_SHORT(Atis.UsableAtisKikkerGroup[0]), Bit(kAtisGroupsAddress, 3, true),
         Key(kAtis, "Usable ATIS Kikker CH Group0", kFlag), true, nullptr, OnOff, nullptr},
        {I::KikkerGroup2, "Usable ATIS Kikker CH Group Group2", nullptr, F,
         TQ_SHORT(Atis.UsableAtisKikkerGroup[1]), Bit(kAtisGroupsAddress, 2, true),
         Key(kAtis, "Usable ATIS Kikker CH Group1", kFlag), true, nullptr, OnOff, nullptr},
        {I::KikkerGroup3, "Usable ATIS Kikker CH Group Group3", nullptr, F,
         TQ_SHORT(Atis.UsableAtisKikkerGroup[2]), Bit(kAtisGroupsAddress, 1, true),
         Key(kAtis, "Usable ATIS Kikker CH Group2", kFlag), true, nullptr, OnOff, nullptr},
        {I::KikkerExp, "Usable ATIS Kikker CH Group EXP CH", nullptr, F,
         TQ_SHORT(Atis.UsableAtisKikkerGroup[3]), Bit(kAtisGroupsAddress, 0, true),
         Key(kAtis, "Usable ATIS Kikker CH Group3", kFlag), true, nullptr, OnOff, nullptr},
    };
}

#undef TQ_SHORT
#undef TQ_LONG
#undef TQ_TEXT

}  // namespace

const std::vector<SettingRow>& SettingCatalogue() {
    static const std::vector<SettingRow> rows = BuildRows();
    return rows;
}

const SettingRow& RowOf(FieldId id) {
    for (const SettingRow& row : SettingCatalogue()) {
        if (row.Id == id) {
            return row;
        }
    }
    return SettingCatalogue().front();
}

const char* FieldCaption(FieldId id) {
    using I = FieldId;
    static constexpr std::pair<FieldId, const char*> kRecordFields[] = {
        {I::ChEnable, "CH Enable"},
        {I::TxEnable, "Tx Enable"},
        {I::LowPowerOnly, "Low Power Only"},
        {I::PowerUp, "Power Up"},
        {I::Duplex, "Duplex"},
        {I::ScanMemory, "Scan Memory"},
        {I::ChName, "CH Name"},
        {I::ChDisplay, "CH Display"},
        {I::RxFrequency, "Rx Frequency"},
        {I::TxFrequency, "Tx Frequency"},
        {I::Scrambler, "Scrambler"},
        {I::DirectoryAdd, "Add"},
        {I::DirectoryDelete, "Delete"},
        {I::StationName, "Station Name"},
        {I::GroupName, "Group Name"},
        {I::DirectoryMmsi, "MMSI"},
    };
    if (id < I::Count) {
        return RowOf(id).Caption;
    }
    for (const auto& [field, caption] : kRecordFields) {
        if (field == id) {
            return caption;
        }
    }
    return "";
}

int32_t NumberOf(const SettingRow& row, const SettingsModel& model) {
    // The accessors hand out references for writing; reading through them changes nothing.
    SettingsModel& m = const_cast<SettingsModel&>(model);
    return row.Access.Long != nullptr ? row.Access.Long(m) : row.Access.Short(m);
}

void SetNumber(const SettingRow& row, SettingsModel& model, int32_t value) {
    if (row.Access.Long != nullptr) {
        row.Access.Long(model) = value;
    } else {
        row.Access.Short(model) = static_cast<int16_t>(value);
    }
}

const std::string& TextOf(const SettingRow& row, const SettingsModel& model) {
    return row.Access.Text(const_cast<SettingsModel&>(model));
}

std::string& TextOf(const SettingRow& row, SettingsModel& model) {
    return row.Access.Text(model);
}

const int16_t& ShortOf(const SettingRow& row, const SettingsModel& model) {
    return row.Access.Short(const_cast<SettingsModel&>(model));
}

int16_t& ShortOf(const SettingRow& row, SettingsModel& model) {
    return row.Access.Short(model);
}

const int32_t& LongOf(const SettingRow& row, const SettingsModel& model) {
    return row.Access.Long(const_cast<SettingsModel&>(model));
}

int32_t& LongOf(const SettingRow& row, SettingsModel& model) {
    return row.Access.Long(model);
}

std::string ValueText(const SettingRow& row, const SettingsModel& model) {
    if (row.Kind == ValueKind::Text) {
        const std::string& text = TextOf(row, model);
        return row.TextText != nullptr ? row.TextText(text) : text;
    }
    const int32_t value = NumberOf(row, model);
    return row.NumberText != nullptr ? row.NumberText(value) : std::to_string(value);
}

std::string StoredText(const SettingRow& row, const SettingsModel& model) {
    switch (row.Kind) {
        case ValueKind::OnOff:
            return NumberOf(row, model) != 0 ? "1" : "0";
        case ValueKind::Number:
            return std::to_string(NumberOf(row, model));
        case ValueKind::Text:
            break;
    }
    const std::string& text = TextOf(row, model);
    return row.TextText != nullptr ? "\"" + text + "\"" : text;
}

}  // namespace tq530
