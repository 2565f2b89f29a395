#pragma once
// TBanner, the scrolling banner: its types, where its copies of the content lie as it scrolls
// (the scroll geometry), how a text or a list of lines becomes its picture, and the control.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <stdexcept>
#include <vector>

// Where the banner's content goes: the 16-bit scroll position and the copies one frame shows.
// Pure arithmetic on sizes, so that every placement rule can be checked without a widget.
// Content images the banner renders from text, once per content change: scrolling then only
// copies rectangles of them.
// TBanner: a control that scrolls a picture across its rectangle on a timer, as a ticker.
//
// The picture (the content) is a bitmap given by the owner, or an image the banner renders
// itself from one line of text (ScrollText) or from a list of lines (Lines), in the widget's
// font, the font colour (the palette's WindowText) and the banner's Color (the palette's Window).
// It moves ScrollPixels pixels in ScrollDirection every ScrollInterval milliseconds. In gap mode
// one copy crosses the banner, which then stays empty until the position starts again; with
// NoGap the content repeats end to end (the space between repetitions is part of the content).
// Calling sequence: create it, set its properties, then call Loaded(). Until Loaded() the banner
// is being loaded: text and lines are rendered but setting Enabled does nothing, so nothing
// starts half-configured. Loaded() renders the text again in the final font and colour and, with
// AutoEnable (the default), starts scrolling.
// Enabled is the banner's own scrolling flag, not QWidget's enabled state: the banner stays
// clickable while stopped. Enabling with no usable content (no image of non-zero size, and no
// text or lines that give one) throws BannerContentError; the timer is then left off. Changing
// the font or the font colour never re-renders existing text; Color changes the background
// around the content at once.
// It takes no keyboard focus unless its owner gives it a focus policy; focused, Space or Enter
// raises OnClick. Screen readers see a link named by its text (controls_accessibility.h).
// Text is rendered once per content change; a step only moves the position and composes the
// frame from copies of the content in one off-screen image, drawn at once and opaque.

class QTimer;

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

// A pixel count that wraps at 65536 on every addition, as the banner has always stored it.
using ScrollPosition = std::uint16_t;

// The width of `size` for the horizontal directions, its height for the vertical ones.
int ExtentAlong(TScrollDirection direction, QSize size);

// No-gap mode: takes whole extents off a position that has gone past the content's extent, so
// that it lies within 0..extent again (a position equal to the extent stays). A zero extent
// leaves the position alone: there is nothing to wrap around.
ScrollPosition WrapIntoExtent(ScrollPosition position, int extent);

// The position after the direction changes, chosen so that reversing along the same axis keeps
// the content where it is on the screen and switching axis puts it just inside the entry edge.
ScrollPosition PositionAfterTurn(ScrollPosition position, TScrollDirection from, TScrollDirection to, QSize content,
                                 QSize banner);

// Top-left corners, in banner coordinates, of the copies of the content one frame shows: one copy
// in gap mode; without gap, that copy and the ones laid end to end behind it, as many as it takes
// to cover the banner along the scroll axis. Empty content gives no copy.
std::vector<QPoint> ContentCopies(TScrollDirection direction, bool noGap, QSize banner, QSize content,
                                  ScrollPosition position);

// `pixelRatio` is the device pixel ratio the image is drawn for: at 2, it holds twice as many
// pixels each way for the same size, and the text is drawn with all of them.
struct TextLook {
    QFont font;
    QColor text;
    QColor background;
    qreal pixelRatio = 1;
};

// An image's size on the screen: its pixels divided by the device pixel ratio it was drawn for.
QSize LogicalSize(const QImage& image);

// The text on one line, in an image exactly as wide as the text and as tall as the font.
// Empty text (or text of no width) gives a null image.
QImage RenderOneLine(const QString& text, const TextLook& look);

// Every line in turn at the pitch of "Xj", each aligned within the widest line. The image is
// null when no line has any width.
QImage RenderLineList(const QStringList& lines, TAlignment align, const TextLook& look);

// Left edge of a line of `lineWidth` aligned within `widestWidth`; centring rounds toward zero,
// so an odd leftover pixel goes to the right.
int AlignedLineX(TAlignment align, int widestWidth, int lineWidth);

// Designer names: `TBanner` is the control; its properties keep their designer names
//   (`ScrollText`, `Lines`, `Bitmap` — the content; `ScrollDirection`, `ScrollPixels`, `ScrollInterval`
//   — how it moves; `NoGap`, `OnlyOnce` — how it repeats; `AutoEnable`, `Enabled` — whether it runs;
//   `OnScroll`, `OnEnable`, `OnDisable` — the notifications). The reminder window's `Banner1` is one.

// Raised by an attempt to start scrolling when there is nothing of non-zero size to scroll.
class BannerContentError : public std::runtime_error {
public:
    BannerContentError();
};

class TBanner : public QWidget {
    Q_OBJECT

public:
    explicit TBanner(QWidget* parent = nullptr);
    ~TBanner() override;

    // The end of loading: renders text or lines again and, with AutoEnable and content, enables.
    void Loaded();

    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }

    // The content image (null when there is none). Setting it copies the picture, drops text and
    // lines, and enables when AutoEnable is on and the picture has a width.
    const QImage& Bitmap() const { return content_; }
    void SetBitmap(const QImage& picture);

    // Scrolling on or off. Every call raises OnEnable or OnDisable, changed or not. Switching off
    // drops generated content (it is rendered again on the next enabling). May throw
    // BannerContentError when switching on.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Multi-line content; every assignment renders it, an empty list included.
    const QStringList& Lines() const { return lines_; }
    void SetLines(const QStringList& lines);

    TAlignment LinesAlign() const { return linesAlign_; }
    void SetLinesAlign(TAlignment align);

    void SetNoGap(bool noGap) { noGap_ = noGap; }

    // Gap mode only: stop after the content has passed once.
    void SetOnlyOnce(bool onlyOnce) { onlyOnce_ = onlyOnce; }

    TScrollDirection ScrollDirection() const { return direction_; }
    void SetScrollDirection(TScrollDirection direction);

    // Milliseconds between two steps; 0 keeps the banner enabled but still.
    std::uint16_t ScrollInterval() const;
    void SetScrollInterval(std::uint16_t interval);

    std::uint16_t ScrollPixels() const { return pixels_; }
    void SetScrollPixels(std::uint16_t pixels) { pixels_ = pixels; }

    // One-line content; setting it renders it and stops the banner unless AutoEnable restarts it.
    const QString& ScrollText() const { return scrollText_; }
    void SetScrollText(const QString& text);

    // The background colour, also the background of rendered text.
    QColor Color() const;
    void SetColor(const QColor& color);

    ScrollPosition Position() const { return position_; }

    // Renders Lines into the content image and restores the running state (or starts with
    // AutoEnable).
    void RenderLines();

    // One step: move, wrap or start again, repaint at once, raise OnScroll.
    void ScrollTick();

    // Whether anything handles OnClick: screen readers are then told the banner is a link.
    bool HasClickHandler() const;

signals:
    void OnScroll();
    void OnEnable();
    void OnDisable();
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void OnMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void PaintWithGap(QPainter& painter);
    virtual void PaintWithoutGap(QPainter& painter);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Whether switching on may render text or lines again to get content. Rendering itself
    // switches on without that right, so content of no extent fails instead of rendering forever.
    enum class Rerender { Allowed, Forbidden };

    void changeEnabled(bool enabled, Rerender rerender);
    void renderScrollText(const QString& text);
    bool hasGeneratedContent() const { return !scrollText_.isEmpty() || !lines_.isEmpty(); }
    TextLook textLook() const;
    void updateTimer();
    void paintFrame(QPainter& painter, bool noGap);
    void followDevicePixelRatio();
    void textChanged();

    QTimer* timer_;
    QImage content_;
    QStringList lines_;
    QString scrollText_;
    ScrollPosition position_ = 0;
    std::uint16_t pixels_ = 4;
    TScrollDirection direction_ = sdRightToLeft;
    TAlignment linesAlign_ = taCenter;
    bool autoEnable_ = true;
    bool enabled_ = false;
    bool noGap_ = false;
    bool onlyOnce_ = false;
    bool loading_ = true;
    bool clickArmed_ = false;
};

}  // namespace velorine::controls
