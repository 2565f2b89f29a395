#pragma once
// The reminder window's settings in section Options of the data file, read once when the window is
// created, each written the moment the user changes it: the picture shown, four colours, and the
// shadows and tooltips switches.
//
// Colours and switches are read with the plain integer conversion (a text without digits reads 0,
// black or off); colour numbers are kept exactly as stored and written back as signed decimal text.
// Despite their names, Pasdombre and PasHint hold 1 when shadows and tooltips are shown.

#include <array>
#include <string>
#include <string_view>

namespace velorine::ui {

enum class ReminderColour { Background, DateBlock, DateText, ListBackground };
inline constexpr int kReminderColourCount = 4;

struct ReminderWindowSettings {
    int picture = 1;                                  // Bitmap, always 1 to 8
    std::array<int, kReminderColourCount> colours{};  // indexed by ReminderColour
    bool shadows = true;                              // Pasdombre is not 0
    bool tooltips = true;                             // PasHint is not 0
};

// Every setting from one reading of the data file, the defaults for what is missing.
ReminderWindowSettings readReminderWindowSettings(const std::string& dataFilePath);

// Bitmap alone, as a click on the picture reads it.
int readReminderPicture(const std::string& dataFilePath);

// The picture shown after `shown`: the next one, 1 after 8.
int pictureAfter(int shown);

// Each setting under its key of Options. One that cannot be stored is not told: the window shows it
// all the same, and only the next start goes back to the setting before.
void writeReminderPicture(const std::string& dataFilePath, int picture);
void writeReminderColour(const std::string& dataFilePath, ReminderColour colour, int number);
void writeReminderShadows(const std::string& dataFilePath, bool shown);
void writeReminderTooltips(const std::string& dataFilePath, bool shown);

}  // namespace velorine::ui
