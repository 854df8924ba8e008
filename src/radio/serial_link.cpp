#include "radio/serial_link.h"

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace tq530 {

PortSettings ParsePortSettings(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        parts.push_back(part);
    }
    const auto number = [](const std::string& s) {
        char* end = nullptr;
        const long v = std::strtol(s.c_str(), &end, 10);
        return (s.empty() || *end != '\0') ? -1 : static_cast<int>(v);
    };
    PortSettings settings;
    if (parts.size() != 4 || parts[1].size() != 1) {
        throw SerialError(kErrBadSettings, "Invalid property value");
    }
    settings.Baud = number(parts[0]);
    settings.Parity = static_cast<char>(std::toupper(static_cast<unsigned char>(parts[1][0])));
    settings.DataBits = number(parts[2]);
    settings.StopBits = number(parts[3]);
    const bool parityOk = settings.Parity == 'N' || settings.Parity == 'E' ||
                          settings.Parity == 'O' || settings.Parity == 'M' ||
                          settings.Parity == 'S';
    if (settings.Baud <= 0 || !parityOk || settings.DataBits < 5 || settings.DataBits > 8 ||
        (settings.StopBits != 1 && settings.StopBits != 2)) {
        throw SerialError(kErrBadSettings, "Invalid property value");
    }
    return settings;
}

std::string PortSettingsText(const PortSettings& settings) {
    return std::to_string(settings.Baud) + "," + std::string(1, settings.Parity) + "," +
           std::to_string(settings.DataBits) + "," + std::to_string(settings.StopBits);
}

}  // namespace tq530
