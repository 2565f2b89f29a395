// librsvg's headers come first: they name struct members `signals`, a word Qt's headers define.
#include <librsvg/rsvg.h>

#include "ui/pictures.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QtMath>

#include <functional>
#include <memory>
#include <utility>

// The resources live in a static library: nothing would pull them into the program unless
// something names them.
static void loadResources() { Q_INIT_RESOURCE(resources); }

namespace velorine::ui {

namespace {

// The transparent colour of a glyph strip: a colour no glyph uses.
const QRgb kOlive = qRgb(128, 128, 0);

// The disabled look of a glyph: its colours turned into a pale grey, lighter than any outline.
QImage paleGrey(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const double luminance = 0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel);
            const int grey = qBound(0, qRound(0.5 * luminance + 0.36 * 255), 255);
            line[x] = qRgba(grey, grey, grey, qRound(qAlpha(pixel) * 0.85));
        }
    }
    return image;
}

// An icon drawn from a drawing for each size it is asked for, its pictures kept per size and mode.
class DrawingIconEngine : public QIconEngine {
public:
    explicit DrawingIconEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), picture);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const bool disabled = mode == QIcon::Disabled;
        const QString key = QStringLiteral("%1x%2%3").arg(size.width()).arg(size.height()).arg(disabled ? "d" : "");
        auto found = pictures_.find(key);
        if (found == pictures_.end()) {
            const QImage drawn = renderDrawing(name_, QSizeF(size), 1.0);
            found = pictures_.insert(key, QPixmap::fromImage(disabled ? paleGrey(drawn) : drawn));
        }
        return *found;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new DrawingIconEngine(name_); }
    QString key() const override { return QStringLiteral("velorine-drawing"); }

private:
    QString name_;
    QHash<QString, QPixmap> pictures_;
};

QPixmap drawingAtItsSize(const QString& name, qreal ratio) {
    return QPixmap::fromImage(renderDrawing(name, drawingSize(name), ratio));
}

// Keeps a label's picture drawn for the ratio it is painted at.
class SharpPicture : public QObject {
public:
    SharpPicture(QLabel& label, std::function<QPixmap(qreal)> draw) : QObject(&label), draw_(std::move(draw)) {
        setObjectName(kName);
        label.installEventFilter(this);
        refresh(label);
    }

    static inline const QString kName = QStringLiteral("velorine-sharp-picture");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) refresh(*static_cast<QLabel*>(watched));
        return false;
    }

private:
    void refresh(QLabel& label) {
        const qreal ratio = label.devicePixelRatioF();
        if (ratio == ratio_) return;
        ratio_ = ratio;
        label.setPixmap(draw_(ratio));
    }

    std::function<QPixmap(qreal)> draw_;
    qreal ratio_ = 0;
};

}  // namespace

QIcon twoImageGlyph(const QString& name) { return QIcon(new DrawingIconEngine(name)); }

QIcon programIcon() { return QIcon(new DrawingIconEngine(QStringLiteral("program_icon"))); }

QCursor linkCursor() {
    constexpr int kFingertipX = 11;
    constexpr int kFingertipY = 2;
    return QCursor(drawingAtItsSize(QStringLiteral("link_cursor"), qApp->devicePixelRatio()), kFingertipX, kFingertipY);
}

QPixmap reminderPicture(int number, qreal ratio) {
    return drawingAtItsSize(QStringLiteral("reminder_picture_%1").arg(number), ratio);
}

QImage answerGlyph(const QString& name, qreal ratio) {
    QImage strip = renderDrawingStrip(name, ratio).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            if (qAlpha(line[x]) == 0) line[x] = kOlive & RGB_MASK;
        }
    }
    return strip;
}

QPixmap mailIcon(qreal ratio) { return drawingAtItsSize(QStringLiteral("mail_icon"), ratio); }

void showSharp(QLabel& label, std::function<QPixmap(qreal ratio)> draw) {
    for (QObject* child : label.children()) {
        if (child->objectName() == SharpPicture::kName) delete child;
    }
    new SharpPicture(label, std::move(draw));
}

void showSharpIcon(QLabel& label, const QIcon& icon, QSize size) {
    showSharp(label, [icon, size](qreal ratio) { return icon.pixmap(size, ratio); });
}

namespace {

struct Unref {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
    void operator()(cairo_t* context) const { cairo_destroy(context); }
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Handle = std::unique_ptr<RsvgHandle, Unref>;

// Drawings are small and read once each: the bytes are kept, the parsed handle is not shared.
const QByteArray& drawingBytes(const QString& name) {
    static const bool loaded = (loadResources(), true);
    (void)loaded;
    static QHash<QString, QByteArray> cache;
    auto found = cache.find(name);
    if (found == cache.end()) {
        QFile file(QStringLiteral(":/drawings/") + name + QStringLiteral(".svg"));
        found = cache.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return *found;
}

Handle openDrawing(const QString& name) {
    const QByteArray& bytes = drawingBytes(name);
    if (bytes.isEmpty()) return {};
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(bytes.constData()),
                                                   static_cast<gsize>(bytes.size()), &error);
    g_clear_error(&error);
    return Handle(handle);
}

QSizeF intrinsicSize(RsvgHandle* handle) {
    gdouble width = 0;
    gdouble height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height)) return {};
    return {width, height};
}

// Draws into `image` (premultiplied ARGB, cairo's own layout) the drawing scaled into `viewport`,
// only within `clip`.
bool drawInto(QImage& image, RsvgHandle* handle, const RsvgRectangle& viewport, const QRect& clip) {
    std::unique_ptr<cairo_surface_t, Unref> surface(cairo_image_surface_create_for_data(
        image.bits(), CAIRO_FORMAT_ARGB32, image.width(), image.height(), static_cast<int>(image.bytesPerLine())));
    std::unique_ptr<cairo_t, Unref> context(cairo_create(surface.get()));
    cairo_rectangle(context.get(), clip.x(), clip.y(), clip.width(), clip.height());
    cairo_clip(context.get());
    GError* error = nullptr;
    const bool drawn = rsvg_handle_render_document(handle, context.get(), &viewport, &error);
    g_clear_error(&error);
    cairo_surface_flush(surface.get());
    return drawn;
}

QImage blankImage(QSize pixels, qreal ratio) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio);
    return image;
}

int pixelsFor(qreal logical, qreal ratio) {
    // A hair below a whole number is that number: 18 × 1.25 must not give 23 because of rounding.
    return qCeil(logical * ratio - 1e-6);
}

}  // namespace

QSizeF drawingSize(const QString& name) {
    const Handle handle = openDrawing(name);
    return handle ? intrinsicSize(handle.get()) : QSizeF();
}

namespace {

// Every window of a run draws the same few pictures at one or two sizes: each is drawn once.
QHash<QString, QImage>& drawnImages() {
    static QHash<QString, QImage> images;
    return images;
}

QString drawnKey(const QString& name, QSizeF size, qreal ratio) {
    return QStringLiteral("%1 %2 %3 %4").arg(name).arg(size.width()).arg(size.height()).arg(ratio);
}

QImage drawnOnce(const QString& key, const std::function<QImage()>& draw) {
    auto found = drawnImages().find(key);
    if (found == drawnImages().end()) found = drawnImages().insert(key, draw());
    return *found;
}

QImage renderDrawingNow(const QString& name, QSizeF size, qreal ratio) {
    const Handle handle = openDrawing(name);
    if (!handle || size.isEmpty() || ratio <= 0) return {};
    QImage image = blankImage({pixelsFor(size.width(), ratio), pixelsFor(size.height(), ratio)}, ratio);
    const RsvgRectangle viewport{0, 0, size.width() * ratio, size.height() * ratio};
    if (!drawInto(image, handle.get(), viewport, image.rect())) return {};
    return image;
}

QImage renderDrawingStripNow(const QString& name, qreal ratio) {
    const Handle handle = openDrawing(name);
    if (!handle || ratio <= 0) return {};
    const QSizeF size = intrinsicSize(handle.get());
    if (size.isEmpty()) return {};
    const int count = qMax(1, qRound(size.width() / size.height()));
    const int square = pixelsFor(size.height(), ratio);
    QImage image = blankImage({count * square, square}, ratio);
    for (int k = 0; k < count; ++k) {
        // Image k of the drawing starts at k × height × ratio; it is moved to the start of its square.
        const double shift = k * square - k * size.height() * ratio;
        const RsvgRectangle viewport{shift, 0, size.width() * ratio, size.height() * ratio};
        if (!drawInto(image, handle.get(), viewport, QRect(k * square, 0, square, square))) return {};
    }
    return image;
}

}  // namespace

QImage renderDrawing(const QString& name, QSizeF size, qreal ratio) {
    return drawnOnce(drawnKey(name, size, ratio), [&] { return renderDrawingNow(name, size, ratio); });
}

QImage renderDrawingStrip(const QString& name, qreal ratio) {
    return drawnOnce(drawnKey(name + QStringLiteral(" strip"), {}, ratio),
                     [&] { return renderDrawingStripNow(name, ratio); });
}

QPushButton* addGlyphButton(QWidget* parent, const QString& name, const QString& text, const QString& glyph,
                            const QRect& geometry) {
    auto* button = new QPushButton(twoImageGlyph(glyph), text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setIconSize(QSize(18, 18));
    return button;
}

}  // namespace velorine::ui
