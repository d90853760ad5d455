// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// Answers the modal dialogs a test expects, in order, and closes any other
// (or one left open too long), recording it, so a wrong dialog fails the
// test instead of hanging it.
class ModalScript {
public:
    using Step = std::function<void(QWidget* dialog)>;

    explicit ModalScript(int patienceMs = 5000);

    void expect(Step step) { steps_.push_back(std::move(step)); }
    int pending() const { return static_cast<int>(steps_.size()); }
    const QStringList& unexpected() const { return unexpected_; }

private:
    void poll();

    QTimer timer_;
    std::deque<Step> steps_;
    QStringList unexpected_;
    QPointer<QWidget> answered_;
    QElapsedTimer openFor_;
    int patienceMs_;
};

// A readable line for a dialog: its kind, title and text.
QString describeDialog(QWidget* dialog);

// What an error report showed.
struct ReportSeen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Records an error report and presses its OK button.
ModalScript::Step answerErrorReport(ReportSeen& seen);
