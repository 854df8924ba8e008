#include "core/platform_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <algorithm>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef __APPLE__
#include <mach-o/dyld.h>

#include <cstdint>
#endif

namespace tq530 {

namespace {

bool FailErrno(FileError& error, int number) {
    error.Number = number;
    error.Text = std::strerror(number);
    return false;
}

#ifdef _WIN32
bool FailWindows(FileError& error, unsigned long code) {
    error.Number = static_cast<int>(code);
    error.Text = std::system_category().message(static_cast<int>(code));
    return false;
}

std::wstring Wide(const std::string& path) {
    return std::filesystem::path(path).wstring();
}
#endif

// A short name, so that a target whose own name is as long as the file system allows can
// still be saved, and a random one, so that nobody can guess it in advance.
std::string UniqueName() {
    static std::mt19937_64 generator{std::random_device{}()};
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = ".tq530-";
    for (int i = 0; i < 10; ++i) {
        name += kDigits[generator() % 36];
    }
    return name + ".tmp";
}

// Creates a file under a new name in dir with create (which returns a descriptor or -1 with
// errno), trying other names while the name is taken. newPath is "" when none was created.
template <typename Create>
int CreateUnique(const std::string& dir, std::string& newPath, FileError& error, Create create) {
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        newPath = (std::filesystem::path(dir.empty() ? "." : dir) / UniqueName()).string();
        const int fd = create(newPath);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    const int e = errno;
    newPath.clear();
    FailErrno(error, e);
    return -1;
}

}  // namespace

#ifdef _WIN32

namespace {

// Writes data to fd and closes it, also on failure.
bool WriteAndClose(int fd, const std::string& data, bool durable, FileError& error) {
    size_t done = 0;
    while (done < data.size()) {
        const size_t chunk = std::min<size_t>(data.size() - done, 1u << 30);
        const int n = _write(fd, data.data() + done, static_cast<unsigned>(chunk));
        if (n < 0) {
            const int e = errno;
            _close(fd);
            return FailErrno(error, e);
        }
        done += static_cast<size_t>(n);
    }
    if (durable && _commit(fd) != 0) {
        const int e = errno;
        _close(fd);
        return FailErrno(error, e);
    }
    if (_close(fd) != 0) {
        return FailErrno(error, errno);
    }
    return true;
}

}  // namespace

bool AppendToRegularFile(const std::string& path, const std::string& data, FileError& error) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(Wide(path), ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return FailNotRegularFile(error);
    }
    const int fd = _wopen(Wide(path).c_str(), _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        return FailErrno(error, errno);
    }
    // Device names such as NUL or COM1 open as no file on the disk.
    if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) != FILE_TYPE_DISK) {
        _close(fd);
        return FailNotRegularFile(error);
    }
    return WriteAndClose(fd, data, false, error);
}

bool WriteUniqueFile(const std::string& dir, const std::string& data, const std::string& likeFile,
                     std::string& newPath, FileError& error) {
    const int fd = CreateUnique(dir, newPath, error, [](const std::string& path) {
        return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                      _S_IREAD | _S_IWRITE);
    });
    if (fd < 0) {
        return false;
    }
    // The only permission Windows keeps in the mode is read-only; the replace takes the
    // target's attributes and access rights over.
    (void)likeFile;
    return WriteAndClose(fd, data, true, error);
}

bool ReplaceFileWith(const std::string& from, const std::string& to, FileError& error) {
    // ReplaceFileW keeps the replaced file's attributes and access rights; a new name needs
    // a plain move.
    if (GetFileAttributesW(Wide(to).c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileW(Wide(to).c_str(), Wide(from).c_str(), nullptr, REPLACEFILE_WRITE_THROUGH,
                     nullptr, nullptr)) {
        return true;
    }
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return FailWindows(error, GetLastError());
    }
    return true;
}

bool DirectoryWritable(const std::string& dir) {
    // Access bits of a folder say nothing on Windows: only creating a file tells.
    const std::wstring probe = Wide((std::filesystem::path(dir) / ".tq530-probe").string());
    const HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(h);
    return true;
}

bool FileWritable(const std::string& path) {
    const HANDLE h =
        CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(h);
    return true;
}

std::string UserDataDir() {
    const char* base = std::getenv("LOCALAPPDATA");
    if (base == nullptr || *base == '\0') {
        base = std::getenv("APPDATA");
    }
    if (base == nullptr || *base == '\0') {
        return std::string();
    }
    return (std::filesystem::path(base) / "TQ530").string();
}

std::string ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return std::string();
        }
        if (n < buffer.size()) {
            buffer.resize(n);
            return std::filesystem::path(buffer).string();
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool StdinIsTerminal() {
    return _isatty(_fileno(stdin)) != 0;
}

std::tm LocalTime(std::time_t when) {
    std::tm parts{};
    localtime_s(&parts, &when);
    return parts;
}

#else

namespace {

// Writes data to fd and closes it, also on failure.
bool WriteAndClose(int fd, const std::string& data, bool durable, FileError& error) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int e = errno;
            ::close(fd);
            return FailErrno(error, e);
        }
        done += static_cast<size_t>(n);
    }
    if (durable && ::fsync(fd) != 0) {
        const int e = errno;
        ::close(fd);
        return FailErrno(error, e);
    }
    if (::close(fd) != 0) {
        return FailErrno(error, errno);
    }
    return true;
}

}  // namespace

bool AppendToRegularFile(const std::string& path, const std::string& data, FileError& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return S_ISDIR(info.st_mode) ? FailErrno(error, EISDIR) : FailNotRegularFile(error);
    }
    // O_NONBLOCK makes the open of a FIFO that took the file's place fail at once instead of
    // waiting for a reader; on a regular file it changes nothing.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        return FailErrno(error, errno);
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FailNotRegularFile(error);
    }
    return WriteAndClose(fd, data, false, error);
}

bool WriteUniqueFile(const std::string& dir, const std::string& data, const std::string& likeFile,
                     std::string& newPath, FileError& error) {
    struct stat like {};
    const bool keep = ::stat(likeFile.c_str(), &like) == 0 && S_ISREG(like.st_mode);
    // A file that replaces another starts private and takes the other's mode before any data
    // is in it; a new file gets what the user's umask allows, as any other program's would.
    const mode_t createMode = keep ? 0600 : 0666;
    const int fd = CreateUnique(dir, newPath, error, [createMode](const std::string& path) {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      createMode);
    });
    if (fd < 0) {
        return false;
    }
    if (keep) {
        // Another owner can only be kept by a privileged process; the mode always can.
        if (like.st_uid != ::geteuid() || like.st_gid != ::getegid()) {
            (void)!::fchown(fd, like.st_uid, like.st_gid);
        }
        if (::fchmod(fd, like.st_mode & 07777) != 0) {
            const int e = errno;
            ::close(fd);
            return FailErrno(error, e);
        }
    }
    return WriteAndClose(fd, data, true, error);
}

bool ReplaceFileWith(const std::string& from, const std::string& to, FileError& error) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return FailErrno(error, errno);
    }
    return true;
}

bool DirectoryWritable(const std::string& dir) {
    // The effective ids decide whether a file can be made, not the real ones.
    return faccessat(AT_FDCWD, dir.c_str(), W_OK, AT_EACCESS) == 0;
}

bool FileWritable(const std::string& path) {
    return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string UserDataDir() {
#ifdef __APPLE__
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/Library/Application Support/TQ530";
    }
#else
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0') {
        return std::string(xdg) + "/TQ530";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.local/share/TQ530";
    }
#endif
    return std::string();
}

std::string ExecutablePath() {
#ifdef __APPLE__
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::string buffer(size, '\0');
    if (size == 0 || _NSGetExecutablePath(&buffer[0], &size) != 0) {
        return std::string();
    }
    buffer.resize(std::strlen(buffer.c_str()));
    std::error_code ec;
    const std::filesystem::path resolved = std::filesystem::canonical(buffer, ec);
    return ec ? buffer : resolved.string();
#else
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
#endif
}

bool StdinIsTerminal() {
    return isatty(STDIN_FILENO) != 0;
}

std::tm LocalTime(std::time_t when) {
    std::tm parts{};
    localtime_r(&when, &parts);
    return parts;
}

#endif

#ifdef _WIN32
namespace {
int OpenForNewFile(const std::string& path) {
    return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
int OpenForAppend(const std::string& path) {
    return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_APPEND | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
}  // namespace
#else
namespace {
int OpenForNewFile(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}
int OpenForAppend(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0666);
}
}  // namespace
#endif

bool WriteNewFile(const std::string& path, const std::string& data, FileError& error) {
    const int fd = OpenForNewFile(path);
    if (fd < 0) {
        return FailErrno(error, errno);
    }
    if (!WriteAndClose(fd, data, true, error)) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return false;
    }
    return true;
}

bool AppendToFile(const std::string& path, const std::string& data, FileError& error) {
    const int fd = OpenForAppend(path);
    if (fd < 0) {
        return FailErrno(error, errno);
    }
    return WriteAndClose(fd, data, false, error);
}

namespace {
// Counted from a signal handler (or the console's handler thread): lock-free or not at all.
std::atomic<int> gInterruptPresses{0};
static_assert(std::atomic<int>::is_always_lock_free);

void CountInterrupt() {
    gInterruptPresses.fetch_add(1);
}
}  // namespace

int InterruptCounter::Presses() const {
    return gInterruptPresses.load();
}

#ifdef _WIN32

bool IsTerminal(StdStream stream) {
    FILE* file = stream == StdStream::Input ? stdin : stream == StdStream::Output ? stdout : stderr;
    return _isatty(_fileno(file)) != 0;
}

// The console's handlers are a list of their own; removing ours restores what was before.
struct InterruptCounter::Previous {};

namespace {
BOOL WINAPI OnConsoleInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    CountInterrupt();
    return TRUE;
}
}  // namespace

InterruptCounter::InterruptCounter() {
    SetConsoleCtrlHandler(OnConsoleInterrupt, TRUE);
}

InterruptCounter::~InterruptCounter() {
    SetConsoleCtrlHandler(OnConsoleInterrupt, FALSE);
}

#else

bool IsTerminal(StdStream stream) {
    const int fd = stream == StdStream::Input    ? STDIN_FILENO
                   : stream == StdStream::Output ? STDOUT_FILENO
                                                 : STDERR_FILENO;
    return isatty(fd) != 0;
}

struct InterruptCounter::Previous {
    struct sigaction Action {};
};

namespace {
void OnInterrupt(int) {
    CountInterrupt();
}
}  // namespace

InterruptCounter::InterruptCounter() : previous_(std::make_unique<Previous>()) {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read waiting for an answer gives up on the press.
    sigaction(SIGINT, &action, &previous_->Action);
}

InterruptCounter::~InterruptCounter() {
    sigaction(SIGINT, &previous_->Action, nullptr);
}

#endif

}  // namespace tq530
