// Commands beyond the transfers and the data sets: the automatic backups and the serial ports.
#include <cstdio>

#include "app/backups.h"
#include "cli/cli.h"
#include "radio/qt/serial_ports.h"

namespace tq530::cli {

namespace {

int ListBackupsCommand() {
    const std::string dir = BackupDir();
    if (dir.empty()) {
        std::fprintf(stderr, "backups: no per-user data folder (HOME is not set)\n");
        return kExitFailed;
    }
    const std::vector<BackupEntry> entries = ListBackups(dir);
    if (entries.empty()) {
        std::printf("No backups in %s\n", dir.c_str());
        return kExitOk;
    }
    std::printf("%-19s  %-7s  %-8s  %-9s  %s\n", "Date", "Kind", "Model", "User MMSI", "File");
    for (const BackupEntry& e : entries) {
        std::printf("%-19s  %-7s  %-8s  %-9s  %s\n", e.Date.c_str(), BackupKindText(e.Kind),
                    e.Model.c_str(), e.UserMmsi.empty() ? "-" : e.UserMmsi.c_str(), e.Path.c_str());
    }
    return kExitOk;
}

int ListPortsCommand() {
    const std::vector<SerialPortEntry> ports = ListSerialPorts();
    if (ports.empty()) {
        std::printf("No serial ports found\n");
        return kExitOk;
    }
    std::printf("%-5s  %-20s  %-9s  %s\n", "COM", "Device", "USB ids", "Description");
    for (const SerialPortEntry& p : ports) {
        const std::string com = p.ComNum > 0 ? "COM" + std::to_string(p.ComNum) : "-";
        const std::string ids = UsbIdsText(p);
        std::printf("%-5s  %-20s  %-9s  %s\n", com.c_str(), p.Device.c_str(),
                    ids.empty() ? "-" : ids.c_str(),
                    p.Description.empty() ? "-" : p.Description.c_str());
    }
    return kExitOk;
}

}  // namespace

void AddExtraCommands(CLI::App& app, Context& ctx) {
    CLI::App* backups = app.add_subcommand(
        "backups", "List the images kept from every read and program, newest first");
    backups->callback([&ctx] { ctx.Run = ListBackupsCommand; });

    CLI::App* ports =
        app.add_subcommand("ports", "List the serial ports and the COM number of each");
    ports->callback([&ctx] { ctx.Run = ListPortsCommand; });
}

}  // namespace tq530::cli
