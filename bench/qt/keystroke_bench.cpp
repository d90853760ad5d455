// SPDX-License-Identifier: GPL-3.0-or-later
// One keystroke in a box field, from the key event to every result label
// showing the new results.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include "ui/qt/application.hpp"
#include "ui/qt/box_window.hpp"
#include "ui/qt/shell.hpp"
#include "ui/qt/qt_platform.hpp"

namespace {

class QuietPlatform : public ventbox::QtPlatform {
public:
    explicit QuietPlatform(std::string directory) : directory_(std::move(directory)) {}
    std::optional<std::string> currentDirectory() override { return directory_; }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }

private:
    std::string directory_;
};

void keystrokeInABoxField(benchmark::State& state) {
    QTemporaryDir dir;
    ventbox::Shell<QuietPlatform> shell(dir.path().toStdString());
    ventbox::BoxWindow& window = shell.window;
    shell.start();
    QLineEdit* width = window.edit(ventbox::Edit::BL1);
    width->setFocus();
    width->end(false);
    QLabel* volume = window.result(ventbox::ResultLabel::BoxVolium);
    const QString before = volume->text();
    bool typed = false;
    for (auto _ : state) {
        // "25" and "250" alternate, so every keystroke changes every result.
        QTest::keyClick(width, typed ? Qt::Key_Backspace : Qt::Key_0);
        typed = !typed;
    }
    const bool updated = (volume->text() == before) != typed;
    if (!updated) state.SkipWithError("the labels did not follow the keystrokes");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(keystrokeInABoxField)->Unit(benchmark::kMicrosecond);

// A data folder of at least `count` designs for the graph to compare: the
// examples, copied under further names as far as needed.
void copyExamples(const QTemporaryDir& dir, int count = 0) {
    QDir(dir.path()).mkdir("Data");
    const QDir examples(QStringLiteral(VENTBOX_EXAMPLES_DIR));
    const QStringList files = examples.entryList({"*.dat"});
    for (int i = 0; i < std::max<int>(count, static_cast<int>(files.size())); ++i) {
        const QString& file = files[i % files.size()];
        const QString copy = i < files.size() ? file : QStringLiteral("copy-%1-").arg(i) + file;
        QFile::copy(examples.filePath(file), dir.path() + "/Data/" + copy);
    }
}

// Ctrl+G the first time: the graph window made, its data folder read and
// both windows painted.
void openingTheGraph(benchmark::State& state) {
    QTemporaryDir dir;
    copyExamples(dir);
    for (auto _ : state) {
        state.PauseTiming();
        auto shell = std::make_unique<ventbox::Shell<QuietPlatform>>(dir.path().toStdString());
        shell->start();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClick(&shell->window, Qt::Key_G, Qt::ControlModifier);
        QCoreApplication::processEvents();
        state.PauseTiming();
        shell.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(openingTheGraph)->Unit(benchmark::kMillisecond);

// The same keystroke with the response graph open beside the window and
// designs of the data folder compared (five, and fifty): from the key event
// to the labels, the curves, the read-out and the table painted anew.
void keystrokeWithTheGraphOpen(benchmark::State& state) {
    const int designs = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    copyExamples(dir, designs);
    ventbox::Shell<QuietPlatform> shell(dir.path().toStdString());
    shell.start(true);
    QListWidget* compared = shell.graphWindow->findChild<QListWidget*>();
    for (int i = 0; i < compared->count() && i < designs; ++i) {
        compared->item(i)->setCheckState(Qt::Checked);
    }
    QCoreApplication::processEvents();
    QLineEdit* width = shell.window.edit(ventbox::Edit::BL1);
    width->setFocus();
    width->end(false);
    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(width, typed ? Qt::Key_Backspace : Qt::Key_0);
        // Both windows lay out and paint what changed, in the events the
        // keystroke posted: as at the next frame.
        QCoreApplication::processEvents();
        typed = !typed;
    }
    if (shell.graph.drawn().size() != static_cast<std::size_t>(designs) + 1) {
        state.SkipWithError("not as many designs compared as asked");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(keystrokeWithTheGraphOpen)->Arg(5)->Arg(50)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ventbox::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
