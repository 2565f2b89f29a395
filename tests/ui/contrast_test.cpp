// Every text of every window reaches 4.5:1 against what is behind it, measured on the drawn
// pixels, under the default light palette and under a dark one: a colour of the design comes with
// the background of the design, a colour of the palette with the palette's. The pictures of the
// windows under the dark palette are written beside the other screenshots ("dark_*.png").
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "reminder_test_data.h"
#include "sample_records.h"
#include "text_contrast.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

constexpr double kReadable = 4.5;

// The texts below 4.5:1, one a line; empty when all are readable.
QString unreadableTexts(QWidget& window) {
    QStringList unreadable;
    for (const TextContrast& text : textContrasts(window))
        if (text.ratio < kReadable) unreadable << QStringLiteral("%1 (%2:1)").arg(text.text).arg(text.ratio, 0, 'f', 2);
    return unreadable.join(QLatin1Char('\n'));
}

int textCount(QWidget& window) { return static_cast<int>(textContrasts(window).size()); }

void savePicture(QWidget& window, const QString& name) {
    if (QApplication::palette().color(QPalette::Window).lightness() > 128) return;
    QDir().mkpath(VELORINE_SCREENSHOT_DIR);
    window.grab().save(QStringLiteral(VELORINE_SCREENSHOT_DIR "/dark_") + name + QStringLiteral(".png"));
}

// Checks `window` and leaves its picture; `least` texts at least, so that a window that drew
// nothing cannot pass.
void checkTexts(QWidget& window, const QString& name, int least) {
    QVERIFY2(textCount(window) >= least, qPrintable(QStringLiteral("%1 texts in %2").arg(textCount(window)).arg(name)));
    const QString unreadable = unreadableTexts(window);
    QVERIFY2(unreadable.isEmpty(), qPrintable(name + QStringLiteral(":\n") + unreadable));
    savePicture(window, name);
}

std::string aFewPeople() { return recordSection({kJean, kAnne, kLeon}); }

}  // namespace

class ContrastTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        // The about box leaves its mail draft in the session's folder: a folder of the test's own.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        lightPalette_ = QApplication::palette();
    }
    void cleanup() { QApplication::setPalette(lightPalette_); }

    void everyWindow_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("palette claire") << false;
        QTest::newRow("palette sombre") << true;
    }

    void everyWindow() {
        QFETCH(bool, dark);
        if (dark) QApplication::setPalette(darkPalette());
        {
            WindowRig rig(aFewPeople());
            rig.clickRow(1);
            checkTexts(rig.form(), QStringLiteral("main_window"), 15);
            QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                                   [&](TSais& dialog) {
                                       typeInto(dialog, "Edit1", QStringLiteral("Rousseau"));
                                       checkTexts(dialog, QStringLiteral("entry_dialog"), 8);
                                   }));
            QVERIFY(whileShown(
                rig.scheduleDialog(), [&] { rig.form().SpeedButton6Click(); },
                [&] { checkTexts(rig.scheduleDialog(), QStringLiteral("schedule_dialog"), 6); }));
            TAide& help = *rig.windows.helpWindow;
            QVERIFY(whileShown(
                help, [&] { rig.control<QToolButton>("SpeedButton5").click(); },
                [&] { checkTexts(help, QStringLiteral("help_window"), 2); }));
            TAboutBox& about = *rig.windows.aboutBox;
            QVERIFY(whileShown(
                about, [&] { rig.control<QAction>("Apropos").trigger(); },
                [&] { checkTexts(about, QStringLiteral("about_box"), 4); }));
        }
        {
            WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
            checkTexts(rig.reminderWindow(), QStringLiteral("reminder_window"), 15);
            // Another day: "Non" and "Demain" answer only for today and are disabled.
            rig.control<QAction>("MenuItem1").trigger();
            checkTexts(rig.reminderWindow(), QStringLiteral("reminder_window_tomorrow"), 12);
            rig.control<QAction>("MenuItem3").trigger();
            checkTexts(rig.reminderWindow(), QStringLiteral("reminder_window_date_picker"), 12);
        }
        {
            WindowRig rig(WindowRig::reminderRun("[Options]\r\nBitmap=4\r\n"));
            checkTexts(rig.reminderWindow(), QStringLiteral("reminder_window_nothing_due"), 8);
        }
    }

    // The measure itself: a text in a colour close to its background is found unreadable.
    void aPaleTextIsFoundUnreadable() {
        QWidget window;
        window.resize(200, 40);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(254, 255, 240));
        palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        QLabel label(QStringLiteral("Fêtes à souhaiter"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto contrasts = textContrasts(window);
        QCOMPARE(contrasts.size(), std::size_t{1});
        QVERIFY2(contrasts[0].ratio < 1.3, qPrintable(QString::number(contrasts[0].ratio)));
        palette.setColor(QPalette::WindowText, Qt::black);
        label.setPalette(palette);
        QVERIFY(textContrasts(window)[0].ratio > 15);
        QCOMPARE(contrastRatio(Qt::white, Qt::black), 21.0);
    }

private:
    QPalette lightPalette_;
    QTemporaryDir runtime_;
};

QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
