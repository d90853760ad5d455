// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "error_codes.hpp"
#include "file_replace.hpp"
#include "io_error.hpp"

namespace ventbox {

bool writtenInPlace(const std::string& path) {
    struct stat target {};
    return ::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode) &&
           !S_ISDIR(target.st_mode);
}

std::optional<int> openInPlace(const std::string& path) {
    if (!writtenInPlace(path)) return std::nullopt;
    return ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
}

void writeOutputFile(const std::string& path, std::string_view bytes) {
    const std::optional<int> fd = openInPlace(path);
    if (!fd) {
        replaceFile(path, bytes);
        return;
    }
    if (*fd < 0) throw IoError(saveErrorCode(errno));
    while (!bytes.empty()) {
        const ssize_t written = ::write(*fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            ::close(*fd);
            throw IoError(saveErrorCode(error));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(*fd) != 0 && errno != EINTR) throw IoError(saveErrorCode(errno));
}

}  // namespace ventbox
