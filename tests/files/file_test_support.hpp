// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/number_text.hpp"
#include "files/design_file.hpp"
#include "support/temp_files.hpp"
#include "support/worked_examples.hpp"

namespace ventbox::test {

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
    void showValue(Field field) override {
        const std::string text = displayText(*stored[static_cast<std::size_t>(field)]);
        texts[static_cast<std::size_t>(field)] = text;
        events.push_back("text " + std::string(facts(field).symbol) + "=" + text);
    }
    void setName(const std::string& value) override {
        name = value;
        events.push_back("name");
    }
    void showName() override {
        nameText = name;
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
