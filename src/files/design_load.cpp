// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_load.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "design_file.hpp"
#include "design_reader.hpp"
#include "error_codes.hpp"
#include "io_error.hpp"

namespace ventbox {

namespace {

// The years a file date of the 16-bit file-date format can hold.
constexpr int kFirstFileDateYear = 1980;
constexpr int kLastFileDateYear = 2107;

bool isDesignFile(const struct stat& st) {
    // Only a regular file: a pipe or a device would block or never end.
    if (!S_ISREG(st.st_mode)) return false;
    struct tm local;
    if (::localtime_r(&st.st_mtime, &local) == nullptr) return false;
    const long year = 1900L + local.tm_year;
    return year >= kFirstFileDateYear && year <= kLastFileDateYear;
}

// An open design file, closed in every case; a close after a successful
// read reports its failure.
class FileSource : public DescriptorSource {
public:
    // Opening does not block, so that a pipe or device put in the file's
    // place after the existence test is seen for what it is, not waited on.
    explicit FileSource(const std::string& path)
        : DescriptorSource(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)) {
        if (fd_ < 0) throw IoError(ioErrorCode(errno));
    }
    ~FileSource() override {
        if (fd_ >= 0) ::close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Whether what was opened is a design file.
    bool holdsDesignFile() const {
        struct stat st;
        if (::fstat(fd_, &st) != 0) throw IoError(ioErrorCode(errno));
        return isDesignFile(st);
    }
    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) throw IoError(ioErrorCode(errno));
    }
};

// The file's name without its folder and extension.
std::string_view baseName(std::string_view path) {
    path.remove_prefix(path.rfind('/') + 1);
    if (path.ends_with(kDesignFileExtension)) path.remove_suffix(kDesignFileExtension.size());
    return path;
}

}  // namespace

bool designFileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && isDesignFile(st);
}

bool loadDesignFile(const std::string& path, LoadTarget& target) {
    if (!designFileExists(path)) return false;
    FileSource file(path);
    if (!file.holdsDesignFile()) return false;
    readDesign(file, target, baseName(path));
    file.close();
    return true;
}

}  // namespace ventbox
