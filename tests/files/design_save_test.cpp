#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <thread>

#include "file_test_support.hpp"
#include "files/io_error.hpp"
#include "files/save_calls.hpp"

namespace ventbox {
namespace {

using test::kExampleFile;

using test::readBytes;
using test::RecordingTarget;
using test::TempDir;
using test::writeBytes;

TDesign exampleDesign(const std::string& name = "FW208Kolvex") {
    TDesign d;
    d.a = 7;
    d.fo = 35;
    d.mo = 6.4;
    d.Qo = 0.42;
    d.BL1 = 25;
    d.BL2 = 50;
    d.BL3 = 30;
    d.L1 = 4;
    d.L2 = 10;
    d.L3 = 10;
    d.name = name;
    return d;
}

// The folder's entries, so that a failed save can be seen to leave nothing.
std::vector<std::string> entries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.folder())) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int saveErrorCode(const std::string& folder, const TDesign& design, SaveCalls& calls) {
    try {
        saveDesignFile(folder, design, false, calls);
    } catch (const IoError& e) {
        return e.code();
    }
    return 0;
}

int saveErrorCode(const std::string& folder, const TDesign& design) {
    SaveCalls calls;
    return saveErrorCode(folder, design, calls);
}

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
        {"sub/../up", "up.dat", "sub/../up"},
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
    writeBytes(dir.file("plain"), "x");
    std::filesystem::create_directory(dir.file("folder.dat"));
    const struct {
        const char* what;
        std::string folder;
        std::string name;
        int code;
    } cases[] = {
        {"missing data folder", dir.folder() + "Data/", "x", 3},
        {"missing subfolder", dir.folder(), "nosub/x", 3},
        {"data folder is a file", dir.folder() + "plain/", "x", 3},
        {"design file is a folder", dir.folder(), "folder", 5},
        {"name not in code page 932", dir.folder(), "\xF0\x9F\x94\x8A", 1113},
        {"name not UTF-8", dir.folder(), "bad\xFF", 1113},
        {"name climbing out", dir.folder(), "../x", 123},
        {"name climbing out through a subfolder", dir.folder(), "a/../../x", 123},
        {"name with a line end", dir.folder(), "a\r\nb", 123},
        {"name with a NUL", dir.folder(), std::string("a\0b", 3), 123},
        {"name with an end-of-file mark", dir.folder(), "a\x1A", 123},
        {"name too long", dir.folder(), std::string(300, 'n'), 206},
        {"path too long", dir.folder(), std::string(5000, 'n'), 206},
    };
    const std::vector<std::string> before = entries(dir);
    for (const auto& c : cases) {
        EXPECT_EQ(saveErrorCode(c.folder, exampleDesign(c.name)), c.code) << c.what;
        EXPECT_EQ(entries(dir), before) << c.what;
    }
}

TEST(DesignFileSave, refusesAReadOnlyFileAndLeavesIt) {
    TempDir dir;
    const std::string path = dir.file("FW208Kolvex.dat");
    writeBytes(path, "old");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(saveErrorCode(dir.folder(), exampleDesign()), 5);
    EXPECT_EQ(readBytes(path), "old");
    EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"});
}

TEST(DesignFileSave, refusesAFolderItMayNotWrite) {
    if (::geteuid() == 0) GTEST_SKIP() << "file modes do not bind the superuser";
    TempDir dir;
    ::chmod(dir.folder().c_str(), 0555);
    EXPECT_EQ(saveErrorCode(dir.folder(), exampleDesign()), 5);
}

TEST(DesignFileSave, keepsThePermissionsOfTheFileItReplaces) {
    TempDir dir;
    const std::string path = dir.file("FW208Kolvex.dat");
    writeBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    saveDesignFile(dir.folder(), exampleDesign(), false);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(path), kExampleFile);
}

// A disk that fills up after a number of bytes, a sync or a rename that fails.
class FailingCalls : public SaveCalls {
public:
    std::size_t room = SIZE_MAX;
    int fsyncError = 0;
    int renameError = 0;

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
        if (fsyncError == 0) return SaveCalls::fsync(fd);
        errno = fsyncError;
        return -1;
    }
    int rename(const char* from, const char* to) override {
        if (renameError == 0) return SaveCalls::rename(from, to);
        errno = renameError;
        return -1;
    }
};

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
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("FW208Kolvex.dat");
        const std::string old = "old design\r\n";
        writeBytes(path, old);
        FailingCalls calls;
        calls.room = c.room;
        calls.fsyncError = c.fsyncError;
        calls.renameError = c.renameError;
        EXPECT_EQ(saveErrorCode(dir.folder(), exampleDesign(), calls), c.code) << c.what;
        EXPECT_EQ(readBytes(path), old) << c.what;
        EXPECT_EQ(entries(dir), std::vector<std::string>{"FW208Kolvex.dat"}) << c.what;
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
        EXPECT_EQ(target.stored[i], c.value) << valueName(c.field);
        EXPECT_EQ(target.texts[i], c.text) << valueName(c.field);
    }
    EXPECT_TRUE(std::signbit(*target.stored[static_cast<std::size_t>(Field::M)]));
    EXPECT_EQ(target.name, "round trip");
    EXPECT_TRUE(target.pipeChecked);
}

}  // namespace
}  // namespace ventbox
