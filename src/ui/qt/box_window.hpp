// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>

#include <QWidget>

#include "ui/speaker.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ventbox {

// The main window `Box`: draws the model's controls, hands every user event
// to the model and mirrors the model's changes without running a handler,
// from its first showing on.
class BoxWindow : public QWidget, public TBoxObserver {
public:
    explicit BoxWindow(TBox& box, QWidget* parent = nullptr);
    ~BoxWindow() override;

    QLineEdit* edit(Edit edit) const { return edits_[static_cast<std::size_t>(edit)]; }
    QLabel* result(ResultLabel label) const { return results_[static_cast<std::size_t>(label)]; }
    QPushButton* button(Button button) const { return buttons_[static_cast<std::size_t>(button)]; }
    QCheckBox* checkBox() const { return checkBox_; }

    // Places the window's outer frame in the middle of the primary screen.
    void centreOnScreen();
    // Runs once the window has agreed to close.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }
    // Runs on Ctrl+G and on the panels' context menu entry for the graph.
    void setOnGraphRequested(std::function<void()> onGraphRequested) {
        onGraphRequested_ = std::move(onGraphRequested);
    }

    void textChanged(Edit edit) override;
    void checkedChanged() override;
    void captionChanged(ResultLabel label) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void mirrorModel();
    void connectEvents();
    void offerGraph();
    // Tells a screen reader the volume and the lowest resonance.
    void announceResults();
    // Tells a screen reader which control has the focus.
    void announceFocus();

    TBox& box_;
    std::array<QLineEdit*, kEditCount> edits_{};
    std::array<QLabel*, kResultCount> results_{};
    std::array<QPushButton*, 4> buttons_{};
    QCheckBox* checkBox_ = nullptr;
    // Set while the view shows a change the model made itself.
    bool mirroring_ = false;
    QWidget* announcement_ = nullptr;
    bool announcementPending_ = false;
    // Whether the window has been shown: until then it does not mirror the model.
    bool shown_ = false;
    std::function<void()> onClosed_;
    std::function<void()> onGraphRequested_;
};

}  // namespace ventbox
