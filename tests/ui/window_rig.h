#pragma once
// A run of the windows on a temporary data file, with a fixed today and the recording dialogs:
// the windows are the program's own, created the way a run creates them.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <functional>
#include <string>
#include <vector>

#include "recording_dialogs.h"
#include "store/record_store.h"
#include "ui/main/entry_dialog.h"
#include "ui/main/main_window.h"
#include "ui/reminder/reminder_window.h"
#include "ui/reminder/schedule_dialog.h"
#include "ui/run_context.h"
#include "ui/program.h"

namespace velorine::ui::testing {

// 6 December 2026, the day of the examples.
inline constexpr store::CalendarDate kToday{6, 12, 2026};

// "[Velorine]" lines for the records, slots from 1, CR LF.
std::string recordSection(const std::vector<store::BirthdayRecord>& records);
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
// The texts of one column of a list, top to bottom.
QStringList columnTexts(const QTreeView& list, int index);
// Runs `steps` on `dialog` as soon as `trigger` shows it modally, then closes it if the steps left
// it open. False when the dialog was never shown.
bool whileShown(QDialog& dialog, const std::function<void()>& trigger, const std::function<void()>& steps);
// Asks the widget for its tooltip as the pointer resting on it would; true when one appears.
bool tooltipAppears(QWidget& widget);

struct RigSetup {
    std::string dataFile;    // the bytes of velor.ini; none written when empty
    std::string configFile;  // the bytes of velorine.conf; none written when empty
    bool nameDayReminders = true;
    app::RunMode mode = app::RunMode::List;
    store::CalendarDate today = kToday;  // the clock's answer, and the reference date the run starts on
};

class WindowRig {
public:
    explicit WindowRig(const RigSetup& setup = {});
    // A list run on a data file holding these bytes.
    explicit WindowRig(const std::string& dataFile) : WindowRig(RigSetup{dataFile, {}, true, app::RunMode::List}) {}
    // A reminder run ("RAPPEL") on a data file holding these bytes.
    static RigSetup reminderRun(const std::string& dataFile, store::CalendarDate today = kToday) {
        return {dataFile, {}, true, app::RunMode::ReminderOnDemand, today};
    }

    TForm1& form() { return *windows.mainWindow; }
    TFRappel& reminderWindow() { return *windows.reminderWindow; }
    TSais& dialog() { return *windows.entryDialog; }
    TForm2& scheduleDialog() { return *windows.scheduleDialog; }
    QTreeView& list();
    QLabel& label(const char* name);
    template <class Widget>
    Widget& control(const char* name) {
        Widget* found = windows.first->findChild<Widget*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return *found;
    }

    std::string dataFileBytes() const { return readBytes(context.startup.dataFilePath); }
    std::vector<store::BirthdayRecord> storedRecords() const;
    // The texts of one column, top to bottom.
    QStringList column(int index);
    void selectRow(int row);
    void clickRow(int row);

    // Runs `steps` on the add/modify dialog as soon as it is shown by `trigger`, then closes it if
    // the steps left it open. False when the dialog was never shown.
    bool withDialog(const std::function<void()>& trigger, const std::function<void(TSais&)>& steps);

    QTemporaryDir directory;
    RecordingDialogs dialogs;
    RunContext context;
    RunWindows windows;
};

// The boxes of the add/modify dialog.
QLineEdit& entryBox(TSais& dialog, const char* name);
void typeInto(TSais& dialog, const char* box, const QString& text);
// Types at the start of the box, key by key.
void typeInto(QLineEdit& box, const QString& text);
void pressOk(TSais& dialog);

}  // namespace velorine::ui::testing
