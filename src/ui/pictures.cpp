#include "ui/pictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QLabel>
#include <QPainter>

#include <utility>

#include "ui/drawings.h"

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

}  // namespace velorine::ui
