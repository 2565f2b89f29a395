// The reminder window's appearance options: the picture that changes at every creation and click,
// its colours, the shadows of the date texts and its tooltips, as the data file keeps them.
#define QTEST_QPA_MOUSE_HANDLING

#include <QAction>
#include <QDir>

#include <cmath>
#include <utility>
#include <QFrame>
#include <QListWidget>
#include <QTest>

#include "controls/ie_button.h"
#include "reminder_test_data.h"
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

// The widget as the window shows it, with what lies behind it.
QImage shownInItsWindow(QWidget& widget) {
    return widget.window()->grab(QRect(widget.mapTo(widget.window(), QPoint()), widget.size())).toImage();
}

int pixelsNotOf(QWidget& widget, const QColor& colour) {
    const QImage image = shownInItsWindow(widget);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != colour.rgb() ? 1 : 0;
    return count;
}

// No block of another colour behind the button: its corners show the background.
bool cornersAre(QWidget& widget, const QColor& colour) {
    const QImage image = shownInItsWindow(widget);
    for (const QPoint corner : {QPoint(1, 1), QPoint(image.width() - 2, 1), QPoint(1, image.height() - 2),
                                QPoint(image.width() - 2, image.height() - 2)})
        if (image.pixel(corner) != colour.rgb()) return false;
    return true;
}

}  // namespace

class ReminderAppearanceTest : public QObject {
    Q_OBJECT

private slots:
    // Each picture is drawn with as many pixels as the screen has under it: its own size times the
    // device pixel ratio, rounded up.
    void everyPictureIsThereAtItsSizeAndAtEveryDensity_data() {
        QTest::addColumn<qreal>("ratio");
        for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) QTest::addRow("%g", ratio) << ratio;
    }
    void everyPictureIsThereAtItsSizeAndAtEveryDensity() {
        QFETCH(qreal, ratio);
        const auto pixels = [ratio](int logical) { return static_cast<int>(std::ceil(logical * ratio - 1e-6)); };
        for (int number = 1; number <= kReminderPictureCount; ++number) {
            const QPixmap picture = reminderPicture(number, ratio);
            const QSize size = kPictureSizes[number - 1];
            QCOMPARE(picture.size(), QSize(pixels(size.width()), pixels(size.height())));
            QCOMPARE(picture.devicePixelRatio(), ratio);
        }
        // Two square images side by side: 18 pixels each way, the clock 16.
        for (const auto& [glyph, side] : {std::pair{"answer_yes", 18}, {"answer_no", 18}, {"answer_tomorrow", 16}}) {
            const QImage strip = answerGlyph(QString::fromLatin1(glyph), ratio);
            QCOMPARE(strip.size(), QSize(2 * pixels(side), pixels(side)));
            QCOMPARE(strip.devicePixelRatio(), ratio);
            // The strip's transparent colour, at its bottom-left corner: olive, drawn nowhere else.
            QCOMPARE(QColor(strip.pixel(0, strip.height() - 1)).rgb(), qRgb(128, 128, 0));
        }
    }

    void theAnswersLookAsDesigned() {
        WindowRig rig(WindowRig::reminderRun(""));
        for (const char* name : {"IEButton1", "IEButton2", "IEButton3", "IEButton4"}) {
            auto& answer = rig.control<controls::TIEButton>(name);
            QCOMPARE(answer.font().pixelSize(), 11);
            QVERIFY(answer.font().bold());
            QVERIFY(answer.font().families().contains(QStringLiteral("Verdana")));
            QCOMPARE(answer.palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QCOMPARE(answer.SleepingFontColor(), QColor(Qt::black));
            QVERIFY(answer.Transparent());
            QVERIFY(answer.SoftShading());
            QVERIFY(answer.WordWrap());
            QCOMPARE(answer.NumGlyphs(), 2);
        }
    }

    // Sleeping and disabled, an answer is drawn straight on the window's background, whatever its
    // colour; a disabled one shows its glyph greyed.
    void theAnswersLieOnTheBackgroundAndADisabledOneShowsAGreyedGlyph_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QString>("picture");
        QTest::newRow("ivoire") << QColor(254, 255, 240) << "answers";
        QTest::newRow("bleu clair") << QColor(190, 215, 250) << "answers_blue";
    }
    void theAnswersLieOnTheBackgroundAndADisabledOneShowsAGreyedGlyph() {
        QFETCH(QColor, background);
        QFETCH(QString, picture);
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
        rig.dialogs.chosenColours = {background};
        rig.control<QAction>("Changerlacouleurdufond2").trigger();
        auto& no = rig.control<controls::TIEButton>("IEButton1");
        const QRect answers(110, 320, 280, 40);
        QDir().mkpath(VELORINE_SCREENSHOT_DIR);
        const QString path = QStringLiteral(VELORINE_SCREENSHOT_DIR "/%1_%2.png");
        rig.reminderWindow().grab(answers).save(path.arg(picture, QStringLiteral("enabled")));
        QVERIFY(pixelsNotOf(no, background) > 30);
        QVERIFY(cornersAre(no, background));

        rig.control<QAction>("MenuItem1").trigger();  // another day: "Non" and "Demain" are disabled
        QVERIFY(!no.isEnabled());
        rig.reminderWindow().grab(answers).save(path.arg(picture, QStringLiteral("disabled")));
        QVERIFY(cornersAre(no, background));
        const QString caption = no.Caption();
        no.SetCaption(QString());
        const QImage glyph = shownInItsWindow(no);
        no.SetCaption(caption);
        int grey = 0;
        int coloured = 0;
        for (int y = 0; y < glyph.height(); ++y) {
            for (int x = 0; x < glyph.width(); ++x) {
                const QColor pixel = glyph.pixelColor(x, y);
                if (pixel.rgb() == background.rgb()) continue;
                if (pixel.saturation() < 20 && pixel.value() < 200) ++grey;
                if (pixel.saturation() > 80 && pixel.rgb() != background.rgb()) ++coloured;
            }
        }
        QVERIFY2(grey > 20, qPrintable(QString::number(grey)));
        QCOMPARE(coloured, 0);
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
