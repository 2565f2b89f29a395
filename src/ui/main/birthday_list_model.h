#pragma once
// The main list: its rows, their order, and the model that shows them.
//
// One row of the main list: a record as the data file holds it (Windows-1252), tied to its slot
// only by surname, first name and birth date. Columns: 0 "Nom", 1 "Prénom", 2 "Naissance",
// 3 "Adresse", 4 "E-mail".

#include <QAbstractTableModel>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_store.h"

namespace velorine::ui {

inline constexpr int kListColumnCount = 5;

struct ListRow {
    store::BirthdayRecord record;
    std::string birthDateKey;  // "%04d%02d%02d" of the birth date; empty when it does not read as a date

    const std::string& text(int column) const;
    store::RecordIdentity identity() const;
};

ListRow listRowFor(store::BirthdayRecord record);

// The order of the main list: always ascending by one column, texts compared byte by byte as
// Windows-1252 codes (so capitals before small letters, accented letters after "z", an empty text
// first). The birth-date column compares "%04d%02d%02d" keys, so the oldest person comes first;
// rows whose date does not read as day/month/year have an empty key and come before all others.

// Negative, zero or positive, as strcmp on the unsigned byte codes: the difference of the first
// codes that differ, a text that ends first counting as a code 0.
int compareCp1252Texts(std::string_view a, std::string_view b);

int compareRowsBy(int column, const ListRow& a, const ListRow& b);

// The rows of the main list, in the order they are shown. Texts stay Windows-1252 until a cell is
// drawn, so filling and sorting ten thousand rows costs no conversion.

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
