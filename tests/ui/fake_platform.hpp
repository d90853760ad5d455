// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calc/errors.hpp"
#include "support/temp_files.hpp"
#include "ui/speaker.hpp"

namespace ventbox::test {

// A platform whose answers the test scripts and whose every report, message,
// dialog and close call is logged in order.
class FakePlatform : public Platform {
public:
    std::optional<std::string> currentDirectory() override { return directory; }

    std::optional<std::string> openFile(const std::string& initialDir,
                                        const std::string& fileName) override {
        log.push_back("open " + initialDir + " | " + fileName +
                      (onScreen ? "" : " (window not shown)"));
        if (dialogFailure) throw Error(*dialogFailure);
        if (dialogAnswers.empty()) return std::nullopt;
        std::optional<std::string> answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    }

    void reportError(const std::string& text) override {
        log.push_back("error " + text);
        closeFromInsideDialogs();
    }
    void showMessage(const std::string& text) override {
        log.push_back("message " + text);
        closeFromInsideDialogs();
    }
    bool windowOnScreen() const override { return onScreen; }

    // Answers like a window: the close request runs the box's close query.
    void requestClose() override {
        log.push_back("close requested");
        if (box) closeAnswers.push_back(box->userRequestedClose());
    }

    // A close that arrives while a dialog is open, as the window manager
    // sends it.
    void closeFromInsideDialogs() {
        if (closeInsideDialogs) requestClose();
    }

    // Only the errors of the log, in order.
    std::vector<std::string> errors() const {
        std::vector<std::string> found;
        for (const std::string& entry : log)
            if (entry.rfind("error ", 0) == 0) found.push_back(entry.substr(6));
        return found;
    }

    std::optional<std::string> directory;
    std::deque<std::optional<std::string>> dialogAnswers;  // empty: cancelled
    std::optional<std::string> dialogFailure;             // the dialog's error
    bool onScreen = false;
    bool closeInsideDialogs = false;
    TBox* box = nullptr;
    std::vector<std::string> log;
    std::vector<bool> closeAnswers;
};

// Writes design file lines, each with CR LF after it.
void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace ventbox::test
