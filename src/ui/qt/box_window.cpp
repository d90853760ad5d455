// SPDX-License-Identifier: GPL-3.0-or-later
#include "box_window.hpp"

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include "accessibility.hpp"
#include "edit_field.hpp"
#include "layout.hpp"

namespace ventbox {

namespace {

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont fontOf(const layout::FontSpec& entry) {
    QFont font;
    font.setFamilies({qstring(entry.face), qstring(entry.standIn)});
    font.setPixelSize(entry.pixelSize);
    font.setBold(entry.bold);
    return font;
}

QColor colourOf(layout::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

QRect rectOf(layout::Rect place) { return QRect(place.left, place.top, place.width, place.height); }

// A panel with a raised bevel and a caption drawn in its middle, beneath
// every control it holds.
class CaptionPanel : public QFrame {
public:
    CaptionPanel(const layout::PanelSpec& entry, QWidget* parent)
        : QFrame(parent), caption_(qstring(entry.caption)) {
        setObjectName(qstring(entry.name));
        setAccessibleRole(this, QAccessible::Pane);
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
        setGeometry(rectOf(entry.place));
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colourOf(entry.colour));
        setPalette(colours);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        if (caption_.isEmpty()) return;
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignCenter, caption_);
    }

private:
    QString caption_;
};

// A label that paints its parent's colour and grows to the right of its
// place as its text widens.
QLabel* makeLabel(QWidget* parent, int left, int top, const layout::FontSpec& font) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    if (&font != &layout::kWindowFont) label->setFont(fontOf(font));
    label->move(left, top);
    return label;
}

void setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->adjustSize();
}

struct TabStop {
    int panelOrder;
    int tabOrder;
    QWidget* widget;
};

int panelOrder(layout::Panel panel) { return panel == layout::Panel::Inputs ? 0 : 1; }

using Panels = std::array<QWidget*, layout::kPanels.size()>;

QWidget* panelOf(const Panels& panels, layout::Panel panel) {
    return panels[static_cast<std::size_t>(panel)];
}

// The scalable icon where Qt can draw it, and every size drawn for the
// desktop, so that a task bar or switcher at any scale picks a sharp one.
QIcon fullIcon() {
    QIcon icon;
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files)) {
        icon.addFile(file.filePath());
    }
    return icon;
}

// The window's own look: its caption, font, the layout's light colours
// whatever the desktop's theme (its captions would be unreadable in light
// text on the fixed green; the texts, the fields and the bevels follow from
// the button and window colours), and its size, which is also the least it
// can be made: smaller, buttons and results would be cut off.
void dressWindow(QWidget* window) {
    window->setObjectName(qstring(layout::kWindowName));
    setAccessibleRole(window, QAccessible::Window);
    window->setWindowTitle(qstring(layout::kWindowCaption));
    window->setFont(fontOf(layout::kWindowFont));
    QPalette colours(colourOf(layout::kButtonFaceColour), colourOf(layout::kWindowColour));
    colours.setColor(QPalette::Highlight, colourOf(layout::kHighlightColour));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    window->setPalette(colours);
    window->setAutoFillBackground(true);
    window->resize(layout::kClientWidth, layout::kClientHeight);
    window->setMinimumSize(layout::kClientWidth, layout::kClientHeight);
}

Panels makePanels(QWidget* window) {
    Panels panels{};
    for (const layout::PanelSpec& entry : layout::kPanels) {
        panels[static_cast<std::size_t>(entry.panel)] = new CaptionPanel(entry, window);
    }
    return panels;
}

void makeFixedLabels(const Panels& panels) {
    for (const layout::LabelSpec& entry : layout::kLabels) {
        QLabel* label = makeLabel(panelOf(panels, entry.panel), entry.left, entry.top, *entry.font);
        label->setObjectName(qstring(entry.name));
        label->setText(qstring(layout::captionOf(entry)));  // sized once shown
        if (entry.font == &layout::kHeadingFont) {
            QPalette heading = label->palette();
            heading.setColor(QPalette::WindowText, colourOf(layout::kHeadingColour));
            label->setPalette(heading);
        }
    }
}

std::array<QLineEdit*, kEditCount> makeFields(const Panels& panels, std::vector<TabStop>& tabStops) {
    std::array<QLineEdit*, kEditCount> fields{};
    for (const layout::EditSpec& entry : layout::kEdits) {
        auto* field = new EditField(panelOf(panels, layout::kEditPanel));
        field->setObjectName(qstring(layout::nameOf(entry.edit)));
        field->setGeometry(rectOf(entry.place));
        field->setFont(fontOf(*entry.font));
        // A loaded text of any length is shown whole, as the model holds it.
        field->setMaxLength(std::numeric_limits<int>::max());
        field->setAccessibleName(qstring(layout::accessibleNameOf(entry.edit)));
        fields[static_cast<std::size_t>(entry.edit)] = field;
        tabStops.push_back({panelOrder(layout::kEditPanel), entry.tabOrder, field});
    }
    return fields;
}

QCheckBox* makeCheckBox(const Panels& panels, std::vector<TabStop>& tabStops) {
    auto* checkBox = new QCheckBox(qstring(layout::kCheckBox.caption), panelOf(panels, layout::kCheckBoxPanel));
    checkBox->setObjectName(qstring(layout::kCheckBox.name));
    checkBox->setGeometry(rectOf(layout::kCheckBox.place));
    checkBox->setAccessibleName(qstring(layout::kCheckBox.caption));
    tabStops.push_back({panelOrder(layout::kCheckBoxPanel), layout::kCheckBox.tabOrder, checkBox});
    return checkBox;
}

std::array<QLabel*, kResultCount> makeResults(const Panels& panels) {
    std::array<QLabel*, kResultCount> results{};
    for (const layout::ResultSpec& entry : layout::kResultPlaces) {
        QLabel* label = makeLabel(panelOf(panels, entry.panel), entry.left, entry.top, *entry.font);
        label->setObjectName(qstring(facts(entry.label).control));
        // Results can be selected and copied; a click gives the focus that
        // keyboard selection needs, but Tab passes them by.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::ClickFocus);
        results[static_cast<std::size_t>(entry.label)] = label;
    }
    return results;
}

std::array<QPushButton*, 4> makeButtons(const Panels& panels, std::vector<TabStop>& tabStops) {
    std::array<QPushButton*, 4> buttons{};
    for (const layout::ButtonSpec& entry : layout::kButtons) {
        auto* button = new QPushButton(qstring(entry.caption), panelOf(panels, layout::kButtonPanel));
        button->setObjectName(qstring(entry.name));
        button->setGeometry(rectOf(entry.place));
        button->setAccessibleName(qstring(entry.caption));
        // Enter presses the focused button, as Space does; with no default
        // button, Enter in a field does nothing.
        button->setAutoDefault(true);
        buttons[static_cast<std::size_t>(entry.button)] = button;
        tabStops.push_back({panelOrder(layout::kButtonPanel), entry.tabOrder, button});
    }
    return buttons;
}

// Never drawn and never focused: it only carries what a screen reader says
// after a recalculation.
QWidget* makeAnnouncement(QWidget* window) {
    auto* announcement = new QWidget(window);
    announcement->setObjectName(QStringLiteral("ResultAnnouncement"));
    setAccessibleRole(announcement, QAccessible::Notification);
    announcement->setGeometry(0, 0, 0, 0);
    announcement->hide();
    return announcement;
}

void chainTabOrder(std::vector<TabStop> tabStops) {
    std::sort(tabStops.begin(), tabStops.end(), [](const TabStop& x, const TabStop& y) {
        return std::tie(x.panelOrder, x.tabOrder) < std::tie(y.panelOrder, y.tabOrder);
    });
    for (std::size_t i = 1; i < tabStops.size(); ++i) {
        QWidget::setTabOrder(tabStops[i - 1].widget, tabStops[i].widget);
    }
}

// The keys a desktop user reaches for, each pressing a button: its handler
// runs exactly as a click runs it.
struct ButtonKey {
    Button button;
    const char* keys;
};
constexpr ButtonKey kButtonKeys[] = {
    {Button::Calc, "F5"},   {Button::Calc, "Ctrl+R"}, {Button::LD, "Ctrl+O"},
    {Button::SV, "Ctrl+S"}, {Button::Exit, "Ctrl+Q"}, {Button::Exit, "Ctrl+W"},
};

}  // namespace

BoxWindow::BoxWindow(TBox& box, QWidget* parent) : QWidget(parent), box_(box) {
    buildControls();
    connectEvents();
    offerGraph();
    box_.setObserver(this);
}

BoxWindow::~BoxWindow() { box_.setObserver(nullptr); }

void BoxWindow::buildControls() {
    dressWindow(this);
    const Panels panels = makePanels(this);
    makeFixedLabels(panels);
    std::vector<TabStop> tabStops;
    edits_ = makeFields(panels, tabStops);
    checkBox_ = makeCheckBox(panels, tabStops);
    results_ = makeResults(panels);
    buttons_ = makeButtons(panels, tabStops);
    announcement_ = makeAnnouncement(this);
    chainTabOrder(std::move(tabStops));
}

void BoxWindow::mirrorModel() {
    for (std::size_t i = 0; i < edits_.size(); ++i) textChanged(static_cast<Edit>(i));
    checkedChanged();
    for (std::size_t i = 0; i < results_.size(); ++i) captionChanged(static_cast<ResultLabel>(i));
}

// The response graph is offered by Ctrl+G anywhere in the window and by the
// context menu of both panels.
void BoxWindow::offerGraph() {
    auto* graph = new QAction(QStringLiteral("周波数特性 (Ctrl+G)"), this);
    graph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    connect(graph, &QAction::triggered, this, [this] {
        if (onGraphRequested_) onGraphRequested_();
    });
    addAction(graph);
    for (QObject* child : children()) {
        if (auto* panel = dynamic_cast<CaptionPanel*>(child)) {
            panel->addAction(graph);
            panel->setContextMenuPolicy(Qt::ActionsContextMenu);
        }
    }
}

void BoxWindow::connectEvents() {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const Edit edit = static_cast<Edit>(i);
        connect(edits_[i], &QLineEdit::textChanged, this, [this, edit](const QString& text) {
            if (!mirroring_) box_.userEditedText(edit, text.toStdString());
        });
    }
    connect(checkBox_, &QCheckBox::toggled, this, [this](bool checked) {
        if (!mirroring_) box_.userSetChecked(checked);
    });
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const Button button = static_cast<Button>(i);
        connect(buttons_[i], &QPushButton::clicked, this,
                [this, button] { box_.userClickedButton(button); });
    }
    for (const ButtonKey& entry : kButtonKeys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(entry.keys)), this);
        connect(shortcut, &QShortcut::activated, this, [this, button = entry.button] {
            // A dialog holds the program until it is answered, whichever
            // window the desktop lets the key reach.
            if (!QApplication::activeModalWidget()) box_.userClickedButton(button);
        });
    }
}

// The desktop's middle is the primary screen's, where its panels stand; a
// window not yet shown counts as on the screen at the origin, which on a
// desktop of several screens may be another.
void BoxWindow::centreOnScreen() {
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    move(desktop.center() - QPoint(layout::kOuterWidth / 2, layout::kOuterHeight / 2));
}

// Every change of a field or the check box reaches the model, however it
// came (keys, paste, an input method, a screen reader's action), except the
// ones made here to show the model's own state: those ran their handler in
// the model already. Comparing first keeps the cursor where the user left it.
void BoxWindow::textChanged(Edit edit) {
    if (!shown_) return;
    QLineEdit* field = this->edit(edit);
    const QString text = QString::fromStdString(box_.text(edit));
    if (field->text() == text) return;
    const QScopedValueRollback mirroring(mirroring_, true);
    field->setText(text);
}

void BoxWindow::checkedChanged() {
    if (!shown_) return;
    if (checkBox_->isChecked() == box_.checked()) return;
    const QScopedValueRollback mirroring(mirroring_, true);
    checkBox_->setChecked(box_.checked());
}

void BoxWindow::captionChanged(ResultLabel label) {
    if (!shown_) return;
    QLabel* shown = result(label);
    const QString caption = QString::fromStdString(box_.caption(label));
    if (shown->text() == caption) return;
    setCaption(shown, caption);
    // A screen reader reads a label by its name alone: it says what the
    // value is and the value itself.
    shown->setAccessibleName(qstring(layout::accessibleNameOf(label)) + QStringLiteral(": ") + caption);
    // One recalculation writes many labels, and a load runs several: the
    // results are told once, when the event that changed them is done.
    if (!announcementPending_) {
        announcementPending_ = true;
        QMetaObject::invokeMethod(this, &BoxWindow::announceResults, Qt::QueuedConnection);
    }
}

// A notification that shows itself anew is read out wherever the focus is,
// and moves nothing: the user goes on typing where they were.
void BoxWindow::announceResults() {
    announcementPending_ = false;
    if (!isVisible()) return;
    QStringList results;
    for (ResultLabel label : {ResultLabel::BoxVolium, ResultLabel::KolvexFR}) {
        results << result(label)->accessibleName();
    }
    announcement_->setAccessibleName(results.join(QStringLiteral("、")));
    announcement_->hide();
    announcement_->show();
}

// A screen reader names the window when it becomes active, which the desktop
// tells it after Qt has moved the focus into it (at start, and when a
// dialog gives the focus back): the focused control is told again once the
// window is active, so the user hears where typing goes.
void BoxWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QMetaObject::invokeMethod(this, &BoxWindow::announceFocus, Qt::QueuedConnection);
    }
}

void BoxWindow::announceFocus() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != this) return;
    if (auto* field = dynamic_cast<EditField*>(focused)) field->focusAnnounced();
    if (!isActiveWindow()) return;
    QAccessibleEvent focus(focused, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

// What only a window on screen needs waits for its first showing, so that
// the start-up dialog comes first without it: the texts of the model (whose
// layout loads the window's fonts), the labels' sizes and the icon. Until
// then the model alone holds the controls' state.
void BoxWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        for (QLabel* label : findChildren<QLabel*>()) label->adjustSize();
        mirrorModel();
        setWindowIcon(fullIcon());
    }
    windowHandle()->installEventFilter(this);
}

// Qt takes a close from the window manager that arrives during the
// widget's own close for agreed, and the window would vanish with the
// process left running; while the close sequence runs (its dialogs keep
// events flowing) such a close is refused here.
bool BoxWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != windowHandle() || event->type() != QEvent::Close || !box_.closeRunning()) return false;
    event->ignore();
    return true;
}

void BoxWindow::closeEvent(QCloseEvent* event) {
    if (!box_.userRequestedClose()) {
        event->ignore();
        return;
    }
    event->accept();
    if (onClosed_) onClosed_();
}

}  // namespace ventbox
