#include "app/backups.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/error_log.h"
#include "core/platform_file.h"
#include "model/encodings.h"
#include "model/radio_image.h"

namespace tq530 {

namespace {

constexpr const char* kExtension = ".hex";
constexpr int kUserMmsiAddress = 0x0142;
constexpr size_t kMmsiDigits = 9;

// A backup's name taken apart: "YYYYMMDD-HHMMSS-MODEL-KIND[-N].hex".
struct BackupName {
    std::string Stamp;  // "YYYYMMDD-HHMMSS"
    int Sequence = 1;
    std::string Model;
    BackupKind Kind = BackupKind::Read;
};

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

std::vector<std::string> SplitDashes(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '-') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

bool ParseBackupName(const std::string& fileName, BackupName& name) {
    const size_t extension = fileName.size() - std::string(kExtension).size();
    if (fileName.size() <= std::string(kExtension).size() ||
        fileName.compare(extension, std::string::npos, kExtension) != 0) {
        return false;
    }
    const std::vector<std::string> parts = SplitDashes(fileName.substr(0, extension));
    if (parts.size() < 4 || parts.size() > 5 || parts[0].size() != 8 || parts[1].size() != 6 ||
        !AllDigits(parts[0]) || !AllDigits(parts[1]) || parts[2].empty()) {
        return false;
    }
    if (parts[3] == BackupKindText(BackupKind::Read)) {
        name.Kind = BackupKind::Read;
    } else if (parts[3] == BackupKindText(BackupKind::Program)) {
        name.Kind = BackupKind::Program;
    } else {
        return false;
    }
    name.Sequence = 1;
    if (parts.size() == 5) {
        if (!AllDigits(parts[4]) || parts[4].size() > 4) {
            return false;
        }
        name.Sequence = std::stoi(parts[4]);
    }
    name.Stamp = parts[0] + "-" + parts[1];
    name.Model = parts[2];
    return true;
}

struct Found {
    BackupName Name;
    std::filesystem::path Path;
};

// The backups of dir, newest first.
std::vector<Found> FindBackups(const std::string& dir) {
    std::vector<Found> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        BackupName name;
        if (it->is_regular_file(ec) && ParseBackupName(it->path().filename().string(), name)) {
            found.push_back({name, it->path()});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.Name.Stamp != b.Name.Stamp) {
            return a.Name.Stamp > b.Name.Stamp;
        }
        return a.Name.Sequence > b.Name.Sequence;
    });
    return found;
}

std::string DateText(const std::string& stamp) {
    // "YYYYMMDD-HHMMSS" -> "YYYY-MM-DD HH:MM:SS"
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " +
           stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

std::string UserMmsiOf(const std::string& path) {
    std::string bytes;
    FileError error;
    RadioImage image;
    if (!ReadWholeFile(path, bytes, error) || bytes.size() < kUserMmsiAddress + 5u) {
        return {};
    }
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.Bytes.size()), image.Bytes.begin());
    // The field holds ten digits of which an MMSI uses nine; the tenth is filler.
    return ReadDigits(image, kUserMmsiAddress).substr(0, kMmsiDigits);
}

}  // namespace

const char* BackupKindText(BackupKind kind) {
    return kind == BackupKind::Read ? "read" : "program";
}

std::string BackupDir() {
    const std::string base = UserDataDir();
    return base.empty() ? std::string() : PathIn(base, "backups");
}

std::string BackupFileName(std::time_t when, const std::string& model, BackupKind kind) {
    const std::tm parts = LocalTime(when);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
    return std::string(stamp) + "-" + model + "-" + BackupKindText(kind) + kExtension;
}

bool SaveBackup(const std::string& dir, const std::vector<uint8_t>& bytes, std::time_t when,
                const std::string& model, BackupKind kind, size_t keep, std::string& path,
                FileError& error) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        error = {ec.value(), "Cannot make the folder " + dir + ": " + ec.message()};
        return false;
    }
    const std::string first = BackupFileName(when, model, kind);
    path = PathIn(dir, first);
    for (int n = 2; std::filesystem::exists(path, ec); ++n) {
        const std::string stem = first.substr(0, first.size() - std::string(kExtension).size());
        path = PathIn(dir, stem + "-" + std::to_string(n) + kExtension);
    }
    const std::string data(bytes.begin(), bytes.end());
    if (!WriteFileReplacing(path, data, error)) {
        return false;
    }
    PruneBackups(dir, keep);
    return true;
}

std::vector<BackupEntry> ListBackups(const std::string& dir) {
    std::vector<BackupEntry> entries;
    for (const Found& f : FindBackups(dir)) {
        BackupEntry entry;
        entry.Path = f.Path.string();
        entry.Date = DateText(f.Name.Stamp);
        entry.Kind = f.Name.Kind;
        entry.Model = f.Name.Model;
        entry.UserMmsi = UserMmsiOf(entry.Path);
        entries.push_back(std::move(entry));
    }
    return entries;
}

void PruneBackups(const std::string& dir, size_t keep) {
    const std::vector<Found> found = FindBackups(dir);
    for (size_t i = keep; i < found.size(); ++i) {
        std::error_code ec;
        std::filesystem::remove(found[i].Path, ec);
    }
}

std::string KeepTransferBackup(const Workspace& ws, TransferMode mode,
                               const std::vector<uint8_t>& radioBytes, std::time_t when,
                               const std::string& dir) {
    if (mode != TransferMode::Read && mode != TransferMode::Program) {
        return {};
    }
    const BackupKind kind = mode == TransferMode::Read ? BackupKind::Read : BackupKind::Program;
    FileError error;
    std::string path;
    if (dir.empty()) {
        error.Text = "no per-user data folder";
    } else if (radioBytes.empty()) {
        error.Text = "no image to keep";
    } else if (SaveBackup(dir, radioBytes, when, ws.ModelName, kind, kBackupsKept, path, error)) {
        return {};
    }
    LogError(ws, "Backup.Save", ErrorMessage(error.Number, error.Text));
    return "Backup not saved: " + error.Text;
}

}  // namespace tq530
