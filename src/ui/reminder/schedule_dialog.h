#pragma once
// TForm2, the reminder schedule dialog: how many days ahead the reminders announce birthdays and
// name days, kept as Rappel/Jours in the data file. Two fixed choices, the day before ("1") and a
// week before ("7"), and a custom number of days written exactly as the user typed it; the
// reminder engine reads that text as it reads every number (store::integerFromText).
//
// Every showing centres the dialog and loads the stored choice again; while the key is absent the
// options and the field keep whatever state they had. Only OK writes, in one commit. A write that
// fails is told to the user and the dialog stays open, so the choice is not lost in silence.
//
// Designer names:
//   `Image2`, `Image1` — the program's icon twice, decoration
//   `GroupBox1` — "Me rappeler les velorine": `RadioButton1` "La veille" (1 day),
//       `RadioButton2` "Une semaine avant" (7 days), `RadioButton3` "Personnalisé": `Edit1` the number
//       of days, `Label1` "jours avant"
//   `Panel1` — the frame behind the buttons; `BitBtn1` — OK: stores the choice; `BitBtn2` — Annuler

#include <QDialog>

#include <optional>
#include <string>

#include "store/failure.h"
#include "ui/run_context.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velorine::ui {

class TForm2 final : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is the window the dialog centres over; without one (the reminder mode has no
    // main window) it centres on the screen. Loads the stored choice once here already.
    TForm2(RunContext& context, QWidget* mainWindow);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    void buildControls();
    void connectOptions();
    void FormActivate();
    void loadStoredChoice();
    // The text OK writes; nothing when the field holds a character the data file cannot hold.
    std::optional<std::string> chosenText() const;
    void reportUnstorableCharacter();
    void reportWriteFailure(store::Failure failure);

    RunContext& context_;
    QWidget* mainWindow_;

    QLabel* Image2 = nullptr;
    QLabel* Image1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace velorine::ui
