// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "calc/number_text.hpp"
#include "files/design_file.hpp"

namespace ventbox::test {

// The design file of the first start: the creation texts, unchecked, saved
// under "FW208Kolvex"; 270 bytes.
inline const std::string kExampleFile =
    " 7.00000000000000E+0000\r\n 6.40000000000000E+0000\r\n 4.20000000000000E-0001\r\n"
    " 3.50000000000000E+0001\r\n 2.50000000000000E+0001\r\n 5.00000000000000E+0001\r\n"
    " 3.00000000000000E+0001\r\n 4.00000000000000E+0000\r\n 1.00000000000000E+0001\r\n"
    " 1.00000000000000E+0001\r\nFW208Kolvex\r\nFALSE\r\n";

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ventbox-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing "/", as a data folder is given.
    std::string folder() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs `body` in a child process, killed after `seconds`, and gives back
// what it returned; empty when the child died or hung first. For what a test
// process must not do to itself: be killed midway, drop its rights, mount.
inline std::string inChildProcess(const std::function<std::string()>& body,
                                  unsigned seconds = 30) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::alarm(seconds);
        const std::string out = body();
        if (::write(fds[1], out.data(), out.size()) < 0) ::_exit(1);
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return out;
}

// Records what a load writes, in order, like a window without handlers.
class RecordingTarget : public LoadTarget {
public:
    void storeValue(Field field, double value) override {
        stored[static_cast<std::size_t>(field)] = value;
        events.push_back("store " + std::string(facts(field).symbol));
    }
    void setFieldText(Field field, const std::string& text) override {
        texts[static_cast<std::size_t>(field)] = text;
        events.push_back("text " + std::string(facts(field).symbol) + "=" + text);
    }
    void setDesignName(const std::string& value) override {
        name = value;
        events.push_back("name");
    }
    void setNameText(const std::string& text) override {
        nameText = text;
        events.push_back("EditNam");
    }
    void checkPipe() override {
        pipeChecked = true;
        events.push_back("check");
    }

    std::array<std::optional<double>, kFieldCount> stored;
    std::array<std::optional<std::string>, kFieldCount> texts;
    std::optional<std::string> name;
    std::optional<std::string> nameText;
    bool pipeChecked = false;
    std::vector<std::string> events;
};

}  // namespace ventbox::test
