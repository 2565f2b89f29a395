#include "controls/scroll_geometry.h"

namespace velorine::controls {

int ExtentAlong(TScrollDirection direction, QSize size) {
    return IsHorizontal(direction) ? size.width() : size.height();
}

ScrollPosition WrapIntoExtent(ScrollPosition position, int extent) {
    if (extent <= 0 || position <= extent) {
        return position;
    }
    return static_cast<ScrollPosition>((position - 1) % extent + 1);
}

ScrollPosition PositionAfterTurn(ScrollPosition position, TScrollDirection from, TScrollDirection to, QSize content,
                                 QSize banner) {
    const bool sameAxis = IsHorizontal(from) == IsHorizontal(to);
    const int contentExtent = ExtentAlong(to, content);
    if (!sameAxis) {
        return static_cast<ScrollPosition>(contentExtent);
    }
    return static_cast<ScrollPosition>(contentExtent + ExtentAlong(to, banner) - position);
}

namespace {

QPoint FirstCopy(TScrollDirection direction, QSize banner, QSize content, int position) {
    switch (direction) {
        case sdRightToLeft: return {banner.width() - position, 0};
        case sdLeftToRight: return {position - content.width(), 0};
        case sdTopToBottom: return {0, position - content.height()};
        case sdBottomToTop: return {0, banner.height() - position};
    }
    return {};
}

// Copies follow the first one on the side it comes from.
QPoint StepToNextCopy(TScrollDirection direction, QSize content) {
    switch (direction) {
        case sdRightToLeft: return {-content.width(), 0};
        case sdLeftToRight: return {content.width(), 0};
        case sdTopToBottom: return {0, content.height()};
        case sdBottomToTop: return {0, -content.height()};
    }
    return {};
}

bool OverlapsAlongAxis(TScrollDirection direction, QPoint corner, QSize banner, QSize content) {
    const int start = IsHorizontal(direction) ? corner.x() : corner.y();
    return start < ExtentAlong(direction, banner) && start + ExtentAlong(direction, content) > 0;
}

}  // namespace

std::vector<QPoint> ContentCopies(TScrollDirection direction, bool noGap, QSize banner, QSize content,
                                  ScrollPosition position) {
    if (content.isEmpty()) {
        return {};
    }
    std::vector<QPoint> copies{FirstCopy(direction, banner, content, position)};
    if (!noGap) {
        return copies;
    }
    const QPoint step = StepToNextCopy(direction, content);
    for (QPoint corner = copies.front() + step; OverlapsAlongAxis(direction, corner, banner, content); corner += step) {
        copies.push_back(corner);
    }
    return copies;
}

}  // namespace velorine::controls
