// The fixed display texts of setting values, shared by the channel grids and the report.
#pragma once

#include <string>

namespace tq530 {

std::string FreqText(double mhz);
std::string FreqTextIf(double mhz, bool hide);
std::string FreqText4(double mhz);

std::string OnOffText(bool on);
std::string HiLowText(bool on);
std::string EnableText(bool on);
std::string TxText(bool on);
std::string LowText(bool on);
std::string UpText(bool on);
std::string DupText(bool on);
std::string MemText(bool on);

std::string ResumeTimeText(int value);
std::string TxPoDisplayText(int value);
std::string WeatherAlertText(int value);
std::string TimeDisplayText(int value);
std::string OffsetTimeText(int value);
std::string StatusNameText(const std::string& text);
std::string PriorityChText(long value);

std::string PadText(const std::string& text, int n);
std::string LabelText(const std::string& text, int n);
std::string NameOr12(const std::string& text);
std::string EntryName12(const std::string& text);
std::string EntryNumber9(const std::string& text);

// The channel display of an EXP channel: CHDisplayL as two characters and the last
// character of CHDisplayR, a blank when it is empty.
std::string ExpDisplayText(const std::string& left, const std::string& right);

}  // namespace tq530
