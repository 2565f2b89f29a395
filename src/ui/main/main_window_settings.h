#pragma once
// The main window's settings in the data file: the widths of the five list columns and the
// "Pas de bulles d'aide rapide" choice (section Fenetre, saved when the window closes), and its
// three colours (section Options, saved the moment one is chosen).
//
// Numbers are read with the plain integer conversion, so a text without digits reads 0. Colours
// are colour numbers, kept exactly as stored (a negative number or a top byte included) and written
// back as signed decimal text.

#include <array>
#include <string>

#include "ui/main/birthday_list_model.h"

namespace velorine::ui {

enum class MainColour { InfoLineText, ListBackground, ListText };
inline constexpr int kMainColourCount = 3;

// A stored width beyond this is not a width anyone chose; five of them could not be added up.
inline constexpr int kMaxColumnWidth = 10000;

using ColumnWidths = std::array<int, kListColumnCount>;

struct MainWindowSettings {
    ColumnWidths columnWidths{};                  // each within 0..kMaxColumnWidth
    std::array<int, kMainColourCount> colours{};  // indexed by MainColour
    bool tooltipsOff = false;                     // the check box is ticked
};

// Every setting from one reading of the data file, the defaults for what is missing.
MainWindowSettings readMainWindowSettings(const std::string& dataFilePath);

// Largeur0 ... Largeur4, then AideRapide "1" or "0", in one commit. Not told when it cannot be
// stored: the layout is written as the window closes, and the next start only opens with the one
// before.
void writeMainWindowLayout(const std::string& dataFilePath, const ColumnWidths& widths, bool tooltipsOff);

// The colour under its key of Options. Not told when it cannot be stored: the window shows it all
// the same, and only the next start goes back to the colour before.
void writeMainWindowColour(const std::string& dataFilePath, MainColour colour, int number);

}  // namespace velorine::ui
