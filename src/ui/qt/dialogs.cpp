// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.hpp"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "accessibility.hpp"

namespace ventbox {

namespace {

constexpr int kMessageMargin = 12;
constexpr int kMessageSpacing = 12;

// A run of characters with no place to break cannot wrap and would widen
// the box beyond the screen (a pasted number of thousands of digits); a
// zero-width space between its characters lets it wrap anywhere.
constexpr qsizetype kLongestUnbrokenRun = 40;

QString breakableAnywhere(const QString& text) {
    QString result;
    result.reserve(text.size());
    qsizetype run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestUnbrokenRun && !c.isLowSurrogate()) result += QChar(0x200B);
        result += c;
    }
    return result;
}

QScreen* screenOf(const QWidget* widget) {
    QScreen* screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The platform's stop box, kept within half the screen's width: Qt's own
// limit leaves room for the icon and margins beyond it.
class ErrorBox : public QMessageBox {
public:
    ErrorBox(const QString& text, QWidget* owner)
        : QMessageBox(QMessageBox::Critical, applicationTitleNow(), breakableAnywhere(text),
                      QMessageBox::Ok, owner) {
        // Messages quote what the user typed; it is never markup.
        setTextFormat(Qt::PlainText);
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        const int frame = frameGeometry().width() - width();
        const int widest = screenOf(this)->geometry().width() / 2 - frame;
        if (width() > widest) setFixedSize(widest, layout()->totalHeightForWidth(widest));
    }
};

}  // namespace

QString applicationTitleNow() { return QCoreApplication::applicationName(); }

void showErrorReport(const QString& text) {
    // A pressed button or a drag must not outlive the failed handler.
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    ErrorBox box(text, QApplication::activeWindow());
    box.exec();
}

MessageDialog::MessageDialog(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(applicationTitleNow());
    // As an alert its text is read out when it opens, as the error report's is.
    setAccessibleRole(this, QAccessible::AlertMessage);

    auto* label = new QLabel(text, this);
    label->setObjectName("MessageText");
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The wrapped size is fixed here so that a short text stays on one line.
    const int wrapWidth = screenOf(this)->geometry().width() / 2;
    const QRect textRect = QFontMetrics(label->font())
                               .boundingRect(QRect(0, 0, wrapWidth, 1 << 20),
                                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    label->setFixedSize(textRect.size());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("MessageOk");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok);
    buttonRow->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMessageMargin, kMessageMargin, kMessageMargin, kMessageMargin);
    column->setSpacing(kMessageSpacing);
    column->addWidget(label, 0, Qt::AlignLeft | Qt::AlignTop);
    column->addLayout(buttonRow);
    column->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    move(screenOf(this)->geometry().center() - rect().center());
}

}  // namespace ventbox
