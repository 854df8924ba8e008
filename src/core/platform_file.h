// The few file and process services that differ between Windows and the POSIX systems; the
// rest of the program reaches the file system through std::filesystem and the C library.
#pragma once

#include <ctime>
#include <memory>
#include <string>

#include "core/file_io.h"

namespace tq530 {

// Appends data to the regular file path, creating it when missing. Anything else there (a
// FIFO, a device, a folder) is refused without waiting: a FIFO without a reader, also one put
// there between the look and the open, never holds the caller.
bool AppendToRegularFile(const std::string& path, const std::string& data, FileError& error);

// Creates a file under a new name of its own in dir, never opening an existing name or a
// link planted there, gives it the permissions of likeFile when that exists, writes data to
// it and puts it on the disk. newPath names the file, also after a failed write.
bool WriteUniqueFile(const std::string& dir, const std::string& data, const std::string& likeFile,
                     std::string& newPath, FileError& error);

// Puts the file from in the place of to in one step, replacing an existing to.
bool ReplaceFileWith(const std::string& from, const std::string& to, FileError& error);

// Whether a file can be created in dir by this process (with its effective rights).
bool DirectoryWritable(const std::string& dir);
// Whether the existing file path can be opened for writing by this process.
bool FileWritable(const std::string& path);

// The per-user folder for the program's own files, named after the program; "" when the
// environment names none.
std::string UserDataDir();

// The full path of the running executable, "" when the system does not say.
std::string ExecutablePath();

// Whether the standard input is a terminal a person can answer on.
bool StdinIsTerminal();

// The broken-down local time of when.
std::tm LocalTime(std::time_t when);

// Creates path only when nothing (not even a dangling link) has that name, writes data to it
// and puts it on the disk. A taken name fails with error.Number EEXIST; a failed write
// removes the file it made.
bool WriteNewFile(const std::string& path, const std::string& data, FileError& error);

// Appends data to path (made when missing) in one write, never through a link, so that
// programs appending at the same time keep each other's lines whole.
bool AppendToFile(const std::string& path, const std::string& data, FileError& error);

// The three standard streams, for the questions a program asks of its terminal.
enum class StdStream { Input, Output, Error };

// Whether the stream is a terminal (a console on Windows) rather than a file or a pipe.
bool IsTerminal(StdStream stream);

// While alive, the user's interrupt key (Ctrl+C) counts presses instead of ending the
// program; the handling that was there before comes back when it goes. On POSIX systems a
// press also ends a read of the standard input that is waiting, so that a question gives up.
// One at a time: a second while the first is alive is a programming error.
class InterruptCounter {
  public:
    InterruptCounter();
    ~InterruptCounter();
    InterruptCounter(const InterruptCounter&) = delete;
    InterruptCounter& operator=(const InterruptCounter&) = delete;

    // The presses since the program started; a caller compares it with the count it saw.
    int Presses() const;

  private:
    struct Previous;
    std::unique_ptr<Previous> previous_;
};

}  // namespace tq530
