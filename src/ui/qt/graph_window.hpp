// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QWidget>

#include "ui/response_graph.hpp"
#include "ui/speaker.hpp"

class QChart;
class QChartView;
class QDoubleSpinBox;
class QFileSystemWatcher;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QListWidget;
class QTableWidget;

namespace ventbox {

class PointerChartView;

// The response graph beside the main window: draws the graph model, hands
// the user's choices to it and follows the window's recalculations and the
// data folder's files. Closing it only hides it, so that it keeps its box
// losses and choices for the session. It is built into the graph's module
// (see graph_module.hpp), the one place that links Qt Charts.
class GraphWindow : public QWidget, public CalculationObserver {
public:
    GraphWindow(TBox& box, ResponseGraph& graph, QWidget* parent = nullptr);
    ~GraphWindow() override;

    void calculated() override;
    void calculationFailed(const std::string& report) override;

    // Writes the graph as SVG or PNG, by the file's extension.
    void savePicture(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void placeBesideMainWindow();
    void watchDataFolder();
    void rescan();
    void makeSeries(std::size_t designs);
    void redraw();
    void fillCompareList();
    void fillTable();
    void saveWithDialog();

    TBox& box_;
    ResponseGraph& graph_;
    QChart* levelChart_ = nullptr;
    QChart* delayChart_ = nullptr;
    PointerChartView* levelView_ = nullptr;
    PointerChartView* delayView_ = nullptr;
    QDoubleSpinBox* ql_ = nullptr;
    QLabel* readout_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* pointer_ = nullptr;
    QListWidget* compareList_ = nullptr;
    QTableWidget* table_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    struct DesignSeries {
        QLineSeries* vented;
        QLineSeries* closed;
        QScatterSeries* ventedF3;
        QScatterSeries* closedF3;
        QLineSeries* delay;
    };
    std::vector<DesignSeries> series_;
    bool filling_ = false;
    bool placed_ = false;
};

}  // namespace ventbox
