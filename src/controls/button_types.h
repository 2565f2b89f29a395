#pragma once

#include <cstdint>

namespace velorine::controls {

// Where the glyph sits with respect to the caption; the values are those a form stores.
enum TButtonLayout : std::uint8_t {
    blGlyphLeft = 0,
    blGlyphRight = 1,
    blGlyphTop = 2,
    blGlyphBottom = 3,
};

enum class FrameLook : std::uint8_t {
    Raised = 0,
    Flat = 1,
    Sunken = 2,
    NotComputed = 3,  // after creation, until the first paint or state change
};

// Also the index of the image that serves the state in a full glyph strip.
enum class GlyphState : std::uint8_t {
    Normal = 0,
    Disabled = 1,
    Sleeping = 2,
    Down = 3,
    Pressed = 4,
};

constexpr int kGlyphStateCount = 5;

}  // namespace velorine::controls
