// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/RecordFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

std::variant<std::string, std::string> ReadRecordFile(const std::string& path) {
    using Result = std::variant<std::string, std::string>;
    auto why = [](const std::string& text) { return Result(std::in_place_index<1>, text); };
    // Not blocking: a pipe named like a record must not hold the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return why(std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return why("not a regular file");
    }
    if (static_cast<std::size_t>(st.st_size) > MostRecordBytes) {
        ::close(fd);
        return why("too large for a record");
    }
    std::string bytes(MostRecordBytes + 1, '\0');
    std::size_t size = 0;
    while (size < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int error = errno;
            if (n < 0) {
                ::close(fd);
                return why(std::strerror(error));
            }
            break;
        }
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    // It grew while being read.
    if (size > MostRecordBytes) {
        return why("too large for a record");
    }
    bytes.resize(size);
    return Result(std::in_place_index<0>, std::move(bytes));
}

} // namespace host
