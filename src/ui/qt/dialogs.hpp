// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

namespace ventbox {

// The application title, as every dialog of the program is titled.
QString applicationTitleNow();

// The top-level error report: a modal stop box with one OK button, owned by
// the active window. The text is shown as it stands.
void showErrorReport(const QString& text);

// The message dialog: the text at the top left, wrapped within half the
// screen's width, and one centred "OK" that Enter and Esc also press.
class MessageDialog : public QDialog {
public:
    explicit MessageDialog(const QString& text, QWidget* parent = nullptr);
};

}  // namespace ventbox
