// The main window for the keyboard and for screen readers. Tab goes from the tool buttons to the
// info line (whose Menu key opens its colour menu), the list, the tooltip switch and the web link;
// a mouse click gives none of them the focus, and the own ones draw it only when the keyboard moved
// it there. Screen readers hear the tool buttons by their hints, and nothing of the blank margins,
// the line above the tool bar or the hidden button that Escape presses.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "ui/accessibility.h"
#include "ui/main/main_window.h"

namespace velorine::ui {

void TForm1::prepareKeyboardAndScreenReaders() {
    for (QWidget* unread : std::initializer_list<QWidget*>{Bevel1, Panel2, Panel3, Panel4, Button1})
        hideFromScreenReaders(*unread);
    announceAs(*Panel1, QAccessible::ToolBar);
    announceAs(*Status, QAccessible::StatusBar);
    ListView->setAccessibleName(QStringLiteral("Liste des anniversaires"));

    Label2->setFocusPolicy(Qt::TabFocus);
    Label2->setAccessibleDescription(QStringLiteral("Touche Menu : changer la couleur de cette ligne."));
    drawKeyboardFocus(*Label2);
    // The window opens on the list, as before the tool buttons took the focus.
    ListView->setFocus();
}

}  // namespace velorine::ui
