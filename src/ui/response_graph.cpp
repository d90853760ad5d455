// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_graph.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>

#include "design/design_labels.hpp"
#include "design/design_run.hpp"
#include "design/fixed_text.hpp"
#include "design/report_text.hpp"
#include "files/design_file.hpp"

namespace ventbox {

namespace {

// The label of the window's own design where a file of the same name is
// compared too.
constexpr const char* kWindowDesignPlace = "画面";

// The window's own design is drawn in the first style, always.
constexpr std::size_t kCurrentStyle = 0;

// Third-octave frequencies from 10 Hz to 1 kHz, 10^(k/10) · 10 Hz exactly,
// each with the nominal figure a reader knows it by.
struct ThirdOctave {
    double exponent;  // k / 10
    const char* nominal;
};
constexpr std::array<ThirdOctave, 21> kThirdOctaves{{
    {0.0, "10"},  {0.1, "12.5"}, {0.2, "16"},  {0.3, "20"},  {0.4, "25"},  {0.5, "31.5"},
    {0.6, "40"},  {0.7, "50"},   {0.8, "63"},  {0.9, "80"},  {1.0, "100"}, {1.1, "125"},
    {1.2, "160"}, {1.3, "200"},  {1.4, "250"}, {1.5, "315"}, {1.6, "400"}, {1.7, "500"},
    {1.8, "630"}, {1.9, "800"},  {2.0, "1000"},
}};

std::string hzText(const std::optional<double>& f) {
    return f ? fixedText(*f, 2) + " Hz" : "20 kHz 以上";
}

std::string peakText(const std::optional<Peak>& peak) {
    return peak ? fixedText(peak->levelDb, 2) + " dB @ " + fixedText(peak->frequency, 2) + " Hz"
                : "なし";
}

// The response inputs of a calculated design; throws NoResponse where the
// response model cannot describe it.
ResponseInputs responseInputsOf(const TDesign& design, const TDesignResults& results, double Ql) {
    responseOf(design, results, Ql);
    return {results.sc / results.so, results.fd / design.fo, design.Qo, design.fo, results.fd,
            results.Vo};
}

Response responseAt(const ResponseInputs& a, double Ql) {
    return Response(a.alpha, a.h, a.Qt, Ql, a.fo);
}

}  // namespace

ResponseGraph::ResponseGraph(TBox& box) : box_(box) { box_.setCalculationObserver(this); }

ResponseGraph::~ResponseGraph() { box_.setCalculationObserver(nullptr); }

void ResponseGraph::changed() {
    if (observer_) observer_->graphChanged();
}

void ResponseGraph::calculated() {
    try {
        current_ = responseInputsOf(box_.design(), box_.results(), Ql_);
        currentCurves_.reset();
        status_.clear();
    } catch (const Error& error) {
        status_ = "前の曲線のままです: " + reportText(error);
    }
    changed();
}

void ResponseGraph::calculationFailed(const std::string& report) {
    status_ = "計算に失敗したため、前の曲線のままです: " + report;
    changed();
}

bool ResponseGraph::setQl(double Ql) {
    if (!(Ql >= kLowestQl && Ql <= kHighestQl)) return false;
    if (Ql == Ql_) return true;
    Ql_ = Ql;
    currentCurves_.reset();
    for (std::optional<Curves>& curves : comparedCurves_) curves.reset();
    changed();
    return true;
}

const ResponseGraph::Curves& ResponseGraph::curvesOf(const ResponseInputs& inputs,
                                                     std::optional<Curves>& cache) const {
    if (!cache) {
        const Response response = responseAt(inputs, Ql_);
        Curves curves{response, ventedF3(response), closedF3(response), ventedPeak(response),
                      std::make_shared<const GridCurves>(gridCurvesOf(response)), {}, {}};
        for (const ThirdOctave& band : kThirdOctaves) {
            const double f = kGridStart * std::pow(10.0, band.exponent);
            curves.ventedColumn.push_back(fixedText(response.ventedDb(f), 1));
            curves.closedColumn.push_back(fixedText(response.closedDb(f), 1));
        }
        curves.ventedColumn.push_back(curves.ventedF3 ? fixedText(*curves.ventedF3, 2) : "-");
        curves.closedColumn.push_back(curves.closedF3 ? fixedText(*curves.closedF3, 2) : "-");
        cache = std::move(curves);
    }
    return *cache;
}

void ResponseGraph::rescan() {
    std::map<std::string, std::pair<bool, std::optional<std::size_t>>> kept;
    for (const ComparedDesign& d : compared_) kept[d.path] = {d.checked, d.style};
    std::vector<std::string> paths;
    std::error_code unreadable;
    const std::string folder = dataFolder();
    if (!folder.empty()) {
        for (const auto& entry : std::filesystem::directory_iterator(folder, unreadable)) {
            if (entry.path().extension() == kDesignFileExtension) {
                paths.push_back(entry.path().string());
            }
        }
    }
    std::sort(paths.begin(), paths.end());
    compared_.clear();
    for (const std::string& path : paths) {
        ComparedDesign d;
        d.path = path;
        d.name = std::filesystem::path(path).stem().string();
        std::tie(d.checked, d.style) = kept[path];
        try {
            DesignRun run = runDesignFile(path);
            d.name = run.design.name;
            d.inputs = responseInputsOf(run.design, run.results, Ql_);
        } catch (const Error& error) {
            d.failure = reportText(error);
        }
        compared_.push_back(std::move(d));
    }
    comparedCurves_.assign(compared_.size(), std::nullopt);
    changed();
}

void ResponseGraph::setCompared(std::size_t index, bool checked) {
    if (index >= compared_.size() || compared_[index].checked == checked) return;
    ComparedDesign& design = compared_[index];
    design.checked = checked;
    design.style.reset();
    if (checked) {
        // The first style no other design holds, so that none already drawn changes.
        std::vector<bool> held{true};
        for (const ComparedDesign& d : compared_) {
            if (!d.style) continue;
            if (*d.style >= held.size()) held.resize(*d.style + 1);
            held[*d.style] = true;
        }
        design.style = static_cast<std::size_t>(std::find(held.begin(), held.end(), false) - held.begin());
    }
    changed();
}

std::vector<const ResponseGraph::Curves*> ResponseGraph::drawnCurves() const {
    std::vector<const Curves*> curves;
    if (current_) curves.push_back(&curvesOf(*current_, currentCurves_));
    for (std::size_t i = 0; i < compared_.size(); ++i) {
        const ComparedDesign& d = compared_[i];
        if (d.checked && d.inputs) curves.push_back(&curvesOf(*d.inputs, comparedCurves_[i]));
    }
    return curves;
}

std::vector<PlotDesign> ResponseGraph::drawn() const {
    std::vector<NamedDesign> named;
    std::vector<std::size_t> styles;
    if (current_) {
        named.push_back({box_.design().name, kWindowDesignPlace});
        styles.push_back(kCurrentStyle);
    }
    for (const ComparedDesign& d : compared_) {
        if (d.checked && d.inputs) {
            named.push_back({d.name, d.path});
            styles.push_back(d.style.value_or(kCurrentStyle));
        }
    }
    const std::vector<std::string> labels = distinctLabels(named);
    const std::vector<const Curves*> curves = drawnCurves();
    std::vector<PlotDesign> designs;
    designs.reserve(curves.size());
    for (std::size_t i = 0; i < curves.size(); ++i) {
        designs.push_back({labels[i], styles[i], curves[i]->response, curves[i]->ventedF3,
                           curves[i]->closedF3, curves[i]->grid});
    }
    return designs;
}

PlotDescription ResponseGraph::plot(PlotPage page, double width, std::optional<double> height,
                                    const TextMeasure& measure) const {
    const std::vector<PlotDesign> designs = drawn();
    std::vector<const PlotDesign*> pointers;
    for (const PlotDesign& design : designs) pointers.push_back(&design);
    return describePlot(pointers, {page, PlotLanguage::Japanese, Ql_, width, height}, measure);
}

std::vector<std::string> ResponseGraph::readout() const {
    if (!current_) return {};
    const Curves& curves = curvesOf(*current_, currentCurves_);
    const ResponseInputs& a = *current_;
    return {
        "F3 バスレフ: " + hzText(curves.ventedF3),
        "F3 密閉: " + hzText(curves.closedF3),
        "ピーク: " + peakText(curves.peak),
        "fb (= fd): " + fixedText(a.fb, 1) + " Hz",
        "α (= sc/so): " + fixedText(a.alpha, 3),
        "h (= fb/fo): " + fixedText(a.h, 3),
        "Qt (= Qo): " + fixedText(a.Qt, 3),
        "Vas (= α·Vo): " + fixedText(a.alpha * a.Vo, 2) + " ㍑",
    };
}

std::string ResponseGraph::description() const {
    const std::vector<PlotDesign> designs = drawn();
    const std::vector<const Curves*> curves = drawnCurves();
    std::string text;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        if (!text.empty()) text += "; ";
        text += designs[i].label + ": F3 バスレフ " + hzText(designs[i].ventedF3) + ", 密閉 " +
                hzText(designs[i].closedF3) + ", ピーク " + peakText(curves[i]->peak);
    }
    return text;
}

std::string ResponseGraph::levelsAt(double f) const {
    std::string text = fixedText(f, 1) + " Hz";
    for (const PlotDesign& d : drawn()) {
        text += " — " + d.label + ": バスレフ " + fixedText(d.response.ventedDb(f), 1) +
                " dB, 密閉 " + fixedText(d.response.closedDb(f), 1) + " dB, 群遅延 " +
                fixedText(d.response.ventedGroupDelay(f) * 1000, 1) + " ms";
    }
    return text;
}

std::vector<std::vector<std::string>> ResponseGraph::table() const {
    const std::vector<PlotDesign> designs = drawn();
    const std::vector<const Curves*> curves = drawnCurves();
    std::vector<std::vector<std::string>> rows(kThirdOctaves.size() + 2);
    rows.front().push_back("周波数 (Hz)");
    for (std::size_t r = 0; r < kThirdOctaves.size(); ++r) rows[r + 1].push_back(kThirdOctaves[r].nominal);
    rows.back().push_back("F3 (Hz)");
    for (std::size_t i = 0; i < designs.size(); ++i) {
        rows.front().push_back(designs[i].label + " バスレフ (dB)");
        rows.front().push_back(designs[i].label + " 密閉 (dB)");
        for (std::size_t r = 1; r < rows.size(); ++r) {
            rows[r].push_back(curves[i]->ventedColumn[r - 1]);
            rows[r].push_back(curves[i]->closedColumn[r - 1]);
        }
    }
    return rows;
}

}  // namespace ventbox
