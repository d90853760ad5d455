// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>

namespace ventbox {

// The graph's table of levels for a table view: a header row and the rows
// under it. A new table that keeps the shape tells the view only the cells
// that changed, so a keystroke repaints a few cells rather than the table.
class LevelTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const std::vector<std::vector<std::string>>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::vector<std::string>> rows_;  // the header first
};

}  // namespace ventbox
