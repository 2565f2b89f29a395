// The list of the main window: filling, sorting, the info line, the count label, and the add,
// modify and delete commands.
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>

#include "ui/french.h"
#include "ui/main/birthday_list_model.h"
#include "ui/main/entry_dialog.h"
#include "ui/main/info_line.h"
#include "ui/main/main_window.h"
#include "ui/user_dialogs.h"

namespace velorine::ui {
namespace {

// The info line keeps to the right when the window is wide enough for it and this much more.
constexpr int kInfoLineRoom = 180;

// The count label: nothing for an empty list, "1 Anniversaire", else "<n> Velorine".
QString countText(int rows) {
    if (rows == 0) return {};
    if (rows == 1) return QStringLiteral("1 Anniversaire");
    return QStringLiteral("%1 Velorine").arg(rows);
}

}  // namespace

void TForm1::fillList() {
    model_->setRecords(store_.readAll());
    model_->sortRows([this](const ListRow& a, const ListRow& b) { return ListViewCompare(a, b); });
}

int TForm1::ListViewCompare(const ListRow& a, const ListRow& b) const { return compareRowsBy(sortColumn_, a, b); }

void TForm1::ListViewColumnClick(int column) {
    sortColumn_ = column;
    ListView->header()->setSortIndicator(column, Qt::AscendingOrder);
    model_->sortRows([this](const ListRow& a, const ListRow& b) { return ListViewCompare(a, b); });
}

std::optional<int> TForm1::selectedRow() const {
    const QModelIndexList rows = ListView->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return rows.first().row();
}

void TForm1::ListViewClick() { ListViewChange(); }

void TForm1::ListViewChange() {
    updateInfoLine();
    refreshCountLabel();
}

void TForm1::updateInfoLine() {
    const auto row = selectedRow();
    if (!row) return;
    Label2->setText(textFromCp1252(infoLineText(model_->rowAt(*row).record, context_.today())));
    Label2->adjustSize();
    keepInfoLineRight(kInfoLineRoom);
}

void TForm1::refreshCountLabel() { Label4->setText(countText(model_->rowCount())); }

bool TForm1::ListViewKeyDown(int key) {
    bool handled = false;
    if (key == Qt::Key_Delete) {
        SpeedButton2Click();
        handled = true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        SpeedButton4Click();
        handled = true;
    }
    if (key == Qt::Key_Insert) {
        SpeedButton1Click();
        handled = true;
    }
    return handled;
}

void TForm1::SpeedButton1Click() { entryDialog_->openToAdd(); }

void TForm1::SpeedButton4Click() {
    const auto row = selectedRow();
    if (!row) {
        context_.dialogs.showMessage(
            MessageIcon::Information, QStringLiteral("Attention"),
            QStringLiteral("Vous devez sélectionner l'anniversaire pour pouvoir le modifier !"));
        return;
    }
    entryDialog_->openToModify(model_->rowAt(*row).identity());
}

void TForm1::SpeedButton2Click() {
    const auto row = selectedRow();
    if (!row) {
        context_.dialogs.showMessage(MessageIcon::Information, QStringLiteral("Attention"),
                                     QStringLiteral("Vous devez sélectionner l'anniversaire avant de le supprimer !"));
        return;
    }
    const store::RecordIdentity who = model_->rowAt(*row).identity();
    const QString question =
        QStringLiteral("Voulez-vous vraiment supprimer l'anniversaire de :\n\n%1 %2 (%3) ?")
            .arg(textFromCp1252(who.firstName), textFromCp1252(who.surname), textFromCp1252(who.birthDate));
    if (!context_.dialogs.askYesNo(QStringLiteral("Confirmation"), question)) return;
    if (const store::Result<store::RecordChange> deleted = store_.deleteRecord(who); !deleted) {
        // The record is still in the file: the row stays, so the list does not pretend otherwise.
        reportWriteFailure(context_.dialogs, QStringLiteral("L'anniversaire n'a pas pu être supprimé du fichier"),
                           store_.path(), deleted.failure());
        return;
    }
    // No other row takes the selection: the info line keeps the deleted person until the user
    // picks someone else.
    ListView->selectionModel()->clear();
    model_->removeListRow(*row);
    keepCalendarUpToDate();
}

}  // namespace velorine::ui
