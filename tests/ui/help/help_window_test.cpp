// The quick help on the real widgets: the guide read from the executable's directory, a guide that
// cannot be read said at creation with the placeholder kept, the margins and the OK button placed
// by the window's width, centring at every showing, and typed text kept for the run, never saved.
#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <sys/stat.h>

#include "ui/window_placement.h"
#include "ui/help/help_window.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const QString kTitle = QStringLiteral("Velorine  Version 2.0");

QTextEdit& textView(TAide& help) { return *help.findChild<QTextEdit*>(QStringLiteral("RichEdit1")); }

QRect placeOf(TAide& help, const char* name) {
    const auto* part = help.findChild<QWidget*>(QString::fromLatin1(name));
    if (!part) qFatal("no control %s", name);
    return QRect(part->mapTo(&help, QPoint(0, 0)), part->size());
}

// The guide bytes in `directory`, as Velor.rtf; its path.
QString writeGuide(const QTemporaryDir& directory, const std::string& rtf) {
    const QString path = directory.filePath("Velor.rtf");
    writeBytes(path.toStdString(), rtf);
    return path;
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setApplicationDisplayName(kTitle); }

    void showsTheGuideItIsGiven() {
        WindowRig rig;
        QTemporaryDir directory;
        const QString path = writeGuide(directory, "{\\rtf1\\ansi {\\b Bienvenue} dans l'aide\\par}");
        TAide help(rig.context, &rig.form(), path);
        QCOMPARE(textView(help).toPlainText(), QString("Bienvenue dans l'aide"));
        QVERIFY(rig.dialogs.messages().isEmpty());
        QCOMPARE(help.windowTitle(), QString("Aide Velorine"));
        QCOMPARE(help.size(), QSize(457, 442));
        QVERIFY(help.minimumSize() != help.maximumSize());
        QVERIFY(!textView(help).isReadOnly());
        QCOMPARE(textView(help).verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void theInstalledGuideIsFoundFromAnotherWorkingDirectory() {
        // A guide of the same name in the working directory is not the program's.
        QTemporaryDir elsewhere;
        writeGuide(elsewhere, "{\\rtf1 Leurre\\par}");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        WindowRig rig;
        TAide help(rig.context, nullptr);
        QDir::setCurrent(previous);
        QCOMPARE(installedGuidePath(), QCoreApplication::applicationDirPath() + "/Velor.rtf");
        QVERIFY(!textView(help).toPlainText().contains("Leurre"));
        QVERIFY(textView(help).toPlainText().contains("Velorine"));
        QVERIFY(rig.dialogs.messages().isEmpty());
    }

    void aGuideThatCannotBeReadIsSaidAndThePlaceholderStays_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a named pipe") << "pipe";  // must not hang the start
    }
    void aGuideThatCannotBeReadIsSaidAndThePlaceholderStays() {
        QFETCH(QString, kind);
        QTemporaryDir directory;
        const QString path = directory.filePath("Velor.rtf");
        if (kind == "folder") QVERIFY(QDir().mkdir(path));
        if (kind == "pipe") QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        WindowRig rig;
        TAide help(rig.context, &rig.form(), path);
        QCOMPARE(rig.dialogs.messages(), QStringList(kTitle + "|Impossible d'ouvrir le fichier " + path));
        QCOMPARE(rig.dialogs.calls.front().icon, MessageIcon::Error);
        QCOMPARE(textView(help).toPlainText(), QString("RichEdit1"));
        // The window still opens and closes.
        QVERIFY(whileShown(
            help, [&] { help.exec(); },
            [&] { QTest::mouseClick(help.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton); }));
        QCOMPARE(help.result(), int(QDialog::Accepted));
    }

    void marginsStayAndOkIsPlacedByTheWindowWidth_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as designed") << QSize(457, 442);
        QTest::newRow("odd width, halves truncated") << QSize(640, 480);
        QTest::newRow("larger") << QSize(901, 700);
        QTest::newRow("smaller") << QSize(300, 250);
    }
    void marginsStayAndOkIsPlacedByTheWindowWidth() {
        QFETCH(QSize, size);
        WindowRig rig;
        QTemporaryDir directory;
        TAide help(rig.context, &rig.form(), writeGuide(directory, "{\\rtf1 Aide\\par}"));
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        help.resize(size);
        QTRY_COMPARE(help.size(), size);
        const int w = size.width(), h = size.height();
        QCOMPARE(placeOf(help, "Panel1"), QRect(0, 0, w, 17));
        QCOMPARE(placeOf(help, "Panel2"), QRect(0, 17, 17, h - 58));
        QCOMPARE(placeOf(help, "Panel4"), QRect(w - 17, 17, 17, h - 58));
        QCOMPARE(placeOf(help, "Panel3"), QRect(0, h - 41, w, 41));
        QCOMPARE(placeOf(help, "RichEdit1"), QRect(17, 17, w - 34, h - 58));
        QCOMPARE(help.findChild<QPushButton*>("BitBtn1")->geometry(),
                 QRect((help.frameGeometry().width() - 75) / 2, 8, 75, 25));
        help.hide();
    }

    void theGuideOpensAtItsBeginning() {
        WindowRig rig;
        TAide& help = *rig.windows.helpWindow;
        int scrolled = -1, caret = -1;
        QVERIFY(whileShown(
            help, [&] { rig.control<QToolButton>("SpeedButton5").click(); },
            [&] {
                scrolled = textView(help).verticalScrollBar()->value();
                caret = textView(help).textCursor().position();
            }));
        QVERIFY(textView(help).verticalScrollBar()->maximum() > 0);  // the guide is longer than the view
        QCOMPARE(scrolled, 0);
        QCOMPARE(caret, 0);
    }

    void typedTextStaysForTheRunAndIsNeverSaved() {
        WindowRig rig;
        const std::string guideBefore = readBytes(installedGuidePath().toStdString());
        TAide& help = *rig.windows.helpWindow;
        QVERIFY(whileShown(
            help, [&] { rig.control<QToolButton>("SpeedButton5").click(); },
            [&] {
                QTest::keyClicks(&textView(help), "Mes notes : ");
                QTest::mouseClick(help.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
            }));
        QString shownAgain;
        QVERIFY(whileShown(
            help, [&] { rig.control<QAction>("AideRapide").trigger(); },
            [&] { shownAgain = textView(help).toPlainText(); }));
        QVERIFY(shownAgain.startsWith("Mes notes : "));
        QCOMPARE(readBytes(installedGuidePath().toStdString()), guideBefore);
    }

    void centredOnTheScreenAtEveryShowing() {
        WindowRig rig;
        TAide& help = *rig.windows.helpWindow;
        const QRect screen = help.screen()->geometry();
        for (int showing = 0; showing < 2; ++showing) {
            QPoint where;
            QVERIFY(whileShown(
                help, [&] { rig.control<QToolButton>("SpeedButton5").click(); },
                [&] {
                    where = help.pos();
                    help.move(5, 5);  // the user moves it away before closing
                }));
            QCOMPARE(where, centredTopLeft(screen, help.frameGeometry().size()));
        }
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
