// The catalogue of settings outside the channel plans and directories: one row a setting, with
// everything a layer needs to store, show, compare or name it. The codec, the settings file, the
// report, the comparison of data sets and the screens all walk these rows, so a setting is
// described here once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/settings_model.h"

namespace tq530 {

// Names a setting for the screens and for undo ("Undo <caption>").
enum class FieldId : int {
    Group1Usable,
    Group2Usable,
    Group3Usable,
    ExpUsable,
    Group1PriorityCh,
    Group2PriorityCh,
    Group3PriorityCh,
    ExpPriorityCh,
    Group1StatusName,
    Group2StatusName,
    Group3StatusName,
    ExpStatusName,
    TxPoDisplay,
    Scan,
    ResumeTime,
    PttScanClear,
    DualWatch,
    OffsetTime,
    TimeDisplay,
    Weather,
    DscGroup1,
    DscGroup2,
    DscGroup3,
    DscExp,
    UserMmsi,
    DistressCancelCall,
    DistressCancelCallTx,
    PosRequest1,
    PosRequestTx1,
    PosRequest,
    PosRequestTx,
    PosReporting,
    PosReportingTx,
    BeepSendDistress,
    BeepAllShips,
    BeepIndividual,
    BeepGroup,
    BeepGeographic,
    BeepPosRequest,
    BeepPosReporting,
    Beep7,
    AllShipsDistress,
    AllShipsDistressTx,
    AllShipsUrgency,
    AllShipsUrgencyTx,
    AllShipsSafety,
    AllShipsSafetyTx,
    AllShipsRoutine,
    AllShipsRoutineTx,
    GroupCallDistress,
    GroupCallDistressTx,
    GroupCallUrgency,
    GroupCallUrgencyTx,
    GroupCallSafety,
    GroupCallSafetyTx,
    GroupCallRoutine,
    GroupCallRoutineTx,
    IndividualDistress,
    IndividualDistressTx,
    IndividualUrgency,
    IndividualUrgencyTx,
    IndividualSafety,
    IndividualSafetyTx,
    IndividualRoutine,
    IndividualRoutineTx,
    IndividualAckMenu,
    IndividualAckMessageMenu,
    PosRequestAckMenu,
    AutoPosEnable,
    AutoPosChannel,
    AutoPosInterval,
    AutoPosSelectCall,
    AutoPosLastAddress,
    AutoPosMmsi,
    PosPollOnCch,
    AtisGroup1,
    AtisGroup2,
    AtisGroup3,
    AtisExp,
    AtisCode,
    KikkerGroup1,
    KikkerGroup2,
    KikkerGroup3,
    KikkerExp,
    Count,  // the catalogue's rows end here
    // The fields of a channel record and of a directory entry: the plans and the directories
    // hold them, so they have no catalogue row, only a caption.
    ChEnable,
    TxEnable,
    LowPowerOnly,
    PowerUp,
    Duplex,
    ScanMemory,
    ChName,
    ChDisplay,
    RxFrequency,
    TxFrequency,
    Scrambler,
    DirectoryAdd,
    DirectoryDelete,
    StationName,
    GroupName,
    DirectoryMmsi,
};

enum class ValueKind : uint8_t { OnOff, Number, Text };

// How a setting lies in the radio image.
enum class Storage : uint8_t {
    None,      // not in the image
    Bit,       // one bit of a byte, 1 when the flag is on
    FlagByte,  // a whole byte: nonzero reads as on, written as 1 or 0
    Byte,      // an unsigned byte, clamped into 0-255 when written
    Name,      // Width characters, blank-padded
    Digits,    // packed decimal digits
    Offset,    // the time offset in bits 6-0; bit 7 belongs to another setting
    Slot,      // a byte among Width bytes from Address, chosen by the automatic report's call
};

// How a setting is written in the settings file.
enum class FileForm : uint8_t { None, FlagValue, Integer, AbsInteger, Text, HashText };

struct SettingAccess {
    int16_t& (*Short)(SettingsModel&) = nullptr;  // flags and 16-bit numbers
    int32_t& (*Long)(SettingsModel&) = nullptr;   // 32-bit numbers
    std::string& (*Text)(SettingsModel&) = nullptr;
};

struct ImagePlace {
    Storage How = Storage::None;
    int Address = 0;
    int BitOrWidth = 0;           // the bit of a Bit, the width of a Name or a Slot run
    bool ZeroLastNibble = false;  // Digits: the last half byte is written as 0
    bool KikkerOnly = false;      // decoded only by the models that have it
};

struct FilePlace {
    const char* Section = nullptr;
    const char* Key = nullptr;
    FileForm Form = FileForm::None;
};

struct SettingRow {
    FieldId Id;
    const char* Caption;    // how the comparison and undo name it: "PTT SCAN Clear"
    const char* ScreenKey;  // the tree node of the screen that edits it; nullptr: none does
    ValueKind Kind;         // OnOff: a flag, any nonzero value is on
    SettingAccess Access;
    ImagePlace Image;
    FilePlace File;
    bool AtisOnly;  // the settings file and the report hold it only when ATIS is offered
    const char* ReportLabel;
    std::string (*NumberText)(int32_t);  // Flag and Number: its value text; nullptr: the number
    std::string (*TextText)(const std::string&);  // Text: its value text; nullptr: as it is
};

const std::vector<SettingRow>& SettingCatalogue();
const SettingRow& RowOf(FieldId id);
// How undo and the comparison name a field: the row's caption, or the caption of the control
// that edits a channel or directory field ("Low Power Only", "Station Name").
const char* FieldCaption(FieldId id);

// Typed access to a row's value; numbers and flags as 32-bit values.
int32_t NumberOf(const SettingRow& row, const SettingsModel& model);
void SetNumber(const SettingRow& row, SettingsModel& model, int32_t value);
const std::string& TextOf(const SettingRow& row, const SettingsModel& model);
// The stored member itself, of the width the row's accessor has.
const int16_t& ShortOf(const SettingRow& row, const SettingsModel& model);
int16_t& ShortOf(const SettingRow& row, SettingsModel& model);
const int32_t& LongOf(const SettingRow& row, const SettingsModel& model);
int32_t& LongOf(const SettingRow& row, SettingsModel& model);
std::string& TextOf(const SettingRow& row, SettingsModel& model);

// The value as the report shows it.
std::string ValueText(const SettingRow& row, const SettingsModel& model);
// The value as it is stored, where the shown text may hide a difference: a flag as 1 or 0,
// a number in full, a text that the report reshapes in quotes.
std::string StoredText(const SettingRow& row, const SettingsModel& model);

}  // namespace tq530
