// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit_field.hpp"

#include <QScopedValueRollback>

namespace ventbox {

namespace {

QAccessibleInterface* fieldFactory(const QString& /*className*/, QObject* object) {
    auto* field = dynamic_cast<EditField*>(object);
    return field ? new FieldAccessible(field) : nullptr;
}

QAccessible::UpdateHandler qtUpdateHandler = nullptr;

// Passes every event on but the selection and caret changes of a field
// whose focus is changing, and the focus of a field in a window not yet
// shown (a screen reader would name it before the dialogs that come first).
void fieldUpdateHandler(QAccessibleEvent* event) {
    const auto* field = dynamic_cast<EditField*>(event->object());
    const bool selectionNoise = event->type() == QAccessible::TextSelectionChanged ||
                                event->type() == QAccessible::TextCaretMoved;
    if (field && field->focusChanging() && selectionNoise) return;
    if (field && event->type() == QAccessible::Focus && !field->window()->isVisible()) return;
    if (qtUpdateHandler) {
        qtUpdateHandler(event);
        return;
    }
    // Qt's own delivery runs where no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(fieldUpdateHandler);
}

void installFieldAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(fieldFactory);
        qtUpdateHandler = QAccessible::installUpdateHandler(fieldUpdateHandler);
        return true;
    }();
    (void)installed;
}

// A line edit keeps this much room between its frame and its text.
constexpr int kTextMargin = 2;

}  // namespace

EditField::EditField(QWidget* parent) : QLineEdit(parent) { installFieldAccessible(); }

// The focus a window gives back as it becomes active is told by the window
// once the desktop has told that it is active (BoxWindow::announceFocus).
void EditField::focusInEvent(QFocusEvent* event) {
    focusChanging_ = true;
    QLineEdit::focusInEvent(event);
    focusChanging_ = event->reason() == Qt::ActiveWindowFocusReason;
}

void EditField::focusOutEvent(QFocusEvent* event) {
    const QScopedValueRollback changing(focusChanging_, true);
    QLineEdit::focusOutEvent(event);
}

FieldAccessible::FieldAccessible(EditField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

EditField* FieldAccessible::field() const { return static_cast<EditField*>(widget()); }

QString FieldAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return field()->text();
    return QAccessibleWidget::text(t);
}

void FieldAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t == QAccessible::Value) {
        field()->setText(text);
    } else {
        QAccessibleWidget::setText(t, text);
    }
}

QAccessible::State FieldAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = field()->isReadOnly();
    state.editable = !field()->isReadOnly();
    state.selectable = true;
    state.selected = field()->hasSelectedText();
    state.hasPopup = field()->contextMenuPolicy() != Qt::NoContextMenu &&
                     field()->contextMenuPolicy() != Qt::PreventContextMenu;
    return state;
}

void* FieldAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void FieldAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !field()->hasSelectedText()) return;
    *startOffset = field()->selectionStart();
    *endOffset = field()->selectionEnd();
}

int FieldAccessible::selectionCount() const { return field()->hasSelectedText() ? 1 : 0; }

void FieldAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void FieldAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) field()->deselect();
}

void FieldAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) field()->setSelection(startOffset, endOffset - startOffset);
}

int FieldAccessible::cursorPosition() const { return field()->cursorPosition(); }

void FieldAccessible::setCursorPosition(int position) { field()->setCursorPosition(position); }

QString FieldAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) return {};
    return field()->text().mid(startOffset, endOffset - startOffset);
}

int FieldAccessible::characterCount() const { return static_cast<int>(field()->text().size()); }

// Where the character is drawn while the text is not scrolled, which a
// field as wide as the texts it is made for never is.
QRect FieldAccessible::characterRect(int offset) const {
    const QString text = field()->text();
    if (offset < 0 || offset >= text.size()) return {};
    const QFontMetrics metrics = field()->fontMetrics();
    const QRect contents = field()->contentsRect().marginsRemoved(field()->textMargins());
    const int left = contents.left() + kTextMargin + metrics.horizontalAdvance(text.left(offset));
    const int top = contents.top() + (contents.height() - metrics.height()) / 2;
    const QRect local(left, top, metrics.horizontalAdvance(text.at(offset)), metrics.height());
    return QRect(field()->mapToGlobal(local.topLeft()), local.size());
}

int FieldAccessible::offsetAtPoint(const QPoint& point) const {
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void FieldAccessible::scrollToSubstring(int startIndex, int endIndex) {
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

// The whole text is one run with the field's own look: no attributes.
QString FieldAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    const int length = characterCount();
    if (offset < 0 || offset > length) {
        *startOffset = *endOffset = -1;
    } else {
        *startOffset = 0;
        *endOffset = length;
    }
    return {};
}

void FieldAccessible::deleteText(int startOffset, int endOffset) {
    field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
}

void FieldAccessible::insertText(int offset, const QString& text) {
    field()->setText(field()->text().insert(offset, text));
}

void FieldAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace ventbox
