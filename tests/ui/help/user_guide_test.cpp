// The user guide Velor.rtf as the help window shows it: read quickly and whole, laid out as a
// manual, beside the executable in the build tree. Its pages are written as PNGs to be looked at.
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include <algorithm>

#include "rtf/rtf_reader.h"

using velorine::ui::readRtf;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

QByteArray guide() { return readFile(QStringLiteral(VELORINE_GUIDE)); }

// The paragraphs in bold at a heading's size.
QStringList headings(const QTextDocument& document) {
    QStringList found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextCharFormat format = block.begin().fragment().charFormat();
        if (!block.text().isEmpty() && format.fontWeight() == QFont::Bold && format.fontPointSize() >= 15)
            found << block.text();
    }
    return found;
}

}  // namespace

class UserGuideTest : public QObject {
    Q_OBJECT

private slots:
    void liesNextToTheExecutable() { QCOMPARE(readFile(QStringLiteral(VELORINE_BUILT_GUIDE)), guide()); }

    void isAManualInFrench() {
        QTextDocument document;
        readRtf(guide(), document);
        const QString text = document.toPlainText();
        QCOMPARE(
            headings(document),
            QStringList({"Velorine", "1. Ce que fait Velorine", "2. La liste des anniversaires",
                         "3. Ajouter et modifier une personne", "4. La fenêtre des rappels",
                         "5. Les fêtes et les prénoms du jour", "6. Le délai des rappels", "7. Échanger des listes",
                         "8. Le démarrage automatique", "9. Les rappels dans un terminal",
                         "10. Où sont vos données, et comment les sauvegarder", "11. Les raccourcis de la liste",
                         "12. Le clavier et les lecteurs d'écran", "13. L'affichage : écrans, thèmes et Wayland"}));
        for (const char* needed :
             {"Oui", "Non", "Demain", "La veille", "Une semaine avant", "Personnalisé", "Enregistrer sous...",
              "Ouvrir...", "Fusionner", "velorine PROG", "velorine-rappels", "notify-send",
              "~/.local/share/velorine/velor.ini", "DataPath=", "~/.config/velorine/velorine.conf"})
            QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);
        // What the Fichier menu exchanges with other programs, the same in a terminal, and where
        // the about box writes its mail draft.
        for (const char* needed :
             {"Importer des contacts (vCard)…", "Exporter vers un agenda (iCalendar)…", "velorine-contacts importer",
              "velorine-contacts exporter", "LSEOHILD.EML", "$XDG_RUNTIME_DIR/velorine/", "~/.cache/velorine/"})
            QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);
        // Nothing of the RTF itself shows, and the accents came through.
        for (const char* leak : {"\\", "{", "}", "Liberation", "Guide de l'utilisateur}"})
            QVERIFY2(!text.contains(QLatin1String(leak)), leak);
        QVERIFY(text.contains(QString::fromUtf8("fenêtre des rappels")));
        QVERIFY(!text.contains(QChar(0xFFFD)));

        int items = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            if (block.textList()) ++items;
        QVERIFY(items >= 25);
    }

    // Pages of the width of the help window's text view, each a PNG of about one screen.
    void pictures() {
        QTextEdit view;
        view.setFrameShape(QFrame::NoFrame);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setCursorWidth(0);
        readRtf(guide(), *view.document());
        const int width = 423;
        view.document()->setTextWidth(width - 2 * view.document()->documentMargin());
        view.resize(width, 384);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const int height = int(view.document()->size().height());
        QVERIFY(height > 4 * view.height());  // a few pages
        QDir().mkpath(VELORINE_SCREENSHOT_DIR);
        view.resize(width, height + 4);
        QImage all = view.grab().toImage();
        const int pageHeight = 900;
        for (int page = 0; page * pageHeight < all.height(); ++page) {
            const QString name = QString("%1/velor_rtf_guide_%2.png").arg(VELORINE_SCREENSHOT_DIR).arg(page + 1);
            const int top = page * pageHeight;
            QVERIFY(all.copy(0, top, width, std::min(pageHeight, all.height() - top)).save(name));
        }
    }
};

QTEST_MAIN(UserGuideTest)
#include "user_guide_test.moc"
