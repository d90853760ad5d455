// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QWidget>

#include "design/plot.hpp"
#include "plot_painter.hpp"

namespace ventbox {

class ResponseGraph;

// One page of the response graph, painted from the graph's description at
// the widget's size. It asks for the height at which nothing of the picture
// is cut, so that a scroll area around it shows a long legend whole.
class PlotView : public QWidget {
public:
    PlotView(const ResponseGraph& graph, PlotPage page, std::function<void(double)> onPointer);

    // The graph changed: the picture is laid out anew when next painted.
    void refresh();
    // The picture at the widget's size.
    const PlotDescription& description() const;
    const PlotFontMeasure& measure() const { return cache_.measure(); }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override { return {760, 560}; }
    QSize minimumSizeHint() const override { return {420, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const ResponseGraph& graph_;
    PlotPage page_;
    std::function<void(double)> onPointer_;
    PlotPaintCache cache_;
    mutable std::optional<PlotDescription> description_;
    int leastHeight_ = 0;
};

}  // namespace ventbox
