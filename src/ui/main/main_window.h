#pragma once
// TForm1, the main window of the list mode: every birthday record as a row of a sortable list, a
// line about the selected person, the number of records, and the starting point of every command.
// It reads and changes records only through the record store and fills its list again after every
// add or modify.
//
// The class is spread over files by subject: main_window.cpp (creation, events),
// main_window_layout.cpp (the controls), main_window_records.cpp (list, add, modify, delete,
// sorting), main_window_commands.cpp (quit, reminders, name days, web site),
// main_window_exchange.cpp (save as, open, merge), main_window_contacts.cpp (address books in,
// calendars out), main_window_online.cpp (the address book online, kept in step in the background
// from the window's opening), main_window_appearance.cpp (colours, column widths, tooltips,
// resizing) and main_window_keyboard.cpp (the keyboard and screen readers). Controls keep their
// designer names, which are also their object names.
//
// Designer names:
//   `Panel1` — the tool bar; `Bevel1` — the line above it
//   `SpeedButton3` — quits (so does the hidden `Button1`, the Escape key's button)
//   `SpeedButton1` — adds a record (Insert); `SpeedButton2` — deletes the selected one (Delete)
//   `SpeedButton4` — modifies the selected one (Enter, double click)
//   `SpeedButton6` — opens the reminder schedule dialog `TForm2` (also `Programmation1`)
//   `SpeedButton5` — opens the quick help `TAide` (also `AideRapide`)
//   `SpeedButton7` — opens the about box `TAboutBox` (also `Apropos`)
//   `SpeedButton8` — hands over to the reminder window, in a new instance
//   `Label2` — the info line about the selected person (colour menu `PopupMenu1`)
//   `ListView` — the birthday list (context menu `PopupMenu`: `Ajouter`, `Supprimer`, `Modifier`,
//       `Changerlacouleurdufond1` background, `Changerlacouleurdutexte2` text colour)
//   `Changerlacouleurdutexte1` — the info line's text colour, in `PopupMenu1`
//   `Panel3`, `Panel2`, `Panel4` — the margins left, right and above the list
//   `Panel5` — the strip under the list; `Label4` in it — the count of records
//   `Status` — the bottom strip: `CheckBox4` tooltips off, `Label1` "Visitez le site de l'auteur :",
//       `Label3` the web site link
//   `Fichier1` — the File menu: `Fusionner1` merge, `Ouvrir1` open, `Enregistrersous1` save as,
//       `Importerdescontacts1`, `Exporterversunagenda1` the address book in and the calendar out,
//       `CarnetEnLigne1` the address book online, `MenuQuitter` quit
//   `Options1` — `Programmation1` the schedule, `NepasmerappelerlesftesSaintdujour1` name days off,
//       `Tenirajourunagenda1` the calendar kept up to date,
//       `Merappelerparunenotificationdubureau1` reminded by a desktop notification
//   `MAide` — `AideRapide` the quick help, `Apropos` the about box

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

#include "carddav/online_settings.h"
#include "carddav/synchronisation.h"
#include "store/record_store.h"
#include "ui/main/birthday_list_model.h"
#include "ui/main/main_window_settings.h"
#include "ui/run_context.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeView;

namespace velorine::ui {

class BirthdayListModel;
class ClickableLabel;
class CalendarExportDialog;
class CalendarUpkeepDialog;
class ImportSummaryDialog;
class NetworkTask;
class OnlineBookDialog;
class TAboutBox;
class TAide;
class TForm2;
class TSais;

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(RunContext& context);
    ~TForm1() override;

    // The dialogs, created after this window.
    void setHelpWindow(TAide* window);
    void setAboutBox(TAboutBox* box);
    void setEntryDialog(TSais* dialog);
    // The reminder schedule dialog, created after this window.
    void setScheduleDialog(TForm2* dialog);

    int sortColumn() const { return sortColumn_; }
    // -, 0, +: row A before, equal to, after row B in the current sort column.
    int ListViewCompare(const ListRow& a, const ListRow& b) const;

public slots:
    // Empties the list and adds one row per record of the data file, sorted.
    void fillList();
    void SpeedButton1Click();  // add
    void SpeedButton2Click();  // delete
    void SpeedButton3Click();  // quit
    void SpeedButton4Click();  // modify
    void SpeedButton5Click();  // the quick help
    void SpeedButton6Click();  // the reminder schedule, also "&Programmation"
    void SpeedButton7Click();  // the about box
    void SpeedButton8Click();  // the reminder window, in a new instance
    void NepasmerappelerlesftesSaintdujour1Click();
    void Merappelerparunenotificationdubureau1Click();
    void Label3Click();
    void ListViewColumnClick(int column);
    void Enregistrersous1Click();          // save as
    void Ouvrir1Click();                   // open
    void Fusionner1Click();                // merge
    void Importerdescontacts1Click();      // an address book's birthdays into the list
    void Exporterversunagenda1Click();     // the list out to a calendar
    void Tenirajourunagenda1Click();       // the calendar kept up to date, on or off
    void CarnetEnLigne1Click();            // the address book online: its dialog, then a sync
    void Changerlacouleurdutexte1Click();  // info line text
    void Changerlacouleurdufond1Click();   // list background
    void Changerlacouleurdutexte2Click();  // list text
    void CheckBox4Click();                 // the tooltip switch

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void buildToolbar(QWidget* window);
    void buildListArea(QWidget* window);
    void buildStatusBar(QWidget* window);
    void buildMenus();
    void buildPopupMenus();
    void connectCommands();
    void connectExchangeCommands();
    void connectContactsCommands();
    void connectOnlineCommands();
    // A sync with the address book online on its own thread; `password` empty: the keyring's, and
    // no sync without one. `announce`: its summary or failure is shown when it ends.
    void startOnlineSync(const carddav::OnlineSettings& settings, std::optional<std::string> password, bool announce);
    void onlineSyncDone(const carddav::SyncOutcome& outcome, bool announce);
    // The window opens: the list brought in step in the background, when an address book is set.
    void syncOnOpening();
    void connectAppearanceCommands();
    // After a change of the list: its calendar brought up to date, when it keeps one.
    void keepCalendarUpToDate();
    // The calendar option's tick as the list holds it.
    void showCalendarUpkeep();
    // Keyboard stops, what screen readers read and leave out.
    void prepareKeyboardAndScreenReaders();

    std::optional<int> selectedRow() const;
    void ListViewClick();
    void ListViewChange();
    bool ListViewKeyDown(int key);
    void FormMouseMove();
    void Label3MouseMove();
    void updateInfoLine();
    void refreshCountLabel();
    void setLinkColour(long long colourNumber);
    void showListMenu(const QPoint& where);
    void showInfoLineMenu(const QPoint& where);
    // Keeps the info line at the right when the window is wider than it by more than `room`.
    void keepInfoLineRight(int room);
    void restoreAppearance();
    void showColour(MainColour colour, int number);
    void chooseColour(MainColour colour);
    void saveLayout();
    void FormClose();
    void FormResize();

    RunContext& context_;
    store::RecordStore store_;
    TAide* helpWindow_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    TSais* entryDialog_ = nullptr;
    TForm2* scheduleDialog_ = nullptr;
    CalendarExportDialog* exportDialog_ = nullptr;
    CalendarUpkeepDialog* upkeepDialog_ = nullptr;
    ImportSummaryDialog* importSummary_ = nullptr;
    OnlineBookDialog* onlineDialog_ = nullptr;
    ImportSummaryDialog* onlineSummary_ = nullptr;
    std::unique_ptr<NetworkTask> onlineSync_;
    BirthdayListModel* model_ = nullptr;
    int sortColumn_ = 0;
    std::array<int, kMainColourCount> colourNumbers_{};  // as stored, by MainColour
    // Set when closing must not save the layout: it has been saved already, or the data file is
    // about to be replaced by an opened list whose own layout wins.
    bool layoutSettled_ = false;

    // Toolbar.
    QFrame* Bevel1 = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;
    // The list and its margins.
    QFrame* Panel4 = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel2 = nullptr;
    QTreeView* ListView = nullptr;
    QFrame* Panel5 = nullptr;
    QLabel* Label4 = nullptr;
    // Status bar.
    QFrame* Status = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QLabel* Label1 = nullptr;
    ClickableLabel* Label3 = nullptr;
    // Main menu.
    QMenu* Fichier1 = nullptr;
    QAction* Fusionner1 = nullptr;
    QAction* Ouvrir1 = nullptr;
    QAction* Enregistrersous1 = nullptr;
    QAction* Importerdescontacts1 = nullptr;
    QAction* Exporterversunagenda1 = nullptr;
    QAction* CarnetEnLigne1 = nullptr;
    QAction* MenuQuitter = nullptr;
    QMenu* Options1 = nullptr;
    QAction* Programmation1 = nullptr;
    QAction* NepasmerappelerlesftesSaintdujour1 = nullptr;
    QAction* Tenirajourunagenda1 = nullptr;
    QAction* Merappelerparunenotificationdubureau1 = nullptr;
    QMenu* MAide = nullptr;
    QAction* AideRapide = nullptr;
    QAction* Apropos = nullptr;
    // The list's menu and the info line's menu.
    QMenu* PopupMenu = nullptr;
    QAction* Ajouter = nullptr;
    QAction* Supprimer = nullptr;
    QAction* Modifier = nullptr;
    QAction* Changerlacouleurdufond1 = nullptr;
    QAction* Changerlacouleurdutexte2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Changerlacouleurdutexte1 = nullptr;
};

}  // namespace velorine::ui
