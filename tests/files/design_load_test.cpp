// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>
#include <thread>

#include "calc/errors.hpp"
#include "file_test_support.hpp"
#include "files/design_reader.hpp"
#include "files/io_error.hpp"

namespace ventbox {
namespace {

using test::kExampleFile;
using test::kExampleName;

using test::RecordingTarget;
using test::TempDir;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Values listed in the file's order: a, mo, Qo, fo, BL1, BL2, BL3, L1, L2, L3.
using FileValues = std::array<double, kFieldCount>;

const FileValues kExampleValues = [] {
    const TDesign example = test::exampleDesign();
    FileValues values;
    for (std::size_t i = 0; i < kFieldCount; ++i) values[i] = example.value(kFileOrder[i]);
    return values;
}();
constexpr FileValues kZeros{};

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    FileValues values;  // stored, in file order
    std::string name;
    bool checked;
};

RecordingTarget loadBytes(const std::string& bytes) {
    TempDir dir;
    const std::string path = dir.file("design.dat");
    test::writeBytes(path, bytes);
    RecordingTarget target;
    EXPECT_TRUE(loadDesignFile(path, target));
    return target;
}

void expectValues(const RecordingTarget& target, const FileValues& values, const char* what) {
    for (std::size_t i = 0; i < kFileOrder.size(); ++i) {
        const auto f = static_cast<std::size_t>(kFileOrder[i]);
        ASSERT_TRUE(target.stored[f]) << what << ", line " << i + 1;
        EXPECT_EQ(*target.stored[f], values[i]) << what << ", line " << i + 1;
        EXPECT_EQ(target.texts[f], displayText(values[i])) << what << ", line " << i + 1;
    }
}

TEST(DesignFileLoad, readsEveryLayoutTheReadingRulesAccept) {
    const std::string numbers = "7\n6.4\n0.42\n35\n25\n50\n30\n4\n10\n10\n";
    const ReadCase cases[] = {
        {"the example file", kExampleFile, kExampleValues, kExampleName, false},
        {"LF line ends", replaceAll(kExampleFile, "\r\n", "\n"), kExampleValues, kExampleName,
         false},
        {"CR line ends never end a line", replaceAll(kExampleFile, "\r\n", "\r"),
         {7, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "", false},
        {"blank lines, tabs and trailing words",
         "\t 7 cm\r\n\r\n\r\n  6.4\tgram\n.42\n\n35\n25\n50\n30\n4\n10\n10 end\nname\nTRUE\n",
         kExampleValues, "name", true},
        {"signs and exponents", "-2.5e1\n+.5\n1E2\n25E-1\n.\nE5\n-0\n0\n0\n0\nx\nFALSE\n",
         {-25, 0.5, 100, 2.5, 0, 0, -0.0, 0, 0, 0}, "x", false},
        {"a blank line before the name takes the name line as line 12",
         numbers + "\nTRUE\nFALSE\n", kExampleValues, "", true},
        {"70 zeros then 1 are cut after 64",
         std::string(70, '0') + "1\n6.4\n0.42\n35\n25\n50\n30\n4\n10\n10\nn\n",
         {0, 6.4, 0.42, 35, 25, 50, 30, 4, 10, 10}, "n", false},
        {"64 characters are taken whole", std::string(62, '0') + "12\n" + numbers,
         {12, 7, 6.4, 0.42, 35, 25, 50, 30, 4, 10}, "10", false},
        {"a 65th character is left for the line skip", std::string(63, '0') + "15\n" + numbers,
         {1, 7, 6.4, 0.42, 35, 25, 50, 30, 4, 10}, "10", false},
        {"1E5120 reads as infinity", "1E5120\n-1E5120\n1E-5120\n" + numbers,
         {kInf, -kInf, 0, 7, 6.4, 0.42, 35, 25, 50, 30}, "4", false},
        {"the end-of-file mark ends numbers and line skips",
         "7\r\n6.4\r\n\x1A" "0.42\r\n35\r\n", {7, 6.4, 0, 0, 0, 0, 0, 0, 0, 0}, "", false},
        {"a text line consumes the mark and goes on after it",
         numbers + "abc\x1A" "def\r\nTRUE\r\n", kExampleValues, "abc", true},
        {"a short file reads zeros", "7\r\n6.4\r\n", {7, 6.4, 0, 0, 0, 0, 0, 0, 0, 0}, "",
         false},
        {"an empty file", "", kZeros, "", false},
        {"a file without its last line end", numbers + "last\r\nTRUE", kExampleValues, "last",
         true},
        {"a lone CR is left out of a text", numbers + "a\rb\r\nTRUE\r", kExampleValues, "ab",
         true},
        {"the name is code page 932", numbers + "\x90\xdd\x8c\x76\r\nFALSE\r\n",
         kExampleValues, "設計", false},
        {"bytes outside code page 932 read as U+FFFD", numbers + "a\xFF\r\nFALSE\r\n",
         kExampleValues, "a\xEF\xBF\xBD", false},
        {"controls other than the mark are skipped before a number",
         "\x01\x02\x1F" "7\n6.4\n0.42\n35\n25\n50\n30\n4\n10\n10\nn\n", kExampleValues, "n",
         false},
    };
    for (const ReadCase& c : cases) {
        const RecordingTarget target = loadBytes(c.bytes);
        expectValues(target, c.values, c.what);
        EXPECT_EQ(target.name, c.name) << c.what;
        EXPECT_EQ(target.nameText, c.name) << c.what;
        EXPECT_EQ(target.pipeChecked, c.checked) << c.what;
    }
}

TEST(DesignFileLoad, checksThePipeOnlyForExactlyTRUE) {
    const std::string numbers = "1\n1\n1\n1\n1\n1\n1\n1\n1\n1\nn\n";
    const struct {
        const char* line12;
        bool checked;
    } cases[] = {
        {"TRUE\r\n", true}, {"TRUE", true},       {"true\r\n", false},  {"True\r\n", false},
        {"TRUE \r\n", false}, {" TRUE\r\n", false}, {"FALSE\r\n", false}, {"", false},
        {"TRUEX\r\n", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(loadBytes(numbers + c.line12).pipeChecked, c.checked) << c.line12;
    }
}

TEST(DesignFileLoad, writesEachFieldRightAfterStoringItInFileOrder) {
    const RecordingTarget target = loadBytes(kExampleFile + "ignored\r\n");
    const std::vector<std::string> expected{
        "store a",   "text a=7",    "store mo",  "text mo=6.4", "store Qo",  "text Qo=0.42",
        "store fo",  "text fo=35",  "store BL1", "text BL1=25", "store BL2", "text BL2=50",
        "store BL3", "text BL3=30", "store L1",  "text L1=4",   "store L2",  "text L2=10",
        "store L3",  "text L3=10",  "name",      "EditNam",
    };
    EXPECT_EQ(target.events, expected);
}

// The code of the I/O error a load raises; 0 when it raises none.
int loadErrorCode(const std::string& path, LoadTarget& target) {
    try {
        loadDesignFile(path, target);
    } catch (const IoError& e) {
        return e.code();
    }
    return 0;
}

TEST(DesignFileLoad, stopsAtABadNumberWithWhatWasReadBeforeIt) {
    const struct {
        const char* what;
        std::string bytes;
        bool overflow;
        std::vector<std::string> events;
        std::optional<double> mo;
    } cases[] = {
        {"a comma", "7\r\n6,4\r\n0.42\r\n", false,
         {"store a", "text a=7", "store mo"}, 6},
        {"a sign alone", "7\r\n-\r\n", false, {"store a", "text a=7", "store mo"}, 0},
        {"an exponent without digits", "7\r\n12.5E\r\n", false,
         {"store a", "text a=7", "store mo"}, 125},
        {"the written infinity", "7\r\n                   +Inf\r\n", false,
         {"store a", "text a=7", "store mo"}, 0},
        {"beyond the double range", "7\r\n1E400\r\n", true, {"store a", "text a=7"},
         std::nullopt},
        {"beyond the extended range", "7\r\n1E4999\r\n", true, {"store a", "text a=7"},
         std::nullopt},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("bad.dat");
        test::writeBytes(path, c.bytes);
        RecordingTarget target;
        if (c.overflow) {
            EXPECT_THROW(loadDesignFile(path, target), Overflow) << c.what;
        } else {
            EXPECT_EQ(loadErrorCode(path, target), 106) << c.what;
        }
        EXPECT_EQ(target.events, c.events) << c.what;
        EXPECT_EQ(target.stored[static_cast<std::size_t>(Field::M)], c.mo) << c.what;
    }
}

std::size_t openDescriptors() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                      std::filesystem::directory_iterator()));
}

// A window whose recalculation fails on the third field.
class FailingTarget : public RecordingTarget {
    void showValue(Field field) override {
        RecordingTarget::showValue(field);
        if (field == Field::Q) throw ZeroDivide();
    }
};

TEST(DesignFileLoad, closesTheFileWhenTheTargetFails) {
    TempDir dir;
    const std::string path = dir.file("d.dat");
    test::writeBytes(path, kExampleFile);
    const std::size_t before = openDescriptors();
    FailingTarget target;
    EXPECT_THROW(loadDesignFile(path, target), ZeroDivide);
    EXPECT_EQ(target.events.back(), "text Qo=0.42");
    EXPECT_EQ(openDescriptors(), before);
    test::writeBytes(path, "7\r\nx\r\n");
    RecordingTarget malformed;
    EXPECT_THROW(loadDesignFile(path, malformed), IoError);
    EXPECT_EQ(openDescriptors(), before);
}

void setModificationYear(const std::string& path, int year) {
    struct tm local {};
    local.tm_year = year - 1900;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    const struct timespec times[2] = {{0, UTIME_OMIT}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(DesignFileExists, findsOnlyRegularFilesDatedWithinTheFileDateYears) {
    TempDir dir;
    const std::string path = dir.file("d.dat");
    test::writeBytes(path, kExampleFile);
    const struct {
        int year;
        bool exists;
    } years[] = {{1979, false}, {1980, true}, {2024, true}, {2107, true}, {2108, false}};
    for (const auto& y : years) {
        setModificationYear(path, y.year);
        EXPECT_EQ(designFileExists(path), y.exists) << y.year;
    }

    std::filesystem::create_directory(dir.file("folder.dat"));
    ::mkfifo(dir.file("fifo.dat").c_str(), 0600);
    for (const std::string& missing :
         {dir.file("missing.dat"), dir.file("folder.dat"), dir.file("fifo.dat"),
          dir.file("nofolder/d.dat"), dir.folder() + std::string(5000, 'x') + ".dat",
          dir.folder() + std::string(300, 'x') + ".dat"}) {
        EXPECT_FALSE(designFileExists(missing)) << missing.size();
        RecordingTarget target;
        EXPECT_FALSE(loadDesignFile(missing, target));
        EXPECT_TRUE(target.events.empty());
    }
}

// A pipe put in the file's place after the existence test is no design
// file; opened waiting for a writer, the load would never end.
TEST(DesignFileLoad, takesAPipeSwappedInAfterTheExistenceTestForNoFile) {
    TempDir dir;
    const std::string path = dir.file("d.dat");
    const std::string fifo = dir.file("fifo");
    test::writeBytes(path, kExampleFile);
    ::mkfifo(fifo.c_str(), 0600);
    const std::string outcome = test::inChildProcess([&] {
        std::atomic<bool> done{false};
        std::thread swapper([&] {
            while (!done) {
                ::renameat2(AT_FDCWD, fifo.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
            }
        });
        for (int i = 0; i < 2000; ++i) {
            RecordingTarget target;
            loadDesignFile(path, target);
        }
        done = true;
        swapper.join();
        return std::string("finished");
    }, 10);
    EXPECT_EQ(outcome, "finished");
}

TEST(DesignFileLoad, reportsAFileItCannotOpen) {
    if (::geteuid() == 0) GTEST_SKIP() << "file modes do not bind the superuser";
    TempDir dir;
    const std::string path = dir.file("locked.dat");
    test::writeBytes(path, kExampleFile);
    ::chmod(path.c_str(), 0);
    RecordingTarget target;
    EXPECT_EQ(loadErrorCode(path, target), 5);
    EXPECT_TRUE(target.events.empty());
}

// Nothing the program writes comes near the limit: a file beyond it is
// refused before a byte is read however large it is, one at it reads as ever.
TEST(DesignFileLoad, refusesAFileBeyondTheLimitBeforeReadingIt) {
    const std::string atLimit = std::string(kExampleFile).replace(
        250, kExampleName.size(), std::string(kDesignFileLimit - 259, 'n'));
    ASSERT_EQ(atLimit.size(), kDesignFileLimit);
    const struct {
        const char* what;
        std::string bytes;
        off_t size;
        int code;
    } cases[] = {
        {"at the limit", atLimit, 0, 0},
        {"a byte beyond", atLimit + " ", 0, 223},
        {"a sparse gigabyte", "", off_t{1} << 30, 223},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("d.dat");
        test::writeBytes(path, c.bytes);
        if (c.size != 0) {
            ASSERT_EQ(::truncate(path.c_str(), c.size), 0);
        }
        RecordingTarget target;
        EXPECT_EQ(loadErrorCode(path, target), c.code) << c.what;
        EXPECT_EQ(target.name.has_value(), c.code == 0) << c.what;
        if (c.code != 0) {
            EXPECT_TRUE(target.events.empty()) << c.what;
        }
    }
}

// A pipe has no size to refuse up front: reading stops past the limit.
TEST(DesignReader, stopsReadingAPipeBeyondTheLimit) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    // Room for all of it, so that no writer waits for the reader.
    ASSERT_GT(::fcntl(fds[1], F_SETPIPE_SZ, 2 * kDesignFileLimit), 0);
    const std::string blanks(kDesignFileLimit + 1, ' ');
    ASSERT_EQ(::write(fds[1], blanks.data(), blanks.size()), ssize_t(blanks.size()));
    ::close(fds[1]);
    DescriptorSource source(fds[0]);
    RecordingTarget target;
    try {
        readDesign(source, target);
    } catch (const IoError& e) {
        EXPECT_EQ(e.code(), 223);
    }
    ::close(fds[0]);
    EXPECT_TRUE(target.events.empty());
}

TEST(DesignReader, readsTheSameFromABufferAsFromAFile) {
    BufferSource source(kExampleFile);
    RecordingTarget target;
    readDesign(source, target);
    expectValues(target, kExampleValues, "buffer");
    EXPECT_EQ(target.name, kExampleName);
}

}  // namespace
}  // namespace ventbox
