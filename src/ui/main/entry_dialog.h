#pragma once
// TSais, the add/modify dialog: the one window through which a birthday record is created or
// changed. The main window opens it modally in one of its two modes; the dialog checks the input
// (entry_checks.h), writes through the record store, asks for the list to be filled again and
// closes. Every showing starts from empty boxes.
//
// Designer names:
//   `Panel2` — the frame of the boxes; `Label9` — the title (add or modify)
//   `Edit1` — surname; `Edit4` — first name; `MaskEdit1` — birth date, `Label1` its format hint
//   `Edit2` — address; `Edit3` — e-mail
//   `BitBtn1` — OK: checks, stores and closes (Enter); `BitBtn2` — Annuler (Escape)

#include <QDialog>

#include "store/record_store.h"
#include "ui/main/entry_checks.h"
#include "ui/run_context.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velorine::ui {

enum class EntryMode { Add, Modify };

class TSais final : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is the window the dialog centres over; without one it centres on the screen.
    TSais(RunContext& context, QWidget* mainWindow);

    // Shows the dialog modally, empty, to add a record.
    void openToAdd();
    // Shows the dialog modally with the record to change. When the data file no longer holds it,
    // the user is told, the list is filled again and the dialog is not shown.
    void openToModify(const store::RecordIdentity& selected);

signals:
    // The data file changed: the main list must be filled again.
    void recordsChanged();

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    void buildControls();
    void FormActivate();
    void loadRecord(const store::BirthdayRecord& record);
    EntryTexts typedTexts() const;
    QLineEdit* box(EntryField field) const;
    void storeRecord(const store::BirthdayRecord& record);
    void reportVanishedRecord();
    void reportWriteFailure(store::Failure failure);

    RunContext& context_;
    QWidget* mainWindow_;
    EntryMode mode_ = EntryMode::Add;
    store::RecordIdentity selected_;        // modify mode: the record as the list shows it
    store::BirthdayRecord recordToModify_;  // modify mode: the record as the file holds it
    QChar separator_ = QLatin1Char('/');

    QFrame* Panel2 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace velorine::ui
