#include "app/backups.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/error_log.h"
#include "core/platform_file.h"
#include "model/encodings.h"
#include "model/image_layout.h"
#include "model/radio_image.h"

namespace tq530 {

namespace {

constexpr const char* kExtension = ".hex";
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

// The name of the record of the backups this program wrote, oldest first, one name a line.
// Only what it names is ever pruned: a file that merely looks like a backup (copied in,
// made by hand, or named by a clock that was once wrong) is not the program's to delete.
constexpr const char* kWrittenList = ".tq530-written";
// Past this many lines the record is rewritten with the backups that are still there.
constexpr size_t kWrittenListSlack = 50;

struct Found {
    BackupName Name;
    std::filesystem::path Path;
    std::string Bytes;
};

// Whether path is a backup image itself: a regular file (a link is never followed), of the
// image's size, with the model code at both ends. bytes gets its contents.
bool ReadBackupImage(const std::filesystem::path& path, std::string& bytes) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
    if (ec || !std::filesystem::is_regular_file(status) ||
        std::filesystem::file_size(path, ec) != static_cast<uintmax_t>(kImageSize) || ec) {
        return false;
    }
    FileError error;
    // The contents decide, so that a file swapped for another after the look above is
    // still refused.
    return ReadWholeFile(path.string(), bytes, error) &&
           bytes.size() == static_cast<size_t>(kImageSize) &&
           ModelWordsOk(reinterpret_cast<const uint8_t*>(bytes.data()), kImageSize - 1);
}

// The backups of dir, newest first by the date in their names. false when dir exists but
// cannot be listed (not a folder, no permission).
bool FindBackups(const std::string& dir, std::vector<Found>& found, FileError& error) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(dir, ec))) {
        return true;  // nothing kept yet
    }
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) {
        error = {ec.value(), ec.message()};
        return false;
    }
    for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        Found f;
        if (ParseBackupName(it->path().filename().string(), f.Name) &&
            ReadBackupImage(it->path(), f.Bytes)) {
            f.Path = it->path();
            found.push_back(std::move(f));
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.Name.Stamp != b.Name.Stamp) {
            return a.Name.Stamp > b.Name.Stamp;
        }
        return a.Name.Sequence > b.Name.Sequence;
    });
    return true;
}

// The names the record holds, oldest first, each once (at its latest place).
std::vector<std::string> WrittenNames(const std::string& dir, size_t& lines) {
    std::string text;
    FileError error;
    lines = 0;
    if (!ReadWholeFile(PathIn(dir, kWrittenList), text, error)) {
        return {};
    }
    std::vector<std::string> names;
    size_t from = 0;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
        const std::string name = text.substr(from, at - from);
        from = at + 1;
        ++lines;
        BackupName parsed;
        if (name.find_first_of("/\\") == std::string::npos && ParseBackupName(name, parsed)) {
            names.erase(std::remove(names.begin(), names.end(), name), names.end());
            names.push_back(name);
        }
    }
    return names;
}

// Removes the oldest backups this program wrote beyond keep, never justWritten.
void PruneWritten(const std::string& dir, size_t keep, const std::string& justWritten) {
    size_t lines = 0;
    std::vector<std::string> live;
    for (const std::string& name : WrittenNames(dir, lines)) {
        std::string bytes;
        if (ReadBackupImage(PathIn(dir, name), bytes)) {
            live.push_back(name);
        }
    }
    size_t excess = live.size() > keep ? live.size() - keep : 0;
    std::vector<std::string> kept;
    for (const std::string& name : live) {
        std::error_code ec;
        if (excess > 0 && name != justWritten) {
            std::filesystem::remove(PathIn(dir, name), ec);
            --excess;
        } else {
            kept.push_back(name);
        }
    }
    if (lines > kept.size() + kWrittenListSlack) {
        // A name another program appended meanwhile may drop out here: its backup is then
        // never pruned, which is the safe way to be wrong.
        std::string text;
        for (const std::string& name : kept) {
            text += name + "\n";
        }
        FileError error;
        WriteFileReplacing(PathIn(dir, kWrittenList), text, error);
    }
}

// Creates the backup under first, or first with "-2", "-3"... when that name is taken, never
// replacing a file.
bool WriteBackupFile(const std::string& dir, const std::string& first, const std::string& data,
                     std::string& path, FileError& error) {
    const std::string stem = first.substr(0, first.size() - std::string(kExtension).size());
    constexpr int kMostPerSecond = 9999;
    for (int n = 1; n <= kMostPerSecond; ++n) {
        path = PathIn(dir, n == 1 ? first : stem + "-" + std::to_string(n) + kExtension);
        error = {};
        if (WriteNewFile(path, data, error)) {
            return true;
        }
        if (error.Number != EEXIST) {
            return false;
        }
    }
    return false;
}

std::string DateText(const std::string& stamp) {
    // "YYYYMMDD-HHMMSS" -> "YYYY-MM-DD HH:MM:SS"
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " +
           stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

std::string UserMmsiOf(const std::string& bytes) {
    RadioImage image;
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
    const std::string data(bytes.begin(), bytes.end());
    if (!WriteBackupFile(dir, BackupFileName(when, model, kind), data, path, error)) {
        return false;
    }
    const std::string name = BaseName(path);
    FileError recordError;
    // Without its line the backup is never pruned, which costs only room.
    AppendToFile(PathIn(dir, kWrittenList), name + "\n", recordError);
    PruneWritten(dir, keep, name);
    return true;
}

bool ListBackups(const std::string& dir, std::vector<BackupEntry>& entries, FileError& error) {
    std::vector<Found> found;
    if (!FindBackups(dir, found, error)) {
        return false;
    }
    for (const Found& f : found) {
        BackupEntry entry;
        entry.Path = f.Path.string();
        entry.Date = DateText(f.Name.Stamp);
        entry.Kind = f.Name.Kind;
        entry.Model = f.Name.Model;
        entry.UserMmsi = UserMmsiOf(f.Bytes);
        entries.push_back(std::move(entry));
    }
    return true;
}

std::vector<BackupEntry> ListBackups(const std::string& dir) {
    std::vector<BackupEntry> entries;
    FileError error;
    ListBackups(dir, entries, error);
    return entries;
}

void PruneBackups(const std::string& dir, size_t keep) {
    PruneWritten(dir, keep, {});
}

std::string KeepTransferBackup(const Workspace& ws, TransferMode mode,
                               const std::vector<uint8_t>& radioBytes, std::time_t when,
                               const std::string& dir, std::string* keptPath) {
    if (keptPath != nullptr) {
        keptPath->clear();
    }
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
        if (keptPath != nullptr) {
            *keptPath = path;
        }
        return {};
    }
    LogError(ws, "Backup.Save", ErrorMessage(error.Number, error.Text));
    return "Backup not saved: " + error.Text;
}

}  // namespace tq530
