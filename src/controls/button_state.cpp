#include "controls/button_state.h"

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

}  // namespace velorine::controls
