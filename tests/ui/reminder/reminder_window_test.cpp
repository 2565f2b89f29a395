// The reminder window on the real widgets: what it shows for a date, its date commands and date
// picker, its answers as the data file keeps them, and how its lines are drawn.
#define QTEST_QPA_MOUSE_HANDLING

#include <QAction>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <sys/stat.h>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "reminder_test_data.h"
#include "store/civil_calendar.h"
#include "store/data_file.h"
#include "ui/user_dialogs.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

QStringList itemsOf(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
    return texts;
}

void clickArrow(TUpDown& arrows, TUDBtnType button, int times = 1) {
    auto* arrow = arrows.findChild<QToolButton*>(button == TUDBtnType::btNext ? QStringLiteral("next")
                                                                              : QStringLiteral("previous"));
    for (int i = 0; i < times; ++i) QTest::mouseClick(arrow, Qt::LeftButton);
}

// The colour most of a line's non-background pixels have.
QColor inkOf(QListWidget& list, int row) {
    const QImage shot = list.viewport()->grab().toImage();
    const QRect line = list.visualItemRect(list.item(row));
    const QColor background = shot.pixelColor(line.right() - 2, line.center().y());
    QHash<QRgb, int> counts;
    for (int y = line.top(); y <= line.bottom(); ++y)
        for (int x = line.left(); x < line.left() + 200; ++x)
            if (shot.pixelColor(x, y) != background) ++counts[shot.pixel(x, y)];
    QRgb ink = 0;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (!counts.contains(ink) || it.value() > counts[ink]) ink = it.key();
    return QColor(ink);
}

void clickButton(controls::TIEButton& button) {
    QTest::mouseMove(&button, {40, 12});
    QTest::mouseClick(&button, Qt::LeftButton, {}, {40, 12});
}

struct ReminderRun {
    explicit ReminderRun(const std::string& dataFile, store::CalendarDate today = kToday)
        : rig(WindowRig::reminderRun(dataFile, today)) {}

    TFRappel& window() { return rig.reminderWindow(); }
    QLabel& label(const char* name) { return rig.control<QLabel>(name); }
    QString text(const char* name) { return label(name).text(); }
    QListWidget& list(const char* name) { return rig.control<QListWidget>(name); }
    controls::TIEButton& button(const char* name) { return rig.control<controls::TIEButton>(name); }
    TUpDown& arrows(const char* name) { return rig.control<TUpDown>(name); }
    QAction& item(const char* name) { return rig.control<QAction>(name); }
    // Shows the window as it is on `day`.
    void lookAt(const store::CalendarDate& day) {
        rig.context.startup.referenceDate = day;
        window().FormActivate();
    }
    std::string value(std::string_view section, std::string_view key) {
        return store::readValue(rig.context.startup.dataFilePath, section, key, "absent", 128);
    }

    WindowRig rig;
};

}  // namespace

class ReminderWindowTest : public QObject {
    Q_OBJECT

private slots:
    void nothingDueOffersOnlyQuitInThePlaceOfNo() {
        ReminderRun run("");
        QCOMPARE(run.window().windowTitle(), QStringLiteral("Des Velorine approchent !!"));
        QCOMPARE(run.list("ListBox1").count(), 0);
        QCOMPARE(run.text("Label13"), QStringLiteral("Aucun rappel pour aujourd'hui"));
        for (const char* answer : {"IEButton1", "IEButton2", "IEButton3"}) QVERIFY(!run.button(answer).isVisible());
        QVERIFY(run.button("IEButton4").isVisible());
        QCOMPARE(run.button("IEButton4").geometry(), run.button("IEButton1").geometry());
        QCOMPARE(run.button("IEButton4").toolTip(), QStringLiteral("Quitter le logiciel"));
    }

    void somethingDueListsItAndAsksTheQuestion() {
        ReminderRun run(aWeekOfReminders());
        QCOMPARE(itemsOf(run.list("ListBox1")),
                 QStringList({QStringLiteral("Anne Martin a 36 ans AUJOURD'HUI !!"),
                              QStringLiteral("C'est la fête de Nicolas Durand AUJOURD'HUI !!"),
                              QStringLiteral("Ambroise Lefèvre aura 76 ans DEMAIN !!"),
                              QStringLiteral("Ce sera la fete d'Ambroise Lefèvre DEMAIN !!"),
                              QStringLiteral("Léon Petit aura 25 ans le 09/12/2026 (dans 3 jours)"),
                              QStringLiteral("Zoé Roux aura 7 ans le 12/12/2026 (dans 6 jours)")}));
        QCOMPARE(run.text("Label13"), QStringLiteral("Dois-je continuer à vous rappeler ces dates ?"));
        for (const char* answer : {"IEButton1", "IEButton2", "IEButton3"}) {
            QVERIFY(run.button(answer).isVisible());
            QVERIFY(run.button(answer).isEnabled());
        }
        QVERIFY(!run.button("IEButton4").isVisible());
    }

    // An address book's birthday without its year: a birthday line like the others, without an age.
    void aBirthdayOfAnUnknownYearIsListedWithoutAnAge() {
        ReminderRun run(recordSection({{"Roux", "Zo\xE9", "07/12/1604", "", ""},
                                       {"Blanc", "Luc", "06/12/1604", "", ""},
                                       {"Petit", "Eva", "10/12/1604", "", ""}}) +
                        "[Rappel]\r\nJours=7\r\n");
        QListWidget& list = run.list("ListBox1");
        QCOMPARE(itemsOf(list),
                 QStringList({QStringLiteral("Zoé Roux fêtera son anniversaire DEMAIN !!"),
                              QStringLiteral("Luc Blanc fête son anniversaire AUJOURD'HUI !!"),
                              QStringLiteral("Eva Petit fêtera son anniversaire le 10/12/2026 (dans 4 jours)")}));
        for (int row = 0; row < list.count(); ++row) QCOMPARE(inkOf(list, row), QColor(0, 0, 255));
    }

    void theDateBlockAndTheDayOfTheYear_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("weekday");
        QTest::addColumn<QString>("dayAndMonth");
        QTest::addColumn<QString>("dayOfYear");
        QTest::newRow("today") << 6 << 12 << 2026 << "Dimanche"
                               << "6 Décembre"
                               << "340 ème jour de l'année, il reste 25 jours";
        QTest::newRow("31 December") << 31 << 12 << 2026 << "Jeudi"
                                     << "31 Décembre"
                                     << "Bon Réveillon de la Saint Sylvestre !!!";
        QTest::newRow("30 December, common year") << 30 << 12 << 2026 << "Mercredi"
                                                  << "30 Décembre"
                                                  << "364 ème jour de l'année, il reste 1 jour";
        QTest::newRow("30 December, leap year") << 30 << 12 << 2028 << "Samedi"
                                                << "30 Décembre"
                                                << "365 ème jour de l'année, il reste 1 jour";
        QTest::newRow("1 January") << 1 << 1 << 2027 << "Vendredi"
                                   << "1 Janvier"
                                   << "1er jour de l'année, il reste 364 jours";
        QTest::newRow("1 January, leap year") << 1 << 1 << 2028 << "Samedi"
                                              << "1 Janvier"
                                              << "1er jour de l'année, il reste 365 jours";
        QTest::newRow("2100 is no leap year") << 1 << 3 << 2100 << "Lundi"
                                              << "1 Mars"
                                              << "60 ème jour de l'année, il reste 305 jours";
        QTest::newRow("29 February") << 29 << 2 << 2028 << "Mardi"
                                     << "29 Février"
                                     << "60 ème jour de l'année, il reste 306 jours";
    }

    void theDateBlockAndTheDayOfTheYear() {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        ReminderRun run("");
        run.lookAt({day, month, year});
        QFETCH(QString, weekday);
        QFETCH(QString, dayAndMonth);
        QFETCH(QString, dayOfYear);
        QCOMPARE(run.text("Label2"), weekday);
        QCOMPARE(run.text("Label15"), weekday);
        QCOMPARE(run.text("Label3"), dayAndMonth);
        QCOMPARE(run.text("Label14"), dayAndMonth);
        QCOMPARE(run.text("Label4"), QString::number(year));
        QCOMPARE(run.text("Label16"), QString::number(year));
        QCOMPARE(run.text("Label5"), dayOfYear);
    }

    void theNamesOfTodayAndTomorrow_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QStringList>("today");
        QTest::addColumn<QStringList>("tomorrow");
        QTest::newRow("four, then none") << 1 << 11 << 2026
                                         << QStringList({"Harold", "Mathurin", "Toussaint", "Toussainte"})
                                         << QStringList();
        QTest::newRow("two, then one") << 31 << 12 << 2026 << QStringList({"Colombe", "Sylvestre"})
                                       << QStringList({"Marie"});
        QTest::newRow("two, then five") << 5 << 12 << 2026 << QStringList({"Gérald", "Géraldine"})
                                        << QStringList({"Colin", "Nello", "Nicolas", "Nikita", "Ninon"});
        QTest::newRow("4 August: Abel, Abella and Oswald tomorrow")
            << 4 << 8 << 2026 << QStringList({"Jean-Marie", "Vianney"}) << QStringList({"Abel", "Abella", "Oswald"});
        QTest::newRow("29 February of a common year falls on 1 March")
            << 28 << 2 << 2027 << QStringList({"Antoinette", "Romain"}) << QStringList({"Albin", "Aubin", "Auguste"});
        QTest::newRow("and not in a leap year")
            << 28 << 2 << 2028 << QStringList({"Antoinette", "Romain"}) << QStringList({"Auguste"});
    }

    void theNamesOfTodayAndTomorrow() {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(int, year);
        ReminderRun run("");
        run.lookAt({day, month, year});
        const auto check = [&](const QStringList& expected, const char* list, const char* first, const char* second) {
            const QListWidget& names = run.list(list);
            QCOMPARE(names.isVisible(), expected.size() >= 3);
            QCOMPARE(itemsOf(names), expected);
            const bool inLabels = expected.size() < 3;
            QCOMPARE(run.text(first), inLabels ? expected.value(0) : QString());
            QCOMPARE(run.text(second), inLabels ? expected.value(1) : QString());
        };
        QFETCH(QStringList, today);
        QFETCH(QStringList, tomorrow);
        check(today, "ListBox2", "Label8", "Label9");
        check(tomorrow, "ListBox3", "Label11", "Label12");
    }

    void sixteenAndFourteenNamesAreListed() {
        ReminderRun run("");
        run.lookAt({3, 10, 2026});
        QCOMPARE(run.list("ListBox3").count(), 16);
        QVERIFY(run.list("ListBox3").isVisible());
        QVERIFY(run.text("Label11").isEmpty());
        run.lookAt({15, 8, 2026});
        QCOMPARE(run.list("ListBox2").count(), 14);
        QVERIFY(run.list("ListBox2").isVisible());
    }

    // 3 October brings sixteen names for the next day, "François(d'Assises)" among them.
    void everyNameOfTheYearIsReadWholeWithoutScrollingSideways() {
        ReminderRun run("");
        for (store::CalendarDate day{1, 1, 2028}; day.year == 2028; day = store::addDays(day, 1)) {
            run.lookAt(day);
            QCoreApplication::processEvents();  // the lists lay their scroll bars out
            for (const char* name : {"ListBox2", "ListBox3"}) {
                const QListWidget& names = run.list(name);
                if (!names.isVisible()) continue;
                const QString what = QStringLiteral("%1 on %2/%3").arg(name).arg(day.day).arg(day.month);
                QVERIFY2(!names.horizontalScrollBar()->isVisible(), qPrintable(what));
                QVERIFY2(names.sizeHintForColumn(0) <= names.viewport()->width(), qPrintable(what));
                QVERIFY2(names.geometry().right() < run.window().width(), qPrintable(what));
            }
        }
    }

    void aLineWiderThanTheListShowsWholeInItsTooltip() {
        ReminderRun run(recordSection({{"Rochefoucauld-Montbel de La Tour", "Marie-Christine", "09/12/1955", "", ""},
                                       {"Roux", "Zo\xE9", "10/12/2019", "", ""}}) +
                        "[Rappel]\r\nJours=7\r\n");
        QListWidget& list = run.list("ListBox1");
        const auto tooltipOf = [&](int row) {
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) return QStringLiteral("(still shown)");
            const QPoint at = list.visualItemRect(list.item(row)).center();
            QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(list.viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        const QString longLine =
            QStringLiteral("Marie-Christine Rochefoucauld-Montbel de La Tour aura 71 ans le 09/12/2026 (dans 3 jours)");
        QCOMPARE(list.item(0)->text(), longLine);
        QCOMPARE(tooltipOf(0), longLine);
        QCOMPARE(tooltipOf(1), QString());  // "Zoé Roux aura 7 ans le 10/12/2026 (dans 4 jours)" fits
    }

    void dateCommandsMoveTheReferenceDateAndDisableNoAndTomorrow() {
        ReminderRun run(aWeekOfReminders());
        const auto reference = [&] { return run.rig.context.startup.referenceDate; };
        // "Oui" is always there; "Non" and "Demain" only on the real today.
        const auto answersEnabled = [&] {
            return run.button("IEButton2").isEnabled() && run.button("IEButton1").isEnabled() &&
                   run.button("IEButton3").isEnabled();
        };
        clickArrow(run.arrows("UpDown2"), TUDBtnType::btNext);
        QCOMPARE(reference(), (store::CalendarDate{7, 12, 2026}));
        QCOMPARE(run.text("Label3"), QStringLiteral("7 Décembre"));
        QVERIFY(!answersEnabled());
        QVERIFY(run.button("IEButton2").isEnabled());
        QVERIFY(run.button("IEButton1").isVisible());
        QCOMPARE(run.list("ListBox1").item(0)->text(), QStringLiteral("Ambroise Lefèvre a 76 ans AUJOURD'HUI !!"));
        clickArrow(run.arrows("UpDown2"), TUDBtnType::btPrev);
        QCOMPARE(reference(), kToday);
        QVERIFY(answersEnabled());

        run.item("Avancerladatedunmois1").trigger();
        QCOMPARE(reference(), (store::CalendarDate{5, 1, 2027}));
        QVERIFY(!answersEnabled());
        run.item("MenuItem2").trigger();
        QCOMPARE(reference(), (store::CalendarDate{4, 1, 2027}));
        run.item("MenuItem1").trigger();
        run.item("Reculerladatedunmois1").trigger();
        QCOMPARE(reference(), kToday);
        QVERIFY(answersEnabled());
    }

    void arrowsStopAtTheEndsOfTheirRange() {
        QWidget parent;
        TUpDown arrows(-2, 3, &parent);
        arrows.resize(27, 12);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        int clicks = 0;
        QObject::connect(&arrows, &TUpDown::Click, [&] { ++clicks; });
        clickArrow(arrows, TUDBtnType::btNext, 5);
        QCOMPARE(arrows.Position(), 3);
        QCOMPARE(clicks, 3);
        clickArrow(arrows, TUDBtnType::btPrev, 9);
        QCOMPARE(arrows.Position(), -2);
        QCOMPARE(clicks, 8);

        ReminderRun run("");
        QCOMPARE(run.arrows("UpDown2").Min(), -10000);
        QCOMPARE(run.arrows("UpDown2").Max(), 10000);
    }

    void theAnswersWriteExactlyTheirKeysAndClose_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("written");
        QTest::newRow("Oui") << "IEButton2"
                             << "Rappel/Date"
                             << "6 12 2026";
        QTest::newRow("Demain") << "IEButton3"
                                << "Rappel/Date"
                                << "7 12 2026";
        QTest::newRow("Non: the birthday today, until tomorrow") << "IEButton1"
                                                                 << "Velorine/Proch1"
                                                                 << "7 12 2026";
        QTest::newRow("Non: a birthday tomorrow and its name day") << "IEButton1"
                                                                   << "Velorine/Proch3"
                                                                   << "7 12 2026";
        QTest::newRow("Non: a name day alone holds nothing back") << "IEButton1"
                                                                  << "Velorine/Proch2"
                                                                  << "absent";
        QTest::newRow("Non: a birthday in six days") << "IEButton1"
                                                     << "Velorine/Proch5"
                                                     << "12 12 2026";
    }

    void theAnswersWriteExactlyTheirKeysAndClose() {
        QFETCH(QString, answer);
        QFETCH(QString, key);
        QFETCH(QString, written);
        ReminderRun run(aWeekOfReminders());
        clickButton(run.button(answer.toLatin1().constData()));
        QVERIFY(!run.window().isVisible());
        const QStringList sectionAndKey = key.split(QLatin1Char('/'));
        QCOMPARE(QString::fromStdString(run.value(sectionAndKey[0].toStdString(), sectionAndKey[1].toStdString())),
                 written);
        QVERIFY(run.rig.dialogs.calls.empty());
        const std::string bytes = run.rig.dataFileBytes();
        // Exactly its keys: the other answers' keys are not there.
        QCOMPARE(bytes.find("[Rappel]\r\nJours=7\r\nDate=") != std::string::npos, answer != "IEButton1");
        QCOMPARE(bytes.find("Proch") != std::string::npos, answer == "IEButton1");
        // Each slot once, however many lines named it.
        QCOMPARE(bytes.find("Proch3="), bytes.rfind("Proch3="));
    }

    void quitAndTheTitleBarWriteNothing() {
        for (const bool byTitleBar : {false, true}) {
            ReminderRun run("[Velorine]\r\nNom1=Seul\r\n");
            const std::string before = run.rig.dataFileBytes();
            if (byTitleBar)
                run.window().close();
            else
                clickButton(run.button("IEButton4"));
            QVERIFY(!run.window().isVisible());
            QCOMPARE(run.rig.dataFileBytes(), before);
        }
    }

    void aFailedAnswerIsToldBeforeTheWindowCloses() {
        ReminderRun run(aWeekOfReminders());
        ::chmod(run.rig.context.startup.dataFilePath.c_str(), 0444);
        const std::string before = run.rig.dataFileBytes();
        clickButton(run.button("IEButton2"));
        QVERIFY(!run.window().isVisible());
        QCOMPARE(run.rig.dataFileBytes(), before);
        const QStringList messages = run.rig.dialogs.messages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(QStringLiteral("Problème|Votre réponse n'a pas pu être enregistrée")));
        QVERIFY(messages[0].contains(QString::fromStdString(run.rig.context.startup.dataFilePath)));
        QVERIFY(messages[0].contains(writeFailureText(store::Failure::ReadOnlyFile)));
    }

    void theBannerOpensTheListInANewInstance() {
        ReminderRun run(aWeekOfReminders());
        emit run.rig.control<controls::TBanner>("Banner1").OnClick();
        QCOMPARE(run.rig.dialogs.callsOf(DialogCall::Program).size(), std::size_t{1});
        QVERIFY(run.rig.dialogs.callsOf(DialogCall::Program)[0].arguments.isEmpty());
        QVERIFY(!run.window().isVisible());

        ReminderRun failing(aWeekOfReminders());
        failing.rig.dialogs.programStarts = false;
        emit failing.rig.control<controls::TBanner>("Banner1").OnClick();
        QVERIFY(failing.window().isVisible());
        QCOMPARE(failing.rig.dialogs.messages().size(), 1);
    }

    void thePickerStartsOnTheReferenceDateAndStepsYearsAndMonths() {
        ReminderRun run("");
        auto& picker = run.rig.control<QGroupBox>("Group2");
        auto& calendar = run.rig.control<QCalendarWidget>("Calendar1");
        QVERIFY(!picker.isVisible());
        const auto pickAt = [&](const store::CalendarDate& day) {
            run.lookAt(day);
            run.item("MenuItem3").trigger();
        };
        pickAt({29, 2, 2024});
        QVERIFY(picker.isVisible());
        QVERIFY(run.rig.control<QFrame>("Panel3").isVisible());
        QCOMPARE(calendar.selectedDate(), QDate(2024, 2, 29));
        QCOMPARE(run.text("Label21"), QStringLiteral("Février 2024"));
        clickArrow(run.arrows("UpDown1"), TUDBtnType::btNext);
        QCOMPARE(calendar.selectedDate(), QDate(2025, 2, 28));
        QCOMPARE(run.text("Label21"), QStringLiteral("Février 2025"));

        pickAt({31, 1, 2025});
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btNext);
        QCOMPARE(calendar.selectedDate(), QDate(2025, 2, 28));
        pickAt({31, 3, 2024});
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btPrev);
        QCOMPARE(calendar.selectedDate(), QDate(2024, 2, 29));
        pickAt({31, 3, 2025});
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btPrev);
        QCOMPARE(calendar.selectedDate(), QDate(2025, 2, 28));
        pickAt({15, 12, 2026});
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btNext);
        QCOMPARE(calendar.selectedDate(), QDate(2027, 1, 15));
        QCOMPARE(run.text("Label21"), QStringLiteral("Janvier 2027"));
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btPrev, 2);
        QCOMPARE(calendar.selectedDate(), QDate(2026, 11, 15));
        // 2100 is within reach, and has no 29 February.
        pickAt({29, 2, 2096});
        clickArrow(run.arrows("UpDown1"), TUDBtnType::btNext, 4);
        QCOMPARE(calendar.selectedDate(), QDate(2100, 2, 28));
    }

    void theYearAndMonthArrowsKeepTheirRangeForTheWholeRun() {
        ReminderRun run("");
        auto& calendar = run.rig.control<QCalendarWidget>("Calendar1");
        run.item("MenuItem3").trigger();
        clickArrow(run.arrows("UpDown1"), TUDBtnType::btNext, 30);
        run.item("MenuItem3").trigger();  // the calendar starts again on the reference date, the arrows do not
        clickArrow(run.arrows("UpDown1"), TUDBtnType::btNext, 75);
        QCOMPARE(calendar.selectedDate(), QDate(2096, 12, 6));
        clickArrow(run.arrows("UpDown1"), TUDBtnType::btPrev, 200);
        QCOMPARE(run.arrows("UpDown1").Position(), -50);
        QCOMPARE(calendar.selectedDate(), QDate(2096 - 150, 12, 6));
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btPrev, 1003);
        QCOMPARE(run.arrows("UpDown3").Position(), -1000);
    }

    void aDoubleClickTakesTheDateAndAMoveOverTheBackgroundHidesThePicker() {
        ReminderRun run(aWeekOfReminders());
        auto& picker = run.rig.control<QGroupBox>("Group2");
        auto& calendar = run.rig.control<QCalendarWidget>("Calendar1");
        run.item("MenuItem3").trigger();
        clickArrow(run.arrows("UpDown3"), TUDBtnType::btNext);
        auto* grid = calendar.findChild<QTableView*>();
        QVERIFY(grid);
        // The cell of 9 January 2027: the grid starts on Monday 28 December.
        const QModelIndex cell = grid->model()->index(2, 5);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QCOMPARE(run.rig.context.startup.referenceDate, (store::CalendarDate{9, 1, 2027}));
        QVERIFY(!picker.isVisible());
        QCOMPARE(run.text("Label3"), QStringLiteral("9 Janvier"));
        QVERIFY(!run.button("IEButton1").isEnabled());

        run.item("MenuItem3").trigger();
        QTest::mouseMove(&picker, {200, 100});
        QVERIFY(picker.isVisible());
        QTest::mouseMove(&run.rig.control<QFrame>("Panel1"), {520, 300});
        QVERIFY(!picker.isVisible());
        QVERIFY(!run.rig.control<QFrame>("Panel3").isVisible());
        QCOMPARE(run.rig.context.startup.referenceDate, (store::CalendarDate{9, 1, 2027}));
    }

    void linesAreBlueGreenOrWhiteWhenSelected() {
        ReminderRun run(aWeekOfReminders());
        QListWidget& list = run.list("ListBox1");
        QCOMPARE(inkOf(list, 0), QColor(0, 0, 255));  // a birthday
        QCOMPARE(inkOf(list, 1), QColor(0, 128, 0));  // "C'est la fête …"
        QCOMPARE(inkOf(list, 3), QColor(0, 128, 0));  // "Ce sera la fete …"
        list.setCurrentRow(2);
        QCOMPARE(inkOf(list, 2), QColor(Qt::white));
        QCOMPARE(list.viewport()->grab().toImage().pixelColor(list.viewport()->width() - 3, 100),
                 QColor(254, 255, 198));  // the pale yellow of the list below its lines
    }
};

QTEST_MAIN(ReminderWindowTest)
#include "reminder_window_test.moc"
