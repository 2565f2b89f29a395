#pragma once
// TFRappel, the reminder window: the first and main window of a reminder run ("PROG", "RAPPEL"),
// whose closing ends the run. It shows the reference date in large type with its day of the week and
// of the year, the first names whose feast falls on that day and the next, and the reminder list the
// engine builds for that date, and asks whether to go on reminding. Its answers write the next
// reminder day or the resume dates of the people listed, then close the window; a write that fails
// is told to the user first.
//
// The date commands (the day arrows, the context menu of the date block, the date picker) move the
// process-wide reference date and run the activation steps again, so the user can see what another
// day brings; "Non" and "Demain" can only be answered on the real today.
//
// The class is spread over files by subject: reminder_window.cpp (creation, activation, events),
// reminder_window_layout.cpp (the controls), reminder_window_dates.cpp (date commands and the date
// picker), reminder_window_answers.cpp (the four buttons and the banner),
// reminder_window_appearance.cpp (picture, colours, shadows, tooltips, and the notification option
// beside them in the menu) and reminder_window_keyboard.cpp (the keyboard and screen readers).
// Controls keep their designer names, which are also their object names.
//
// Designer names:
//   `Panel1` — the background (colour menu `LeFond`: `Changerlacouleurdufond2`)
//   `Image4` — one of eight pictures; a click shows the next
//   `Panel2` — the date block (context menu `PopupMenu1`); in it `Label2` the day of the week,
//       `Label3` day and month, `Label4` the year, `Label15`, `Label14`, `Label16` their shadows,
//       `UpDown2` one day back or forward
//   `Label5` — the day of the year line
//   `Label7` — "Fêtes à souhaiter (Aujourd'hui)"; `Label8`, `Label9` — today's two first names;
//       `ListBox2` — all of today's names when there are three or more
//   `Label1` — "Fêtes à souhaiter (Demain)"; `Label11`, `Label12`, `ListBox3` — the same for tomorrow
//   `GroupBox1` — the frame of `ListBox1`, the reminder list (colour menu `PopupMenu2`: `MenuItem7`)
//   `Label13` — the question, or the nothing-due message
//   `IEButton2` — "Oui": keep reminding; `IEButton1` — "Non": not before the next birthday;
//       `IEButton3` — "Demain": quiet until tomorrow; `IEButton4` — "Quitter", when nothing is due
//   `Banner1` — the scrolling banner; a click opens the birthday list in a new instance
//   `Image2`, `Image1` — the program's icon, decoration
//   `Group2` — the date picker, `Panel3` its shadow: `Calendar1` the month, `UpDown1` the year
//       (`Label19` "Années"), `UpDown3` the month (`Label20` "Mois"), `Label21` month and year shown
//   `PopupMenu1` — `MenuItem1` one day forward, `MenuItem2` one day back, `Avancerladatedunmois1` and
//       `Reculerladatedunmois1` 30 days, `MenuItem3` the date picker, `MenuItem5` the block's colour,
//       `MenuItem4` the date texts' colour, `Pasdombrepourlestextes1` shadows off, `MenuItem6` tooltips off,
//       `Merappelerparunenotificationdubureau1` reminded by a desktop notification at logon

#include <QWidget>

#include <array>
#include <vector>

#include "reminders/reminder_engine.h"
#include "reminders/stored_answer.h"
#include "ui/reminder/reminder_window_settings.h"
#include "ui/reminder/up_down_arrows.h"
#include "ui/run_context.h"

class QAction;
class QCalendarWidget;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenu;

namespace velorine::controls {
class TBanner;
class TIEButton;
}  // namespace velorine::controls

namespace velorine::ui {

class ClickableLabel;

class TFRappel final : public QWidget {
    Q_OBJECT
public:
    explicit TFRappel(RunContext& context);
    ~TFRappel() override;

    // The reminder list as the engine built it at the last activation, in the order shown.
    const std::vector<reminders::ReminderEntry>& reminderEntries() const { return entries_; }

public slots:
    // The activation steps: answers enabled or not, names of the day, date block, day of the year,
    // centring, reminder list and question.
    void FormActivate();
    void IEButton2Click();  // "Oui": keep reminding
    void IEButton1Click();  // "Non": not before the next birthday
    void IEButton3Click();  // "Demain": quiet until tomorrow
    void IEButton4Click();  // "Quitter": nothing was due
    void Banner1Click();    // the birthday list, in a new instance
    void UpDown2Click(velorine::ui::TUDBtnType button);
    void MenuItem1Click();                               // one day forward
    void MenuItem2Click();                               // one day back
    void Avancerladatedunmois1Click();                   // 30 days forward
    void Reculerladatedunmois1Click();                   // 30 days back
    void MenuItem3Click();                               // the date picker
    void UpDown1Click(velorine::ui::TUDBtnType button);  // picker year
    void UpDown3Click(velorine::ui::TUDBtnType button);  // picker month
    void Calendar1DblClick();
    void Image4Click();
    void Changerlacouleurdufond2Click();  // window background
    void MenuItem5Click();                // date block
    void MenuItem4Click();                // date texts
    void MenuItem7Click();                // reminder list background
    void Pasdombrepourlestextes1Click();
    void MenuItem6Click();
    void Merappelerparunenotificationdubureau1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildDateBlock();
    void buildNamesOfTheDay();
    void buildReminderArea();
    void buildAnswers();
    void buildFooter();
    void buildDatePicker();
    void buildMenus();
    void connectCommands();
    // Keyboard stops and their keys, what screen readers read and leave out.
    void prepareKeyboardAndScreenReaders();
    bool dateBlockKey(const QKeyEvent& key);
    bool datePickerKey(const QKeyEvent& key);
    // The hidden picker's calendar would tell screen readers it holds a focused day.
    void forgetCalendarDay();

    void FormCreate();
    void showNamesOfTheDay(const store::CalendarDate& day, QListWidget* list, QLabel* first, QLabel* second);
    void showDateBlock(const store::CalendarDate& day);
    void fillReminderList();
    void moveReferenceDate(long long days);
    void setReferenceDate(const store::CalendarDate& day);
    void showCalendarDate(const store::CalendarDate& day);
    store::CalendarDate calendarDate() const;
    void hideDatePicker();
    void Panel1MouseMove(const QPoint& where);
    // Stores the answer, then closes the window; when it could not be stored, the user is told why
    // first.
    void closeAfterAnswer(reminders::ReminderAnswer answer);

    // The picture step: shows the picture and stores the number of the next one.
    void showPicture(int number);
    void showColour(ReminderColour colour, int number);
    // The colour the user sees where the setting applies.
    QColor colourShown(ReminderColour colour) const;
    void chooseColour(ReminderColour colour);
    void showShadows(bool shown);
    void showTooltips(bool shown);

    RunContext& context_;
    std::vector<reminders::ReminderEntry> entries_;
    std::array<int, kReminderColourCount> colourNumbers_{};  // as stored, by ReminderColour
    bool activatedOnce_ = false;

    // Background, picture and date block.
    QFrame* Panel1 = nullptr;
    ClickableLabel* Image4 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label4 = nullptr;
    TUpDown* UpDown2 = nullptr;
    QLabel* Label5 = nullptr;
    // Names of today and tomorrow.
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QListWidget* ListBox3 = nullptr;
    // The reminder list, the question and the answers.
    QGroupBox* GroupBox1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLabel* Label13 = nullptr;
    controls::TIEButton* IEButton2 = nullptr;
    controls::TIEButton* IEButton1 = nullptr;
    controls::TIEButton* IEButton3 = nullptr;
    controls::TIEButton* IEButton4 = nullptr;
    controls::TBanner* Banner1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image1 = nullptr;
    // The date picker and its shadow.
    QFrame* Panel3 = nullptr;
    QGroupBox* Group2 = nullptr;
    QCalendarWidget* Calendar1 = nullptr;
    QLabel* Label19 = nullptr;
    TUpDown* UpDown1 = nullptr;
    QLabel* Label20 = nullptr;
    TUpDown* UpDown3 = nullptr;
    QLabel* Label21 = nullptr;
    // Context menus.
    QMenu* PopupMenu1 = nullptr;
    QAction* MenuItem1 = nullptr;
    QAction* MenuItem2 = nullptr;
    QAction* Avancerladatedunmois1 = nullptr;
    QAction* Reculerladatedunmois1 = nullptr;
    QAction* MenuItem3 = nullptr;
    QAction* MenuItem4 = nullptr;
    QAction* MenuItem5 = nullptr;
    QAction* Pasdombrepourlestextes1 = nullptr;
    QAction* MenuItem6 = nullptr;
    QAction* Merappelerparunenotificationdubureau1 = nullptr;
    QMenu* LeFond = nullptr;
    QAction* Changerlacouleurdufond2 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* MenuItem7 = nullptr;
};

}  // namespace velorine::ui
