#include "ui/main/list_row.h"

#include "store/dates.h"

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

}  // namespace velorine::ui
