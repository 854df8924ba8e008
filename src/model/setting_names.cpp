#include "model/setting_names.h"

#include <algorithm>
#include <cstdio>

#include "model/channel_number_table.h"
#include "model/image_layout.h"

namespace tq530 {

namespace {

// The settings outside the plans and directories, at the addresses the codec keeps them.
struct Span {
    int First;
    int Last;
    const char* Name;
};

const Span kGeneralSpans[] = {
    {kCurrentGroupAddress, kCurrentGroupAddress, "Radio state: current CH group"},
    {kOperatingModeAddress, kOperatingModeAddress, "Radio state: operating mode"},
    {kCurrentChannelAddress, kCurrentChannelCopyAddress, "Radio state: current CH"},
    {kCurrentWxAddress, kCurrentWxAddress, "Radio state: current Wx CH"},
    {0x0009, 0x0009, "Common Setup: TX Po Display"},
    {kPriorityChAddress, kPriorityChAddress, "Usable CH Group Setup: Group1 Priority CH"},
    {kPriorityChAddress + 1, kPriorityChAddress + 1, "Usable CH Group Setup: Group2 Priority CH"},
    {kPriorityChAddress + 2, kPriorityChAddress + 2, "Usable CH Group Setup: Group3 Priority CH"},
    {0x0017, 0x0017, "Common Setup: SCAN, Dual Watch"},
    {0x0019, 0x0019, "Common Setup: PTT SCAN Clear"},
    {0x001A, 0x001A, "Common Setup: Resume Time"},
    {0x001C, 0x001C, "Common Setup: Weather Alert"},
    {kUsableGroupsAddress, kUsableGroupsAddress, "Usable CH Group Setup: Enable"},
    {kTimeSetupAddress, kTimeSetupAddress, "Common Setup: Time Display, Offset Time"},
    {kStatusNameBase + 0 * kStatusNameWidth, kStatusNameBase + 1 * kStatusNameWidth - 1,
     "Usable CH Group Setup: Group1 Status Name"},
    {kStatusNameBase + 1 * kStatusNameWidth, kStatusNameBase + 2 * kStatusNameWidth - 1,
     "Usable CH Group Setup: Group2 Status Name"},
    {kStatusNameBase + 2 * kStatusNameWidth, kStatusNameBase + 3 * kStatusNameWidth - 1,
     "Usable CH Group Setup: Group3 Status Name"},
    {kStatusNameBase + 3 * kStatusNameWidth, kStatusNameBase + 4 * kStatusNameWidth - 1,
     "Usable CH Group Setup: EXP CH Status Name"},
    {0x005F, 0x005F, "Checksum"},
    {kSlotBases[0], kSlotBases[0] + kSlotCount - 1, "Radio state: Group1 CH memory"},
    {kSlotBases[1], kSlotBases[1] + kSlotCount - 1, "Radio state: Group2 CH memory"},
    {kSlotBases[2], kSlotBases[2] + kSlotCount - 1, "Radio state: Group3 CH memory"},
    {kDscGroupsAddress, kDscGroupsAddress, "DSC Setup (Basic Setup): Usable DSC CH Group"},
    {0x0141, 0x0141, "Auto POS Polling: POS Poll on CCH"},
    {kUserMmsiAddress, kUserMmsiAddress + kUserMmsiBytes - 1, "DSC Setup (Basic Setup): User MMSI"},
    {kUserMmsiCountAddress, kUserMmsiCountAddress, "DSC Setup (Basic Setup): User MMSI Count"},
    {kAtisGroupsAddress, kAtisGroupsAddress, "ATIS Setup (Common): Usable ATIS CH Group"},
    {0x0149, 0x014D, "ATIS Setup (Common): ATIS Code"},
    {0x0150, 0x0150, "DSC Setup (Advanced Setup): All Ships Call"},
    {0x0151, 0x0151, "DSC Setup (Advanced Setup): Group Call"},
    {0x0152, 0x0152, "DSC Setup (Advanced Setup): Individual Call"},
    {kPosRequestAddress, kPosRequestAddress, "DSC Setup (Basic Setup): POS Request, POS Reporting"},
    {kDscDisplayAddress, kDscDisplayAddress, "DSC Setup: DSC Beep Output, Display Setup"},
    {0x0155, 0x0155, "DSC Setup (Basic Setup): DSC Beep Output"},
    {kLastAddressSlotBase, kLastAddressSlotBase + 1, "Auto POS Polling: Last Address"},
    {0x015D, 0x015D, "Auto POS Polling: Select Call"},
    {0x0160, 0x0160, "Auto POS Polling: Enable"},
    {0x0161, 0x0161, "Auto POS Polling: CH"},
    {0x0162, 0x0162, "Auto POS Polling: Interval"},
    {0x0163, 0x0167, "Auto POS Polling: MMSI"},
};

const char* PlanTitle(PlanId id) {
    static const char* const kTitles[] = {"USA", "International", "Canada", "Wx", "EXP"};
    return kTitles[static_cast<int>(id)];
}

// The preset plans go by the marine channel number, Wx and EXP by their position.
std::string ChannelLabel(PlanId id, int index) {
    if (id == PlanId::Wx || id == PlanId::Exp) {
        return std::to_string(index + 1);
    }
    return Channels()[static_cast<size_t>(index)].Name;
}

std::string ChannelSetting(PlanId id, int index, const char* what) {
    return std::string(PlanTitle(id)) + " CH " + ChannelLabel(id, index) + ": " + what;
}

// One bitmap byte holds the flag of eight channels.
std::string BitmapSetting(const PlanLayout& at, int byte, const char* what) {
    const int first = byte * 8;
    const int last = std::min(first + 7, at.ChannelCount - 1);
    return std::string(PlanTitle(at.Plan)) + " CH " + ChannelLabel(at.Plan, first) + "-" +
           ChannelLabel(at.Plan, last) + ": " + what;
}

std::string ExpRecordSetting(int index, int offset) {
    const char* what = offset == 0   ? "TX, LOW, UP, narrow"
                       : offset < 4  ? "CHD"
                       : offset < 7  ? "RX"
                       : offset < 10 ? "TX frequency"
                                     : "record";
    return ChannelSetting(PlanId::Exp, index, what);
}

bool Within(int address, int base, int size) {
    return address >= base && address < base + size;
}

std::string PlanSettingAt(int address) {
    for (const PlanLayout& at : kPlanLayouts) {
        if (Within(address, at.EnableBase, at.BitmapBytes)) {
            return BitmapSetting(at, address - at.EnableBase, "enable");
        }
        if (Within(address, at.ScanBase, at.BitmapBytes)) {
            return BitmapSetting(at, address - at.ScanBase, "MEM");
        }
        if (Within(address, at.NameBase, kNameWidth * at.ChannelCount)) {
            return ChannelSetting(at.Plan, (address - at.NameBase) / kNameWidth, "name");
        }
        if (at.AttributeBase < 0) {
            continue;
        }
        if (at.Plan == PlanId::Exp) {
            if (Within(address, at.AttributeBase, kExpRecordSize * at.ChannelCount)) {
                const int offset = address - at.AttributeBase;
                return ExpRecordSetting(offset / kExpRecordSize, offset % kExpRecordSize);
            }
        } else if (Within(address, at.AttributeBase, at.ChannelCount)) {
            return ChannelSetting(at.Plan, address - at.AttributeBase, "TX, LOW, UP, DUP");
        }
    }
    return {};
}

std::string DirectorySettingAt(int address) {
    struct Directory {
        int Base;
        int Count;
        const char* Title;
    };
    static const Directory kDirectories[] = {{kMemoryIdBase, kMemoryIdCount, "Memory ID"},
                                             {kGroupIdBase, kGroupIdCount, "Group ID"}};
    for (const Directory& d : kDirectories) {
        if (Within(address, d.Base, kDirectoryRecordSize * d.Count)) {
            const int offset = address - d.Base;
            return std::string(d.Title) + " " + std::to_string(offset / kDirectoryRecordSize + 1) +
                   (offset % kDirectoryRecordSize < 5 ? ": MMSI" : ": name");
        }
    }
    return {};
}

std::string Hex4(int address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(address) & 0xFFFF);
    return text;
}

}  // namespace

std::string SettingNameAt(int address) {
    for (const Span& s : kGeneralSpans) {
        if (address >= s.First && address <= s.Last) {
            return s.Name;
        }
    }
    std::string name = PlanSettingAt(address);
    if (name.empty()) {
        name = DirectorySettingAt(address);
    }
    return name.empty() ? kUnnamedData : name;
}

std::vector<std::string> DescribeAddresses(const std::vector<int>& addresses, size_t maxLines) {
    std::vector<std::string> lines;
    size_t runs = 0;
    for (size_t i = 0; i < addresses.size();) {
        const std::string name = SettingNameAt(addresses[i]);
        size_t j = i + 1;
        while (j < addresses.size() && addresses[j] == addresses[j - 1] + 1 &&
               SettingNameAt(addresses[j]) == name) {
            ++j;
        }
        ++runs;
        if (lines.size() < maxLines) {
            const std::string where =
                j - i == 1 ? Hex4(addresses[i]) : Hex4(addresses[i]) + "-" + Hex4(addresses[j - 1]);
            lines.push_back(where + " " + name);
        }
        i = j;
    }
    if (runs > lines.size()) {
        lines.push_back("... and " + std::to_string(runs - lines.size()) + " more");
    }
    return lines;
}

}  // namespace tq530
