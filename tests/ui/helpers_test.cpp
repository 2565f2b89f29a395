// The helpers every window uses: text conversion, colour numbers, centring, the tooltip switch,
// French, the date separator and the checks of a typed record.
#include <QHelpEvent>
#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include "store/data_file.h"
#include "ui/window_placement.h"
#include "ui/design.h"
#include "ui/french.h"
#include "ui/main/date_separator.h"
#include "ui/main/entry_checks.h"
#include "ui/user_dialogs.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;

class HelpersTest : public QObject {
    Q_OBJECT

private slots:
    void textsCrossTheEdgeBothWays() {
        QCOMPARE(textFromCp1252("No\xEBl \x80 \x9C"), QString("Noël € œ"));
        QCOMPARE(cp1252FromText("Noël € œ"), std::optional<std::string>("No\xEBl \x80 \x9C"));
        QCOMPARE(cp1252FromText("Łódź"), std::nullopt);
        QCOMPARE(firstCharacterOutsideCp1252("Anne 🎂 Łucja"), QString("🎂"));
        QCOMPARE(firstCharacterOutsideCp1252("François"), QString());
    }

    void colourNumbers_data() {
        QTest::addColumn<qlonglong>("number");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("red") << 255LL << QColor(255, 0, 0);
        QTest::newRow("blue") << 16711680LL << QColor(0, 0, 255);
        QTest::newRow("navy") << 0x800000LL << QColor(0, 0, 128);
        QTest::newRow("white") << 16777215LL << QColor(255, 255, 255);
        QTest::newRow("top byte ignored") << 0x02345678LL << QColor(0x78, 0x56, 0x34);
        QTest::newRow("negative") << -16777201LL << QColor(15, 0, 0);
        QTest::newRow("no colour") << 536870911LL << QColor();
    }
    void colourNumbers() {
        QFETCH(qlonglong, number);
        QFETCH(QColor, colour);
        QCOMPARE(colourFromNumber(number), colour);
        if (colour.isValid() && number >= 0 && number <= 0xFFFFFF) QCOMPARE(numberFromColour(colour), number);
    }

    void centringRoundsHalvesTowardZero() {
        QCOMPARE(centredTopLeft(QRect(0, 0, 1024, 768), QSize(669, 414)), QPoint(177, 177));
        QCOMPARE(centredTopLeft(QRect(100, 50, 669, 414), QSize(435, 300)), QPoint(217, 107));
        // A dialog wider than its owner: -5 / 2 is -2.
        QCOMPARE(centredTopLeft(QRect(10, 10, 100, 100), QSize(105, 100)), QPoint(8, 10));
    }

    // The reminder window on a 1024 × 768 screen: its frame, title bar included, is what is
    // centred, so the place does not change once the window manager has drawn the frame.
    void centringTakesTheFrameIn_data() {
        QTest::addColumn<QRect>("outer");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("client");
        QTest::newRow("no frame") << QRect(0, 0, 1024, 768) << QMargins() << QPoint(245, 188);
        QTest::newRow("20-pixel title") << QRect(0, 0, 1024, 768) << QMargins(1, 20, 1, 1) << QPoint(245, 197);
        QTest::newRow("26-pixel title, wide borders")
            << QRect(0, 0, 1024, 768) << QMargins(4, 26, 4, 4) << QPoint(245, 199);
        QTest::newRow("over a framed owner") << QRect(100, 50, 700, 500) << QMargins(4, 26, 4, 4) << QPoint(183, 115);
    }
    void centringTakesTheFrameIn() {
        QFETCH(QRect, outer);
        QFETCH(QMargins, frame);
        QFETCH(QPoint, client);
        const QSize size(533, 392);
        const QRect placed = centredClientArea(outer, size, frame);
        QCOMPARE(placed, QRect(client, size));
        QCOMPARE(placed.marginsAdded(frame).topLeft(), centredTopLeft(outer, size.grownBy(frame)));
    }

    void tooltipSwitchCoversEveryWidget() {
        // Counts the tooltip requests that reach the widget.
        struct Probe : QObject {
            int requests = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::ToolTip) ++requests;
                return false;
            }
        } probe;
        QWidget window;
        window.setToolTip("Aide");
        window.installEventFilter(&probe);
        const auto ask = [&] {
            const int before = probe.requests;
            QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), QPoint(5, 5));
            QCoreApplication::sendEvent(&window, &help);
            return probe.requests > before;
        };
        setTooltipsShown(true);
        QVERIFY(ask());
        toggleTooltips();
        QVERIFY(!tooltipsShown());
        QVERIFY(!ask());
        toggleTooltips();
        QVERIFY(ask());
    }

    void qtSpeaksFrench() {
        QVERIFY(speakFrench(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Oui"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));
        QCOMPARE(QLocale().language(), QLocale::French);
        // What Qt's catalogue lacks: the file chooser's names for folders and drives.
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
                 QString("Dossier"));
        QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Drive"), QString("Lecteur"));
    }

    void everyFailureHasItsOwnWords() {
        using store::Failure;
        QSet<QString> texts;
        QSet<QString> causes;
        const int count = static_cast<int>(Failure::IoError) + 1;
        for (int value = 0; value < count; ++value) {
            texts.insert(writeFailureText(static_cast<Failure>(value)));
            causes.insert(failureCause(static_cast<Failure>(value)));
        }
        QCOMPARE(texts.size(), count);
        QCOMPARE(causes.size(), count);
        // What lies in the lock file names it, and says what is wrong with it: a read-only disk is
        // the disk's, not the lock file's.
        for (Failure failure : {Failure::LockHeld, Failure::LockNotAFile, Failure::LockForeign, Failure::LockReadOnly})
            QVERIFY(writeFailureText(failure, "/home/a/velor.ini").contains("/home/a/velor.ini.lock"));
        QVERIFY(writeFailureText(Failure::LockForeign).contains("appartient à un autre utilisateur"));
        QVERIFY(!writeFailureText(Failure::ReadOnlyFileSystem, "/home/a/velor.ini").contains("verrou"));
        QVERIFY(writeFailureText(Failure::DiskFull).startsWith("Le disque est plein"));

        testing::RecordingDialogs dialogs;
        reportWriteFailure(dialogs, "L'anniversaire n'a pas pu être enregistré dans le fichier", "/home/a/velor.ini",
                           Failure::DiskFull);
        QCOMPARE(dialogs.messages(),
                 QStringList("Problème|L'anniversaire n'a pas pu être enregistré dans le fichier :\n"
                             "/home/a/velor.ini\n\n" +
                             writeFailureText(Failure::DiskFull)));
        QCOMPARE(withCause("La copie a échoué !\n\nCorrigez le problème et recommencez...", Failure::ReadOnlyFile,
                           "/home/a/copie.txt"),
                 QString("La copie a échoué !\n/home/a/copie.txt : ce fichier est en lecture seule.\n\nCorrigez le "
                         "problème et recommencez..."));
    }

    void dateSeparator_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("separator");
        QTest::newRow("configured dot") << QByteArray("[intl]\nsDate=.\n") << ".";
        QTest::newRow("first character only") << QByteArray("[intl]\nsDate=-/\n") << "-";
        QTest::newRow("no file: the locale's") << QByteArray() << "/";
        QTest::newRow("empty value: the locale's") << QByteArray("[intl]\nsDate=\n") << "/";
        QTest::newRow("a letter cannot separate") << QByteArray("[intl]\nsDate=x\n") << "/";
        QTest::newRow("nor a digit") << QByteArray("[intl]\nsDate=1\n") << "/";
    }
    void dateSeparator() {
        QFETCH(QByteArray, config);
        QFETCH(QString, separator);
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QTemporaryDir directory;
        const std::string path = directory.filePath("velorine.conf").toStdString();
        if (!config.isEmpty()) testing::writeBytes(path, config.toStdString());
        QCOMPARE(QString(ui::dateSeparator(path)), separator);
    }

    void separatorFromTheLocaleWhenNoneIsConfigured() {
        // A failed comparison returns at once: the guard keeps the later tests in their locale.
        const auto restore = qScopeGuard([before = QLocale()] { QLocale::setDefault(before); });
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ui::dateSeparator("/nonexistent/velorine.conf"), QChar('.'));
    }

    void maskAndHintCarryTheSeparator() {
        QCOMPARE(dateFormatHint('.'), QString("JJ.MM.AAAA"));
        QLineEdit box;
        box.setInputMask(dateEntryMask('.'));
        QCOMPARE(box.displayText(), QString("  .  .    "));
        box.setText("12.05.1990");
        QCOMPARE(box.displayText(), QString("12.05.1990"));
        QCOMPARE(withSeparators("12.05.1990", '/'), QString("12/05/1990"));
        QCOMPARE(withSeparators("12", '/'), QString("12"));
    }

    void checksOfATypedRecord() {
        const store::CalendarDate today{6, 12, 2026};
        const auto problem = [&](EntryTexts texts) -> QString {
            const auto result = checkEntry(texts, today);
            const auto* found = std::get_if<EntryProblem>(&result);
            return found ? found->message : QString();
        };
        QCOMPARE(problem({"Dupont", "", "", "", ""}), QString("La date de naissance est obligatoire !"));
        QCOMPARE(problem({"", "", "", "", ""}), QString("Le nom de personne est obligatoire !"));
        // The user's separators become slashes before the date is checked.
        QCOMPARE(problem({"Dupont", "", "01-02-1990", "", ""}), QString());
        QCOMPARE(problem({"Dupont", "", "01/0a/1990", "", ""}), QString("La date de naissance est incorrecte !"));
        QCOMPARE(problem({"Dupont", "", "1/02/1990", "", ""}), QString("La date de naissance est incorrecte !"));
        QVERIFY(problem({"Dupont", "", "01/02/1990", "", "ana@ex.pl ✓"}).startsWith("Le champ « E-mail »"));

        const auto stored = checkEntry({"  Dupont ", "Jean", "01.02.1990", "", ""}, today);
        QCOMPARE(std::get<store::BirthdayRecord>(stored),
                 (store::BirthdayRecord{"  Dupont ", "Jean", "01/02/1990", "", ""}));  // no text is trimmed
    }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
