// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_module.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

#include "calc/errors.hpp"

namespace ventbox {

namespace {

QString graphModulePath() {
    QDir folder(QCoreApplication::applicationDirPath());
    do {
        const QString path = folder.filePath(QStringLiteral(VENTBOX_GRAPH_MODULE));
        if (QFileInfo::exists(path)) return path;
    } while (folder.cdUp());
    return {};
}

}  // namespace

std::unique_ptr<QWidget> loadGraphWindow(TBox& box, ResponseGraph& graph, QWidget* parent) {
    const QString path = graphModulePath();
    if (path.isEmpty()) {
        throw Error("the graph's module " VENTBOX_GRAPH_MODULE " is not installed");
    }
    // The module stays loaded for the rest of the program: its window and
    // its chart classes may outlive any one handle to it.
    QLibrary module(path);
    module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    auto make = reinterpret_cast<MakeGraphWindow>(module.resolve(kMakeGraphWindow));
    if (make == nullptr) {
        throw Error("the graph's module cannot be loaded: " + module.errorString().toStdString());
    }
    return std::unique_ptr<QWidget>(make(box, graph, parent));
}

}  // namespace ventbox
