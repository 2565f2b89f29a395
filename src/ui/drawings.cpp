// librsvg's headers come first: they name struct members `signals`, a word Qt's headers define.
#include <librsvg/rsvg.h>

#include "ui/drawings.h"

#include <QFile>
#include <QHash>
#include <QtMath>

#include <functional>
#include <memory>

// The resources live in a static library: nothing would pull them into the program unless
// something names them.
static void loadResources() { Q_INIT_RESOURCE(resources); }

namespace velorine::ui {
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

}  // namespace velorine::ui
