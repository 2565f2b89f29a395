// The windows at the screen densities of today's desktops (run with QT_SCALE_FACTOR at 1, 1.25,
// 1.5, 2 and 3): the pictures, the glyphs and the banner's text are drawn with the screen's own
// pixels, and no text is cut by the box it was designed for. The pictures of the windows are
// written beside the other screenshots ("density_<factor>_*.png").
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "reminder_test_data.h"
#include "sample_records.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

qreal factor() {
    const QString set = qEnvironmentVariable("QT_SCALE_FACTOR");
    return set.isEmpty() ? 1.0 : set.toDouble();
}

void savePicture(QWidget& window, const QString& name) {
    QDir().mkpath(VELORINE_SCREENSHOT_DIR);
    window.grab().save(QStringLiteral(VELORINE_SCREENSHOT_DIR "/density_%1_%2.png").arg(factor()).arg(name));
}

// The one-line texts of labels that their box cuts, one a line.
QString cutTexts(QWidget& window) {
    QStringList cut;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
            continue;
        const QString text = QString(label->text()).remove(QLatin1Char('&'));
        const QSize needed = label->fontMetrics().size(Qt::TextSingleLine, text);
        const QRect box = label->contentsRect();
        if (needed.width() > box.width() || label->fontMetrics().ascent() > box.height())
            cut << QStringLiteral("%1 « %2 » : %3 × %4 dans %5 × %6")
                       .arg(label->objectName(), text)
                       .arg(needed.width())
                       .arg(needed.height())
                       .arg(box.width())
                       .arg(box.height());
    }
    return cut.join(QLatin1Char('\n'));
}

}  // namespace

class DensityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        // The about box leaves its mail draft in the session's folder: a folder of the test's own.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }

    void theReminderWindowDrawsWithTheScreensPixels() {
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
        TFRappel& window = rig.reminderWindow();
        QCOMPARE(window.devicePixelRatioF(), factor());
        QCOMPARE(rig.label("Image4").pixmap().devicePixelRatio(), factor());
        for (const char* name : {"IEButton1", "IEButton2", "IEButton3"})
            QCOMPARE(rig.control<controls::TIEButton>(name).Glyph().devicePixelRatio(), factor());
        window.grab();  // the banner draws its text again for the ratio it is painted at
        QCOMPARE(rig.control<controls::TBanner>("Banner1").Bitmap().devicePixelRatio(), factor());
        const QString cut = cutTexts(window);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
        savePicture(window, QStringLiteral("reminder_window"));
    }

    void theListWindowDrawsWithTheScreensPixels() {
        WindowRig rig(recordSection({kJean, kAnne, kLeon}));
        rig.clickRow(1);
        TForm1& window = rig.form();
        const QSize glyph(20, 20);
        for (QToolButton* button : window.findChildren<QToolButton*>()) {
            if (!button->objectName().startsWith(QStringLiteral("SpeedButton"))) continue;
            for (auto mode : {QIcon::Normal, QIcon::Disabled})
                QCOMPARE(button->icon().pixmap(glyph, factor(), mode).size(), glyph * factor());
        }
        const QString cut = cutTexts(window);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
        savePicture(window, QStringLiteral("main_window"));
        QVERIFY(rig.withDialog([&] { window.SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   const QString dialogCut = cutTexts(dialog);
                                   QVERIFY2(dialogCut.isEmpty(), qPrintable(dialogCut));
                                   savePicture(dialog, QStringLiteral("entry_dialog"));
                               }));
        const auto checkAndSave = [](QWidget& dialog, const QString& name) {
            const QString dialogCut = cutTexts(dialog);
            QVERIFY2(dialogCut.isEmpty(), qPrintable(name + QLatin1Char('\n') + dialogCut));
            savePicture(dialog, name);
        };
        QVERIFY(whileShown(
            rig.scheduleDialog(), [&] { window.SpeedButton6Click(); },
            [&] { checkAndSave(rig.scheduleDialog(), QStringLiteral("schedule_dialog")); }));
        QVERIFY(whileShown(
            *rig.windows.helpWindow, [&] { rig.control<QToolButton>("SpeedButton5").click(); },
            [&] { checkAndSave(*rig.windows.helpWindow, QStringLiteral("help_window")); }));
        QVERIFY(whileShown(
            *rig.windows.aboutBox, [&] { rig.control<QAction>("Apropos").trigger(); },
            [&] { checkAndSave(*rig.windows.aboutBox, QStringLiteral("about_box")); }));
    }

private:
    QTemporaryDir runtime_;
};

QTEST_MAIN(DensityTest)
#include "density_test.moc"
