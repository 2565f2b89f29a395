#include <QtTest>

#include "controls/button_parts.h"
#include "image_checks.h"

using namespace velorine::controls;
using namespace velorine::controls::testing;

Q_DECLARE_METATYPE(TButtonLayout)

namespace {

const QFontMetrics& Metrics() {
    static const QFontMetrics metrics(CrispFont(11, true));
    return metrics;
}

QSize TextSize(const QString& caption) {
    return Metrics().boundingRect(QRect(), CaptionTextFlags(false), caption).size();
}

}  // namespace

class ButtonLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void automaticMarginAndSpacingMakeThreeEqualGaps_data() {
        QTest::addColumn<TButtonLayout>("layout");
        QTest::newRow("glyph left") << blGlyphLeft;
        QTest::newRow("glyph top") << blGlyphTop;
    }
    void automaticMarginAndSpacingMakeThreeEqualGaps() {
        QFETCH(TButtonLayout, layout);
        const QString caption = QStringLiteral("&Oui");
        const QSize text = TextSize(caption);
        const int gap = 5;
        const bool horizontal = layout == blGlyphLeft;
        const QSize content =
            horizontal ? QSize(18 + text.width() + 3 * gap, 22) : QSize(60, 18 + text.height() + 3 * gap);
        const ButtonLayout placed =
            CalcButtonLayout({content, {18, 18}, caption, false, false, layout, -1, -1, false}, Metrics());

        const auto along = [&](QPoint p) { return horizontal ? p.x() : p.y(); };
        const int glyphEnd = along(placed.glyph) + 18;
        const int textStart = along(placed.caption.topLeft());
        const int textEnd = textStart + (horizontal ? text.width() : text.height());
        QCOMPARE(along(placed.glyph), gap);
        QCOMPARE(textStart - glyphEnd, gap);
        QCOMPARE((horizontal ? content.width() : content.height()) - textEnd, gap);
    }

    void verticalLayoutWithoutGlyphIsLaidOutAsGlyphLeft_data() {
        QTest::addColumn<TButtonLayout>("layout");
        QTest::newRow("glyph top") << blGlyphTop;
        QTest::newRow("glyph bottom") << blGlyphBottom;
    }
    void verticalLayoutWithoutGlyphIsLaidOutAsGlyphLeft() {
        QFETCH(TButtonLayout, layout);
        const ButtonLayoutRequest vertical{{78, 22}, {}, "&Demain", true, false, layout, -1, 4, false};
        ButtonLayoutRequest left = vertical;
        left.layout = blGlyphLeft;
        const ButtonLayout a = CalcButtonLayout(vertical, Metrics());
        const ButtonLayout b = CalcButtonLayout(left, Metrics());
        QCOMPARE(a.caption, b.caption);
        QCOMPARE(a.arrow, b.arrow);
        // Centred: the text (and the arrow after it) in the middle of the width and of the height.
        const QSize text = TextSize("&Demain");
        QCOMPARE(a.caption.topLeft(), QPoint((78 - (text.width() + 10) + 1) / 2, (22 - text.height() + 1) / 2));
    }

    void automaticMarginCentresGlyphAndCaption() {
        const QSize text = TextSize("&Non");
        const ButtonLayout placed =
            CalcButtonLayout({{78, 22}, {18, 18}, "&Non", false, false, blGlyphLeft, -1, 4, false}, Metrics());
        const int margin = (78 - (18 + 4 + text.width()) + 1) / 2;
        QCOMPARE(placed.glyph, QPoint(margin, (22 - 18 + 1) / 2));
        QCOMPARE(placed.caption, QRect(QPoint(margin + 18 + 4, (22 - text.height() + 1) / 2), text));
    }

    void glyphRightPutsTheArrowLastThenGlyphThenCaption() {
        const QSize text = TextSize("Menu");
        const ButtonLayout placed =
            CalcButtonLayout({{100, 22}, {16, 16}, "Menu", true, false, blGlyphRight, 3, 2, false}, Metrics());
        QCOMPARE(placed.arrowSize, QSize(10, 8));
        QCOMPARE(placed.arrow, QPoint(100 - 3 - 10, (22 - 16 + 1) / 2 + (16 - 8) / 2));
        QCOMPARE(placed.glyph.x(), placed.arrow.x() - 16);
        QCOMPARE(placed.caption.x(), placed.glyph.x() - 2 - text.width());
    }

    void glyphBelowCaption() {
        const QSize text = TextSize("Bas");
        const ButtonLayout placed =
            CalcButtonLayout({{40, 50}, {16, 16}, "Bas", false, false, blGlyphBottom, 2, 3, false}, Metrics());
        QCOMPARE(placed.glyph, QPoint((40 - 16 + 1) / 2, 50 - 2 - 16));
        QCOMPARE(placed.caption.topLeft(), QPoint((40 - text.width() + 1) / 2, placed.glyph.y() - 3 - text.height()));
    }

    void arrowWithoutGlyphIsCentredOnTheCaption() {
        const QSize text = TextSize("Choix");
        const ButtonLayout placed =
            CalcButtonLayout({{78, 22}, {}, "Choix", true, true, blGlyphLeft, 4, 4, false}, Metrics());
        QCOMPARE(placed.arrowSize, QSize(7, 11));
        QCOMPARE(placed.caption.topLeft(), QPoint(4, (22 - text.height() + 1) / 2));  // no spacing
        QCOMPARE(placed.arrow, QPoint(4 + text.width(), placed.caption.y() + (text.height() - 11) / 2));
    }

    void wordWrapMeasuresWithinTheSpaceLeftByGlyphAndGaps() {
        const QString caption = QStringLiteral("Les rappels reprendront demain");
        const ButtonLayout placed =
            CalcButtonLayout({{78, 40}, {18, 18}, caption, false, false, blGlyphLeft, -1, 4, true}, Metrics());
        const int width = 78 - (18 + 4) - 2 * 4;
        QCOMPARE(placed.caption.size(),
                 Metrics().boundingRect(QRect(0, 0, width, 0), CaptionTextFlags(true), caption).size());
        QVERIFY(placed.caption.height() > Metrics().height());
    }

    void glyphOnlyButtonIsCentred() {
        const ButtonLayout placed =
            CalcButtonLayout({{22, 22}, {16, 16}, QString(), false, false, blGlyphLeft, -1, 4, false}, Metrics());
        QCOMPARE(placed.glyph, QPoint((22 - 16 + 1) / 2, (22 - 16 + 1) / 2));
        QCOMPARE(placed.caption.size(), QSize(0, 0));
    }
};

QTEST_MAIN(ButtonLayoutTest)
#include "button_layout_test.moc"
