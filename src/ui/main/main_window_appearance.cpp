// The main window's appearance: its three colours, the widths of the list columns, the tooltip
// switch, and the info line kept at the right-hand side. Restored once at creation, the layout
// saved once at close, each colour written the moment it is chosen.
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QToolTip>
#include <QTreeView>

#include "ui/design.h"
#include "ui/main/main_window.h"

namespace velorine::ui {
namespace {

// A resize keeps the info line at the right when the window is wider than it by this much.
constexpr int kResizeRoom = 260;
constexpr int kInfoLineRightMargin = 20;

std::size_t indexOf(MainColour colour) { return static_cast<std::size_t>(colour); }

}  // namespace

void TForm1::connectAppearanceCommands() {
    connect(Changerlacouleurdutexte1, &QAction::triggered, this, &TForm1::Changerlacouleurdutexte1Click);
    connect(Changerlacouleurdufond1, &QAction::triggered, this, &TForm1::Changerlacouleurdufond1Click);
    connect(Changerlacouleurdutexte2, &QAction::triggered, this, &TForm1::Changerlacouleurdutexte2Click);
    // Every change counts, also the one made when the choice is restored.
    connect(CheckBox4, &QCheckBox::toggled, this, &TForm1::CheckBox4Click);
}

void TForm1::restoreAppearance() {
    const MainWindowSettings settings = readMainWindowSettings(store_.path());
    // A stored width is the width, even below the style's usual minimum, down to a hidden 0.
    ListView->header()->setMinimumSectionSize(0);
    for (int column = 0; column < kListColumnCount; ++column)
        ListView->setColumnWidth(column, settings.columnWidths[static_cast<std::size_t>(column)]);
    for (MainColour colour : {MainColour::InfoLineText, MainColour::ListBackground, MainColour::ListText})
        showColour(colour, settings.colours[indexOf(colour)]);
    if (settings.tooltipsOff) CheckBox4->setChecked(true);
}

void TForm1::showColour(MainColour colour, int number) {
    colourNumbers_[indexOf(colour)] = number;
    switch (colour) {
        case MainColour::InfoLineText: setPaletteColour(*Label2, QPalette::WindowText, number); break;
        case MainColour::ListBackground: setPaletteColour(*ListView, QPalette::Base, number); break;
        case MainColour::ListText: setPaletteColour(*ListView, QPalette::Text, number); break;
    }
}

void TForm1::chooseColour(MainColour colour) {
    const int stored = colourNumbers_[indexOf(colour)];
    const QColor chosen = context_.dialogs.chooseColour(colourFromNumber(stored));
    // Cancelling answers the preset: the number is written again unchanged.
    showColour(colour, colourNumberAfterChoice(stored, chosen));
    writeMainWindowColour(store_.path(), colour, colourNumbers_[indexOf(colour)]);
}

void TForm1::Changerlacouleurdutexte1Click() { chooseColour(MainColour::InfoLineText); }
void TForm1::Changerlacouleurdufond1Click() { chooseColour(MainColour::ListBackground); }
void TForm1::Changerlacouleurdutexte2Click() { chooseColour(MainColour::ListText); }

void TForm1::CheckBox4Click() {
    toggleTooltips();
    if (!tooltipsShown()) QToolTip::hideText();
}

void TForm1::saveLayout() {
    ColumnWidths widths{};
    for (int column = 0; column < kListColumnCount; ++column)
        widths[static_cast<std::size_t>(column)] = ListView->columnWidth(column);
    writeMainWindowLayout(store_.path(), widths, CheckBox4->isChecked());
}

void TForm1::FormClose() {
    if (!layoutSettled_) saveLayout();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::FormResize() { keepInfoLineRight(kResizeRoom); }

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::keepInfoLineRight(int room) {
    if (width() > Label2->width() + room) Label2->move(width() - Label2->width() - kInfoLineRightMargin, Label2->y());
}

}  // namespace velorine::ui
