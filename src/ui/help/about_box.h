#pragma once
// TAboutBox, the about box: the program's name and version, the maker's address, and a mail icon
// that opens a ready-made draft to the maker in the user's mail program. Created once, shown
// modally from the main window.
//
// Every showing writes the draft (mail_draft.h) into the program's private folder and shows the
// mail icon only when the draft is there and the desktop has a program for mail files; the box
// works the same without either. OK deletes the draft; closing the box any other way keeps it.
//
// Designer names:
//   `Image1` — the program's icon; `Bevel1` — the frame around the texts
//   `Label1` — "Velorine"; `Label2` — "Version 2.0"
//   `Edit1` — the author's e-mail address, editable but never read
//   `Image2` — the mail icon, hidden at first; a click opens a mail draft to the author
//   `BitBtn1` — OK: deletes the draft and closes the box

#include <QDialog>

#include <string>

#include "ui/help/mail_draft.h"
#include "ui/run_context.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velorine::ui {

class ClickableLabel;

class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is the window the box centres over; without one it centres on the screen. The
    // draft goes into `draftFolder`.
    TAboutBox(RunContext& context, QWidget* mainWindow, const std::string& draftFolder);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void BitBtn1Click();

private:
    void buildControls();
    void FormActivate();
    void Image2Click();

    RunContext& context_;
    QWidget* mainWindow_;
    MailDraft draft_;

    QLabel* Image1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    ClickableLabel* Image2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace velorine::ui
