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

// An open design file, closed in every case; a close after a successful
// read reports its failure.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY)) {
        if (fd_ < 0) throw IoError(ioErrorCode(errno));
    }
    ~FileSource() override {
        if (fd_ >= 0) ::close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* buffer, std::size_t size) override {
        while (true) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw IoError(ioErrorCode(errno));
        }
    }
    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) throw IoError(ioErrorCode(errno));
    }

private:
    int fd_;
};

}  // namespace

bool designFileExists(const std::string& path) {
    struct stat st;
    // Only a regular file: a pipe or a device would block or never end.
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    struct tm local;
    if (::localtime_r(&st.st_mtime, &local) == nullptr) return false;
    const long year = 1900L + local.tm_year;
    return year >= kFirstFileDateYear && year <= kLastFileDateYear;
}

bool loadDesignFile(const std::string& path, LoadTarget& target) {
    if (!designFileExists(path)) return false;
    FileSource file(path);
    readDesign(file, target);
    file.close();
    return true;
}

}  // namespace ventbox
