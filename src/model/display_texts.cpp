#include "model/display_texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "model/channel_number_table.h"

namespace tq530 {

namespace {

// value with the given decimals and at least minIntegerDigits integer digits, "." as point.
// The C library's formatting follows LC_NUMERIC, which a GUI sets from the user's locale; a
// decimal point such as U+066B would change the text, so the digits come from to_chars.
std::string Fixed(double value, int decimals, int minIntegerDigits) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return std::string();
    }
    std::string s(text, result.ptr);
    const size_t first = s.empty() || s[0] != '-' ? 0 : 1;
    const size_t point = s.find('.');
    const size_t integerDigits = (point == std::string::npos ? s.size() : point) - first;
    const size_t wanted = static_cast<size_t>(std::max(minIntegerDigits, 0));
    if (integerDigits < wanted) {
        s.insert(first, wanted - integerDigits, '0');
    }
    return s;
}

const std::array<std::string, 49>& OffsetTexts() {
    static const std::array<std::string, 49> texts = [] {
        std::array<std::string, 49> t;
        for (int v = -24; v <= 24; ++v) {
            const double h = v / 2.0;
            std::string s;
            if (v == 0) {
                s = " 0";
            } else {
                s = Fixed(std::fabs(h), 2, 1);
                s.insert(0, v < 0 ? "-" : "+");
                const size_t point = s.find('.');
                s[point] = ':';
                const size_t half = s.find(":50");
                if (half != std::string::npos) {
                    s.replace(half, 3, ":30");
                }
            }
            t[static_cast<size_t>(v + 24)] = s;
        }
        return t;
    }();
    return texts;
}

std::string Pick(int value, std::initializer_list<const char*> texts) {
    if (value < 0 || value >= static_cast<int>(texts.size())) {
        return std::string();
    }
    return *(texts.begin() + value);
}

}  // namespace

std::string FreqText(double mhz) {
    return mhz <= 0 ? "---.---" : Fixed(mhz, 3, 3);
}

std::string FreqTextIf(double mhz, bool hide) {
    return hide ? "---.---" : FreqText(mhz);
}

std::string FreqText4(double mhz) {
    if (mhz <= 0) {
        return "---.----";
    }
    // Off the 5 kHz and 12.5 kHz rasters a value snaps down to the 5 kHz raster.
    const double units = std::nearbyint(mhz * 10000.0);
    double value = mhz;
    if (std::fmod(units, 50.0) != 0.0 && std::fmod(units, 125.0) != 0.0) {
        value = std::floor(mhz / 0.005) * 0.005;
    }
    return Fixed(value, 4, 3);
}

std::string OnOffText(bool on) {
    return on ? "On" : "Off";
}
std::string HiLowText(bool on) {
    return on ? "Hi" : "Low";
}
std::string EnableText(bool on) {
    return on ? "ENABLE" : "------";
}
std::string TxText(bool on) {
    return on ? "TX" : "--";
}
std::string LowText(bool on) {
    return on ? "LOW" : "---";
}
std::string UpText(bool on) {
    return on ? "UP" : "--";
}
std::string DupText(bool on) {
    return on ? "DUP" : "---";
}
std::string MemText(bool on) {
    return on ? "MEM" : "---";
}

std::string ResumeTimeText(int value) {
    return Pick(value, {"--", "1Sec", "2Sec", "3Sec"});
}

std::string TxPoDisplayText(int value) {
    return Pick(value, {"Lo Po Only", "Lo Po on Changing CH", "Last TX Po"});
}

std::string WeatherAlertText(int value) {
    return Pick(value, {"OFF", "On Wx", "On SCAN", "WX and SCAN"});
}

std::string TimeDisplayText(int value) {
    return value != 0 ? "Local" : "UTC";
}

std::string OffsetTimeText(int value) {
    if (value < -24 || value > 24) {
        return std::string();
    }
    return OffsetTexts()[static_cast<size_t>(value + 24)];
}

std::string StatusNameText(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos ? "----" : text;
}

std::string PriorityChText(long value) {
    const long last = static_cast<long>(Channels().size()) - 1;
    if (value >= 0 && value <= last) {
        return Channels()[static_cast<size_t>(value)].Name;
    }
    if (value > last && value < 280) {
        return "EXP" + std::to_string(value - 239);
    }
    return "Off";
}

std::string PadText(const std::string& text, int n) {
    if (n <= 0) {
        return std::string();
    }
    std::string s = text.substr(0, static_cast<size_t>(n));
    s.resize(static_cast<size_t>(n), ' ');
    return s;
}

std::string LabelText(const std::string& text, int n) {
    return PadText(text, n - 1) + ": ";
}

std::string NameOr12(const std::string& text) {
    return text.empty() ? std::string(12, '-') : PadText(text, 12);
}

std::string EntryName12(const std::string& text) {
    return NameOr12(text);
}

std::string EntryNumber9(const std::string& text) {
    return text.empty() ? std::string(9, '-') : PadText(text, 9);
}

std::string ExpDisplayText(const std::string& left, const std::string& right) {
    std::string s = left.substr(0, 2);
    s.resize(2, ' ');
    s.push_back(right.empty() ? ' ' : right.back());
    return s;
}

}  // namespace tq530
