// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_painter.hpp"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "design/plot_style.hpp"

namespace ventbox {

namespace {

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor colour(std::string_view name) { return QColor(QLatin1StringView(name.data(), name.size())); }

QPointF point(PlotPoint p) { return {p.x, p.y}; }

// Dashes in pixels, as Qt counts them in pen widths; flat ends, so that a
// dash is as long as the description says.
QPen pen(const PlotStroke& stroke) {
    QPen pen(colour(stroke.colour), stroke.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    if (!stroke.dashes.empty()) {
        QList<qreal> pattern;
        for (double length : stroke.dashes) pattern.push_back(length / stroke.width);
        pen.setDashPattern(pattern);
    }
    return pen;
}

void drawLine(QPainter& painter, const PlotLine& line) {
    painter.setPen(pen(line.stroke));
    painter.drawLine(point(line.from), point(line.to));
}

void drawCircle(QPainter& painter, const PlotCircle& circle) {
    painter.setPen(QPen(colour(circle.stroke), circle.strokeWidth));
    painter.setBrush(colour(circle.fill));
    painter.drawEllipse(point(circle.centre), circle.radius, circle.radius);
    painter.setBrush(Qt::NoBrush);
}

void drawText(QPainter& painter, const PlotText& text, const PlotFontMeasure& fonts) {
    const QFontMetricsF& metrics = fonts.metrics(text.size, text.bold);
    const QString content = qstring(text.text);
    const double width = metrics.horizontalAdvance(content);
    const double shift = text.anchor == TextAnchor::Start ? 0
                         : text.anchor == TextAnchor::Middle ? width / 2
                                                             : width;
    painter.setFont(plotFont(text.size, text.bold));
    painter.setPen(colour(text.colour));
    if (!text.upright) {
        painter.drawText(QPointF(text.at.x - shift, text.at.y), content);
        return;
    }
    painter.save();
    painter.translate(point(text.at));
    painter.rotate(-90);
    painter.drawText(QPointF(-shift, 0), content);
    painter.restore();
}

void drawAxis(QPainter& painter, const PlotAxis& axis, const PlotFontMeasure& fonts) {
    for (const PlotTick& tick : axis.ticks) {
        drawLine(painter, tick.mark);
        drawText(painter, tick.label, fonts);
    }
    drawText(painter, axis.title, fonts);
}

}  // namespace

QFont plotFont(double pixelSize, bool bold) {
    QFont font;
    QStringList families;
    for (std::string_view family : kPlotFontFamilies) families << qstring(family);
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    return font;
}

const QFontMetricsF& PlotFontMeasure::metrics(double pixelSize, bool bold) const {
    const auto key = std::pair(pixelSize, bold);
    auto found = metrics_.find(key);
    if (found == metrics_.end()) {
        found = metrics_.emplace(key, QFontMetricsF(plotFont(pixelSize, bold))).first;
    }
    return found->second;
}

double PlotFontMeasure::width(std::string_view text, double pixelSize, bool bold) const {
    return metrics(pixelSize, bold).horizontalAdvance(qstring(text));
}

void paintPlot(QPainter& painter, const PlotDescription& plot) {
    const PlotFontMeasure fonts;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, plot.width, plot.height), colour(plot.background));
    for (const PlotText& text : plot.texts) drawText(painter, text, fonts);
    const QRectF area(plot.area.left, plot.area.top, plot.area.width, plot.area.height);
    painter.fillRect(area, colour(plot.background));
    for (const PlotLine& line : plot.frequency.grid) drawLine(painter, line);
    for (const PlotLine& line : plot.value.grid) drawLine(painter, line);
    for (const PlotLine& line : plot.references) drawLine(painter, line);
    painter.setPen(pen(plot.frame));
    painter.drawRect(area);
    drawAxis(painter, plot.frequency, fonts);
    drawAxis(painter, plot.value, fonts);

    painter.save();
    painter.setClipRect(area);
    for (const PlotSeries& series : plot.series) {
        QPolygonF points;
        points.reserve(static_cast<qsizetype>(series.points.size()));
        for (const PlotPoint& p : series.points) points << point(plot.pixelOf(p));
        painter.setPen(pen(series.stroke));
        painter.drawPolyline(points);
    }
    for (const PlotMark& mark : plot.marks) {
        if (mark.stem) drawLine(painter, *mark.stem);
    }
    for (const PlotMark& mark : plot.marks) drawCircle(painter, mark.circle);
    painter.restore();

    for (const LegendEntry& entry : plot.legend) {
        for (const PlotLine& line : entry.samples) drawLine(painter, line);
        for (const PlotCircle& circle : entry.sampleMarks) drawCircle(painter, circle);
        for (const PlotText& line : entry.lines) drawText(painter, line, fonts);
    }
}

QImage plotImage(const PlotDescription& plot, double scale) {
    QImage image(static_cast<int>(std::ceil(plot.width * scale)),
                 static_cast<int>(std::ceil(plot.height * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    paintPlot(painter, plot);
    return image;
}

}  // namespace ventbox
