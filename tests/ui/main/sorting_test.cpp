// The order of the main list: by surname at every start, by the clicked column afterwards, byte
// codes of Windows-1252, birth dates in time order.
#include <QHeaderView>
#include <QTest>

#include "ui/main/birthday_list_model.h"
#include "window_rig.h"

using namespace velorine;
using namespace velorine::ui;
using namespace velorine::ui::testing;

namespace {

store::BirthdayRecord person(std::string surname, std::string date = "01/01/1990", std::string email = {}) {
    return {std::move(surname), "", std::move(date), "", std::move(email)};
}

void clickHeader(WindowRig& rig, int column) {
    QHeaderView* header = rig.list().header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

}  // namespace

class SortingTest : public QObject {
    Q_OBJECT

private slots:
    void textsCompareAsWindows1252Codes_data() {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("capital before small") << QByteArray("Martin") << QByteArray("martin") << -1;
        QTest::newRow("small before accented") << QByteArray("zoe") << QByteArray("\xC9mile") << -1;
        QTest::newRow("digit before letter") << QByteArray("2 rue") << QByteArray("A") << -1;
        QTest::newRow("empty first") << QByteArray("") << QByteArray(" ") << -1;
        QTest::newRow("shorter first") << QByteArray("Mart") << QByteArray("Martin") << -1;
        QTest::newRow("equal") << QByteArray("\xE9t\xE9") << QByteArray("\xE9t\xE9") << 0;
        QTest::newRow("euro sign after z") << QByteArray("\x80") << QByteArray("z") << 1;
    }
    void textsCompareAsWindows1252Codes() {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(int, sign);
        const auto result = compareCp1252Texts(a.toStdString(), b.toStdString());
        QCOMPARE((result > 0) - (result < 0), sign);
        const auto reverse = compareCp1252Texts(b.toStdString(), a.toStdString());
        QCOMPARE((reverse > 0) - (reverse < 0), -sign);
    }

    void everyRunStartsBySurname() {
        WindowRig rig(recordSection({person("martin"), person("Martin"), person("\xC9mile"), person("Zo\xE9")}));
        QCOMPARE(rig.column(0), QStringList({"Martin", "Zoé", "martin", "Émile"}));
        clickHeader(rig, 2);
        QCOMPARE(rig.form().sortColumn(), 2);
        WindowRig next(rig.dataFileBytes());
        QCOMPARE(next.form().sortColumn(), 0);
        QCOMPARE(next.column(0), QStringList({"Martin", "Zoé", "martin", "Émile"}));
    }

    void birthDatesSortOldestFirstAndUnreadableOnesBeforeAll() {
        WindowRig rig(recordSection({person("A", "05/01/1990"), person("B", "20/12/1985"), person("C", "01/06/1990"),
                                     person("D", "inconnue"), person("E", "1/2/1980")}));
        clickHeader(rig, 2);
        QCOMPARE(rig.column(2), QStringList({"inconnue", "1/2/1980", "20/12/1985", "05/01/1990", "01/06/1990"}));
        clickHeader(rig, 2);  // again: the same order, never descending
        QCOMPARE(rig.column(0), QStringList({"D", "E", "B", "A", "C"}));
    }

    void otherColumnsSortByTheirTexts() {
        WindowRig rig(recordSection({{"A", "Zo\xE9", "01/01/1990", "9 rue", "z@x.fr"},
                                     {"B", "Anne", "01/01/1990", "12 rue", ""},
                                     {"C", "", "01/01/1990", "", "a@x.fr"}}));
        clickHeader(rig, 4);
        QCOMPARE(rig.column(4), QStringList({"", "a@x.fr", "z@x.fr"}));
        clickHeader(rig, 1);
        QCOMPARE(rig.column(1), QStringList({"", "Anne", "Zoé"}));
        clickHeader(rig, 3);
        QCOMPARE(rig.column(3), QStringList({"", "12 rue", "9 rue"}));
        clickHeader(rig, 0);
        QCOMPARE(rig.column(0), QStringList({"A", "B", "C"}));
    }

    void equalRowsKeepTheirOrderInTheFile() {
        WindowRig rig(
            recordSection({{"Dupont", "Zo\xE9", "01/01/1990", "", ""}, {"Dupont", "Anne", "01/01/1990", "", ""}}));
        QCOMPARE(rig.column(1), QStringList({"Zoé", "Anne"}));
    }

    void selectionFollowsItsRowWhenSorted() {
        WindowRig rig(recordSection({person("A", "05/01/1990"), person("B", "20/12/1985"), person("C", "01/06/1990")}));
        rig.clickRow(2);
        clickHeader(rig, 2);
        const QModelIndexList selected = rig.list().selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().data().toString(), QString("C"));
    }

    void anAddedRecordTakesItsPlaceInTheCurrentOrder() {
        WindowRig rig(recordSection({person("A", "05/01/1990"), person("B", "20/12/1985")}));
        clickHeader(rig, 2);
        QVERIFY(rig.withDialog([&] { rig.form().SpeedButton1Click(); },
                               [&](TSais& dialog) {
                                   typeInto(dialog, "Edit1", "Z");
                                   typeInto(dialog, "MaskEdit1", "01011988");
                                   pressOk(dialog);
                               }));
        QCOMPARE(rig.column(0), QStringList({"B", "Z", "A"}));
    }
};

QTEST_MAIN(SortingTest)
#include "sorting_test.moc"
