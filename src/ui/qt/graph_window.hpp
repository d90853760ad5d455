// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QWidget>

#include "ui/response_graph.hpp"

class QDoubleSpinBox;
class QFileSystemWatcher;
class QLabel;
class QListWidget;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace ventbox {

class LevelTableModel;
class PlotView;

// The response graph beside the main window: shows the graph model, hands
// the user's choices to it, and tells it when the data folder's files
// change. Closing it only hides it, so that it keeps its box losses and
// choices for the session.
class GraphWindow : public QWidget, public ResponseGraphObserver {
public:
    explicit GraphWindow(ResponseGraph& graph, QWidget* parent = nullptr);
    ~GraphWindow() override;

    void graphChanged() override;

    // The page on show, as SVG or as PNG by the file's extension; throws
    // IoError when it cannot be written.
    void savePicture(const QString& path);
    // The PNG's size in pixels: the one chosen, else twice the page's size.
    QSize pictureSize() const;
    PlotView* view(PlotPage page) const { return views_[static_cast<std::size_t>(page)]; }
    PlotPage pageShown() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void placeBesideMainWindow();
    void watchDataFolder();
    void rescan();
    void fillCompareList();
    void saveWithDialog();

    ResponseGraph& graph_;
    QTabWidget* pages_ = nullptr;
    std::vector<PlotView*> views_;
    QDoubleSpinBox* ql_ = nullptr;
    QSpinBox* pictureWidth_ = nullptr;
    QSpinBox* pictureHeight_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* pointer_ = nullptr;
    QListWidget* compareList_ = nullptr;
    QTableView* table_ = nullptr;
    LevelTableModel* tableModel_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    bool filling_ = false;
    bool placed_ = false;
};

}  // namespace ventbox
