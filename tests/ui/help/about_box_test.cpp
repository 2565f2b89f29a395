// The about box on the real widgets: its layout, the mail draft written at every showing into the
// program's private folder (never the working directory, never through a planted link), the mail
// icon offered only with a draft and a mail program, and OK deleting the draft.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>
#include <unistd.h>

#include "ui/window_placement.h"
#include "ui/help/about_box.h"
#include "ui/pictures.h"
#include "ui/design.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const std::string kDraftBytes =
    "From:\r\n"
    "To: \"Atelier Velorine\" <auteur@velorine.example>\r\n"
    "Subject: =?iso-8859-1?Q?Infos Velorine?=\r\n"
    "X-Unsent: 1\r\n";
const QString kMailType = QStringLiteral("message/rfc822");

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

// A list run whose private folder lies under a fresh XDG_RUNTIME_DIR and whose working directory
// is a folder of the user's own.
class AboutRun {
public:
    explicit AboutRun(const QString& runtimeDirectory = {}) {
        runtime = runtimeDirectory.isEmpty() ? place.filePath("runtime").toStdString() : runtimeDirectory.toStdString();
        ::mkdir(runtime.c_str(), 0700);
        QDir().mkpath(place.filePath("work"));
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
        QDir::setCurrent(place.filePath("work"));
        rig = std::make_unique<WindowRig>(kPeopleData);
    }
    ~AboutRun() {
        QDir::setCurrent(previousDirectory);
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
    }

    TAboutBox& box() { return *rig->windows.aboutBox; }
    template <class Widget>
    Widget& part(const char* name) {
        auto* found = box().findChild<Widget*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return *found;
    }
    QLabel& mailIcon() { return part<QLabel>("Image2"); }
    std::string folder() const { return runtime + "/velorine"; }
    std::string draftPath() const { return folder() + "/LSEOHILD.EML"; }
    std::string workFile(const char* name) const { return place.filePath("work").toStdString() + "/" + name; }

    // Opens the box from the toolbar, runs `steps` while it is shown, then closes it if still open.
    bool whileOpen(const std::function<void()>& steps) {
        return whileShown(
            box(), [&] { rig->control<QToolButton>("SpeedButton7").click(); }, steps);
    }
    void pressOk() { QTest::mouseClick(&part<QPushButton>("BitBtn1"), Qt::LeftButton); }

    QTemporaryDir place;
    std::string runtime;
    std::unique_ptr<WindowRig> rig;

private:
    inline static const std::string kPeopleData = recordSection({{"Dupont", "Jean", "10/03/1990", "", ""}});
    QString previousDirectory = QDir::currentPath();
    QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
};

}  // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void layoutAsDesigned() {
        AboutRun run;
        TAboutBox& box = run.box();
        QCOMPARE(box.windowTitle(), QString("A propos d'Velorine..."));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(run.part<QLabel>("Label1").text(), QString("Velorine"));
        QVERIFY(run.part<QLabel>("Label1").font().bold());
        QCOMPARE(run.part<QLabel>("Label2").text(), QString("Version 2.0"));
        QLineEdit& address = run.part<QLineEdit>("Edit1");
        QCOMPARE(address.text(), QString("auteur@velorine.example"));
        QVERIFY(!address.isReadOnly());
        QVERIFY(!run.part<QLabel>("Image1").pixmap().isNull());
        QLabel& icon = run.mailIcon();
        QVERIFY(!icon.pixmap().isNull());
        QVERIFY(icon.isHidden());
        QCOMPARE(icon.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(icon.cursor().hotSpot(), linkCursor().hotSpot());
        QPushButton& ok = run.part<QPushButton>("BitBtn1");
        QVERIFY(ok.isDefault());
        QVERIFY(!ok.icon().isNull());

        // Where they lie, as a reader of the box sees it: every part inside the box, none over
        // another, the mail icon right of the address it writes to, OK below them both, and every
        // text whole in its box.
        const QRect inside = box.rect();
        const QList<QWidget*> parts = {&run.part<QLabel>("Label1"),
                                       &run.part<QLabel>("Label2"),
                                       &address,
                                       &run.part<QLabel>("Image1"),
                                       &icon,
                                       &ok};
        for (int i = 0; i < parts.size(); ++i) {
            QVERIFY2(inside.contains(parts[i]->geometry()), qPrintable(parts[i]->objectName()));
            for (int j = i + 1; j < parts.size(); ++j)
                QVERIFY2(!parts[i]->geometry().intersects(parts[j]->geometry()),
                         qPrintable(parts[i]->objectName() + " / " + parts[j]->objectName()));
        }
        QVERIFY(icon.geometry().left() >= address.geometry().right());
        QVERIFY(qAbs(icon.geometry().center().y() - address.geometry().center().y()) <= icon.height() / 2);
        QVERIFY(ok.geometry().top() >= qMax(address.geometry().bottom(), icon.geometry().bottom()));
        for (const char* name : {"Label1", "Label2"}) {
            QLabel& label = run.part<QLabel>(name);
            QVERIFY2(label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width(), name);
        }
        QVERIFY(address.fontMetrics().horizontalAdvance(address.text()) < address.width());
    }

    void opensModallyFromTheToolbarAndTheMenuCentredOverTheMainWindowWithOkFocused() {
        AboutRun run;
        TForm1& form = run.rig->form();
        form.move(40, 30);
        for (const auto& open :
             std::vector<std::function<void()>>{[&] { run.rig->control<QToolButton>("SpeedButton7").click(); },
                                                [&] { run.rig->control<QAction>("Apropos").trigger(); }}) {
            QPoint where;
            bool modal = false, okFocused = false;
            QVERIFY(whileShown(run.box(), open, [&] {
                where = run.box().pos();
                modal = run.box().isModal();
                okFocused = run.box().focusWidget() == &run.part<QPushButton>("BitBtn1");
            }));
            QVERIFY(modal);
            QVERIFY(okFocused);
            QCOMPARE(where, centredTopLeft(form.frameGeometry(), run.box().frameGeometry().size()));
        }
    }

    void draftIsWrittenExactlyIntoThePrivateFolderAndNeverIntoTheWorkingDirectory() {
        AboutRun run;
        // A file of the user's own with the draft's name, where the draft used to go.
        writeBytes(run.workFile("LSEOHILD.EML"), "mon propre fichier");
        QVERIFY(run.whileOpen([&] {
            QCOMPARE(readBytes(run.draftPath()), kDraftBytes);
            QCOMPARE(modeOf(run.folder()), mode_t(0700));
            QCOMPARE(modeOf(run.draftPath()), mode_t(0600));
            run.pressOk();
        }));
        QVERIFY(!exists(run.draftPath()));
        QCOMPARE(readBytes(run.workFile("LSEOHILD.EML")), std::string("mon propre fichier"));
        QCOMPARE(QDir(run.place.filePath("work")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"LSEOHILD.EML"}));
    }

    void anExistingFolderIsMadePrivateAndALinkInPlaceOfTheFolderIsRefused() {
        AboutRun opened;
        QVERIFY(::mkdir(opened.folder().c_str(), 0755) == 0);
        opened.rig->dialogs.typesWithAProgram = {kMailType};
        QVERIFY(opened.whileOpen([&] { QVERIFY(opened.mailIcon().isVisible()); }));
        QCOMPARE(modeOf(opened.folder()), mode_t(0700));

        AboutRun linked;
        const std::string elsewhere = linked.place.filePath("elsewhere").toStdString();
        QVERIFY(::mkdir(elsewhere.c_str(), 0700) == 0);
        QVERIFY(::symlink(elsewhere.c_str(), linked.folder().c_str()) == 0);
        linked.rig->dialogs.typesWithAProgram = {kMailType};
        QVERIFY(linked.whileOpen([&] { QVERIFY(!linked.mailIcon().isVisible()); }));
        QVERIFY(!exists(elsewhere + "/LSEOHILD.EML"));
    }

    void aLinkPlantedAtTheDraftIsReplacedAndItsTargetUntouched() {
        AboutRun run;
        QVERIFY(::mkdir(run.folder().c_str(), 0700) == 0);
        const std::string target = run.workFile("precieux.txt");
        writeBytes(target, "ne pas toucher");
        QVERIFY(::symlink(target.c_str(), run.draftPath().c_str()) == 0);
        QVERIFY(run.whileOpen([&] {
            struct stat st {};
            QVERIFY(::lstat(run.draftPath().c_str(), &st) == 0 && S_ISREG(st.st_mode));
            QCOMPARE(readBytes(run.draftPath()), kDraftBytes);
            run.pressOk();
        }));
        QCOMPARE(readBytes(target), std::string("ne pas toucher"));
    }

    void mailIconNeedsAMailProgram_data() {
        QTest::addColumn<bool>("programFound");
        QTest::newRow("no mail program") << false;
        QTest::newRow("a mail program") << true;
    }
    void mailIconNeedsAMailProgram() {
        QFETCH(bool, programFound);
        AboutRun run;
        if (programFound) run.rig->dialogs.typesWithAProgram = {kMailType};
        bool shown = false;
        QVERIFY(run.whileOpen([&] {
            shown = run.mailIcon().isVisible();
            QCOMPARE(readBytes(run.draftPath()), kDraftBytes);  // written either way
        }));
        QCOMPARE(shown, programFound);
        const auto asked = run.rig->dialogs.callsOf(DialogCall::ProgramFor);
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked.front().text, kMailType);
    }

    void clickOnTheMailIconOpensTheDraftThroughTheDesktop() {
        AboutRun run;
        run.rig->dialogs.typesWithAProgram = {kMailType};
        QVERIFY(run.whileOpen([&] { QTest::mouseClick(&run.mailIcon(), Qt::LeftButton, {}, QPoint(16, 16)); }));
        const auto opened = run.rig->dialogs.callsOf(DialogCall::Url);
        QCOMPARE(opened.size(), std::size_t(1));
        QCOMPARE(opened.front().arguments,
                 QStringList(QUrl::fromLocalFile(QString::fromStdString(run.draftPath())).toString()));
        QVERIFY(run.rig->dialogs.messages().isEmpty());
    }

    void aMailProgramThatCannotStartIsSaid() {
        AboutRun run;
        run.rig->dialogs.typesWithAProgram = {kMailType};
        run.rig->dialogs.browserFound = false;
        QVERIFY(run.whileOpen([&] { QTest::mouseClick(&run.mailIcon(), Qt::LeftButton, {}, QPoint(16, 16)); }));
        QCOMPARE(run.rig->dialogs.messages(),
                 QStringList("Information|Votre logiciel de messagerie n'a pas pu être lancé.\n"
                             "Vous pouvez écrire à l'auteur à l'adresse auteur@velorine.example."));
    }

    void okDeletesTheDraftTitleBarCloseKeepsItAndTheNextShowingRewritesIt() {
        AboutRun run;
        QVERIFY(run.whileOpen([&] { run.box().close(); }));
        QCOMPARE(readBytes(run.draftPath()), kDraftBytes);
        writeBytes(run.draftPath(), "changé entre-temps");
        QVERIFY(run.whileOpen([&] {
            QCOMPARE(readBytes(run.draftPath()), kDraftBytes);
            run.pressOk();
        }));
        QVERIFY(!exists(run.draftPath()));
        QCOMPARE(run.box().result(), int(QDialog::Accepted));
    }

    void aDraftThatCannotBeWrittenHidesTheIconAndTheBoxStillWorks() {
        // The private folder would have to be made inside a plain file: impossible, even for root.
        QTemporaryDir blocked;
        const QString plainFile = blocked.filePath("fichier");
        writeBytes(plainFile.toStdString(), "");
        AboutRun run(plainFile);
        run.rig->dialogs.typesWithAProgram = {kMailType};
        bool shown = true;
        QVERIFY(run.whileOpen([&] {
            shown = run.mailIcon().isVisible();
            run.pressOk();
        }));
        QVERIFY(!shown);
        QVERIFY(!run.box().isVisible());
        QVERIFY(run.rig->dialogs.messages().isEmpty());
        QVERIFY(run.rig->dialogs.callsOf(DialogCall::ProgramFor).empty());
    }

    void theIconGoesAwayWhenTheDraftCanNoLongerBeWritten() {
        AboutRun run;
        run.rig->dialogs.typesWithAProgram = {kMailType};
        QVERIFY(run.whileOpen([&] { QVERIFY(run.mailIcon().isVisible()); }));
        // The folder is replaced by a plain file: the next draft cannot be written.
        QVERIFY(::unlink(run.draftPath().c_str()) == 0 && ::rmdir(run.folder().c_str()) == 0);
        writeBytes(run.folder(), "");
        QVERIFY(run.whileOpen([&] { QVERIFY(!run.mailIcon().isVisible()); }));
    }

    void mailIconHintFollowsTheTooltipSwitch() {
        AboutRun run;
        run.rig->dialogs.typesWithAProgram = {kMailType};
        QVERIFY(run.whileOpen([&] {
            QCOMPARE(run.mailIcon().toolTip(), QString("Envoyer un mail à l'auteur"));
            // Off first: a tooltip once shown fades out only after a while.
            setTooltipsShown(false);
            QVERIFY(!tooltipAppears(run.mailIcon()));
            setTooltipsShown(true);
            QVERIFY(tooltipAppears(run.mailIcon()));
        }));
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
