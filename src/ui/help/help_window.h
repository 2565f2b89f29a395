#pragma once
// TAide, the quick help: the user guide Velor.rtf, read once when the window is created from where
// the program is installed (not the working directory, not the data directory), shown in a text
// view between four margins, with OK below. Created once, shown modally from the main window.
//
// The user may change the text on screen; it is never saved, and stays until the program ends.
// A guide that cannot be read is said at creation in an error box ("Impossible d'ouvrir le
// fichier ..."); the view then keeps its placeholder line and the window still works.
//
// Designer names:
//   `RichEdit1` — the user guide, read-only
//   `Panel1`, `Panel2`, `Panel4` — the margins above, left and right of it
//   `Panel3` — the strip at the bottom; `BitBtn1` in it — OK, closes the window

#include <QDialog>
#include <QString>

#include "ui/run_context.h"

class QFrame;
class QPushButton;
class QTextEdit;

namespace velorine::ui {

// The user guide of the running executable (app/executables.h).
QString installedGuidePath();

class TAide final : public QDialog {
    Q_OBJECT
public:
    // The window centres on the screen whatever its parent.
    TAide(RunContext& context, QWidget* parent, const QString& guidePath = installedGuidePath());

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void FormActivate();
    void FormResize();

    RunContext& context_;
    QString guidePath_;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel4 = nullptr;
    QFrame* Panel3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
};

}  // namespace velorine::ui
