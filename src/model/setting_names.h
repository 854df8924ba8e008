// Which setting an EEPROM address holds, named as the settings report and the screens name it
// ("USA CH 16: name", "Common Setup: Resume Time"), so that a byte the radio got wrong can be
// told to a person as the setting it spoils.
#pragma once

#include <string>
#include <vector>

namespace tq530 {

// What lies at address: a setting's name, or "radio data" where the program keeps the radio's
// bytes without interpreting them.
std::string SettingNameAt(int address);

constexpr const char* kUnnamedData = "radio data";

// The addresses grouped into runs that belong to one setting, one line each:
// "0x05D0-0x05D3 USA CH 16: name". At most maxLines lines; what is left over is counted in a
// last line "... and N more".
std::vector<std::string> DescribeAddresses(const std::vector<int>& addresses, size_t maxLines);

}  // namespace tq530
