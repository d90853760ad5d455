// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_accessible.hpp"

#include <QLineEdit>

namespace ventbox {

namespace {

QAccessibleInterface* fieldFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLineEdit") || !object || !object->isWidgetType()) return nullptr;
    return new FieldAccessible(static_cast<QLineEdit*>(object));
}

// A line edit keeps this much room between its frame and its text.
constexpr int kTextMargin = 2;

}  // namespace

FieldAccessible::FieldAccessible(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

QLineEdit* FieldAccessible::field() const { return static_cast<QLineEdit*>(widget()); }

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

void installFieldAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(fieldFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace ventbox
