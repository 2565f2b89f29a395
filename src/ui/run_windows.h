#pragma once
// The windows of a run, created once, in their order: the first window of the run mode, then the
// dialogs it opens, hidden until a command shows them. In the list mode the first window is the main
// window TForm1, in the reminder modes the reminder window TFRappel (the main window does not exist
// then). The quick help TAide, the about box TAboutBox, the reminder schedule dialog TForm2 and the
// add/modify dialog TSais follow, in every run mode.

#include <memory>

#include "ui/run_context.h"

class QWidget;

namespace velorine::ui {

class TAboutBox;
class TAide;
class TFRappel;
class TForm1;
class TForm2;
class TSais;

struct RunWindows {
    RunWindows();
    RunWindows(RunWindows&&) noexcept;
    // No assignment: the old main window would take its dialogs down before their owners knew.
    RunWindows& operator=(RunWindows&&) = delete;
    ~RunWindows();

    std::unique_ptr<TFRappel> reminderWindow;  // reminder modes only
    std::unique_ptr<TForm1> mainWindow;        // list mode only
    // The dialogs are children of the main window when there is one.
    std::unique_ptr<TAide> helpWindow;
    std::unique_ptr<TAboutBox> aboutBox;
    std::unique_ptr<TForm2> scheduleDialog;
    std::unique_ptr<TSais> entryDialog;
    QWidget* first = nullptr;  // the window the run is about
};

RunWindows createWindows(RunContext& context);

}  // namespace velorine::ui
