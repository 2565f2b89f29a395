// The main window's appearance: colours chosen from its menus, column widths and the tooltip choice
// restored from the data file and saved at close, and the info line kept right when resized.
#include <QAction>
#include <QCheckBox>
#include <QTest>
#include <QToolButton>

#include "store/data_file.h"
#include "store/number_text.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

const std::string kPeople = recordSection({{"Dupont", "Jean", "10/03/1990", "", ""}});

std::string stored(WindowRig& rig, const char* section, const std::string& key) {
    return store::readValue(rig.context.startup.dataFilePath, section, key, "absent", 20);
}

QList<int> columnWidths(WindowRig& rig) {
    QList<int> widths;
    for (int column = 0; column < 5; ++column) widths << rig.list().columnWidth(column);
    return widths;
}

QColor colourOf(QWidget& widget, QPalette::ColorRole role) { return widget.palette().color(role); }

}  // namespace

class AppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void aFreshDataFileShowsTheDesignedLook() {
        WindowRig rig(kPeople);
        QCOMPARE(columnWidths(rig), QList<int>({90, 70, 70, 178, 207}));
        QCOMPARE(colourOf(rig.list(), QPalette::Base), QColor(Qt::white));
        QCOMPARE(colourOf(rig.list(), QPalette::Text), QColor(Qt::black));
        // The design's blue gives way to the stored black.
        QCOMPARE(colourOf(rig.label("Label2"), QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!rig.control<QCheckBox>("CheckBox4").isChecked());
        QVERIFY(tooltipAppears(rig.control<QToolButton>("SpeedButton1")));
    }

    void storedWidthsAreReadAsPlainNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("no digits") << "abc" << 0;
        QTest::newRow("blanks and a unit") << "  120px" << 120;
        QTest::newRow("plus sign") << "+75" << 75;
        QTest::newRow("small") << "3" << 3;
        QTest::newRow("negative") << "-40" << 0;
        QTest::newRow("absurd") << "99999999999" << kMaxColumnWidth;
    }
    void storedWidthsAreReadAsPlainNumbers() {
        QFETCH(QString, text);
        QFETCH(int, width);
        WindowRig rig(kPeople + "[Fenetre]\r\nLargeur2=" + text.toStdString() + "\r\nLargeur4=55\r\n");
        QCOMPARE(columnWidths(rig), QList<int>({90, 70, width, 178, 55}));
    }

    void storedColoursAreShown() {
        // 65535 is yellow; -16776961 is red with a top byte of 255; 536870911 is no colour of its own.
        WindowRig rig(kPeople +
                      "[Options]\r\nForm1Label2=-16776961\r\nForm1ListViewBack=65535\r\n"
                      "Form1ListViewFore=  8388608 \r\n");
        QCOMPARE(colourOf(rig.label("Label2"), QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(colourOf(rig.list(), QPalette::Base), QColor(255, 255, 0));
        QCOMPARE(colourOf(rig.list(), QPalette::Text), QColor(0, 0, 128));

        WindowRig none(kPeople + "[Options]\r\nForm1ListViewBack=536870911\r\n");
        QCOMPARE(colourOf(none.list(), QPalette::Base), colourOf(*none.list().parentWidget(), QPalette::Window));
    }

    void colourCommands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("preset");
        QTest::newRow("info line") << "Changerlacouleurdutexte1"
                                   << "Form1Label2"
                                   << "Label2" << int(QPalette::WindowText) << "#000000";
        QTest::newRow("list background") << "Changerlacouleurdufond1"
                                         << "Form1ListViewBack"
                                         << "ListView" << int(QPalette::Base) << "#ffffff";
        QTest::newRow("list text") << "Changerlacouleurdutexte2"
                                   << "Form1ListViewFore"
                                   << "ListView" << int(QPalette::Text) << "#000000";
    }
    void colourCommands() {
        QFETCH(QString, item);
        QFETCH(QString, key);
        QFETCH(QString, element);
        QFETCH(int, role);
        QFETCH(QString, preset);
        WindowRig rig(kPeople);
        QWidget& target = rig.control<QWidget>(qPrintable(element));
        QAction& command = rig.control<QAction>(qPrintable(item));

        rig.dialogs.chosenColours = {QColor(10, 20, 30)};
        command.trigger();
        QCOMPARE(rig.dialogs.calls.back().text, preset);
        QCOMPARE(colourOf(target, QPalette::ColorRole(role)), QColor(10, 20, 30));
        QCOMPARE(stored(rig, "Options", key.toStdString()), std::to_string(10 | 20 << 8 | 30 << 16));

        command.trigger();  // cancelled: the preset is the colour just chosen, and it is written again
        QCOMPARE(rig.dialogs.calls.back().text, QString("#0a141e"));
        QCOMPARE(colourOf(target, QPalette::ColorRole(role)), QColor(10, 20, 30));
        QCOMPARE(stored(rig, "Options", key.toStdString()), std::to_string(10 | 20 << 8 | 30 << 16));
    }

    void aCancelledChoiceWritesTheStoredNumberUnchanged() {
        for (const char* number : {"-16776961", "536870911", "2146500606", "  12abc"}) {
            WindowRig rig(kPeople + "[Options]\r\nForm1ListViewBack=" + number + "\r\n");
            const QColor shown = colourOf(rig.list(), QPalette::Base);
            rig.control<QAction>("Changerlacouleurdufond1").trigger();
            QCOMPARE(stored(rig, "Options", "Form1ListViewBack"), std::to_string(store::integerFromText(number)));
            QCOMPARE(colourOf(rig.list(), QPalette::Base), shown);
        }
        WindowRig fresh(kPeople);
        fresh.control<QAction>("Changerlacouleurdutexte1").trigger();
        QCOMPARE(stored(fresh, "Options", "Form1Label2"), std::string("0"));
    }

    void tooltipsSwitchedOffAreRestoredAndSavedAtClose() {
        WindowRig rig(kPeople + "[Fenetre]\r\nAideRapide=1\r\n");
        QCheckBox& box = rig.control<QCheckBox>("CheckBox4");
        QToolButton& button = rig.control<QToolButton>("SpeedButton1");
        QVERIFY(box.isChecked());
        QVERIFY(!tooltipAppears(button));
        QVERIFY(!tooltipAppears(rig.label("Label2")));

        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
        QVERIFY(!box.isChecked());
        QVERIFY(tooltipAppears(button));
        rig.form().close();
        QCOMPARE(stored(rig, "Fenetre", "AideRapide"), std::string("0"));
    }

    void onlyTheFirstCharacterOfTheTooltipChoiceCounts() {
        for (const auto& [text, ticked] :
             {std::pair{"1", true}, {"1 oui", true}, {"0", false}, {"", false}, {"2", false}, {" 1", true}}) {
            WindowRig rig(kPeople + "[Fenetre]\r\nAideRapide=" + text + "\r\n");
            QCOMPARE(rig.control<QCheckBox>("CheckBox4").isChecked(), ticked);
            QCOMPARE(tooltipAppears(rig.control<QToolButton>("SpeedButton2")), !ticked);
        }
    }

    void closeSavesTheWidthsThenTheTooltipChoice() {
        WindowRig rig(kPeople);
        rig.list().setColumnWidth(0, 140);
        rig.list().setColumnWidth(3, 0);
        QTest::mouseClick(&rig.control<QCheckBox>("CheckBox4"), Qt::LeftButton, {}, QPoint(6, 6));
        rig.form().close();
        const std::string bytes = rig.dataFileBytes();
        QVERIFY(bytes.find("[Fenetre]\r\nLargeur0=140\r\nLargeur1=70\r\nLargeur2=70\r\nLargeur3=0\r\n"
                           "Largeur4=207\r\nAideRapide=1\r\n") != std::string::npos);

        WindowRig again(bytes);
        QCOMPARE(columnWidths(again), QList<int>({140, 70, 70, 0, 207}));
        QVERIFY(again.control<QCheckBox>("CheckBox4").isChecked());
    }

    void resizingKeepsTheInfoLineRightWhenThereIsRoom() {
        WindowRig rig(kPeople);
        QLabel& info = rig.label("Label2");
        rig.form().resize(900, 414);
        QCOMPARE(info.x(), 900 - info.width() - 20);

        const int left = info.x();
        const int narrow = info.width() + 260;  // not wider than the info line + 260
        rig.form().resize(narrow, 414);
        QCOMPARE(rig.form().width(), narrow);
        QCOMPARE(info.x(), left);
        rig.form().resize(narrow + 1, 414);
        QCOMPARE(info.x(), narrow + 1 - info.width() - 20);
    }
};

QTEST_MAIN(AppearanceTest)
#include "appearance_test.moc"
