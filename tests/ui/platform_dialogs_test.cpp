// The desktop's answer to "is there a program for this type?", from the xdg-mime found on PATH:
// here stand-ins that answer, say nothing, fail or never finish.
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "ui/platform_dialogs.h"
#include "window_rig.h"

using namespace velorine::ui;

class PlatformDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void programForAType_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("found");
        // Answers only when asked exactly, argument by argument, as the desktop would be.
        QTest::newRow("a default program")
            << "[ \"$#:$1:$2:$3\" = \"3:query:default:message/rfc822\" ] && echo courrier.desktop" << true;
        QTest::newRow("none") << "exit 0" << false;
        QTest::newRow("blank answer") << "echo '  '" << false;
        QTest::newRow("an error") << "echo courrier.desktop; exit 4" << false;
        QTest::newRow("no answer in time") << "exec sleep 30" << false;
    }
    void programForAType() {
        QFETCH(QString, script);
        QFETCH(bool, found);
        QTemporaryDir bin;
        const std::string tool = bin.filePath("xdg-mime").toStdString();
        testing::writeBytes(tool, "#!/bin/sh\n" + script.toStdString() + "\n");
        QVERIFY(::chmod(tool.c_str(), 0700) == 0);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
        QElapsedTimer clock;
        clock.start();
        const bool answer = PlatformDialogs().hasProgramFor(QStringLiteral("message/rfc822"));
        qputenv("PATH", path);
        QCOMPARE(answer, found);
        QVERIFY(clock.elapsed() < 5000);
    }

    void noXdgMimeAtAllMeansNoProgram() {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        const bool answer = PlatformDialogs().hasProgramFor(QStringLiteral("message/rfc822"));
        qputenv("PATH", path);
        QVERIFY(!answer);
    }
};

QTEST_MAIN(PlatformDialogsTest)
#include "platform_dialogs_test.moc"
