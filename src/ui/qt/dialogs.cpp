// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.hpp"

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
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

// A dialog that is answered, not kept: a title and a close button, nothing
// to minimise or maximise it with.
constexpr Qt::WindowFlags kAnswerDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// The narrowest a dialog may be for a title bar to show its title whole: the
// title in bold, as title bars draw it, with room for the window icon and
// three buttons, as a window manager that ignores the hints above may still
// draw them.
int titleBarWidth(const QWidget* dialog) {
    QFont bold = dialog->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return metrics.horizontalAdvance(dialog->windowTitle()) + 10 * metrics.height();
}

// The window manager's frame, or a title bar's worth where it is not known
// yet (before the frame is first drawn).
QSize frameExtent(const QWidget* dialog) {
    const QSize frame = dialog->frameGeometry().size() - dialog->size();
    return {frame.width(), std::max(frame.height(), 2 * dialog->fontMetrics().height())};
}

// The platform's stop box, kept within half the screen's width (Qt's own
// limit leaves room for the icon and margins beyond it) and within the
// screen's height: a longer message scrolls, so OK is always in reach.
class ErrorBox : public QMessageBox {
public:
    ErrorBox(const QString& text, QWidget* owner)
        : QMessageBox(QMessageBox::Critical, applicationTitleNow(), breakableAnywhere(text),
                      QMessageBox::Ok, owner, kAnswerDialogFlags) {
        // Messages quote what the user typed; it is never markup.
        setTextFormat(Qt::PlainText);
    }

protected:
    // Qt sizes the box anew on showing and on every change of its layout.
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        fitScreen();
    }
    bool event(QEvent* event) override {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest) fitScreen();
        return handled;
    }

private:
    // Once the message scrolls, its width stays as first fitted and its
    // lines wrap whatever Qt decides for the label outside a scroll area.
    void fitScreen() {
        QScreen* screen = screenOf(this);
        const QSize frame = frameExtent(this);
        const QRect available = screen->availableGeometry();
        const int widest = screen->geometry().width() / 2 - frame.width();
        const int tallest = available.height() - frame.height();
        if (!scrolled_) {
            width_ = std::clamp(width(), std::min(titleBarWidth(this), widest), widest);
            if (heightAt(width_) > tallest) scrollMessage();
        }
        if (scrolled_) message()->setWordWrap(true);
        setFixedSize(width_, scrolled_ ? tallest : heightAt(width_));
        // Qt placed the box for the size it had before: a box cut down to
        // the screen goes back onto it. Until the window manager has framed
        // the box, its place is that of the box itself, below the title bar.
        const bool framed = frameGeometry() != geometry();
        const QPoint titleBar(0, framed ? 0 : frame.height());
        QRect outer(pos() - titleBar, size() + frame);
        if (!available.contains(outer)) {
            outer.moveCenter(available.center());
            move(outer.topLeft() + titleBar);
        }
    }

    QLabel* message() const { return findChild<QLabel*>(QStringLiteral("qt_msgbox_label")); }

    int heightAt(int width) const {
        const int height = layout()->totalHeightForWidth(width);
        return height >= 0 ? height : this->height();
    }

    void scrollMessage() {
        QLabel* label = message();
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (!label || !grid) return;
        scrolled_ = true;
        auto* scroll = new QScrollArea(this);
        scroll->setObjectName(QStringLiteral("MessageScroll"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidgetResizable(true);
        delete grid->replaceWidget(label, scroll);
        scroll->setWidget(label);
        // The whole message can still be read out and copied.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }

    bool scrolled_ = false;
    int width_ = 0;
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
    : QDialog(parent, kAnswerDialogFlags) {
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
    column->addStrut(titleBarWidth(this) - 2 * kMessageMargin);
    column->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    move(screenOf(this)->geometry().center() - rect().center());
}

}  // namespace ventbox
