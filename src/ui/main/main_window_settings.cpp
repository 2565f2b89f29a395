#include "ui/main/main_window_settings.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "store/data_file.h"
#include "store/number_text.h"

namespace velorine::ui {
namespace {

constexpr std::string_view kLayoutSection = "Fenetre";
constexpr std::string_view kColourSection = "Options";
constexpr std::string_view kTooltipsKey = "AideRapide";
constexpr std::size_t kLayoutBufferSize = 16;
constexpr std::size_t kColourBufferSize = 20;

constexpr std::array<std::string_view, kListColumnCount> kDefaultWidths = {"90", "70", "70", "178", "207"};

struct ColourKey {
    std::string_view key;
    std::string_view defaultNumber;
};
constexpr std::array<ColourKey, kMainColourCount> kColourKeys = {{
    {"Form1Label2", "0"},
    {"Form1ListViewBack", "16777215"},
    {"Form1ListViewFore", "0"},
}};

std::string widthKey(std::size_t column) { return "Largeur" + std::to_string(column); }

}  // namespace

MainWindowSettings readMainWindowSettings(const std::string& dataFilePath) {
    const store::IniDocument doc = store::snapshot(dataFilePath);
    MainWindowSettings settings;
    for (std::size_t column = 0; column < kDefaultWidths.size(); ++column) {
        const int width = store::integerFromText(
            doc.read(kLayoutSection, widthKey(column), kDefaultWidths[column], kLayoutBufferSize));
        settings.columnWidths[column] = std::clamp(width, 0, kMaxColumnWidth);
    }
    for (std::size_t colour = 0; colour < kColourKeys.size(); ++colour)
        settings.colours[colour] = store::integerFromText(
            doc.read(kColourSection, kColourKeys[colour].key, kColourKeys[colour].defaultNumber, kColourBufferSize));
    settings.tooltipsOff = doc.read(kLayoutSection, kTooltipsKey, "0", kLayoutBufferSize).starts_with('1');
    return settings;
}

void writeMainWindowLayout(const std::string& dataFilePath, const ColumnWidths& widths, bool tooltipsOff) {
    // Written as the window closes: a message box then would hold up the end of the run for a layout.
    std::ignore = store::commit(dataFilePath, [&](store::IniDocument& doc) {
        for (std::size_t column = 0; column < widths.size(); ++column)
            doc.write(kLayoutSection, widthKey(column), std::to_string(widths[column]));
        doc.write(kLayoutSection, kTooltipsKey, tooltipsOff ? "1" : "0");
    });
}

void writeMainWindowColour(const std::string& dataFilePath, MainColour colour, int number) {
    // Only the look of the next start: not worth a message box in the middle of a choice.
    std::ignore = store::writeValue(dataFilePath, kColourSection, kColourKeys[static_cast<std::size_t>(colour)].key,
                                    std::to_string(number));
}

}  // namespace velorine::ui
