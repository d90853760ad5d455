// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <random>
#include <string_view>

#include "design_file.hpp"
#include "design_writer.hpp"
#include "error_codes.hpp"
#include "io_error.hpp"
#include "save_calls.hpp"

namespace ventbox {

namespace {

constexpr int kAttempts = 100;
// As many links in a row as the system itself follows before it gives up.
constexpr int kLinkHops = 40;
// A temporary file this old belongs to no save still running.
constexpr std::time_t kStaleAge = 24 * 60 * 60;

constexpr std::string_view kTemporaryPrefix = ".ventbox-";
constexpr std::string_view kTemporarySuffix = ".tmp";

[[noreturn]] void fail(int errnoValue) { throw IoError(saveErrorCode(errnoValue)); }

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// A fresh temporary name in a folder. The short fixed-length name leaves
// room for the longest design file name the folder can hold.
std::string temporaryName(const std::string& folder) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    return folder + std::string(kTemporaryPrefix) + std::to_string(random() % 1'000'000'000'000) +
           std::string(kTemporarySuffix);
}

// The fresh temporary name `create` made an entry under; `create` fails with
// errno, and a name another process took first is passed over.
template <typename Create>
std::string createUnderTemporaryName(const std::string& folder, Create create) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string path = temporaryName(folder);
        if (create(path)) return path;
        if (errno != EEXIST) fail(errno);
    }
    fail(EEXIST);
}

bool isTemporaryName(std::string_view name) {
    if (name.size() <= kTemporaryPrefix.size() + kTemporarySuffix.size() ||
        name.substr(0, kTemporaryPrefix.size()) != kTemporaryPrefix ||
        name.substr(name.size() - kTemporarySuffix.size()) != kTemporarySuffix) {
        return false;
    }
    name = name.substr(kTemporaryPrefix.size(),
                       name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    return name.find_first_not_of("0123456789") == std::string_view::npos;
}

// Removes the temporary files of saves that were killed before their
// rename. Best effort: a leftover that cannot go is no reason to refuse
// the save at hand.
void removeStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const std::time_t cutoff = std::time(nullptr) - kStaleAge;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st;
        if (isTemporaryName(entry->d_name) &&
            ::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_mtime < cutoff) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// The file a save replaces: the design file itself, or where its links lead,
// so that a link stays a link and its target receives the design.
std::string linkTarget(std::string path) {
    for (int hops = 0;; ++hops) {
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            if (errno == EINVAL || errno == ENOENT) return path;
            fail(errno);
        }
        if (hops == kLinkHops) fail(ELOOP);
        if (static_cast<std::size_t>(n) == target.size()) fail(ENAMETOOLONG);
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : folderOf(path) + target;
    }
}

// A file in the design file's folder that becomes the design file by a
// rename, or goes without a trace. Where the system allows, it has no name
// until just before the rename, so a save killed midway leaves nothing.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder) : folder_(folder) {
        // Linking an unnamed file needs its /proc entry.
        if (::access("/proc/self/fd", X_OK) == 0) {
            fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd_ >= 0) return;
            // Systems and file systems without unnamed files say so in one of
            // these ways; other errors are real.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail(errno);
        }
        path_ = createUnderTemporaryName(folder, [this](const std::string& path) {
            fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd_ >= 0;
        });
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty() && !renamed_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }

    // Gives the file its temporary name, if it has none yet, and closes it,
    // raising the error a delayed write reports.
    void nameAndClose() {
        if (path_.empty()) {
            const std::string self = "/proc/self/fd/" + std::to_string(fd_);
            path_ = createUnderTemporaryName(folder_, [&self](const std::string& path) {
                return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(),
                                AT_SYMLINK_FOLLOW) == 0;
            });
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) fail(errno);
    }

    void renameOver(const std::string& path, SaveCalls& calls) {
        if (calls.rename(path_.c_str(), path.c_str()) != 0) fail(errno);
        renamed_ = true;
    }

private:
    std::string folder_;
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
// would refuse being overwritten in place; so does anything but a regular
// file, which a plain file in its place would silently stand in for.
std::optional<mode_t> existingMode(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(errno);
    }
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0) fail(EACCES);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) fail(errno);
    return st.st_mode & 07777;
}

// Makes the rename itself durable, so that a power cut cannot bring the
// previous file back.
void syncFolder(const std::string& folder, SaveCalls& calls) {
    // A folder this process may write but not read cannot be opened to be
    // synced; the rename stands all the same.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES) return;
        fail(errno);
    }
    const int result = calls.fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all.
    if (result != 0 && error != EINVAL) fail(error);
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
    const std::string path = linkTarget(designFilePath(dataFolder, design.name));
    const std::optional<mode_t> mode = existingMode(path);
    const std::string folder = folderOf(path);
    removeStaleTemporaries(folder);

    TemporaryFile temporary(folder);
    if (mode && ::fchmod(temporary.fd(), *mode) != 0) fail(errno);
    writeAll(calls, temporary.fd(), bytes);
    if (calls.fsync(temporary.fd()) != 0) fail(errno);
    temporary.nameAndClose();
    temporary.renameOver(path, calls);
    syncFolder(folder, calls);
}

void saveDesignFile(const std::string& dataFolder, const TDesign& design, bool pipeChecked) {
    SaveCalls calls;
    saveDesignFile(dataFolder, design, pipeChecked, calls);
}

}  // namespace ventbox
