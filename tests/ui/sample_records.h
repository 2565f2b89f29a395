#pragma once
// The people the window tests fill their lists with (texts in Windows-1252, as stored).

#include "store/record_store.h"

namespace velorine::ui::testing {

inline const store::BirthdayRecord kJean{"Dupont", "Jean", "10/03/1990", "3 rue des Lilas, Lyon", "jean@dupont.fr"};
inline const store::BirthdayRecord kAnne{"Martin", "Anne", "21/06/1985", "", "anne@martin.fr"};
// Born on 29 February, with an accent in his first name.
inline const store::BirthdayRecord kLeon{"Petit", "L\xE9on", "29/02/2000", "", ""};

}  // namespace velorine::ui::testing
