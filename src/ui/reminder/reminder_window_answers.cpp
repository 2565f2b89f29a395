// The reminder window's answers: each stores what it means for the next starts, as the desktop
// notification's answers do, then closes the window, which ends the run. A write that fails is told
// before the window goes.
#include "reminders/stored_answer.h"
#include "ui/reminder/reminder_window.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {

void TFRappel::closeAfterAnswer(reminders::ReminderAnswer answer) {
    const store::Result<> stored =
        reminders::storeAnswer(answer, context_.startup.dataFilePath, context_.today(), entries_);
    if (!stored)
        reportWriteFailure(context_.dialogs,
                           QStringLiteral("Votre réponse n'a pas pu être enregistrée dans le fichier"),
                           context_.startup.dataFilePath, stored.failure());
    close();
}

void TFRappel::IEButton2Click() { closeAfterAnswer(reminders::ReminderAnswer::KeepReminding); }

void TFRappel::IEButton1Click() { closeAfterAnswer(reminders::ReminderAnswer::NotBeforeNextBirthday); }

void TFRappel::IEButton3Click() { closeAfterAnswer(reminders::ReminderAnswer::QuietUntilTomorrow); }

void TFRappel::IEButton4Click() { close(); }

void TFRappel::Banner1Click() {
    // Without a new instance the user would be left with nothing: the window stays then.
    if (!context_.dialogs.startProgram({})) {
        tellProblem(context_.dialogs, QStringLiteral("La liste des anniversaires n'a pas pu être ouverte."));
        return;
    }
    close();
}

}  // namespace velorine::ui
