// The windows as a screen reader meets them, through Qt's accessibility on the real widgets: roles,
// names, accelerators, each text once, and that the actions do what a click does, up to adding a
// person and answering the reminders without touching a widget.
#include <QAccessible>
#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include "controls/banner.h"
#include "controls/ie_button.h"
#include "reminder_test_data.h"
#include "sample_records.h"
#include "store/data_file.h"
#include "ui/help/about_box.h"
#include "ui/main/site_address.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

QAccessibleInterface& interfaceOf(QObject& object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(&object);
    if (!found) qFatal("no accessible interface");
    return *found;
}

// Every interface a reader reaches from `top`, depth first. The windows' own containers are
// checked on the way: each child knows its parent and its place, as readers rely on. (Qt's item
// views keep their cells up to date only while a reader listens.)
QList<QAccessibleInterface*> tree(QAccessibleInterface& top) {
    QList<QAccessibleInterface*> reached{&top};
    const bool itemView = top.tableInterface() || top.role() == QAccessible::List;
    for (int index = 0; index < top.childCount(); ++index) {
        QAccessibleInterface* child = top.child(index);
        if (!child) qFatal("a missing child");
        if (!itemView && (child->parent() != &top || top.indexOfChild(child) != index))
            qFatal("a child that does not know its place");
        reached += tree(*child);
    }
    return reached;
}

QAccessibleInterface* findNamed(QAccessibleInterface& top, QAccessible::Role role, const QString& name) {
    for (QAccessibleInterface* each : tree(top))
        if (each->role() == role && each->text(QAccessible::Name) == name) return each;
    return nullptr;
}

bool reaches(QAccessibleInterface& top, QObject& object) {
    for (QAccessibleInterface* each : tree(top))
        if (each->object() == &object) return true;
    return false;
}

void press(QAccessibleInterface& control) {
    QVERIFY(control.actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    control.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// Sets a box's text the way a reader does, replacing what it holds.
void typeThroughReader(QAccessibleInterface& box, const QString& text) {
    box.editableTextInterface()->replaceText(0, box.textInterface()->characterCount(), text);
}

}  // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT

private slots:
    void theReminderWindowIsAFrameWhoseAnswersAreNamedButtons() {
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
        QAccessibleInterface& window = interfaceOf(rig.reminderWindow());
        QCOMPARE(window.role(), QAccessible::Window);
        QCOMPARE(window.text(QAccessible::Name), QStringLiteral("Des Velorine approchent !!"));

        const struct {
            const char* control;
            QString name, accelerator, description;
        } answers[] = {
            {"IEButton2", "Oui", "Alt+O", "Je continue à vous rappeler les velorine"},
            {"IEButton1", "Non", "Alt+N", "Ils ne vous seront rappelés qu'au prochain anniversaire"},
            {"IEButton3", "Demain", "Alt+D", "Les rappels reprendront demain"},
        };
        for (const auto& answer : answers) {
            QAccessibleInterface* found = findNamed(window, QAccessible::PushButton, answer.name);
            QVERIFY2(found, answer.control);
            QCOMPARE(found->object(), &rig.control<controls::TIEButton>(answer.control));
            QCOMPARE(found->text(QAccessible::Accelerator), answer.accelerator);
            QCOMPARE(found->text(QAccessible::Description), answer.description);
            QVERIFY(found->state().focusable);
        }
        QAccessibleInterface* banner =
            findNamed(window, QAccessible::Link, QStringLiteral("Cliquez ici pour programmer les velorine.."));
        QVERIFY(banner);
        QVERIFY(findNamed(window, QAccessible::Graphic, QStringLiteral("Image 1 sur 8")));
        for (const char* arrow :
             {"Jour précédent", "Jour suivant", "Année précédente", "Année suivante", "Mois précédent", "Mois suivant"})
            QVERIFY2(findNamed(window, QAccessible::Button, QString::fromUtf8(arrow)), arrow);
    }

    // The date is read once, from the block that the arrows change; shadows, icons and the
    // picker's shadow are not read at all, and the hidden picker holds no focused day.
    void eachTextIsReadOnce() {
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
        QAccessibleInterface& window = interfaceOf(rig.reminderWindow());
        int dates = 0;
        for (QAccessibleInterface* each : tree(window))
            if (each->text(QAccessible::Name).contains(QStringLiteral("Dimanche"))) ++dates;
        QCOMPARE(dates, 1);
        // Once picked, the day stays the calendar's, but the hidden calendar holds no focused day.
        rig.control<QAction>("MenuItem3").trigger();
        rig.reminderWindow().Calendar1DblClick();
        QVERIFY(!rig.control<QCalendarWidget>("Calendar1").isVisible());
        for (QAccessibleInterface* each : tree(interfaceOf(rig.control<QCalendarWidget>("Calendar1"))))
            QVERIFY2(!each->state().focused, qPrintable(each->text(QAccessible::Name)));
        QAccessibleInterface& dateBlock = interfaceOf(rig.control<QFrame>("Panel2"));
        QCOMPARE(dateBlock.text(QAccessible::Name), QStringLiteral("Dimanche 6 Décembre 2026"));
        for (const char* unread :
             {"Label2", "Label3", "Label4", "Label14", "Label15", "Label16", "Image1", "Image2", "Panel3"})
            QVERIFY2(!reaches(window, rig.control<QWidget>(unread)), unread);
        QVERIFY(reaches(window, rig.control<QWidget>("Label5")));

        // Turning the date by a reader's press of an arrow renames the block.
        QAccessibleInterface* next = findNamed(dateBlock, QAccessible::Button, QStringLiteral("Jour suivant"));
        QVERIFY(next);
        press(*next);
        QTRY_COMPARE(dateBlock.text(QAccessible::Name), QStringLiteral("Lundi 7 Décembre 2026"));
    }

    void answeringThroughTheReaderStoresTheAnswerAndCloses() {
        WindowRig rig(WindowRig::reminderRun(aWeekOfReminders()));
        QAccessibleInterface* yes =
            findNamed(interfaceOf(rig.reminderWindow()), QAccessible::PushButton, QStringLiteral("Oui"));
        QVERIFY(yes);
        press(*yes);
        QTRY_VERIFY(!rig.reminderWindow().isVisible());
        QCOMPARE(store::readValue(rig.context.startup.dataFilePath, "Rappel", "Date", "absent", 32), "6 12 2026");
    }

    void theBannerAndThePictureAct() {
        WindowRig rig(WindowRig::reminderRun(""));
        QAccessibleInterface& window = interfaceOf(rig.reminderWindow());
        QAccessibleInterface* picture = findNamed(window, QAccessible::Graphic, QStringLiteral("Image 1 sur 8"));
        QVERIFY(picture);
        press(*picture);
        QTRY_COMPARE(picture->text(QAccessible::Name), QStringLiteral("Image 2 sur 8"));
        QCOMPARE(store::readValue(rig.context.startup.dataFilePath, "Options", "Bitmap", "absent", 32), "3");

        QVERIFY(findNamed(window, QAccessible::PushButton, QStringLiteral("Quitter")));
        press(*findNamed(window, QAccessible::Link, QStringLiteral("Cliquez ici pour programmer les velorine..")));
        QTRY_COMPARE(rig.dialogs.callsOf(DialogCall::Program).size(), std::size_t{1});
        QVERIFY(rig.dialogs.callsOf(DialogCall::Program).front().arguments.isEmpty());
    }

    void theListWindowNamesItsToolButtonsAndItsLink() {
        WindowRig rig(recordSection({kJean}));
        QAccessibleInterface& window = interfaceOf(rig.form());
        QCOMPARE(window.role(), QAccessible::Window);
        QCOMPARE(window.text(QAccessible::Name), QStringLiteral("Velorine Version 2.0"));
        QAccessibleInterface& toolbar = interfaceOf(rig.control<QFrame>("Panel1"));
        QCOMPARE(toolbar.role(), QAccessible::ToolBar);
        QStringList named;
        for (int index = 0; index < toolbar.childCount(); ++index)
            if (toolbar.child(index)->role() == QAccessible::Button) {
                named << toolbar.child(index)->text(QAccessible::Name);
                QVERIFY(toolbar.child(index)->text(QAccessible::Description).isEmpty());  // read once
                QVERIFY(toolbar.child(index)->state().focusable);
            }
        QCOMPARE(named, QStringList({"Quitter le programme", "Ajouter un anniversaire", "Supprimer un anniversaire",
                                     "Modifier un anniversaire", "Programmer les rappels", "Aide", "A Propos...",
                                     "Voir les Rappels"}));
        for (const char* unread : {"Button1", "Bevel1", "Panel2", "Panel3", "Panel4"})
            QVERIFY2(!reaches(window, rig.control<QWidget>(unread)), unread);

        QAccessibleInterface* link = findNamed(window, QAccessible::Link, siteAddress());
        QVERIFY(link);
        press(*link);
        QTRY_COMPARE(rig.dialogs.callsOf(DialogCall::Url).size(), std::size_t{1});
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Url).front().arguments, QStringList{siteUrl().toString()});

        // The reader's press returns at once; the modal dialog it opens runs from the event loop.
        bool dialogShown = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (!rig.dialog().isVisible()) return;
            dialogShown = true;
            rig.dialog().reject();
        });
        closer.start(10);
        press(*findNamed(toolbar, QAccessible::Button, QStringLiteral("Ajouter un anniversaire")));
        QVERIFY(!rig.dialog().isVisible());
        QTRY_VERIFY(dialogShown);

        // The reader's press of "Voir les Rappels" hands over as a click does.
        press(*findNamed(toolbar, QAccessible::Button, QStringLiteral("Voir les Rappels")));
        QTRY_VERIFY(!rig.form().isVisible());
        QCOMPARE(rig.dialogs.callsOf(DialogCall::Program).front().arguments, QStringList{"RAPPEL"});
    }

    // Each box is named by its caption and reached by its letter; a person is added through the
    // reader alone.
    void aPersonIsAddedThroughTheReader() {
        WindowRig rig("");
        const bool shown = rig.withDialog(
            [&] { rig.form().SpeedButton1Click(); },
            [&](TSais& dialog) {
                QAccessibleInterface& window = interfaceOf(dialog);
                QCOMPARE(window.role(), QAccessible::Dialog);
                QCOMPARE(window.text(QAccessible::Name), QStringLiteral("Ajouter un anniversaire"));
                // The title repeats the window's name; the format hint is the date box's description.
                for (const char* unread : {"Label9", "Label1"})
                    QVERIFY2(!reaches(window, *dialog.findChild<QLabel*>(QString::fromLatin1(unread))), unread);

                const struct {
                    const char* box;
                    QString name, accelerator, text;
                } boxes[] = {
                    {"Edit1", "Nom :", "Alt+N", "Lefèvre"},
                    {"Edit4", "Prénom :", "Alt+P", "Zoé"},
                    {"MaskEdit1", "Date de naissance :", "Alt+D", "21/06/1985"},
                    {"Edit2", "Adresse :", "Alt+A", "2 place du Marché"},
                    {"Edit3", "E-mail :", "Alt+E", "zoe@exemple.fr"},
                };
                for (const auto& each : boxes) {
                    QAccessibleInterface* box = findNamed(window, QAccessible::EditableText, each.name);
                    QVERIFY2(box, each.box);
                    QCOMPARE(box->object(), &entryBox(dialog, each.box));
                    QCOMPARE(box->text(QAccessible::Accelerator), each.accelerator);
                    typeThroughReader(*box, each.text);
                }
                QCOMPARE(interfaceOf(entryBox(dialog, "MaskEdit1")).text(QAccessible::Description),
                         QStringLiteral("JJ/MM/AAAA"));
                press(*findNamed(window, QAccessible::Button, QStringLiteral("OK")));
                QTRY_VERIFY(!dialog.isVisible());
            });
        QVERIFY(shown);
        const std::vector<store::BirthdayRecord> expected{
            {"Lef\xE8vre", "Zo\xE9", "21/06/1985", "2 place du March\xE9", "zoe@exemple.fr"}};
        QCOMPARE(rig.storedRecords(), expected);
    }

    void theAboutBoxOffersTheMailIconAsAButton() {
        WindowRig rig("");
        rig.dialogs.typesWithAProgram << QStringLiteral("message/rfc822");
        auto& box = *rig.windows.aboutBox;
        QVERIFY(whileShown(
            box, [&] { rig.form().SpeedButton7Click(); },
            [&] {
                QAccessibleInterface& window = interfaceOf(box);
                QVERIFY(!reaches(window, *box.findChild<QWidget*>(QStringLiteral("Image1"))));
                QAccessibleInterface* mail =
                    findNamed(window, QAccessible::Button, QStringLiteral("Envoyer un mail à l'auteur"));
                QVERIFY(mail);
                QVERIFY(mail->state().focusable);
                press(*mail);
                QTRY_COMPARE(rig.dialogs.callsOf(DialogCall::Url).size(), std::size_t{1});
            }));
    }
};

QTEST_MAIN(ScreenReaderTest)
#include "screen_reader_test.moc"
