// Commands beyond the transfers and the data sets: the automatic backups and the serial ports.
#include <cstdio>
#include <memory>

#include "app/backups.h"
#include "cli/cli.h"
#include "cli/platform_runtime.h"

namespace tq530::cli {

namespace {

// Text from file names and the environment as a terminal can show it: control characters,
// which could move the cursor or retitle the window, and bytes that are not UTF-8 become
// "\x1b"-style escapes.
std::string Printable(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        size_t length = byte < 0x80                    ? 1
                        : byte >= 0xC2 && byte <= 0xDF ? 2
                        : byte >= 0xE0 && byte <= 0xEF ? 3
                        : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                       : 0;
        for (size_t k = 1; k < length; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                length = 0;
            }
        }
        // U+0080 to U+009F are controls too (0xC2 0x80 to 0xC2 0x9F).
        const bool c1 =
            length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (length == 0 || c1 || (length == 1 && (byte < 0x20 || byte == 0x7F))) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
            ++i;
            continue;
        }
        out.append(text, i, length);
        i += length;
    }
    return out;
}

int PrintBackupsJson(const std::string& dir, const std::vector<BackupEntry>& entries) {
    std::string text = "{\"folder\": " + JsonString(dir) + ", \"backups\": [";
    for (size_t i = 0; i < entries.size(); ++i) {
        const BackupEntry& e = entries[i];
        text += std::string(i == 0 ? "" : ",") + "\n  {\"date\": " + JsonString(e.Date) +
                ", \"kind\": " + JsonString(BackupKindText(e.Kind)) +
                ", \"model\": " + JsonString(e.Model) +
                ", \"user_mmsi\": " + JsonString(e.UserMmsi) + ", \"file\": " + JsonString(e.Path) +
                "}";
    }
    return PrintToStdout(text + (entries.empty() ? "]}\n" : "\n]}\n"));
}

int ListBackupsCommand(bool json) {
    const std::string dir = BackupDir();
    if (dir.empty()) {
        std::fprintf(stderr, "backups: no per-user data folder (HOME is not set)\n");
        return kExitFailed;
    }
    std::vector<BackupEntry> entries;
    FileError error;
    if (!ListBackups(dir, entries, error)) {
        std::fprintf(stderr, "backups: cannot list %s: %s\n", Printable(dir).c_str(),
                     error.Text.c_str());
        return kExitFailed;
    }
    if (json) {
        return PrintBackupsJson(dir, entries);
    }
    if (entries.empty()) {
        std::printf("No backups in %s\n", Printable(dir).c_str());
        return kExitOk;
    }
    std::printf("%-19s  %-7s  %-8s  %-9s  %s\n", "Date", "Kind", "Model", "User MMSI", "File");
    for (const BackupEntry& e : entries) {
        std::printf("%-19s  %-7s  %-8s  %-9s  %s\n", e.Date.c_str(), BackupKindText(e.Kind),
                    Printable(e.Model).c_str(), e.UserMmsi.empty() ? "-" : e.UserMmsi.c_str(),
                    Printable(e.Path).c_str());
    }
    return kExitOk;
}

int PrintPortsJson(const std::vector<SerialPortEntry>& ports) {
    std::string text = "[";
    for (size_t i = 0; i < ports.size(); ++i) {
        const SerialPortEntry& p = ports[i];
        text += std::string(i == 0 ? "" : ",") + "\n  {\"com\": " + std::to_string(p.ComNum) +
                ", \"device\": " + JsonString(p.Device) +
                ", \"usb_ids\": " + JsonString(UsbIdsText(p)) +
                ", \"description\": " + JsonString(p.Description) + "}";
    }
    return PrintToStdout(text + (ports.empty() ? "]\n" : "\n]\n"));
}

int ListPortsCommand(bool json) {
    const std::vector<SerialPortEntry> ports = ListPorts();
    if (json) {
        return PrintPortsJson(ports);
    }
    if (ports.empty()) {
        std::printf("No serial ports found\n");
        return kExitOk;
    }
    std::printf("%-5s  %-20s  %-9s  %s\n", "COM", "Device", "USB ids", "Description");
    for (const SerialPortEntry& p : ports) {
        const std::string com = p.ComNum > 0 ? "COM" + std::to_string(p.ComNum) : "-";
        const std::string ids = UsbIdsText(p);
        std::printf("%-5s  %-20s  %-9s  %s\n", com.c_str(), Printable(p.Device).c_str(),
                    ids.empty() ? "-" : ids.c_str(),
                    p.Description.empty() ? "-" : Printable(p.Description).c_str());
    }
    return kExitOk;
}

}  // namespace

void AddExtraCommands(CLI::App& app, Context& ctx) {
    CLI::App* backups = app.add_subcommand(
        "backups", "List the images kept from every read and program, newest first");
    auto backupsJson = std::make_shared<bool>(false);
    backups->add_flag("--json", *backupsJson, "Print the list as JSON");
    backups->callback([&ctx, backupsJson] {
        ctx.Run = [backupsJson] { return ListBackupsCommand(*backupsJson); };
    });

    CLI::App* ports =
        app.add_subcommand("ports", "List the serial ports and the COM number of each");
    auto portsJson = std::make_shared<bool>(false);
    ports->add_flag("--json", *portsJson, "Print the list as JSON");
    ports->callback(
        [&ctx, portsJson] { ctx.Run = [portsJson] { return ListPortsCommand(*portsJson); }; });
}

}  // namespace tq530::cli
