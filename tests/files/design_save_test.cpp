// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <functional>
#include <thread>
#include <tuple>

#include "file_test_support.hpp"
#include "files/io_error.hpp"
#include "files/save_calls.hpp"

namespace ventbox {
namespace {

using test::exampleDesign;
using test::kExampleFile;

using test::readBytes;
using test::RecordingTarget;
using test::TempDir;
using test::writeBytes;

// The folder's entries, links with their targets, so that a failed save can
// be seen to leave nothing and a save to leave links as links.
std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
        if (e.is_symlink()) names.back() += " -> " + std::filesystem::read_symlink(e).string();
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> entries(const TempDir& dir) { return entries(dir.folder()); }

// What a save reports: the code and the message shown, or "saved".
std::string saveOutcome(const std::string& folder, const TDesign& design, SaveCalls& calls) {
    try {
        saveDesignFile(folder, design, false, calls);
    } catch (const IoError& e) {
        return std::to_string(e.code()) + " " + e.what();
    }
    return "saved";
}

std::string saveOutcome(const std::string& folder, const TDesign& design) {
    SaveCalls calls;
    return saveOutcome(folder, design, calls);
}

// The code of an outcome; 0 for a save.
int codeOf(const std::string& outcome) { return outcome == "saved" ? 0 : std::stoi(outcome); }

TEST(DesignFileSave, writesTheExampleFileByteForByte) {
    TempDir dir;
    saveDesignFile(dir.folder(), exampleDesign(), false);
    const std::string bytes = readBytes(dir.file("FW208Kolvex.dat"));
    EXPECT_EQ(bytes.size(), 270u);
    EXPECT_EQ(bytes, kExampleFile);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"});
}

TEST(DesignFileSave, namesTheFileAfterTheDesignInsideTheDataFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    const struct {
        const char* name;
        const char* file;
        const char* line11;
    } cases[] = {
        {"", ".dat", ""},
        {"sub/inner", "sub/inner.dat", "sub/inner"},
        {"..", "...dat", ".."},
        {"設計 1", "設計 1.dat", "\x90\xdd\x8c\x76 1"},
        {" spaced ", " spaced .dat", " spaced "},
    };
    for (const auto& c : cases) {
        saveDesignFile(dir.folder(), exampleDesign(c.name), true);
        const std::string bytes = readBytes(dir.file(c.file));
        EXPECT_EQ(bytes.substr(250), std::string(c.line11) + "\r\nTRUE\r\n") << c.name;
    }
}

TEST(DesignFileSave, refusesWithTheErrorOfEachFailureAndLeavesTheFolderAsItWas) {
    TempDir dir;
    TempDir outside;
    writeBytes(dir.file("plain"), "x");
    std::filesystem::create_directory(dir.file("folder.dat"));
    std::filesystem::create_directory(outside.file("sub"));
    std::filesystem::create_directory_symlink(outside.file("sub"), dir.file("link"));
    std::filesystem::create_symlink("/dev/null", dir.file("null.dat"));
    std::filesystem::create_symlink("loop.dat", dir.file("loop.dat"));
    ::mkfifo(dir.file("fifo.dat").c_str(), 0600);
    const std::string kAccessDenied = "5 ファイルへのアクセスが拒否されました";
    const struct {
        const char* what;
        std::string folder;
        std::string name;
        int code;
        std::string shown = {};
    } cases[] = {
        {"missing data folder", dir.folder() + "Data/", "x", 3,
         "3 ファイル名の指定が間違っています"},
        {"missing subfolder", dir.folder(), "nosub/x", 3},
        {"data folder is a file", dir.folder() + "plain/", "x", 3,
         "3 ファイル名の指定が間違っています"},
        {"design file is a folder", dir.folder(), "folder", 5, kAccessDenied},
        {"link to a device", dir.folder(), "null", 5, kAccessDenied},
        {"a pipe in the design file's place", dir.folder(), "fifo", 5},
        {"link loop", dir.folder(), "loop", 1921, "1921 I/O エラー (1921)"},
        {"name climbing back through a subfolder", dir.folder(), "sub/../up", 123},
        {"name climbing out through a folder link", dir.folder(), "link/../x", 123},
        {"name not in code page 932", dir.folder(), "\xF0\x9F\x94\x8A", 1113},
        {"name not UTF-8", dir.folder(), "bad\xFF", 1113},
        {"name climbing out", dir.folder(), "../x", 123},
        {"name climbing out through a subfolder", dir.folder(), "a/../../x", 123},
        {"name with a line end", dir.folder(), "a\r\nb", 123},
        {"name with a NUL", dir.folder(), std::string("a\0b", 3), 123},
        {"name with an end-of-file mark", dir.folder(), "a\x1A", 123},
        {"name too long", dir.folder(), std::string(300, 'n'), 206, "206 I/O エラー (206)"},
        {"path too long", dir.folder(), std::string(5000, 'n'), 206},
    };
    const std::vector<std::string> before = entries(dir);
    for (const auto& c : cases) {
        const std::string outcome = saveOutcome(c.folder, exampleDesign(c.name));
        EXPECT_EQ(codeOf(outcome), c.code) << c.what;
        if (!c.shown.empty()) {
            EXPECT_EQ(outcome, c.shown) << c.what;
        }
        EXPECT_EQ(entries(dir), before) << c.what;
        EXPECT_EQ(entries(outside), std::vector<std::string>{"sub"}) << c.what;
    }
}

TEST(DesignFileSave, refusesAReadOnlyFileAndLeavesIt) {
    TempDir dir;
    const std::string path = dir.file("FW208Kolvex.dat");
    writeBytes(path, "old");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(codeOf(saveOutcome(dir.folder(), exampleDesign())), 5);
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"});
}

TEST(DesignFileSave, givesANewFileTheUmasksModeAndAReplacedOneItsOwn) {
    const struct {
        mode_t umask;
        std::optional<mode_t> existing;
        mode_t mode;
    } cases[] = {
        {022, std::nullopt, 0644}, {077, std::nullopt, 0600}, {002, std::nullopt, 0664},
        {022, 0640, 0640},         {077, 0664, 0664},
        // Only the permission bits: never a set-user-ID or set-group-ID bit.
        {022, 06777, 0777},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("FW208Kolvex.dat");
        if (c.existing) {
            writeBytes(path, "old");
            ::chmod(path.c_str(), *c.existing);
        }
        const mode_t previous = ::umask(c.umask);
        saveDesignFile(dir.folder(), exampleDesign(), false);
        ::umask(previous);
        struct stat st;
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode) << std::oct << c.umask;
        EXPECT_EQ(readBytes(path), kExampleFile);
    }
}

// A link stays a link: what it leads to receives the design and keeps its
// mode, and nothing is left in either folder.
TEST(DesignFileSave, replacesWhatALinkLeadsToAndKeepsTheLink) {
    const struct {
        const char* what;
        std::string link;
        bool targetExists;
    } cases[] = {
        {"relative link into another folder", "../other/X.dat", true},
        {"link to a file not yet there", "../other/X.dat", false},
        {"chain of links", "Y.dat", true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string data = dir.file("Data") + "/";
        const std::string other = dir.file("other") + "/";
        std::filesystem::create_directory(data);
        std::filesystem::create_directory(other);
        if (c.targetExists) {
            writeBytes(other + "X.dat", "old");
            ::chmod((other + "X.dat").c_str(), 0600);
        }
        std::filesystem::create_symlink(c.link, data + "X.dat");
        std::filesystem::create_symlink(dir.file("other/X.dat"), data + "Y.dat");
        const std::vector<std::string> links = entries(data);
        saveDesignFile(data, exampleDesign("X"), false);
        EXPECT_EQ(entries(data), links) << c.what;
        EXPECT_EQ(entries(other), std::vector<std::string>{"X.dat"}) << c.what;
        EXPECT_EQ(readBytes(other + "X.dat"), std::string(kExampleFile).replace(250, 11, "X"))
            << c.what;
        struct stat st;
        ASSERT_EQ(::stat((other + "X.dat").c_str(), &st), 0);
        if (c.targetExists) {
            EXPECT_EQ(st.st_mode & 07777, 0600u) << c.what;
        }
    }
}

// A save killed before its rename leaves no file behind; the temporary
// files of saves killed a day or more ago go at the next save there.
TEST(DesignFileSave, leavesNoTemporaryFileBehind) {
    TempDir dir;
    const std::string path = dir.file("FW208Kolvex.dat");
    writeBytes(path, "old");
    class KilledMidWrite : public SaveCalls {
        ssize_t write(int, const void*, std::size_t) override { ::_exit(0); }
    };
    test::inChildProcess([&] {
        KilledMidWrite calls;
        saveDesignFile(dir.folder(), exampleDesign(), false, calls);
        return std::string();
    });
    EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"});
    EXPECT_EQ(readBytes(path), "old");

    const struct timespec twoDaysAgo[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 2 * 86400, 0}};
    const struct {
        const char* name;
        bool old;
    } leftovers[] = {
        {".ventbox-17.tmp", true}, {".ventbox-18.tmp", false},  // a save may still run
        {".ventbox-x.tmp", true},  {"keep.tmp", true},          // not of our naming
    };
    for (const auto& l : leftovers) {
        writeBytes(dir.file(l.name), "left");
        if (l.old) ::utimensat(AT_FDCWD, dir.file(l.name).c_str(), twoDaysAgo, 0);
    }
    saveDesignFile(dir.folder(), exampleDesign(), false);
    EXPECT_EQ(entries(dir), (std::vector<std::string>{".ventbox-18.tmp", ".ventbox-x.tmp",
                                                      "FW208Kolvex.dat", "keep.tmp"}));
}

// A disk that fills up after a number of bytes, a file system without
// unnamed files, a sync or a rename that fails; the syncs and the rename are
// logged.
class FailingCalls : public SaveCalls {
public:
    std::size_t room = SIZE_MAX;
    int unnamedError = 0;  // how the file system refuses an unnamed file
    int fsyncError = 0;
    int folderSyncError = 0;
    int renameError = 0;
    std::vector<std::string> log;

    int openUnnamed(const char* folder) override {
        if (unnamedError == 0) return SaveCalls::openUnnamed(folder);
        errno = unnamedError;
        return -1;
    }
    ssize_t write(int fd, const void* data, std::size_t size) override {
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, room);
        room -= n;
        return SaveCalls::write(fd, data, n);
    }
    int fsync(int fd) override {
        struct stat st;
        ::fstat(fd, &st);
        log.push_back(S_ISDIR(st.st_mode) ? "sync folder" : "sync file");
        const int error = S_ISDIR(st.st_mode) ? folderSyncError : fsyncError;
        if (error == 0) return SaveCalls::fsync(fd);
        errno = error;
        return -1;
    }
    int rename(const char* from, const char* to) override {
        log.push_back("rename");
        if (renameError == 0) return SaveCalls::rename(from, to);
        errno = renameError;
        return -1;
    }
};

// Where the file system refuses unnamed files (as vfat, some NFS and FUSE
// mounts do) the save goes through a named temporary file; both ways leave
// the previous file whole and no temporary file behind.
TEST(DesignFileSave, leavesThePreviousFileByteForByteWhenTheSaveFails) {
    const struct {
        const char* what;
        std::size_t room;
        int fsyncError;
        int renameError;
        int code;
    } cases[] = {
        {"disk full at once", 0, 0, 0, 112},
        {"disk full after the first block", 128, 0, 0, 112},
        {"disk full before the last byte", 269, 0, 0, 112},
        {"sync fails", SIZE_MAX, EIO, 0, 23},
        {"rename fails", SIZE_MAX, 0, EACCES, 5},
    };
    for (int unnamedError : {0, EOPNOTSUPP, EISDIR, EINVAL}) {
        for (const auto& c : cases) {
            TempDir dir;
            const std::string path = dir.file("FW208Kolvex.dat");
            const std::string old = "old design\r\n";
            writeBytes(path, old);
            FailingCalls calls;
            calls.room = c.room;
            calls.unnamedError = unnamedError;
            calls.fsyncError = c.fsyncError;
            calls.renameError = c.renameError;
            EXPECT_EQ(codeOf(saveOutcome(dir.folder(), exampleDesign(), calls)), c.code)
                << c.what << ", unnamed file refused with " << unnamedError;
            EXPECT_EQ(readBytes(path), old) << c.what << ", " << unnamedError;
            EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"})
                << c.what << ", " << unnamedError;
        }
    }
}

// The folder is synced after the rename, so that a power cut cannot bring
// the previous file back; a failure there comes when the new file is in place.
TEST(DesignFileSave, syncsTheFileBeforeAndTheFolderAfterTheRename) {
    for (int unnamedError : {0, EOPNOTSUPP}) {
        TempDir dir;
        FailingCalls calls;
        calls.unnamedError = unnamedError;
        EXPECT_EQ(saveOutcome(dir.folder(), exampleDesign(), calls), "saved");
        EXPECT_EQ(calls.log, (std::vector<std::string>{"sync file", "rename", "sync folder"}));
        EXPECT_EQ(readBytes(dir.file("FW208Kolvex.dat")), kExampleFile) << unnamedError;
        EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"}) << unnamedError;
    }
    TempDir dir;
    FailingCalls calls;
    calls.folderSyncError = EIO;
    EXPECT_THROW(saveDesignFile(dir.folder(), exampleDesign(), false, calls), NotDurable);
    EXPECT_EQ(readBytes(dir.file("FW208Kolvex.dat")), kExampleFile);
    // An unnamed file refused for any other reason is a failure of its own.
    FailingCalls refused;
    refused.unnamedError = EACCES;
    EXPECT_EQ(codeOf(saveOutcome(dir.folder(), exampleDesign(), refused)), 5);
}

// Failures only a real file system gives, in a child process that mounts a
// small file system of its own where it may, then gives up its rights.
TEST(DesignFileSave, reportsWhatTheFileSystemRefuses) {
    TempDir dir;
    ::chmod(dir.folder().c_str(), 0755);
    const std::string small = dir.file("small") + "/";
    const std::string locked = dir.file("locked") + "/";
    std::filesystem::create_directory(small);
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0555);
    const std::string outcomes = test::inChildProcess([&] {
        std::string out;
        if (::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=16k") == 0) {
            writeBytes(small + "filler", std::string(1 << 16, 'x'));
            out += "disk full: " + saveOutcome(small, exampleDesign()) + "\n";
            ::mount(nullptr, small.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
            out += "read-only: " + saveOutcome(small, exampleDesign()) + "\n";
        }
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return out;
        return out + "no right to write: " + saveOutcome(locked, exampleDesign()) + "\n";
    });
    const std::string denied = "5 ファイルへのアクセスが拒否されました\n";
    if (outcomes.rfind("no right", 0) == 0) {
        EXPECT_EQ(outcomes, "no right to write: " + denied);
        GTEST_SKIP() << "no file system of its own can be mounted here";
    }
    EXPECT_EQ(outcomes, "disk full: 112 I/O エラー (112)\nread-only: " + denied +
                            "no right to write: " + denied);
}

constexpr uid_t kNobody = 65534;

// What `body` gives when run as the user, in a child process.
std::string asUser(uid_t user, const std::function<std::string()>& body) {
    return test::inChildProcess([&] {
        return ::setgid(user) == 0 && ::setuid(user) == 0 ? body() : "cannot become the user";
    });
}

// A save by another user leaves the file to its owner: it hands the new file
// to the old one's owner and group, or is refused where the system does not
// let it, and the owner can read the design afterwards either way.
TEST(DesignFileSave, leavesTheFileToItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file to another user";
    const struct {
        const char* what;
        uid_t owner;
        mode_t mode;
        uid_t saver;
        std::string outcome;
        std::string bytes;
    } cases[] = {
        {"the superuser saves a file of nobody's", kNobody, 0600, 0, "saved", kExampleFile},
        {"nobody saves a file of the superuser's it may write", 0, 0666, kNobody,
         "5 ファイルへのアクセスが拒否されました", "old"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        ::chmod(dir.folder().c_str(), 0777);
        const std::string path = dir.file("FW208Kolvex.dat");
        writeBytes(path, "old");
        ASSERT_EQ(::chown(path.c_str(), c.owner, c.owner), 0);
        ::chmod(path.c_str(), c.mode);
        EXPECT_EQ(asUser(c.saver, [&] { return saveOutcome(dir.folder(), exampleDesign()); }),
                  c.outcome)
            << c.what;
        struct stat st;
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(std::tuple(st.st_uid, st.st_gid, st.st_mode & 07777),
                  std::tuple(c.owner, c.owner, c.mode))
            << c.what;
        EXPECT_EQ(asUser(c.owner, [&] { return readBytes(path); }), c.bytes) << c.what;
        EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"}) << c.what;
    }
}

// In a shared folder (sticky, anyone may write) a link another user planted
// must not send a save onto a file elsewhere: only the saving user's own links
// and the folder owner's are followed there, whatever the system's setting.
TEST(DesignFileSave, followsALinkInASharedFolderOnlyFromTheSaverOrTheFolderOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can plant another user's link";
    const struct {
        const char* what;
        mode_t folderMode;
        uid_t folderOwner;
        uid_t linkOwner;
        bool followed;
    } cases[] = {
        {"another user's link in a shared folder", 01777, 0, kNobody, false},
        {"the saver's own link there", 01777, kNobody, 0, true},
        {"the folder owner's link there", 01777, kNobody, kNobody, true},
        {"another user's link in a folder without the sticky bit", 0777, 0, kNobody, true},
        {"another user's link in a sticky folder only its owner writes", 01755, 0, kNobody, true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string data = dir.file("Data") + "/";
        const std::string target = dir.file("elsewhere.dat");
        std::filesystem::create_directory(data);
        writeBytes(target, "old");
        std::filesystem::create_symlink(target, data + "X.dat");
        ASSERT_EQ(::lchown((data + "X.dat").c_str(), c.linkOwner, c.linkOwner), 0);
        ASSERT_EQ(::chown(data.c_str(), c.folderOwner, c.folderOwner), 0);
        ::chmod(data.c_str(), c.folderMode);
        EXPECT_EQ(codeOf(saveOutcome(data, exampleDesign("X"))), c.followed ? 0 : 5) << c.what;
        EXPECT_EQ(readBytes(target) != "old", c.followed) << c.what;
        EXPECT_EQ(entries(data), std::vector<std::string>{"X.dat -> " + target}) << c.what;
    }
}

TEST(DesignFileSave, neverLetsTwoSavesOfOneDesignInterleave) {
    TempDir dir;
    TDesign first = exampleDesign();
    TDesign second = exampleDesign();
    second.a = 8;
    saveDesignFile(dir.folder(), first, false);
    const std::string path = dir.file("FW208Kolvex.dat");
    const std::string firstBytes = readBytes(path);
    saveDesignFile(dir.folder(), second, true);
    const std::string secondBytes = readBytes(path);

    std::atomic<bool> done{false};
    auto saveMany = [&](const TDesign& d, bool pipe) {
        for (int i = 0; i < 200; ++i) saveDesignFile(dir.folder(), d, pipe);
    };
    std::thread a(saveMany, first, false);
    std::thread b(saveMany, second, true);
    std::thread reader([&] {
        while (!done) {
            const std::string bytes = readBytes(path);
            if (bytes != firstBytes && bytes != secondBytes) {
                ADD_FAILURE() << "mixed file: " << bytes;
                return;
            }
        }
    });
    a.join();
    b.join();
    done = true;
    reader.join();
    EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"});
}

TEST(DesignFileSave, readsBackEveryValueRoundedToFifteenDigits) {
    TempDir dir;
    TDesign d = exampleDesign("round trip");
    d.a = 12.345678901234567;
    d.fo = -3.25;
    d.mo = -0.0;
    d.Qo = 1.0 / 3.0;
    d.BL1 = 1e-5;
    d.BL2 = 1e300;
    d.BL3 = 0.1 + 0.2;
    saveDesignFile(dir.folder(), d, true);
    RecordingTarget target;
    ASSERT_TRUE(loadDesignFile(designFilePath(dir.folder(), d.name), target));
    const struct {
        Field field;
        double value;
        const char* text;
    } cases[] = {
        {Field::A, 12.3456789012346, "12.3456789012346"},
        {Field::F, -3.25, "-3.25"},
        {Field::M, 0, "0"},
        {Field::Q, 0.333333333333333, "0.333333333333333"},
        {Field::BL1, 1e-5, "1E-5"},
        {Field::BL2, 1e300, "1E300"},
        {Field::BL3, 0.3, "0.3"},
        {Field::L1, 4, "4"},
    };
    for (const auto& c : cases) {
        const auto i = static_cast<std::size_t>(c.field);
        EXPECT_EQ(target.stored[i], c.value) << facts(c.field).symbol;
        EXPECT_EQ(target.texts[i], c.text) << facts(c.field).symbol;
    }
    EXPECT_TRUE(std::signbit(*target.stored[static_cast<std::size_t>(Field::M)]));
    EXPECT_EQ(target.name, "round trip");
    EXPECT_TRUE(target.pipeChecked);
}

}  // namespace
}  // namespace ventbox
