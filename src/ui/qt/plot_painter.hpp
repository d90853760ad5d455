// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <utility>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include "design/plot.hpp"

class QPainter;

namespace ventbox {

// The font a picture's text is drawn in, at a size in pixels.
QFont plotFont(double pixelSize, bool bold);

// Text widths as the window draws them.
class PlotFontMeasure final : public TextMeasure {
public:
    double width(std::string_view text, double pixelSize, bool bold) const override;
    const QFontMetricsF& metrics(double pixelSize, bool bold) const;

private:
    mutable std::map<std::pair<double, bool>, QFontMetricsF> metrics_;
};

// Paints the picture with its top left at the painter's origin.
void paintPlot(QPainter& painter, const PlotDescription& plot);

// The same painting on an image of the picture's size times `scale` pixels.
QImage plotImage(const PlotDescription& plot, double scale);

}  // namespace ventbox
