// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window.hpp"

#include <algorithm>
#include <sstream>

#include <QBuffer>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "design/svg_plot.hpp"
#include "files/output_file.hpp"
#include "level_table_model.hpp"
#include "plot_view.hpp"
#include "reported_work.hpp"

namespace ventbox {

namespace {

QString qstring(const std::string& text) { return QString::fromStdString(text); }

// The pages, in the order of their tabs.
struct PageTab {
    PlotPage page;
    const char* tab;
    const char* name;  // for a screen reader
};
constexpr PageTab kPageTabs[] = {
    {PlotPage::Level, "振幅", "振幅特性のグラフ"},
    {PlotPage::GroupDelay, "群遅延", "群遅延のグラフ"},
};
static_assert(std::size(kPageTabs) == kPlotPages.size());

// A PNG is drawn at twice the screen's scale: its pixels are twice the
// page's, and its texts as sharp as the page's at that size.
constexpr double kPictureScale = 2;

// The read-out's lines: F3 of both boxes, the peak, fb, α, h, Qt and Vas.
constexpr int kReadoutLines = 8;

// The save dialog adds the chosen type's extension to a name typed without
// one before it asks whether to replace a file of that name, so that the
// question names the file written. A device or a pipe is written to under
// the name typed.
class PictureDialog : public QFileDialog {
public:
    PictureDialog(QWidget* parent, const QString& folder)
        : QFileDialog(parent, QStringLiteral("グラフを保存"), folder) {
        setAcceptMode(QFileDialog::AcceptSave);
        // Qt's own dialog, whose check of the name this dialog steers.
        setOption(QFileDialog::DontUseNativeDialog);
        setNameFilters({kSvg, kPng});
        setDefaultSuffix(QStringLiteral("svg"));
        connect(this, &QFileDialog::filterSelected, this, [this](const QString& filter) {
            setDefaultSuffix(filter == kPng ? QStringLiteral("png") : QStringLiteral("svg"));
        });
        selectFile(QStringLiteral("response.svg"));
    }

    void accept() override {
        const QString suffix = defaultSuffix();
        setDefaultSuffix(QString());
        const QStringList typed = selectedFiles();
        const bool device = !typed.isEmpty() && writtenInPlace(QFile::encodeName(typed.first()).toStdString());
        if (!device) setDefaultSuffix(suffix);
        QFileDialog::accept();
        if (isVisible()) setDefaultSuffix(suffix);
    }

    static inline const QString kSvg = QStringLiteral("SVG 画像 (*.svg)");
    static inline const QString kPng = QStringLiteral("PNG 画像 (*.png)");
};

QSpinBox* pictureSide(const QString& name) {
    auto* side = new QSpinBox;
    side->setRange(0, 16000);
    side->setSingleStep(100);
    side->setSuffix(QStringLiteral(" px"));
    side->setSpecialValueText(QStringLiteral("表示の 2 倍"));
    side->setAccessibleName(name);
    return side;
}

}  // namespace

GraphWindow::GraphWindow(ResponseGraph& graph, QWidget* parent)
    : QWidget(parent, Qt::Window), graph_(graph) {
    setWindowTitle(QStringLiteral("周波数特性"));
    setAccessibleName(QStringLiteral("周波数特性"));
    buildControls();
    auto* settle = new QTimer(this);
    settle->setSingleShot(true);
    settle->setInterval(150);
    connect(settle, &QTimer::timeout, this, [this] { reportErrors([this] { rescan(); }); });
    watcher_ = new QFileSystemWatcher(this);
    // A save replaces the file by a rename: several changes come at once.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle, qOverload<>(&QTimer::start));
    graph_.setObserver(this);
    rescan();
}

GraphWindow::~GraphWindow() { graph_.setObserver(nullptr); }

void GraphWindow::buildControls() {
    const auto showPointer = [this](double f) { pointer_->setText(qstring(graph_.levelsAt(f))); };
    pages_ = new QTabWidget;
    pages_->setAccessibleName(QStringLiteral("グラフの種類"));
    for (const PageTab& tab : kPageTabs) {
        auto* view = new PlotView(graph_, tab.page, showPointer);
        view->setAccessibleName(QString::fromUtf8(tab.name));
        auto* scroll = new QScrollArea;
        scroll->setWidget(view);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        pages_->addTab(scroll, QString::fromUtf8(tab.tab));
        views_.push_back(view);
    }
    // A page laid out while hidden is laid out anew as it comes on show.
    connect(pages_, &QTabWidget::currentChanged, this, [this] { views_[pages_->currentIndex()]->refresh(); });

    ql_ = new QDoubleSpinBox;
    ql_->setRange(kLowestQl, kHighestQl);
    ql_->setDecimals(1);
    ql_->setValue(graph_.Ql());
    ql_->setAccessibleName(QStringLiteral("箱の損失 Ql"));
    connect(ql_, &QDoubleSpinBox::valueChanged, this,
            [this](double Ql) { reportErrors([&] { graph_.setQl(Ql); }); });
    auto* qlLabel = new QLabel(QStringLiteral("箱の損失 &Ql"));
    qlLabel->setBuddy(ql_);

    compareList_ = new QListWidget;
    compareList_->setAccessibleName(QStringLiteral("比べる設計"));
    connect(compareList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_) return;
        reportErrors([&] {
            graph_.setCompared(static_cast<std::size_t>(compareList_->row(item)),
                               item->checkState() == Qt::Checked);
        });
    });
    auto* compareLabel = new QLabel(QStringLiteral("比べる設計 (&D)"));
    compareLabel->setBuddy(compareList_);

    auto* save = new QPushButton(QStringLiteral("画像を保存(&S)…"));
    save->setAccessibleName(QStringLiteral("画像を保存"));
    connect(save, &QPushButton::clicked, this, [this] { reportErrors([this] { saveWithDialog(); }); });
    pictureWidth_ = pictureSide(QStringLiteral("PNG の幅"));
    pictureHeight_ = pictureSide(QStringLiteral("PNG の高さ"));
    auto* pictureLabel = new QLabel(QStringLiteral("PNG の大きさ (&P)"));
    pictureLabel->setBuddy(pictureWidth_);
    auto* pictureSize = new QHBoxLayout;
    pictureSize->addWidget(pictureWidth_);
    pictureSize->addWidget(new QLabel(QStringLiteral("×")));
    pictureSize->addWidget(pictureHeight_);

    readout_ = new QLabel;
    readout_->setAccessibleName(QStringLiteral("読み取り"));
    readout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Sized once for its longest lines, so that new values repaint the
    // read-out without laying the window out anew.
    const QFontMetrics metrics = readout_->fontMetrics();
    readout_->setFixedSize(
        std::max({metrics.horizontalAdvance(QStringLiteral("ピーク: −12.34 dB @ 1000.00 Hz")),
                  metrics.horizontalAdvance(QStringLiteral("Vas (= α·Vo): 10000.00 ㍑")),
                  metrics.horizontalAdvance(QStringLiteral("F3 バスレフ: 20 kHz 以上"))}) + 8,
        metrics.lineSpacing() * kReadoutLines + 4);
    status_ = new QLabel;
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #B00000"));
    status_->setAccessibleName(QStringLiteral("状態"));
    pointer_ = new QLabel;
    pointer_->setWordWrap(true);
    pointer_->setAccessibleName(QStringLiteral("ポインタの位置"));

    tableModel_ = new LevelTableModel(this);
    table_ = new QTableView;
    table_->setModel(tableModel_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->setAccessibleName(QStringLiteral("1/3 オクターブごとのレベルと F3"));
    table_->setTabKeyNavigation(false);
    connect(tableModel_, &QAbstractItemModel::modelReset, table_, &QTableView::resizeColumnsToContents);
    auto* tableLabel = new QLabel(QStringLiteral("レベルの表 (&T)"));
    tableLabel->setBuddy(table_);

    auto* side = new QVBoxLayout;
    side->addWidget(qlLabel);
    side->addWidget(ql_);
    side->addWidget(compareLabel);
    side->addWidget(compareList_, 1);
    side->addWidget(save);
    side->addWidget(pictureLabel);
    side->addLayout(pictureSize);
    side->addWidget(readout_);
    auto* top = new QHBoxLayout;
    top->addWidget(pages_, 1);
    top->addLayout(side);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 3);
    all->addWidget(status_);
    all->addWidget(pointer_);
    all->addWidget(tableLabel);
    all->addWidget(table_, 2);
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

PlotPage GraphWindow::pageShown() const { return kPageTabs[pages_->currentIndex()].page; }

void GraphWindow::graphChanged() {
    for (PlotView* view : views_) view->refresh();
    QString readout;
    for (const std::string& line : graph_.readout()) readout += qstring(line) + QLatin1Char('\n');
    readout_->setText(readout.trimmed());
    status_->setText(qstring(graph_.status()));
    const QString description = qstring(graph_.description());
    for (PlotView* view : views_) {
        if (view->accessibleDescription() != description) view->setAccessibleDescription(description);
    }
    tableModel_->setRows(graph_.table());
}

void GraphWindow::watchDataFolder() {
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    const QString folder = QDir::cleanPath(qstring(graph_.dataFolder()));
    if (graph_.dataFolder().empty()) return;
    if (!watcher_->directories().contains(folder)) watcher_->addPath(folder);
    for (const ComparedDesign& design : graph_.compared()) watcher_->addPath(qstring(design.path));
}

void GraphWindow::rescan() {
    graph_.rescan();
    watchDataFolder();
    fillCompareList();
}

void GraphWindow::fillCompareList() {
    filling_ = true;
    compareList_->clear();
    for (const ComparedDesign& design : graph_.compared()) {
        const QString file = QFileInfo(qstring(design.path)).fileName();
        auto* item = new QListWidgetItem(compareList_);
        if (design.inputs) {
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

QSize GraphWindow::pictureSize() const {
    const QWidget* page = view(pageShown());
    const int width = pictureWidth_->value();
    const int height = pictureHeight_->value();
    return {width > 0 ? width : static_cast<int>(page->width() * kPictureScale),
            height > 0 ? height : static_cast<int>(page->height() * kPictureScale)};
}

void GraphWindow::saveWithDialog() {
    PictureDialog dialog(this, QDir::cleanPath(qstring(graph_.dataFolder())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    savePicture(dialog.selectedFiles().first());
}

void GraphWindow::savePicture(const QString& path) {
    const PlotPage page = pageShown();
    const PlotFontMeasure& measure = view(page)->measure();
    std::string bytes;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        const QSize pixels = pictureSize();
        const QImage image = plotImage(graph_.plot(page, pixels.width() / kPictureScale,
                                                   pixels.height() / kPictureScale, measure),
                                       kPictureScale);
        QByteArray picture;
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        bytes = picture.toStdString();
    } else {
        const PlotDescription& shown = view(page)->description();
        std::ostringstream svg;
        writeSvg(svg, shown);
        bytes = svg.str();
    }
    writeOutputFile(QFile::encodeName(path).toStdString(), bytes);
}

}  // namespace ventbox
