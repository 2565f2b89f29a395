#include "ui/main/kept_calendar.h"

#include <QFile>

#include <cstdio>

#include "app/terminal_text.h"
#include "contacts/calendar_upkeep.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

const QString kNotUpdated = QStringLiteral("L'agenda des anniversaires n'a pas pu être mis à jour");

QString causeOf(const contacts::CalendarUpkeep& upkeep) {
    if (upkeep.refusal != contacts::CalendarTargetRefusal::None)
        return QStringLiteral(
            "Ce fichier n'est pas un agenda : il n'est pas remplacé. Choisissez un autre fichier dans le menu "
            "Options, « Tenir à jour un agenda des anniversaires ».");
    return writeFailureText(upkeep.failure, upkeep.path);
}

}  // namespace

bool keepCalendarUpToDate(const std::string& dataFilePath, UserDialogs& dialogs) {
    return tellCalendarUpkeep(contacts::keepCalendarUpToDate(dataFilePath), dialogs);
}

bool tellCalendarUpkeep(const contacts::CalendarUpkeep& upkeep, UserDialogs& dialogs) {
    if (upkeep.result != contacts::UpkeepResult::Failed) return true;
    tellProblem(
        dialogs,
        QStringLiteral("%1 :\n%2\n\n%3").arg(kNotUpdated, QFile::decodeName(upkeep.path.c_str()), causeOf(upkeep)));
    return false;
}

void CalendarAcrossSwap::keep(const std::string& dataFilePath) { lines_ = contacts::calendarUpkeepLines(dataFilePath); }

void CalendarAcrossSwap::bringUpToDate(const std::string& dataFilePath) const {
    if (const store::Result<> carried = contacts::carryCalendarUpkeep(dataFilePath, lines_); !carried)
        std::fprintf(stderr, "velorine : l'option de l'agenda n'a pas pu être gardée : %s\n",
                     writeFailureText(carried.failure(), dataFilePath).toUtf8().constData());
    const contacts::CalendarUpkeep upkeep = contacts::keepCalendarUpToDate(dataFilePath);
    if (upkeep.result != contacts::UpkeepResult::Failed) return;
    std::fprintf(stderr, "velorine : %s (« %s ») : %s\n", kNotUpdated.toUtf8().constData(),
                 app::terminalText(upkeep.path).c_str(), causeOf(upkeep).toUtf8().constData());
}

}  // namespace velorine::ui
