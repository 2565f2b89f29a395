#pragma once
// Data files for the reminder window's tests, around 6 December 2026 (a Sunday).

#include <string>
#include <vector>

#include "store/record_store.h"
#include "window_rig.h"

namespace velorine::ui::testing {

// A birthday every few days after 6 December 2026, some name days among them (Nicolas on the 6th,
// Ambroise on the 7th, Pierre-Fourier on the 9th), a horizon of 7 days.
inline std::string aWeekOfReminders() {
    const std::vector<store::BirthdayRecord> people = {
        {"Martin", "Anne", "06/12/1990", "", ""},         {"Durand", "Nicolas", "15/03/1985", "", ""},
        {"Lef\xE8vre", "Ambroise", "07/12/1950", "", ""}, {"Petit", "L\xE9on", "09/12/2001", "", ""},
        {"Roux", "Zo\xE9", "12/12/2019", "", ""},         {"Blanc", "Th\xE9o", "20/01/1999", "", ""},
    };
    return recordSection(people) + "[Rappel]\r\nJours=7\r\n";
}

}  // namespace velorine::ui::testing
