#include "ui/main/birthday_list_model.h"

#include <algorithm>
#include <numeric>

#include "store/dates.h"
#include "ui/french.h"

namespace velorine::ui {

const std::string& ListRow::text(int column) const {
    switch (column) {
        case 1: return record.firstName;
        case 2: return record.birthDate;
        case 3: return record.address;
        case 4: return record.email;
        default: return record.surname;
    }
}

store::RecordIdentity ListRow::identity() const { return {record.surname, record.firstName, record.birthDate}; }

ListRow listRowFor(store::BirthdayRecord record) {
    const auto date = store::scanSlashedDate(record.birthDate);
    std::string key = date ? store::comparisonKey(*date) : std::string();
    return {std::move(record), std::move(key)};
}

namespace {

constexpr int kBirthDateColumn = 2;

int codeAt(std::string_view text, std::size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0; }

}  // namespace

int compareCp1252Texts(std::string_view a, std::string_view b) {
    const std::size_t length = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const int difference = codeAt(a, i) - codeAt(b, i);
        if (difference != 0) return difference;
    }
    return 0;
}

int compareRowsBy(int column, const ListRow& a, const ListRow& b) {
    if (column == kBirthDateColumn) return compareCp1252Texts(a.birthDateKey, b.birthDateKey);
    return compareCp1252Texts(a.text(column), b.text(column));
}

BirthdayListModel::BirthdayListModel(QObject* parent) : QAbstractTableModel(parent) {}

void BirthdayListModel::setRecords(std::vector<store::BirthdayRecord> records) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(records.size());
    for (auto& record : records) rows_.push_back(listRowFor(std::move(record)));
    endResetModel();
}

void BirthdayListModel::sortRows(const RowOrder& order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<std::size_t> oldRowOf(rows_.size());
    std::iota(oldRowOf.begin(), oldRowOf.end(), std::size_t{0});
    std::stable_sort(oldRowOf.begin(), oldRowOf.end(),
                     [&](std::size_t a, std::size_t b) { return order(rows_[a], rows_[b]) < 0; });

    std::vector<ListRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newRowOf(rows_.size());
    for (std::size_t position = 0; position < oldRowOf.size(); ++position) {
        sorted.push_back(std::move(rows_[oldRowOf[position]]));
        newRowOf[oldRowOf[position]] = static_cast<int>(position);
    }
    rows_ = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRowOf[static_cast<std::size_t>(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void BirthdayListModel::removeListRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

int BirthdayListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BirthdayListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kListColumnCount; }

QVariant BirthdayListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return textFromCp1252(rowAt(index.row()).text(index.column()));
}

QVariant BirthdayListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const QStringList kTitles = {QStringLiteral("Nom"), QStringLiteral("Prénom"), QStringLiteral("Naissance"),
                                        QStringLiteral("Adresse"), QStringLiteral("E-mail")};
    return section >= 0 && section < kTitles.size() ? QVariant(kTitles.at(section)) : QVariant();
}

}  // namespace velorine::ui
