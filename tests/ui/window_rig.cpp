#include "window_rig.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <fstream>
#include <sstream>

#include "reminders/reminder_settings.h"
#include "store/data_file.h"

namespace velorine::ui::testing {

std::string recordSection(const std::vector<store::BirthdayRecord>& records) {
    std::string bytes = "[Velorine]\r\n";
    int slot = 0;
    for (const auto& r : records) {
        const std::string n = std::to_string(++slot);
        bytes += "Nom" + n + "=" + r.surname + "\r\nPren" + n + "=" + r.firstName + "\r\nDate" + n + "=" + r.birthDate +
                 "\r\nAdress" + n + "=" + r.address + "\r\nEmail" + n + "=" + r.email + "\r\n";
    }
    return bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) qFatal("cannot write %s", path.c_str());
}

namespace {

app::StartupState startupIn(const QTemporaryDir& directory, const RigSetup& setup) {
    app::StartupState state;
    state.dataDirectory = directory.path().toStdString();
    state.dataFilePath = state.dataDirectory + "/velor.ini";
    state.pendingFilePath = state.dataDirectory + "/velor.ouv";
    state.nameDayReminders = setup.nameDayReminders;
    state.mode = setup.mode;
    state.referenceDate = setup.today;
    if (!setup.dataFile.empty()) writeBytes(state.dataFilePath, setup.dataFile);
    if (!setup.configFile.empty()) writeBytes(state.dataDirectory + "/velorine.conf", setup.configFile);
    state.notificationReminders = reminders::notificationRemindersIn(store::snapshot(state.dataFilePath));
    return state;
}

}  // namespace

WindowRig::WindowRig(const RigSetup& setup)
    : context{startupIn(directory, setup), directory.path().toStdString() + "/velorine.conf",
              [today = setup.today] { return today; }, dialogs},
      windows(createWindows(context)) {
    // As in a run, the first window is on screen: its list has its real size.
    if (windows.first) {
        windows.first->show();
        if (!QTest::qWaitForWindowExposed(windows.first)) qFatal("the first window is not shown");
    }
}

QTreeView& WindowRig::list() { return control<QTreeView>("ListView"); }

QLabel& WindowRig::label(const char* name) { return control<QLabel>(name); }

std::vector<store::BirthdayRecord> WindowRig::storedRecords() const {
    return store::RecordStore(context.startup.dataFilePath).readAll();
}

QStringList columnTexts(const QTreeView& list, int index) {
    QStringList texts;
    const QAbstractItemModel* model = list.model();
    for (int row = 0; row < model->rowCount(); ++row) texts << model->index(row, index).data().toString();
    return texts;
}

QStringList WindowRig::column(int index) { return columnTexts(list(), index); }

void WindowRig::selectRow(int row) { list().setCurrentIndex(list().model()->index(row, 0)); }

void WindowRig::clickRow(int row) {
    QTreeView& view = list();
    const QRect cell = view.visualRect(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
}

bool whileShown(QDialog& dialog, const std::function<void()>& trigger, const std::function<void()>& steps) {
    bool shown = false;
    // Looks until the dialog's own event loop has started (the trigger may run other event loops
    // before, as a long import does); dies with this call when it never did.
    QTimer whenShown;
    QObject::connect(&whenShown, &QTimer::timeout, &dialog, [&] {
        if (!dialog.isVisible()) return;
        whenShown.stop();
        shown = true;
        steps();
        if (dialog.isVisible()) dialog.reject();
    });
    whenShown.start(5);
    trigger();
    return shown;
}

bool WindowRig::withDialog(const std::function<void()>& trigger, const std::function<void(TSais&)>& steps) {
    TSais& entry = dialog();
    return whileShown(entry, trigger, [&] { steps(entry); });
}

bool tooltipAppears(QWidget& widget) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), widget.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&widget, &help);
    return QToolTip::isVisible();
}

QLineEdit& entryBox(TSais& dialog, const char* name) {
    auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!box) qFatal("no box %s", name);
    return *box;
}

void typeInto(TSais& dialog, const char* box, const QString& text) { typeInto(entryBox(dialog, box), text); }

void typeInto(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.setCursorPosition(0);
    // Typed key by key, as the user would; characters beyond ASCII arrive as text without a key.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            QTest::keyClick(&edit, c.toLatin1());
            continue;
        }
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

void pressOk(TSais& dialog) {
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QTest::mouseClick(ok, Qt::LeftButton);
}

}  // namespace velorine::ui::testing
