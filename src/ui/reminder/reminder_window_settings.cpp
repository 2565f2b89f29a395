#include "ui/reminder/reminder_window_settings.h"

#include <charconv>
#include <tuple>

#include "store/data_file.h"
#include "store/number_text.h"
#include "ui/pictures.h"

namespace velorine::ui {
namespace {

constexpr std::string_view kSection = "Options";
constexpr std::size_t kBufferSize = 20;
constexpr std::string_view kPictureKey = "Bitmap";
constexpr std::string_view kShadowsKey = "Pasdombre";
constexpr std::string_view kTooltipsKey = "PasHint";

struct ColourKey {
    std::string_view key;
    std::string_view defaultNumber;
};
constexpr std::array<ColourKey, kReminderColourCount> kColourKeys = {{
    {"FRappelPanel1", "2146500606"},    // pale ivory
    {"FRappelPanel2", "536870911"},     // no colour of its own
    {"FRappelLabel2", "255"},           // red
    {"FRappelListBox1", "2143748094"},  // pale yellow
}};

void writeSetting(const std::string& dataFilePath, std::string_view key, int number) {
    // Only the look of the next start: not worth a message box in the middle of a choice.
    std::ignore = store::writeValue(dataFilePath, kSection, key, std::to_string(number));
}

// The picture a stored Bitmap text stands for: a whole number from 1 to 8, else picture 1.
int pictureNumberFrom(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool whole = error == std::errc() && end == text.data() + text.size();
    return whole && number >= 1 && number <= kReminderPictureCount ? number : 1;
}

}  // namespace

ReminderWindowSettings readReminderWindowSettings(const std::string& dataFilePath) {
    const store::IniDocument doc = store::snapshot(dataFilePath);
    const auto read = [&](std::string_view key, std::string_view defaultText) {
        return doc.read(kSection, key, defaultText, kBufferSize);
    };
    ReminderWindowSettings settings;
    settings.picture = pictureNumberFrom(read(kPictureKey, "1"));
    for (std::size_t colour = 0; colour < kColourKeys.size(); ++colour)
        settings.colours[colour] =
            store::integerFromText(read(kColourKeys[colour].key, kColourKeys[colour].defaultNumber));
    settings.shadows = store::integerFromText(read(kShadowsKey, "1")) != 0;
    settings.tooltips = store::integerFromText(read(kTooltipsKey, "1")) != 0;
    return settings;
}

int readReminderPicture(const std::string& dataFilePath) {
    return pictureNumberFrom(store::readValue(dataFilePath, kSection, kPictureKey, "1", kBufferSize));
}

int pictureAfter(int shown) { return shown >= kReminderPictureCount ? 1 : shown + 1; }

void writeReminderPicture(const std::string& dataFilePath, int picture) {
    writeSetting(dataFilePath, kPictureKey, picture);
}

void writeReminderColour(const std::string& dataFilePath, ReminderColour colour, int number) {
    writeSetting(dataFilePath, kColourKeys[static_cast<std::size_t>(colour)].key, number);
}

void writeReminderShadows(const std::string& dataFilePath, bool shown) {
    writeSetting(dataFilePath, kShadowsKey, shown ? 1 : 0);
}

void writeReminderTooltips(const std::string& dataFilePath, bool shown) {
    writeSetting(dataFilePath, kTooltipsKey, shown ? 1 : 0);
}

}  // namespace velorine::ui
