// The reminder window's appearance: the picture that changes at every creation and click, the four
// colours, the black shadows of the date texts and the tooltips. Applied once at creation from the
// data file; each command changes the window and writes its key at once.
#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QToolTip>

#include "controls/ie_button.h"
#include "ui/accessibility.h"
#include "ui/design.h"
#include "ui/notification_option.h"
#include "ui/pictures.h"
#include "ui/reminder/reminder_window.h"

namespace velorine::ui {
namespace {

std::size_t indexOf(ReminderColour colour) { return static_cast<std::size_t>(colour); }

}  // namespace

void TFRappel::FormCreate() {
    const ReminderWindowSettings settings = readReminderWindowSettings(context_.startup.dataFilePath);
    showPicture(settings.picture);
    for (ReminderColour colour : {ReminderColour::Background, ReminderColour::DateBlock, ReminderColour::DateText,
                                  ReminderColour::ListBackground})
        showColour(colour, settings.colours[indexOf(colour)]);
    Pasdombrepourlestextes1->setChecked(!settings.shadows);
    showShadows(settings.shadows);
    MenuItem6->setChecked(!settings.tooltips);
    showTooltips(settings.tooltips);
    Merappelerparunenotificationdubureau1->setChecked(context_.startup.notificationReminders);
    Group2->move(48, 128);
    Panel3->move(56, 144);
}

void TFRappel::showPicture(int number) {
    showSharp(*Image4, [number](qreal ratio) { return reminderPicture(number, ratio); });
    Image4->setAccessibleName(QStringLiteral("Image %1 sur %2").arg(number).arg(kReminderPictureCount));
    writeReminderPicture(context_.startup.dataFilePath, pictureAfter(number));
}

void TFRappel::Image4Click() { showPicture(readReminderPicture(context_.startup.dataFilePath)); }

void TFRappel::showColour(ReminderColour colour, int number) {
    colourNumbers_[indexOf(colour)] = number;
    switch (colour) {
        case ReminderColour::Background: setPaletteColour(*Panel1, QPalette::Window, number); break;
        case ReminderColour::DateBlock:
            // Without a colour of its own the block lets the background show through, whatever it becomes.
            Panel2->setAutoFillBackground(number != kNoColourNumber);
            setPaletteColour(*Panel2, QPalette::Window, number);
            break;
        case ReminderColour::DateText:
            for (QLabel* text : {Label2, Label3, Label4}) setPaletteColour(*text, QPalette::WindowText, number);
            break;
        case ReminderColour::ListBackground: setPaletteColour(*ListBox1, QPalette::Base, number); break;
    }
}

QColor TFRappel::colourShown(ReminderColour colour) const {
    switch (colour) {
        case ReminderColour::Background: return Panel1->palette().color(QPalette::Window);
        case ReminderColour::DateBlock:
            return (colourNumbers_[indexOf(colour)] == kNoColourNumber ? Panel1 : Panel2)
                ->palette()
                .color(QPalette::Window);
        case ReminderColour::DateText: return Label3->palette().color(QPalette::WindowText);
        case ReminderColour::ListBackground: return ListBox1->palette().color(QPalette::Base);
    }
    return {};
}

void TFRappel::chooseColour(ReminderColour colour) {
    const int stored = colourNumbers_[indexOf(colour)];
    const QColor shown = colourShown(colour);
    const QColor chosen = context_.dialogs.chooseColour(shown);
    // Cancelling answers the preset: the number is written again as it was stored, top byte and
    // "no colour of its own" included.
    showColour(colour, chosen == shown ? stored : static_cast<int>(numberFromColour(chosen)));
    writeReminderColour(context_.startup.dataFilePath, colour, colourNumbers_[indexOf(colour)]);
}

void TFRappel::Changerlacouleurdufond2Click() { chooseColour(ReminderColour::Background); }
void TFRappel::MenuItem5Click() { chooseColour(ReminderColour::DateBlock); }
void TFRappel::MenuItem4Click() { chooseColour(ReminderColour::DateText); }
void TFRappel::MenuItem7Click() { chooseColour(ReminderColour::ListBackground); }

void TFRappel::showShadows(bool shown) {
    for (QLabel* shadow : {Label14, Label15, Label16}) shadow->setVisible(shown);
}

void TFRappel::Pasdombrepourlestextes1Click() {
    const bool shown = !Pasdombrepourlestextes1->isChecked();
    showShadows(shown);
    writeReminderShadows(context_.startup.dataFilePath, shown);
}

void TFRappel::showTooltips(bool shown) {
    const auto tip = [shown](const char* text) { return shown ? QString::fromUtf8(text) : QString(); };
    IEButton2->setToolTip(tip("Je continue à vous rappeler les velorine"));
    IEButton1->setToolTip(tip("Ils ne vous seront rappelés qu'au prochain anniversaire"));
    IEButton3->setToolTip(tip("Les rappels reprendront demain"));
    Panel2->setToolTip(tip("Faites un clic droit"));
    if (!shown) QToolTip::hideText();
}

void TFRappel::MenuItem6Click() {
    const bool shown = !MenuItem6->isChecked();
    showTooltips(shown);
    writeReminderTooltips(context_.startup.dataFilePath, shown);
}

void TFRappel::Merappelerparunenotificationdubureau1Click() {
    notificationOptionChosen(context_, *Merappelerparunenotificationdubureau1);
}

}  // namespace velorine::ui
