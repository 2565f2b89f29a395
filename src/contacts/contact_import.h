#pragma once
// The records of an address book added to a data file: one commit, holes first, then the end of
// the list, and no one twice.
//
// A card whose surname, first name and birth date equal a record's already in the list (or an
// earlier card's), letter case aside, is not added. The comparison is made on the file as it is
// under the commit's lock, so an import that races another instance's still adds no one twice, and
// importing the same book again adds nothing.

#include <string>
#include <tuple>
#include <vector>

#include "contacts/vcard_reader.h"
#include "store/failure.h"
#include "store/ini_document.h"

namespace velorine::contacts {

struct ImportOutcome {
    bool stored = false;  // false: the data file could not be written and is unchanged
    store::Failure failure = store::Failure::None;
    int added = 0;
    int alreadyThere = 0;
};

ImportOutcome importCards(const std::string& dataFilePath, const std::vector<ContactCard>& cards);

// The same on a document being edited, for a caller whose commit does more than the import. Only
// `added` and `alreadyThere` are set.
ImportOutcome importCardsIn(store::IniDocument& doc, const std::vector<ContactCard>& cards);

// How the import tells people apart: surname and first name letter case aside, and the birth day
// ("1/3/1990" is "01/03/1990").
using PersonKey = std::tuple<std::string, std::string, std::string>;
PersonKey personKeyOf(const store::BirthdayRecord& record);

}  // namespace velorine::contacts
