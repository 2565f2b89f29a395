#include "ui/reminder/reminder_window.h"

#include <QAction>
#include <QCalendarWidget>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "reminders/built_in_name_days.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "ui/window_placement.h"
#include "ui/accessibility.h"
#include "ui/french.h"
#include "ui/design.h"
#include "ui/pictures.h"
#include "ui/reminder/date_block_texts.h"

namespace velorine::ui {

TFRappel::TFRappel(RunContext& context) : context_(context) {
    setObjectName(QStringLiteral("FRappel"));
    // Every text of this window has a colour of its design (or of the user's choice) on a background
    // of the same kind: under a dark desktop theme too, it keeps the light colours it was drawn with.
    useDesignPalette(*this);
    setWindowTitle(QStringLiteral("Des Velorine approchent !!"));
    setWindowIcon(programIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    setFont(designFont(QStringLiteral("Verdana"), 11));
    setFixedSize(533, 392);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Panel1->setAutoFillBackground(true);
    Panel1->setMouseTracking(true);
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
    buildDateBlock();
    buildNamesOfTheDay();
    buildReminderArea();
    buildAnswers();
    buildFooter();
    buildDatePicker();
    buildMenus();

    Panel1->installEventFilter(this);
    connectCommands();
    FormCreate();
    Banner1->Loaded();
    prepareKeyboardAndScreenReaders();
}

TFRappel::~TFRappel() = default;

void TFRappel::connectCommands() {
    connect(IEButton2, &controls::TIEButton::OnClick, this, &TFRappel::IEButton2Click);
    connect(IEButton1, &controls::TIEButton::OnClick, this, &TFRappel::IEButton1Click);
    connect(IEButton3, &controls::TIEButton::OnClick, this, &TFRappel::IEButton3Click);
    connect(IEButton4, &controls::TIEButton::OnClick, this, &TFRappel::IEButton4Click);
    connect(Banner1, &controls::TBanner::OnClick, this, &TFRappel::Banner1Click);
    connect(Image4, &ClickableLabel::activated, this, &TFRappel::Image4Click);

    connect(UpDown2, &TUpDown::Click, this, &TFRappel::UpDown2Click);
    connect(MenuItem1, &QAction::triggered, this, &TFRappel::MenuItem1Click);
    connect(MenuItem2, &QAction::triggered, this, &TFRappel::MenuItem2Click);
    connect(Avancerladatedunmois1, &QAction::triggered, this, &TFRappel::Avancerladatedunmois1Click);
    connect(Reculerladatedunmois1, &QAction::triggered, this, &TFRappel::Reculerladatedunmois1Click);
    connect(MenuItem3, &QAction::triggered, this, &TFRappel::MenuItem3Click);
    connect(UpDown1, &TUpDown::Click, this, &TFRappel::UpDown1Click);
    connect(UpDown3, &TUpDown::Click, this, &TFRappel::UpDown3Click);
    connect(Calendar1, &QCalendarWidget::activated, this, &TFRappel::Calendar1DblClick);
    // A click on a day of the next or the previous month turns the page: the caption follows it.
    connect(Calendar1, &QCalendarWidget::currentPageChanged, this,
            [this](int year, int month) { Label21->setText(monthAndYearText(month, year)); });

    connect(Changerlacouleurdufond2, &QAction::triggered, this, &TFRappel::Changerlacouleurdufond2Click);
    connect(MenuItem5, &QAction::triggered, this, &TFRappel::MenuItem5Click);
    connect(MenuItem4, &QAction::triggered, this, &TFRappel::MenuItem4Click);
    connect(MenuItem7, &QAction::triggered, this, &TFRappel::MenuItem7Click);
    connect(Pasdombrepourlestextes1, &QAction::triggered, this, &TFRappel::Pasdombrepourlestextes1Click);
    connect(MenuItem6, &QAction::triggered, this, &TFRappel::MenuItem6Click);
    connect(Merappelerparunenotificationdubureau1, &QAction::triggered, this,
            &TFRappel::Merappelerparunenotificationdubureau1Click);

    connect(Panel2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { PopupMenu1->popup(Panel2->mapToGlobal(where)); });
    connect(Panel1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { LeFond->popup(Panel1->mapToGlobal(where)); });
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { PopupMenu2->popup(ListBox1->viewport()->mapToGlobal(where)); });
}

void TFRappel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The steps run when the window first appears; the date commands run them again themselves.
    if (activatedOnce_) return;
    activatedOnce_ = true;
    FormActivate();
}

void TFRappel::FormActivate() {
    const store::CalendarDate& reference = context_.startup.referenceDate;
    const bool onToday = reference == context_.today();
    IEButton1->setEnabled(onToday);
    IEButton3->setEnabled(onToday);
    for (QLabel* name : {Label8, Label9, Label11, Label12}) name->clear();
    showNamesOfTheDay(reference, ListBox2, Label8, Label9);
    showNamesOfTheDay(store::addDays(reference, 1), ListBox3, Label11, Label12);
    showDateBlock(reference);
    Label5->setText(dayOfYearText(reference));
    Label5->adjustSize();
    centreOnScreen(*this);
    fillReminderList();
}

void TFRappel::showNamesOfTheDay(const store::CalendarDate& day, QListWidget* list, QLabel* first, QLabel* second) {
    list->clear();
    for (const std::string& name : reminders::builtInNameDays().namesCelebratedOn(day))
        list->addItem(textFromCp1252(name));
    if (list->count() >= 3) {
        list->show();
        return;
    }
    list->hide();
    if (list->count() >= 1) first->setText(list->item(0)->text());
    if (list->count() == 2) second->setText(list->item(1)->text());
}

void TFRappel::showDateBlock(const store::CalendarDate& day) {
    const QString weekday = weekdayName(day);
    const QString dayAndMonth = dayAndMonthText(day);
    const QString year = QString::number(day.year);
    Label2->setText(weekday);
    Label15->setText(weekday);
    Label3->setText(dayAndMonth);
    Label14->setText(dayAndMonth);
    Label4->setText(year);
    Label16->setText(year);
    // The three texts read as one, where the keys change the date.
    Panel2->setAccessibleName(weekday + QLatin1Char(' ') + dayAndMonth + QLatin1Char(' ') + year);
}

void TFRappel::fillReminderList() {
    entries_ =
        reminders::buildReminderList(store::snapshot(context_.startup.dataFilePath), reminders::builtInNameDays(),
                                     context_.startup.nameDayReminders, context_.startup.referenceDate);
    ListBox1->clear();
    for (const reminders::ReminderEntry& entry : entries_) ListBox1->addItem(textFromCp1252(entry.text));
    const bool anythingDue = !entries_.empty();
    Label13->setText(anythingDue ? QStringLiteral("Dois-je continuer à vous rappeler ces dates ?")
                                 : QStringLiteral("Aucun rappel pour aujourd'hui"));
    for (controls::TIEButton* answer : {IEButton2, IEButton1, IEButton3}) answer->setVisible(anythingDue);
    IEButton4->setVisible(!anythingDue);
}

bool TFRappel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (watched == Panel2) return dateBlockKey(key);
        if (watched == Calendar1->focusProxy()) return datePickerKey(key);
    }
    if (watched == Panel1 && event->type() == QEvent::MouseMove)
        Panel1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
    return false;
}

}  // namespace velorine::ui
