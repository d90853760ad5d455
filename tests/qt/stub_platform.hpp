// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "ui/qt/qt_platform.hpp"

// The real dialogs and window, with the working directory fixed and the
// file-open dialog answered from a list (cancelled when the list is empty).
class StubPlatform : public ventbox::QtPlatform {
public:
    explicit StubPlatform(std::string directory) : directory_(std::move(directory)) {}

    std::optional<std::string> currentDirectory() override { return directory_; }

    std::optional<std::string> openFile(const std::string& initialDir,
                                        const std::string& fileName) override {
        dialogDirs.push_back(initialDir);
        dialogFileNames.push_back(fileName);
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> answers;
    std::deque<std::string> dialogDirs;
    std::deque<std::string> dialogFileNames;

private:
    std::string directory_;
};
