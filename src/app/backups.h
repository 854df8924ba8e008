// Automatic backups of the radio's image: every read and every program that completed keeps
// what was read or sent as an image file in the per-user data folder, the newest 100 kept, so
// that a radio can always be put back the way it was.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/workspace.h"
#include "radio/transfer.h"

namespace tq530 {

enum class BackupKind { Read, Program };

struct BackupEntry {
    std::string Path;
    std::string Date;  // "2026-12-06 20:18:51", local time of the transfer
    BackupKind Kind = BackupKind::Read;
    std::string Model;
    std::string UserMmsi;  // decoded from the image; "" when it holds none
};

constexpr size_t kBackupsKept = 100;

// "read" or "program", as the file names and the listings say it.
const char* BackupKindText(BackupKind kind);

// The per-user data folder + "/backups"; "" when the environment names no such folder. On
// Linux that is $XDG_DATA_HOME/TQ530/backups (~/.local/share/TQ530/backups), the folder
// QStandardPaths::AppDataLocation gives a program named "TQ530" without an organisation name;
// on Windows the local (not the roaming) application data folder.
std::string BackupDir();

// "20261206-201851-NR6120-read.hex": date and time first, so that names sort by age.
std::string BackupFileName(std::time_t when, const std::string& model, BackupKind kind);

// Writes bytes as a new backup in dir (made when missing), records it as written by this
// program, then prunes dir to keep backups. The name is created exclusively: a second backup
// within the same second, from this or another program, gets "-2", "-3"... before the
// extension.
bool SaveBackup(const std::string& dir, const std::vector<uint8_t>& bytes, std::time_t when,
                const std::string& model, BackupKind kind, size_t keep, std::string& path,
                FileError& error);

// The backups in dir, newest first by the date in their names: regular files (links are not
// followed) named like a backup that hold an image (its size, the model code at both ends).
// A missing dir has none; false when dir cannot be listed (not a folder, no permission).
bool ListBackups(const std::string& dir, std::vector<BackupEntry>& entries, FileError& error);
std::vector<BackupEntry> ListBackups(const std::string& dir);

// Removes all but the keep most recently written of the backups this program recorded as
// written in dir, in the order it wrote them; files it did not write always stay.
void PruneBackups(const std::string& dir, size_t keep);

// What the GUI and the CLI call after a transfer that completed: a read or a program keeps
// radioBytes (Transfer::RadioBytes()); the clears keep nothing. A backup that cannot be saved
// never fails the transfer: it is logged, and the one-line notice for the user is returned
// ("" when all went well). keptPath, when given, receives the backup's path ("" for none).
std::string KeepTransferBackup(const Workspace& ws, TransferMode mode,
                               const std::vector<uint8_t>& radioBytes, std::time_t when,
                               const std::string& dir, std::string* keptPath = nullptr);

}  // namespace tq530
