// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_platform.hpp"

#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "dialogs.hpp"

namespace ventbox {

std::optional<std::string> QtPlatform::currentDirectory() {
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    if (error) return std::nullopt;
    return directory.string();
}

std::optional<std::string> QtPlatform::openFile(const std::string& initialDir,
                                                const std::string& fileName) {
    // Owned by the active window, or by none while the main window is not
    // yet shown; the chosen file need not exist. A folder that does not
    // exist would be typed into the name box as a file name, so the dialog
    // opens in its nearest existing parent instead (the startup directory
    // for a missing data folder), with nothing typed.
    QString folder = QFile::decodeName(initialDir.c_str());
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder) break;
        folder = parent;
    }
    QFileDialog dialog(QApplication::activeWindow(), QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!fileName.empty()) dialog.selectFile(QFile::decodeName(fileName.c_str()));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    // The path in the file system's own bytes, as the design file is opened.
    return QFile::encodeName(chosen.first()).toStdString();
}

void QtPlatform::reportError(const std::string& text) { showErrorReport(QString::fromStdString(text)); }

void QtPlatform::showMessage(const std::string& text) {
    MessageDialog dialog(QString::fromStdString(text));
    dialog.exec();
}

bool QtPlatform::windowOnScreen() const { return window_ && window_->isVisible(); }

void QtPlatform::requestClose() {
    if (window_) window_->close();
}

}  // namespace ventbox
