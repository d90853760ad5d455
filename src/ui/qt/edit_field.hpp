// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QLineEdit>

namespace ventbox {

// A single-line field of the window. Taking or losing the focus selects or
// deselects its text and moves its caret; a screen reader would read that
// out on its own, before the field is named or after the next one was, or
// take the caret's move for the focus and then name nothing. The field keeps
// those changes off the accessibility bus until its focus has been told: the
// focus announcement reads the field with its selection.
class EditField : public QLineEdit {
public:
    explicit EditField(QWidget* parent);

    // Whether the field's selection and caret change only because its focus
    // does.
    bool focusChanging() const { return focusChanging_; }
    // The window has told a screen reader that the field has the focus,
    // after the field took it as the window became active.
    void focusAnnounced() { focusChanging_ = false; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool focusChanging_ = false;
};

// What a screen reader meets in a single-line field: its text, caret,
// selection and editing, with one run of text attributes over the whole
// text. Qt's own line edit reports an empty run at every offset, and a
// screen reader that reads a field run by run then drops its last character.
class FieldAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit FieldAccessible(EditField* field);

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    EditField* field() const;
};


}  // namespace ventbox
