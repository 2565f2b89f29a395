// The own controls as screen readers and the keyboard meet them: what Qt's accessibility tells of
// them, and that their actions and keys do what a click does.
#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

#include "controls/banner.h"
#include "controls/ie_button.h"

using namespace velorine::controls;

namespace {

QAccessibleInterface& InterfaceOf(QWidget& widget) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(&widget);
    if (found == nullptr) {
        qFatal("no accessible interface");
    }
    return *found;
}

QStringList Actions(QAccessibleInterface& control) { return control.actionInterface()->actionNames(); }

void Press(QAccessibleInterface& control) {
    control.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

}  // namespace

class AccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void buttonNames_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("accelerator");
        QTest::newRow("caption") << "&Oui"
                                 << "Je continue"
                                 << "Oui"
                                 << "Je continue"
                                 << "Alt+O";
        QTest::newRow("mark inside") << "De&main"
                                     << ""
                                     << "Demain"
                                     << ""
                                     << "Alt+M";
        QTest::newRow("a real ampersand") << "Pierre && Fils"
                                          << ""
                                          << "Pierre & Fils"
                                          << ""
                                          << "";
        QTest::newRow("glyph alone") << ""
                                     << "Ajouter un anniversaire"
                                     << "Ajouter un anniversaire"
                                     << ""
                                     << "";
    }

    void buttonNames() {
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        TIEButton button;
        button.SetCaption(caption);
        button.setToolTip(hint);
        QAccessibleInterface& seen = InterfaceOf(button);
        QCOMPARE(seen.role(), QAccessible::PushButton);
        QTEST(seen.text(QAccessible::Name), "name");
        QTEST(seen.text(QAccessible::Description), "description");
        QTEST(seen.text(QAccessible::Accelerator), "accelerator");
        QFETCH(QString, accelerator);
        QCOMPARE(seen.actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                 accelerator.isEmpty() ? QStringList() : QStringList{accelerator});
    }

    // Asked for by a screen reader, the press comes from the event loop, once, and only while the
    // button can be clicked.
    void pressingClicksOnceAndOnlyWhenEnabled() {
        TIEButton button;
        button.SetCaption(QStringLiteral("&Non"));
        QSignalSpy clicks(&button, &TIEButton::OnClick);
        QAccessibleInterface& seen = InterfaceOf(button);
        QVERIFY(Actions(seen).contains(QAccessibleActionInterface::pressAction()));
        Press(seen);
        QCOMPARE(clicks.count(), 0);
        QTRY_COMPARE(clicks.count(), 1);

        button.setEnabled(false);
        QVERIFY(seen.state().disabled);
        QVERIFY(!Actions(seen).contains(QAccessibleActionInterface::pressAction()));
        Press(seen);
        QTest::qWait(20);
        QCOMPARE(clicks.count(), 1);
    }

    void aGroupedButtonIsAToggleAndPressingTogglesIt() {
        QWidget parent;
        auto* first = new TIEButton(&parent);
        auto* second = new TIEButton(&parent);
        for (TIEButton* button : {first, second}) {
            button->SetGroupIndex(1);
        }
        QAccessibleInterface& seen = InterfaceOf(*first);
        QVERIFY(seen.state().checkable);
        QVERIFY(!seen.state().checked);
        second->SetDown(true);
        QSignalSpy clicks(first, &TIEButton::OnClick);
        Press(seen);
        QTRY_COMPARE(clicks.count(), 1);
        QVERIFY(seen.state().checked);
        QVERIFY(!InterfaceOf(*second).state().checked);
    }

    // Given a focus policy by its owner, a focused button is pressed by Space and Enter, not by
    // other keys; by default it never takes the focus.
    void spaceAndEnterPressAFocusedButton() {
        QWidget window;
        auto* button = new TIEButton(&window);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(!InterfaceOf(*button).state().focusable);
        button->setFocusPolicy(Qt::TabFocus);
        QVERIFY(InterfaceOf(*button).state().focusable);
        QSignalSpy clicks(button, &TIEButton::OnClick);
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_Escape}) {
            QTest::keyClick(button, key);
        }
        QCOMPARE(clicks.count(), 3);
    }

    void aBannerWithAClickHandlerIsALinkNamedByItsText() {
        TBanner banner;
        banner.SetScrollText(QStringLiteral("Cliquez ici pour programmer les velorine..") +
                             QString(27, QLatin1Char(' ')));
        banner.Loaded();
        QAccessibleInterface& seen = InterfaceOf(banner);
        QCOMPARE(seen.role(), QAccessible::StaticText);
        QVERIFY(!Actions(seen).contains(QAccessibleActionInterface::pressAction()));
        QVERIFY(seen.state().animated);

        QSignalSpy clicks(&banner, &TBanner::OnClick);
        QCOMPARE(seen.role(), QAccessible::Link);
        QCOMPARE(seen.text(QAccessible::Name), QStringLiteral("Cliquez ici pour programmer les velorine.."));
        Press(seen);
        QTRY_COMPARE(clicks.count(), 1);

        banner.setFocusPolicy(Qt::TabFocus);
        QTest::keyClick(&banner, Qt::Key_Space);
        QTest::keyClick(&banner, Qt::Key_Return);
        QTest::keyClick(&banner, Qt::Key_Left);
        QCOMPARE(clicks.count(), 3);

        banner.SetEnabled(false);
        QVERIFY(!seen.state().animated);
    }

    void aBannerOfLinesReadsThemInOrder() {
        TBanner banner;
        banner.SetLines({QStringLiteral("  Bonne fête  "), QString(), QStringLiteral("Anne")});
        QCOMPARE(InterfaceOf(banner).text(QAccessible::Name), QStringLiteral("Bonne fête Anne"));
    }
};

QTEST_MAIN(AccessibleTest)
#include "accessible_test.moc"
