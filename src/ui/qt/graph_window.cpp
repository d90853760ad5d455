// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <type_traits>

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScatterSeries>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include "design/plot_style.hpp"
#include "graph_module.hpp"
#include "files/file_replace.hpp"

namespace ventbox {

namespace {

QString qstring(const std::string& text) { return QString::fromStdString(text); }

// The axes span what the plot of the command line spans.
constexpr double kLowestDb = kPlotLowestDb;
constexpr double kAxisLowHz = kPlotLowHz;
constexpr double kAxisHighHz = kPlotHighHz;

// An SVG dash array ("7 4"), in pixels, as Qt's pattern in pen widths.
QList<qreal> dashesOf(const char* dashArray, double width) {
    QList<qreal> pattern;
    for (const QString& part : QString::fromLatin1(dashArray).split(' ', Qt::SkipEmptyParts)) {
        pattern.push_back(part.toDouble() / width);
    }
    return pattern;
}

QPen penOf(std::size_t design, bool vented) {
    const double width = vented ? 2.2 : 1.6;
    QPen pen(QColor(QString::fromLatin1(plotColourOf(design))), width);
    const char* dashes = vented ? plotStrokesOf(design).vented : plotStrokesOf(design).closed;
    if (*dashes != '\0') pen.setDashPattern(dashesOf(dashes, width));
    return pen;
}

QList<QPointF> pointsOf(const std::vector<double>& values) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(values.size()));
    for (int k = 0; k < kGridPoints; ++k) points.append(QPointF(gridFrequency(k), values[k]));
    return points;
}

QLogValueAxis* frequencyAxis() {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    axis->setRange(kAxisLowHz, kAxisHighHz);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(8);
    axis->setTitleText(QStringLiteral("周波数 (Hz)"));
    return axis;
}

QChart* makeChart(const QString& title, const QString& unit) {
    auto* chart = new QChart;
    chart->setTitle(title);
    // A flat background: its shadow and rounded frame cost a keystroke's paint.
    chart->setDropShadowEnabled(false);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->addAxis(frequencyAxis(), Qt::AlignBottom);
    auto* levels = new QValueAxis;
    levels->setTitleText(unit);
    levels->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(levels, Qt::AlignLeft);
    return chart;
}

QValueAxis* valueAxisOf(QChart* chart) {
    return static_cast<QValueAxis*>(chart->axes(Qt::Vertical).front());
}

void attach(QChart* chart, QAbstractSeries* series, bool inLegend) {
    chart->addSeries(series);
    for (QAbstractAxis* axis : chart->axes()) series->attachAxis(axis);
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(inLegend);
}

}  // namespace

// A chart view that tells where the pointer is, as a frequency.
class PointerChartView : public QChartView {
public:
    PointerChartView(QChart* chart, std::function<void(double)> onPointer)
        : QChartView(chart), onPointer_(std::move(onPointer)) {
        setMouseTracking(true);
        setRenderHint(QPainter::Antialiasing);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPointF position = event->position();
        if (chart()->plotArea().contains(position)) onPointer_(chart()->mapToValue(position).x());
        QChartView::mouseMoveEvent(event);
    }

private:
    std::function<void(double)> onPointer_;
};

GraphWindow::GraphWindow(TBox& box, ResponseGraph& graph, QWidget* parent)
    : QWidget(parent, Qt::Window), box_(box), graph_(graph) {
    setWindowTitle(QStringLiteral("周波数特性"));
    setAccessibleName(QStringLiteral("周波数特性"));
    buildControls();
    box_.setCalculationObserver(this);
    auto* settle = new QTimer(this);
    settle->setSingleShot(true);
    settle->setInterval(150);
    connect(settle, &QTimer::timeout, this, &GraphWindow::rescan);
    watcher_ = new QFileSystemWatcher(this);
    // A save replaces the file by a rename: several changes come at once.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle, qOverload<>(&QTimer::start));
    graph_.designCalculated(box_.design(), box_.results());
    rescan();
}

GraphWindow::~GraphWindow() { box_.setCalculationObserver(nullptr); }

void GraphWindow::buildControls() {
    levelChart_ = makeChart(QStringLiteral("振幅特性 — 実線: バスレフ、破線: 同じ容積の密閉、● ○: F3"),
                            QStringLiteral("レベル (dB)"));
    delayChart_ = makeChart(QStringLiteral("群遅延 (バスレフ)"), QStringLiteral("群遅延 (ms)"));
    const auto showPointer = [this](double f) {
        pointer_->setText(qstring(graph_.levelsAt(f)));
    };
    levelView_ = new PointerChartView(levelChart_, showPointer);
    levelView_->setAccessibleName(QStringLiteral("振幅特性のグラフ"));
    delayView_ = new PointerChartView(delayChart_, showPointer);
    delayView_->setAccessibleName(QStringLiteral("群遅延のグラフ"));
    auto* views = new QTabWidget;
    views->setAccessibleName(QStringLiteral("グラフの種類"));
    views->addTab(levelView_, QStringLiteral("振幅"));
    views->addTab(delayView_, QStringLiteral("群遅延"));

    ql_ = new QDoubleSpinBox;
    ql_->setRange(kLowestQl, kHighestQl);
    ql_->setDecimals(1);
    ql_->setValue(graph_.Ql());
    ql_->setAccessibleName(QStringLiteral("箱の損失 Ql"));
    connect(ql_, &QDoubleSpinBox::valueChanged, this, [this](double Ql) {
        if (graph_.setQl(Ql)) redraw();
    });
    auto* qlLabel = new QLabel(QStringLiteral("箱の損失 &Ql"));
    qlLabel->setBuddy(ql_);

    compareList_ = new QListWidget;
    compareList_->setAccessibleName(QStringLiteral("比べる設計"));
    connect(compareList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_) return;
        graph_.setCompared(static_cast<std::size_t>(compareList_->row(item)),
                           item->checkState() == Qt::Checked);
        redraw();
    });
    auto* compareLabel = new QLabel(QStringLiteral("比べる設計 (&D)"));
    compareLabel->setBuddy(compareList_);

    auto* save = new QPushButton(QStringLiteral("画像を保存(&S)…"));
    save->setAccessibleName(QStringLiteral("画像を保存"));
    connect(save, &QPushButton::clicked, this, &GraphWindow::saveWithDialog);

    readout_ = new QLabel;
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setAccessibleName(QStringLiteral("読み取り"));
    status_ = new QLabel;
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #B00000"));
    status_->setAccessibleName(QStringLiteral("状態"));
    pointer_ = new QLabel;
    pointer_->setWordWrap(true);
    pointer_->setAccessibleName(QStringLiteral("ポインタの位置"));

    table_ = new QTableWidget;
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->setAccessibleName(QStringLiteral("1/3 オクターブごとのレベルと F3"));
    table_->setTabKeyNavigation(false);
    auto* tableLabel = new QLabel(QStringLiteral("レベルの表 (&T)"));
    tableLabel->setBuddy(table_);

    auto* side = new QVBoxLayout;
    side->addWidget(qlLabel);
    side->addWidget(ql_);
    side->addWidget(compareLabel);
    side->addWidget(compareList_, 1);
    side->addWidget(save);
    side->addWidget(readout_);
    auto* top = new QHBoxLayout;
    top->addWidget(views, 1);
    top->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 3);
    all->addWidget(status_);
    all->addWidget(pointer_);
    all->addWidget(tableLabel);
    all->addWidget(table_, 2);
    setTabOrder(views, levelView_);
    resize(1000, 760);
}

void GraphWindow::showEvent(QShowEvent* event) {
    if (!placed_) placeBesideMainWindow();
    placed_ = true;
    QWidget::showEvent(event);
}

// Beside the main window where the screen has room on its right or left,
// so that the window's fields and the curves are seen together.
void GraphWindow::placeBesideMainWindow() {
    const QWidget* main = parentWidget();
    if (main == nullptr || main->screen() == nullptr) return;
    const QRect screen = main->screen()->availableGeometry();
    const QRect beside = main->frameGeometry();
    const int gap = 8;
    QRect place(QPoint(beside.right() + gap, beside.top()), size());
    if (place.right() > screen.right()) place.moveRight(beside.left() - gap);
    if (place.left() < screen.left()) place.moveLeft(screen.left());
    if (place.bottom() > screen.bottom()) place.moveBottom(screen.bottom());
    if (place.top() < screen.top()) place.moveTop(screen.top());
    move(place.topLeft());
}

void GraphWindow::calculated() {
    graph_.designCalculated(box_.design(), box_.results());
    redraw();
}

void GraphWindow::calculationFailed(const std::string& report) {
    graph_.calculationFailed(report);
    status_->setText(qstring(graph_.status()));
}

void GraphWindow::watchDataFolder() {
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    const QString folder = qstring(box_.dialogInitialDir());
    if (folder.isEmpty()) return;
    if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
    for (const ComparedDesign& design : graph_.compared()) watcher_->addPath(qstring(design.path));
}

void GraphWindow::rescan() {
    graph_.scanDataFolder(box_.dialogInitialDir());
    watchDataFolder();
    fillCompareList();
    redraw();
}

void GraphWindow::fillCompareList() {
    filling_ = true;
    compareList_->clear();
    for (const ComparedDesign& design : graph_.compared()) {
        const QString file = QFileInfo(qstring(design.path)).fileName();
        auto* item = new QListWidgetItem(compareList_);
        if (design.curves) {
            item->setText(qstring(design.name) + QStringLiteral("  (") + file + QStringLiteral(")"));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(design.checked ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setText(file + QStringLiteral(": 読み込めません (") + qstring(design.failure) +
                          QStringLiteral(")"));
            item->setFlags(Qt::ItemIsEnabled);
            item->setForeground(QColor(0x80, 0x80, 0x80));
        }
    }
    filling_ = false;
}

// The series of each drawn design, made anew only when the number of
// designs changes: a keystroke only moves the current design's points.
void GraphWindow::makeSeries(std::size_t designs) {
    levelChart_->removeAllSeries();
    delayChart_->removeAllSeries();
    series_.clear();
    for (std::size_t i = 0; i < designs; ++i) {
        DesignSeries s{new QLineSeries, new QLineSeries, new QScatterSeries, new QScatterSeries,
                       new QLineSeries};
        s.vented->setPen(penOf(i, true));
        s.closed->setPen(penOf(i, false));
        s.delay->setPen(penOf(i, true));
        const QColor colour(QString::fromLatin1(plotColourOf(i)));
        for (QScatterSeries* mark : {s.ventedF3, s.closedF3}) mark->setMarkerSize(9);
        s.ventedF3->setColor(colour);
        s.ventedF3->setBorderColor(Qt::white);
        s.closedF3->setColor(Qt::white);
        s.closedF3->setBorderColor(colour);
        // One legend entry a design; the title says which line is which box.
        attach(levelChart_, s.vented, true);
        attach(levelChart_, s.closed, false);
        attach(levelChart_, s.ventedF3, false);
        attach(levelChart_, s.closedF3, false);
        attach(delayChart_, s.delay, true);
        series_.push_back(s);
    }
    auto* zero = new QLineSeries;
    zero->setPen(QPen(QColor(0x33, 0x33, 0x33), 1.6));
    zero->append(kAxisLowHz, 0);
    zero->append(kAxisHighHz, 0);
    attach(levelChart_, zero, false);
}

void GraphWindow::redraw() {
    const std::vector<const GraphCurves*> drawn = graph_.drawn();
    if (drawn.size() != series_.size()) makeSeries(drawn.size());
    double highest = kPlotLowestTopDb;
    double longest = 1;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const GraphCurves& curves = *drawn[i];
        const DesignSeries& s = series_[i];
        const QString label = qstring(curves.label);
        s.vented->setName(label);
        s.closed->setName(label + QStringLiteral(" 密閉"));
        s.delay->setName(label);
        s.vented->replace(pointsOf(curves.vented));
        s.closed->replace(pointsOf(curves.closed));
        s.delay->replace(pointsOf(curves.groupDelay));
        for (const auto& [mark, f3] : {std::pair{s.ventedF3, curves.ventedF3},
                                       std::pair{s.closedF3, curves.closedF3}}) {
            QList<QPointF> at;
            if (f3) at.append(QPointF(*f3, kF3Level));
            mark->replace(at);
        }
        for (const std::vector<double>* levels : {&curves.vented, &curves.closed}) {
            highest = std::max(highest, *std::max_element(levels->begin(), levels->end()));
        }
        for (int k = 0; k < kGridPoints && gridFrequency(k) <= kAxisHighHz; ++k) {
            longest = std::max(longest, curves.groupDelay[k]);
        }
    }
    // Axes change only when their ends do: each change lays the chart out anew.
    const double top = plotTopDb(highest);
    QValueAxis* levels = valueAxisOf(levelChart_);
    if (levels->max() != top || levels->min() != kLowestDb) {
        levels->setRange(kLowestDb, top);
        // A labelled tick every two grid steps, as in the SVG.
        levels->setTickCount(static_cast<int>((top - kLowestDb) / kPlotDbGrid) / 2 + 1);
    }
    QValueAxis* delays = valueAxisOf(delayChart_);
    const double delayTop = std::ceil(longest / 5) * 5;
    if (delays->max() != delayTop || delays->min() != 0) delays->setRange(0, delayTop);

    std::string readout;
    for (const std::string& line : graph_.readout()) readout += line + "\n";
    readout_->setText(qstring(readout).trimmed());
    status_->setText(qstring(graph_.status()));
    const QString description = qstring(graph_.description());
    if (levelView_->accessibleDescription() != description) {
        levelView_->setAccessibleDescription(description);
        delayView_->setAccessibleDescription(description);
    }
    fillTable();
}

void GraphWindow::fillTable() {
    const std::vector<std::vector<std::string>> rows = graph_.table();
    const int rowCount = static_cast<int>(rows.size()) - 1;
    const int columnCount = static_cast<int>(rows.front().size());
    const bool reshaped = table_->rowCount() != rowCount || table_->columnCount() != columnCount;
    if (reshaped) {
        table_->clear();
        table_->setRowCount(rowCount);
        table_->setColumnCount(columnCount);
    }
    for (int c = 0; c < columnCount; ++c) {
        const QString text = qstring(rows.front()[c]);
        QTableWidgetItem* item = table_->horizontalHeaderItem(c);
        if (item == nullptr || item->text() != text) {
            table_->setHorizontalHeaderItem(c, new QTableWidgetItem(text));
        }
    }
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columnCount; ++c) {
            const QString text = qstring(rows[r + 1][c]);
            if (QTableWidgetItem* item = table_->item(r, c)) {
                if (item->text() != text) item->setText(text);
            } else {
                table_->setItem(r, c, new QTableWidgetItem(text));
            }
        }
    }
    if (reshaped) table_->resizeColumnsToContents();
}

void GraphWindow::saveWithDialog() {
    const QString svg = QStringLiteral("SVG 画像 (*.svg)");
    const QString png = QStringLiteral("PNG 画像 (*.png)");
    QString chosenFilter = svg;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("グラフを保存"),
        qstring(box_.dialogInitialDir()) + QStringLiteral("/response.svg"), svg + ";;" + png,
        &chosenFilter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += chosenFilter == png ? ".png" : ".svg";
    savePicture(path);
}

void GraphWindow::savePicture(const QString& path) {
    std::string bytes;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        QByteArray picture;
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        levelView_->grab().save(&buffer, "PNG");
        bytes = picture.toStdString();
    } else {
        bytes = graph_.svgPicture();
    }
    replaceFile(path.toStdString(), bytes);
}

}  // namespace ventbox

// The one entry of the graph's module.
extern "C" Q_DECL_EXPORT QWidget* ventboxMakeGraphWindow(ventbox::TBox& box,
                                                         ventbox::ResponseGraph& graph,
                                                         QWidget* parent) {
    static_assert(std::is_same_v<decltype(&ventboxMakeGraphWindow), ventbox::MakeGraphWindow>);
    return new ventbox::GraphWindow(box, graph, parent);
}
