#pragma once
// The two small dialogs of the address-book exchange, owned by the main window and centred over it:
//   CalendarExportDialog  before the calendar is written: whether to add the name days;
//   ImportSummaryDialog   after an import: what was added and which cards were not taken, in a
//                         box that scrolls, since a book may hold hundreds of cards.

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;

namespace velorine::ui {

class CalendarExportDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CalendarExportDialog(QWidget* mainWindow);
    // Shown modally, the box ticked as `nameDays` says; true when the user goes on.
    bool ask(bool nameDays);
    bool nameDaysChosen() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* mainWindow_;
    QCheckBox* CheckBoxFetes = nullptr;
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
