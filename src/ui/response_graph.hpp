// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/plot.hpp"
#include "design/response.hpp"
#include "speaker.hpp"

namespace ventbox {

// What the response model needs of a calculated design, and what the
// read-out tells of it besides its curves.
struct ResponseInputs {
    double alpha;  // sc/so
    double h;      // fd/fo
    double Qt;     // Qo
    double fo;
    double fb;     // fd
    double Vo;
};

// A design file of the data folder, offered for comparison.
struct ComparedDesign {
    std::string path;
    std::string name;                      // the design's name; the file's when it failed
    bool checked = false;
    std::optional<std::size_t> style;      // while checked: its colour and dashes
    std::optional<ResponseInputs> inputs;  // nullopt: the file gives no curve
    std::string failure;                   // why it gives none
};

// Told when anything the graph shows has changed.
class ResponseGraphObserver {
public:
    virtual ~ResponseGraphObserver() = default;
    virtual void graphChanged() = 0;
};

// The response graph beside the window, without a toolkit. It follows the
// window's calculations itself: after each one that completes it draws the
// design the window holds, after one that fails it keeps the last curves and
// says so. Beside the current design it draws the designs of the window's
// data folder that the user ticks, each in a style it keeps while ticked.
// Curves are worked out when they are first asked for, so a graph nobody
// looks at costs a keystroke next to nothing.
class ResponseGraph : private CalculationObserver {
public:
    explicit ResponseGraph(TBox& box);
    ~ResponseGraph() override;
    ResponseGraph(const ResponseGraph&) = delete;
    ResponseGraph& operator=(const ResponseGraph&) = delete;

    void setObserver(ResponseGraphObserver* observer) { observer_ = observer; }

    double Ql() const { return Ql_; }
    // Box losses for every curve; false, changing nothing, outside the
    // range of real boxes.
    bool setQl(double Ql);

    // The folder whose designs are offered: the window's data folder.
    std::string dataFolder() const { return box_.dataFolder(); }
    // Reads the data folder's design files again, keeping the ticks and
    // styles of the files still there; a file that fails is kept as such.
    void rescan();
    const std::vector<ComparedDesign>& compared() const { return compared_; }
    void setCompared(std::size_t index, bool checked);

    // What is drawn: the current design first, then each ticked design that
    // has curves, each labelled apart from the others.
    std::vector<PlotDesign> drawn() const;
    // The picture of a page in the window's language.
    PlotDescription plot(PlotPage page, double width, std::optional<double> height,
                         const TextMeasure& measure) const;

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
    // 1 kHz: a header row, then a row per frequency, then the F3 row.
    std::vector<std::vector<std::string>> table() const;

private:
    // What the graph keeps of a design with curves: its response at the
    // current box losses and its F3 points, worked out on first use.
    struct Curves {
        Response response;
        std::optional<double> ventedF3;
        std::optional<double> closedF3;
        std::optional<Peak> peak;
        std::shared_ptr<const GridCurves> grid;
        std::vector<std::string> ventedColumn;  // the table's texts, F3 last
        std::vector<std::string> closedColumn;
    };

    void calculated() override;
    void calculationFailed(const std::string& report) override;
    void designRenamed() override { changed(); }
    void changed();
    const Curves& curvesOf(const ResponseInputs& inputs, std::optional<Curves>& cache) const;
    // The curves of what is drawn, in the order drawn() gives them.
    std::vector<const Curves*> drawnCurves() const;

    TBox& box_;
    ResponseGraphObserver* observer_ = nullptr;
    double Ql_ = kDefaultQl;
    std::optional<ResponseInputs> current_;
    std::string status_;
    std::vector<ComparedDesign> compared_;
    mutable std::optional<Curves> currentCurves_;
    mutable std::vector<std::optional<Curves>> comparedCurves_;  // by place in compared_
};

}  // namespace ventbox
