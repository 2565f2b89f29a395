#include "ui/main/data_file_reach.h"

#include "store/data_file.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

// The causes for which the first change would be refused too: the list cannot be had at all.
bool refusesEveryChange(store::Failure failure) {
    return failure == store::Failure::DanglingLink || failure == store::Failure::ForeignLink ||
           failure == store::Failure::NotSettings;
}

}  // namespace

std::optional<QString> unreachableListText(const std::string& dataFilePath) {
    const store::Failure failure = store::readSnapshot(dataFilePath).failure();
    if (!refusesEveryChange(failure)) return std::nullopt;
    return QStringLiteral(
               "La liste des anniversaires ne peut pas être lue ; le fichier est laissé tel quel :\n%1\n\n%2")
        .arg(QString::fromStdString(dataFilePath), writeFailureText(failure, dataFilePath));
}

}  // namespace velorine::ui
