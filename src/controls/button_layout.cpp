#include "controls/button_layout.h"

#include <algorithm>

namespace velorine::controls {

int CaptionTextFlags(bool wordWrap) {
    return Qt::TextShowMnemonic | (wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

namespace {

struct Gaps {
    int margin;
    int spacing;
};

QSize ArrowSize(const ButtonLayoutRequest& r) {
    if (!r.dropDownArrow) {
        return {0, 0};
    }
    return r.dropDownArrowHorz ? QSize(7, 11) : QSize(10, 8);
}

// The width the caption may take: the content less the arrow, and with word wrap less the glyph
// and the gaps around the text as well (4 pixels where a gap is automatic).
int CaptionWidth(const ButtonLayoutRequest& r, bool horizontal, int glyphWidth, int arrowWidth, Gaps requested) {
    int width = r.content.width() - (horizontal ? arrowWidth : 0);
    if (r.wordWrap) {
        const int spacing = requested.spacing == -1 ? 4 : requested.spacing;
        int gap = 4;
        if (horizontal && glyphWidth != 0) {
            width -= glyphWidth + spacing;
            gap = requested.margin == -1 ? spacing : requested.margin;
        }
        width -= 2 * gap;
    }
    return width;
}

QSize MeasureCaption(const QString& caption, int width, bool wordWrap, const QFontMetrics& metrics) {
    if (caption.isEmpty()) {
        return {0, 0};
    }
    return metrics.boundingRect(QRect(0, 0, width, 0), CaptionTextFlags(wordWrap), caption).size();
}

// Sizes along the layout's axis; the arrow counts only in a horizontal layout.
Gaps ResolveGaps(Gaps gaps, int client, int glyph, int text, int arrow) {
    if (gaps.margin == -1 && gaps.spacing == -1) {
        const int gap = (client - (glyph + text + arrow)) / 3;
        return {gap, gap};
    }
    if (gaps.margin == -1) {
        return {(client - (glyph + gaps.spacing + text + arrow) + 1) / 2, gaps.spacing};
    }
    if (gaps.spacing == -1) {
        return {gaps.margin, ((client - gaps.margin - glyph - arrow) - text) / 2};
    }
    return gaps;
}

}  // namespace

ButtonLayout CalcButtonLayout(const ButtonLayoutRequest& r, const QFontMetrics& metrics) {
    const int cw = r.content.width();
    const int ch = r.content.height();
    const int gw = std::max(0, r.glyph.width());
    const int gh = std::max(0, r.glyph.height());
    const bool hasGlyph = gw != 0;
    const bool vertical = (r.layout == blGlyphTop || r.layout == blGlyphBottom) && hasGlyph;
    const TButtonLayout layout = vertical || r.layout == blGlyphRight ? r.layout : blGlyphLeft;
    const QSize arrowSize = ArrowSize(r);
    const int aw = arrowSize.width();
    const int ah = arrowSize.height();

    const Gaps requested{r.margin, r.caption.isEmpty() || !hasGlyph ? 0 : r.spacing};
    const QSize text = MeasureCaption(r.caption, CaptionWidth(r, !vertical, gw, aw, requested), r.wordWrap, metrics);
    const int tw = text.width();
    const int th = text.height();
    const Gaps gaps = vertical ? ResolveGaps(requested, ch, gh, th, 0) : ResolveGaps(requested, cw, gw, tw, aw);

    QPoint glyph;
    QPoint caption;
    QPoint arrow;
    switch (layout) {
        case blGlyphLeft:
            glyph.setX(gaps.margin);
            caption.setX(gaps.margin + gw + gaps.spacing);
            arrow.setX(caption.x() + tw);
            break;
        case blGlyphRight:
            arrow.setX(cw - gaps.margin - aw);
            glyph.setX(arrow.x() - gw);
            caption.setX(glyph.x() - gaps.spacing - tw);
            break;
        case blGlyphTop:
            glyph.setY(gaps.margin);
            caption.setY(gaps.margin + gh + gaps.spacing);
            break;
        case blGlyphBottom:
            glyph.setY(ch - gaps.margin - gh);
            caption.setY(glyph.y() - gaps.spacing - th);
            break;
    }
    if (vertical) {
        glyph.setX((cw - gw - aw + 1) / 2);
        caption.setX((cw - tw + 1) / 2);
        arrow.setX(glyph.x() + gw);
    } else {
        glyph.setY((ch - gh + 1) / 2);
        caption.setY((ch - th + 1) / 2);
    }
    arrow.setY(hasGlyph ? glyph.y() + (gh - ah) / 2 : caption.y() + (th - ah) / 2);
    return {glyph, QRect(caption, text), arrow, arrowSize};
}

}  // namespace velorine::controls
