// SPDX-License-Identifier: GPL-3.0-or-later
#include "level_table_model.hpp"

namespace ventbox {

void LevelTableModel::setRows(const std::vector<std::vector<std::string>>& rows) {
    const auto width = [](const std::vector<std::vector<std::string>>& table) {
        return table.empty() ? std::size_t{0} : table.front().size();
    };
    if (rows.size() != rows_.size() || width(rows) != width(rows_)) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
        return;
    }
    if (rows.front() != rows_.front()) {
        rows_.front() = rows.front();
        emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(width(rows_)) - 1);
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c] == rows_[r][c]) continue;
            rows_[r][c] = rows[r][c];
            const QModelIndex cell = index(static_cast<int>(r - 1), static_cast<int>(c));
            emit dataChanged(cell, cell, {Qt::DisplayRole});
        }
    }
}

int LevelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || rows_.empty() ? 0 : static_cast<int>(rows_.size() - 1);
}

int LevelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || rows_.empty() ? 0 : static_cast<int>(rows_.front().size());
}

QVariant LevelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return QString::fromStdString(rows_[static_cast<std::size_t>(index.row()) + 1]
                                       [static_cast<std::size_t>(index.column())]);
}

QVariant LevelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || rows_.empty() ||
        static_cast<std::size_t>(section) >= rows_.front().size()) {
        return {};
    }
    return QString::fromStdString(rows_.front()[static_cast<std::size_t>(section)]);
}

}  // namespace ventbox
