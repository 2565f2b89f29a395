// The main window's commands that leave the list alone: quit, the quick help, the about box, the
// reminder window, the reminder schedule, the name-day and notification options and the web site.
#include <QAction>
#include <QLabel>
#include <QUrl>

#include <tuple>

#include "store/data_file.h"
#include "ui/design.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "ui/main/main_window.h"
#include "ui/main/site_address.h"
#include "ui/notification_option.h"
#include "ui/reminder/schedule_dialog.h"

namespace velorine::ui {

void TForm1::SpeedButton3Click() { close(); }

void TForm1::SpeedButton5Click() {
    if (helpWindow_) helpWindow_->exec();
}

void TForm1::SpeedButton7Click() {
    if (aboutBox_) aboutBox_->exec();
}

void TForm1::SpeedButton8Click() {
    // The new instance shows the reminder window; whether it started or not, this one ends.
    context_.dialogs.startProgram({QStringLiteral("RAPPEL")});
    close();
}

// The dialog writes its own choice; its answer tells this window nothing.
void TForm1::SpeedButton6Click() { scheduleDialog_->exec(); }

void TForm1::NepasmerappelerlesftesSaintdujour1Click() {
    const bool ticked = NepasmerappelerlesftesSaintdujour1->isChecked();
    context_.startup.nameDayReminders = !ticked;
    // This run follows the tick either way; a choice that could not be stored is only not the one
    // the next start finds, and its menu shows which that is.
    std::ignore = store::writeValue(store_.path(), "Options", "RappelFete", ticked ? "0" : "1");
}

void TForm1::Merappelerparunenotificationdubureau1Click() {
    notificationOptionChosen(context_, *Merappelerparunenotificationdubureau1);
}

void TForm1::Label3Click() {
    if (!context_.dialogs.openUrl(siteUrl()))
        context_.dialogs.showMessage(MessageIcon::Warning, QStringLiteral("Information"),
                                     QStringLiteral("Vous n'avez pas de logiciel d'accès à Internet...\n"
                                                    "...ou je ne l'ai pas trouvé !"));
}

void TForm1::Label3MouseMove() { setLinkColour(kRedNumber); }

void TForm1::FormMouseMove() {
    setLinkColour(kBlueNumber);
    refreshCountLabel();
}

}  // namespace velorine::ui
