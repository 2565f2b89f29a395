#include "controls/button_parts.h"

#include <QPainter>

#include <algorithm>
#include <functional>

namespace velorine::controls {

namespace {

ButtonLook FlatLook(const ButtonSituation& s) {
    if (!s.enabled) {
        return {FrameLook::Flat, GlyphState::Disabled};
    }
    if (s.down) {
        return {FrameLook::Sunken, GlyphState::Down};
    }
    if (s.mouseInside) {
        return s.pressed ? ButtonLook{FrameLook::Sunken, GlyphState::Pressed}
                         : ButtonLook{FrameLook::Raised, GlyphState::Normal};
    }
    return {FrameLook::Flat, GlyphState::Sleeping};
}

}  // namespace

ButtonLook LookFor(const ButtonSituation& situation) {
    ButtonLook look = FlatLook(situation);
    if (situation.standardButton) {
        if (look.frame == FrameLook::Flat) {
            look.frame = FrameLook::Raised;
        }
        if (look.glyph == GlyphState::Sleeping) {
            look.glyph = GlyphState::Normal;
        }
    }
    return look;
}

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

namespace {

using DrawAt = std::function<void(QPoint offset, const QColor& colour)>;

void DrawMaybeEngraved(bool disabled, const QColor& colour, const DrawAt& draw) {
    if (disabled) {
        draw({1, 1}, Qt::white);
        draw({0, 0}, QColor(128, 128, 128));
    } else {
        draw({0, 0}, colour);
    }
}

}  // namespace

void DrawCaption(QPainter& painter, const QRect& box, const QString& caption, bool wordWrap, bool disabled,
                 const QColor& colour) {
    DrawMaybeEngraved(disabled, colour, [&](QPoint offset, const QColor& c) {
        painter.setPen(c);
        painter.drawText(box.translated(offset), Qt::AlignCenter | CaptionTextFlags(wordWrap), caption);
    });
}

void DrawDropDownArrow(QPainter& painter, QPoint at, bool pointingRight, bool disabled) {
    DrawMaybeEngraved(disabled, Qt::black, [&](QPoint offset, const QColor& c) {
        const QPoint first = at + offset + QPoint(3, 2);
        for (int i = 0; i < 4; ++i) {
            const int length = 7 - 2 * i;
            if (pointingRight) {
                painter.fillRect(first.x() + i, first.y() + i, 1, length, c);
            } else {
                painter.fillRect(first.x() + i, first.y() + i, length, 1, c);
            }
        }
    });
}

namespace {

enum class Sides { TopLeft, BottomRight };

// One-pixel lines along two sides of `r`; the top-left pair spans the full height and width,
// so drawn last it owns the top-right and bottom-left corners.
void DrawEdge(QPainter& painter, const QRect& r, Sides sides, const QColor& colour) {
    if (sides == Sides::TopLeft) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, colour);
        painter.fillRect(r.left(), r.top(), 1, r.height(), colour);
    } else {
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
        painter.fillRect(r.right(), r.top(), 1, r.height(), colour);
    }
}

QRect DrawRaised(QPainter& painter, const QRect& r, bool soft, const QPalette& colours) {
    DrawEdge(painter, r, Sides::BottomRight, colours.color(soft ? QPalette::Dark : QPalette::Shadow));
    DrawEdge(painter, r, Sides::TopLeft, colours.color(QPalette::Light));
    if (!soft) {
        DrawEdge(painter, r.adjusted(1, 1, -1, -1), Sides::BottomRight, colours.color(QPalette::Dark));
    }
    return r.adjusted(1, 1, -2, -2);
}

QRect DrawSunken(QPainter& painter, const QRect& r, bool soft, const QPalette& colours) {
    DrawEdge(painter, r, Sides::TopLeft, colours.color(soft ? QPalette::Dark : QPalette::Shadow));
    DrawEdge(painter, r, Sides::BottomRight, colours.color(QPalette::Light));
    if (!soft) {
        DrawEdge(painter, r.adjusted(1, 1, -1, -1), Sides::TopLeft, colours.color(QPalette::Dark));
    }
    return r.adjusted(2, 2, -1, -1);
}

}  // namespace

QRect DrawButtonFace(QPainter& painter, const QRect& client, FrameLook look, const FaceStyle& style,
                     const QPalette& colours) {
    if (!style.transparent) {
        painter.fillRect(client, colours.color(QPalette::Button));
    }
    switch (look) {
        case FrameLook::Raised: return DrawRaised(painter, client, style.softShading, colours);
        case FrameLook::Sunken: return DrawSunken(painter, client, style.softShading, colours);
        case FrameLook::Flat:
        case FrameLook::NotComputed: break;
    }
    return client.adjusted(1, 1, -2, -2);
}

const QImage& DitherTile(const QColor& face) {
    static QRgb builtFor = 0;
    static QImage tile;
    if (tile.isNull() || builtFor != face.rgb()) {
        builtFor = face.rgb();
        tile = QImage(8, 8, QImage::Format_RGB32);
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                tile.setPixel(column, row, row % 2 == column % 2 ? qRgb(255, 255, 255) : builtFor);
            }
        }
    }
    return tile;
}

}  // namespace velorine::controls
