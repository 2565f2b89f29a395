#pragma once
// The small dialogs of the address-book exchange, owned by the main window and centred over it:
//   CalendarExportDialog  before the calendar is written: whether to add the name days, and the
//                         alarm;
//   CalendarUpkeepDialog  the option "Tenir à jour un agenda des anniversaires": where the kept
//                         calendar goes, whether to add the name days, and the alarm;
//   ImportSummaryDialog   after an import: what was added and which cards were not taken, in a
//                         box that scrolls, since a book may hold hundreds of cards.

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace velorine::ui {

class UserDialogs;

// What both calendar dialogs ask: the name days and the alarm's days before (0: none).
struct CalendarChoice {
    bool nameDays = false;
    int alarmDays = 0;
};

class CalendarExportDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CalendarExportDialog(QWidget* mainWindow);
    // Shown modally with `preset`; the user's choice, or nothing when they cancel.
    std::optional<CalendarChoice> ask(const CalendarChoice& preset);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* mainWindow_;
    QCheckBox* CheckBoxFetes = nullptr;
    QSpinBox* SpinAlarme = nullptr;
};

struct KeptCalendarChoice {
    QString path;
    CalendarChoice content;
};

class CalendarUpkeepDialog final : public QDialog {
    Q_OBJECT
public:
    CalendarUpkeepDialog(QWidget* mainWindow, UserDialogs& dialogs);
    // Shown modally with `preset`; the user's choice (a path without line breaks, never empty), or
    // nothing when they cancel.
    std::optional<KeptCalendarChoice> ask(const KeptCalendarChoice& preset);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BoutonParcourirClick();

    QWidget* mainWindow_;
    UserDialogs& dialogs_;
    QLineEdit* EditFichier = nullptr;
    QCheckBox* CheckBoxFetes = nullptr;
    QSpinBox* SpinAlarme = nullptr;
};

class ImportSummaryDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ImportSummaryDialog(QWidget* mainWindow);
    // Shown modally with the summary, UTF-8.
    void showSummary(const std::string& summary);
    QString summaryText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* mainWindow_;
    QPlainTextEdit* Resume = nullptr;
};

}  // namespace velorine::ui
