#pragma once
// The rows of the main list, in the order they are shown. Texts stay Windows-1252 until a cell is
// drawn, so filling and sorting ten thousand rows costs no conversion.

#include <QAbstractTableModel>

#include <functional>
#include <vector>

#include "ui/main/list_row.h"

namespace velorine::ui {

class BirthdayListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using RowOrder = std::function<int(const ListRow&, const ListRow&)>;

    explicit BirthdayListModel(QObject* parent = nullptr);

    // Replaces every row, in the given order.
    void setRecords(std::vector<store::BirthdayRecord> records);
    // Sorts the rows ascending by `order` (a negative result puts the first row first); rows that
    // compare equal keep their order. Selection and current row follow their rows.
    void sortRows(const RowOrder& order);
    void removeListRow(int row);
    const ListRow& rowAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ListRow> rows_;
};

}  // namespace velorine::ui
