#pragma once
// One row of the main list: a record as the data file holds it (Windows-1252), tied to its slot
// only by surname, first name and birth date. Columns: 0 "Nom", 1 "Prénom", 2 "Naissance",
// 3 "Adresse", 4 "E-mail".

#include <string>

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

}  // namespace velorine::ui
