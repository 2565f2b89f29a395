#include <QPainter>

#include "controls/button_face.h"
#include "controls/button_layout.h"
#include "controls/button_parts.h"
#include "controls/ie_button.h"

namespace velorine::controls {

void TIEButton::paintEvent(QPaintEvent*) {
    // The first paint computes the look and draws it at once: an opaque button that drew nothing
    // would show whatever the screen held there for a frame.
    if (look_.frame == FrameLook::NotComputed) {
        applyLook(LookFor(situation()));
    }
    followDevicePixelRatio();
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRect content = DrawButtonFace(painter, rect(), look_.frame, {softShading_, transparent_}, colours);
    if (look_.glyph == GlyphState::Down) {
        painter.fillRect(content, QBrush(DitherTile(colours.color(QPalette::Button))));
    }

    painter.setFont(font());
    const ButtonLayout layout = CalcButtonLayout({content.size(), glyph_.ImageSize(), caption_, dropDownArrow_,
                                                  dropDownArrowHorz_, layout_, margin_, spacing_, wordWrap_},
                                                 painter.fontMetrics());
    const QPoint origin = content.topLeft();
    const bool disabled = look_.glyph == GlyphState::Disabled;

    glyph_.Draw(painter, origin + layout.glyph, look_.glyph, colours,
                transparent_ ? DisabledBackground::None : DisabledBackground::Face);
    if (!caption_.isEmpty()) {
        const QColor textColour =
            look_.glyph == GlyphState::Sleeping ? sleepingFontColor_ : colours.color(QPalette::WindowText);
        DrawCaption(painter, layout.caption.translated(origin), caption_, wordWrap_, disabled, textColour);
    }
    if (dropDownArrow_) {
        DrawDropDownArrow(painter, origin + layout.arrow, dropDownArrowHorz_, disabled);
    }
}

}  // namespace velorine::controls
