#include <QPainter>
#include <QtTest>

#include "controls/button_glyph.h"
#include "image_checks.h"

using namespace velorine::controls;
using namespace velorine::controls::testing;

Q_DECLARE_METATYPE(GlyphState)

namespace {

const QColor kGrey(128, 128, 128);

// The shared strip, its disabled square half white and half grey, with one red pixel.
QImage GreyAndRedStrip() {
    QImage strip = TwoImageStrip();
    QPainter painter(&strip);
    painter.fillRect(22, 9, 10, 5, kGrey);
    painter.fillRect(30, 0, 1, 1, Qt::red);
    return strip;
}

QPalette Colours() {
    QPalette colours;
    colours.setColor(QPalette::Button, QColor(212, 208, 200));
    colours.setColor(QPalette::Light, QColor(250, 250, 250));
    colours.setColor(QPalette::Dark, QColor(100, 100, 100));
    return colours;
}

}  // namespace

class GlyphTest : public QObject {
    Q_OBJECT

private slots:
    void glyphListReusesFreedSlots() {
        TGlyphList list({2, 2});
        const QImage image = Solid({2, 2}, Qt::red);
        QCOMPARE(list.Add(image), 0);
        QCOMPARE(list.Add(image), 1);
        QCOMPARE(list.Add(image), 2);
        list.Delete(1);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Add(Solid({2, 2}, Qt::blue)), 1);
        QCOMPARE(list.Image(1).pixelColor(0, 0), QColor(Qt::blue));
    }

    void stripShapeSetsTheImageCount_data() {
        QTest::addColumn<QSize>("strip");
        QTest::addColumn<int>("count");
        QTest::newRow("36 x 18") << QSize(36, 18) << 2;
        QTest::newRow("90 x 18") << QSize(90, 18) << 5;
        QTest::newRow("108 x 18") << QSize(108, 18) << 1;
        QTest::newRow("not whole squares: kept") << QSize(40, 18) << 3;
    }
    void stripShapeSetsTheImageCount() {
        QFETCH(QSize, strip);
        QFETCH(int, count);
        TButtonGlyph glyph;
        glyph.SetCount(3);
        glyph.SetStrip(Solid(strip, kOlive));
        QCOMPARE(glyph.Count(), count);
    }

    void transparentColourIsTheBottomLeftPixel() {
        QImage strip = Solid({36, 18}, kGreen);
        strip.setPixelColor(0, 17, kOlive);
        QCOMPARE(TransparentColourOf(strip), kOlive);
        QImage mono(36, 18, QImage::Format_Mono);
        mono.fill(1);
        QCOMPARE(TransparentColourOf(mono), QColor(Qt::white));
    }

    void eachStateTakesItsOwnImageOrTheNormalOne_data() {
        QTest::addColumn<GlyphState>("state");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::newRow("sleeping in 3") << GlyphState::Sleeping << 3 << 2;
        QTest::newRow("sleeping in 2") << GlyphState::Sleeping << 2 << 0;
        QTest::newRow("down in 4") << GlyphState::Down << 4 << 3;
        QTest::newRow("pressed in 4") << GlyphState::Pressed << 4 << 0;
        QTest::newRow("pressed in 5") << GlyphState::Pressed << 5 << 4;
    }
    void eachStateTakesItsOwnImageOrTheNormalOne() {
        QFETCH(GlyphState, state);
        QFETCH(int, count);
        QFETCH(int, index);
        QCOMPARE(SourceImageIndex(state, count), index);
    }

    void normalImageLeavesTheTransparentColourOut() {
        const QImage image = BuildStateImage(GreyAndRedStrip(), 2, kOlive, GlyphState::Normal, Colours());
        QCOMPARE(image.size(), QSize(18, 18));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(image.pixelColor(5, 5), kGreen);
    }

    void disabledImageIsRecolouredFromTheSecondImage() {
        const QPalette colours = Colours();
        const QImage image = BuildStateImage(GreyAndRedStrip(), 2, kOlive, GlyphState::Disabled, colours);
        QCOMPARE(image.pixelColor(5, 5), colours.color(QPalette::Light));    // white
        QCOMPARE(image.pixelColor(5, 10), colours.color(QPalette::Dark));    // grey
        QCOMPARE(image.pixelColor(0, 17), colours.color(QPalette::Button));  // transparent colour
        QCOMPARE(image.pixelColor(12, 0), QColor(Qt::red));                  // others kept, opaque
    }

    // A transparent button has no face: what the disabled image leaves blank shows what is behind.
    void disabledImageOfATransparentButtonHasNoFace() {
        const QImage recoloured =
            BuildStateImage(GreyAndRedStrip(), 2, kOlive, GlyphState::Disabled, Colours(), DisabledBackground::None);
        QCOMPARE(qAlpha(recoloured.pixel(0, 17)), 0);
        QCOMPARE(recoloured.pixelColor(5, 10), Colours().color(QPalette::Dark));
        const QImage embossed = BuildStateImage(Solid({18, 18}, Qt::white), 1, Qt::white, GlyphState::Disabled,
                                                Colours(), DisabledBackground::None);
        QCOMPARE(qAlpha(embossed.pixel(0, 0)), 0);
    }

    // A strip drawn smoothly for a dense screen: twice the pixels, the same size on the button, and
    // the soft edges of its shapes keep their transparency.
    void aStripForADenseScreenGivesImagesOfItsDensity() {
        QImage strip(72, 36, QImage::Format_ARGB32);
        strip.fill(qRgba(128, 128, 0, 0));
        strip.setPixel(10, 10, qRgba(0, 160, 0, 255));
        strip.setPixel(11, 10, qRgba(0, 160, 0, 100));
        strip.setPixel(46, 10, qRgba(128, 128, 128, 120));
        strip.setDevicePixelRatio(2);
        TButtonGlyph glyph;
        glyph.SetStrip(strip);
        QCOMPARE(glyph.Count(), 2);
        QCOMPARE(glyph.ImageSize(), QSize(18, 18));
        const QImage normal = BuildStateImage(strip, 2, TransparentColourOf(strip), GlyphState::Normal, Colours());
        QCOMPARE(normal.devicePixelRatio(), 2.0);
        QCOMPARE(qAlpha(normal.pixel(11, 10)), 100);
        QCOMPARE(qAlpha(normal.pixel(0, 0)), 0);
        const QImage disabled = BuildStateImage(strip, 2, TransparentColourOf(strip), GlyphState::Disabled, Colours(),
                                                DisabledBackground::None);
        QCOMPARE(disabled.pixel(10, 10), qRgba(100, 100, 100, 120));  // grey, as soft as it was
    }

    void singleImageIsEmbossedWhenDisabled() {
        QImage strip = Solid({18, 18}, Qt::white);
        strip.setPixelColor(5, 5, Qt::black);
        strip.setPixelColor(6, 6, Qt::black);
        const QPalette colours = Colours();
        const QImage image = BuildStateImage(strip, 1, Qt::white, GlyphState::Disabled, colours);
        QCOMPARE(image.pixelColor(5, 5), colours.color(QPalette::Dark));
        QCOMPARE(image.pixelColor(6, 6), colours.color(QPalette::Dark));  // shadow drawn last wins
        QCOMPARE(image.pixelColor(7, 7), colours.color(QPalette::Light));
        QCOMPARE(image.pixelColor(0, 0), colours.color(QPalette::Button));
    }

    void imagesOfOneSizeShareAListThatGoesWithItsLastImage() {
        TGlyphCache& cache = TGlyphCache::Instance();
        const int listsBefore = cache.ListCount();
        QImage canvas(40, 40, QImage::Format_ARGB32);
        QPainter painter(&canvas);
        auto first = std::make_unique<TButtonGlyph>();
        auto second = std::make_unique<TButtonGlyph>();
        TButtonGlyph other;
        first->SetStrip(GreyAndRedStrip());
        second->SetStrip(GreyAndRedStrip());
        other.SetStrip(Solid({16, 16}, kOlive));
        first->Draw(painter, {}, GlyphState::Normal, Colours());
        first->Draw(painter, {}, GlyphState::Normal, Colours());  // built once
        first->Draw(painter, {}, GlyphState::Disabled, Colours());
        second->Draw(painter, {}, GlyphState::Normal, Colours());
        other.Draw(painter, {}, GlyphState::Normal, Colours());
        QCOMPARE(cache.ListCount(), listsBefore + 2);
        QCOMPARE(cache.GetList({18, 18})->Count(), 3);

        first.reset();
        QCOMPARE(cache.GetList({18, 18})->Count(), 1);
        second->SetCount(2);  // discards its images like any change of count
        QCOMPARE(cache.ListCount(), listsBefore + 1);
        second.reset();
        QCOMPARE(cache.ListCount(), listsBefore + 1);
    }
};

QTEST_MAIN(GlyphTest)
#include "glyph_test.moc"
