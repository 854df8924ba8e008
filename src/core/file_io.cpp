#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tq530 {

namespace {

bool Fail(FileError& error, int number) {
    error.Number = number;
    error.Text = std::strerror(number);
    return false;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& data, FileError& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Fail(error, errno);
    }
    data.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int e = errno;
            ::close(fd);
            return Fail(error, e);
        }
        if (n == 0) {
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& data, FileError& error) {
    // /dev/null, a printer device or a FIFO cannot be replaced by a rename: write them directly.
    struct stat st {};
    const bool special = ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
    const std::string target = special ? path : path + ".tq530-tmp";
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int fd = ::open(target.c_str(), flags, 0644);
    if (fd < 0) {
        return Fail(error, errno);
    }
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int e = errno;
            ::close(fd);
            if (!special) {
                ::unlink(target.c_str());
            }
            return Fail(error, e);
        }
        done += static_cast<size_t>(n);
    }
    if ((!special && ::fsync(fd) != 0) || ::close(fd) != 0) {
        const int e = errno;
        if (!special) {
            ::unlink(target.c_str());
        }
        return Fail(error, e);
    }
    if (!special && ::rename(target.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(target.c_str());
        return Fail(error, e);
    }
    return true;
}

long long FileLength(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return -1;
    }
    return static_cast<long long>(st.st_size);
}

std::string LowerExtension(const std::string& path) {
    const std::string name = BaseName(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return std::string();
    }
    std::string ext = name.substr(dot);
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tq530
