#include <QSignalSpy>
#include <QtTest>

#include "controls/banner.h"
#include "image_checks.h"

using namespace velorine::controls;
using namespace velorine::controls::testing;

Q_DECLARE_METATYPE(TScrollDirection)
Q_DECLARE_METATYPE(TAlignment)

namespace {

const QColor kBackground(255, 255, 255);
const QColor kInk(200, 0, 0);

// A loaded banner in a window, whose steps the test takes itself: its timer is slowed down out
// of the way.
class BannerRig {
public:
    explicit BannerRig(QSize size = {100, 20}) : banner_(new TBanner(&window_)) {
        banner_->resize(size);
        banner_->SetColor(kBackground);
        banner_->SetScrollInterval(60000);
        banner_->setFont(CrispFont(11));
        banner_->Loaded();
    }
    TBanner* operator->() { return banner_; }
    TBanner& operator*() { return *banner_; }
    TBanner* get() { return banner_; }

private:
    QWidget window_;
    TBanner* banner_;
};

QImage Frame(TBanner& banner) { return banner.grab().toImage(); }

// Content whose every column (or row) has its own colour, none of them the background.
QImage Gradient(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(10 + x % 200, 20 + y % 200, 90));
        }
    }
    return image;
}

}  // namespace

class BannerTest : public QObject {
    Q_OBJECT

private slots:
    void newBannerShowsItsColourAndRefusesToStart() {
        TBanner banner;
        banner.Loaded();
        QCOMPARE(banner.size(), QSize(100, 100));
        QVERIFY(banner.AutoEnable());
        QCOMPARE(banner.LinesAlign(), taCenter);
        QCOMPARE(banner.ScrollInterval(), 200);
        QCOMPARE(banner.ScrollPixels(), 4);
        QCOMPARE(banner.ScrollDirection(), sdRightToLeft);
        QCOMPARE(banner.focusPolicy(), Qt::NoFocus);
        QVERIFY(banner.testAttribute(Qt::WA_OpaquePaintEvent));

        banner.SetColor(Qt::yellow);
        QVERIFY(AllPixels(Frame(banner), banner.rect(), Qt::yellow));
        QSignalSpy enabled(&banner, &TBanner::OnEnable);
        try {
            banner.SetEnabled(true);
            QFAIL("enabling an empty banner must fail");
        } catch (const BannerContentError& error) {
            QCOMPARE(QString(error.what()), QStringLiteral("Assign a bitmap or text to banner before enabling"));
        }
        QVERIFY(!banner.Enabled());
        QCOMPARE(enabled.count(), 0);
    }

    void gapModeEntersAtTheRightAndEmptiesAfterThePass() {
        BannerRig banner;
        banner->SetBitmap(Solid({40, 20}, kInk));
        QVERIFY(banner->Enabled());

        banner->ScrollTick();
        QImage frame = Frame(*banner);
        QVERIFY(AllPixels(frame, QRect(96, 0, 4, 20), kInk));
        QVERIFY(AllPixels(frame, QRect(0, 0, 96, 20), kBackground));

        while (banner->Position() != 140) {
            banner->ScrollTick();
        }
        QVERIFY(AllPixels(Frame(*banner), banner->rect(), kBackground));
        banner->ScrollTick();  // past 140: the pass starts again
        QCOMPARE(banner->Position(), 0);
        QVERIFY(AllPixels(Frame(*banner), banner->rect(), kBackground));
        QVERIFY(banner->Enabled());
    }

    void onlyOnceStopsAfterOnePassAndShowsTheBackground() {
        BannerRig banner;
        banner->SetOnlyOnce(true);
        banner->SetScrollPixels(30);
        banner->SetScrollText(QStringLiteral("Bonjour"));
        const int extent = banner->Bitmap().width();
        QSignalSpy disabled(banner.get(), &TBanner::OnDisable);

        int steps = 0;
        while (banner->Enabled() && steps < 100) {
            banner->ScrollTick();
            ++steps;
        }
        QCOMPARE(steps, (extent + 100) / 30 + 1);
        QCOMPARE(disabled.count(), 1);
        QVERIFY(banner->Bitmap().isNull());
        QVERIFY(AllPixels(Frame(*banner), banner->rect(), kBackground));

        // Still past the end: enabling renders the text again and the next step stops it again.
        banner->SetEnabled(true);
        QVERIFY(!banner->Bitmap().isNull());
        banner->ScrollTick();
        QVERIFY(!banner->Enabled());

        // A change of axis recomputes the position, so the content passes again.
        banner->SetEnabled(true);
        banner->SetScrollDirection(sdTopToBottom);
        banner->SetScrollPixels(4);
        banner->ScrollTick();
        QVERIFY(banner->Enabled());
    }

    void noGapRepeatsWithoutABand_data() {
        QTest::addColumn<TScrollDirection>("direction");
        QTest::addColumn<QSize>("content");
        QTest::newRow("right to left") << sdRightToLeft << QSize(30, 20);
        QTest::newRow("left to right") << sdLeftToRight << QSize(30, 20);
        QTest::newRow("top to bottom") << sdTopToBottom << QSize(100, 7);
        QTest::newRow("bottom to top") << sdBottomToTop << QSize(100, 7);
    }
    void noGapRepeatsWithoutABand() {
        QFETCH(TScrollDirection, direction);
        QFETCH(QSize, content);
        BannerRig banner;
        banner->SetNoGap(true);
        banner->SetScrollDirection(direction);
        banner->SetScrollPixels(7);
        banner->SetBitmap(Gradient(content));
        const int extent = IsHorizontal(direction) ? content.width() : content.height();
        for (int step = 0; step < 40; ++step) {
            banner->ScrollTick();
            QVERIFY(banner->Position() <= extent);
            QCOMPARE(CountPixels(Frame(*banner), banner->rect(), kBackground), 0);
        }
    }

    void reversingKeepsTheContentInPlace_data() {
        QTest::addColumn<TScrollDirection>("from");
        QTest::addColumn<TScrollDirection>("to");
        QTest::newRow("right to left, then left to right") << sdRightToLeft << sdLeftToRight;
        QTest::newRow("left to right, then right to left") << sdLeftToRight << sdRightToLeft;
        QTest::newRow("top to bottom, then bottom to top") << sdTopToBottom << sdBottomToTop;
        QTest::newRow("bottom to top, then top to bottom") << sdBottomToTop << sdTopToBottom;
    }
    void reversingKeepsTheContentInPlace() {
        QFETCH(TScrollDirection, from);
        QFETCH(TScrollDirection, to);
        BannerRig banner({100, 60});
        banner->SetScrollDirection(from);
        banner->SetBitmap(Gradient({40, 25}));
        for (int step = 0; step < 9; ++step) {
            banner->ScrollTick();
        }
        const QImage before = Frame(*banner);
        QVERIFY(CountPixels(before, banner->rect(), kBackground) < 100 * 60);
        banner->SetScrollDirection(to);
        QCOMPARE(Frame(*banner), before);
    }

    void linesAreAlignedWithinTheWidest_data() {
        QTest::addColumn<TAlignment>("align");
        QTest::newRow("left") << taLeftJustify;
        QTest::newRow("right") << taRightJustify;
        QTest::newRow("centre") << taCenter;
    }
    void linesAreAlignedWithinTheWidest() {
        QFETCH(TAlignment, align);
        BannerRig banner;
        QPalette colours = banner->palette();
        colours.setColor(QPalette::WindowText, kInk);
        banner->setPalette(colours);
        const QStringList lines{QStringLiteral("Xj"), QStringLiteral("Anniversaires"), QStringLiteral("fêtes")};
        banner->SetLinesAlign(align);
        banner->SetLines(lines);

        const QFontMetrics metrics(banner->font());
        const QImage& content = banner->Bitmap();
        const int widest = metrics.horizontalAdvance(lines[1]);
        QCOMPARE(content.size(), QSize(widest, 3 * metrics.height()));
        for (int i = 0; i < lines.size(); ++i) {
            const QImage alone = RenderOneLine(lines[i], {banner->font(), kInk, kBackground});
            const int leftover = widest - alone.width();
            const int x = align == taLeftJustify ? 0 : align == taRightJustify ? leftover : leftover / 2;
            QCOMPARE(content.copy(x, i * metrics.height(), alone.width(), alone.height()), alone);
        }
    }

    // On a dense screen the text is drawn with every pixel of the screen, at the same size.
    void textForADenseScreenHasItsDensityAndTheSameSize() {
        const QFont font = CrispFont(11);
        const QImage plain = RenderOneLine(QStringLiteral("Cliquez ici"), {font, kInk, kBackground});
        const QImage dense = RenderOneLine(QStringLiteral("Cliquez ici"), {font, kInk, kBackground, 2});
        QCOMPARE(dense.devicePixelRatio(), 2.0);
        QCOMPARE(dense.size(), plain.size() * 2);
        QCOMPARE(LogicalSize(dense), plain.size());
        QVERIFY(CountPixels(dense, dense.rect(), kInk) > 2 * CountPixels(plain, plain.rect(), kInk));
    }

    void centringPutsTheOddPixelOnTheRight() {
        QCOMPARE(AlignedLineX(taCenter, 11, 4), 3);
        QCOMPARE(AlignedLineX(taRightJustify, 11, 4), 7);
    }

    void fontAndColourChangesDoNotRenderAgain() {
        BannerRig banner({300, 20});
        banner->SetScrollText(QStringLiteral("Cliquez ici"));
        const QImage rendered = banner->Bitmap();
        banner->setFont(CrispFont(16));
        banner->SetColor(Qt::cyan);
        QCOMPARE(banner->Bitmap(), rendered);
        // The background around the content follows the colour at once.
        QVERIFY(AllPixels(Frame(*banner), banner->rect(), Qt::cyan));
        banner->ScrollTick();
        QVERIFY(AllPixels(Frame(*banner), QRect(0, 0, 296, 20), Qt::cyan));

        banner->SetScrollText(banner->ScrollText());
        QCOMPARE(banner->Bitmap().height(), QFontMetrics(CrispFont(16)).height());
    }

    void stepsOnlyCopyTheRenderedText() {
        BannerRig banner;
        banner->SetNoGap(true);
        banner->SetScrollText(QStringLiteral("Cliquez ici pour programmer"));
        const qint64 rendered = banner->Bitmap().cacheKey();
        for (int step = 0; step < 20; ++step) {
            banner->ScrollTick();
        }
        QCOMPARE(banner->Bitmap().cacheKey(), rendered);
    }

    void intervalZeroKeepsTheBannerEnabledButStill() {
        BannerRig banner;
        banner->SetScrollInterval(0);
        QSignalSpy steps(banner.get(), &TBanner::OnScroll);
        banner->SetScrollText(QStringLiteral("abc"));
        QVERIFY(banner->Enabled());
        QTest::qWait(50);
        QCOMPARE(steps.count(), 0);

        banner->SetScrollInterval(5);
        QTRY_VERIFY(steps.count() > 0);
    }

    void pixelsZeroRepaintsAndReportsWithoutMoving() {
        QWidget window;
        auto* banner = new TBanner(&window);
        banner->resize(100, 20);
        banner->SetScrollInterval(60000);
        banner->Loaded();
        banner->SetBitmap(Solid({40, 20}, kInk));
        banner->SetScrollPixels(0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int paints = 0;
        struct PaintCounter : QObject {
            int* count;
            explicit PaintCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* event) override {
                *count += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter(&paints);
        banner->installEventFilter(&counter);
        QSignalSpy steps(banner, &TBanner::OnScroll);

        for (int step = 0; step < 3; ++step) {
            banner->ScrollTick();
        }
        QCOMPARE(banner->Position(), 0);
        QCOMPARE(steps.count(), 3);
        QCOMPARE(paints, 3);  // each step paints at once, nothing is queued
    }

    void everyCallRaisesItsEvent() {
        BannerRig banner;
        QStringList events;
        connect(banner.get(), &TBanner::OnEnable, this, [&] { events << "on"; });
        connect(banner.get(), &TBanner::OnDisable, this, [&] { events << "off"; });
        banner->SetAutoEnable(false);
        banner->SetScrollText(QStringLiteral("abc"));
        banner->SetEnabled(false);
        QCOMPARE(events, QStringList({"off", "off"}));

        // The text was dropped by disabling: enabling renders it again, and that rendering raises
        // its own pair of events first when AutoEnable is on.
        events.clear();
        banner->SetAutoEnable(true);
        banner->SetEnabled(true);
        QCOMPARE(events, QStringList({"off", "on", "on"}));
    }

    void contentWithoutExtentFailsInsteadOfLooping_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoEnable");
        QTest::newRow("no lines, auto-enable") << QStringList() << QString() << true;
        QTest::newRow("no lines, running") << QStringList() << QString() << false;
        QTest::newRow("only empty lines") << QStringList{"", ""} << QString() << true;
        QTest::newRow("empty text") << QStringList() << QString("") << true;
    }
    void contentWithoutExtentFailsInsteadOfLooping() {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QFETCH(bool, autoEnable);
        BannerRig banner;
        banner->SetBitmap(Solid({40, 20}, kInk));
        banner->SetAutoEnable(autoEnable);
        QVERIFY(banner->Enabled());
        if (text.isNull()) {
            QVERIFY_THROWS_EXCEPTION(BannerContentError, banner->SetLines(lines));
        } else {
            QVERIFY_THROWS_EXCEPTION(BannerContentError, banner->SetScrollText(text));
        }
        QVERIFY(!banner->Enabled());
        QVERIFY_THROWS_EXCEPTION(BannerContentError, banner->SetEnabled(true));
    }

    void nothingStartsBeforeLoaded() {
        TBanner banner;
        banner.SetScrollText(QStringLiteral("Velorine"));
        banner.SetEnabled(true);  // ignored while loading: no error either
        QVERIFY(!banner.Enabled());
        banner.setFont(CrispFont(20));

        QSignalSpy enabled(&banner, &TBanner::OnEnable);
        banner.Loaded();
        QVERIFY(banner.Enabled());
        QVERIFY(enabled.count() > 0);
        // Rendered again with the font set after the text.
        QCOMPARE(banner.Bitmap().height(), QFontMetrics(CrispFont(20)).height());

        TBanner manual;
        manual.SetAutoEnable(false);
        manual.SetLines({QStringLiteral("une"), QStringLiteral("deux")});
        manual.Loaded();
        QVERIFY(!manual.Enabled());
        QVERIFY(!manual.Bitmap().isNull());
    }

    void renderingLinesRestoresTheRunningState() {
        BannerRig banner;
        banner->SetAutoEnable(false);
        banner->SetLines({QStringLiteral("a")});
        QVERIFY(!banner->Enabled());
        banner->SetEnabled(true);
        banner->SetLines({QStringLiteral("b")});
        QVERIFY(banner->Enabled());
        banner->SetLinesAlign(taRightJustify);
        QVERIFY(banner->Enabled());
        banner->SetScrollText(QStringLiteral("c"));  // text, unlike lines, stays stopped
        QVERIFY(!banner->Enabled());
        QVERIFY(banner->Lines().isEmpty());
    }

    void aBitmapReplacesTextAndLines() {
        BannerRig banner;
        banner->SetAutoEnable(false);
        banner->SetScrollText(QStringLiteral("abc"));
        banner->SetAutoEnable(true);
        const QImage picture = Gradient({33, 20});
        banner->SetBitmap(picture);
        QVERIFY(banner->ScrollText().isEmpty());
        QCOMPARE(banner->Bitmap(), picture);
        QVERIFY(banner->Enabled());

        // A given bitmap is kept while stopped, so the banner still shows it.
        banner->SetEnabled(false);
        banner->ScrollTick();
        QCOMPARE(Frame(*banner).pixelColor(99, 0), picture.pixelColor(3, 0));

        BannerRig empty;
        empty->SetBitmap(QImage());
        QVERIFY(!empty->Enabled());
    }

    void clicksWhetherScrollingOrNot() {
        BannerRig banner;
        QSignalSpy clicks(banner.get(), &TBanner::OnClick);
        QSignalSpy doubleClicks(banner.get(), &TBanner::OnDblClick);
        QTest::mouseClick(banner.get(), Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseDClick(banner.get(), Qt::LeftButton);
        QCOMPARE(doubleClicks.count(), 1);
        QTest::mousePress(banner.get(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(banner.get(), Qt::LeftButton, {}, QPoint(150, 5));
        QCOMPARE(clicks.count(), 1);  // released outside: no click
    }
};

QTEST_MAIN(BannerTest)
#include "banner_test.moc"
