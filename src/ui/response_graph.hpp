// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/response.hpp"

namespace ventbox {

// A design as the graph draws it: its curves over the response grid, its
// F3 points and its peak.
struct GraphCurves {
    std::string label;
    Response response;
    std::vector<double> vented;       // dB
    std::vector<double> closed;       // dB
    std::vector<double> groupDelay;   // ms, the vented box's
    std::optional<double> ventedF3;
    std::optional<double> closedF3;
    std::optional<Peak> peak;
};

// A design file of the data folder, offered for comparison.
struct ComparedDesign {
    std::string path;
    std::string name;                 // the design's name; the file's when it failed
    bool checked = false;
    std::optional<GraphCurves> curves;
    std::string failure;              // why the file gives no curve
    TDesign design;                   // as calculated, for other box losses
    TDesignResults results;
};

// The response graph beside the window, without a toolkit: the current
// design's curves after each recalculation, the designs of the data folder
// to compare with it, the box losses the curves assume, and the texts the
// graph shows. Every curve comes from the one response model.
class ResponseGraph {
public:
    // The window's design after a recalculation that completed.
    void designCalculated(const TDesign& design, const TDesignResults& results);
    // A recalculation that failed: the last good curves stay, marked so.
    void calculationFailed(const std::string& report);

    double Ql() const { return Ql_; }
    // Box losses for every curve; false, changing nothing, outside the
    // range of real boxes.
    bool setQl(double Ql);

    // Reads the data folder's design files again, keeping the checks of the
    // files still there; a file that fails is kept as such, without curves.
    void scanDataFolder(const std::string& folder);
    const std::vector<ComparedDesign>& compared() const { return compared_; }
    void setCompared(std::size_t index, bool checked);

    // What is drawn: the current design first, then each checked design
    // that has curves. Labels tell every drawn design apart.
    std::vector<const GraphCurves*> drawn() const;

    // Lines of the read-out of the current design: F3 of both boxes, the
    // peak, the tuning fb and the alignment's alpha, h, Qt and Vas.
    std::vector<std::string> readout() const;
    // Why the curves are not the design's on screen; empty when they are.
    const std::string& status() const { return status_; }
    // F3 and peak of each drawn design, for a screen reader.
    std::string description() const;
    // The levels of the drawn designs at a frequency, as the pointer shows them.
    std::string levelsAt(double f) const;

    // The table of levels at the third-octave frequencies from 10 Hz to
    // 1 kHz: a header row, then a row per frequency, then the F3 rows.
    std::vector<std::vector<std::string>> table() const;

    // The drawn designs as the command line's SVG picture draws them.
    std::string svgPicture() const;

private:
    GraphCurves curvesOf(const std::string& label, const TDesign& design,
                         const TDesignResults& results) const;
    void relabel();

    double Ql_ = kDefaultQl;
    TDesign design_;
    TDesignResults results_;
    std::optional<GraphCurves> current_;
    std::string status_;
    std::vector<ComparedDesign> compared_;
};

}  // namespace ventbox
