// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_graph.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "design/design_labels.hpp"
#include "design/design_run.hpp"
#include "design/fixed_text.hpp"
#include "design/report_text.hpp"
#include "design/svg_plot.hpp"
#include "files/design_file.hpp"

namespace ventbox {

namespace {

// The label of the window's own design where a file of the same name is
// compared too.
constexpr const char* kWindowDesignPlace = "画面";

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

}  // namespace

GraphCurves ResponseGraph::curvesOf(const std::string& label, const TDesign& design,
                                    const TDesignResults& results) const {
    const Response response = responseOf(design, results, Ql_);
    GraphCurves curves{label, response, overGrid(response, &Response::ventedDb),
                       overGrid(response, &Response::closedDb),
                       overGrid(response, &Response::ventedGroupDelay), ventedF3(response),
                       closedF3(response), ventedPeak(response)};
    for (double& delay : curves.groupDelay) delay *= 1000;
    return curves;
}

void ResponseGraph::designCalculated(const TDesign& design, const TDesignResults& results) {
    try {
        current_ = curvesOf(design.name, design, results);
        design_ = design;
        results_ = results;
        status_.clear();
    } catch (const Error& error) {
        status_ = "前の曲線のままです: " + reportText(error);
    }
    relabel();
}

void ResponseGraph::calculationFailed(const std::string& report) {
    status_ = "計算に失敗したため、前の曲線のままです: " + report;
}

bool ResponseGraph::setQl(double Ql) {
    if (!(Ql >= kLowestQl && Ql <= kHighestQl)) return false;
    Ql_ = Ql;
    if (current_) current_ = curvesOf(current_->label, design_, results_);
    for (ComparedDesign& d : compared_) {
        if (d.curves) d.curves = curvesOf(d.curves->label, d.design, d.results);
    }
    return true;
}

void ResponseGraph::scanDataFolder(const std::string& folder) {
    std::map<std::string, bool> wasChecked;
    for (const ComparedDesign& d : compared_) wasChecked[d.path] = d.checked;
    std::vector<std::string> paths;
    std::error_code unreadable;
    for (const auto& entry : std::filesystem::directory_iterator(folder, unreadable)) {
        if (entry.path().extension() == kDesignFileExtension) paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    compared_.clear();
    for (const std::string& path : paths) {
        ComparedDesign d;
        d.path = path;
        d.name = std::filesystem::path(path).stem().string();
        d.checked = wasChecked[path];
        try {
            DesignRun run = runDesignFile(path);
            d.name = run.design.name;
            d.design = run.design;
            d.results = run.results;
            d.curves = curvesOf(d.name, d.design, d.results);
        } catch (const Error& error) {
            d.failure = reportText(error);
        }
        compared_.push_back(std::move(d));
    }
    relabel();
}

void ResponseGraph::setCompared(std::size_t index, bool checked) {
    if (index >= compared_.size()) return;
    compared_[index].checked = checked;
    relabel();
}

void ResponseGraph::relabel() {
    std::vector<NamedDesign> named;
    std::vector<GraphCurves*> curves;
    if (current_) {
        named.push_back({design_.name, kWindowDesignPlace});
        curves.push_back(&*current_);
    }
    for (ComparedDesign& d : compared_) {
        if (d.checked && d.curves) {
            named.push_back({d.name, d.path});
            curves.push_back(&*d.curves);
        }
    }
    const std::vector<std::string> labels = distinctLabels(named);
    for (std::size_t i = 0; i < curves.size(); ++i) curves[i]->label = labels[i];
}

std::vector<const GraphCurves*> ResponseGraph::drawn() const {
    std::vector<const GraphCurves*> curves;
    if (current_) curves.push_back(&*current_);
    for (const ComparedDesign& d : compared_) {
        if (d.checked && d.curves) curves.push_back(&*d.curves);
    }
    return curves;
}

std::vector<std::string> ResponseGraph::readout() const {
    if (!current_) return {};
    const double alpha = results_.sc / results_.so;
    return {
        "F3 バスレフ: " + hzText(current_->ventedF3),
        "F3 密閉: " + hzText(current_->closedF3),
        "ピーク: " + peakText(current_->peak),
        "fb (= fd): " + fixedText(results_.fd, 1) + " Hz",
        "α (= sc/so): " + fixedText(alpha, 3),
        "h (= fb/fo): " + fixedText(results_.fd / design_.fo, 3),
        "Qt (= Qo): " + fixedText(design_.Qo, 3),
        "Vas (= α·Vo): " + fixedText(alpha * results_.Vo, 2) + " ㍑",
    };
}

std::string ResponseGraph::description() const {
    std::string text;
    for (const GraphCurves* c : drawn()) {
        if (!text.empty()) text += "; ";
        text += c->label + ": F3 バスレフ " + hzText(c->ventedF3) + ", 密閉 " +
                hzText(c->closedF3) + ", ピーク " + peakText(c->peak);
    }
    return text;
}

std::string ResponseGraph::levelsAt(double f) const {
    std::string text = fixedText(f, 1) + " Hz";
    for (const GraphCurves* c : drawn()) {
        text += " — " + c->label + ": バスレフ " + fixedText(c->response.ventedDb(f), 1) +
                " dB, 密閉 " + fixedText(c->response.closedDb(f), 1) + " dB, 群遅延 " +
                fixedText(c->response.ventedGroupDelay(f) * 1000, 1) + " ms";
    }
    return text;
}

std::string ResponseGraph::svgPicture() const {
    std::vector<PlotCurve> curves;
    for (const GraphCurves* c : drawn()) {
        curves.push_back({c->label, c->vented, c->closed, c->ventedF3, c->closedF3});
    }
    std::ostringstream picture;
    writeResponsePlot(picture, curves, Ql_);
    return picture.str();
}

std::vector<std::vector<std::string>> ResponseGraph::table() const {
    const std::vector<const GraphCurves*> curves = drawn();
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header{"周波数 (Hz)"};
    for (const GraphCurves* c : curves) {
        header.push_back(c->label + " バスレフ (dB)");
        header.push_back(c->label + " 密閉 (dB)");
    }
    rows.push_back(std::move(header));
    for (const ThirdOctave& band : kThirdOctaves) {
        const double f = kGridStart * std::pow(10.0, band.exponent);
        std::vector<std::string> row{band.nominal};
        for (const GraphCurves* c : curves) {
            row.push_back(fixedText(c->response.ventedDb(f), 1));
            row.push_back(fixedText(c->response.closedDb(f), 1));
        }
        rows.push_back(std::move(row));
    }
    std::vector<std::string> f3{"F3 (Hz)"};
    for (const GraphCurves* c : curves) {
        f3.push_back(c->ventedF3 ? fixedText(*c->ventedF3, 2) : "-");
        f3.push_back(c->closedF3 ? fixedText(*c->closedF3, 2) : "-");
    }
    rows.push_back(std::move(f3));
    return rows;
}

}  // namespace ventbox
