// SPDX-License-Identifier: GPL-3.0-or-later
#include "level_table_model.hpp"

namespace ventbox {

namespace {

QStringList qstrings(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list;
}

}  // namespace

void LevelTableModel::setRows(const std::vector<std::vector<std::string>>& rows) {
    QStringList header = rows.empty() ? QStringList() : qstrings(rows.front());
    std::vector<QStringList> body;
    for (std::size_t r = 1; r < rows.size(); ++r) body.push_back(qstrings(rows[r]));
    if (header.size() != header_.size() || body.size() != rows_.size()) {
        beginResetModel();
        header_ = std::move(header);
        rows_ = std::move(body);
        endResetModel();
        return;
    }
    if (header != header_) {
        header_ = std::move(header);
        emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(header_.size()) - 1);
    }
    for (std::size_t r = 0; r < body.size(); ++r) {
        for (qsizetype c = 0; c < body[r].size(); ++c) {
            if (body[r][c] == rows_[r][c]) continue;
            rows_[r][c] = body[r][c];
            const QModelIndex cell = index(static_cast<int>(r), static_cast<int>(c));
            emit dataChanged(cell, cell, {Qt::DisplayRole});
        }
    }
}

int LevelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LevelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant LevelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return rows_[static_cast<std::size_t>(index.row())][index.column()];
}

QVariant LevelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= header_.size()) {
        return {};
    }
    return header_[section];
}

}  // namespace ventbox
