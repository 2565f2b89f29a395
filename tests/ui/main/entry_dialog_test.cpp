// The add/modify dialog through the main window, on the real widgets: adding, modifying, each
// check with its message and focus, the user's date separator, cancel, and the mends (127
// characters, characters the data file cannot hold, a record gone meanwhile, a failed write).
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

#include "ui/user_dialogs.h"
#include "sample_records.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

QString boxText(TSais& dialog, const char* name) { return entryBox(dialog, name).displayText(); }

QString focusedBox(TSais& dialog) {
    QWidget* focus = dialog.focusWidget();
    return focus ? focus->objectName() : QString();
}

void fillIn(TSais& dialog, const QString& surname, const QString& firstName, const QString& date,
            const QString& address = {}, const QString& email = {}) {
    typeInto(dialog, "Edit1", surname);
    typeInto(dialog, "Edit4", firstName);
    typeInto(dialog, "MaskEdit1", date);
    typeInto(dialog, "Edit2", address);
    typeInto(dialog, "Edit3", email);
}

}  // namespace

class EntryDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void addStoresTheRecordAndRefillsTheList() {
        WindowRig rig(recordSection({kJean}));
        QString caption, title, hint;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   caption = dialog.windowTitle();
                                   title = dialog.findChild<QLabel*>("Label9")->text();
                                   hint = dialog.findChild<QLabel*>("Label1")->text();
                                   QCOMPARE(focusedBox(dialog), QString("Edit1"));
                                   fillIn(dialog, "Lefèvre", "Chloé", "02022001", "8 place du Marché", "chloe@ex.fr");
                                   pressOk(dialog);
                                   QVERIFY(!dialog.isVisible());
                               }));
        QCOMPARE(caption, QString("Ajouter un anniversaire"));
        QCOMPARE(title, caption);
        QCOMPARE(hint, QString("JJ/MM/AAAA"));
        QVERIFY(rig.dialogs.calls.empty());
        const store::BirthdayRecord chloe{"Lef\xE8vre", "Chlo\xE9", "02/02/2001", "8 place du March\xE9",
                                          "chloe@ex.fr"};
        QCOMPARE(rig.storedRecords(), (std::vector<store::BirthdayRecord>{kJean, chloe}));
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Lefèvre"}));
        QCOMPARE(rig.label("Label4").text(), QString("2 Velorine"));
    }

    void addFillsTheFirstHole() {
        WindowRig rig(
            "[Velorine]\r\nNom1=Dupont\r\nPren1=Jean\r\nDate1=10/03/1990\r\nNom2=\r\n"
            "Nom3=Martin\r\nPren3=Anne\r\nDate3=21/06/1985\r\n");
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   fillIn(dialog, "Petit", "", "29022000");
                                   QTest::keyClick(&entryBox(dialog, "Edit3"), Qt::Key_Return);  // OK is the default
                               }));
        QVERIFY(rig.dataFileBytes().find("Nom2=Petit") != std::string::npos);
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Martin", "Petit"}));
    }

    void checks_data() {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<QString>("focus");
        const QString required = "Le nom de personne est obligatoire !";
        const QString wrong = "La date de naissance est incorrecte !";
        QTest::newRow("no surname") << ""
                                    << "12051990" << required << "Edit1";
        QTest::newRow("blank surname") << "   "
                                       << "12051990" << required << "Edit1";
        QTest::newRow("date untouched") << "Dupont"
                                        << "" << wrong << "MaskEdit1";
        QTest::newRow("date half typed") << "Dupont"
                                         << "1205" << wrong << "MaskEdit1";
        QTest::newRow("29/02/2024") << "Dupont"
                                    << "29022024"
                                    << ""
                                    << "";
        QTest::newRow("29/02/2023") << "Dupont"
                                    << "29022023" << wrong << "MaskEdit1";
        QTest::newRow("29/02/1900") << "Dupont"
                                    << "29021900"
                                    << ""
                                    << "";
        QTest::newRow("31/04/2000") << "Dupont"
                                    << "31042000" << wrong << "MaskEdit1";
        QTest::newRow("00/05/2000") << "Dupont"
                                    << "00052000" << wrong << "MaskEdit1";
        QTest::newRow("15/13/2000") << "Dupont"
                                    << "15132000" << wrong << "MaskEdit1";
        QTest::newRow("15/00/2000") << "Dupont"
                                    << "15002000" << wrong << "MaskEdit1";
        QTest::newRow("today") << "Dupont"
                               << "06122026"
                               << ""
                               << "";
        QTest::newRow("tomorrow") << "Dupont"
                                  << "07122026" << wrong << "MaskEdit1";
    }
    void checks() {
        QFETCH(QString, surname);
        QFETCH(QString, date);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        WindowRig rig(recordSection({kJean}));
        const std::string before = rig.dataFileBytes();
        bool stillOpen = false;
        QString focused, firstName;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   fillIn(dialog, surname, "Jeanne", date);
                                   pressOk(dialog);
                                   stillOpen = dialog.isVisible();
                                   focused = focusedBox(dialog);
                                   firstName = boxText(dialog, "Edit4");
                               }));
        if (message.isEmpty()) {
            QVERIFY(rig.dialogs.calls.empty());
            QVERIFY(!stillOpen);
            QCOMPARE(rig.storedRecords().size(), std::size_t{2});
            return;
        }
        QCOMPARE(rig.dialogs.messages(), QStringList("Attention|" + message));
        QCOMPARE(rig.dialogs.calls[0].icon, MessageIcon::None);
        QVERIFY(stillOpen);
        QCOMPARE(focused, focus);
        QCOMPARE(firstName, QString("Jeanne"));  // the contents stay
        QCOMPARE(rig.dataFileBytes(), before);
    }

    void theUsersDateSeparatorIsShownButSlashesAreStored() {
        WindowRig rig(RigSetup{recordSection({kJean}), "[intl]\r\nsDate=.\r\n", true, app::RunMode::List});
        QString hint, shown;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   hint = dialog.findChild<QLabel*>("Label1")->text();
                                   fillIn(dialog, "Martin", "Anne", "12051990");
                                   shown = boxText(dialog, "MaskEdit1");
                                   pressOk(dialog);
                               }));
        QCOMPARE(hint, QString("JJ.MM.AAAA"));
        QCOMPARE(shown, QString("12.05.1990"));
        QCOMPARE(rig.storedRecords().back().birthDate, std::string("12/05/1990"));

        rig.clickRow(0);
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton4Click(); },
                               [&](TSais& dialog) { shown = boxText(dialog, "MaskEdit1"); }));
        QCOMPARE(shown, QString("10.03.1990"));
    }

    void modifyLoadsTheRecordAndOverwritesItsSlot() {
        WindowRig rig(recordSection({kJean, kAnne}));
        rig.clickRow(1);
        QStringList loaded;
        QString caption;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton4Click(); },
                               [&](TSais& dialog) {
                                   caption = dialog.windowTitle();
                                   for (const char* name : {"Edit1", "Edit4", "MaskEdit1", "Edit2", "Edit3"})
                                       loaded << boxText(dialog, name);
                                   entryBox(dialog, "Edit2").setText("5 rue Neuve");
                                   pressOk(dialog);
                               }));
        QCOMPARE(caption, QString("Modifier un anniversaire"));
        QCOMPARE(loaded, QStringList({"Martin", "Anne", "21/06/1985", "", "anne@martin.fr"}));
        QVERIFY(rig.dataFileBytes().find("Adress2=5 rue Neuve") != std::string::npos);
        QCOMPARE(rig.column(3), QStringList({"3 rue des Lilas, Lyon", "5 rue Neuve"}));
    }

    void modifyOfOneOfTwoIdenticalRecordsChangesTheLowerSlot() {
        const store::BirthdayRecord twin{"Dupont", "Jean", "10/03/1990", "second", ""};
        WindowRig rig(recordSection({kJean, twin}));
        rig.clickRow(1);  // the row of the second slot
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton4Click(); },
                               [&](TSais& dialog) {
                                   QCOMPARE(boxText(dialog, "Edit2"), QString("3 rue des Lilas, Lyon"));
                                   entryBox(dialog, "Edit4").setText("Jacques");
                                   pressOk(dialog);
                               }));
        const auto records = rig.storedRecords();
        QCOMPARE(records[0].firstName, std::string("Jacques"));
        QCOMPARE(records[1], twin);
    }

    void cancelLeavesTheFileAndTheListUnchanged() {
        WindowRig rig(recordSection({kJean, kAnne}));
        const std::string before = rig.dataFileBytes();
        rig.clickRow(0);
        for (bool byEscape : {false, true}) {
            QVERIFY(rig.withDialog([&] { rig.form().SpeedButton4Click(); },
                                   [&](TSais& dialog) {
                                       entryBox(dialog, "Edit1").setText("Autre");
                                       if (byEscape)
                                           QTest::keyClick(&entryBox(dialog, "Edit1"), Qt::Key_Escape);
                                       else
                                           QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
                                       QVERIFY(!dialog.isVisible());
                                   }));
        }
        QCOMPARE(rig.dataFileBytes(), before);
        QCOMPARE(rig.column(0), QStringList({"Dupont", "Martin"}));
    }

    void everyShowingStartsEmpty() {
        WindowRig rig(recordSection({kJean}));
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) { fillIn(dialog, "Brouillon", "Pas", "0101"); }));
        QStringList boxes;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   for (const char* name : {"Edit1", "Edit4", "Edit2", "Edit3"})
                                       boxes << boxText(dialog, name);
                                   boxes << boxText(dialog, "MaskEdit1");
                               }));
        QCOMPARE(boxes, QStringList({"", "", "", "", "  /  /    "}));
    }

    void boxesTakeAtMost127Characters() {
        WindowRig rig;
        const QString longName(130, QLatin1Char('x'));
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   fillIn(dialog, longName, longName, "01012000", longName, longName);
                                   for (const char* name : {"Edit1", "Edit4", "Edit2", "Edit3"})
                                       QCOMPARE(boxText(dialog, name).size(), 127);
                                   pressOk(dialog);
                               }));
        const std::string kept(127, 'x');
        QCOMPARE(rig.storedRecords(), (std::vector<store::BirthdayRecord>{{kept, kept, "01/01/2000", kept, kept}}));
    }

    void charactersTheFileCannotHoldAreRefused() {
        WindowRig rig(recordSection({kJean}));
        const std::string before = rig.dataFileBytes();
        QString focused;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   fillIn(dialog, "Nowak", "Łukasz", "01012000");
                                   pressOk(dialog);
                                   focused = focusedBox(dialog);
                               }));
        QCOMPARE(rig.dialogs.messages(),
                 QStringList("Attention|Le champ « Prénom » contient le caractère « Ł », que Velorine ne peut pas "
                             "enregistrer.\n\nRemplacez-le, par exemple par la même lettre sans accent."));
        QCOMPARE(focused, QString("Edit4"));
        QCOMPARE(rig.dataFileBytes(), before);

        // The euro sign and the œ are in the set: they are stored as their Windows-1252 bytes.
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   fillIn(dialog, "Cœur", "", "01012000", "", "€uro");
                                   pressOk(dialog);
                               }));
        QCOMPARE(rig.storedRecords().back().surname, std::string("C\x9C"
                                                                 "ur"));
        QCOMPARE(rig.storedRecords().back().email, std::string("\x80uro"));
    }

    void modifyOfARecordGoneMeanwhileSaysSoAndRefillsTheList() {
        WindowRig rig(recordSection({kJean, kAnne}));
        rig.clickRow(0);
        QVERIFY(store::RecordStore(rig.context.startup.dataFilePath).deleteRecord({"Dupont", "Jean", "10/03/1990"}));
        QVERIFY(!rig.withDialog([&] { rig.form().SpeedButton4Click(); }, [](TSais&) {}));
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QVERIFY(rig.dialogs.calls[0].text.startsWith("Cet anniversaire n'est plus dans le fichier"));
        QCOMPARE(rig.column(0), QStringList("Martin"));
    }

    void recordGoneWhileTheDialogIsOpenIsNotRecreated() {
        WindowRig rig(recordSection({kJean, kAnne}));
        rig.clickRow(1);
        bool stillOpen = true;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton4Click(); },
                               [&](TSais& dialog) {
                                   QVERIFY(store::RecordStore(rig.context.startup.dataFilePath)
                                               .deleteRecord({"Martin", "Anne", "21/06/1985"}));
                                   entryBox(dialog, "Edit2").setText("ailleurs");
                                   pressOk(dialog);
                                   stillOpen = dialog.isVisible();
                               }));
        QVERIFY(!stillOpen);
        QVERIFY(rig.dialogs.calls[0].text.startsWith("Cet anniversaire n'est plus dans le fichier"));
        QCOMPARE(rig.storedRecords(), std::vector<store::BirthdayRecord>{kJean});
        QCOMPARE(rig.column(0), QStringList("Dupont"));
    }

    void aFailedWriteKeepsTheDialogOpenWithItsContents() {
        WindowRig rig(recordSection({kJean}));
        QCOMPARE(::chmod(rig.context.startup.dataFilePath.c_str(), 0444), 0);
        bool stillOpen = false;
        QString surname;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   fillIn(dialog, "Martin", "Anne", "21061985");
                                   pressOk(dialog);
                                   stillOpen = dialog.isVisible();
                                   surname = boxText(dialog, "Edit1");
                               }));
        QVERIFY(stillOpen);
        QCOMPARE(surname, QString("Martin"));
        QCOMPARE(rig.dialogs.calls.size(), std::size_t{1});
        QCOMPARE(rig.dialogs.calls[0].title, QString("Problème"));
        QVERIFY(rig.dialogs.calls[0].text.endsWith(writeFailureText(store::Failure::ReadOnlyFile)));
        QCOMPARE(rig.column(0), QStringList("Dupont"));
    }

    void dialogCentresOverTheMainWindow() {
        WindowRig rig;
        rig.form().move(100, 80);
        QRect shown;
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) { shown = dialog.frameGeometry(); }));
        const QRect main = rig.form().frameGeometry();
        QCOMPARE(shown.topLeft(), QPoint(main.x() + (main.width() - shown.width()) / 2,
                                         main.y() + (main.height() - shown.height()) / 2));
        QCOMPARE(rig.dialog().size(), QSize(435, 300));
    }
};

QTEST_MAIN(EntryDialogTest)
#include "entry_dialog_test.moc"
