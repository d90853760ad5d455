// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_script.hpp"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

ModalScript::ModalScript(int patienceMs) : patienceMs_(patienceMs) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(20);
}

void ModalScript::poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    if (dialog == answered_) {
        if (openFor_.elapsed() < patienceMs_) return;
        unexpected_ << QStringLiteral("left open: ") + describeDialog(dialog);
        dialog->close();
        return;
    }
    answered_ = dialog;
    openFor_.start();
    if (steps_.empty()) {
        unexpected_ << describeDialog(dialog);
        dialog->close();
        return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(dialog);
}

QString describeDialog(QWidget* dialog) {
    QString text = QString::fromUtf8(dialog->metaObject()->className()) + " \"" +
                   dialog->windowTitle() + "\"";
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) text += ": " + box->text();
    return text;
}

ModalScript::Step answerErrorReport(ReportSeen& seen) {
    return [&seen](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) return dialog->close(), void();
        seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
        box->button(QMessageBox::Ok)->click();
    };
}
