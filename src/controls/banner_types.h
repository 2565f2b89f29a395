#pragma once

#include <cstdint>

namespace velorine::controls {

// The values are those a form description stores.
enum TScrollDirection : std::uint8_t {
    sdRightToLeft = 0,
    sdLeftToRight = 1,
    sdTopToBottom = 2,
    sdBottomToTop = 3,
};

enum TAlignment : std::uint8_t {
    taLeftJustify = 0,
    taRightJustify = 1,
    taCenter = 2,
};

constexpr bool IsHorizontal(TScrollDirection direction) {
    return direction == sdRightToLeft || direction == sdLeftToRight;
}

}  // namespace velorine::controls
