// The reminder window for the keyboard and for screen readers. Tab goes from the reminder list to
// the answers, the banner, the picture and the date block, which draw their focus only when the
// keyboard moved it there; Space or Enter acts on them. On the date block the arrows move the date
// by a day, and the Menu key (or Shift+F10) opens its menu; in the date picker Page Up and Page
// Down step the month, with Ctrl the year, Enter takes the day and Escape closes the picker.
// Screen readers read each text once: the date block is named by its date, whose three texts and
// their shadows they leave out with the icons and the picker's shadow.
#include <QCalendarWidget>
#include <QFrame>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTableView>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "ui/accessibility.h"
#include "ui/reminder/reminder_window.h"

namespace velorine::ui {

void TFRappel::prepareKeyboardAndScreenReaders() {
    for (QWidget* part :
         std::initializer_list<QWidget*>{Label2, Label3, Label4, Label14, Label15, Label16, Image1, Image2, Panel3})
        hideFromScreenReaders(*part);
    Panel2->setAccessibleDescription(
        QStringLiteral("Flèches gauche et droite : un jour plus tôt ou plus tard. "
                       "Touche Menu : les autres commandes de la date."));
    UpDown2->nameArrows(QStringLiteral("Jour précédent"), QStringLiteral("Jour suivant"));
    UpDown1->nameArrows(QStringLiteral("Année précédente"), QStringLiteral("Année suivante"));
    UpDown3->nameArrows(QStringLiteral("Mois précédent"), QStringLiteral("Mois suivant"));
    ListBox1->setAccessibleName(QStringLiteral("Liste des rappels"));

    const std::initializer_list<QWidget*> stops{ListBox1, IEButton2, IEButton1, IEButton3, IEButton4,
                                                Banner1,  Image4,    Panel2,    Calendar1};
    for (QWidget* stop : stops) {
        if (stop->focusPolicy() == Qt::NoFocus) stop->setFocusPolicy(Qt::TabFocus);
    }
    for (QWidget* own : std::initializer_list<QWidget*>{IEButton2, IEButton1, IEButton3, IEButton4, Banner1, Panel2})
        drawKeyboardFocus(*own);
    for (auto stop = stops.begin(); stop + 1 != stops.end(); ++stop) setTabOrder(*stop, *(stop + 1));
    Panel2->installEventFilter(this);
    Calendar1->focusProxy()->installEventFilter(this);
    forgetCalendarDay();
    // The window opens on the reminders, as before any of the above.
    ListBox1->setFocus();
}

bool TFRappel::dateBlockKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::NoModifier) return false;
    switch (key.key()) {
        case Qt::Key_Left: UpDown2->step(TUDBtnType::btPrev); return true;
        case Qt::Key_Right: UpDown2->step(TUDBtnType::btNext); return true;
        default: return false;
    }
}

bool TFRappel::datePickerKey(const QKeyEvent& key) {
    TUpDown* arrows = key.modifiers() == Qt::ControlModifier ? UpDown1 : UpDown3;
    switch (key.key()) {
        case Qt::Key_PageUp: arrows->step(TUDBtnType::btPrev); return true;
        case Qt::Key_PageDown: arrows->step(TUDBtnType::btNext); return true;
        case Qt::Key_Escape: hideDatePicker(); return true;
        default: return false;
    }
}

void TFRappel::forgetCalendarDay() {
    if (auto* days = qobject_cast<QTableView*>(Calendar1->focusProxy())) days->selectionModel()->clearCurrentIndex();
}

}  // namespace velorine::ui
