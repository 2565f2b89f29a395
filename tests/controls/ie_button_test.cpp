// Input goes through the window, as the platform delivers it: enter and leave, the implicit
// grab of a press, the widget under the pointer.
#define QTEST_QPA_MOUSE_HANDLING

#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "controls/button_parts.h"
#include "controls/ie_button.h"
#include "button_rig.h"
#include "image_checks.h"

using namespace velorine::controls;
using namespace velorine::controls::testing;

Q_DECLARE_METATYPE(FrameLook)

namespace {

const QColor kHighlight(255, 250, 205);

QRect BoundsOf(const QImage& image, const QColor& colour) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

void CheckLook(TIEButton& button, FrameLook frame, GlyphState glyph) {
    QCOMPARE(button.CurrentFrameLook(), frame);
    QCOMPARE(button.CurrentGlyphState(), glyph);
}

}  // namespace

class IEButtonTest : public QObject {
    Q_OBJECT

private slots:
    void pointerOverWakesTheButtonAndLeavingPutsItToSleep() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);
        CheckLook(button, FrameLook::Flat, GlyphState::Sleeping);
        QVERIFY(CountPixels(rig.Shot(button), button.rect(), Qt::black) > 0);
        QCOMPARE(CountPixels(rig.Shot(button), button.rect(), kFontColour), 0);

        rig.MoveOnto(button);
        CheckLook(button, FrameLook::Raised, GlyphState::Normal);
        QVERIFY(CountPixels(rig.Shot(button), button.rect(), kFontColour) > 0);
        QCOMPARE(CountPixels(rig.Shot(button), button.rect(), Qt::black), 0);

        rig.MoveAway();
        CheckLook(button, FrameLook::Flat, GlyphState::Sleeping);
    }

    void standardButtonIsRaisedAndAwakeEvenAway() {
        ButtonRig rig;
        rig[0].SetStandardButton(true);
        CheckLook(rig[0], FrameLook::Raised, GlyphState::Normal);
        QVERIFY(CountPixels(rig.Shot(rig[0]), rig[0].rect(), kFontColour) > 0);
        rig[0].setEnabled(false);
        CheckLook(rig[0], FrameLook::Raised, GlyphState::Disabled);
    }

    void pressSinksTheContentOnePixelAndReleaseClicks() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetGlyph(TwoImageStrip());
        QSignalSpy clicks(&button, &TIEButton::OnClick);
        rig.MoveOnto(button);
        const QRect raised = BoundsOf(rig.Shot(button), kGreen);
        QVERIFY(!raised.isEmpty());

        rig.Press(button);
        CheckLook(button, FrameLook::Sunken, GlyphState::Pressed);
        QCOMPARE(BoundsOf(rig.Shot(button), kGreen), raised.translated(1, 1));

        rig.Release(button);
        CheckLook(button, FrameLook::Raised, GlyphState::Normal);
        QCOMPARE(clicks.count(), 1);
    }

    void releaseOutsideStillClicksButDoesNotToggleDown() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetGroupIndex(1);
        button.SetAllowAllUp(true);
        QSignalSpy clicks(&button, &TIEButton::OnClick);
        rig.MoveOnto(button);
        rig.Press(button);
        QTest::mouseMove(&button, {200, 40});  // the press keeps the moves for the button
        CheckLook(button, FrameLook::Flat, GlyphState::Sleeping);
        rig.Release(button, {200, 40});
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!button.Down());
    }

    void disabledButtonIsEngravedAndIgnoresThePointer() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        QPalette colours = button.palette();
        colours.setColor(QPalette::Light, kHighlight);
        button.setPalette(colours);
        button.SetGlyph(TwoImageStrip());
        button.setEnabled(false);
        rig.MoveOnto(button);
        CheckLook(button, FrameLook::Flat, GlyphState::Disabled);
        const QImage shot = rig.Shot(button);
        QVERIFY(CountPixels(shot, button.rect(), QColor(128, 128, 128)) > 0);
        QCOMPARE(CountPixels(shot, button.rect(), kFontColour), 0);
        QCOMPARE(CountPixels(shot, button.rect(), kGreen), 0);
        // The disabled image: its white became the highlight colour, its olive the face.
        const QRect glyph = BoundsOf(shot, kHighlight);
        QCOMPARE(glyph.size(), QSize(10, 10));

        // Engraved: every grey caption pixel has a white one below right, unless grey covers it.
        int engraved = 0;
        for (int y = 0; y + 1 < shot.height(); ++y) {
            for (int x = glyph.right() + 2; x + 1 < shot.width() - 2; ++x) {
                if (shot.pixelColor(x, y) == QColor(128, 128, 128)) {
                    const QColor below = shot.pixelColor(x + 1, y + 1);
                    QVERIFY(below == QColor(Qt::white) || below == QColor(128, 128, 128));
                    ++engraved;
                }
            }
        }
        QVERIFY(engraved > 10);
        button.setEnabled(true);
        CheckLook(button, FrameLook::Raised, GlyphState::Normal);
    }

    void groupKeepsOneButtonDown_data() {
        QTest::addColumn<bool>("allowAllUp");
        QTest::newRow("all up not allowed") << false;
        QTest::newRow("all up allowed") << true;
    }
    void groupKeepsOneButtonDown() {
        QFETCH(bool, allowAllUp);
        ButtonRig rig(3);
        for (int i = 0; i < 3; ++i) {
            rig[i].SetGroupIndex(1);
        }
        rig[2].SetAllowAllUp(allowAllUp);  // shared with the whole group
        QCOMPARE(rig[0].AllowAllUp(), allowAllUp);

        rig.Click(rig[0]);
        QVERIFY(rig[0].Down());
        rig.Click(rig[1]);
        QVERIFY(!rig[0].Down());
        QVERIFY(rig[1].Down());
        QVERIFY(!rig[2].Down());
        CheckLook(rig[1], FrameLook::Sunken, GlyphState::Down);

        rig.Click(rig[1]);
        QCOMPARE(rig[1].Down(), !allowAllUp);
    }

    void downNeedsAGroup() {
        ButtonRig rig;
        rig[0].SetDown(true);
        QVERIFY(!rig[0].Down());
    }

    void propertyRules() {
        TIEButton button;
        QCOMPARE(button.size(), QSize(25, 25));
        button.SetMargin(-5);
        QCOMPARE(button.Margin(), -1);
        button.SetNumGlyphs(0);
        QCOMPARE(button.NumGlyphs(), 1);
        button.SetNumGlyphs(9);
        QCOMPARE(button.NumGlyphs(), 4);
        button.SetGlyph(QImage(90, 18, QImage::Format_RGB32));
        QCOMPARE(button.NumGlyphs(), 5);
        button.SetTransparent(true);
        QVERIFY(!button.testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void bevelLines_data() {
        QTest::addColumn<bool>("sunken");
        QTest::addColumn<bool>("soft");
        QTest::newRow("raised") << false << false;
        QTest::newRow("raised, soft") << false << true;
        QTest::newRow("sunken") << true << false;
        QTest::newRow("sunken, soft") << true << true;
    }
    void bevelLines() {
        QFETCH(bool, sunken);
        QFETCH(bool, soft);
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetCaption(QString());
        button.SetSoftShading(soft);
        button.SetGroupIndex(sunken ? 1 : 0);
        button.SetDown(true);
        rig.MoveOnto(button);
        QCOMPARE(button.CurrentFrameLook(), sunken ? FrameLook::Sunken : FrameLook::Raised);

        const QPalette& c = button.palette();
        const QColor light = c.color(QPalette::Light);
        const QColor face = c.color(QPalette::Button);
        const QColor outer = c.color(soft ? QPalette::Dark : QPalette::Shadow);
        const QColor inner = soft ? face : c.color(QPalette::Dark);
        const QColor topLeft = sunken ? outer : light;
        const QColor bottomRight = sunken ? light : outer;
        const QImage shot = rig.Shot(button);
        const auto at = [&](int x, int y) { return shot.pixelColor(x, y).rgb(); };
        QCOMPARE(at(0, 12), topLeft.rgb());
        QCOMPARE(at(40, 0), topLeft.rgb());
        QCOMPARE(at(80, 12), bottomRight.rgb());
        QCOMPARE(at(40, 24), bottomRight.rgb());
        // The pair drawn last owns the two shared corners.
        QCOMPARE(at(80, 0), (sunken ? bottomRight : topLeft).rgb());
        QCOMPARE(at(0, 24), (sunken ? bottomRight : topLeft).rgb());
        if (sunken) {
            QCOMPARE(at(1, 12), inner.rgb());
            QCOMPARE(at(40, 1), inner.rgb());
        } else {
            QCOMPARE(at(79, 12), inner.rgb());
            QCOMPARE(at(40, 23), inner.rgb());
        }
    }

    void downContentIsDitheredEvenWhenTransparent_data() {
        QTest::addColumn<bool>("transparent");
        QTest::newRow("opaque") << false;
        QTest::newRow("transparent") << true;
    }
    void downContentIsDitheredEvenWhenTransparent() {
        QFETCH(bool, transparent);
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetCaption(QString());
        button.SetTransparent(transparent);
        button.SetGroupIndex(1);
        button.SetDown(true);
        const QImage shot = rig.Shot(button);
        const QColor face = button.palette().color(QPalette::Button);
        const QRect content(2, 2, 81 - 3, 25 - 3);
        for (int y = content.top(); y <= content.bottom(); ++y) {
            for (int x = content.left(); x <= content.right(); ++x) {
                QCOMPARE(shot.pixelColor(x, y).rgb(), x % 2 == y % 2 ? qRgb(255, 255, 255) : face.rgb());
            }
        }
    }

    void transparentButtonShowsWhatIsBehind() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetCaption(QString());
        const QRgb face = button.palette().color(QPalette::Button).rgb();
        QCOMPARE(rig.Shot(button).pixelColor(40, 12).rgb(), face);
        button.SetTransparent(true);
        QCOMPARE(rig.Shot(button).pixelColor(40, 12).rgb(), kBehind.rgb());
    }

    void repaintsOnlyWhenTheLookChanges() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        rig.MoveOnto(button);
        QApplication::processEvents();
        int paints = 0;
        struct PaintCounter : QObject {
            int* count;
            explicit PaintCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* event) override {
                *count += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter(&paints);
        button.installEventFilter(&counter);

        button.SetStandardButton(true);  // raised and normal already
        QTest::mouseMove(&button, {41, 13});
        rig.MoveAway();  // a standard button stays raised and normal
        QTest::qWait(20);
        QCOMPARE(paints, 0);

        button.SetStandardButton(false);  // now flat and sleeping
        QTRY_COMPARE(paints, 1);
    }

    void dropDownMenuOpensUnderTheButtonAndNeverClicks_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("below") << false;
        QTest::newRow("at the right") << true;
    }
    void dropDownMenuOpensUnderTheButtonAndNeverClicks() {
        QFETCH(bool, horizontal);
        ButtonRig rig;
        TIEButton& button = rig[0];
        auto* menu = new QMenu(&rig.Window());
        menu->addAction(QStringLiteral("Choisir"));
        button.SetDropDownMenu(menu);
        button.SetDropDownArrow(true);
        button.SetDropDownArrowHorz(horizontal);
        QSignalSpy clicks(&button, &TIEButton::OnClick);

        QPoint shownAt;
        connect(menu, &QMenu::aboutToShow, menu, [&] {
            QTimer::singleShot(0, menu, [&] {
                shownAt = menu->pos();
                menu->close();
            });
        });
        QTimer::singleShot(3000, menu, &QMenu::close);  // never left waiting on an open menu
        QCursor::setPos(button.mapToGlobal(QPoint(200, 200)));
        rig.MoveOnto(button);
        rig.Press(button);  // returns once the menu has closed
        QCOMPARE(shownAt, button.mapToGlobal(horizontal ? QPoint(81, 0) : QPoint(0, 25)));
        rig.Release(button);
        QCOMPARE(clicks.count(), 0);
        // The pointer is no longer over it once the menu is gone.
        CheckLook(button, FrameLook::Flat, GlyphState::Sleeping);

        delete menu;
        QCOMPARE(button.DropDownMenu(), nullptr);
    }

    void dropDownArrowIsATriangleOfPixels_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("pointing down") << false;
        QTest::newRow("pointing right") << true;
    }
    void dropDownArrowIsATriangleOfPixels() {
        QFETCH(bool, horizontal);
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetCaption(QString());
        button.SetDropDownArrow(true);
        button.SetDropDownArrowHorz(horizontal);
        const QRect content(1, 1, 81 - 3, 25 - 3);
        const ButtonLayout layout = CalcButtonLayout(
            {content.size(), {}, QString(), true, horizontal, blGlyphLeft, -1, 4, false}, button.fontMetrics());
        const QImage shot = rig.Shot(button);
        QCOMPARE(CountPixels(shot, button.rect(), Qt::black), 7 + 5 + 3 + 1);
        const QPoint first = content.topLeft() + layout.arrow + QPoint(3, 2);
        for (int i = 0; i < 4; ++i) {
            const QRect line = horizontal ? QRect(first.x() + i, first.y() + i, 1, 7 - 2 * i)
                                          : QRect(first.x() + i, first.y() + i, 7 - 2 * i, 1);
            QVERIFY(AllPixels(shot, line, Qt::black));
        }
    }

    void pressedButtonLightsTheOthersItPasses() {
        ButtonRig rig(2);
        QSignalSpy clicks(&rig[0], &TIEButton::OnClick);
        rig.MoveOnto(rig[0]);
        rig.Press(rig[0]);
        QTest::mouseMove(&rig[0], {90 + 40, 12});  // over the second button
        CheckLook(rig[1], FrameLook::Raised, GlyphState::Normal);
        CheckLook(rig[0], FrameLook::Flat, GlyphState::Sleeping);
        QTest::mouseMove(&rig[0], {40, 45});  // over neither
        CheckLook(rig[1], FrameLook::Flat, GlyphState::Sleeping);
        QTest::mouseMove(&rig[0], {40, 12});  // back: pressed again
        CheckLook(rig[0], FrameLook::Sunken, GlyphState::Pressed);
        rig.Release(rig[0]);
        QCOMPARE(clicks.count(), 1);
    }

    void acceleratorLetterClicksAnEnabledButton() {
        ButtonRig rig;
        QSignalSpy clicks(&rig[0], &TIEButton::OnClick);
        rig.Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.Window()));
        QTest::keyClick(&rig.Window(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        rig[0].setEnabled(false);
        QTest::keyClick(&rig.Window(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
    }

    void colourChangeRebuildsTheGlyphImages() {
        ButtonRig rig;
        TIEButton& button = rig[0];
        button.SetGlyph(TwoImageStrip());
        button.setEnabled(false);
        const QColor highlight = button.palette().color(QPalette::Light);
        QVERIFY(CountPixels(rig.Shot(button), button.rect(), highlight) >= 100);
        QPalette colours = button.palette();
        colours.setColor(QPalette::Light, QColor(255, 240, 0));
        button.setPalette(colours);
        QCOMPARE(CountPixels(rig.Shot(button), button.rect(), QColor(255, 240, 0)), 100);
    }
};

QTEST_MAIN(IEButtonTest)
#include "ie_button_test.moc"
