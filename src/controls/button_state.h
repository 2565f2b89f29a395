#pragma once

// How a flat button looks in each situation: its frame and the glyph image it shows.

#include "controls/button_types.h"

namespace velorine::controls {

struct ButtonSituation {
    bool enabled = true;
    bool down = false;         // latched by its group
    bool mouseInside = false;  // the pointer is over it
    bool pressed = false;      // the left button went down on it and has not come up
    bool standardButton = false;
};

struct ButtonLook {
    FrameLook frame = FrameLook::NotComputed;
    GlyphState glyph = GlyphState::Normal;
    bool operator==(const ButtonLook&) const = default;
};

// Disabled first, then down, then hot (sunken while pressed), else sleeping; a standard button
// is never flat nor sleeping.
ButtonLook LookFor(const ButtonSituation& situation);

}  // namespace velorine::controls
