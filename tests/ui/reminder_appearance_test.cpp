// The reminder window's appearance options: the picture that changes at every creation and click,
// its colours, the shadows of the date texts and its tooltips, as the data file keeps them.
#define QTEST_QPA_MOUSE_HANDLING

#include <QAction>
#include <QFrame>
#include <QListWidget>
#include <QTest>

#include "controls/ie_button.h"
#include "store/data_file.h"
#include "ui/pictures.h"
#include "ui/reminder/reminder_window_settings.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const QSize kPictureSizes[] = {{119, 102}, {85, 85}, {82, 125}, {85, 136}, {136, 133}, {97, 113}, {79, 96}, {102, 82}};

std::string option(WindowRig& rig, std::string_view key) {
    return store::readValue(rig.context.startup.dataFilePath, "Options", key, "absent", 20);
}

QSize shownPictureSize(WindowRig& rig) { return rig.control<QLabel>("Image4").pixmap().size(); }

QColor backgroundOf(QWidget& widget) { return widget.palette().color(QPalette::Window); }

}  // namespace

class ReminderAppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureIsThereAtItsSize() {
        for (int number = 1; number <= kReminderPictureCount; ++number)
            QCOMPARE(reminderPicture(number).size(), kPictureSizes[number - 1]);
        for (const char* glyph : {"answer_yes", "answer_no", "answer_tomorrow"})
            QCOMPARE(answerGlyph(QString::fromLatin1(glyph)).size(), QSize(16, 16));
    }

    void aFirstCreationWithoutOptionsShowsTheDefaults() {
        WindowRig rig(WindowRig::reminderRun(""));
        QCOMPARE(shownPictureSize(rig), kPictureSizes[0]);
        QCOMPARE(option(rig, "Bitmap"), std::string("2"));
        QCOMPARE(backgroundOf(rig.control<QFrame>("Panel1")), QColor(254, 255, 240));
        QCOMPARE(rig.control<QListWidget>("ListBox1").palette().color(QPalette::Base), QColor(254, 255, 198));
        for (const char* text : {"Label2", "Label3", "Label4"})
            QCOMPARE(rig.label(text).palette().color(QPalette::WindowText), QColor(255, 0, 0));
        for (const char* shadow : {"Label14", "Label15", "Label16"}) {
            QVERIFY(rig.label(shadow).isVisible());
            QCOMPARE(rig.label(shadow).palette().color(QPalette::WindowText), QColor(Qt::black));
        }
        QVERIFY(!rig.control<QAction>("Pasdombrepourlestextes1").isChecked());
        QVERIFY(!rig.control<QAction>("MenuItem6").isChecked());
        QCOMPARE(rig.control<QFrame>("Panel2").toolTip(), QStringLiteral("Faites un clic droit"));
        // Only the keys it changed: the picture's.
        QCOMPARE(rig.dataFileBytes(), std::string("[Options]\r\nBitmap=2\r\n"));
    }

    void thePictureStepShowsTheStoredPictureAndStoresTheNext_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("next");
        QTest::newRow("1") << "1" << 1 << "2";
        QTest::newRow("7") << "7" << 7 << "8";
        QTest::newRow("8 goes round") << "8" << 8 << "1";
        QTest::newRow("0") << "0" << 1 << "2";
        QTest::newRow("9") << "9" << 1 << "2";
        QTest::newRow("not a whole number") << "3x" << 1 << "2";
        QTest::newRow("empty") << "" << 1 << "2";
    }

    void thePictureStepShowsTheStoredPictureAndStoresTheNext() {
        QFETCH(QString, stored);
        QFETCH(int, shown);
        QFETCH(QString, next);
        WindowRig rig(WindowRig::reminderRun("[Options]\r\nBitmap=" + stored.toStdString() + "\r\n"));
        QCOMPARE(shownPictureSize(rig), kPictureSizes[shown - 1]);
        QCOMPARE(QString::fromStdString(option(rig, "Bitmap")), next);
    }

    void eachClickOnThePictureShowsTheNextOne() {
        WindowRig rig(WindowRig::reminderRun("[Options]\r\nBitmap=1\r\n"));
        QLabel& picture = rig.label("Image4");
        for (int expected : {2, 3, 4}) {
            QTest::mouseClick(&picture, Qt::LeftButton, {}, {20, 20});
            QCOMPARE(shownPictureSize(rig), kPictureSizes[expected - 1]);
        }
        QCOMPARE(option(rig, "Bitmap"), std::string("5"));
    }

    void storedColoursAreDrawnAndKeptAsStored() {
        WindowRig rig(
            WindowRig::reminderRun("[Options]\r\nFRappelPanel1=32768\r\nFRappelPanel2=12632256\r\nFRappelLabel2="
                                   "abc\r\nFRappelListBox1=-16777216\r\n"));
        QCOMPARE(backgroundOf(rig.control<QFrame>("Panel1")), QColor(0, 128, 0));
        QCOMPARE(backgroundOf(rig.control<QFrame>("Panel2")), QColor(192, 192, 192));
        QVERIFY(rig.control<QFrame>("Panel2").autoFillBackground());
        QCOMPARE(rig.label("Label3").palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(rig.control<QListWidget>("ListBox1").palette().color(QPalette::Base), QColor(Qt::black));
        // Cancelling the chooser writes the number back as it was, top byte and sign included.
        rig.control<QAction>("MenuItem7").trigger();
        QCOMPARE(option(rig, "FRappelListBox1"), std::string("-16777216"));
    }

    void theColourCommandsStartOnTheCurrentColourAndWriteTheirKey_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("preset");
        QTest::newRow("background") << "Changerlacouleurdufond2"
                                    << "FRappelPanel1"
                                    << "#fefff0";
        QTest::newRow("date block") << "MenuItem5"
                                    << "FRappelPanel2"
                                    << "#fefff0";
        QTest::newRow("date texts") << "MenuItem4"
                                    << "FRappelLabel2"
                                    << "#ff0000";
        QTest::newRow("list") << "MenuItem7"
                              << "FRappelListBox1"
                              << "#feffc6";
    }

    void theColourCommandsStartOnTheCurrentColourAndWriteTheirKey() {
        QFETCH(QString, command);
        QFETCH(QString, key);
        QFETCH(QString, preset);
        WindowRig rig(WindowRig::reminderRun(""));
        rig.dialogs.chosenColours = {QColor(0, 0, 128)};
        rig.control<QAction>(command.toLatin1().constData()).trigger();
        const auto calls = rig.dialogs.callsOf(DialogCall::Colour);
        QCOMPARE(calls.size(), std::size_t{1});
        QCOMPARE(calls[0].text, preset);
        QCOMPARE(option(rig, key.toStdString()), std::string("8388608"));
    }

    void theTextColourColoursTheThreeDateTextsAndNotTheirShadows() {
        WindowRig rig(WindowRig::reminderRun(""));
        rig.dialogs.chosenColours = {QColor(0, 0, 128)};
        rig.control<QAction>("MenuItem4").trigger();
        for (const char* text : {"Label2", "Label3", "Label4"})
            QCOMPARE(rig.label(text).palette().color(QPalette::WindowText), QColor(0, 0, 128));
        for (const char* shadow : {"Label14", "Label15", "Label16"})
            QCOMPARE(rig.label(shadow).palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    void aCancelledColourKeepsTheColourAndStillWritesTheKey() {
        WindowRig rig(WindowRig::reminderRun(""));
        rig.control<QAction>("Changerlacouleurdufond2").trigger();
        QCOMPARE(backgroundOf(rig.control<QFrame>("Panel1")), QColor(254, 255, 240));
        QCOMPARE(option(rig, "FRappelPanel1"), std::string("2146500606"));
    }

    void theDateBlockWithoutAColourOfItsOwnShowsTheBackgroundItIsOn() {
        WindowRig rig(WindowRig::reminderRun(""));
        rig.dialogs.chosenColours = {QColor(200, 230, 255)};
        rig.control<QAction>("Changerlacouleurdufond2").trigger();
        QFrame& block = rig.control<QFrame>("Panel2");
        QVERIFY(!block.autoFillBackground());
        const QImage shot = rig.reminderWindow().grab().toImage();
        QCOMPARE(shot.pixelColor(block.geometry().topLeft() + QPoint(100, 30)), QColor(200, 230, 255));
    }

    void theShadowSwitchHidesTheShadowsAndIsRememberedInverted() {
        {
            WindowRig rig(WindowRig::reminderRun(""));
            rig.control<QAction>("Pasdombrepourlestextes1").trigger();
            for (const char* shadow : {"Label14", "Label15", "Label16"}) QVERIFY(!rig.label(shadow).isVisible());
            QCOMPARE(option(rig, "Pasdombre"), std::string("0"));
            rig.windows.first->close();
            WindowRig next(WindowRig::reminderRun(rig.dataFileBytes()));
            QVERIFY(next.control<QAction>("Pasdombrepourlestextes1").isChecked());
            for (const char* shadow : {"Label14", "Label15", "Label16"}) QVERIFY(!next.label(shadow).isVisible());
            next.control<QAction>("Pasdombrepourlestextes1").trigger();
            QVERIFY(next.label("Label14").isVisible());
            QCOMPARE(option(next, "Pasdombre"), std::string("1"));
        }
    }

    void theTooltipSwitchCoversExactlyFourControls() {
        WindowRig rig(WindowRig::reminderRun("[Options]\r\nPasHint=0\r\n"));
        QVERIFY(rig.control<QAction>("MenuItem6").isChecked());
        for (const char* silent : {"IEButton1", "IEButton2", "IEButton3"})
            QVERIFY(rig.control<controls::TIEButton>(silent).toolTip().isEmpty());
        QVERIFY(rig.control<QFrame>("Panel2").toolTip().isEmpty());
        QCOMPARE(rig.control<controls::TIEButton>("IEButton4").toolTip(), QStringLiteral("Quitter le logiciel"));
        rig.control<QAction>("MenuItem6").trigger();
        QCOMPARE(option(rig, "PasHint"), std::string("1"));
        QCOMPARE(rig.control<controls::TIEButton>("IEButton2").toolTip(),
                 QStringLiteral("Je continue à vous rappeler les velorine"));
        QCOMPARE(rig.control<controls::TIEButton>("IEButton1").toolTip(),
                 QStringLiteral("Ils ne vous seront rappelés qu'au prochain anniversaire"));
        QCOMPARE(rig.control<controls::TIEButton>("IEButton3").toolTip(),
                 QStringLiteral("Les rappels reprendront demain"));
        QCOMPARE(rig.control<QFrame>("Panel2").toolTip(), QStringLiteral("Faites un clic droit"));
    }

    void theContextMenusCarryTheirItems() {
        WindowRig rig(WindowRig::reminderRun(""));
        const auto captions = [&](const char* menu) {
            QStringList texts;
            for (const QAction* item : rig.control<QMenu>(menu).actions())
                texts << (item->isSeparator() ? "-" : item->text());
            return texts;
        };
        QCOMPARE(captions("PopupMenu1"),
                 QStringList({"&Avancer la date d'une journée", "&Reculer la date  d'une journée",
                              "&Avancer la date d'un mois (30 jours)", "&Reculer la date  d'un mois (30 jours)",
                              "Choisir &une date précise", "-", "Changer la couleur du &texte",
                              "Changer la couleur du &fond", "Pas d'ombre pour les textes", "-",
                              "Pas de bulles d'aide rapide", "Me rappeler par une notification du bureau"}));
        QCOMPARE(captions("LeFond"), QStringList({"Changer la couleur du fond", "-", "Quitter ce menu"}));
        QCOMPARE(captions("PopupMenu2"), QStringList({"Changer la couleur du fond", "-", "Quitter ce menu"}));
    }
};

QTEST_MAIN(ReminderAppearanceTest)
#include "reminder_appearance_test.moc"
