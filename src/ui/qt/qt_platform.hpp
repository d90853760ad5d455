// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/speaker.hpp"

namespace ventbox {

// The platform under Qt: the working directory, the file-open dialog, the
// error report, the message dialog and the main window's on-screen state.
class QtPlatform : public Platform {
public:
    std::optional<std::string> currentDirectory() override;
    std::optional<std::string> openFile(const std::string& initialDir,
                                        const std::string& fileName) override;
    void reportError(const std::string& text) override;
    void showMessage(const std::string& text) override;
    bool windowOnScreen() const override;
    void requestClose() override;

private:
    // Only the shell wires the platform to its window.
    template <typename PlatformType>
    friend struct Shell;
    void setWindow(QWidget* window) { window_ = window; }

    QPointer<QWidget> window_;
};

}  // namespace ventbox
