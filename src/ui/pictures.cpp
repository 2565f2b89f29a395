#include "ui/pictures.h"

#include <QPixmap>

// The resources live in a static library: nothing would pull them into the program unless
// something names them.
static void loadPictures() { Q_INIT_RESOURCE(resources); }

namespace velorine::ui {
namespace {

QString picturePath(const QString& file) {
    static const bool loaded = (loadPictures(), true);
    (void)loaded;
    return QStringLiteral(":/pictures/") + file;
}

}  // namespace

QIcon twoImageGlyph(const QString& name) {
    QIcon icon;
    icon.addFile(picturePath(name + QStringLiteral(".png")), {}, QIcon::Normal);
    icon.addFile(picturePath(name + QStringLiteral("_disabled.png")), {}, QIcon::Disabled);
    return icon;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(picturePath(QStringLiteral("program_icon_%1.png").arg(size)), QSize(size, size));
    return icon;
}

QCursor linkCursor() {
    constexpr int kFingertipX = 11;
    constexpr int kFingertipY = 2;
    return QCursor(QPixmap(picturePath(QStringLiteral("link_cursor.png"))), kFingertipX, kFingertipY);
}

QPixmap reminderPicture(int number) {
    return QPixmap(picturePath(QStringLiteral("reminder_picture_%1.png").arg(number)));
}

QImage answerGlyph(const QString& name) { return QImage(picturePath(name + QStringLiteral(".png"))); }

QPixmap mailIcon() { return QPixmap(picturePath(QStringLiteral("mail_icon.png"))); }

}  // namespace velorine::ui
