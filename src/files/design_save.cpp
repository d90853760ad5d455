#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>

#include "design_file.hpp"
#include "design_writer.hpp"
#include "error_codes.hpp"
#include "io_error.hpp"
#include "save_calls.hpp"

namespace ventbox {

namespace {

constexpr int kAttempts = 100;

[[noreturn]] void fail(int errnoValue) { throw IoError(saveErrorCode(errnoValue)); }

// A file of a unique name in the design file's folder, removed again unless
// it was renamed over the design file. The short fixed-length name leaves
// room for the longest design file name the folder can hold.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder) {
        thread_local std::mt19937_64 random{std::random_device{}()};
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            path_ = folder + ".ventbox-" + std::to_string(random() % 1'000'000'000'000) + ".tmp";
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) return;
            if (errno != EEXIST) fail(errno);
        }
        fail(EEXIST);
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // Closes the descriptor, raising the error a delayed write reports.
    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) fail(errno);
    }
    void markRenamed() { renamed_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

void writeAll(SaveCalls& calls, int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) fail(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
}

// The permissions the saved file gets: those of the file it replaces. A
// file nobody may write, or this process may not, refuses the save as it
// would refuse being overwritten in place.
std::optional<mode_t> existingMode(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(errno);
    }
    if (S_ISDIR(st.st_mode)) fail(EISDIR);
    if ((st.st_mode & 0222) == 0) fail(EACCES);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) fail(errno);
    return st.st_mode & 07777;
}

}  // namespace

ssize_t SaveCalls::write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int SaveCalls::fsync(int fd) { return ::fsync(fd); }

int SaveCalls::rename(const char* from, const char* to) { return ::rename(from, to); }

void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked,
                    SaveCalls& calls) {
    checkDesignName(design.name);
    const std::string bytes = designFileText(design, pipeChecked);
    const std::string path = designFilePath(dataFolder, design.name);
    const std::optional<mode_t> mode = existingMode(path);

    TemporaryFile temporary(path.substr(0, path.rfind('/') + 1));
    if (mode && ::fchmod(temporary.fd(), *mode) != 0) fail(errno);
    writeAll(calls, temporary.fd(), bytes);
    if (calls.fsync(temporary.fd()) != 0) fail(errno);
    temporary.close();
    if (calls.rename(temporary.path().c_str(), path.c_str()) != 0) fail(errno);
    temporary.markRenamed();
}

void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked) {
    SaveCalls calls;
    saveDesignFile(dataFolder, design, pipeChecked, calls);
}

}  // namespace ventbox
