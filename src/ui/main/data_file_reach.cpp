#include "ui/main/data_file_reach.h"

#include "store/data_file.h"
#include "ui/write_failure.h"

namespace velorine::ui {
namespace {

// The read failures that a commit would refuse with the same cause.
std::optional<store::WriteFailure> refusalFor(store::ReadFailure failure) {
    switch (failure) {
        case store::ReadFailure::DanglingLink: return store::WriteFailure::DanglingLink;
        case store::ReadFailure::ForeignLink: return store::WriteFailure::ForeignLink;
        case store::ReadFailure::NotSettings: return store::WriteFailure::NotSettings;
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<QString> unreachableListText(const std::string& dataFilePath) {
    store::ReadFailure failure = store::ReadFailure::None;
    store::readSnapshot(dataFilePath, failure);
    const auto refusal = refusalFor(failure);
    if (!refusal) return std::nullopt;
    return QStringLiteral(
               "La liste des anniversaires ne peut pas être lue ; le fichier est laissé tel quel :\n%1\n\n%2")
        .arg(QString::fromStdString(dataFilePath), writeFailureText(*refusal, dataFilePath));
}

}  // namespace velorine::ui
