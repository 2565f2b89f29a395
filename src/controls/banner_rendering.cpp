#include "controls/banner_rendering.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace velorine::controls {

namespace {

QImage BlankImage(QSize size, const TextLook& look) {
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size * look.pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(look.pixelRatio);
    image.fill(look.background);
    return image;
}

void DrawLine(QPainter& painter, const QFontMetrics& metrics, int x, int top, const QString& text) {
    // The text's top sits at `top`: the baseline is one ascent lower.
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

}  // namespace

QSize LogicalSize(const QImage& image) { return image.deviceIndependentSize().toSize(); }

QImage RenderOneLine(const QString& text, const TextLook& look) {
    const QFontMetrics metrics(look.font);
    QImage image = BlankImage({metrics.horizontalAdvance(text), metrics.height()}, look);
    if (!image.isNull()) {
        QPainter painter(&image);
        painter.setFont(look.font);
        painter.setPen(look.text);
        DrawLine(painter, metrics, 0, 0, text);
    }
    return image;
}

QImage RenderLineList(const QStringList& lines, TAlignment align, const TextLook& look) {
    const QFontMetrics metrics(look.font);
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    // Every single line, "Xj" included, is as tall as the font: that is the line pitch.
    const int pitch = metrics.height();
    QImage image = BlankImage({widest, static_cast<int>(lines.size()) * pitch}, look);
    if (!image.isNull()) {
        QPainter painter(&image);
        painter.setFont(look.font);
        painter.setPen(look.text);
        for (int i = 0; i < lines.size(); ++i) {
            const int x = AlignedLineX(align, widest, metrics.horizontalAdvance(lines[i]));
            DrawLine(painter, metrics, x, i * pitch, lines[i]);
        }
    }
    return image;
}

int AlignedLineX(TAlignment align, int widestWidth, int lineWidth) {
    switch (align) {
        case taLeftJustify: return 0;
        case taRightJustify: return widestWidth - lineWidth;
        case taCenter: return (widestWidth - lineWidth) / 2;
    }
    return 0;
}

}  // namespace velorine::controls
