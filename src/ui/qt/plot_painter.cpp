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
    QPen pen(colour(stroke.colour), stroke.width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
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

// A cache grows no further than a few pictures' worth of texts.
constexpr qsizetype kMostKeptTexts = 4096;

QString keyOf(const QString& content, double size, bool bold) {
    return QString::number(size) + (bold ? u'b' : u'r') + content;
}

struct Painting {
    QPainter& painter;
    const PlotFontMeasure& fonts;
    PlotPaintCache& cache;
};

void drawText(Painting& p, const PlotText& text) {
    const QString content = qstring(text.text);
    const double width = p.fonts.width(text.text, text.size, text.bold);
    const double shift = text.anchor == TextAnchor::Start ? 0
                         : text.anchor == TextAnchor::Middle ? width / 2
                                                             : width;
    const QFont font = plotFont(text.size, text.bold);
    const QStaticText& shaped = p.cache.text(content, font);
    // A static text is placed by its top; the description gives baselines.
    const double ascent = p.fonts.metrics(text.size, text.bold).ascent();
    p.painter.setFont(font);
    p.painter.setPen(colour(text.colour));
    if (!text.upright) {
        p.painter.drawStaticText(QPointF(text.at.x - shift, text.at.y - ascent), shaped);
        return;
    }
    p.painter.save();
    p.painter.translate(point(text.at));
    p.painter.rotate(-90);
    p.painter.drawStaticText(QPointF(-shift, -ascent), shaped);
    p.painter.restore();
}

void drawAxis(Painting& p, const PlotAxis& axis) {
    for (const PlotTick& tick : axis.ticks) {
        drawLine(p.painter, tick.mark);
        drawText(p, tick.label);
    }
    drawText(p, axis.title);
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
    const QString content = qstring(text);
    const QString key = keyOf(content, pixelSize, bold);
    const auto found = widths_.constFind(key);
    if (found != widths_.constEnd()) return *found;
    if (widths_.size() >= kMostKeptTexts) widths_.clear();
    return widths_[key] = metrics(pixelSize, bold).horizontalAdvance(content);
}

const QStaticText& PlotPaintCache::text(const QString& content, const QFont& font) {
    const QString key = keyOf(content, font.pixelSize(), font.bold());
    auto found = texts_.find(key);
    if (found == texts_.end()) {
        if (texts_.size() >= kMostKeptTexts) texts_.clear();
        QStaticText shaped(content);
        shaped.setTextFormat(Qt::PlainText);
        shaped.setPerformanceHint(QStaticText::AggressiveCaching);
        shaped.prepare(QTransform(), font);
        found = texts_.insert(key, shaped);
    }
    return *found;
}

void paintPlot(QPainter& painter, const PlotDescription& plot, PlotPaintCache& cache) {
    Painting p{painter, cache.measure(), cache};
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, plot.width, plot.height), colour(plot.background));
    for (const PlotText& text : plot.texts) drawText(p, text);
    const QRectF area(plot.area.left, plot.area.top, plot.area.width, plot.area.height);
    painter.fillRect(area, colour(plot.background));
    for (const PlotLine& line : plot.frequency.grid) drawLine(painter, line);
    for (const PlotLine& line : plot.value.grid) drawLine(painter, line);
    for (const PlotLine& line : plot.references) drawLine(painter, line);
    painter.setPen(pen(plot.frame));
    painter.drawRect(area);
    drawAxis(p, plot.frequency);
    drawAxis(p, plot.value);

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
        for (const PlotText& line : entry.lines) drawText(p, line);
    }
}

QImage plotImage(const PlotDescription& plot, double scale) {
    QImage image(static_cast<int>(std::ceil(plot.width * scale)),
                 static_cast<int>(std::ceil(plot.height * scale)), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    PlotPaintCache cache;
    paintPlot(painter, plot, cache);
    return image;
}

}  // namespace ventbox
