// The main window on the real widgets: the list, the info line, the count label, delete, the keys,
// quitting, the switch to the reminder window, the name-day option and the web-site link.
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include "store/data_file.h"
#include "ui/user_dialogs.h"
#include "sample_records.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

std::string twoPeople() { return recordSection({kJean, kAnne}); }

QColor textColour(QWidget& widget) { return widget.palette().color(QPalette::WindowText); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void fillsTheListFromTheFileSkippingHolesAndStoppingAtTheEnd() {
        // Slot 2 is a hole; slot 4 has no surname key, so slot 5 is past the end of the list.
        WindowRig rig(
            "[Velorine]\r\nNom1=Zola\r\nPren1=\xC9mile\r\nDate1=02/04/1840\r\nAdress1=Paris\r\nEmail1=\r\n"
            "Nom2=\r\nPren2=Fant\xF4me\r\n"
            "Nom3=Dupont\r\nPren3=Jean\r\nDate3=10/03/1990\r\n"
            "Pren4=Sans nom\r\nNom5=Perdu\r\n");
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Zola"}));
        QCOMPARE(rig.column(1), QStringList({"Jean", "Émile"}));
        QCOMPARE(rig.column(2), QStringList({"10/03/1990", "02/04/1840"}));
        QCOMPARE(rig.column(3), QStringList({"", "Paris"}));
        QCOMPARE(rig.label("Label4").text(), QString("2 Velorine"));
    }

    void infoLine_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("line");
        QTest::newRow("birthday to come") << "10/03/1990"
                                          << "Jean Dupont (36 ans) va avoir 37 ans le 10/03/2027.";
        QTest::newRow("one year old today") << "06/12/2025"
                                            << "Jean Dupont (1 an) va avoir 2 ans le 06/12/2027.";
        QTest::newRow("one year old tomorrow") << "07/12/2025"
                                               << "Jean Dupont va avoir 1 an le 07/12/2026.";
        QTest::newRow("born today") << "06/12/2026"
                                    << "Jean Dupont va avoir 1 an le 06/12/2027.";
        QTest::newRow("29 February") << "29/02/2000"
                                     << "Jean Dupont (26 ans) va avoir 27 ans le 29/02/2027.";
        QTest::newRow("year unknown") << "10/03/1604"
                                      << "Jean Dupont (âge inconnu) fêtera son anniversaire le 10/03/2027.";
        QTest::newRow("unreadable date") << "inconnue"
                                         << "Jean Dupont : date de naissance illisible (inconnue).";
    }
    void infoLine() {
        QFETCH(QString, birthDate);
        QFETCH(QString, line);
        WindowRig rig(recordSection({{"Dupont", "Jean", birthDate.toStdString(), "", ""}}));
        QLabel& info = rig.label("Label2");
        QCOMPARE(info.text(), QString("Cliquez sur un nom de personne"));
        rig.clickRow(0);
        QCOMPARE(info.text(), line);
        QCOMPARE(info.x(), rig.form().width() - info.width() - 20);
    }

    // Its text is no longer than an age's: a name of twenty letters still fits the window.
    void infoLineOfAnUnknownYearFitsLikeAnAge() {
        WindowRig rig(recordSection({{"Stefanescu", "Jean-Pierre", "30/11/1604", "", ""}}));
        QLabel& info = rig.label("Label2");
        rig.clickRow(0);
        QCOMPARE(info.text(), QString("Jean-Pierre Stefanescu (âge inconnu) fêtera son anniversaire le 30/11/2027."));
        QCOMPARE(info.x(), rig.form().width() - info.width() - 20);
    }

    void infoLineStaysInPlaceWhenTheWindowIsTooNarrowForIt() {
        WindowRig rig(recordSection({{"Dupont-Lajoie de la Grande Maison", "Jean-Christophe", "10/03/1990", "", ""}}));
        rig.form().resize(500, 414);
        QLabel& info = rig.label("Label2");
        const int left = info.x();
        rig.clickRow(0);
        QVERIFY(info.width() + 180 >= rig.form().width());
        QCOMPARE(info.x(), left);
    }

    void countLabel_data() {
        QTest::addColumn<int>("people");
        QTest::addColumn<QString>("count");
        QTest::newRow("none") << 0 << "";
        QTest::newRow("one") << 1 << "1 Anniversaire";
        QTest::newRow("two") << 2 << "2 Velorine";
    }
    void countLabel() {
        QFETCH(int, people);
        QFETCH(QString, count);
        std::vector<store::BirthdayRecord> records = {kJean, kAnne};
        records.resize(static_cast<std::size_t>(people));
        WindowRig rig(recordSection(records));
        QCOMPARE(rig.label("Label4").text(), count);
    }

    void aFileThatIsNoListIsToldAndLeftAsItIs() {
        const std::string utf16("\xFF\xFE[\0V\0e\0l\0o\0r\0i\0n\0e\0]\0\r\0\n\0", 26);
        WindowRig rig(utf16);
        QCOMPARE(rig.dialogs.messages().size(), 1);
        QVERIFY(rig.dialogs.messages().front().startsWith("Attention|La liste des anniversaires ne peut pas être lue"));
        QVERIFY(rig.dialogs.messages().front().contains("ne peut pas être lu comme une liste d'anniversaires"));
        QCOMPARE(rig.dataFileBytes(), utf16);
    }

    void deleteWithoutSelectionSaysSoAndChangesNothing() {
        WindowRig rig(twoPeople());
        const std::string before = rig.dataFileBytes();
        rig.control<QToolButton>("SpeedButton2").click();
        QCOMPARE(rig.dialogs.messages(),
                 QStringList("Attention|Vous devez sélectionner l'anniversaire avant de le supprimer !"));
        QCOMPARE(rig.dialogs.calls.front().icon, MessageIcon::Information);
        QCOMPARE(rig.dataFileBytes(), before);
    }

    void deleteDeclinedKeepsTheRecord() {
        WindowRig rig(twoPeople());
        const std::string before = rig.dataFileBytes();
        rig.clickRow(0);
        rig.dialogs.answers = {false};
        rig.control<QToolButton>("SpeedButton2").click();
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].title, QString("Confirmation"));
        QCOMPARE(rig.dialogs.calls[0].text,
                 QString("Voulez-vous vraiment supprimer l'anniversaire de :\n\nJean Dupont (10/03/1990) ?"));
        QCOMPARE(rig.dataFileBytes(), before);
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Martin"}));
    }

    void deleteAcceptedLeavesAHoleAndRemovesTheRow() {
        WindowRig rig(twoPeople());
        rig.clickRow(0);
        const QString line = rig.label("Label2").text();
        rig.dialogs.answers = {true};
        rig.control<QToolButton>("SpeedButton2").click();
        QCOMPARE(rig.column(0), QStringList("Martin"));
        QCOMPARE(rig.label("Label4").text(), QString("1 Anniversaire"));
        QCOMPARE(rig.label("Label2").text(), line);  // until another row is selected
        QCOMPARE(rig.storedRecords(), std::vector<store::BirthdayRecord>{kAnne});
        QVERIFY(rig.dataFileBytes().find("Nom1=\r\n") != std::string::npos);
        QVERIFY(rig.dataFileBytes().find("Nom2=Martin") != std::string::npos);
    }

    void deleteOfOneOfTwoIdenticalRecordsClearsTheLowerSlot() {
        const store::BirthdayRecord twin{"Dupont", "Jean", "10/03/1990", "second", "two@dupont.fr"};
        WindowRig rig(recordSection({kJean, twin}));
        rig.clickRow(1);
        rig.dialogs.answers = {true};
        rig.control<QToolButton>("SpeedButton2").click();
        QCOMPARE(rig.list().model()->rowCount(), 1);
        QCOMPARE(rig.storedRecords(), std::vector<store::BirthdayRecord>{twin});
        rig.form().fillList();
        QCOMPARE(rig.column(3), QStringList("second"));
    }

    void deleteThatCannotBeWrittenKeepsTheRowAndSaysSo() {
        WindowRig rig(twoPeople());
        QCOMPARE(::chmod(rig.context.startup.dataFilePath.c_str(), 0444), 0);
        rig.clickRow(0);
        rig.dialogs.answers = {true};
        rig.control<QToolButton>("SpeedButton2").click();
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Martin"}));
        QCOMPARE(rig.dialogs.calls.back().title, QString("Problème"));
        QCOMPARE(rig.dialogs.calls.back().icon, MessageIcon::Error);
        QVERIFY(rig.dialogs.calls.back().text.endsWith(writeFailureText(store::Failure::ReadOnlyFile)));
        QCOMPARE(rig.storedRecords().size(), std::size_t{2});
    }

    void modifyWithoutSelectionSaysSo() {
        WindowRig rig(twoPeople());
        QVERIFY(!rig.withDialog([&] { rig.control<QToolButton>("SpeedButton4").click(); }, [](TSais&) {}));
        QCOMPARE(rig.dialogs.messages(),
                 QStringList("Attention|Vous devez sélectionner l'anniversaire pour pouvoir le modifier !"));
    }

    void keysOfTheListActLikeTheButtons() {
        WindowRig rig(twoPeople());
        QTreeView& list = rig.list();
        QTest::keyClick(&list, Qt::Key_Delete);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(rig.dialogs.messages(),
                 QStringList({"Attention|Vous devez sélectionner l'anniversaire avant de le supprimer !",
                              "Attention|Vous devez sélectionner l'anniversaire pour pouvoir le modifier !"}));
        QString caption;
        QVERIFY(rig.withDialog([&] { QTest::keyClick(&list, Qt::Key_Insert); },
                               [&](TSais& dialog) { caption = dialog.windowTitle(); }));
        QCOMPARE(caption, QString("Ajouter un anniversaire"));

        rig.selectRow(1);
        QVERIFY(rig.withDialog([&] { QTest::keyClick(&list, Qt::Key_Enter); },
                               [&](TSais& dialog) { caption = entryBox(dialog, "Edit1").text(); }));
        QCOMPARE(caption, QString("Martin"));
        rig.dialogs.answers = {true};
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(rig.column(0), QStringList("Dupont"));
    }

    void doubleClickModifies() {
        WindowRig rig(twoPeople());
        QTreeView& list = rig.list();
        const QPoint cell = list.visualRect(list.model()->index(0, 1)).center();
        QString surname;
        QVERIFY(rig.withDialog(
            [&] {
                QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell);
                QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell);
            },
            [&](TSais& dialog) { surname = entryBox(dialog, "Edit1").text(); }));
        QCOMPARE(surname, QString("Dupont"));
    }

    void escapeAnywhereQuits() {
        for (const char* where : {"ListView", "Label4", "Status"}) {
            WindowRig rig(twoPeople());
            rig.form().show();
            QVERIFY(QTest::qWaitForWindowActive(&rig.form()));
            QTest::keyClick(&rig.control<QWidget>(where), Qt::Key_Escape);
            QTRY_VERIFY2(!rig.form().isVisible(), where);  // the hidden button is pressed, then released
        }
    }

    void quitCommandsCloseTheWindow() {
        WindowRig rig(twoPeople());
        rig.form().show();
        rig.control<QToolButton>("SpeedButton3").click();
        QVERIFY(!rig.form().isVisible());
        rig.form().show();
        rig.control<QAction>("MenuQuitter").trigger();
        QVERIFY(!rig.form().isVisible());
    }

    void remindersButtonStartsTheProgramWithRappelAndCloses() {
        for (bool starts : {true, false}) {
            WindowRig rig(twoPeople());
            rig.dialogs.programStarts = starts;
            rig.form().show();
            rig.control<QToolButton>("SpeedButton8").click();
            QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
            QCOMPARE(rig.dialogs.calls[0].kind, DialogCall::Program);
            QCOMPARE(rig.dialogs.calls[0].arguments, QStringList("RAPPEL"));
            QVERIFY(!rig.form().isVisible());
        }
    }

    void nameDaySwitchWritesTheOptionAndTheFlag() {
        WindowRig rig(RigSetup{twoPeople(), "", true, app::RunMode::List});
        QAction& item = rig.control<QAction>("NepasmerappelerlesftesSaintdujour1");
        QVERIFY(!item.isChecked());
        item.trigger();
        QVERIFY(item.isChecked());
        QVERIFY(!rig.context.startup.nameDayReminders);
        QCOMPARE(store::readValue(rig.context.startup.dataFilePath, "Options", "RappelFete", "absent", 10), "0");
        item.trigger();
        QVERIFY(rig.context.startup.nameDayReminders);
        QCOMPARE(store::readValue(rig.context.startup.dataFilePath, "Options", "RappelFete", "absent", 10), "1");

        WindowRig quiet(RigSetup{twoPeople(), "", false, app::RunMode::List});
        QVERIFY(quiet.control<QAction>("NepasmerappelerlesftesSaintdujour1").isChecked());
    }

    void webSiteLinkOpensTheBrowserOrSaysThereIsNone() {
        WindowRig rig(twoPeople());
        QLabel& link = rig.label("Label3");
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].arguments, QStringList("https://www.velorine.example/?pgm=velorine"));

        rig.dialogs.browserFound = false;
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(rig.dialogs.calls.back().icon, MessageIcon::Warning);
        QCOMPARE(rig.dialogs.messages(), QStringList("Information|Vous n'avez pas de logiciel d'accès à Internet...\n"
                                                     "...ou je ne l'ai pas trouvé !"));
    }

    void webSiteLinkTurnsRedUnderThePointerAndBlueOverTheList() {
        WindowRig rig(twoPeople());
        QLabel& link = rig.label("Label3");
        rig.form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.form()));
        QCOMPARE(textColour(link), QColor(0, 0, 255));
        // Small steps across the link, as a hand moves the mouse: red all the way.
        for (int x = 1; x < link.width(); x += 4) {
            QTest::mouseMove(&link, QPoint(x, link.height() / 2));
            QCOMPARE(textColour(link), QColor(255, 0, 0));
        }
        QTest::mouseMove(rig.list().viewport(), QPoint(10, 10));
        QCOMPARE(textColour(link), QColor(0, 0, 255));
        QTest::mouseMove(&link, QPoint(2, 2));
        QCOMPARE(textColour(link), QColor(255, 0, 0));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&link, &leave);
        QCOMPARE(textColour(link), QColor(0, 0, 255));
        QCOMPARE(link.cursor().shape(), Qt::BitmapCursor);
    }

    void toolButtonsHaveTheirPlacesTooltipsAndTwoImageGlyphs() {
        WindowRig rig;
        // Left to right, as the toolbar shows them.
        const struct {
            const char* name;
            const char* tooltip;
        } buttons[] = {
            {"SpeedButton3", "Quitter le programme"},
            {"SpeedButton1", "Ajouter un anniversaire"},
            {"SpeedButton2", "Supprimer un anniversaire"},
            {"SpeedButton4", "Modifier un anniversaire"},
            {"SpeedButton6", "Programmer les rappels"},
            {"SpeedButton5", "Aide"},
            {"SpeedButton7", "A Propos..."},
            {"SpeedButton8", "Voir les Rappels"},
        };
        const QWidget& toolbar = rig.control<QWidget>("Panel1");
        const QToolButton* previous = nullptr;
        for (const auto& expected : buttons) {
            auto& button = rig.control<QToolButton>(expected.name);
            // In the visible toolbar, square, on one line, each right of the one before.
            QVERIFY2(toolbar.rect().contains(button.geometry()), expected.name);
            QVERIFY2(button.width() == button.height() && button.width() > 20, expected.name);
            if (previous) {
                QVERIFY2(button.y() == previous->y(), expected.name);
                QVERIFY2(button.x() > previous->geometry().right(), expected.name);
            }
            previous = &button;
            QCOMPARE(button.toolTip(), QString(expected.tooltip));
            const QImage normal = button.icon().pixmap(20, QIcon::Normal).toImage();
            const QImage disabled = button.icon().pixmap(20, QIcon::Disabled).toImage();
            QVERIFY2(normal.size() == QSize(20, 20) && disabled.size() == QSize(20, 20), expected.name);
            QVERIFY2(normal != disabled, expected.name);
            QVERIFY2(normal.pixelColor(10, 10).alpha() > 0 || normal.pixelColor(6, 6).alpha() > 0, expected.name);
        }
        // The info line begins right of the buttons.
        QVERIFY(rig.control<QLabel>("Label2").x() > previous->geometry().right());
        // The Escape button sits below the visible toolbar.
        QVERIFY(rig.control<QPushButton>("Button1").y() >= rig.control<QWidget>("Panel1").height());
    }

    void listAndMenusAreAsDesigned() {
        WindowRig rig;
        QCOMPARE(rig.form().size(), QSize(669, 414));
        QCOMPARE(rig.form().windowTitle(), QString("Velorine Version 2.0"));
        QTreeView& list = rig.list();
        QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list.editTriggers(), QAbstractItemView::NoEditTriggers);
        QList<int> widths;
        QStringList titles;
        for (int c = 0; c < 5; ++c) {
            widths << list.columnWidth(c);
            titles << list.model()->headerData(c, Qt::Horizontal).toString();
        }
        QCOMPARE(titles, QStringList({"Nom", "Prénom", "Naissance", "Adresse", "E-mail"}));
        // Every title whole in its column, and the columns side by side within the list at the
        // window's size: no scrolling sideways to see an address.
        const QFontMetrics header = list.header()->fontMetrics();
        int total = 0;
        for (int c = 0; c < 5; ++c) {
            QVERIFY2(header.horizontalAdvance(titles[c]) < widths[c], qPrintable(titles[c]));
            total += widths[c];
        }
        QVERIFY(total <= list.viewport()->width());

        QStringList menus;
        for (QAction* menu : rig.form().menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions()) {
                QVERIFY(item->shortcut().isEmpty());
                items << item->text();
            }
            menus << menu->text() + ": " + items.join(", ");
        }
        QCOMPARE(
            menus,
            QStringList({"&Fichier: &Fusionner, &Ouvrir..., Enregistrer sous..., , &Importer des contacts (vCard)…, "
                         "&Exporter vers un agenda (iCalendar)…, Carnet d'adresses en &ligne…, , &Quitter",
                         "&Options: &Programmation, Ne pas me rappeler les fêtes (Saint du jour), "
                         "&Tenir à jour un agenda des anniversaires…, Me rappeler par une notification du bureau",
                         "&Aide: &Aide rapide, A &Propos"}));
        QStringList listMenu;
        for (QAction* item : rig.control<QMenu>("PopupMenu").actions()) listMenu << item->text();
        QCOMPARE(listMenu, QStringList({"&Ajouter", "&Supprimer", "&Modifier", "", "Changer la couleur du fond",
                                        "Changer la couleur du texte", "", "&Fermer ce menu"}));
        QCOMPARE(rig.control<QCheckBox>("CheckBox4").text(), QString("Pas de bulles d'aide rapide"));
    }

    void listMenuCommandsAct() {
        WindowRig rig(twoPeople());
        rig.control<QAction>("Supprimer").trigger();
        rig.control<QAction>("Modifier").trigger();
        QCOMPARE(rig.dialogs.messages().size(), 2);
        QVERIFY(rig.withDialog([&] { rig.control<QAction>("Ajouter").trigger(); }, [](TSais&) {}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
