// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_view.hpp"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "ui/response_graph.hpp"

namespace ventbox {

PlotView::PlotView(const ResponseGraph& graph, PlotPage page, std::function<void(double)> onPointer)
    : graph_(graph), page_(page), onPointer_(std::move(onPointer)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

const PlotDescription& PlotView::description() const {
    if (!description_ || description_->width != width()) {
        description_ = graph_.plot(page_, width(), height(), cache_.measure());
    }
    return *description_;
}

void PlotView::refresh() {
    description_.reset();
    if (isVisible()) {
        // A legend that grows or shrinks changes the height the page needs.
        const int least = static_cast<int>(std::ceil(description().leastHeight));
        if (least != leastHeight_) {
            leastHeight_ = least;
            updateGeometry();
        }
    }
    update();
}

int PlotView::heightForWidth(int width) const {
    if (width == this->width() && leastHeight_ > 0) return leastHeight_;
    return static_cast<int>(std::ceil(graph_.plot(page_, width, 0.0, cache_.measure()).leastHeight));
}

void PlotView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    description_.reset();
    leastHeight_ = static_cast<int>(std::ceil(description().leastHeight));
}

void PlotView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    paintPlot(painter, description(), cache_);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    const PlotDescription& plot = description();
    const QPointF at = event->position();
    if (at.x() >= plot.area.left && at.x() <= plot.area.right() && at.y() >= plot.area.top &&
        at.y() <= plot.area.bottom()) {
        onPointer_(plot.frequencyAt(at.x()));
    }
    QWidget::mouseMoveEvent(event);
}

}  // namespace ventbox
