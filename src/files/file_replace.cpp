// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_replace.hpp"

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

// The folder a path's last entry is in, ending with the separator.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

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

// Whether the link at `path` may be followed. In a shared folder (anyone
// may add entries, only their owners remove them) a link another user planted
// would send a privileged save anywhere; there only the saving user's own
// links and the folder owner's are followed, as the system does on opening.
bool mayFollow(const std::string& path) {
    struct stat folder;
    struct stat link;
    if (::stat(folderOf(path).c_str(), &folder) != 0 || ::lstat(path.c_str(), &link) != 0) {
        fail(errno);
    }
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

// The file a save replaces: the path itself, or where its links lead, so
// that a link stays a link and its target receives the contents.
std::string linkTarget(std::string path) {
    for (int hops = 0;; ++hops) {
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            if (errno == EINVAL || errno == ENOENT) return path;
            fail(errno);
        }
        if (!mayFollow(path)) fail(EACCES);
        if (hops == kLinkHops) fail(ELOOP);
        if (static_cast<std::size_t>(n) == target.size()) fail(ENAMETOOLONG);
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : folderOf(path) + target;
    }
}

// A file in the replaced file's folder that becomes that file by a rename,
// or goes without a trace. Where the system allows, it has no name
// until just before the rename, so a save killed midway leaves nothing.
class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, SaveCalls& calls) : folder_(folder) {
        // Linking an unnamed file needs its /proc entry.
        if (::access("/proc/self/fd", X_OK) == 0) {
            fd_ = calls.openUnnamed(folder.c_str());
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

void writeAll(SaveCalls& calls, int fd, std::string_view bytes) {
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

// What a replaced file keeps: its owner, group and permission bits.
struct Keeps {
    uid_t owner;
    gid_t group;
    mode_t mode;
};

// What the file at `path` passes on to its replacement; nothing for a new
// file. A file nobody may write, or this process may not, refuses the save
// as it would refuse being overwritten in place; so does anything but a
// regular file, which a plain file in its place would silently stand in for.
std::optional<Keeps> existingFile(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        fail(errno);
    }
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0) fail(EACCES);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) fail(errno);
    // Only the permission bits: a set-user-ID bit on a file the saving user
    // now owns would lend that user's rights to whoever runs it.
    return Keeps{st.st_uid, st.st_gid, st.st_mode & 0777};
}

// Gives the temporary file what the replaced one keeps. A save by another
// user (the superuser, a member of the file's group) must not take the file
// from its owner; where the system does not let it hand the file back, the
// save is refused.
void keep(int fd, const Keeps& keeps) {
    struct stat st;
    if (::fstat(fd, &st) != 0) fail(errno);
    if ((st.st_uid != keeps.owner || st.st_gid != keeps.group) &&
        ::fchown(fd, keeps.owner, keeps.group) != 0) {
        fail(errno);
    }
    if (::fchmod(fd, keeps.mode) != 0) fail(errno);
}

// Makes the rename itself durable, so that a power cut cannot bring the
// previous file back. It comes after the rename: whatever fails here, the
// file holds the new contents.
void syncFolder(const std::string& folder, SaveCalls& calls) {
    // A folder this process may write but not read cannot be opened to be
    // synced; the rename stands all the same.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES) return;
        throw NotDurable(saveErrorCode(errno));
    }
    const int result = calls.fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all.
    if (result != 0 && error != EINVAL) throw NotDurable(saveErrorCode(error));
}

}  // namespace

void replaceFile(const std::string& path, std::string_view bytes, SaveCalls& calls) {
    const std::string target = linkTarget(path);
    const std::optional<Keeps> keeps = existingFile(target);
    const std::string folder = folderOf(target);
    removeStaleTemporaries(folder);

    TemporaryFile temporary(folder, calls);
    if (keeps) keep(temporary.fd(), *keeps);
    writeAll(calls, temporary.fd(), bytes);
    if (calls.fsync(temporary.fd()) != 0) fail(errno);
    temporary.nameAndClose();
    temporary.renameOver(target, calls);
    syncFolder(folder, calls);
}

void replaceFile(const std::string& path, std::string_view bytes) {
    SaveCalls calls;
    replaceFile(path, bytes, calls);
}

}  // namespace ventbox
