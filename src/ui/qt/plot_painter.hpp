// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <utility>

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QStaticText>

#include "design/plot.hpp"

class QPainter;

namespace ventbox {

// The font a picture's text is drawn in, at a size in pixels.
QFont plotFont(double pixelSize, bool bold);

// Text widths as the window draws them. A picture's texts are few and
// mostly the same from one drawing to the next, so each is shaped once.
class PlotFontMeasure final : public TextMeasure {
public:
    double width(std::string_view text, double pixelSize, bool bold) const override;
    const QFontMetricsF& metrics(double pixelSize, bool bold) const;

private:
    mutable std::map<std::pair<double, bool>, QFontMetricsF> metrics_;
    mutable QHash<QString, double> widths_;
};

// What painting keeps from one painting to the next: texts measured and
// laid out, most of which a keystroke leaves as they were.
class PlotPaintCache {
public:
    const PlotFontMeasure& measure() const { return measure_; }
    const QStaticText& text(const QString& content, const QFont& font);

private:
    PlotFontMeasure measure_;
    QHash<QString, QStaticText> texts_;
};

// Paints the picture with its top left at the painter's origin.
void paintPlot(QPainter& painter, const PlotDescription& plot, PlotPaintCache& cache);

// The same painting on an image of the picture's size times `scale` pixels.
QImage plotImage(const PlotDescription& plot, double scale);

}  // namespace ventbox
