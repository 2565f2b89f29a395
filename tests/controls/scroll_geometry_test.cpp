#include <QtTest>

#include "controls/banner.h"

using namespace velorine::controls;

Q_DECLARE_METATYPE(TScrollDirection)

namespace {

const QSize kBanner(100, 20);
const QSize kContent(40, 10);

}  // namespace

class ScrollGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void gapModeDrawsOneCopyEnteringAtTheEntryEdge_data() {
        QTest::addColumn<TScrollDirection>("direction");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("right to left") << sdRightToLeft << QPoint(96, 0);
        QTest::newRow("left to right") << sdLeftToRight << QPoint(4 - 40, 0);
        QTest::newRow("top to bottom") << sdTopToBottom << QPoint(0, 4 - 10);
        QTest::newRow("bottom to top") << sdBottomToTop << QPoint(0, 20 - 4);
    }
    void gapModeDrawsOneCopyEnteringAtTheEntryEdge() {
        QFETCH(TScrollDirection, direction);
        QFETCH(QPoint, corner);
        QCOMPARE(ContentCopies(direction, false, kBanner, kContent, 4), std::vector<QPoint>{corner});
    }

    void noGapCopiesCoverTheWholeLengthEndToEnd_data() {
        QTest::addColumn<TScrollDirection>("direction");
        QTest::newRow("right to left") << sdRightToLeft;
        QTest::newRow("left to right") << sdLeftToRight;
        QTest::newRow("top to bottom") << sdTopToBottom;
        QTest::newRow("bottom to top") << sdBottomToTop;
    }
    void noGapCopiesCoverTheWholeLengthEndToEnd() {
        QFETCH(TScrollDirection, direction);
        const QSize content(30, 7);
        const int period = ExtentAlong(direction, content);
        const int length = ExtentAlong(direction, kBanner);
        for (int position = 0; position <= period; ++position) {
            const auto copies = ContentCopies(direction, true, kBanner, content, static_cast<ScrollPosition>(position));
            std::vector<int> starts;
            for (const QPoint corner : copies) {
                starts.push_back(IsHorizontal(direction) ? corner.x() : corner.y());
            }
            std::sort(starts.begin(), starts.end());
            QVERIFY2(starts.front() <= 0 && starts.back() + period >= length,
                     qPrintable(QStringLiteral("position %1").arg(position)));
            for (std::size_t i = 1; i < starts.size(); ++i) {
                QCOMPARE(starts[i] - starts[i - 1], period);
            }
            // Only the first copy, at the entry edge, may lie wholly outside.
            for (std::size_t i = 1; i < copies.size(); ++i) {
                const int start = IsHorizontal(direction) ? copies[i].x() : copies[i].y();
                QVERIFY(start + period > 0 && start < length);
            }
        }
    }

    void emptyContentHasNoCopy() { QVERIFY(ContentCopies(sdRightToLeft, true, kBanner, QSize(0, 13), 0).empty()); }

    void noGapWrapsByWholeExtents_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("wrapped");
        QTest::newRow("inside") << 17 << 40 << 17;
        QTest::newRow("at the extent") << 40 << 40 << 40;
        QTest::newRow("just past") << 41 << 40 << 1;
        QTest::newRow("twice the extent") << 80 << 40 << 40;
        QTest::newRow("far past") << 65535 << 40 << 15;
        QTest::newRow("no extent") << 5 << 0 << 5;
    }
    void noGapWrapsByWholeExtents() {
        QFETCH(int, position);
        QFETCH(int, extent);
        QFETCH(int, wrapped);
        QCOMPARE(int(WrapIntoExtent(static_cast<ScrollPosition>(position), extent)), wrapped);
    }

    void turningRecomputesThePosition_data() {
        QTest::addColumn<TScrollDirection>("from");
        QTest::addColumn<TScrollDirection>("to");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("expected");
        QTest::newRow("reverse horizontally") << sdRightToLeft << sdLeftToRight << 30 << 40 + 100 - 30;
        QTest::newRow("reverse vertically") << sdBottomToTop << sdTopToBottom << 12 << 10 + 20 - 12;
        QTest::newRow("horizontal to vertical") << sdRightToLeft << sdTopToBottom << 30 << 10;
        QTest::newRow("vertical to horizontal") << sdTopToBottom << sdLeftToRight << 12 << 40;
        QTest::newRow("wraps in 16 bits") << sdLeftToRight << sdRightToLeft << 200 << 65536 - 60;
    }
    void turningRecomputesThePosition() {
        QFETCH(TScrollDirection, from);
        QFETCH(TScrollDirection, to);
        QFETCH(int, position);
        QFETCH(int, expected);
        QCOMPARE(int(PositionAfterTurn(static_cast<ScrollPosition>(position), from, to, kContent, kBanner)), expected);
    }

    void switchingAxisPutsTheContentJustInsideTheEntryEdge() {
        const auto cornerAfterTurn = [](TScrollDirection from, TScrollDirection to) {
            const ScrollPosition turned = PositionAfterTurn(30, from, to, kContent, kBanner);
            return ContentCopies(to, false, kBanner, kContent, turned);
        };
        QCOMPARE(cornerAfterTurn(sdRightToLeft, sdTopToBottom), std::vector<QPoint>{QPoint(0, 0)});
        QCOMPARE(cornerAfterTurn(sdRightToLeft, sdBottomToTop), std::vector<QPoint>{QPoint(0, 20 - 10)});
        QCOMPARE(cornerAfterTurn(sdTopToBottom, sdLeftToRight), std::vector<QPoint>{QPoint(0, 0)});
        QCOMPARE(cornerAfterTurn(sdBottomToTop, sdRightToLeft), std::vector<QPoint>{QPoint(100 - 40, 0)});
    }
};

QTEST_APPLESS_MAIN(ScrollGeometryTest)
#include "scroll_geometry_test.moc"
