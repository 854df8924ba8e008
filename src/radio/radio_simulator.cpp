#include "radio/radio_simulator.h"

#include <cctype>
#include <cstdio>

namespace tq530 {

namespace {

const char kNoise[] = "\x00~\xFF";

std::string Hex(unsigned value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", width, value);
    return text;
}

uint8_t Xor(const std::string& text) {
    uint8_t sum = 0;
    for (char c : text)
        sum ^= static_cast<uint8_t>(c);
    return sum;
}

bool IsHex(const std::string& text) {
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return !text.empty();
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '\t') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

std::string Printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\t') {
            out += "<TAB>";
        } else if (c < 0x20 || c >= 0x7F) {
            out += "<" + Hex(c, 2) + ">";
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

RadioSimulator::RadioSimulator() {
    Eeprom.fill(0xFF);
    SetIdentity(6120, 6120, "RB274V");
}

void RadioSimulator::SetIdentity(uint16_t modelCode, uint16_t secondModelCode,
                                 const std::string& productCode) {
    Eeprom[0] = static_cast<uint8_t>(modelCode >> 8);
    Eeprom[1] = static_cast<uint8_t>(modelCode & 0xFF);
    Eeprom[8190] = static_cast<uint8_t>(secondModelCode >> 8);
    Eeprom[8191] = static_cast<uint8_t>(secondModelCode & 0xFF);
    for (size_t i = 0; i < 7; ++i) {
        Eeprom[304 + i] = i < productCode.size() ? static_cast<uint8_t>(productCode[i]) : 0xFF;
    }
}

std::string RadioSimulator::Refusal() const {
    const std::string word = Faults.LowercaseRefusal ? "error" : "ERROR";
    return Faults.ErrorWithCrLf ? word + "\r\n" : word;
}

std::string RadioSimulator::CmdOk() const {
    return Faults.Noise ? std::string("#CMDOK") + std::string(kNoise, 3) + "\r\n" : "#CMDOK\r\n";
}

std::string RadioSimulator::Feed(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        if (closed_)
            break;
        const auto b = static_cast<uint8_t>(c);
        if (b == 0x18) {  // CAN aborts whatever was under way
            Received.emplace_back(1, c);
            if (Log)
                Log("PC > <18>");
            line_.clear();
            if (!Faults.NoAckToCan) {
                if (Faults.Noise)
                    out.append(kNoise, 3);
                out += '\x06';
            }
            continue;
        }
        if (line_.empty() && (c == 'P' || c == '0')) {
            Received.emplace_back(1, c);
            if (Log)
                Log(std::string("PC > ") + c);
            if (c == 'P' && !Faults.NoProbeEcho) {
                if (Faults.Noise)
                    out.append(kNoise, 3);
                out += 'P';
            }
            continue;
        }
        if (line_.empty() && (c == '\r' || c == '\n')) {
            continue;
        }
        line_ += c;
        if (c == '\n' && line_.size() >= 2 && line_[line_.size() - 2] == '\r') {
            const std::string line = line_.substr(0, line_.size() - 2);
            line_.clear();
            Received.push_back(line);
            if (Log)
                Log("PC > " + Printable(line));
            const std::string reply = OnLine(line);
            if (Log && !reply.empty())
                Log("   < " + Printable(reply));
            out += reply;
        }
    }
    return out;
}

std::string RadioSimulator::OnLine(const std::string& line) {
    if (line == "ACMD:002") {
        switch (Faults.Adapter) {
            case AdapterAnswer::Ok:
                return "OK\r\n";
            case AdapterAnswer::Error:
                return "ERROR\r\n";
            case AdapterAnswer::Other:
                return "NG\r\n";
            case AdapterAnswer::Garbled:
                return "OK\rX";
            case AdapterAnswer::Silent:
                return {};
        }
    }
    if (line == "#CMDSY") {
        if (Faults.SyncRefusals > 0) {
            --Faults.SyncRefusals;
            return Refusal();
        }
        return CmdOk();
    }
    if (line.rfind("#CEP", 0) == 0) {
        return OnFrame(line);
    }
    return {};  // "#CMDOK", "#CMDSM", "#CMDER", "#CMDUN": noted, not answered
}

std::string RadioSimulator::ReplyLine(const std::string& body, FrameFault fault,
                                      bool faulty) const {
    std::string text = body;
    if (faulty && fault == FrameFault::OkOnly) {
        return {};
    }
    if (faulty && fault == FrameFault::Truncated) {
        return text;
    }
    if (faulty && fault == FrameFault::WrongName) {
        text[5] = 'X';
    }
    uint8_t sum = Xor(text);
    if (faulty && fault == FrameFault::BadChecksum) {
        sum ^= 0x5A;
    }
    return text + Hex(sum, 2) + "\r\n";
}

std::string RadioSimulator::OnFrame(const std::string& line) {
    const int number = ++frames_;
    const auto found = Faults.Frames.find(number);
    const bool faulty = found != Faults.Frames.end();
    const FrameFault fault = faulty ? found->second : FrameFault::Refuse;
    if (faulty && fault == FrameFault::CloseLink) {
        closed_ = true;
        return {};
    }
    if (faulty && fault == FrameFault::Silent)
        return {};
    if (faulty && fault == FrameFault::Refuse)
        return Refusal();

    // The checksum covers everything up to the TAB before it.
    const size_t lastTab = line.rfind('\t');
    if (lastTab == std::string::npos || line.size() - lastTab != 3 ||
        Hex(Xor(line.substr(0, lastTab + 1)), 2) != line.substr(lastTab + 1)) {
        return Refusal();
    }
    const std::vector<std::string> f = Split(line.substr(0, lastTab));
    const std::string ok = (faulty && fault == FrameFault::DropCmdOk) ? "" : CmdOk();

    if (f[0] == "#CEPSR" && f.size() == 2 && f[1] == "00") {
        std::string status = "00";
        if (Faults.BusyReplies > 0) {
            --Faults.BusyReplies;
            status = "01";
        }
        return ok + ReplyLine("#CEPSD\t" + status + "\t", fault, faulty);
    }
    if ((f[0] != "#CEPRD" && f[0] != "#CEPWR") || f.size() < 3 || f[1].size() != 4 ||
        f[2].size() != 2 || !IsHex(f[1]) || !IsHex(f[2])) {
        return Refusal();
    }
    const int address = std::stoi(f[1], nullptr, 16);
    const int length = std::stoi(f[2], nullptr, 16);
    if (length == 0 || address + length > kSimEepromSize) {
        return Refusal();
    }
    if (f[0] == "#CEPRD") {
        if (f.size() != 3)
            return Refusal();
        int replyAddress = address;
        int replyLength = length;
        int dataBytes = length;
        if (faulty && fault == FrameFault::OtherAddress)
            replyAddress += 64;
        if (faulty && fault == FrameFault::WrongLength)
            replyLength -= 1;
        if (faulty && fault == FrameFault::ShortData)
            dataBytes -= 1;
        std::string body = "#CEPDT\t" + Hex(static_cast<unsigned>(replyAddress), 4) + "\t" +
                           Hex(static_cast<unsigned>(replyLength), 2) + "\t";
        for (int i = 0; i < dataBytes; ++i) {
            body += Hex(Eeprom[static_cast<size_t>(address + i)], 2);
        }
        return ok + ReplyLine(body + "\t", fault, faulty);
    }
    if (f.size() != 4 || f[3].size() != static_cast<size_t>(length) * 2 || !IsHex(f[3])) {
        return Refusal();
    }
    for (int i = 0; i < length; ++i) {
        const auto value = static_cast<uint8_t>(
            std::stoi(f[3].substr(static_cast<size_t>(i) * 2, 2), nullptr, 16));
        uint8_t& cell = Eeprom[static_cast<size_t>(address + i)];
        changed_ = changed_ || cell != value;
        cell = value;
    }
    if (AlterAfterWrite >= address && AlterAfterWrite < address + length) {
        Eeprom[static_cast<size_t>(AlterAfterWrite)] ^= 0x01;
        changed_ = true;
    }
    return ok;
}

}  // namespace tq530
